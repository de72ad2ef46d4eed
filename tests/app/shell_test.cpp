#include "appfixture.h"

#include "app/newsign.h"
#include "app/newspanel.h"
#include "childnamed.h"
#include "input/dbcombobox.h"
#include "input/dbedit.h"

#include "selection/windowactivation.h"
#include "storage/dbftable.h"
#include "storage/tabledefs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QFrame>
#include <QTemporaryDir>
#include <QLineEdit>

using namespace kvor;
using namespace kvor::test;

namespace {

// Reads one field of a calculation file as the table layer does.
QVariant stored(const QString &path, const char *field)
{
    DbfTable t;
    t.setTableName(path);
    t.open();
    return t.value(QString::fromLatin1(field));
}

} // namespace

TEST_F(AppTest, StartUpOpensTheReferenceTablesInOrder)
{
    std::vector<QString> names;
    for (DbfTable *t : dm->startupTables())
        names.push_back(t->objectName());
    EXPECT_EQ(names, (std::vector<QString>{"taMater", "taIzolm", "taRegion", "taInt", "taProd", "taTara", "taIsp",
                                           "taGrups", "taInit", "taRec"}));
    start();
    for (DbfTable *t : dm->startupTables())
        EXPECT_TRUE(t->active()) << t->objectName().toStdString();
    EXPECT_FALSE(dm->taWork.active());
    EXPECT_FALSE(dm->taKat.active());
    EXPECT_EQ(main->dataDir(), QDir(m_appDir).filePath("DATA"));
    EXPECT_EQ(main->windowTitle(), "Nivra");
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_FALSE(childNamed<QAction>(main.get(), "iFileSave")->isEnabled());
    EXPECT_FALSE(childNamed<QAction>(main.get(), "iFileClose")->isEnabled());
}

TEST_F(AppTest, AMissingTableEndsTheProgramWithOneMessage)
{
    QFile::remove(dataFile("s_tara.DBF"));
    main->show();
    main->onActivated();
    EXPECT_EQ(prompts.messages, QStringList{"Ошибка подключения справочников !"});
    EXPECT_FALSE(main->tablesOpened());
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(dm->taIsp.active()) << "nothing after the failing table is opened";
}

TEST_F(AppTest, NoDataFolderAtAll)
{
    QDir(QDir(m_appDir).filePath("DATA")).removeRecursively();
    main->onActivated();
    EXPECT_EQ(prompts.messages, QStringList{"Ошибка подключения справочников !"});
}

TEST_F(AppTest, ActivationReopensNothingAndClearsTheSelectionFlag)
{
    start();
    main->setSelectionOpen(true);
    main->onActivated();
    EXPECT_FALSE(main->selectionOpen());
    EXPECT_TRUE(dm->taMater.active());
    // Coming back from a preview counts, from a modal dialog or another program not.
    EXPECT_TRUE(WindowActivation::counts(true, false, false));
    EXPECT_TRUE(WindowActivation::counts(false, true, false));
    EXPECT_FALSE(WindowActivation::counts(false, true, true));
    EXPECT_FALSE(WindowActivation::counts(false, false, false));
}

