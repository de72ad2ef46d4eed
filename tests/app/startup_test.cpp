#include "appfixture.h"

#include "app/startup.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QTemporaryDir>

#include <unistd.h>

namespace kvor::test {

namespace {

// The file names and contents of a folder, for comparing copies.
QMap<QString, QByteArray> contents(const QString &folder)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            out.insert(QDir(folder).relativeFilePath(path), f.readAll());
    }
    return out;
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void copyFiles(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QString &name : QDir(from).entryList(QDir::Files))
        QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// An install laid out like the package: the executable's folder with DATA,
// and a home folder of its own.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_exeDir = m_root.filePath("opt/kvor");
        m_shipped = QDir(m_exeDir).filePath("DATA");
        copyFiles(QStringLiteral(KVOR_DATA_DIR), m_shipped);
        m_home = m_root.filePath("home/user");
        QDir().mkpath(m_home);
    }

    void TearDown() override
    {
        // Give back write permission so the temporary folder can go.
        QDirIterator it(m_root.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The install folder as a user who cannot write it sees it. Root writes
    // anything, so under root the check is told instead.
    StartupOptions::Environment readOnlyInstall(const QString &xdg = QString())
    {
        QFile::setPermissions(m_shipped, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        for (const QString &name : QDir(m_shipped).entryList(QDir::Files))
            QFile::setPermissions(QDir(m_shipped).filePath(name), QFile::ReadOwner | QFile::ReadOther);
        StartupOptions::Environment env{m_exeDir, xdg, m_home, {}};
        if (geteuid() == 0)
            env.writable = [this](const QString &folder) { return folder != m_shipped; };
        else
            env.writable = &StartupOptions::Environment::folderWritable;
        return env;
    }

    QTemporaryDir m_root;
    QString m_exeDir;
    QString m_shipped;
    QString m_home;
};

} // namespace

TEST_F(StartupTest, APortableFolderUsesItsOwnData)
{
    const StartupOptions::Environment env{m_exeDir, m_root.filePath("xdg"), m_home,
                                          &StartupOptions::Environment::folderWritable};
    StartupOptions options;
    options.chooseDataFolder(env);
    EXPECT_EQ(options.applicationDir(), m_exeDir);
    EXPECT_EQ(options.dataDir(), m_shipped);
    EXPECT_FALSE(options.usesUserCopy());
    EXPECT_TRUE(options.warning().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(m_root.filePath("xdg/kvor"))) << "nothing is copied for a portable folder";
}

TEST_F(StartupTest, AReadOnlyInstallIsCopiedOnceAndTheCopyKept)
{
    const QString xdg = m_root.filePath("xdg");
    const QString copy = xdg + "/kvor/DATA";
    const StartupOptions::Environment env = readOnlyInstall(xdg);
    const auto shipped = contents(m_shipped);
    ASSERT_GE(shipped.size(), 15);

    StartupOptions first;
    first.chooseDataFolder(env);
    EXPECT_TRUE(first.usesUserCopy());
    EXPECT_EQ(first.applicationDir(), xdg + "/kvor");
    EXPECT_EQ(first.dataDir(), copy);
    EXPECT_TRUE(first.warning().isEmpty()) << first.warning().toStdString();
    EXPECT_EQ(contents(copy), shipped);
    for (const QString &name : QDir(copy).entryList(QDir::Files))
        EXPECT_TRUE(QFile::permissions(QDir(copy).filePath(name)) & QFile::WriteOwner) << name.toStdString();
    EXPECT_TRUE(StartupOptions::Environment::folderWritable(copy));

    // The program writes its settings into the copy; the next start keeps them
    // and ignores whatever the install now holds.
    writeFile(copy + "/S_INIT.DBF", "the user's settings");
    QFile::setPermissions(m_shipped, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writeFile(m_shipped + "/added.dbf", "newer install");
    QFile::setPermissions(m_shipped, QFile::ReadOwner | QFile::ExeOwner);

    StartupOptions second;
    second.chooseDataFolder(env);
    EXPECT_TRUE(second.usesUserCopy());
    EXPECT_EQ(second.dataDir(), copy);
    EXPECT_EQ(readBytes(copy + "/S_INIT.DBF"), QByteArray("the user's settings"));
    EXPECT_FALSE(QFileInfo::exists(copy + "/added.dbf"));
    EXPECT_EQ(QDir(xdg + "/kvor").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"DATA"});
}

TEST_F(StartupTest, WithoutXdgDataHomeTheCopyGoesUnderTheHomeFolder)
{
    for (const QString &xdg : {QString(), QString("relative/data")}) {
        SCOPED_TRACE(xdg.toStdString());
        StartupOptions options;
        options.chooseDataFolder(readOnlyInstall(xdg));
        EXPECT_EQ(options.dataDir(), m_home + "/.local/share/kvor/DATA");
        EXPECT_TRUE(QFileInfo::exists(m_home + "/.local/share/kvor/DATA/kvor.dbf"));
    }
    EXPECT_FALSE(QFileInfo::exists("relative/data"));
    EXPECT_EQ(StartupOptions::userDataDir({m_exeDir, "/x/y/", "/home/u", {}}), "/x/y/kvor/DATA");
    EXPECT_EQ(StartupOptions::userDataDir({m_exeDir, "", "/home/u", {}}), "/home/u/.local/share/kvor/DATA");
}

TEST_F(StartupTest, AnInterruptedCopyIsNeverUsed)
{
    const QString base = m_root.filePath("xdg/kvor");
    // What a copy cut short leaves: a partial folder with some files, one truncated.
    writeFile(base + "/DATA.partial-a1b2c3/kvor.dbf", "trunc");
    writeFile(base + "/DATA.partial-a1b2c3/S_INIT.DBF", readBytes(m_shipped + "/S_INIT.DBF"));

    StartupOptions options;
    options.chooseDataFolder(readOnlyInstall(m_root.filePath("xdg")));
    EXPECT_EQ(options.dataDir(), base + "/DATA");
    EXPECT_EQ(contents(base + "/DATA"), contents(m_shipped));
    EXPECT_EQ(QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"DATA"})
        << "leftovers are cleared";

    // A leftover beside a finished copy changes nothing in it.
    writeFile(base + "/DATA.partial-zzzzzz/kvor.dbf", "junk");
    writeFile(base + "/DATA/s_isp.DBF", "executors");
    StartupOptions again;
    again.chooseDataFolder(readOnlyInstall(m_root.filePath("xdg")));
    EXPECT_EQ(readBytes(base + "/DATA/s_isp.DBF"), QByteArray("executors"));
    EXPECT_EQ(readBytes(base + "/DATA/kvor.dbf"), readBytes(m_shipped + "/kvor.dbf"));
    EXPECT_FALSE(QFileInfo::exists(base + "/DATA.partial-zzzzzz"));
}

