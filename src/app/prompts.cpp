#include "prompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace kvor {

namespace {

Prompts *g_prompts = nullptr;

QString title()
{
    return QApplication::applicationName();
}

// "Розрахунки (*.kvor)|*.kvor|…" as the dialogs of Qt want it.
QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts.at(i);
    return out.join(QStringLiteral(";;"));
}

QString startPath(const QString &folder, const QString &preset)
{
    if (preset.isEmpty())
        return folder;
    if (QFileInfo(preset).isAbsolute())
        return preset;
    return QDir(folder).filePath(preset);
}

QString withSuffix(const QString &path, const QString &suffix)
{
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

} // namespace

Prompts &Prompts::instance()
{
    static DialogPrompts dialogs;
    return g_prompts ? *g_prompts : dialogs;
}

void Prompts::setInstance(Prompts *prompts)
{
    g_prompts = prompts;
}

QString DialogPrompts::openFileName(QWidget *parent, const QString &folder, const QString &preset,
                                    const QString &filter, const QString &defaultSuffix)
{
    QFileDialog dialog(parent, QString(), startPath(folder, preset), qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // the typed name need not exist
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return withSuffix(dialog.selectedFiles().constFirst(), defaultSuffix);
}

QString DialogPrompts::saveFileName(QWidget *parent, const QString &folder, const QString &preset,
                                    const QString &filter, const QString &defaultSuffix)
{
    QFileDialog dialog(parent, QString(), startPath(folder, preset), qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the command asks itself
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return withSuffix(dialog.selectedFiles().constFirst(), defaultSuffix);
}

QString DialogPrompts::folderName(QWidget *parent, const QString &folder)
{
    return QFileDialog::getExistingDirectory(parent, QString(), folder);
}

QStringList DialogPrompts::openFileNames(QWidget *parent, const QString &folder, const QString &filter,
                                         const QString &defaultSuffix)
{
    QFileDialog dialog(parent, QString(), folder, qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

void DialogPrompts::message(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, title(), text);
}

bool DialogPrompts::confirm(QWidget *parent, const QString &text)
{
    return QMessageBox::question(parent, title(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

} // namespace kvor
