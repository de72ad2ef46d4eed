#include "startup.h"

#include "mainwindow.h"
#include "prompts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>
#include <QTemporaryDir>
#include <QUrl>

#include <utility>

namespace kvor {

QString qtTranslationFile(const QLocale &locale, const QString &folder)
{
    const QLocale::Language language = locale.language();
    if (language != QLocale::Ukrainian && language != QLocale::English && language != QLocale::C) {
        QTranslator own;
        if (own.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return own.filePath();
    }
    QTranslator ukrainian;
    if (ukrainian.load(QStringLiteral("qtbase_uk"), folder))
        return ukrainian.filePath();
    return QString();
}

namespace {

// Qt 6 asks for the file dialog's kinds ("Folder", "Drive", "File") in a
// context its shipped translations still file under the dialog itself.
class QtTranslation : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *source, const char *disambiguation, int n) const override
    {
        QString text = QTranslator::translate(context, source, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QAbstractFileIconProvider") == 0)
            text = QTranslator::translate("QFileDialog", source, disambiguation, n);
        return text;
    }
};

} // namespace

bool installQtTranslation(QCoreApplication &app, const QLocale &locale)
{
    const QString file = qtTranslationFile(locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (file.isEmpty())
        return false;
    auto *translator = new QtTranslation(&app);
    if (!translator->load(file)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

namespace {

const QString kData = QStringLiteral("DATA");
// An unfinished copy lives under this prefix until it is renamed to DATA, so a
// copy cut short (power loss, full disk, killed process) is never mistaken for DATA.
const QString kPartialPrefix = QStringLiteral("DATA.partial-");

bool copyTree(const QString &from, const QString &to, QString *error)
{
    if (!QDir().mkpath(to)) {
        *error = StartupOptions::tr("cannot create %1").arg(QDir::toNativeSeparators(to));
        return false;
    }
    const QFileInfoList entries =
        QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir()) {
            if (!copyTree(entry.filePath(), target, error))
                return false;
            continue;
        }
        QFile file(entry.filePath());
        if (!file.copy(target)) {
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(entry.filePath()), file.errorString());
            return false;
        }
        // The shipped files may be read-only; the copy is the user's to write.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    return true;
}

// Copies `shipped` to base/DATA through a partial folder beside it.
bool copyOnce(const QString &shipped, const QString &base, QString *error)
{
    const QString finalPath = QDir(base).filePath(kData);
    if (!QDir().mkpath(base)) {
        *error = StartupOptions::tr("cannot create %1").arg(QDir::toNativeSeparators(base));
        return false;
    }
    QTemporaryDir partial(QDir(base).filePath(kPartialPrefix + QStringLiteral("XXXXXX")));
    if (!partial.isValid()) {
        *error = partial.errorString();
        return false;
    }
    if (!copyTree(shipped, partial.path(), error))
        return false;
    if (QDir(base).rename(QFileInfo(partial.path()).fileName(), kData)) {
        partial.setAutoRemove(false);
        return true;
    }
    // Another start of the program may have finished its copy first; ours goes.
    if (QFileInfo(finalPath).isDir())
        return true;
    *error = StartupOptions::tr("cannot rename %1 to %2")
                 .arg(QDir::toNativeSeparators(partial.path()), QDir::toNativeSeparators(finalPath));
    return false;
}

void removeLeftovers(const QString &base)
{
    const QDir dir(base);
    for (const QString &name : dir.entryList({kPartialPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden))
        QDir(dir.filePath(name)).removeRecursively();
}

// Answers the first file question of the Open command with the file named on
// the command line; everything else goes to the prompts in force before.
class PresetOpenPrompts : public Prompts {
public:
    PresetOpenPrompts(Prompts &next, QString path)
        : m_next(next)
        , m_path(std::move(path))
    {
    }

    QString openFileName(QWidget *parent, const QString &folder, const QString &preset, const QString &filter,
                         const QString &defaultSuffix) override
    {
        if (!m_used) {
            m_used = true;
            return m_path;
        }
        return m_next.openFileName(parent, folder, preset, filter, defaultSuffix);
    }
    QString saveFileName(QWidget *parent, const QString &folder, const QString &preset, const QString &filter,
                         const QString &defaultSuffix) override
    {
        return m_next.saveFileName(parent, folder, preset, filter, defaultSuffix);
    }
    QString folderName(QWidget *parent, const QString &folder) override { return m_next.folderName(parent, folder); }
    void message(QWidget *parent, const QString &text) override { m_next.message(parent, text); }
    bool confirm(QWidget *parent, const QString &text) override { return m_next.confirm(parent, text); }

private:
    Prompts &m_next;
    QString m_path;
    bool m_used = false;
};

// Waits for the main window's first activation that opened the reference
// tables, then does the start-up work that needs them, once.
class StartupOpener : public QObject {
public:
    StartupOpener(MainWindow &window, QString file, QString warning)
        : QObject(&window)
        , m_window(window)
        , m_file(std::move(file))
        , m_warning(std::move(warning))
    {
        window.installEventFilter(this);
        queueCheck(); // the window may already be up
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The window's own handler runs after this filter; look once it has.
        if (watched == &m_window && event->type() == QEvent::WindowActivate)
            queueCheck();
        return false;
    }

private:
    void queueCheck()
    {
        QMetaObject::invokeMethod(this, [this] { afterActivation(); }, Qt::QueuedConnection);
    }

    void afterActivation()
    {
        if (m_done || !m_window.tablesOpened())
            return;
        m_done = true; // the message box below activates the window again
        m_window.removeEventFilter(this);
        if (!m_warning.isEmpty())
            Prompts::instance().message(&m_window, m_warning);
        if (m_file.endsWith(QStringLiteral(".kvorproj"), Qt::CaseInsensitive)) {
            m_window.openProject(m_file);
        } else if (!m_file.isEmpty()) {
            Prompts &previous = Prompts::instance();
            PresetOpenPrompts preset(previous, m_file);
            Prompts::setInstance(&preset);
            struct Restore {
                Prompts &p;
                ~Restore() { Prompts::setInstance(&p); }
            } restore{previous};
            m_window.openFile();
        }
        deleteLater();
    }

    MainWindow &m_window;
    QString m_file;
    QString m_warning;
    bool m_done = false;
};

} // namespace

StartupOptions::Environment StartupOptions::Environment::current()
{
    Environment env;
    env.exeDir = QCoreApplication::applicationDirPath();
    env.xdgDataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    env.home = QDir::homePath();
    env.writable = &Environment::folderWritable;
    return env;
}

bool StartupOptions::Environment::folderWritable(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isWritable())
        return false;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo &file : files) {
        if (!file.isWritable())
            return false;
    }
    return true;
}

QString StartupOptions::usage()
{
    return tr("Використання: kvor [ФАЙЛ.kvor]\n"
              "Запускає Kvor; якщо вказано файл розрахунку, відкриває його,\n"
              "а файл проєкту (ФАЙЛ.kvorproj) відкриває у вікні проєкту.\n"
              "  -h, --help     показати цю довідку\n"
              "  -v, --version  показати версію програми");
}

bool StartupOptions::parseArguments(const QStringList &arguments)
{
    m_file.clear();
    m_error.clear();
    m_help = false;
    m_version = false;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({help, version});
    if (!parser.parse(QStringList{QString()} + arguments)) {
        // Qt names the option without its dashes; the message shows it as typed.
        const QStringList known = {QStringLiteral("-h"), QStringLiteral("--help"), QStringLiteral("-v"),
                                   QStringLiteral("--version")};
        QString typed;
        for (const QString &arg : arguments) {
            if (arg == QLatin1String("--"))
                break;
            if (arg.size() > 1 && arg.startsWith(QLatin1Char('-')) && !known.contains(arg)) {
                typed = arg;
                break;
            }
        }
        m_error = tr("kvor: невідомий параметр «%1»").arg(typed);
        return false;
    }
    m_help = parser.isSet(help);
    m_version = parser.isSet(version);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        m_error = tr("kvor: можна вказати лише один файл розрахунку");
        return false;
    }
    if (files.size() == 1) {
        QString path = files.front();
        if (path.isEmpty()) {
            m_error = tr("kvor: порожня назва файлу");
            return false;
        }
        // File managers may hand over a URL instead of a path.
        if (path.startsWith(QLatin1String("file:"))) {
            const QUrl url(path);
            const bool thisMachine = url.host().isEmpty() || url.host() == QLatin1String("localhost");
            if (!url.isLocalFile() || !thisMachine || url.toLocalFile().isEmpty()) {
                m_error = tr("kvor: «%1» не є локальним файлом").arg(path);
                return false;
            }
            path = url.toLocalFile();
        }
        // The window shows the full path of the open calculation.
        m_file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    }
    return true;
}