TEST_F(StartupTest, ACopyThatCannotBeMadeFallsBackWithAWarning)
{
    // A file where the data folder should be: nothing can be created under it.
    writeFile(m_root.filePath("xdg/kvor"), "in the way");
    StartupOptions options;
    options.chooseDataFolder(readOnlyInstall(m_root.filePath("xdg")));
    EXPECT_FALSE(options.usesUserCopy());
    EXPECT_EQ(options.dataDir(), m_shipped);
    EXPECT_TRUE(options.warning().contains("Не вдалося скопіювати довідники")) << options.warning().toStdString();
    EXPECT_TRUE(options.warning().contains(m_root.filePath("xdg/kvor/DATA")));
    EXPECT_EQ(readBytes(m_root.filePath("xdg/kvor")), QByteArray("in the way"));
}

TEST_F(StartupTest, WithoutDataBesideTheProgramNothingIsCopied)
{
    QDir(m_shipped).removeRecursively();
    StartupOptions options;
    options.chooseDataFolder({m_exeDir, m_root.filePath("xdg"), m_home, [](const QString &) { return false; }});
    EXPECT_EQ(options.applicationDir(), m_exeDir) << "the main window reports the missing tables";
    EXPECT_FALSE(QFileInfo::exists(m_root.filePath("xdg/kvor")));
}

