#pragma once

#include "fieldlink.h"
#include "lookupitems.h"

#include <QComboBox>
#include <QPointer>

namespace kvor {


// A drop-down list of the names of a reference table bound to a text field of
// the record: the key field and the list field are the same, so the record
// stores the name itself. The items are the list field's values over the
// table's visible rows, in table order under its filter, and follow the table
// when its rows or filter change. A value the table lacks shows an empty text.
//
// Picking an item (from the open list or with the keys of the closed one)
// positions the table on the picked row, writes the name into the field, and
// then emits closeUp(); dismissing the list positions the table on the field's
// name and emits closeUp() too.
class DbLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DbLookupComboBox(QWidget *parent = nullptr);

    FieldLink &link() { return m_link; }
    void bind(DataSource *source, const QString &fieldName, DataSource *listSource, const QString &listField);
    DataSource *listSource() const { return m_listSource; }
    const QString &listField() const { return m_listField; }

    // The items as the table gives them now.
    QStringList listItems();

    void showPopup() override;
    void hidePopup() override;

signals:
    // The drop-down closed; a choice, if any, is written and the table stands on it.
    void closeUp();

protected:
    void wheelEvent(QWheelEvent *event) override;

private:
    void refreshItems();
    void showField();
    void pick(int index);
    void emitPendingListClosed();
    void positionOnField();

    FieldLink m_link;
    QPointer<DataSource> m_listSource;
    QString m_listField;
    QPointer<LookupItems> m_items; // the data module may go before the window
    int m_revision = -1;
    bool m_showing = false;
    bool m_closeUpPending = false;
};

} // namespace kvor
