// The project window beside the main window: a project's chambers listed with
// their totals, a chamber changed in the main window followed by its row.

#include "app/appfixture.h"
#include "app/startup.h"

#include "document/calculationdocument.h"
#include "project/chambertablemodel.h"
#include "project/core/projectfile.h"
#include "project/projectwindow.h"
#include "selection/core/catalogueselection.h"
#include "storage/dbftable.h"

#include <QAction>
#include <QHeaderView>
#include <QLocale>
#include <QProcess>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>

namespace kvor::test {
namespace {

struct CatalogueRow {
    QString code;
    double power = 0;
};

// The first system of the catalogue a chamber at `temperature` is chosen from.
CatalogueRow firstSystem(const QString &dataDir, double temperature)
{
    DbfTable kat;
    kat.setDatabaseName(dataDir);
    kat.setTableName(CatalogueSelection::bandFor(temperature)->file);
    kat.setReadOnly(true);
    kat.open();
    kat.first();
    CatalogueRow row{kat.value("SIS").toString().trimmed().left(6), kat.value("PPOT").toDouble()};
    kat.close();
    return row;
}

class ProjectWindowTest : public AppTest {
protected:
    // A template chamber `length` m long, saved; a system of `capacity` W
    // adopted when `adopt`. Returns the required capacity its run gave.
    double makeChamber(const QString &path, double length, bool adopt, double capacity = 0)
    {
        CalculationDocument &doc = *main->document();
        EXPECT_TRUE(doc.createFromTemplate(main->dataDir(), path));
        doc.record().edit();
        doc.record().setValue("OB_KAMDL", length);
        EXPECT_TRUE(doc.recalculate());
        if (adopt) {
            m_system = firstSystem(main->dataDir(), doc.record().value("OB_TEMKAM").toDouble());
            doc.adoptSystem(AdoptedSystem{m_system.code, "Група", "unit", "cooler", "cab", "kit", capacity});
        }
        const double required = doc.result(11);
        doc.saveAs(path);
        doc.close();
        return required;
    }

    std::string cell(ProjectWindow &w, int row, int column) const
    {
        return w.model()->index(row, column).data().toString().toStdString();
    }

    static bool totalsShow(ProjectWindow &w, double kw)
    {
        return w.totalsText().contains(QLocale().toString(kw, 'f', 2));
    }

    CatalogueRow m_system;
};

TEST_F(ProjectWindowTest, ListAndTotalsFollowTheMainWindow)
{
    start();
    const QLocale locale;
    const auto kw = [&](double v) { return locale.toString(v, 'f', 2).toStdString(); };
    const QString chilled = userFile("Охолодження.kvor");
    const QString frozen = userFile("Заморожування.kvor");
    const QString dock = userFile("Експедиція.kvor");
    const double chilledRequired = makeChamber(chilled, 6, true, 1e6);
    const double frozenRequired = makeChamber(frozen, 30, true, 1);
    const double dockRequired = makeChamber(dock, 3, false);
    ASSERT_GT(frozenRequired, 10.0);
    ASSERT_LT(dockRequired, 10.0); // a text sort would put "9.x" above "1x.x"

    ProjectFile file;
    file.name = "Склад";
    for (const QString &p : {chilled, frozen, dock, userFile("Зникла.kvor")})
        file.chambers.push_back({p, {}});
    const QString projectPath = userFile("Склад.kvorproj");
    file.save(projectPath);

    // File → "Проєкт…", then the window's own Open command.
    main->findChild<QAction *>("iFileProject")->trigger();
    ProjectWindow &w = *main->projectWindow();
    ASSERT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isModal());
    prompts.files.push_back(projectPath);
    w.findChild<QAction *>("actionOpenProject")->trigger();
    ASSERT_TRUE(w.hasProject()) << prompts.messages.join('\n').toStdString();

    ASSERT_EQ(w.model()->rowCount(), 4);
    using M = ChamberTableModel;
    EXPECT_EQ(cell(w, 0, M::NameColumn), "Охолодження");
    EXPECT_EQ(cell(w, 0, M::RequiredColumn), kw(chilledRequired));
    EXPECT_EQ(cell(w, 0, M::SystemColumn), m_system.code.toStdString());
    EXPECT_EQ(cell(w, 0, M::StatusColumn), statusText(ChamberStatus::Ok).toStdString());
    EXPECT_EQ(cell(w, 1, M::StatusColumn), statusText(ChamberStatus::NotCovered).toStdString());
    EXPECT_EQ(cell(w, 1, M::PowerColumn), kw(m_system.power));
    EXPECT_EQ(cell(w, 2, M::StatusColumn), statusText(ChamberStatus::NoSystem).toStdString());
    EXPECT_EQ(cell(w, 2, M::SystemColumn), "");
    EXPECT_EQ(cell(w, 3, M::StatusColumn), statusText(ChamberStatus::Missing).toStdString());
    EXPECT_EQ(cell(w, 3, M::RequiredColumn), "");
    EXPECT_FALSE(w.model()->index(3, M::StatusColumn).data(Qt::ToolTipRole).toString().isEmpty());
    EXPECT_TRUE(totalsShow(w, chilledRequired + frozenRequired + dockRequired)) << w.totalsText().toStdString();
    EXPECT_TRUE(totalsShow(w, 2 * m_system.power)) << w.totalsText().toStdString();
    EXPECT_TRUE(w.totalsText().contains("не враховано камер без даних: 1")) << w.totalsText().toStdString();

