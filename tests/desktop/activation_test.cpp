// Activation as the window manager hands it out: closing a modal window of the
// program and coming back from another program are no activation of the
// window below; coming back from a preview is.

#include "desktopfixture.h"

#include "app/additionaldatadialog.h"
#include "childnamed.h"
#include "reports/reportpreview.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>

namespace kvor::test {
namespace {

// The program's own visible preview, if one is up.
ReportPreview *openPreview()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<ReportPreview *>(w); p && p->isVisible())
            return p;
    return nullptr;
}

// Waits for the preview to have the focus, then closes it with Esc.
void closePreviewWhenUp()
{
    ReportPreview *preview = nullptr;
    if (!waitUntil([&] { return (preview = openPreview()) && isActive(preview); })) {
        ADD_FAILURE() << "the preview never got the focus";
        if (preview)
            preview->close();
        return;
    }
    QTest::keyClick(preview, Qt::Key_Escape);
}

using MainWindowActivation = DesktopTest;

TEST_F(MainWindowActivation, ClosingModalWindowsKeepsTheSelectionSoACapacityChangeDropsTheSystem)
{
    QString adoptedSis;
    whileOpen([&] { QTest::mouseClick(childNamed<QPushButton>(main.get(), "Button2"), Qt::LeftButton); },
              [&] {
                  if (!waitUntil([&] { return isActive(podbor.get()) && podbor->model().rowCount() > 0; }))
                      ADD_FAILURE() << "the selection window never listed anything";
                  // "Вибрати"
                  QTest::mouseClick(childNamed<QPushButton>(podbor.get(), "Button2"), Qt::LeftButton);
                  adoptedSis = field("SIS").toString();
                  // "Закрити"
                  QTest::mouseClick(childNamed<QPushButton>(podbor.get(), "Button1"), Qt::LeftButton);
              });
    ASSERT_TRUE(waitUntil([&] { return isActive(main.get()); }));
    ASSERT_FALSE(adoptedSis.isEmpty());
    ASSERT_NE(field("PROIZSYS").toInt(), 0);
    EXPECT_TRUE(main->selectionOpen()) << "back from the selection window";

    whileOpen([&] { QTest::mouseClick(childNamed<QPushButton>(main.get(), "Button3"), Qt::LeftButton); },
              [&] {
                  if (!waitUntil([&] { return isActive(add.get()); }))
                      ADD_FAILURE() << "the additional-data dialog never got the focus";
                  QTest::keyClick(add.get(), Qt::Key_Escape);
              });
    ASSERT_TRUE(waitUntil([&] { return isActive(main.get()); }));
    EXPECT_TRUE(main->selectionOpen()) << "back from the additional-data dialog";

    Prompts::setInstance(nullptr); // the real file dialog
    whileOpen([&] { Prompts::instance().openFileName(main.get(), m_dir.path(), QString(), "*.kvor|*.kvor", "kvor"); },
              [&] {
                  QWidget *dialog = nullptr;
                  if (!waitUntil([&] {
                          dialog = QApplication::activeModalWidget();
                          return qobject_cast<QFileDialog *>(dialog) && isActive(dialog);
                      }))
                      ADD_FAILURE() << "no file dialog got the focus";
                  if (auto *d = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()))
                      d->reject();
              });
    Prompts::setInstance(&prompts);
    ASSERT_TRUE(waitUntil([&] { return isActive(main.get()); }));
    EXPECT_TRUE(main->selectionOpen()) << "back from a file dialog";

    // A new capacity empties the adopted system, its code stays.
    set("OB_KAMDL", field("OB_KAMDL").toDouble() + 2);
    main->recalculate();
    for (const char *name : {"OBR_NAIM", "OBR_AGR", "OBR_VO", "OBR_SHKAF", "OBR_KMONT"})
        EXPECT_TRUE(field(name).toString().isEmpty()) << name;
    EXPECT_EQ(field("PROIZSYS").toInt(), 0);
    EXPECT_EQ(field("SIS").toString(), adoptedSis);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(MainWindowActivation, ComingBackFromAPreviewCountsFromAnotherProgramNot)
{
    main->setSelectionOpen(true);
    ForeignWindow other;
    ASSERT_TRUE(other.start());
    ASSERT_TRUE(other.activate());
    ASSERT_TRUE(switchTo(main->winId(), [&] { return isActive(main.get()); }));
    EXPECT_TRUE(main->selectionOpen()) << "back from another program";

    whileOpen([&] { childNamed<QAction>(main.get(), "iFilePrev")->trigger(); }, closePreviewWhenUp);
    ASSERT_TRUE(waitUntil([&] { return isActive(main.get()); }));
    EXPECT_FALSE(main->selectionOpen()) << "back from the preview";
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

class SelectionActivation : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        podbor->setMessageSink([this](const QString &text) { messages << text; });
    }
    // The row the list marks as current and the catalogue stands on.
    int currentRow() const
    {
        const int row = childNamed<QTableView>(podbor.get(), "DBGrid1")->currentIndex().row();
        return row >= 0 && dm->taKat.active() && dm->taKat.recNo() == podbor->model().recordAt(row) ? row : -1;
    }
    QStringList messages;
};