StartupOptions StartupOptions::fromCommandLine(const QStringList &argv)
{
    StartupOptions options;
    if (options.parseArguments(argv.mid(1)) && !options.m_help && !options.m_version)
        options.chooseDataFolder(Environment::current());
    return options;
}

QString StartupOptions::userDataDir(const Environment &env)
{
    // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
    QString dataHome = env.xdgDataHome;
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = QDir(env.home).filePath(QStringLiteral(".local/share"));
    return QDir::cleanPath(QDir(dataHome).filePath(QStringLiteral("kvor/DATA")));
}

QString StartupOptions::dataDir() const
{
    return QDir(m_appDir).filePath(kData);
}

void StartupOptions::chooseDataFolder(const Environment &env)
{
    m_appDir = env.exeDir;
    m_usesUserCopy = false;
    m_warning.clear();
    const QString shipped = QDir(env.exeDir).filePath(kData);
    // Without DATA there is nothing to copy; the main window tells the user.
    if (!QFileInfo(shipped).isDir())
        return;
    const auto writable = env.writable ? env.writable : &Environment::folderWritable;
    if (writable(shipped))
        return;

    const QString copy = userDataDir(env);
    const QString base = QFileInfo(copy).path();
    if (!QFileInfo(copy).isDir()) {
        QString error;
        if (!copyOnce(shipped, base, &error)) {
            m_warning = tr("Не вдалося скопіювати довідники з %1 до %2 (%3). Програма працює з "
                           "довідниками з %1; зміни налаштувань і виконавців не збережуться.")
                            .arg(QDir::toNativeSeparators(shipped), QDir::toNativeSeparators(copy), error);
            return;
        }
    }
    removeLeftovers(base);
    m_appDir = base;
    m_usesUserCopy = true;
}

void StartupOptions::applyTo(MainWindow &window) const
{
    if (!m_appDir.isEmpty())
        window.setApplicationDir(m_appDir);
    if (!m_file.isEmpty() || !m_warning.isEmpty())
        new StartupOpener(window, m_file, m_warning);
}

} // namespace kvor
