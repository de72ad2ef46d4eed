#include "enginefixture.h"

#include "reports/core/reporterror.h"
#include "reports/reportpreview.h"
#include "reports/reportprinting.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>

using namespace kvor;
using namespace kvor::enginetest;

namespace {

// Lays out the list over `count` rows: 60 rows give two pages.
struct ListRender {
    int count = 60;
    int calls = 0;
    std::vector<ReportPage> operator()(const std::function<void(int)> &progress)
    {
        ++calls;
        const ReportDefinition def = listDefinition();
        auto master = masterRecord();
        auto list = rows(count);
        return layoutReport(def, {{"master", master.get()}, {"rows", list.get()}}, progress);
    }
};

class Preview : public ::testing::Test {
protected:
    void SetUp() override { ReportPreview::hooks() = {}; }
    void TearDown() override { ReportPreview::hooks() = {}; }

    std::unique_ptr<ReportPreview> open(ListRender &render)
    {
        auto preview = std::make_unique<ReportPreview>(
            nullptr, [&render](const std::function<void(int)> &p) { return render(p); }, m_settings);
        preview->resize(1000, 800);
        preview->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
        preview->renderReport();
        QApplication::processEvents();
        return preview;
    }

    static QString panel(ReportPreview &preview, const char *name)
    {
        return preview.findChild<QLabel *>(name)->text();
    }

    ReportPrinterSettings m_settings;
};

} // namespace

TEST_F(Preview, ToolBarButtonsHintsAndStatusPanels)
{
    ListRender render;
    ReportPreview preview(nullptr, [&render](const std::function<void(int)> &p) { return render(p); }, m_settings);
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Перегляд перед друком"));
    const std::vector<std::pair<const char *, const char *>> hints = {
        {"ZoomFit", "Показати всю сторінку"},
        {"Zoom100", "100%"},
        {"ZoomToWidth", "Максимально разтягнути"},
        {"FirstPage", "Перша сторінка"},
        {"PreviousPage", "Попередня сторінка"},
        {"ToolButton2", "Наступна сторінка"},
        {"LastPage", "Остання сторінка"},
        {"PrintSetup", "Налаштування принтера"},
        {"Print", "Друк"},
        {"SaveReport", "Зберегти звіт"},
        {"LoadReport", "Завантажити звіт"},
        {"ExitButton", "Закрити вікно попереднього перегляду"},
        {"SavePdf", "Зберегти PDF"},
    };
    for (const auto &[name, hint] : hints) {
        auto *b = preview.findChild<QToolButton *>(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(hint)) << name;
    }
    EXPECT_EQ(preview.findChild<QToolButton *>("ExitButton")->text(), QStringLiteral("&Закрити"));
    EXPECT_EQ(preview.findChild<QToolButton *>("SavePdf")->text(), QStringLiteral("Зберегти PDF"));
    EXPECT_TRUE(preview.button("ZoomToWidth")->isChecked());
    EXPECT_EQ(panel(preview, "ProgressPanel"), QStringLiteral("0%"));
    EXPECT_EQ(panel(preview, "PagePanel"), QStringLiteral("Лист"));
    EXPECT_FALSE(preview.button("PrintSetup")->isEnabled());
    EXPECT_FALSE(preview.button("Print")->isEnabled());

    preview.renderReport();
    EXPECT_EQ(render.calls, 1);
    EXPECT_EQ(preview.pageCount(), 2);
    EXPECT_EQ(panel(preview, "ProgressPanel"), QStringLiteral("100%"));
    EXPECT_EQ(panel(preview, "PagePanel"), QStringLiteral("Page 1 of 2"));
    EXPECT_TRUE(preview.button("PrintSetup")->isEnabled());
    EXPECT_TRUE(preview.button("Print")->isEnabled());
}

