#include "editcommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>

namespace kvor {

EditCommands::EditCommands(QAction *cut, QAction *copy, QAction *paste, QObject *parent)
    : QObject(parent)
    , m_cut(cut)
    , m_copy(copy)
    , m_paste(paste)
{
    connect(cut, &QAction::triggered, this, [] {
        if (QLineEdit *e = editOf(QApplication::focusWidget()))
            e->cut();
    });
    connect(copy, &QAction::triggered, this, [] {
        if (QLineEdit *e = editOf(QApplication::focusWidget()))
            e->copy();
    });
    connect(paste, &QAction::triggered, this, [] {
        if (QLineEdit *e = editOf(QApplication::focusWidget()))
            e->paste();
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (QLineEdit *e = editOf(now))
            connect(e, &QLineEdit::selectionChanged, this, &EditCommands::update, Qt::UniqueConnection);
        update();
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &EditCommands::update);
}

QLineEdit *EditCommands::editOf(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e;
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->lineEdit();
    return nullptr;
}

void EditCommands::update()
{
    QLineEdit *e = editOf(QApplication::focusWidget());
    const bool selection = e && e->hasSelectedText();
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    m_cut->setEnabled(selection && !e->isReadOnly());
    m_copy->setEnabled(selection);
    m_paste->setEnabled(e && !e->isReadOnly() && clip && clip->hasText());
}

} // namespace kvor
