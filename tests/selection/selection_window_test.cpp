#include "app/appfixture.h"

#include "reports/core/equipmentlistreport.h"
#include "reports/reportpreview.h"
#include "childnamed.h"
#include "input/dbedit.h"
#include "input/numericedit.h"
#include "selection/selectionwindow.h"

#include <QApplication>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QProcess>
#include <QScreen>
#include <QTableView>
#include <QFontMetrics>
#include <QLocale>
#include "input/calculatorpopup.h"
#include <QTest>
#include <QTimer>

namespace kvor::test {
namespace {

class SelectionWindowTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        podbor = std::make_unique<SelectionWindow>(main.get());
        main->setSelectionWindow(podbor.get());
        podbor->setMessageSink([this](const QString &text) { messages << text; });
        start();
        newCalculation(QStringLiteral("calc.kvor"));
        ASSERT_TRUE(dm->taWork.active());
    }

    void TearDown() override
    {
        podbor->close();
        podbor.reset();
        AppTest::TearDown();
    }

    void set(const char *field, const QVariant &value)
    {
        dm->taWork.edit();
        dm->taWork.setValue(QLatin1String(field), value);
        dm->taWork.post();
    }
    QVariant field(const char *name) const { return dm->taWork.value(QLatin1String(name)); }

    // What the selection command does, without waiting in the modal loop.
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
        ASSERT_TRUE(dm->taKat.active());
    }

    int rows() const { return podbor->model().rowCount(); }
    // A control of the selection window by its object name.
    template <class T>
    T *named(const char *objectName, std::source_location where = std::source_location::current()) const
    {
        return childNamed<T>(podbor.get(), objectName, where);
    }

    // Every build, by the filter it left.
    void recordBuilds()
    {
        QObject::connect(&dm->dsKat, &DataSource::dataChanged, podbor.get(), [this] {
            if (dm->taKat.active() && (builds.isEmpty() || builds.last() != dm->taKat.filter()))
                builds << dm->taKat.filter();
        });
    }

    std::unique_ptr<SelectionWindow> podbor;
    QStringList messages;
    QStringList builds;
};

TEST_F(SelectionWindowTest, TheCommandListsWhatTheBatchToolListsAndShowsTheGroupLines)
{
    // Through the real command and its modal loop.
    bool checked = false;
    QTimer::singleShot(0, podbor.get(), [&] {
        QApplication::setActiveWindow(podbor.get());
        QApplication::processEvents();
        checked = true;
        EXPECT_TRUE(main->selectionOpen());
        EXPECT_TRUE(dm->taKat.active());
        EXPECT_GT(rows(), 0);
        QTest::mouseClick(named<QPushButton>("Button1"), Qt::LeftButton);
    });
    main->openSelection();
    ASSERT_TRUE(checked);
    EXPECT_FALSE(podbor->isVisible());
    EXPECT_TRUE(dm->taKat.active()) << "closing leaves the catalogue open";

    const QString heading = named<QLabel>("Label3")->text();
    const QString filter = dm->taKat.filter();
    const int listed = rows();
    main->saveFile();

    QProcess cli;
    cli.start(QStringLiteral(KVOR_BIN_DIR "/kvor-cli"),
              {"select", userFile("calc.kvor"), "--data", QDir(m_appDir).filePath("DATA"), "--json"});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QJsonObject batch = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    EXPECT_EQ(batch.value("heading").toString(), heading);
    EXPECT_EQ(batch.value("filter").toString(), filter);
    EXPECT_EQ(batch.value("catalogue").toString(), dm->taKat.tableName());
    EXPECT_DOUBLE_EQ(batch.value("required").toDouble(), main->resultValue(11));
    const QJsonArray systems = batch.value("systems").toArray();
    ASSERT_EQ(systems.size(), listed);
    for (int r = 0; r < listed; ++r)
        EXPECT_EQ(systems[r].toObject().value("SIS").toString(), podbor->model().index(r, 0).data().toString());

    // The group lines follow the current row.
    openSelection();
    EXPECT_EQ(named<QLabel>("Label4")->text(), systems[0].toObject().value("GR").toString());
    EXPECT_EQ(named<QLabel>("Label5")->text(), systems[0].toObject().value("PGR").toString());
    EXPECT_EQ(named<QLineEdit>("Edit1")->text(), QString::number(dm->taKat.value("ID_GRUP").toInt()));
}

