#include "inputpanel.h"

#include "dbcheckbox.h"
#include "dbcombobox.h"
#include "dbedit.h"
#include "dblookupcombobox.h"
#include "numericedit.h"
#include "pagecontrol.h"
#include "pagetabbar.h"
#include "radiogroup.h"
#include "storage/referencetables.h"
#include "ui_inputpanel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

// Resources of a static library must be registered by hand, outside any namespace.
static void initInputAssets()
{
    Q_INIT_RESOURCE(inputassets);
}

namespace kvor {

namespace {

using K = InputPanel::Kind;
using S = InputPanel::Source;
using H = InputPanel::Hook;

InputPanel::Binding numeric(const char *object, const char *field, H hook, double min = 0, double max = 0,
                            int maxLength = 0, bool validated = false)
{
    return {object, K::Numeric, S::Work, field, hook, min, max, validated, maxLength};
}

InputPanel::Binding lookup(const char *object, K kind, const char *field, H hook, S list, const char *listField)
{
    return {object, kind, S::Work, field, hook, 0, 0, false, 0, list, listField};
}

InputPanel::Binding plain(const char *object, K kind, S source, const char *field, H hook = H::None)
{
    return {object, kind, source, field, hook};
}

std::vector<InputPanel::Binding> makeBindings()
{
    std::vector<InputPanel::Binding> b = {
        // Region.
        lookup("DBLookupComboBox3", K::LookupList, "OB_RGNAIM", H::regionChosen, S::Region, "REG_NAIM"),
        numeric("DBEdit36", "OB_RGTMAX", H::outdoorTemperatureEdited, 0, 0, 0, true),
        numeric("DBEdit37", "OB_RGVLAJ", H::inputChanged, 50, 100),
        // Chamber.
        numeric("DBEdit38", "OB_KAMDL", H::inputChanged),
        numeric("DBEdit39", "OB_KAMSH", H::inputChanged),
        numeric("DBEdit40", "OB_KAMVS", H::chamberHeightEdited),
        plain("DBEdit41", K::ReadOnly, S::Work, "ob_kamv"),
        // Processing modes.
        numeric("DBEdit42", "OB_TEMKAM", H::chamberTemperatureEdited, -60, 900),
        plain("DBEdit11", K::FixedList, S::Work, "TE_VLAJ", H::productChanged),
        numeric("RxDBCalcEdit1", "OB_TIMEWRK", H::inputChanged, 1, 24, 2),
        numeric("DBEdit45", "OB_KZAPAS", H::inputChanged, 1, 2),
    };
    // Page 1: six surfaces, all reporting to the same-construction rule.
    const char *lists[] = {"DBLSt1", "DBLSt2", "DBLSt3", "DBLSt4", "DBLSt5", "DBLSt6"};
    const char *insulations[] = {"DBLookupComboBox10", "DBLookupComboBox11", "DBLookupComboBox12",
                                 "DBLookupComboBox13", "DBLookupComboBox14", "DBLookupComboBox15"};
    const char *thicknesses[] = {"DBEdit17", "DBEdit19", "DBEdit20", "DBEdit21", "DBEdit22", "DBEdit23"};
    const char *insulationThicknesses[] = {"DBEdit24", "DBEdit25", "DBEdit26", "DBEdit27", "DBEdit28", "DBEdit29"};
    const char *temperatures[] = {"DBEdit30", "DBEdit31", "DBEdit32", "DBEdit33", "DBEdit34", "DBEdit35"};
    static const char *const fields[5][6] = {
        {"ST_M1", "ST_M2", "ST_M3", "ST_M4", "ST_M5", "ST_M6"},
        {"ST_MT1", "ST_MT2", "ST_MT3", "ST_MT4", "ST_MT5", "ST_MT6"},
        {"ST_IZ1", "ST_IZ2", "ST_IZ3", "ST_IZ4", "ST_IZ5", "ST_IZ6"},
        {"ST_IZT1", "ST_IZT2", "ST_IZT3", "ST_IZT4", "ST_IZT5", "ST_IZT6"},
        {"ST_TEM1", "ST_TEM2", "ST_TEM3", "ST_TEM4", "ST_TEM5", "ST_TEM6"},
    };
    for (int i = 0; i < 6; ++i) {
        b.push_back(lookup(lists[i], K::LookupList, fields[0][i], H::sameConstructionClicked, S::Mater, "M_NAIM"));
        b.push_back(numeric(thicknesses[i], fields[1][i], H::sameConstructionClicked, 0, 1000, 4));
        b.push_back(lookup(insulations[i], K::LookupList, fields[2][i], H::sameConstructionClicked, S::Izolm, "IZ_NAIM"));
        b.push_back(numeric(insulationThicknesses[i], fields[3][i], H::sameConstructionClicked, 0, 2000, 4));
        b.push_back(numeric(temperatures[i], fields[4][i], H::sameConstructionClicked, -50, 300, 3));
    }
    const std::vector<InputPanel::Binding> rest = {
        plain("chIdent", K::CheckBox, S::Work, "ST_IDENT", H::sameConstructionClicked),
        // Page 2: ventilation.
        numeric("DBEdit13", "VN_KR", H::inputChanged),
        plain("DBCheckBox4", K::CheckBox, S::Work, "VN_FLAG", H::optionChecked),
        // Page 3: infiltration.
        numeric("DBEdit1", "IN_DV", H::inputChanged),
        numeric("DBEdit7", "IN_DH", H::inputChanged),
        plain("DBComboBox2", K::EditableList, S::Work, "IN_TOV", H::productChanged),
        plain("DBComboBox1", K::FixedList, S::Work, "IN_ZAV", H::productChanged),
        plain("DBCheckBox1", K::CheckBox, S::Work, "IN_TIP", H::optionChecked),
        numeric("DBEdit2", "IN_GPTS", H::inputChanged),
        // Page 4: product and packaging.
        lookup("DBLookupComboBox1", K::LookupGrid, "TE_PTIP", H::productChanged, S::Prod, "NAIM"),
        numeric("DBEdit3", "TE_PMAS", H::inputChanged),
        numeric("DBEdit4", "TE_POBOR", H::inputChanged),
        numeric("DBEdit6", "TE_PT0", H::inputChanged),
        numeric("DBEdit5", "TE_PT1", H::inputChanged),
        plain("DBEdit18", K::ReadOnly, S::Prod, "TZAM"),
        lookup("DBLookupComboBox2", K::LookupGrid, "TE_TTIP", H::productChanged, S::Tara, "NAIM"),
        numeric("DBEdit44", "TE_TMAS", H::inputChanged),
        numeric("DBEdit8", "TE_TOBOR", H::inputChanged),
        numeric("DBEdit10", "TE_TT0", H::inputChanged),
        numeric("DBEdit9", "TE_TT1", H::inputChanged),
        numeric("RxDBCalcEdit2", "IN_VSHTAB", H::None),
        numeric("RxDBCalcEdit3", "IN_PLOTN", H::None),
        // Page 6: lighting.
        numeric("DBEdit14", "OS_TIME", H::inputChanged),
        numeric("DBEdit15", "OS_POW", H::inputChanged),
        plain("DBCheckBox2", K::CheckBox, S::Work, "OS_REC", H::optionChecked),
        // Page 7: personnel; page 8: loading vehicles.
        numeric("DBEdit12", "PER_KOL", H::inputChanged),
        numeric("DBEdit16", "TRS_POW", H::inputChanged),
        // Page 9: air coolers.
        numeric("DBEdit48", "VO_PROC", H::inputChanged, 1, 90, 2, true),
        plain("DBCheckBox3", K::CheckBox, S::Work, "VO_UTOCH", H::optionChecked),
        numeric("DBEdit46", "VO_KOLVO", H::inputChanged),
        numeric("DBEdit47", "VO_POW", H::inputChanged),
    };
    b.insert(b.end(), rest.begin(), rest.end());
    return b;
}

// Page by page, as the focus walks them; each group's controls in their own order.
const char *const kTabOrder[] = {
    "DBLookupComboBox3", "DBEdit36", "DBEdit37",
    "DBEdit38", "DBEdit39", "DBEdit40",
    "DBEdit42", "DBEdit11", "RxDBCalcEdit1", "DBEdit45", "RadioGroup1",
    "Page95Control1",
    "DBLSt1", "DBLSt2", "DBLSt3", "DBLSt4", "DBLSt5", "DBLSt6",
    "DBLookupComboBox10", "DBLookupComboBox11", "DBLookupComboBox12",
    "DBLookupComboBox13", "DBLookupComboBox14", "DBLookupComboBox15",
    "chIdent",
    "DBEdit17", "DBEdit19", "DBEdit20", "DBEdit21", "DBEdit22", "DBEdit23",
    "DBEdit24", "DBEdit25", "DBEdit26", "DBEdit27", "DBEdit28", "DBEdit29",
    "DBEdit30", "DBEdit31", "DBEdit32", "DBEdit33", "DBEdit34", "DBEdit35",
    "DBEdit13", "DBCheckBox4",
    "DBEdit1", "DBEdit7", "DBComboBox2", "DBComboBox1", "DBCheckBox1", "DBEdit2",
    "ComboBox1", "DBLookupComboBox1", "DBEdit3", "DBEdit4", "DBEdit6", "DBEdit5",
    "DBLookupComboBox2", "DBEdit44", "DBEdit8", "DBEdit10", "DBEdit9", "DBEdit18", "BitBtn1",
    "RxDBCalcEdit2", "RxDBCalcEdit3", "RadioGroup2",
    "DBEdit14", "DBEdit15", "DBCheckBox2",
    "DBEdit12",
    "DBEdit16",
    "DBEdit48", "DBCheckBox3", "DBEdit46", "DBEdit47",
};

} // namespace

const std::vector<InputPanel::Binding> &InputPanel::bindings()
{
    static const std::vector<Binding> b = makeBindings();
    return b;
}

const std::vector<InputPanel::FixedItems> &InputPanel::fixedItems()
{
    static const std::vector<FixedItems> items = {
        {"DBEdit11",
         {QStringLiteral("60"), QStringLiteral("65"), QStringLiteral("70"), QStringLiteral("75"), QStringLiteral("80"),
          QStringLiteral("85"), QStringLiteral("90"), QStringLiteral("95"), QStringLiteral("100")}},
        {"DBComboBox2", {QStringLiteral("Штабелі на піддонах"), QStringLiteral("Мясні туші на гаках")}},
        {"DBComboBox1", {QStringLiteral("Відсутня"), QStringLiteral("Штора"), QStringLiteral("Пов. завіса")}},
        // The categories must equal the products table's TIP byte for byte: "Овочi" ends
        // in a Latin i and "Iнше" starts with a Latin I.
        {"ComboBox1",
         {QStringLiteral("Мясне"), QStringLiteral("Морепродукти"), QStringLiteral("Молочне"),
          QStringLiteral("Овоч") + QLatin1Char('i'), QStringLiteral("Фрукти"),
          QLatin1Char('I') + QStringLiteral("нше")}},
    };
    return items;
}

bool InputPanel::isOurs(const QWidget *w) const
{
    for (const QWidget *top : {static_cast<QWidget *>(m_ui->GroupBox3), static_cast<QWidget *>(m_ui->GroupBox2),
                               static_cast<QWidget *>(m_ui->GroupBox1), static_cast<QWidget *>(m_ui->Page95Control1)})
        if (top == w || top->isAncestorOf(w))
            return true;
    return false;
}

InputPanel::InputPanel(QWidget *panel)
    : QObject(panel)
    , m_panel(panel)
    , m_ui(std::make_unique<Ui::InputPanel>())
{
    initInputAssets();
    m_ui->setupUi(panel);
    setUpControls();
    wireHooks();
    applyTabOrder();
}

InputPanel::~InputPanel() = default;

QWidget *InputPanel::widget(const char *objectName) const
{
    return m_panel->findChild<QWidget *>(QString::fromLatin1(objectName));
}

QString InputPanel::productCategory() const
{
    return m_ui->ComboBox1->currentText();
}

void InputPanel::showProductCategory(const QString &category)
{
    const QSignalBlocker quiet(m_ui->ComboBox1);
    m_ui->ComboBox1->setEditText(category);
}

int InputPanel::processingMode() const
{
    return m_ui->RadioGroup1->itemIndex();
}

void InputPanel::setCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    fitCaption(label);
}

