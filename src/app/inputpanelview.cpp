#include "inputpanelview.h"

#include "document/calculationdocument.h"
#include "input/inputpanel.h"
#include "input/radiogroup.h"
#include "mainwindow.h"
#include "prompts.h"
#include "storage/dbftable.h"
#include "ui_inputpanel.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace kvor {

InputPanelView::InputPanelView(MainWindow &window, InputPanel &panel, CalculationDocument &document)
    : QObject(&window)
    , m_window(window)
    , m_panel(panel)
    , m_document(document)
{
    // Typed outdoor values are only allowed once the region list says "Другой".
    m_panel.ui().DBEdit36->setEnabled(false);
    m_panel.ui().DBEdit37->setEnabled(false);
    // Enter in a result field walks on like it does in the inputs.
    for (int field = 1; field <= 11; ++field)
        if (QLineEdit *e = m_window.resultEdit(field))
            e->installEventFilter(this);
    connectPanel();
}

void InputPanelView::connectPanel()
{
    CalculationDocument *doc = &m_document;
    InputPanel *in = &m_panel;
    Ui::InputPanel &ui = m_panel.ui();
    connect(in, &InputPanel::inputChanged, doc, &CalculationDocument::recalculate);
    connect(in, &InputPanel::sameConstructionClicked, doc, &CalculationDocument::copyWallAToAllSurfaces);
    connect(in, &InputPanel::optionChecked, this, [this] {
        if (!m_document.isOpen())
            return;
        updateOptionStates();
        m_document.applyOptionBoxes();
    });
    connect(in, &InputPanel::productChanged, doc, &CalculationDocument::checkProduct);
    connect(in, &InputPanel::categoryChanged, this,
            [this] { m_document.setProductCategory(m_panel.ui().ComboBox1->currentText()); });
    connect(in, &InputPanel::modeClicked, this,
            [this] { m_document.setProcessingMode(m_panel.ui().RadioGroup1->itemIndex()); });
    connect(in, &InputPanel::fillChamberClicked, this,
            [this] { m_document.fillChamber(m_panel.ui().RadioGroup2->itemIndex() == 0 ? 0.7 : 0.5); });
    connect(in, &InputPanel::regionChosen, this, &InputPanelView::onRegionChosen);
    connect(in, &InputPanel::outdoorTemperatureEdited, doc, &CalculationDocument::copyOutdoorTemperatureToSurfaces);
    connect(in, &InputPanel::chamberHeightEdited, doc, &CalculationDocument::stackingHeightFromChamberHeight);
    connect(in, &InputPanel::chamberTemperatureEdited, doc, &CalculationDocument::finalTemperaturesFromChamber);

    connect(doc, &CalculationDocument::modeChanged, this, &InputPanelView::showMode);
    connect(doc, &CalculationDocument::productCategoryChanged, this, [&ui](const QString &category) {
        const QSignalBlocker quiet(ui.ComboBox1); // the category rule runs from the command
        ui.ComboBox1->setEditText(category);
    });
    connect(doc, &CalculationDocument::opened, this, &InputPanelView::updateOptionStates);
    connect(doc, &CalculationDocument::notOpen, this,
            [this] { Prompts::instance().message(&m_window, QStringLiteral("База не открылась !")); });
}

void InputPanelView::setLabel(const char *name, const QString &caption)
{
    auto *label = m_panel.panel()->findChild<QLabel *>(QString::fromLatin1(name));
    if (!label)
        return;
    label->setText(caption);
    InputPanel::fitCaption(label);
}

void InputPanelView::showMode(int item)
{
    Ui::InputPanel &ui = m_panel.ui();
    if (ui.RadioGroup1->itemIndex() != item) {
        const QSignalBlocker quiet(ui.RadioGroup1);
        ui.RadioGroup1->setItemIndex(item);
    }
    const bool storage = item == 0;
    if (storage) {
        setLabel("Label13", QStringLiteral("Время работы оборуд."));
        setLabel("Label54", QStringLiteral("Суточный оборот,(кг)"));
        setLabel("Label11", QStringLiteral("Суточный оборот,(кг)"));
    } else {
        setLabel("Label13", QStringLiteral("Час     термообробки "));
        setLabel("Label54", QStringLiteral("Охолоджувана маса,(кг)"));
        setLabel("Label11", QStringLiteral("Охолоджувана маса,(кг)"));
    }
    for (QWidget *w : {static_cast<QWidget *>(ui.DBEdit3), static_cast<QWidget *>(ui.DBEdit44),
                       static_cast<QWidget *>(ui.Label53), static_cast<QWidget *>(ui.Label43)})
        w->setVisible(storage);
}

void InputPanelView::onRegionChosen()
{
    if (!m_document.isOpen())
        return;
    Ui::InputPanel &ui = m_panel.ui();
    const bool typed = m_document.record().value(QStringLiteral("OB_RGNAIM")).toString()
                       == CalculationDocument::otherRegion();
    ui.DBEdit36->setEnabled(typed);
    ui.DBEdit37->setEnabled(typed);
    m_document.applyRegionClimate();
}

void InputPanelView::updateOptionStates()
{
    Ui::InputPanel &ui = m_panel.ui();
    ui.DBEdit13->setEnabled(ui.DBCheckBox4->isChecked());
    const bool refined = ui.DBCheckBox3->isChecked();
    ui.DBEdit46->setEnabled(refined);
    ui.DBEdit47->setEnabled(refined);
    ui.DBEdit48->setEnabled(!refined);
    ui.DBEdit15->setEnabled(!ui.DBCheckBox2->isChecked());
}

bool InputPanelView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    auto *from = qobject_cast<QWidget *>(watched);
    if (!from)
        return false;
    for (QWidget *w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(from->window())
            && !w->focusProxy()) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    return true;
}

} // namespace kvor
