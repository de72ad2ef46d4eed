#pragma once

#include "fieldlink.h"

#include <QComboBox>

namespace kvor {

// A drop-down list bound to a text field: picking an item, or typing in an
// editable one, writes the text into the field.
class DbComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DbComboBox(QWidget *parent = nullptr);
    FieldLink &link() { return m_link; }
    void bind(DataSource *source, const QString &fieldName);
    // Items kept in alphabetical order (the executor list).
    void setSorted(bool on) { m_sorted = on; }
    void setItems(const QStringList &items);

signals:
    void textChangedByUser(); // the change handler of the list

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showField();
    void commit();

    FieldLink m_link;
    bool m_dirty = false;
    bool m_showing = false;
    bool m_sorted = false;
};

} // namespace kvor
