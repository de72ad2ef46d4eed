#pragma once

#include "datasource.h"
#include "dbftable.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <vector>

namespace kvor {

// What the data module's open and close steps need of the main window. The
// program's window implements it; tests and the batch tool use their own.
class ReferenceTablesHost {
public:
    virtual ~ReferenceTablesHost() = default;
    // The processing-mode selector: 0 "Зберігання", 1 "Охолодження". A change of
    // the selection runs the selector's click rule.
    virtual void setProcessingModeItem(int item) = 0;
    // The product-category list's text, set without running its change rule.
    virtual void setProductCategoryText(const QString &text) = 0;
    virtual void setExecutorItems(const QStringList &names) = 0;
    // The nine include boxes; a box whose state changes recalculates.
    virtual void setIncludeBoxes(const std::array<bool, 9> &checked) = 0;
    virtual std::array<bool, 9> includeBoxes() const = 0;
    // The settings table was opened: its calculation-files folder.
    virtual void settingsOpened(const QString &folder) = 0;
};

// The data module `dm1`: every table and data source of the program, created in
// a fixed order that the start-up walk follows.
class ReferenceTables : public QObject {
    Q_OBJECT
public:
    explicit ReferenceTables(QObject *parent = nullptr);

    void setHost(ReferenceTablesHost *host) { m_host = host; }
    ReferenceTablesHost *host() const { return m_host; }

    // Components in creation order (tables and data sources), named as the program names them.
    const std::vector<QObject *> &components() const { return m_components; }
    // The reference tables opened at start-up, in their order: every table but
    // `taWork`, `taKat` and `taOld`.
    std::vector<DbfTable *> startupTables() const;

    // Steps of the calculation record, public for the file commands and tests.
    void workAfterOpen();
    void workBeforeClose();
    void settingsAfterOpen();
    QStringList executorNames();

    DataSource dsMater, dsIzolm, dsWork, dsRegion, dsProd, dsTara, dsIsp;
    DbfTable taMater, taWork, taIzolm, taRegion, taInt, taProd, taTara, taIsp, taKat;
    DataSource dsKat;
    DbfTable taGrups;
    DataSource dsGrups;
    DbfTable taInit, taOld, taRec;

private:
    void add(QObject *component, const char *name);

    ReferenceTablesHost *m_host = nullptr;
    std::vector<QObject *> m_components;
};

} // namespace kvor