TEST_F(StartupTest, WritableMeansTheFolderAndEveryFileInIt)
{
    EXPECT_TRUE(StartupOptions::Environment::folderWritable(m_shipped));
    EXPECT_FALSE(StartupOptions::Environment::folderWritable(m_root.filePath("missing")));
    EXPECT_FALSE(StartupOptions::Environment::folderWritable(m_shipped + "/kvor.dbf")) << "a file is no folder";
    if (geteuid() != 0) {
        QFile::setPermissions(m_shipped + "/kvor.dbf", QFile::ReadOwner);
        EXPECT_FALSE(StartupOptions::Environment::folderWritable(m_shipped));
        QFile::setPermissions(m_shipped + "/kvor.dbf", QFile::ReadOwner | QFile::WriteOwner);
        QFile::setPermissions(m_shipped, QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_FALSE(StartupOptions::Environment::folderWritable(m_shipped));
    }
}

TEST(StartupArguments, OneCalculationFileAtMost)
{
    StartupOptions o;
    EXPECT_TRUE(o.parseArguments({}));
    EXPECT_TRUE(o.fileToOpen().isEmpty());
    EXPECT_FALSE(o.helpRequested());

    EXPECT_TRUE(o.parseArguments({"/data/Камера 1.kvor"}));
    EXPECT_EQ(o.fileToOpen(), "/data/Камера 1.kvor");

    // Relative to the folder the program is started in.
    EXPECT_TRUE(o.parseArguments({"sub/../calc.kvor"}));
    EXPECT_EQ(o.fileToOpen(), QDir::current().filePath("calc.kvor"));

    EXPECT_TRUE(o.parseArguments({"file:///data/%D0%9A%D0%B0%D0%BC%D0%B5%D1%80%D0%B0%201.kvor"}));
    EXPECT_EQ(o.fileToOpen(), "/data/Камера 1.kvor");

    EXPECT_TRUE(o.parseArguments({"--", "-odd.kvor"}));
    EXPECT_EQ(o.fileToOpen(), QDir::current().filePath("-odd.kvor"));

    EXPECT_TRUE(o.parseArguments({"--help"}));
    EXPECT_TRUE(o.helpRequested());
    EXPECT_TRUE(o.parseArguments({"a.kvor"}));
    EXPECT_FALSE(o.helpRequested()) << "a new parse starts afresh";

    for (const QStringList &bad : {QStringList{"a.kvor", "b.kvor"}, QStringList{"-x"}, QStringList{"--open=a.kvor"},
                                   QStringList{""}, QStringList{"file://host/share/a.kvor"}}) {
        SCOPED_TRACE(bad.join(' ').toStdString());
        EXPECT_FALSE(o.parseArguments(bad));
        EXPECT_FALSE(o.error().isEmpty());
        EXPECT_TRUE(o.fileToOpen().isEmpty());
    }
    EXPECT_TRUE(o.parseArguments({"a.kvor"}));
    EXPECT_TRUE(o.error().isEmpty());

    // The program's own name is not an argument.
    const StartupOptions help = StartupOptions::fromCommandLine({"/opt/kvor/kvor", "-h"});
    EXPECT_TRUE(help.helpRequested());
    EXPECT_TRUE(help.error().isEmpty());
    EXPECT_TRUE(StartupOptions::usage().contains("kvor [ФАЙЛ.kvor]"));
}

TEST(StartupTranslations, StandardDialogsSpeakUkrainianUnlessQtHasTheUsersLanguage)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(QDir(folder).filePath("qtbase_uk.qm")))
        GTEST_SKIP() << "Qt's translations (qt6-translations-l10n) are not installed";
    const struct {
        const char *locale;
        const char *file;
    } cases[] = {
        {"uk_UA", "qtbase_uk.qm"}, {"C", "qtbase_uk.qm"},   {"en_US", "qtbase_uk.qm"}, {"en_GB", "qtbase_uk.qm"},
        {"de_DE", "qtbase_de.qm"}, {"pl_PL", "qtbase_pl.qm"}, {"eo", "qtbase_uk.qm"},  {"sw_KE", "qtbase_uk.qm"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(QFileInfo(qtTranslationFile(QLocale(QString::fromLatin1(c.locale)), folder)).fileName(),
                  QString::fromLatin1(c.file))
            << c.locale;
    QTemporaryDir empty;
    EXPECT_TRUE(qtTranslationFile(QLocale(QStringLiteral("uk_UA")), empty.path()).isEmpty());

    // Installed, the buttons and the file dialog speak Ukrainian.
    const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    ASSERT_TRUE(installQtTranslation(*QCoreApplication::instance(), QLocale(QStringLiteral("en_US"))));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Скасувати"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"), QStringLiteral("Тека"));
    EXPECT_EQ(cancel, QStringLiteral("Cancel")) << "no translation before";
    for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>())
        QCoreApplication::removeTranslator(t), delete t;
}

