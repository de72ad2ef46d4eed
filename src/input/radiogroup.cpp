#include "radiogroup.h"

#include <QButtonGroup>
#include <QEvent>
#include <QRadioButton>
#include <QScopedValueRollback>

namespace kvor {

RadioGroup::RadioGroup(QWidget *parent)
    : QGroupBox(parent)
    , m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idToggled, this, &RadioGroup::buttonToggled);
}

void RadioGroup::setItems(const QStringList &items)
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    m_items = items;
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items.at(i), this);
        b->setObjectName(QStringLiteral("item%1").arg(i));
        m_group->addButton(b, i);
        m_buttons.append(b);
        b->show();
    }
    const int keep = m_index;
    m_index = -1;
    if (keep >= 0 && keep < m_buttons.size())
        setItemIndex(keep);
    arrange();
}

void RadioGroup::setColumns(int columns)
{
    m_columns = std::max(1, columns);
    arrange();
}

QRadioButton *RadioGroup::button(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons.at(index) : nullptr;
}

void RadioGroup::setItemIndex(int index)
{
    if (index < -1 || index >= m_buttons.size())
        index = -1;
    if (index == m_index)
        return;
    if (index < 0) {
        // An exclusive group cannot be emptied by unticking its button.
        m_group->setExclusive(false);
        if (QRadioButton *b = button(m_index))
            b->setChecked(false);
        m_group->setExclusive(true);
        m_index = -1;
        emit clicked();
        return;
    }
    m_buttons.at(index)->setChecked(true); // buttonToggled records it and signals
}

void RadioGroup::buttonToggled(int id, bool on)
{
    if (!on || id == m_index)
        return;
    m_index = id;
    emit clicked();
}

void RadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    arrange();
}

void RadioGroup::changeEvent(QEvent *event)
{
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        arrange();
}

void RadioGroup::arrange()
{
    // Rows share the height below the caption line; columns share the width.
    if (m_buttons.isEmpty())
        return;
    const int perColumn = (int(m_buttons.size()) + m_columns - 1) / m_columns;
    const int textHeight = fontMetrics().height();
    const int columnWidth = (width() - 10) / m_columns;
    const int room = height() - textHeight - 5;
    const int rowHeight = std::max(1, room / perColumn);
    const int topMargin = textHeight + 1 + (room % perColumn) / 2;
    for (int i = 0; i < m_buttons.size(); ++i) {
        const int column = i / perColumn;
        const int row = i % perColumn;
        m_buttons.at(i)->setGeometry(column * columnWidth + 8, row * rowHeight + topMargin, columnWidth,
                                     rowHeight);
    }
}

} // namespace kvor
