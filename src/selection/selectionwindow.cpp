#include "selectionwindow.h"

#include "document/calculationdocument.h"

#include "ui_selectionwindow.h"

#include <algorithm>

#include "input/errorreporter.h"
#include "storage/dbferror.h"
#include "storage/referencetables.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>

namespace kvor {

namespace {

void setFontColour(QWidget *w, const QColor &colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

void setPixelFont(QWidget *w, int pixels, bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    w->setFont(f);
}

} // namespace

namespace {

// The temperature stands in the run of blanks of the caption. Where the font's
// blanks are narrower than the design assumed, the box would cover "°С"; it is
// centred on the blanks as drawn instead (same size and height).
void placeHeadingInGap(const QLabel &caption, QLabel &heading)
{
    const QString text = caption.text();
    const int from = text.indexOf(QStringLiteral("  "));
    if (from < 0)
        return;
    int to = from;
    while (to < text.size() && text[to] == QLatin1Char(' '))
        ++to;
    const QFontMetrics m(caption.font());
    const int left = caption.x() + (caption.width() - m.horizontalAdvance(text)) / 2;
    const int gapLeft = left + m.horizontalAdvance(text.left(from));
    const int gapRight = left + m.horizontalAdvance(text.left(to));
    heading.move((gapLeft + gapRight - heading.width()) / 2, heading.y());
}

} // namespace

SelectionWindow::SelectionWindow(QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::SelectionWindow>())
{
    m_ui->setupUi(this);
    m_activation = new WindowActivation(*this);
    setObjectName(QStringLiteral("fmPodbor"));
    setModal(true);
    // Fixed border, the system menu only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(768, 365);

    Ui::SelectionWindow &u = *m_ui;
    setPixelFont(u.Panel1, 11, false);
    setPixelFont(u.Label1, 13, true);
    setFontColour(u.Label1, QColor(0, 255, 255));
    setPixelFont(u.Label3, 16, true);
    setFontColour(u.Label3, QColor(255, 0, 255));
    QPalette grey = u.Label3->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    u.Label3->setPalette(grey);
    placeHeadingInGap(*u.Label1, *u.Label3);
    for (QLabel *l : {u.Label4, u.Label5})
        setFontColour(l, QColor(0, 255, 0));

    QTableView *grid = u.DBGrid1;
    grid->setModel(&m_model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setShowGrid(true);
    grid->setTabKeyNavigation(false); // Tab leaves the list for the buttons
    grid->verticalHeader()->setDefaultSectionSize(17);
    grid->verticalHeader()->setFixedWidth(12); // the row indicator column
    grid->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(9);
    grid->horizontalHeader()->setFont(title);
    grid->horizontalHeader()->setHighlightSections(false); // a selected row leaves the titles as they are
    QPalette blue = grid->horizontalHeader()->palette();
    blue.setColor(QPalette::ButtonText, QColor(0, 0, 255));
    grid->horizontalHeader()->setPalette(blue);
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { rowChosen(current.row()); });

    u.RxDBCalcEdit1->setRange(1, 9);
    u.RxDBCalcEdit1->setMaxTextLength(1);
    u.int1->setRange(60, 100);
    u.int1->setMaxTextLength(3);
    u.int1->setText(QStringLiteral("95"));
    u.int2->setRange(100, 200);
    u.int2->setMaxTextLength(3);
    u.int2->setText(QStringLiteral("150"));
    m_int1Text = u.int1->text();
    m_int2Text = u.int2->text();
    connect(u.RxDBCalcEdit1, &QLineEdit::textChanged, this, &SelectionWindow::onSystemCountEdited);
    connect(u.int1, &QLineEdit::textChanged, this, [this] { perCentChanged(m_ui->int1, 60, 100, m_int1Text); });
    connect(u.int2, &QLineEdit::textChanged, this, [this] { perCentChanged(m_ui->int2, 100, 200, m_int2Text); });
    connect(u.RxDBCalcEdit1, &NumericEdit::exited, this, &SelectionWindow::onSystemCountEdited);

    connect(u.Edit1, &QLineEdit::textChanged, this, &SelectionWindow::showGroupOfCurrentRow);
    connect(u.Button2, &QPushButton::clicked, this, &SelectionWindow::adoptCurrentSystem);
    connect(u.Button3, &QPushButton::clicked, this, &SelectionWindow::previewEquipmentList);
    connect(u.Button1, &QPushButton::clicked, this, &SelectionWindow::closeWindow);
    for (QPushButton *b : {u.Button1, u.Button2, u.Button3})
        b->setAutoDefault(false);
}

SelectionWindow::~SelectionWindow() = default;

void SelectionWindow::setReferenceTables(ReferenceTables *dm)
{
    m_dm = dm;
    Ui::SelectionWindow &u = *m_ui;
    DataSource *work = dm ? &dm->dsWork : nullptr;
    u.RxDBCalcEdit1->bind(work, QStringLiteral("KOLSYS"));
    const std::pair<DbEdit *, const char *> edits[] = {
        {u.DBEdit7, "SIS"},     {u.DBEdit1, "OBR_NAIM"},  {u.DBEdit2, "OBR_AGR"},   {u.DBEdit6, "PROIZSYS"},
        {u.DBEdit3, "OBR_VO"},  {u.DBEdit4, "OBR_SHKAF"}, {u.DBEdit5, "OBR_KMONT"},
    };
    for (const auto &[edit, field] : edits)
        edit->bind(work, QString::fromLatin1(field));
    if (dm)
        connect(&dm->dsKat, &DataSource::dataChanged, this, &SelectionWindow::onCatalogueRowChanged,
                Qt::UniqueConnection);
    // The groups table changes nothing here: the current catalogue row is the same.
    if (dm)
        connect(&dm->dsGrups, &DataSource::dataChanged, this, &SelectionWindow::onCatalogueRowChanged,
                Qt::UniqueConnection);
}

QString SelectionWindow::temperatureHeading() const
{
    return m_ui->Label3->text();
}

SelectionInputs SelectionWindow::inputs() const
{
    SelectionInputs in;
    if (m_dm && m_dm->taWork.active()) {
        DbfTable &w = m_dm->taWork;
        in.chamberTemperature = w.fieldByName(QStringLiteral("OB_TEMKAM"))->asFloat();
        in.outdoorTemperature = w.fieldByName(QStringLiteral("OB_RGTMAX"))->asFloat();
        in.processingMode = w.value(QStringLiteral("OB_TERMR")).toString();
        in.systems = w.fieldByName(QStringLiteral("KOLSYS"))->asInteger();
    }
    in.required = m_required ? m_required() : 0;
    in.int1 = CatalogueSelection::rangeValue(m_ui->int1->text(), 60, 100);
    in.int2 = CatalogueSelection::rangeValue(m_ui->int2->text(), 100, 200);
    return in;
}

QString SelectionWindow::perCentMessage(const QString &text, int low, int high)
{
    return tr("Відсоток має бути цілим числом від %1 до %2, а не «%3».").arg(low).arg(high).arg(text);
}

// Digits as typed so far make the number the list is built with; anything
// else, a decimal point included, typed, pasted or from the calculator, is
// refused at once and the field gets back what it had.
void SelectionWindow::perCentChanged(NumericEdit *edit, int low, int high, QString &accepted)
{
    static const QRegularExpression typing(QStringLiteral("^\\s*[0-9]*\\s*$"));
    const QString text = edit->text();
    if (typing.match(text).hasMatch()) {
        accepted = text;
        onSystemCountEdited();
        return;
    }
    {
        const QSignalBlocker quiet(edit);
        edit->setText(accepted);
    }
    showMessage(perCentMessage(text, low, high));
}

bool SelectionWindow::fieldShown(const QString &field) const
{
    if (!m_selection.fieldVisible(field))
        return false;
    const bool pair = field.size() == 3 && (field[0].toUpper() == QLatin1Char('Q') || field[0].toUpper() == QLatin1Char('T'));
    return !pair || (m_dm && m_dm->taKat.active());
}

void SelectionWindow::setVisible(bool visible)
{
    // Centred on the screen, wherever the main window stands.
    if (visible) {
        if (const QScreen *s = (parentWidget() ? parentWidget()->screen() : screen()))
            move(s->availableGeometry().center() - rect().center());
    }
    QDialog::setVisible(visible);
}

bool SelectionWindow::event(QEvent *e)
{
    // Opening builds the list, and so does coming back from the program's own
    // preview; coming back from a message box or from another program does not,
    // so the row the user stands on stays.
    if (e->type() == QEvent::Show && !e->spontaneous()) { // shown, not restored from the task bar
        m_activation->restart();
    } else if (e->type() == QEvent::WindowActivate) {
        const bool handled = QDialog::event(e);
        if (m_activation->activated())
            onActivated();
        return handled;
    }
    return QDialog::event(e);
}

void SelectionWindow::showMessage(const QString &text)
{
    if (m_messageSink)
        m_messageSink(text);
    else
        QMessageBox::information(this, QApplication::applicationDisplayName(), text);
}

void SelectionWindow::onActivated()
{
    if (!m_dm || m_building)
        return;
    m_building = true;
    DbfTable &kat = m_dm->taKat;
    CatalogueSelection::Outcome outcome = CatalogueSelection::Outcome::Failed;
    const bool ok = ErrorReporter::guard(this, [&] {
        outcome = m_selection.build(kat, m_dataDir, inputs());
        return true;
    });
    Ui::SelectionWindow &u = *m_ui;
    if (!ok)
        CatalogueSelection::reset(kat);
    // Without a catalogue there is no temperature and no capacity pair to name.
    u.Label3->setText(kat.active() ? m_selection.heading() : QString());
    QStringList shown = m_selection.visibleFields();
    shown.removeIf([this](const QString &f) { return !fieldShown(f); });
    ErrorReporter::guard(this, [&] {
        m_model.reload(kat, shown);
        return true;
    });
    fitColumns();
    showCurrentRow();
    m_building = false;
    if (ok && !m_selection.message().isEmpty())
        showMessage(m_selection.message());
    onCatalogueRowChanged();
}

void SelectionWindow::fitColumns()
{
    QTableView *grid = m_ui->DBGrid1;
    const int digit = grid->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const QFontMetrics title(grid->horizontalHeader()->font());
    for (int c = 0; c < m_model.columnCount(); ++c) {
        const QString field = m_model.fields().at(c);
        int width = CatalogueSelection::fieldWidth(field) * digit + 4;
        // Wide enough for every line of its title too.
        for (const QString &line : CatalogueModel::shownTitle(field).split(QLatin1Char('\n')))
            width = std::max(width, title.horizontalAdvance(line) + 10);
        grid->setColumnWidth(c, width);
    }
}

void SelectionWindow::showCurrentRow()
{
    if (!m_dm)
        return;
    DbfTable &kat = m_dm->taKat;
    const int row = kat.active() && !kat.eof() ? m_model.rowOfRecord(kat.recNo()) : -1;
    QTableView *grid = m_ui->DBGrid1;
    m_model.setCurrentRow(row);
    const QSignalBlocker block(grid->selectionModel());
    if (row < 0) {
        grid->selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_model.index(row, 0);
    grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid->scrollTo(index);
}

void SelectionWindow::rowChosen(int row)
{
    if (!m_dm || row < 0 || row >= m_model.rowCount())
        return;
    DbfTable &kat = m_dm->taKat;
    if (!kat.active() || kat.recNo() == m_model.recordAt(row))
        return;
    ErrorReporter::guard(this, [&] { return kat.goToRecord(m_model.recordAt(row)); });
}

void SelectionWindow::onCatalogueRowChanged()
{
    if (!m_dm || m_building)
        return;
    DbfTable &kat = m_dm->taKat;
    if (!kat.active() || kat.state() != DbfTable::State::Browse)
        return;
    if (kat.eof()) {
        m_ui->Edit1->setText(QStringLiteral("0"));
        return;
    }
    ErrorReporter::guard(this, [&] {
        m_ui->Edit1->setText(QString::number(kat.fieldByName(QStringLiteral("ID_GRUP"))->asInteger()));
        return true;
    });
    showCurrentRow();
}

void SelectionWindow::showGroupOfCurrentRow()
{
    if (!m_dm)
        return;
    DbfTable &kat = m_dm->taKat;
    if (!kat.active() || kat.eof())
        return;
    ErrorReporter::guard(this, [&] {
        DbfTable &groups = m_dm->taGrups;
        const qint32 id = kat.fieldByName(QStringLiteral("ID_GRUP"))->asInteger();
        if (groups.active() && groups.locate(QStringLiteral("ID"), id)) {
            m_ui->Label4->setText(groups.value(QStringLiteral("GR")).toString());
            m_ui->Label5->setText(groups.value(QStringLiteral("PGR")).toString());
        } else {
            m_ui->Label4->clear();
            m_ui->Label5->clear();
        }
        return true;
    });
}

void SelectionWindow::adoptCurrentSystem()
{
    if (!m_dm || !m_document)
        return;
    ErrorReporter::guard(this, [&] {
        DbfTable &kat = m_dm->taKat;
        // An empty list (or none, for a chamber no catalogue covers) reads as empty fields.
        const bool row = kat.active() && !kat.eof();
        auto text = [&](const char *name) {
            return row ? kat.value(QString::fromLatin1(name)).toString() : QString();
        };
        AdoptedSystem system;
        system.code = text("SIS");
        system.description = m_ui->Label4->text() + QStringLiteral(", ") + m_ui->Label5->text();
        system.unit = text("AGR");
        system.cooler = text("VOHL");
        system.cabinet = text("SHKAF");
        system.kit = text("NABOR");
        const QString capacity = QLatin1Char('Q') + m_selection.ambientColumn();
        if (row && kat.findField(capacity))
            system.capacity = kat.value(capacity);
        m_document->adoptSystem(system);
        return true;
    });
}

void SelectionWindow::previewEquipmentList()
{
    if (m_preview)
        m_preview();
}

void SelectionWindow::closeWindow()
{
    close();
}

void SelectionWindow::onSystemCountEdited()
{
    // A hidden window lists nothing; its next showing builds afresh.
    if (!m_dm || m_building || !isVisible())
        return;
    DbfTable &kat = m_dm->taKat;
    if (!kat.active())
        return;
    CatalogueSelection::reset(kat);
    if (m_dm->taWork.active())
        onActivated();
}

} // namespace kvor