// The file named on the command line opens once the first activation has
// opened the reference tables, through the Open command.
TEST_F(AppTest, TheCommandLineFileOpensAfterTheFirstActivation)
{
    start();
    newCalculation("named.kvor");
    ASSERT_TRUE(dm->taWork.active());
    main->closeFile();
    destroyForms();
    createForms();

    StartupOptions options;
    ASSERT_TRUE(options.parseArguments({userFile("named.kvor")}));
    options.applyTo(*main);
    QCoreApplication::processEvents();
    EXPECT_FALSE(main->calculationOpen()) << "the reference tables are not open yet";

    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(main.get(), &activate);
    ASSERT_TRUE(main->tablesOpened());
    QCoreApplication::processEvents();
    EXPECT_TRUE(main->calculationOpen());
    EXPECT_EQ(main->windowTitle(), userFile("named.kvor"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('|').toStdString();
    EXPECT_EQ(&Prompts::instance(), &prompts) << "the program's prompts are back in place";

    // Later activations open nothing again, and the Open command asks as usual.
    main->closeFile();
    QCoreApplication::sendEvent(main.get(), &activate);
    QCoreApplication::processEvents();
    EXPECT_FALSE(main->calculationOpen());
    prompts.files.push_back(QString());
    main->openFile();
    EXPECT_TRUE(prompts.files.empty()) << "the Open command asked the user";
    EXPECT_FALSE(main->calculationOpen());
}

TEST_F(AppTest, ACommandLineFileThatIsNoCalculationGetsTheOpenCommandsMessages)
{
    start();
    QFile junk(userFile("junk.kvor"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a table");
    junk.close();

    StartupOptions options;
    ASSERT_TRUE(options.parseArguments({userFile("junk.kvor")}));
    options.applyTo(*main);
    QCoreApplication::processEvents();
    EXPECT_FALSE(main->calculationOpen());
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.messages.front(), "Указанный расчет не может быть открыт !");
    EXPECT_EQ(readBytes(userFile("junk.kvor")), QByteArray("not a table")) << "the file is left alone";
}

TEST_F(AppTest, TheApplicationFolderAndAWarningReachTheWindow)
{
    // A read-only install whose copy failed: the window works on the install's DATA
    // and the user hears why once.
    QTemporaryDir xdg;
    QFile blocker(xdg.filePath("kvor"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    StartupOptions options;
    options.chooseDataFolder({m_appDir, xdg.path(), xdg.path(), [](const QString &) { return false; }});
    ASSERT_FALSE(options.warning().isEmpty());

    main->setApplicationDir(QStringLiteral("/nowhere"));
    options.applyTo(*main);
    start();
    EXPECT_EQ(main->dataDir(), QDir(m_appDir).filePath("DATA"));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(prompts.messages, QStringList{options.warning()});
    EXPECT_FALSE(main->calculationOpen());
}

} // namespace kvor::test