TEST_F(SelectionActivation, ComingBackFromAnotherProgramKeepsTheChosenRow)
{
    QString chosen;
    whileOpen([&] { QTest::mouseClick(childNamed<QPushButton>(main.get(), "Button2"), Qt::LeftButton); },
              [&] {
                  [&] {
                      ASSERT_TRUE(waitUntil([&] { return isActive(podbor.get()) && podbor->model().rowCount() > 2; }));
                      QTableView *grid = childNamed<QTableView>(podbor.get(), "DBGrid1");
                      QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                        grid->visualRect(podbor->model().index(2, 1)).center());
                      ASSERT_EQ(currentRow(), 2);
                      chosen = dm->taKat.value("SIS").toString();

                      ForeignWindow other;
                      ASSERT_TRUE(other.start());
                      ASSERT_TRUE(other.activate());
                      ASSERT_TRUE(switchTo(podbor->winId(), [&] { return isActive(podbor.get()); }));
                      EXPECT_EQ(currentRow(), 2) << "the list was built again";
                      // What the user sees, frame and all, for a look.
                      QDir().mkpath(QStringLiteral(KVOR_BIN_DIR "/screens"));
                      podbor->screen()
                          ->grabWindow(0, podbor->frameGeometry().x(), podbor->frameGeometry().y(),
                                       podbor->frameGeometry().width(), podbor->frameGeometry().height())
                          .save(QStringLiteral(KVOR_BIN_DIR "/screens/selection-desktop.png"));
                      // "Вибрати"
                      QTest::mouseClick(childNamed<QPushButton>(podbor.get(), "Button2"), Qt::LeftButton);
                      EXPECT_EQ(field("SIS").toString(), chosen.left(6));

                      // The preview of "Друк систем" is the program's own: coming back builds the list again.
                      whileOpen(
                          [&] {
                              QTest::mouseClick(childNamed<QPushButton>(podbor.get(), "Button3"), Qt::LeftButton);
                          },
                          closePreviewWhenUp);
                      ASSERT_TRUE(waitUntil([&] { return isActive(podbor.get()); }));
                      EXPECT_EQ(currentRow(), 0) << "the first match is current again";
                  }();
                  podbor->close();
              });
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(SelectionActivation, TheNoMatchMessageIsNotRepeatedOnComingBackFromAnotherProgram)
{
    set("OB_KAMDL", 90);
    set("OB_KAMSH", 90);
    main->recalculate();
    whileOpen([&] { QTest::mouseClick(childNamed<QPushButton>(main.get(), "Button2"), Qt::LeftButton); },
              [&] {
                  [&] {
                      ASSERT_TRUE(waitUntil([&] { return isActive(podbor.get()); }));
                      ASSERT_EQ(messages.size(), 1);
                      ForeignWindow other;
                      ASSERT_TRUE(other.start());
                      ASSERT_TRUE(other.activate());
                      ASSERT_TRUE(switchTo(podbor->winId(), [&] { return isActive(podbor.get()); }));
                      EXPECT_EQ(messages.size(), 1) << "the message came again";
                  }();
                  podbor->close();
              });
    EXPECT_EQ(messages, QStringList{"Не має обладнання під такі характеристики.  Зв'яжіться з нами !"});
}

} // namespace
} // namespace kvor::test
