#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

class QCoreApplication;

namespace kvor {

class MainWindow;

// Qt's own texts (the buttons of message boxes, the file, folder and print
// dialogs) come from Qt's translations. The program speaks Ukrainian, so they
// do too, unless Qt has a translation in the user's own language (English is
// Qt's untranslated text, which would leave English buttons in a Ukrainian
// window). Returns the qtbase file for `locale` in `folder`, empty when there is none.
QString qtTranslationFile(const QLocale &locale, const QString &folder);
// Installs that translation (from Qt's translations folder) into `app`; false
// when none is installed on this system.
bool installQtTranslation(QCoreApplication &app, const QLocale &locale = QLocale());

// What the program settles before its windows exist: which DATA folder it
// works on and which calculation file the command line names.
//
// The program writes into DATA (settings, executors). A portable folder keeps
// a writable DATA beside the executable and uses it in place. A system-wide
// install (the package puts the program in /opt/kvor) cannot be written by the
// user, so DATA is copied once into the user's data folder and that copy is
// used from then on.
class StartupOptions {
    Q_DECLARE_TR_FUNCTIONS(StartupOptions)
public:
    // The outside world the decision depends on; tests build their own.
    struct Environment {
        QString exeDir;      // the folder of the executable
        QString xdgDataHome; // the user's data home, as Qt reads $XDG_DATA_HOME (may be empty or unusable)
        QString home;        // the user's home folder
        // Whether this process may write the folder and every file in it.
        std::function<bool(const QString &folder)> writable;

        static Environment current();
        static bool folderWritable(const QString &folder);
    };

    // Reads the arguments after the program name. At most one: the
    // calculation or project file to open (a path, or a file: URL from a file manager).
    bool parseArguments(const QStringList &arguments);
    // The arguments of QCoreApplication, with the program name first.
    static StartupOptions fromCommandLine(const QStringList &argv);

    // Picks the DATA folder, copying it into the user's data folder when the
    // one beside the executable cannot be written.
    void chooseDataFolder(const Environment &env);

    // The folder whose DATA the program uses (the main window's application folder).
    const QString &applicationDir() const { return m_appDir; }
    QString dataDir() const;
    bool usesUserCopy() const { return m_usesUserCopy; }
    // The user's copy of DATA, whether or not it exists yet.
    static QString userDataDir(const Environment &env);

    const QString &fileToOpen() const { return m_file; }
    bool helpRequested() const { return m_help; }
    bool versionRequested() const { return m_version; }
    // A command line the program cannot take ("" when it is fine).
    const QString &error() const { return m_error; }
    // A problem the program can live with, told to the user once the window is up.
    const QString &warning() const { return m_warning; }
    static QString usage();

    // Points the main window at the chosen DATA, and once its first activation
    // has opened the reference tables, tells the warning and opens the file
    // exactly as the Open command does. Call before showing the window.
    void applyTo(MainWindow &window) const;

private:
    QString m_appDir;
    QString m_file;
    QString m_error;
    QString m_warning;
    bool m_help = false;
    bool m_version = false;
    bool m_usesUserCopy = false;
};

} // namespace kvor
