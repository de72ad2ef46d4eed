#pragma once

#include "project/core/chamberevaluator.h"
#include "project/core/chambersummary.h"

#include <QString>
#include <QWidget>

#include <vector>

class QChart;
class QChartView;

namespace kvor {

// The nine heat gains of each chamber as one stacked bar per chamber; chambers
// without figures are left out.
class GainsChartView : public QWidget {
    Q_OBJECT
public:
    explicit GainsChartView(QWidget *parent = nullptr);
    void setChambers(const std::vector<ChamberSummary> &chambers);
    QChart *chart() const;

private:
    QChartView *m_view;
};

// Required capacity of one chamber against the outdoor temperature (20 … 45 °C)
// beside the adopted systems' capacity at 25, 30, 35 and 40 °C, with the
// temperature up to which the systems cope.
class CapacityChartView : public QWidget {
    Q_OBJECT
public:
    explicit CapacityChartView(QWidget *parent = nullptr);
    void setCurve(const QString &chamberName, const CapacityCurve &curve);
    void clear();
    QChart *chart() const;

private:
    QChartView *m_view;
};

// Writes a chart as PNG or SVG by the file's suffix; false when it cannot be written.
bool saveChart(QChart *chart, const QString &path, QString *error = nullptr);

} // namespace kvor
