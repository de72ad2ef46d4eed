#pragma once

#include <QObject>

namespace kvor {

// The calculation report form `fmReport`. Created at start-up; the report
// layout, its labels and printing come with the reports.
class TfmReport : public QObject {
    Q_OBJECT
public:
    explicit TfmReport(QObject *parent = nullptr);
};

} // namespace kvor