void InputPanel::showProcessingMode(int item)
{
    if (m_ui->RadioGroup1->itemIndex() != item) {
        const QSignalBlocker quiet(m_ui->RadioGroup1);
        m_ui->RadioGroup1->setItemIndex(item);
    }
    const bool storage = item == 0;
    if (storage) {
        setCaption(m_ui->Label13, tr("Время работы оборуд."));
        setCaption(m_ui->Label54, tr("Суточный оборот,(кг)"));
        setCaption(m_ui->Label11, tr("Суточный оборот,(кг)"));
    } else {
        setCaption(m_ui->Label13, tr("Час     термообробки "));
        setCaption(m_ui->Label54, tr("Охолоджувана маса,(кг)"));
        setCaption(m_ui->Label11, tr("Охолоджувана маса,(кг)"));
    }
    for (QWidget *w : {static_cast<QWidget *>(m_ui->DBEdit3), static_cast<QWidget *>(m_ui->DBEdit44),
                       static_cast<QWidget *>(m_ui->Label53), static_cast<QWidget *>(m_ui->Label43)})
        w->setVisible(storage);
}

double InputPanel::fillFraction() const
{
    return m_ui->RadioGroup2->itemIndex() == 0 ? 0.7 : 0.5;
}

void InputPanel::setTypedClimateEnabled(bool enabled)
{
    m_ui->DBEdit36->setEnabled(enabled);
    m_ui->DBEdit37->setEnabled(enabled);
}

