#pragma once

#include "fieldlink.h"

#include <QComboBox>

namespace kvor {

// A drop-down list bound to a text field: picking an item, or typing in an
// editable one, writes the text into the field. A stored text that differs from
// an item only where the file's code page has no letter of its own (Ukrainian і
// stored as Latin i) shows as that item. Typed text stays on screen as typed
// while the list has the focus; only the stored copy takes the code page.
class DbComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DbComboBox(QWidget *parent = nullptr);
    FieldLink &link() { return m_link; }
    void bind(DataSource *source, const QString &fieldName);
    // Items kept in alphabetical order (the executor list).
    void setSorted(bool on) { m_sorted = on; }
    void setItems(const QStringList &items);
    // Enter moves the focus to the next control instead of reaching the list.
    void setEnterMovesFocus(bool on) { m_enterMovesFocus = on; }
    // An editable list that reports only what the user does: no completion, no
    // item added on Enter, and leaving it (or Enter) with a text that equals an
    // item is no choice of that item.
    static void plainTyping(QComboBox *box);
    // The item a stored text stands for, or -1.
    int storedIndex(const QString &stored) const;

signals:
    void textChangedByUser(); // the change handler of the list

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showField();
    void commit();
    // Whether the field holds what `typed` is stored as.
    bool storesAs(const QString &typed) const;

    FieldLink m_link;
    bool m_dirty = false;
    bool m_showing = false;
    bool m_sorted = false;
    bool m_enterMovesFocus = false;
};

} // namespace kvor
