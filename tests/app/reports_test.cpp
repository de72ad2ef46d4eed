#include "appfixture.h"

#include "childnamed.h"
#include "input/inputpanel.h"
#include "input/numericedit.h"
#include "input/pagecontrol.h"
#include "reports/core/calculationreport.h"
#include "reports/core/equipmentlistreport.h"
#include "reports/reportpreview.h"
#include "selection/selectionwindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace kvor::test {
namespace {

QString textOf(const ReportPage &page, const char *element)
{
    const auto items = page.itemsOf(QString::fromLatin1(element));
    return items.empty() ? QString() : items.front()->text;
}

class ReportCommandsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        podbor = std::make_unique<SelectionWindow>(main.get());
        podbor->setMessageSink([](const QString &) {});
        main->setSelectionWindow(podbor.get());
        main->setReportForms(&report, &list);
        report.setTitleFolder(m_dir.path());
        list.setTitleFolder(m_dir.path());
        start();
        newCalculation(QStringLiteral("calc.kvor"));
        ASSERT_TRUE(dm->taWork.active());
        main->show();
        QApplication::setActiveWindow(main.get());
        QApplication::processEvents();
    }
    void TearDown() override
    {
        ReportPreview::hooks() = {};
        podbor.reset();
        AppTest::TearDown();
    }

    CalculationReport report;
    EquipmentListReport list;
    std::unique_ptr<SelectionWindow> podbor;
};

TEST_F(ReportCommandsTest, APendingEditIsPrintedWithTheResultsOfTheRunBeforeIt)
{
    auto *length = qobject_cast<NumericEdit *>(main->inputPanel()->widget("DBEdit38"));
    ASSERT_NE(length, nullptr);
    auto *pages = qobject_cast<PageControl *>(main->inputPanel()->widget("Page95Control1"));
    for (int i = 0; i < pages->count(); ++i)
        if (pages->widget(i)->isAncestorOf(length))
            pages->setCurrentIndex(i);
    const QString walls = main->reportLabels().text("QRLabel76");
    const double required = main->resultValue(11);
    length->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(length->hasFocus());
    length->selectAll();
    QTest::keyClicks(length, "9");

    // What the preview and print commands render, without leaving the field.
    const std::vector<ReportPage> rendered = report.render();
    ASSERT_EQ(rendered.size(), 1u);
    EXPECT_EQ(textOf(rendered[0], "QRDBText9"), "9") << "the new length is printed";
    EXPECT_EQ(dm->taWork.value("OB_KAMDL").toDouble(), 9.0) << "and posted";
    EXPECT_EQ(textOf(rendered[0], "QRLabel76"), walls) << "with the results of the run before it";
    EXPECT_EQ(main->resultValue(11), required) << "nothing recalculated";
    EXPECT_EQ(textOf(rendered[0], "QRLabel90"), QDir::toNativeSeparators(userFile("calc.kvor")));
    EXPECT_EQ(textOf(rendered[0], "QRLabel89"), childNamed<QLabel>(main.get(), "Label66")->text());
}

TEST_F(ReportCommandsTest, CancellingThePrintDialogPrintsAndChangesNothing)
{
    main->saveFile();
    const QByteArray before = bytes(userFile("calc.kvor"));
    int dialogs = 0;
    ReportPreview::hooks().printDialog = [&](QPrintDialog &d) {
        ++dialogs;
        EXPECT_EQ(d.objectName(), "PrintDialog1");
        return false;
    };
    childNamed<QAction>(main.get(), "iFilePrint")->trigger();
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    main->saveFile();
    EXPECT_EQ(bytes(userFile("calc.kvor")), before);
}

TEST_F(ReportCommandsTest, ThePreviewOpensOverTheCalculationAndClosesWithEsc)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *preview = qobject_cast<ReportPreview *>(w);
            if (!preview || !preview->isVisible())
                continue;
            seen = true;
            EXPECT_EQ(preview->windowTitle(), "Перегляд перед друком");
            EXPECT_TRUE(preview->isMaximized());
            EXPECT_EQ(preview->pageCount(), 1);
            QTest::keyClick(preview, Qt::Key_Escape);
        }
    });
    childNamed<QAction>(main.get(), "iFilePrev")->trigger();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(ReportCommandsTest, TheEquipmentListFromTheSelectionWindowRebuildsTheListOnReturn)
{
    int listed = -1;
    bool previewed = false;
    QTimer::singleShot(0, [&] {
        QApplication::setActiveWindow(podbor.get());
        QApplication::processEvents();
        listed = podbor->model().rowCount();
        ASSERT_GT(listed, 1);
        // The second row is current when the list is printed.
        childNamed<QTableView>(podbor.get(), "DBGrid1")->setFocus();
        QTest::keyClick(childNamed<QTableView>(podbor.get(), "DBGrid1"), Qt::Key_Down);
        ASSERT_EQ(dm->taKat.recNo(), podbor->model().recordAt(1));
        QTimer::singleShot(0, [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *preview = qobject_cast<ReportPreview *>(w);
                if (!preview || !preview->isVisible())
                    continue;
                previewed = true;
                // Every listed system is printed: one page here, the catalogue on its last row.
                const std::vector<ReportPage> &pages = preview->pages();
                ASSERT_EQ(pages.size(), 1u);
                EXPECT_EQ(int(pages[0].itemsOf("QRDBText15").size()), listed);
                EXPECT_EQ(dm->taKat.recNo(), podbor->model().recordAt(listed - 1));
                EXPECT_EQ(textOf(pages[0], "QRLabel14"), podbor->temperatureHeading());
                preview->close();
            }
        });
        QTest::mouseClick(childNamed<QPushButton>(podbor.get(), "Button3"), Qt::LeftButton);
        // Back in the selection window: its activation built the list again.
        QApplication::setActiveWindow(podbor.get());
        QApplication::processEvents();
        EXPECT_EQ(dm->taKat.recNo(), podbor->model().recordAt(0)) << "the first match is current again";
        podbor->close();
    });
    main->openSelection();
    EXPECT_TRUE(previewed);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

} // namespace
} // namespace kvor::test