TEST_F(SelectionWindowTest, ColumnsAreTheVisibleFieldsWithTheirTitles)
{
    set("OB_RGTMAX", 35);
    main->recalculate();
    openSelection();
    const QStringList expected = {"Система", "Агрегат (конденсатор)", "Компресор", "Q +35°С\nВт", "dT +35°С\nК",
                                  "Спож. потужність\nкВт", "Спож. струм\nА", "Магістраль", "Контроллер"};
    QStringList titles;
    for (int c = 0; c < podbor->model().columnCount(); ++c)
        titles << podbor->model().headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, expected);
    EXPECT_EQ(podbor->selection().ambientColumn(), "35");
    // 26 characters against 9
    EXPECT_GT(named<QTableView>("DBGrid1")->columnWidth(1), named<QTableView>("DBGrid1")->columnWidth(0));
    // Every title line fits its column, and all columns the list.
    const QFontMetrics titleFont(named<QTableView>("DBGrid1")->horizontalHeader()->font());
    int total = named<QTableView>("DBGrid1")->verticalHeader()->width();
    for (int c = 0; c < titles.size(); ++c) {
        for (const QString &line : titles[c].split('\n'))
            EXPECT_LT(titleFont.horizontalAdvance(line), named<QTableView>("DBGrid1")->columnWidth(c)) << c;
        total += named<QTableView>("DBGrid1")->columnWidth(c);
    }
    EXPECT_LE(total,
              named<QTableView>("DBGrid1")->viewport()->width() + named<QTableView>("DBGrid1")->verticalHeader()->width());
    EXPECT_EQ(named<NumericEdit>("int1")->text(), "95");
    EXPECT_EQ(named<NumericEdit>("int2")->text(), "150");
    EXPECT_EQ(podbor->windowTitle(), "Підбір обладнання");
    EXPECT_EQ(podbor->size(), QSize(768, 365));
    QDir().mkpath(QStringLiteral(KVOR_BIN_DIR "/screens"));
    podbor->grab().save(QStringLiteral(KVOR_BIN_DIR "/screens/selection.png"));
}

TEST_F(SelectionWindowTest, FocusRunsThroughTheParametersTheFieldsTheListAndTheButtons)
{
    openSelection();
    ASSERT_TRUE(named<NumericEdit>("RxDBCalcEdit1")->hasFocus());
    QStringList order;
    for (int i = 0; i < 14; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, QStringList({"RxDBCalcEdit1", "int1", "int2", "DBEdit1", "DBEdit2", "DBEdit6", "DBEdit3",
                                  "DBEdit4", "DBEdit5", "DBEdit7", "DBGrid1", "Button1", "Button2", "Button3"}));
    // A click selects the whole per-cent text, ready to be typed over.
    QTest::mouseClick(named<NumericEdit>("int2"), Qt::LeftButton);
    EXPECT_EQ(named<NumericEdit>("int2")->selectedText(), named<NumericEdit>("int2")->text());
}

TEST_F(SelectionWindowTest, AdoptionWritesTheRowAndTheCapacityOfTheChosenColumn)
{
    set("OB_RGTMAX", 35);
    set("KOLSYS", 1);
    main->recalculate();
    openSelection();
    ASSERT_GT(rows(), 1);
    // The second row, clicked in the grid: leaving the number of systems rebuilds
    // the list first, then the click chooses the row.
    ASSERT_TRUE(named<NumericEdit>("RxDBCalcEdit1")->hasFocus());
    QTableView *grid = named<QTableView>("DBGrid1");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(podbor->model().index(1, 1)).center());
    QApplication::processEvents();
    ASSERT_EQ(dm->taKat.recNo(), podbor->model().recordAt(1));
    const QString sis = dm->taKat.value("SIS").toString();
    const int q35 = dm->taKat.value("Q35").toInt();
    recordBuilds();
    QTest::mouseClick(named<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_TRUE(builds.isEmpty()) << builds.join(" | ").toStdString();
    EXPECT_EQ(dm->taWork.state(), DbfTable::State::Edit) << "adoption does not post";
    EXPECT_EQ(field("SIS").toString(), sis.left(6));
    EXPECT_EQ(field("PROIZSYS").toInt(), q35);
    EXPECT_EQ(field("OBR_AGR").toString(), dm->taKat.value("AGR").toString());
    EXPECT_EQ(field("OBR_VO").toString(), dm->taKat.value("VOHL").toString());
    EXPECT_EQ(field("OBR_SHKAF").toString(), dm->taKat.value("SHKAF").toString());
    EXPECT_EQ(field("OBR_KMONT").toString(), dm->taKat.value("NABOR").toString());
    EXPECT_EQ(field("OBR_NAIM").toString(), named<QLabel>("Label4")->text() + ", " + named<QLabel>("Label5")->text());
    EXPECT_EQ(named<DbEdit>("DBEdit6")->text(), QString::number(q35));
    EXPECT_EQ(named<DbEdit>("DBEdit7")->text(), sis.left(6));
}