void InputPanel::applyOptionStates()
{
    m_ui->DBEdit13->setEnabled(m_ui->DBCheckBox4->isChecked());
    const bool refined = m_ui->DBCheckBox3->isChecked();
    m_ui->DBEdit46->setEnabled(refined);
    m_ui->DBEdit47->setEnabled(refined);
    m_ui->DBEdit48->setEnabled(!refined);
    m_ui->DBEdit15->setEnabled(!m_ui->DBCheckBox2->isChecked());
}

void InputPanel::setUpControls()
{
    for (const Binding &b : bindings()) {
        QWidget *w = widget(b.object);
        Q_ASSERT(w);
        if (auto *edit = qobject_cast<NumericEdit *>(w)) {
            edit->setRange(b.minValue, b.maxValue);
            edit->setValidatedOnLeaving(b.validated);
            edit->setMaxTextLength(b.maxLength);
        } else if (auto *list = qobject_cast<DbLookupComboBox *>(w)) {
            list->setMaxVisibleItems(b.kind == Kind::LookupGrid ? 8 : 7);
        } else if (auto *fixed = qobject_cast<DbComboBox *>(w)) {
            fixed->setEditable(b.kind == Kind::EditableList);
        }
    }
    for (const FixedItems &f : fixedItems()) {
        auto *box = qobject_cast<QComboBox *>(widget(f.object));
        Q_ASSERT(box);
        if (auto *bound = qobject_cast<DbComboBox *>(box))
            bound->setItems(f.items);
        else
            box->addItems(f.items);
    }
    // Typed text stays as typed, and only the user's typing and picking count as changes.
    DbComboBox::plainTyping(m_ui->DBComboBox2);
    DbComboBox::plainTyping(m_ui->ComboBox1);
    m_ui->ComboBox1->setCurrentIndex(-1); // its text comes with the first opened file
    // Captions keep the layout's boxes, running on only into free space; the
    // count of entries keeps its fixed box.
    for (auto *label : m_panel->findChildren<QLabel *>())
        if (!label->text().isEmpty() && label != m_ui->Label3 && isOurs(label))
            fitCaption(label);
    m_ui->DBEdit11->setEnterMovesFocus(true);
    m_ui->BitBtn1->setIconSize(QSize(13, 13));
}

