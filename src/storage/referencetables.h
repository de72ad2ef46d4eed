#pragma once

#include "datasource.h"
#include "dbftable.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <vector>

namespace kvor {

// The data module `dm1`: every table and data source of the program, created in
// a fixed order that the start-up walk follows.
class ReferenceTables : public QObject {
    Q_OBJECT
public:
    explicit ReferenceTables(QObject *parent = nullptr);

    // Components in creation order (tables and data sources), named as the program names them.
    const std::vector<QObject *> &components() const { return m_components; }
    // The reference tables opened at start-up, in their order: every table but
    // `taWork`, `taKat` and `taOld`.
    std::vector<DbfTable *> startupTables() const;

    // The executors' names in the executors table's order.
    QStringList executorNames();

    DataSource dsMater, dsIzolm, dsWork, dsRegion, dsProd, dsTara, dsIsp;
    DbfTable taMater, taWork, taIzolm, taRegion, taInt, taProd, taTara, taIsp, taKat;
    DataSource dsKat;
    DbfTable taGrups;
    DataSource dsGrups;
    DbfTable taInit, taOld, taRec;

signals:
    // The settings table was opened: its calculation-files folder.
    void settingsOpened(const QString &folder);

private:
    void add(QObject *component, const char *name);
    void settingsAfterOpen();

    std::vector<QObject *> m_components;
};

} // namespace kvor
