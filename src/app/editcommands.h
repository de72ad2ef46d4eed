#pragma once

#include <QObject>

class QAction;
class QLineEdit;
class QWidget;

namespace kvor {

// Cut, Copy and Paste act on the edit that has the focus, and are enabled only
// while they would do something there.
class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(QAction *cut, QAction *copy, QAction *paste, QObject *parent);

private:
    void update();
    // The edit a focused widget types into (a combo box's own line edit).
    static QLineEdit *editOf(QWidget *w);

    QAction *m_cut;
    QAction *m_copy;
    QAction *m_paste;
};

} // namespace kvor