void InputPanel::fitCaption(QLabel *label)
{
    static const char *const kDesignWidth = "kvorDesignWidth";
    if (!label->property(kDesignWidth).isValid())
        label->setProperty(kDesignWidth, label->width());
    const int design = label->property(kDesignWidth).toInt();
    const int needed = label->fontMetrics().size(0, label->text()).width();
    int room = needed;
    if (QWidget *parent = label->parentWidget()) {
        const QRect own(label->x(), label->y(), design, label->height());
        for (QObject *o : parent->children()) {
            auto *other = qobject_cast<QWidget *>(o);
            if (!other || other == label || other->isWindow())
                continue;
            const QRect r = other->geometry();
            // Beside it: to the right of the caption's start, sharing some of its rows.
            if (r.left() > own.left() && r.top() <= own.bottom() && r.bottom() >= own.top())
                room = std::min(room, r.left() - own.left() - 1);
        }
    }
    label->resize(std::max(design, room), label->height());
}

void InputPanel::run(Hook hook)
{
    switch (hook) {
    case Hook::None:
        break;
    case Hook::inputChanged:
        emit inputChanged();
        break;
    case Hook::sameConstructionClicked:
        emit sameConstructionClicked();
        break;
    case Hook::optionChecked:
        emit optionChecked();
        break;
    case Hook::productChanged:
        emit productChanged();
        break;
    case Hook::regionChosen:
        emit regionChosen();
        break;
    case Hook::outdoorTemperatureEdited:
        emit outdoorTemperatureEdited();
        break;
    case Hook::chamberHeightEdited:
        emit chamberHeightEdited();
        break;
    case Hook::chamberTemperatureEdited:
        emit chamberTemperatureEdited();
        break;
    }
}