TEST_F(SelectionWindowTest, AnEightCharacterCodeKeepsItsFirstSix)
{
    {
        DbfTable kat;
        kat.setDatabaseName(QDir(m_appDir).filePath("DATA"));
        kat.setTableName("kat-18.dbf");
        kat.open();
        for (kat.first(); !kat.eof(); kat.next()) {
            kat.edit();
            kat.setValue("SIS", kat.value("SIS").toString() + "ЮЯ");
            kat.post();
        }
    }
    openSelection();
    ASSERT_EQ(dm->taKat.tableName(), "kat-18.dbf");
    const QString sis = dm->taKat.value("SIS").toString();
    ASSERT_EQ(sis.size(), 8);
    named<QPushButton>("Button2")->click();
    EXPECT_EQ(field("SIS").toString(), sis.left(6));
}

TEST_F(SelectionWindowTest, EachChangeOfTheParametersRebuildsTheList)
{
    openSelection();
    recordBuilds();
    const CatalogueChoice at95 = CatalogueSelection::choose(podbor->inputs());
    named<NumericEdit>("int1")->setFocus();
    named<NumericEdit>("int1")->selectAll();
    QTest::keyClicks(named<NumericEdit>("int1"), "90");
    EXPECT_EQ(podbor->inputs().int1, 90);
    EXPECT_TRUE(dm->taKat.filter().contains(">= " + CatalogueSelection::choose(podbor->inputs()).lower));
    EXPECT_NE(dm->taKat.filter(), at95.filter);

    // Typing 120 builds with 100, 100 and 120 in turn.
    builds.clear();
    named<NumericEdit>("int2")->setFocus();
    named<NumericEdit>("int2")->selectAll();
    QTest::keyClicks(named<NumericEdit>("int2"), "120");
    const double q = CatalogueSelection::choose(podbor->inputs()).required;
    const int n = std::max(1, field("KOLSYS").toInt());
    const QString at100 = QString::number(CatalogueSelection::roundHalfEven((100.0L * q) / 100 / n));
    const QString at120 = QString::number(CatalogueSelection::roundHalfEven((120.0L * q) / 100 / n));
    // (Leaving int1 rebuilt first, with its 90.)
    ASSERT_GE(builds.size(), 2);
    EXPECT_TRUE(builds[builds.size() - 2].endsWith("<= " + at100)) << builds.join(" | ").toStdString();
    EXPECT_TRUE(builds.last().endsWith("<= " + at120)) << builds.join(" | ").toStdString();

    // The values survive closing and showing again.
    podbor->close();
    openSelection();
    EXPECT_EQ(named<NumericEdit>("int1")->text(), "90");
    EXPECT_EQ(named<NumericEdit>("int2")->text(), "120");
}

TEST_F(SelectionWindowTest, TheNumberOfSystemsTakesEffectWhenTheFieldIsLeft)
{
    set("KOLSYS", 1);
    main->recalculate();
    openSelection();
    recordBuilds();
    const CatalogueChoice one = CatalogueSelection::choose(podbor->inputs());
    named<NumericEdit>("RxDBCalcEdit1")->setFocus();
    named<NumericEdit>("RxDBCalcEdit1")->selectAll();
    QTest::keyClicks(named<NumericEdit>("RxDBCalcEdit1"), "2");
    // Rebuilt at once, still with one system.
    EXPECT_EQ(dm->taKat.filter(), one.filter);
    EXPECT_FALSE(builds.isEmpty());
    QTest::keyClick(named<NumericEdit>("RxDBCalcEdit1"), Qt::Key_Return);
    EXPECT_EQ(field("KOLSYS").toInt(), 2);
    EXPECT_TRUE(named<NumericEdit>("int1")->hasFocus()) << "Enter moves on";
    SelectionInputs two = podbor->inputs();
    EXPECT_EQ(two.systems, 2);
    EXPECT_EQ(dm->taKat.filter(), CatalogueSelection::choose(two).filter);
    EXPECT_NE(dm->taKat.filter(), one.filter);
}