TEST_F(Preview, ProgressMovesInStepsOfAtLeastFivePerCent)
{
    QStringList seen;
    ReportPreview *self = nullptr;
    ReportPreview preview(
        nullptr,
        [&](const std::function<void(int)> &progress) {
            for (int p : {0, 3, 4, 5, 7, 9, 10, 50, 52, 99}) {
                progress(p);
                seen << self->findChild<QLabel *>("ProgressPanel")->text();
            }
            return std::vector<ReportPage>(1);
        },
        m_settings);
    self = &preview;
    preview.renderReport();
    EXPECT_EQ(seen, (QStringList{"0%", "0%", "0%", "5%", "5%", "5%", "10%", "50%", "50%", "99%"}));
    EXPECT_EQ(panel(preview, "ProgressPanel"), QStringLiteral("100%"));
}

TEST_F(Preview, ZoomModes)
{
    ListRender render;
    auto preview = open(render);
    auto *scroll = preview->findChild<QScrollArea *>("PageArea");
    const double w100 = 2100 / 254.0 * preview->logicalDpiX();
    const double h100 = 2970 / 254.0 * preview->logicalDpiY();

    // At open: the page width is 90 % of the area's width (beside the scroll bar it brings).
    EXPECT_EQ(preview->zoomMode(), ReportPreview::ZoomMode::Width);
    EXPECT_NEAR(preview->pagePixelSize().width(), 0.9 * scroll->viewport()->width(), 1.0);
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());

    QTest::mouseClick(preview->button("ZoomFit"), Qt::LeftButton);
    QApplication::processEvents();
    const QSize area = preview->pageAreaSize();
    const QSize fit = preview->pagePixelSize();
    EXPECT_TRUE(preview->button("ZoomFit")->isChecked());
    EXPECT_FALSE(preview->button("ZoomToWidth")->isChecked());
    EXPECT_LE(fit.width(), 0.95 * area.width() + 1);
    EXPECT_LE(fit.height(), 0.95 * area.height() + 1);
    EXPECT_TRUE(std::abs(fit.width() - 0.95 * area.width()) <= 1 || std::abs(fit.height() - 0.95 * area.height()) <= 1);
    // The whole page shows, centred in the area.
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
    auto *view = scroll->widget();
    EXPECT_NEAR(view->geometry().center().x(), scroll->viewport()->rect().center().x(), 2);
    EXPECT_NEAR(view->geometry().center().y(), scroll->viewport()->rect().center().y(), 2);

    QTest::mouseClick(preview->button("Zoom100"), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(preview->zoom(), 1.0);
    EXPECT_EQ(preview->pagePixelSize(), QSize(int(std::lround(w100)), int(std::lround(h100))));
    QApplication::processEvents();
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisible()); // a larger page scrolls

    QTest::mouseClick(preview->button("ZoomToWidth"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_NEAR(preview->pagePixelSize().width(), 0.9 * scroll->viewport()->width(), 1.0);
}

TEST_F(Preview, PageKeysAndButtons)
{
    ListRender render;
    render.count = 45 + 51 + 1; // three pages
    auto preview = open(render);
    ASSERT_EQ(preview->pageCount(), 3);
    const auto status = [&] { return panel(*preview, "PagePanel"); };
    EXPECT_EQ(status(), QStringLiteral("Page 1 of 3"));
    QTest::keyClick(preview.get(), Qt::Key_PageDown);
    EXPECT_EQ(status(), QStringLiteral("Page 2 of 3"));
    QTest::keyClick(preview.get(), Qt::Key_PageDown);
    QTest::keyClick(preview.get(), Qt::Key_PageDown); // on the last page PgDn stays there
    EXPECT_EQ(preview->currentPage(), 2);
    EXPECT_EQ(status(), QStringLiteral("Page 3 of 3"));
    QTest::keyClick(preview.get(), Qt::Key_PageUp);
    EXPECT_EQ(status(), QStringLiteral("Page 2 of 3"));
    QTest::keyClick(preview.get(), Qt::Key_Home);
    EXPECT_EQ(preview->currentPage(), 0);
    QTest::keyClick(preview.get(), Qt::Key_PageUp);
    EXPECT_EQ(preview->currentPage(), 0);
    QTest::keyClick(preview.get(), Qt::Key_End);
    EXPECT_EQ(preview->currentPage(), 2);
    QTest::keyClick(preview.get(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(preview->currentPage(), 0);
    QTest::keyClick(preview.get(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(preview->currentPage(), 2);

    // The page area does not swallow the keys when it has the focus.
    auto *scroll = preview->findChild<QScrollArea *>("PageArea");
    QTest::keyClick(scroll, Qt::Key_Home);
    EXPECT_EQ(preview->currentPage(), 0);

    QTest::mouseClick(preview->button("ToolButton2"), Qt::LeftButton);
    EXPECT_EQ(preview->currentPage(), 1);
    QTest::mouseClick(preview->button("LastPage"), Qt::LeftButton);
    EXPECT_EQ(preview->currentPage(), 2);
    QTest::mouseClick(preview->button("PreviousPage"), Qt::LeftButton);
    EXPECT_EQ(preview->currentPage(), 1);
    QTest::mouseClick(preview->button("FirstPage"), Qt::LeftButton);
    EXPECT_EQ(status(), QStringLiteral("Page 1 of 3"));

    QTest::keyClick(preview.get(), Qt::Key_Escape);
    EXPECT_FALSE(preview->isVisible());
}

TEST_F(Preview, ExitButtonCloses)
{
    ListRender render;
    auto preview = open(render);
    QTest::mouseClick(preview->button("ExitButton"), Qt::LeftButton);
    EXPECT_FALSE(preview->isVisible());
}

TEST_F(Preview, RunOpensMaximisedAndReturnsWhenClosed)
{
    ListRender render;
    bool maximised = false;
    QString title, status;
    QTimer::singleShot(0, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *preview = qobject_cast<ReportPreview *>(w); preview && preview->isVisible()) {
                maximised = preview->windowState() & Qt::WindowMaximized;
                title = preview->windowTitle();
                status = preview->findChild<QLabel *>("PagePanel")->text();
                preview->close();
            }
        }
    });
    ReportPreview::run(nullptr, ReportPreview::Render([&render] { return render({}); }), m_settings);
    EXPECT_TRUE(maximised);
    EXPECT_EQ(title, QStringLiteral("Перегляд перед друком"));
    EXPECT_EQ(status, QStringLiteral("Page 1 of 2"));
    EXPECT_EQ(render.calls, 1);
}

TEST_F(Preview, RenderErrorClosesTheWindowAndPropagates)
{
    EXPECT_THROW(ReportPreview::run(
                     nullptr, ReportPreview::Render([]() -> std::vector<ReportPage> { throw ReportError("boom"); }),
                     m_settings),
                 ReportError);
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<ReportPreview *>(w) && w->isVisible());
}

TEST_F(Preview, SaveLoadAndPdfThroughTheButtons)
{
    QTemporaryDir dir;
    QString answer;
    QStringList messages;
    ReportPreview::hooks().fileName = [&](QWidget *, const QString &, const QString &, bool) { return answer; };
    ReportPreview::hooks().message = [&](QWidget *, const QString &text) { messages << text; };
    ListRender render;
    auto preview = open(render);
    const std::vector<ReportPage> shown = preview->pages();

    answer = dir.filePath("saved"); // the extension is added
    QTest::mouseClick(preview->button("SaveReport"), Qt::LeftButton);
    ASSERT_TRUE(QFile::exists(dir.filePath("saved.kvrep")));

    ListRender other;
    other.count = 5;
    auto second = open(other);
    EXPECT_EQ(second->pageCount(), 1);
    QTest::keyClick(second.get(), Qt::Key_End);
    answer = dir.filePath("saved.kvrep");
    QTest::mouseClick(second->button("LoadReport"), Qt::LeftButton);
    EXPECT_TRUE(second->pages() == shown);
    EXPECT_EQ(panel(*second, "PagePanel"), QStringLiteral("Page 1 of 2"));
    EXPECT_TRUE(messages.isEmpty());

    answer = dir.filePath("missing.kvrep");
    QTest::mouseClick(second->button("LoadReport"), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{"File does not exist"});
    EXPECT_EQ(second->pageCount(), 2); // what was shown stays

    answer = dir.filePath("report.pdf");
    QTest::mouseClick(preview->button("SavePdf"), Qt::LeftButton);
    QFile pdf(answer);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    answer.clear(); // cancelled dialogs do nothing
    QTest::mouseClick(preview->button("SaveReport"), Qt::LeftButton);
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(Preview, PrintSetupStoresChoicesAndPrintRendersAgain)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("printed.pdf");
    int minPage = -1, maxPage = -1;
    bool confirm = false;
    ReportPreview::hooks().printDialog = [&](QPrintDialog &dialog) {
        minPage = dialog.minPage();
        maxPage = dialog.maxPage();
        QPrinter *printer = dialog.printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(out);
        printer->setCopyCount(2);
        printer->setPrintRange(QPrinter::PageRange);
        printer->setFromTo(2, 2);
        return confirm;
    };
    ListRender render;
    auto preview = open(render);

    QTest::mouseClick(preview->button("PrintSetup"), Qt::LeftButton);
    EXPECT_EQ(minPage, 1);
    EXPECT_EQ(maxPage, 2);
    EXPECT_EQ(m_settings.copies, 1); // cancelled: unchanged
    EXPECT_TRUE(m_settings.outputFile.isEmpty());

    confirm = true;
    QTest::mouseClick(preview->button("PrintSetup"), Qt::LeftButton);
    EXPECT_EQ(m_settings.copies, 2);
    EXPECT_EQ(m_settings.fromPage, 2);
    EXPECT_EQ(m_settings.toPage, 2);
    EXPECT_EQ(m_settings.outputFile, out);
    EXPECT_FALSE(QFile::exists(out)); // nothing printed yet
    EXPECT_EQ(render.calls, 1);

    // Settings outlive the window: a new preview prints with them.
    preview.reset();
    auto again = open(render);
    QTest::mouseClick(again->button("Print"), Qt::LeftButton);
    EXPECT_EQ(render.calls, 3); // laid out anew for the printer
    EXPECT_TRUE(QFile::exists(out));
}

TEST_F(Preview, DirectPrintDialogCancelRendersNothing)
{
    int calls = 0;
    QString dialogName;
    ReportPreview::hooks().printDialog = [&](QPrintDialog &dialog) {
        dialogName = dialog.objectName();
        return false;
    };
    EXPECT_FALSE(printReportWithDialog(nullptr, [&] {
        ++calls;
        return std::vector<ReportPage>(1);
    }));
    EXPECT_EQ(dialogName, QStringLiteral("PrintDialog1"));
    EXPECT_EQ(calls, 0);

    QTemporaryDir dir;
    const QString out = dir.filePath("direct.pdf");
    ReportPreview::hooks().printDialog = [&](QPrintDialog &dialog) {
        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog.printer()->setOutputFileName(out);
        return true;
    };
    ListRender render;
    EXPECT_TRUE(printReportWithDialog(nullptr, [&] { return render({}); }));
    EXPECT_EQ(render.calls, 1);
    EXPECT_TRUE(QFile::exists(out));
}

TEST_F(Preview, LooksRight)
{
    ListRender render;
    auto preview = open(render);
    QTest::mouseClick(preview->button("ZoomFit"), Qt::LeftButton);
    QApplication::processEvents();
    const QImage shot = preview->grab().toImage();
    EXPECT_TRUE(shot.save("/tmp/preview.png"));
    // Somewhere in the middle of the page area the page is white.
    const QWidget *view = preview->findChild<QScrollArea *>("PageArea")->widget();
    const QPoint centre = view->mapTo(preview.get(), view->rect().center());
    EXPECT_EQ(shot.pixel(centre.x(), centre.y() + 40), qRgb(255, 255, 255));
}