void InputPanel::wireHooks()
{
    // Bound controls: the event each kind reports (leave, close-up, change,
    // state change) runs the control's handler.
    for (const Binding &b : bindings()) {
        if (b.hook == Hook::None)
            continue;
        QWidget *w = widget(b.object);
        const Hook hook = b.hook;
        auto fire = [this, hook] { run(hook); };
        if (auto *edit = qobject_cast<NumericEdit *>(w))
            connect(edit, &NumericEdit::exited, this, fire);
        else if (auto *list = qobject_cast<DbLookupComboBox *>(w))
            connect(list, &DbLookupComboBox::closeUp, this, fire);
        else if (auto *fixed = qobject_cast<DbComboBox *>(w))
            connect(fixed, &DbComboBox::textChangedByUser, this, fire);
        else if (auto *box = qobject_cast<DbCheckBox *>(w))
            connect(box, &DbCheckBox::changed, this, fire);
    }
    // Controls that are not bound.
    connect(m_ui->ComboBox1, &QComboBox::activated, this, &InputPanel::categoryChanged);
    connect(m_ui->ComboBox1->lineEdit(), &QLineEdit::textEdited, this, &InputPanel::categoryChanged);
    connect(m_ui->BitBtn1, &QPushButton::clicked, this, &InputPanel::fillChamberClicked);
    connect(m_ui->RadioGroup1, &RadioGroup::clicked, this, &InputPanel::modeClicked);
}

std::vector<QWidget *> InputPanel::tabSequence() const
{
    std::vector<QWidget *> seq;
    for (const char *name : kTabOrder) {
        QWidget *w = widget(name);
        if (auto *radio = qobject_cast<RadioGroup *>(w)) {
            for (int i = 0; radio->button(i); ++i)
                seq.push_back(radio->button(i));
        } else if (auto *pages = qobject_cast<PageControl *>(w)) {
            // The control hands the focus to its tab bar, which must follow it at once.
            seq.push_back(pages);
            seq.push_back(pages->tabBar());
        } else if (w) {
            seq.push_back(w);
        }
    }
    return seq;
}

void InputPanel::applyTabOrder()
{
    // Ours first, then whatever the panel already held (the results, the
    // totals, the buttons) in the order it had.
    std::vector<QWidget *> seq = tabSequence();
    std::vector<QWidget *> others;
    for (QWidget *w = m_panel->nextInFocusChain(); w && w != m_panel; w = w->nextInFocusChain()) {
        if (!m_panel->isAncestorOf(w) || w->focusPolicy() == Qt::NoFocus || w->focusProxy())
            continue;
        if (std::find(seq.begin(), seq.end(), w) != seq.end())
            continue;
        if (!isOurs(w))
            others.push_back(w);
    }
    seq.insert(seq.end(), others.begin(), others.end());
    for (size_t i = 1; i < seq.size(); ++i)
        QWidget::setTabOrder(seq[i - 1], seq[i]);
}

DataSource *InputPanel::dataSource(ReferenceTables &dm, Source source)
{
    switch (source) {
    case Source::Work:
        return &dm.dsWork;
    case Source::Mater:
        return &dm.dsMater;
    case Source::Izolm:
        return &dm.dsIzolm;
    case Source::Region:
        return &dm.dsRegion;
    case Source::Prod:
        return &dm.dsProd;
    case Source::Tara:
        return &dm.dsTara;
    }
    return nullptr;
}

void InputPanel::bind(ReferenceTables &dm)
{
    for (const Binding &b : bindings()) {
        QWidget *w = widget(b.object);
        const QString field = QString::fromLatin1(b.field);
        DataSource *source = dataSource(dm, b.source);
        if (auto *edit = qobject_cast<NumericEdit *>(w))
            edit->bind(source, field);
        else if (auto *list = qobject_cast<DbLookupComboBox *>(w))
            list->bind(source, field, dataSource(dm, b.listSource), QString::fromLatin1(b.listField));
        else if (auto *fixed = qobject_cast<DbComboBox *>(w))
            fixed->bind(source, field);
        else if (auto *box = qobject_cast<DbCheckBox *>(w))
            box->bind(source, field);
        else if (auto *text = qobject_cast<DbEdit *>(w))
            text->bind(source, field);
    }
}

} // namespace kvor
