#pragma once

#include "fieldlink.h"

#include <QLineEdit>

namespace kvor {

// A text edit bound to a text field: typing starts editing the record, leaving
// the edit (or posting the record) writes the text into the field. Bound to a
// whole-number field it takes digits only.
class DbEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DbEdit(QWidget *parent = nullptr);
    FieldLink &link() { return m_link; }
    void bind(DataSource *source, const QString &fieldName);

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showField();
    void commit();

    FieldLink m_link;
    bool m_dirty = false;
};

} // namespace kvor