TEST_F(AppTest, NewCopiesTheTemplateAndOpensIt)
{
    start();
    newCalculation("first.kvor");
    const QString path = userFile("first.kvor");
    ASSERT_TRUE(dm->taWork.active());
    EXPECT_EQ(prompts.presets.value(0), "НовийРозрах.kvor");
    EXPECT_EQ(main->windowTitle(), path);
    EXPECT_TRUE(childNamed<QFrame>(main.get(), "Panel4")->isVisibleTo(main.get()));
    EXPECT_TRUE(childNamed<QAction>(main.get(), "iFileSave")->isEnabled());
    EXPECT_TRUE(childNamed<QAction>(main.get(), "iFilePrev")->isEnabled());
    EXPECT_FALSE(childNamed<NewSign>(main.get(), "anim")->animating());
    EXPECT_DOUBLE_EQ(dm->taWork.value("IN_VSHTAB").toDouble(), 2.5) << "stacking height from the 3 m chamber";
    EXPECT_DOUBLE_EQ(dm->taWork.value("ob_kamv").toDouble(), 72.0);
    EXPECT_EQ(main->processingModeItem(), 0);
    EXPECT_EQ(main->productCategoryText(), "Мясне");
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(AppTest, NewOntoAnExistingFileAsksFirst)
{
    start();
    QFile other(userFile("keep.kvor"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("somebody's work");
    other.close();
    prompts.answers.push_back(false);
    newCalculation("keep.kvor");
    EXPECT_EQ(prompts.messages.value(0), "Файл " + userFile("keep.kvor") + " вже існує. Замінити його?");
    EXPECT_EQ(bytes(userFile("keep.kvor")), QByteArray("somebody's work")) << "No changes nothing";
    EXPECT_FALSE(dm->taWork.active());
    prompts.answers.push_back(true);
    newCalculation("keep.kvor");
    EXPECT_TRUE(dm->taWork.active());
    EXPECT_EQ(dm->taWork.value("OB_RGNAIM").toString(), "Киевская");
}

TEST_F(AppTest, IncludeBoxesRoundTripThroughTheFile)
{
    start();
    newCalculation("boxes.kvor");
    main->includeBox(3)->setChecked(false);
    main->closeFile();
    EXPECT_FALSE(dm->taWork.active());
    EXPECT_FALSE(childNamed<QFrame>(main.get(), "Panel4")->isVisibleTo(main.get()));
    EXPECT_FALSE(childNamed<QAction>(main.get(), "iFileSave")->isEnabled());
    EXPECT_EQ(main->windowTitle(), userFile("boxes.kvor")) << "Close leaves the caption";
    EXPECT_FALSE(stored(userFile("boxes.kvor"), "CH3").toBool());
    EXPECT_TRUE(stored(userFile("boxes.kvor"), "CH4").toBool());

    main->includeBox(3)->setChecked(true);
    prompts.files.push_back(userFile("boxes.kvor"));
    main->openFile();
    ASSERT_TRUE(dm->taWork.active());
    EXPECT_FALSE(main->includeBox(3)->isChecked());
    EXPECT_TRUE(main->includeBox(4)->isChecked());
}

TEST_F(AppTest, OpeningAFileWithAnUnknownProductFallsBack)
{
    start();
    newCalculation("product.kvor");
    dm->taWork.edit();
    dm->taWork.setValue("TE_PTIP", "Неизвестный");
    dm->taWork.setValue("OB_KAMVS", 0.4);
    dm->taWork.setValue("OB_TERMR", "Охлаждение");
    main->closeFile();
    prompts.files.push_back(userFile("product.kvor"));
    main->openFile();
    ASSERT_TRUE(dm->taWork.active());
    // The first product of the table, in its own category.
    dm->taProd.setFiltered(false);
    dm->taProd.first();
    EXPECT_EQ(main->productCategoryText(), dm->taProd.value("TIP").toString());
    EXPECT_EQ(dm->taWork.value("TE_PTIP").toString(), dm->taProd.value("NAIM").toString());
    EXPECT_DOUBLE_EQ(dm->taWork.value("IN_VSHTAB").toDouble(), 0.0);
    EXPECT_EQ(main->processingModeItem(), 1);
}

TEST_F(AppTest, ClosingTheWindowWritesTheRecord)
{
    start();
    newCalculation("exit.kvor");
    dm->taWork.edit();
    dm->taWork.setValue("KL_NAIM", "Клієнт");
    main->includeBox(9)->setChecked(false);
    EXPECT_TRUE(main->close());
    EXPECT_FALSE(dm->taWork.active());
    EXPECT_EQ(stored(userFile("exit.kvor"), "KL_NAIM").toString(), "Клiєнт") << "і has no place in the file's code page";
    EXPECT_FALSE(stored(userFile("exit.kvor"), "CH9").toBool());
}

TEST_F(AppTest, OldFilesAreConvertedBesideThemselves)
{
    start();
    const QByteArray templateBefore = bytes(dataFile("trec.dbf"));
    // An earlier version's file: the record's fields but KOLSYS, with its own values.
    const QString old = oldCalculation("A.dbf", {{"OB_RGTMAX", 27}, {"OB_KAMDL", 9.5}, {"KL_NAIM", QStringLiteral("Старый клиент")}, {"CH5", false}});
    prompts.files.push_back(old);
    main->openFile();
    const QString target = userFile("A.kvor");
    EXPECT_EQ(prompts.messages, (QStringList{"Указанный расчет не может быть открыт !",
                                              "Файл расчета преобразован в " + target,
                                              "Для работы откройте файл " + target}));
    EXPECT_FALSE(dm->taWork.active());
    EXPECT_EQ(main->windowTitle(), "Kvor");
    EXPECT_EQ(stored(target, "OB_RGTMAX").toInt(), 27);
    EXPECT_DOUBLE_EQ(stored(target, "OB_KAMDL").toDouble(), 9.5);
    EXPECT_EQ(stored(target, "KL_NAIM").toString(), "Старый клиент");
    EXPECT_FALSE(stored(target, "CH5").toBool());
    EXPECT_EQ(stored(target, "KOLSYS").toInt(), stored(dataFile("trec.dbf"), "KOLSYS").toInt())
        << "a field the old file lacks takes the template's value";
    EXPECT_EQ(bytes(dataFile("trec.dbf")), templateBefore) << "the supplied template stays as shipped";

    // A second conversion of a file lacking more fields still gets the template's values.
    const QString older = userFile("B.dbf");
    DbfTable::create(older, {{"OB_RGTMAX", 'N', 4, 0}});
    {
        DbfTable t;
        t.setTableName(older);
        t.open();
        t.append();
        t.setValue("OB_RGTMAX", 30);
        t.post();
    }
    prompts.messages.clear();
    prompts.files.push_back(older);
    main->openFile();
    EXPECT_EQ(stored(userFile("B.kvor"), "OB_KAMDL").toDouble(), stored(dataFile("trec.dbf"), "OB_KAMDL").toDouble())
        << "nothing of the previous conversion leaks in";
    EXPECT_EQ(stored(userFile("B.kvor"), "KL_NAIM").toString(), stored(dataFile("trec.dbf"), "KL_NAIM").toString());

    // Opening the converted file works.
    prompts.files.push_back(target);
    main->openFile();
    EXPECT_TRUE(dm->taWork.active());
}

TEST_F(AppTest, ATableWithoutTheRegionFieldIsNotConverted)
{
    start();
    const QString path = userFile("other.dbf");
    DbfTable::create(path, {{"NAME", 'C', 10, 0}});
    const QByteArray before = bytes(path);
    prompts.files.push_back(path);
    main->openFile();
    EXPECT_EQ(prompts.messages,
              (QStringList{"Указанный расчет не может быть открыт !",
                           "Это не файл расчета Kvor ! Указанный файл не может быть открыт или преобразован !"}));
    EXPECT_EQ(bytes(path), before);
    EXPECT_FALSE(QFileInfo::exists(userFile("other.kvor")));
    EXPECT_EQ(main->windowTitle(), "Kvor");
}

TEST_F(AppTest, SaveUnderTheSameAndAnotherName)
{
    start();
    newCalculation("one.kvor");
    dm->taWork.edit();
    dm->taWork.setValue("KL_PRIM", "note");
    prompts.files.push_back(userFile("one.kvor"));
    main->saveFile();
    EXPECT_EQ(prompts.presets.last(), userFile("one.kvor"));
    EXPECT_EQ(stored(userFile("one.kvor"), "KL_PRIM").toString(), "note");
    ASSERT_TRUE(dm->taWork.active());

    // Another existing file: asked, and No leaves both alone.
    QFile busy(userFile("busy.kvor"));
    ASSERT_TRUE(busy.open(QIODevice::WriteOnly));
    busy.write("x");
    busy.close();
    prompts.files.push_back(userFile("busy.kvor"));
    prompts.answers.push_back(false);
    main->saveFile();
    EXPECT_EQ(bytes(userFile("busy.kvor")), QByteArray("x"));
    EXPECT_EQ(main->windowTitle(), userFile("one.kvor"));

    prompts.files.push_back(userFile("two.kvor"));
    main->saveFile();
    EXPECT_EQ(main->windowTitle(), userFile("two.kvor"));
    EXPECT_EQ(dm->taWork.tableName(), userFile("two.kvor"));
    EXPECT_EQ(stored(userFile("one.kvor"), "KL_PRIM").toString(), "note") << "the old file keeps the record";
    EXPECT_EQ(stored(userFile("two.kvor"), "KL_PRIM").toString(), "note");
}

TEST_F(AppTest, SaveOfAnOldFileProposesItsBareName)
{
    start();
    newCalculation("legacy.kvor");
    main->closeFile();
    QFile::rename(userFile("legacy.kvor"), userFile("LEGACY.DBF"));
    prompts.files.push_back(userFile("LEGACY.DBF"));
    main->openFile();
    ASSERT_TRUE(dm->taWork.active());
    main->saveFile(); // cancelled
    EXPECT_EQ(prompts.presets.last(), "LEGACY");
}

TEST_F(AppTest, SaveAndCloseWithoutACalculationDoNothing)
{
    start();
    main->saveFile();
    EXPECT_TRUE(prompts.presets.isEmpty()) << "no dialog while nothing is open";
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(AppTest, ExecutorsAreAddedOnceAndDeletedByMark)
{
    start();
    newCalculation("isp.kvor");
    auto *list = childNamed<DbComboBox>(add.get(), "DBComboBox4");
    dm->taWork.edit();
    dm->taWork.setValue("OB_ISP", "Петренко");
    add->addExecutor();
    EXPECT_EQ(list->count(), 1);
    dm->taWork.edit();
    dm->taWork.setValue("OB_ISP", "ПЕТРЕНКО");
    add->addExecutor();
    EXPECT_EQ(list->count(), 1) << "the same name in another case is not added again";
    dm->taWork.edit();
    dm->taWork.setValue("OB_ISP", "Авраменко");
    add->addExecutor();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), "Авраменко") << "sorted";

    add->removeExecutor();
    EXPECT_EQ(list->count(), 1);
    EXPECT_FALSE(dm->taWork.value("OB_ISP").isValid()) << "the calculation's executor is emptied";
    EXPECT_EQ(dm->taIsp.recordCount(), 2) << "the record stays, marked deleted";

    // A name deleted earlier is found by Locate and not added again.
    dm->taWork.edit();
    dm->taWork.setValue("OB_ISP", "Авраменко");
    add->addExecutor();
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(dm->taIsp.recordCount(), 2);
}

TEST_F(AppTest, TheFolderSettingIsStoredOnEveryEdit)
{
    start();
    EXPECT_EQ(main->fileFolder(), AdditionalDataDialog::defaultFolder()) << "an empty stored folder means the default";
    childNamed<QLineEdit>(add.get(), "DirectoryEdit1")->setText("/tmp/calcs");
    EXPECT_EQ(main->fileFolder(), "/tmp/calcs");
    EXPECT_EQ(stored(dataFile("S_INIT.DBF"), "DIR").toString(), "/tmp/calcs");
}

// Without a stored folder the dialogs start in the user's documents folder as
// the desktop names it (user-dirs.dirs), or at home while that does not exist.
TEST(DefaultFolder, DocumentsWhenTheyExistElseHome)
{
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    const QString documents = config.filePath("Документи");
    QFile dirs(config.filePath("user-dirs.dirs"));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write(QString("XDG_DOCUMENTS_DIR=\"%1\"\n").arg(documents).toUtf8());
    dirs.close();
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString missing = AdditionalDataDialog::defaultFolder();
    QDir().mkpath(documents);
    const QString present = AdditionalDataDialog::defaultFolder();
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
    EXPECT_EQ(missing, QDir::homePath());
    EXPECT_EQ(present, documents);
}

TEST_F(AppTest, TheNewSignTogglesTheNews)
{
    EXPECT_TRUE(childNamed<NewSign>(main.get(), "anim")->animating());
    main->toggleNews();
    EXPECT_TRUE(childNamed<NewsPanel>(main.get(), "intro")->isVisibleTo(main.get()));
    EXPECT_TRUE(childNamed<NewsPanel>(main.get(), "intro")->scrolling());
    EXPECT_FALSE(childNamed<NewSign>(main.get(), "anim")->animating());
    main->toggleNews();
    EXPECT_FALSE(childNamed<NewsPanel>(main.get(), "intro")->isVisibleTo(main.get()));
    EXPECT_FALSE(childNamed<NewsPanel>(main.get(), "intro")->scrolling());
    EXPECT_TRUE(childNamed<NewSign>(main.get(), "anim")->animating());
}

TEST_F(AppTest, ToolBarButtonsRunTheMenuCommands)
{
    start();
    auto *bNew = main->findChild<QAction *>("bFileNew");
    auto *bSave = main->findChild<QAction *>("bFileSave");
    auto *bClose = main->findChild<QAction *>("bFileClose");
    ASSERT_TRUE(bNew && bSave && bClose);
    EXPECT_EQ(bNew->toolTip(), "Створити новий розрахунок");
    EXPECT_EQ(bSave->statusTip(), "Зберегти файл разрахунку");
    EXPECT_FALSE(bSave->isEnabled());
    prompts.files.push_back(userFile("bar.kvor"));
    bNew->trigger();
    ASSERT_TRUE(dm->taWork.active());
    EXPECT_TRUE(bSave->isEnabled());
    EXPECT_TRUE(bClose->isEnabled());
    bClose->trigger();
    EXPECT_FALSE(dm->taWork.active());
    EXPECT_FALSE(bSave->isEnabled());
    EXPECT_EQ(childNamed<QAction>(main.get(), "FileNew1")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(childNamed<QAction>(main.get(), "iFileSave")->shortcut(), QKeySequence("Ctrl+S"));
}

TEST_F(AppTest, EditCommandsFollowTheFocusedFieldAndClipboard)
{
    start();
    newCalculation("edit.kvor");
    main->show();
    QLineEdit *edit = childNamed<DbEdit>(add.get(), "DBEdit1");
    add->show();
    edit->setText("abc");
    edit->setFocus();
    QApplication::processEvents();
    if (QApplication::focusWidget() != edit)
        GTEST_SKIP() << "this platform gives no keyboard focus offscreen";
    edit->deselect();
    QApplication::processEvents();
    EXPECT_FALSE(childNamed<QAction>(main.get(), "EditCopy1")->isEnabled()) << "nothing selected";
    edit->selectAll();
    QApplication::processEvents();
    EXPECT_TRUE(childNamed<QAction>(main.get(), "EditCopy1")->isEnabled());
    EXPECT_TRUE(childNamed<QAction>(main.get(), "EditCut1")->isEnabled());
    childNamed<QAction>(main.get(), "EditCopy1")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "abc");
    EXPECT_TRUE(childNamed<QAction>(main.get(), "EditPaste1")->isEnabled());
    add->hide();
}
