#include "inputpanelview.h"

#include "document/calculationdocument.h"
#include "input/inputpanel.h"
#include "mainwindow.h"
#include "prompts.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace kvor {

InputPanelView::InputPanelView(MainWindow &window, InputPanel &panel, CalculationDocument &document)
    : QObject(&window)
    , m_window(window)
    , m_panel(panel)
    , m_document(document)
{
    // Typed outdoor values are only allowed once the region list says "Другой".
    m_panel.setTypedClimateEnabled(false);
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
    connect(in, &InputPanel::inputChanged, doc, &CalculationDocument::recalculate);
    connect(in, &InputPanel::sameConstructionClicked, doc, &CalculationDocument::copyWallAToAllSurfaces);
    connect(in, &InputPanel::optionChecked, this, [this] {
        if (!m_document.isOpen())
            return;
        m_panel.applyOptionStates();
        m_document.applyOptionBoxes();
    });
    connect(in, &InputPanel::productChanged, doc, &CalculationDocument::checkProduct);
    connect(in, &InputPanel::categoryChanged, this,
            [this] { m_document.setProductCategory(m_panel.productCategory()); });
    connect(in, &InputPanel::modeClicked, this,
            [this] { m_document.setProcessingMode(m_panel.processingMode()); });
    connect(in, &InputPanel::fillChamberClicked, this,
            [this] { m_document.fillChamber(m_panel.fillFraction()); });
    connect(in, &InputPanel::regionChosen, this, &InputPanelView::onRegionChosen);
    connect(in, &InputPanel::outdoorTemperatureEdited, doc, &CalculationDocument::copyOutdoorTemperatureToSurfaces);
    connect(in, &InputPanel::chamberHeightEdited, doc, &CalculationDocument::stackingHeightFromChamberHeight);
    connect(in, &InputPanel::chamberTemperatureEdited, doc, &CalculationDocument::finalTemperaturesFromChamber);

    // The category rule runs from the command, so showing its result runs nothing.
    connect(doc, &CalculationDocument::modeChanged, in, &InputPanel::showProcessingMode);
    connect(doc, &CalculationDocument::productCategoryChanged, in, &InputPanel::showProductCategory);
    connect(doc, &CalculationDocument::opened, in, &InputPanel::applyOptionStates);
    connect(doc, &CalculationDocument::notOpen, this,
            [this] { Prompts::instance().message(&m_window, tr("База не открылась !")); });
}

void InputPanelView::onRegionChosen()
{
    if (!m_document.isOpen())
        return;
    const bool typed = m_document.record().value(QStringLiteral("OB_RGNAIM")).toString()
                       == CalculationDocument::otherRegion();
    m_panel.setTypedClimateEnabled(typed);
    m_document.applyRegionClimate();
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