TEST_F(SelectionWindowTest, ACapacityChangeDiscardsTheAdoptedSystemButKeepsItsCode)
{
    openSelection();
    ASSERT_GT(rows(), 0);
    named<QPushButton>("Button2")->click();
    const QString sis = field("SIS").toString();
    ASSERT_FALSE(sis.isEmpty());
    ASSERT_NE(field("PROIZSYS").toInt(), 0);
    podbor->close();

    set("OB_KAMDL", field("OB_KAMDL").toDouble() + 2);
    main->recalculate();
    for (const char *name : {"OBR_NAIM", "OBR_AGR", "OBR_VO", "OBR_SHKAF", "OBR_KMONT"})
        EXPECT_TRUE(field(name).toString().isEmpty()) << name;
    EXPECT_EQ(field("PROIZSYS").toInt(), 0);
    EXPECT_EQ(field("SIS").toString(), sis);
}

TEST_F(SelectionWindowTest, LoadingAFileKeepsItsAdoptedSystem)
{
    openSelection();
    named<QPushButton>("Button2")->click();
    podbor->close();
    const QString agr = field("OBR_AGR").toString();
    const int capacity = field("PROIZSYS").toInt();
    ASSERT_FALSE(agr.isEmpty());
    main->saveFile();
    main->closeFile();
    ASSERT_FALSE(dm->taWork.active());

    prompts.files.push_back(userFile("calc.kvor"));
    main->openFile();
    ASSERT_TRUE(dm->taWork.active());
    EXPECT_FALSE(main->selectionOpen());
    EXPECT_EQ(field("OBR_AGR").toString(), agr);
    EXPECT_EQ(field("PROIZSYS").toInt(), capacity);
}

