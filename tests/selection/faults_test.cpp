// The selection window over a DATA folder with a broken catalogue: missing,
// lacking a declared field, or with a field of another kind. The user reads the
// table layer's own words and the list stays empty; the calculation is untouched.

#include "app/appfixture.h"

#include "selection/selectionwindow.h"
#include "storage/dbftable.h"
#include "storage/tabledefs.h"

#include <QApplication>

#include <algorithm>

namespace kvor::test {
namespace {

class SelectionFaults : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        podbor = std::make_unique<SelectionWindow>(main.get());
        main->setSelectionWindow(podbor.get());
        podbor->setMessageSink([this](const QString &text) { messages << text; });
        start();
        newCalculation(QStringLiteral("calc.kvor")); // -18 °C: the catalogue kat-18.dbf
        ASSERT_TRUE(dm->taWork.active());
        errors.clear();
    }
    void TearDown() override
    {
        podbor->close();
        podbor.reset();
        AppTest::TearDown();
    }

    // What the selection command does, without the modal loop.
    void openSelection()
    {
        CatalogueSelection::reset(dm->taKat);
        main->setSelectionOpen(true);
        podbor->setReferenceTables(dm.get());
        podbor->setDocument(main->document());
        podbor->setDataDir(main->dataDir());
        podbor->show();
        QApplication::setActiveWindow(podbor.get());
        QApplication::processEvents();
    }

    // Rewrites kat-18.dbf with the catalogue's columns, `change` applied, and one row.
    void rewriteCatalogue(const std::function<void(std::vector<DbfColumn> &)> &change)
    {
        std::vector<DbfColumn> columns = TableDefs::catalogueFileColumns();
        change(columns);
        const QString path = dataFile(QStringLiteral("kat-18.dbf"));
        QFile::remove(path);
        DbfTable::create(path, columns);
        DbfTable t;
        t.setTableName(path);
        t.open();
        t.append();
        t.setValue(QStringLiteral("SIS"), QStringLiteral("S1"));
        t.post();
    }

    void expectRefused(const QString &error)
    {
        const QByteArray before = bytes(userFile("calc.kvor"));
        openSelection();
        EXPECT_EQ(errors, QStringList{error});
        EXPECT_FALSE(dm->taKat.active());
        EXPECT_EQ(podbor->model().rowCount(), 0);
        EXPECT_TRUE(messages.isEmpty()) << "no second message on top of the error";
        EXPECT_TRUE(dm->taWork.active());
        EXPECT_EQ(bytes(userFile("calc.kvor")), before);
    }

    std::unique_ptr<SelectionWindow> podbor;
    QStringList messages;
};

TEST_F(SelectionFaults, AMissingCatalogueIsNamed)
{
    ASSERT_TRUE(QFile::remove(dataFile("kat-18.dbf")));
    expectRefused("Cannot find file " + dataFile("kat-18.dbf"));
}

TEST_F(SelectionFaults, ACatalogueLackingADeclaredFieldDoesNotOpen)
{
    rewriteCatalogue([](std::vector<DbfColumn> &c) {
        c.erase(std::remove_if(c.begin(), c.end(), [](const DbfColumn &d) { return d.name == "VO"; }), c.end());
    });
    expectRefused("Field 'VO' not found");
}

TEST_F(SelectionFaults, ACatalogueWithAFloatCapacityDoesNotOpen)
{
    rewriteCatalogue([](std::vector<DbfColumn> &c) {
        for (DbfColumn &d : c)
            if (d.name == "Q30")
                d.decimals = 1;
    });
    expectRefused("Type mismatch for field 'Q30', expecting: Integer actual: Float");
}

TEST_F(SelectionFaults, AnUnreadableCatalogueHeaderIsRefused)
{
    QFile f(dataFile("kat-18.dbf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(64, 'x'));
    f.close();
    expectRefused("dBase DBF file header invalid");
}

} // namespace
} // namespace kvor::test
