#include "inputrules.h"

#include "calc/recordrules.h"
#include "input/errorreporter.h"
#include "input/inputpanel.h"
#include "input/radiogroup.h"
#include "mainwindow.h"
#include "prompts.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"
#include "ui_inputpanel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace kvor {

namespace {

QString text(const DbfTable &t, const char *field)
{
    return t.value(QString::fromLatin1(field)).toString();
}

double number(const DbfTable &t, const char *field)
{
    return t.value(QString::fromLatin1(field)).toDouble();
}

QString surfaceField(const char *stem, int surface)
{
    return QString::fromLatin1(stem) + QString::number(surface);
}

} // namespace

InputRules::InputRules(MainWindow &window, InputPanel &panel, ReferenceTables &dm)
    : QObject(&window)
    , m_window(window)
    , m_panel(panel)
    , m_dm(dm)
{
    // Typed outdoor values are only allowed once the region list says "Другой".
    m_panel.ui().DBEdit36->setEnabled(false);
    m_panel.ui().DBEdit37->setEnabled(false);
    // Enter in a result field walks on like it does in the inputs.
    for (int field = 1; field <= 11; ++field)
        if (QLineEdit *e = m_window.resultEdit(field))
            e->installEventFilter(this);
}

QString InputRules::otherRegion()
{
    return QStringLiteral("Другой");
}

bool InputRules::open() const
{
    return m_window.calculationOpen();
}

bool InputRules::guarded(const std::function<bool()> &f)
{
    return ErrorReporter::guard(&m_window, f);
}

void InputRules::setLabel(const char *name, const QString &caption)
{
    auto *label = m_panel.panel()->findChild<QLabel *>(QString::fromLatin1(name));
    if (!label)
        return;
    label->setText(caption);
    InputPanel::fitCaption(label);
}

void InputRules::applyProcessingMode(int item)
{
    if (!guarded([&] {
            RecordRules::processingMode(m_dm, item);
            return true;
        }))
        return;
    Ui::InputPanel &ui = m_panel.ui();
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
    m_window.recalculate();
}

void InputRules::applyRegionClimate()
{
    Ui::InputPanel &ui = m_panel.ui();
    if (!open())
        return;
    const QString region = text(m_dm.taWork, "OB_RGNAIM");
    if (region == otherRegion()) {
        ui.DBEdit36->setEnabled(true);
        ui.DBEdit37->setEnabled(true);
    } else {
        if (!guarded([&] {
                DbfTable &regions = m_dm.taRegion;
                // Another row's climate must never reach the record: a name the
                // table lacks keeps the climate as it is.
                if (!regions.active() || regions.eof() || text(regions, "REG_NAIM") != region)
                    return true;
                DbfTable &work = m_dm.taWork;
                work.edit();
                work.setValue(QStringLiteral("OB_RGTMAX"), regions.value(QStringLiteral("REG_TEM")));
                work.setValue(QStringLiteral("OB_RGVLAJ"), regions.value(QStringLiteral("REG_VLAJ")));
                return true;
            }))
            return;
        ui.DBEdit36->setEnabled(false);
        ui.DBEdit37->setEnabled(false);
    }
    copyOutdoorTemperatureToSurfaces();
}

void InputRules::copyOutdoorTemperatureToSurfaces()
{
    if (!open())
        return;
    if (!guarded([this] {
            DbfTable &work = m_dm.taWork;
            work.edit();
            const QVariant outdoor = work.value(QStringLiteral("OB_RGTMAX"));
            for (int surface = 1; surface <= 6; ++surface)
                work.setValue(surfaceField("ST_TEM", surface), outdoor);
            return true;
        }))
        return;
    m_window.recalculate();
}

void InputRules::copyWallAToAllSurfaces()
{
    if (!open())
        return;
    if (m_panel.ui().chIdent->isChecked()) {
        if (!guarded([this] {
                DbfTable &work = m_dm.taWork;
                for (int surface = 2; surface <= 6; ++surface) {
                    work.edit();
                    for (const char *stem : {"ST_M", "ST_MT", "ST_IZ", "ST_IZT", "ST_TEM"})
                        work.setValue(surfaceField(stem, surface), work.value(surfaceField(stem, 1)));
                }
                return true;
            }))
            return;
    }
    m_window.recalculate();
}

void InputRules::finalTemperaturesFromChamber()
{
    if (!open())
        return;
    if (!guarded([this] {
            DbfTable &work = m_dm.taWork;
            if (text(work, "OB_TERMR") != RecordRules::storageMode())
                return true;
            work.first(); // posts what is pending
            work.edit();
            const QVariant chamber = work.value(QStringLiteral("OB_TEMKAM"));
            work.setValue(QStringLiteral("TE_PT1"), chamber);
            work.setValue(QStringLiteral("TE_TT1"), chamber);
            return true;
        }))
        return;
    m_window.recalculate();
}

void InputRules::stackingHeightFromChamberHeight()
{
    if (!open())
        return;
    if (!guarded([this] {
            DbfTable &work = m_dm.taWork;
            work.edit();
            const double height = number(work, "OB_KAMVS");
            work.setValue(QStringLiteral("IN_VSHTAB"), height >= 0.5 ? height - 0.5 : 0.0);
            return true;
        }))
        return;
    m_window.recalculate();
}

void InputRules::fillChamber()
{
    if (!open())
        return;
    const double fill = m_panel.ui().RadioGroup2->itemIndex() == 0 ? 0.7 : 0.5;
    if (!guarded([this, fill] {
            DbfTable &work = m_dm.taWork;
            work.edit();
            const double mass = number(work, "OB_KAMDL") * number(work, "OB_KAMSH") * number(work, "IN_VSHTAB")
                                * number(work, "IN_PLOTN") * fill;
            // Whole kilograms, an exact half to the even neighbour (the field
            // itself would round it away from zero).
            work.setValue(QStringLiteral("TE_PMAS"), std::nearbyint(mass));
            const bool storage = text(work, "OB_TERMR") == RecordRules::storageMode();
            work.setValue(QStringLiteral("TE_POBOR"), std::nearbyint(storage ? 0.1 * mass : mass));
            return true;
        }))
        return;
    m_window.recalculate();
}

void InputRules::applyProductCategory(const QString &category)
{
    if (!guarded([&] {
            RecordRules::productCategory(m_dm, category);
            return true;
        }))
        return;
    checkProduct();
}

void InputRules::checkProduct()
{
    if (!open()) {
        Prompts::instance().message(&m_window, QStringLiteral("База не открылась !"));
        return;
    }
    if (!guarded([this] { return RecordRules::productConsistency(m_dm); }))
        return;
    m_window.recalculate();
}

void InputRules::applyOptionBoxes()
{
    if (!open())
        return;
    Ui::InputPanel &ui = m_panel.ui();
    ui.DBEdit13->setEnabled(ui.DBCheckBox4->isChecked());
    const bool refined = ui.DBCheckBox3->isChecked();
    ui.DBEdit46->setEnabled(refined);
    ui.DBEdit47->setEnabled(refined);
    ui.DBEdit48->setEnabled(!refined);
    const bool recommended = ui.DBCheckBox2->isChecked();
    ui.DBEdit15->setEnabled(!recommended);
    if (recommended
        && !guarded([this] {
               m_dm.taWork.edit();
               m_dm.taWork.setValue(QStringLiteral("OS_POW"), 5);
               return true;
           }))
        return;
    m_window.recalculate();
}

bool InputRules::eventFilter(QObject *watched, QEvent *event)
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