TEST_F(SelectionWindowTest, NoCatalogueForTheChamberListsNothingAndAdoptsEmptyFields)
{
    set("OB_TEMKAM", 31);
    main->recalculate();
    CatalogueSelection::reset(dm->taKat);
    podbor->setReferenceTables(dm.get());
    podbor->setDocument(main->document());
    podbor->setDataDir(main->dataDir());
    podbor->show();
    QApplication::setActiveWindow(podbor.get());
    QApplication::processEvents();
    EXPECT_FALSE(dm->taKat.active());
    EXPECT_EQ(rows(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), "Для температури в камері 31 °С немає каталогу обладнання.");

    named<QPushButton>("Button2")->click();
    EXPECT_EQ(field("OBR_NAIM").toString(), ","); // the stored text loses its trailing blank
    EXPECT_TRUE(field("OBR_AGR").toString().isEmpty());
    EXPECT_EQ(field("PROIZSYS").toInt(), 0);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(SelectionWindowTest, NoMatchingSystemShowsTheMessageOnce)
{
    set("OB_KAMDL", 90);
    set("OB_KAMSH", 90);
    main->recalculate();
    openSelection();
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(messages, QStringList{"Не має обладнання під такі характеристики.  Зв'яжіться з нами !"});
    EXPECT_EQ(named<QLineEdit>("Edit1")->text().isEmpty() || named<QLineEdit>("Edit1")->text() == "0", true);
}

TEST_F(SelectionWindowTest, PerCentFieldsTakeWholeNumbersAndRefuseTheRest)
{
    openSelection();
    SelectionInputs at97 = podbor->inputs();
    at97.int1 = 97;
    const QString lower97 = CatalogueSelection::choose(at97).lower;
    // A decimal point is refused at once, with a message; the digits before it stay.
    const QString point = QLocale().decimalPoint();
    named<NumericEdit>("int1")->setFocus();
    named<NumericEdit>("int1")->selectAll();
    QTest::keyClicks(named<NumericEdit>("int1"), "97.");
    EXPECT_EQ(named<NumericEdit>("int1")->text(), "97");
    EXPECT_EQ(podbor->inputs().int1, 97);
    EXPECT_TRUE(dm->taKat.filter().contains(">= " + lower97 + " ")) << dm->taKat.filter().toStdString();
    // So is a fraction from the calculator.
    emit named<NumericEdit>("int2")->calculator()->accepted(120.5);
    EXPECT_EQ(named<NumericEdit>("int2")->text(), "150");
    EXPECT_EQ(podbor->inputs().int2, 150);
    EXPECT_EQ(messages, QStringList({"Відсоток має бути цілим числом від 60 до 100, а не «97" + point + "».",
                                     "Відсоток має бути цілим числом від 100 до 200, а не «120" + point + "5»."}));
}

TEST_F(SelectionWindowTest, GridTitlesKeepTheirFontOnASelectedRowAndTheWindowIsCentred)
{
    main->move(0, 0);
    openSelection();
    ASSERT_GT(rows(), 1);
    const QRect screen = podbor->screen()->availableGeometry();
    // Within the few pixels of the window's frame.
    EXPECT_LE((podbor->frameGeometry().center() - screen.center()).manhattanLength(), 8)
        << "window at " << podbor->frameGeometry().x() << "," << podbor->frameGeometry().y();

    // The temperature box stands in the caption's blanks, clear of its "°С".
    const QLabel *caption = named<QLabel>("Label1");
    const QFontMetrics m(caption->font());
    const int textLeft = caption->x() + (caption->width() - m.horizontalAdvance(caption->text())) / 2;
    const int degree = textLeft + m.horizontalAdvance(caption->text().left(caption->text().indexOf("°")));
    EXPECT_LE(named<QLabel>("Label3")->geometry().right(), degree) << "the heading covers the degree sign";

    QHeaderView *titles = named<QTableView>("DBGrid1")->horizontalHeader();
    named<QTableView>("DBGrid1")->selectionModel()->clearSelection();
    const QImage plain = titles->grab().toImage();
    named<QTableView>("DBGrid1")->selectRow(1);
    ASSERT_TRUE(named<QTableView>("DBGrid1")->selectionModel()->isRowSelected(1, {}));
    EXPECT_EQ(titles->grab().toImage(), plain) << "the titles changed with the selection";
}

TEST_F(SelectionWindowTest, NoCatalogueBlanksTheHeadingAndTheCapacityTitlesAndPrintsAnEmptyList)
{
    EquipmentListReport list;
    main->setReportForms(nullptr, &list);
    list.setTitleFolder(m_dir.path());
    set("OB_TEMKAM", 31);
    main->recalculate();
    std::vector<ReportPage> pages;
    bool printed = false;
    QTimer::singleShot(0, podbor.get(), [&] {
        QApplication::setActiveWindow(podbor.get());
        QApplication::processEvents();
        EXPECT_FALSE(dm->taKat.active());
        EXPECT_EQ(named<QLabel>("Label3")->text(), "");
        QStringList shown;
        for (int c = 0; c < podbor->model().columnCount(); ++c)
            shown << podbor->model().headerData(c, Qt::Horizontal).toString();
        EXPECT_EQ(shown.filter("°С").size(), 0) << shown.join(" | ").toStdString();
        QTimer::singleShot(0, [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *preview = qobject_cast<ReportPreview *>(w); preview && preview->isVisible()) {
                    printed = true;
                    pages = preview->pages();
                    preview->close();
                }
        });
        QTest::mouseClick(named<QPushButton>("Button3"), Qt::LeftButton);
        podbor->close();
    });
    main->openSelection();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    ASSERT_TRUE(printed);
    ASSERT_EQ(pages.size(), 1u);
    for (const auto *code : pages[0].itemsOf("QRDBText15"))
        EXPECT_TRUE(code->text.isEmpty()) << "no system is listed";
    for (const char *title : {"QRLabel14", "QRLabel4", "QRLabel6"}) {
        const auto items = pages[0].itemsOf(title);
        EXPECT_TRUE(items.empty() || items.front()->text.isEmpty()) << title;
    }
}

} // namespace
} // namespace kvor::test