    // Double-click the frozen chamber: the main window opens it.
    auto *table = w.findChild<QTableView *>("chamberTable");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRect rect = table->visualRect(w.sortedModel()->mapFromSource(w.model()->index(1, M::NameColumn)));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(w.currentChamber(), 1);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_TRUE(main->document()->isOpen()) << prompts.messages.join('\n').toStdString() << errors.join('\n').toStdString();
    ASSERT_EQ(main->document()->filePath().toStdString(), frozen.toStdString());

    // Longer, recalculated and saved as the user would.
    main->document()->record().edit();
    main->document()->record().setValue("OB_KAMDL", 40);
    main->recalculate();
    const double longer = main->resultValue(11);
    ASSERT_GT(longer, frozenRequired);
    // The row follows the open calculation before it is saved.
    QCoreApplication::processEvents();
    EXPECT_EQ(cell(w, 1, M::RequiredColumn), kw(longer));
    prompts.files.push_back(frozen);
    main->saveFile();
    EXPECT_EQ(cell(w, 1, M::RequiredColumn), kw(longer));
    EXPECT_EQ(cell(w, 1, M::StatusColumn), statusText(ChamberStatus::NotCovered).toStdString());
    EXPECT_TRUE(totalsShow(w, chilledRequired + longer + dockRequired)) << w.totalsText().toStdString();
    // Changed again and not saved: the project's PDF has the chamber closed
    // there first (the user agrees), which writes it, so its own report is in;
    // the row then reads the file as written.
    main->document()->record().edit();
    main->document()->record().setValue("OB_KAMDL", 45);
    main->recalculate();
    const double longest = main->resultValue(11);
    prompts.files.push_back(userFile("Склад.pdf"));
    prompts.answers.push_back(true);
    w.findChild<QAction *>("actionPdf")->trigger();
    EXPECT_FALSE(main->calculationOpen());
    EXPECT_EQ(cell(w, 1, M::RequiredColumn), kw(longest));
    QProcess pdftotext;
    pdftotext.start("pdftotext", {userFile("Склад.pdf"), "-"});
    if (pdftotext.waitForFinished(60000)) {
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        EXPECT_TRUE(text.contains("Сторінка 1")) << text.left(300).toStdString();
        EXPECT_FALSE(text.contains("не сформовано")) << "a chamber's report is missing";
    } else {
        ADD_FAILURE() << "pdftotext (poppler-utils) did not run";
    }

    // Sorted by the required capacity, largest first, as numbers; no figures last.
    table->sortByColumn(M::RequiredColumn, Qt::DescendingOrder);
    QStringList order;
    for (int r = 0; r < w.sortedModel()->rowCount(); ++r)
        order << w.sortedModel()->index(r, M::NameColumn).data().toString();
    QStringList expected{"Заморожування", "Охолодження", "Експедиція"};
    std::sort(expected.begin() + 1, expected.end(), [&](const QString &a, const QString &b) {
        return (a == "Охолодження" ? chilledRequired : dockRequired) > (b == "Охолодження" ? chilledRequired : dockRequired);
    });
    expected << "Зникла";
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

// `kvor FILE.kvorproj`: once the tables are open the project window shows the
// project, a chamber whose file is gone among its rows.
TEST_F(ProjectWindowTest, CommandLineOpensAProject)
{
    ProjectFile file;
    file.chambers.push_back({userFile("gone.kvor"), {}});
    file.save(userFile("p.kvorproj"));
    StartupOptions options;
    ASSERT_TRUE(options.parseArguments({userFile("p.kvorproj")}));
    options.applyTo(*main);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(main.get(), &activate);
    ASSERT_TRUE(main->tablesOpened());
    QCoreApplication::processEvents();

    ProjectWindow &w = *main->projectWindow();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(main->calculationOpen()) << "not taken for a calculation";
    ASSERT_EQ(w.model()->rowCount(), 1);
    EXPECT_EQ(cell(w, 0, ChamberTableModel::StatusColumn), statusText(ChamberStatus::Missing).toStdString());
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('|').toStdString();
}

} // namespace
} // namespace kvor::test
