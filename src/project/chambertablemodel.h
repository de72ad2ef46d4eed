#pragma once

#include "project/core/chambersummary.h"

#include <QAbstractTableModel>

#include <vector>

namespace kvor {

// The project's chambers as the project window lists them, one row each in
// project order. Numbers are shown in the user's locale; SortRole gives the
// plain value so a proxy sorts them as numbers.
class ChamberTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        NameColumn,
        VolumeColumn,
        TemperatureColumn,
        ModeColumn,
        RequiredColumn,
        SystemColumn,
        SystemCapacityColumn,
        SystemCountColumn,
        PowerColumn,
        StatusColumn,
        ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole + 1;
    // The row's index in project order, whatever a proxy shows.
    static constexpr int ChamberRowRole = Qt::UserRole + 2;

    explicit ChamberTableModel(QObject *parent = nullptr);

    void setChambers(std::vector<ChamberSummary> chambers);
    const std::vector<ChamberSummary> &chambers() const { return m_chambers; }
    const ChamberSummary &chamber(int row) const { return m_chambers.at(size_t(row)); }
    void setChamber(int row, ChamberSummary chamber);
    void appendChamber(ChamberSummary chamber);
    void removeChamber(int row);
    // The row of the chamber whose file is `path`, -1 when none.
    int rowOf(const QString &path) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant display(const ChamberSummary &c, int column) const;
    QVariant sortValue(const ChamberSummary &c, int column) const;

    std::vector<ChamberSummary> m_chambers;
};

} // namespace kvor
