#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace kvor {

// A framed group of radio buttons, one per item, laid out in columns. clicked()
// follows every change of the selected item, by the user or by setItemIndex.
class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int columns READ columns WRITE setColumns)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)
public:
    explicit RadioGroup(QWidget *parent = nullptr);

    QStringList items() const { return m_items; }
    void setItems(const QStringList &items);
    int columns() const { return m_columns; }
    void setColumns(int columns);
    int itemIndex() const { return m_index; }
    void setItemIndex(int index); // -1: none selected
    QRadioButton *button(int index) const;

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void arrange();
    void buttonToggled(int id, bool on);

    QStringList m_items;
    int m_columns = 1;
    int m_index = -1;
    QButtonGroup *m_group = nullptr;
    QList<QRadioButton *> m_buttons;
};

} // namespace kvor
