#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace kvor {

// Every question and message box of the windows goes through here, so tests
// can answer them.
class Prompts {
public:
    virtual ~Prompts() = default;
    // A file name for opening ("" when cancelled).
    virtual QString openFileName(QWidget *parent, const QString &folder, const QString &preset,
                                 const QString &filter, const QString &defaultSuffix) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &folder, const QString &preset,
                                 const QString &filter, const QString &defaultSuffix) = 0;
    virtual QString folderName(QWidget *parent, const QString &folder) = 0;
    // Several existing files at once (none when cancelled); by default one.
    virtual QStringList openFileNames(QWidget *parent, const QString &folder, const QString &filter,
                                      const QString &defaultSuffix)
    {
        const QString file = openFileName(parent, folder, QString(), filter, defaultSuffix);
        return file.isEmpty() ? QStringList() : QStringList{file};
    }
    virtual void message(QWidget *parent, const QString &text) = 0;
    virtual bool confirm(QWidget *parent, const QString &text) = 0; // Yes / No

    static Prompts &instance();
    // Tests put their own in place; nullptr brings back the dialogs.
    static void setInstance(Prompts *prompts);
};

// The real dialogs and message boxes, titled "Kvor".
class DialogPrompts : public Prompts {
public:
    QString openFileName(QWidget *parent, const QString &folder, const QString &preset, const QString &filter,
                         const QString &defaultSuffix) override;
    QString saveFileName(QWidget *parent, const QString &folder, const QString &preset, const QString &filter,
                         const QString &defaultSuffix) override;
    QString folderName(QWidget *parent, const QString &folder) override;
    QStringList openFileNames(QWidget *parent, const QString &folder, const QString &filter,
                              const QString &defaultSuffix) override;
    void message(QWidget *parent, const QString &text) override;
    bool confirm(QWidget *parent, const QString &text) override;
};

} // namespace kvor
