#include "mainwindow.h"

#include "calc/balancesource.h"
#include "calc/heatbalance.h"
#include "calc/rounding.h"
#include "config.h"
#include "reports/core/reporterror.h"
#include "reports/reportpreview.h"
#include "reports/reportprinting.h"
#include "selection/selectionwindow.h"
#include "selection/windowactivation.h"
#include "input/errorreporter.h"
#include "inputrules.h"
#include "input/inputpanel.h"
#include "input/radiogroup.h"
#include "ui_inputpanel.h"
#include "additionaldatadialog.h"
#include "prompts.h"
#include "storage/calcfiles.h"
#include "storage/dbferror.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

// Resources of a static library must be brought in by name.
static void initAssets()
{
    Q_INIT_RESOURCE(assets);
}

namespace kvor {

namespace {

const QString kCalcFilter = QStringLiteral("Розрахунки (*.kvor)|*.kvor|Старі розрахунки (*.dbf)|*.dbf");
const QString kSaveFilter = QStringLiteral("Розрахунки (*.kvor)|*.kvor");
const QString kSuffix = QStringLiteral("kvor");

QIcon themed(const char *name, const char *fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(name), QIcon(QStringLiteral(":/assets/%1").arg(QLatin1String(fallback))));
}

QWidget *spacer(int width, bool expanding = false)
{
    auto *w = new QWidget;
    w->setFixedWidth(width);
    if (expanding) {
        w->setMinimumWidth(0);
        w->setMaximumWidth(QWIDGETSIZE_MAX);
        w->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }
    return w;
}

// The items of a fixed list of the input panel, or the program's own items
// while the panel does not have the list.
QStringList listItems(const QWidget *panel, const char *name, const QStringList &fallback)
{
    const auto *list = panel->findChild<QComboBox *>(QString::fromLatin1(name));
    if (!list)
        return fallback;
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QLineEdit *editOf(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e;
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->lineEdit();
    return nullptr;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_ui(std::make_unique<Ui::MainWindow>())
{
    initAssets();
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("fmKvor"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/kvor.png")));
    m_appDir = QCoreApplication::applicationDirPath();
    m_fileFolder = QStringLiteral("C:\\Мої документи");

    m_ui->Image10->setPixmap(QPixmap(QStringLiteral(":/assets/background.jpg")));
    QFont contact(QStringLiteral("Arial"));
    contact.setPixelSize(19);
    m_ui->RxLabel3->setFont(contact);
    m_ui->RxLabel3->setText(QStringLiteral("%1, контактний телефон: %2, сторінка компанії: %3")
                                .arg(QLatin1String(config::kMakerName), QLatin1String(config::kMakerPhone),
                                     QLatin1String(config::kMakerWeb)));
    m_ui->Label66->setText(QString::fromUtf8(config::kVersionText));
    m_ui->Label66->setStyleSheet(QStringLiteral("color: navy; font-weight: bold;"));
    m_ui->Panel4->setStyleSheet(QStringLiteral("QFrame#Panel4, QGroupBox { background-color: rgb(128,128,128); }"
                                               "QGroupBox#GroupBox4::title { color: lime; font-weight: bold; }"));
    m_ui->RxLabel2->setStyleSheet(QStringLiteral("color: lime; font-weight: bold;"));
    m_ui->RxLabel1->setStyleSheet(QStringLiteral("color: lime; font-weight: bold;"));
    for (QLineEdit *e : {m_ui->CurrencyEdit10, m_ui->CurrencyEdit11})
        e->setStyleSheet(QStringLiteral("background-color: lime; color: red; font: bold 9pt \"Arial\";"));
    m_ui->Image9->setPixmap(QPixmap(QStringLiteral(":/assets/kvor-32.png")));

    m_input = new InputPanel(m_ui->Panel4);
    connectInputPanel();
    setupToolBar();
    setupEditCommands();
    m_ui->StatusBar->setSizeGripEnabled(false);

    connect(m_ui->FileNew1, &QAction::triggered, this, &MainWindow::newFile);
    connect(m_ui->FileOpen1, &QAction::triggered, this, &MainWindow::openFile);
    connect(m_ui->iFileSave, &QAction::triggered, this, &MainWindow::saveFile);
    connect(m_ui->iFileClose, &QAction::triggered, this, &MainWindow::closeFile);
    connect(m_ui->FileExit1, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->Button1, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->Button3, &QPushButton::clicked, this, &MainWindow::openAdditionalData);
    connect(m_ui->Button2, &QPushButton::clicked, this, &MainWindow::openSelection);
    connect(m_ui->iFilePrint, &QAction::triggered, this, &MainWindow::printReport);
    connect(m_ui->iFilePrev, &QAction::triggered, this, &MainWindow::previewReport);
    connect(m_ui->anim, &NewSign::clicked, this, &MainWindow::toggleNews);
    for (int row = 1; row <= 9; ++row)
        connect(includeBox(row), &QCheckBox::clicked, this, &MainWindow::onInputChanged);
    connect(this, &MainWindow::requiredCapacityShownChanged, this, &MainWindow::dropSystemOfAnotherCapacity);
    for (int field = 1; field <= 11; ++field)
        resultEdit(field)->setText(Rounding::grouped(0, 2, locale()));

    // Client area: 762 × 526 below the menu bar, fixed.
    const int menuHeight = m_ui->MainMenu1->sizeHint().height();
    setFixedSize(762, 526 + menuHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Which window had the focus before decides whether an activation counts.
    m_activation = new WindowActivation(*this);

    m_ui->anim->start();
}

MainWindow::~MainWindow()
{
    if (m_dm) {
        for (QObject *c : m_dm->components()) {
            if (auto *t = qobject_cast<DbfTable *>(c)) {
                QObject::disconnect(t, &DbfTable::aboutToClose, nullptr, nullptr);
                if (t->active())
                    t->close();
            }
        }
        m_dm->setHost(nullptr);
    }
}

void MainWindow::setDataModule(ReferenceTables *dm)
{
    m_rules.reset();
    m_dm = dm;
    if (dm) {
        dm->setHost(this);
        m_input->bind(*dm);
        m_rules = std::make_unique<InputRules>(*this, *m_input, *dm);
    }
}

// The input panel's events run the window's handlers; those with a rule of
// their own hand it to the input rules.
void MainWindow::connectInputPanel()
{
    InputPanel *in = m_input;
    connect(in, &InputPanel::inputChanged, this, &MainWindow::onInputChanged);
    connect(in, &InputPanel::sameConstructionClicked, this, &MainWindow::onSameConstructionClicked);
    connect(in, &InputPanel::optionChecked, this, &MainWindow::onOptionChecked);
    connect(in, &InputPanel::productChanged, this, &MainWindow::onProductChanged);
    connect(in, &InputPanel::categoryChanged, this, [this] {
        m_categoryText = m_input->ui().ComboBox1->currentText();
        onCategoryChanged();
    });
    connect(in, &InputPanel::modeClicked, this, [this] {
        m_modeItem = m_input->ui().RadioGroup1->itemIndex();
        onModeClicked();
    });
    connect(in, &InputPanel::fillChamberClicked, this, &MainWindow::onFillChamberClicked);
    connect(in, &InputPanel::regionChosen, this, &MainWindow::onRegionChosen);
    connect(in, &InputPanel::outdoorTemperatureEdited, this, &MainWindow::onOutdoorTemperatureEdited);
    connect(in, &InputPanel::chamberHeightEdited, this, &MainWindow::onChamberHeightEdited);
    connect(in, &InputPanel::chamberTemperatureEdited, this, &MainWindow::onChamberTemperatureEdited);
}

void MainWindow::setAddDialog(AdditionalDataDialog *dialog)
{
    m_add = dialog;
}

void MainWindow::setSelectionWindow(SelectionWindow *window)
{
    m_podbor = window;
    if (!window)
        return;
    window->setRequiredCapacity([this] { return resultValue(11); });
}

void MainWindow::setReportForms(CalculationReport *report, EquipmentListReport *list)
{
    m_report = report;
    m_list = list;
    const auto version = [this] { return m_ui->Label66->text(); };
    if (report) {
        if (m_dm)
            report->setWorkTable(&m_dm->taWork);
        report->setLabels(&m_reportLabels);
        report->setVersionText(version);
    }
    if (list) {
        list->setLabels(&m_equipmentLabels);
        list->setVersionText(version);
    }
}

namespace {

// A rendering's errors reach the user; what was laid out so far is dropped.
template <class F>
void rendering(QWidget *parent, F &&f)
{
    try {
        f();
    } catch (const ReportError &e) {
        ErrorReporter::report(parent, e.message());
    } catch (const DbfError &e) {
        ErrorReporter::report(parent, e.message());
    }
}

} // namespace

void MainWindow::printReport()
{
    if (!m_report || !m_dm || !calculationOpen())
        return;
    m_report->setWorkTable(&m_dm->taWork);
    rendering(this, [&] { printReportWithDialog(this, [this] { return m_report->render(); }); });
}

void MainWindow::previewReport()
{
    if (!m_report || !m_dm || !calculationOpen())
        return;
    m_report->setWorkTable(&m_dm->taWork);
    rendering(this, [&] {
        ReportPreview::run(
            this, [this](const std::function<void(int)> &progress) { return m_report->render(progress); },
            m_report->printerSettings);
    });
}

void MainWindow::openSelection()
{
    if (!m_dm || !m_podbor)
        return;
    ErrorReporter::guard(this, [&] {
        CatalogueSelection::reset(m_dm->taKat);
        return true;
    });
    m_selectionOpen = true;
    m_podbor->setDataModule(m_dm);
    m_podbor->setDataDir(m_dataDir);
    if (m_list) {
        SelectionWindow *podbor = m_podbor;
        m_list->setWorkTable(&m_dm->taWork);
        m_list->setCatalogueTable(&m_dm->taKat);
        m_list->setTemperatureHeading([podbor] { return podbor->temperatureHeading(); });
        m_list->setFieldVisible([podbor](const QString &f) { return podbor->fieldShown(f); });
        podbor->setEquipmentPreview([this, podbor] {
            rendering(podbor, [&] {
                ReportPreview::run(
                    podbor, [this](const std::function<void(int)> &progress) { return m_list->render(progress); },
                    m_list->printerSettings);
            });
        });
    }
    m_podbor->exec();
}

bool MainWindow::calculationOpen() const
{
    return m_dm && m_dm->taWork.active();
}

QCheckBox *MainWindow::includeBox(int row) const
{
    return findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(row));
}

QLineEdit *MainWindow::resultEdit(int row) const
{
    return findChild<QLineEdit *>(QStringLiteral("CurrencyEdit%1").arg(row));
}

void MainWindow::setupToolBar()
{
    QToolBar *bar = m_ui->ToolBar1;
    bar->setFixedHeight(30);
    auto add = [this, bar](const char *name, const char *theme, const char *fallback, const QString &hint,
                           QAction *command) {
        auto *a = new QAction(themed(theme, fallback), hint, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(hint);
        a->setStatusTip(hint);
        a->setEnabled(command->isEnabled());
        connect(a, &QAction::triggered, command, &QAction::trigger);
        bar->addAction(a);
        return a;
    };
    add("bFileNew", "document-new", "new.png", QStringLiteral("Створити новий розрахунок"), m_ui->FileNew1);
    add("bFileOpen", "document-open", "open.png", QStringLiteral("Відкрити файл розрахунку"), m_ui->FileOpen1);
    m_bFileSave = add("bFileSave", "document-save", "save.png", QStringLiteral("Зберегти файл разрахунку"),
                      m_ui->iFileSave);
    m_bFileClose = add("bFileClose", "document-close", "close.png", QStringLiteral("Закрити раз-рах."),
                       m_ui->iFileClose);
    bar->addWidget(spacer(12));
    m_bFilePrev = add("bFilePrev", "document-print-preview", "preview.png", QStringLiteral("Попередній перегляд"),
                      m_ui->iFilePrev);
    m_bFilePrint = add("bFilePrint", "document-print", "print.png", QStringLiteral("Друкувати роз-рах."),
                       m_ui->iFilePrint);
    bar->addWidget(spacer(22));
    m_bEditCut = add("bEditCut", "edit-cut", "cut.png", QStringLiteral("Вирізати дані"), m_ui->EditCut1);
    m_bEditCopy = add("bEditCopy", "edit-copy", "copy.png", QStringLiteral("Копіювати дані"), m_ui->EditCopy1);
    m_bEditPaste = add("bEditPaste", "edit-paste", "paste.png", QStringLiteral("Вставити дані"), m_ui->EditPaste1);
    bar->addWidget(spacer(0, true)); // pushes the exit button to the right end
    add("bFileExit", "application-exit", "exit.png", QStringLiteral("Вихід"), m_ui->FileExit1);
}

void MainWindow::setupEditCommands()
{
    connect(m_ui->EditCut1, &QAction::triggered, this, [this] {
        if (QLineEdit *e = editOf(QApplication::focusWidget()))
            e->cut();
    });
    connect(m_ui->EditCopy1, &QAction::triggered, this, [this] {
        if (QLineEdit *e = editOf(QApplication::focusWidget()))
            e->copy();
    });
    connect(m_ui->EditPaste1, &QAction::triggered, this, [this] {
        if (QLineEdit *e = editOf(QApplication::focusWidget()))
            e->paste();
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (QLineEdit *e = editOf(now))
            connect(e, &QLineEdit::selectionChanged, this, &MainWindow::updateEditCommands, Qt::UniqueConnection);
        updateEditCommands();
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &MainWindow::updateEditCommands);
}

void MainWindow::updateEditCommands()
{
    QLineEdit *e = editOf(QApplication::focusWidget());
    const bool selection = e && e->hasSelectedText();
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    const bool paste = e && !e->isReadOnly() && clip && clip->hasText();
    m_ui->EditCut1->setEnabled(selection && !e->isReadOnly());
    m_ui->EditCopy1->setEnabled(selection);
    m_ui->EditPaste1->setEnabled(paste);
    if (m_bEditCut) {
        m_bEditCut->setEnabled(m_ui->EditCut1->isEnabled());
        m_bEditCopy->setEnabled(m_ui->EditCopy1->isEnabled());
        m_bEditPaste->setEnabled(m_ui->EditPaste1->isEnabled());
    }
}

// ---------------------------------------------------------------- activation

bool MainWindow::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && m_activation->activated())
        onActivated();
    return QMainWindow::event(e);
}

void MainWindow::onActivated()
{
    m_selectionOpen = false;
    m_dataDir = QDir(m_appDir).filePath(QStringLiteral("DATA"));
    if (m_tablesOpened || !m_dm)
        return;
    for (DbfTable *t : m_dm->startupTables()) {
        try {
            t->setDatabaseName(m_dataDir);
            t->open();
        } catch (const DbfError &) {
            Prompts::instance().message(this, QStringLiteral("Ошибка подключения справочников !"));
            m_ui->Panel4->hide();
            close();
            QCoreApplication::exit(1);
            return;
        }
    }
    m_tablesOpened = true;
}

// ---------------------------------------------------------------- window states

void MainWindow::enableFileCommands(bool on)
{
    for (QAction *a : {m_ui->iFileSave, m_ui->iFileClose, m_ui->iFilePrint, m_ui->iFilePrev, m_bFileSave,
                       m_bFileClose, m_bFilePrint, m_bFilePrev})
        a->setEnabled(on);
}

void MainWindow::clearResults()
{
    for (int row = 1; row <= 9; ++row)
        setResult(row, 0);
}

void MainWindow::setResult(int field, double held)
{
    m_results[size_t(field - 1)] = held;
    QLineEdit *edit = resultEdit(field);
    const QString shown = Rounding::grouped(held, 2, locale());
    if (edit->text() == shown)
        return;
    edit->setText(shown);
    if (field == 11)
        emit requiredCapacityShownChanged();
}

void MainWindow::showNews(bool on)
{
    if (on) {
        m_ui->intro->startScrolling();
        m_ui->intro->show();
        m_ui->anim->stop();
    } else {
        m_ui->intro->hide();
        m_ui->intro->stopScrolling();
        m_ui->anim->start();
    }
}

void MainWindow::toggleNews()
{
    showNews(m_ui->intro->isHidden());
}

void MainWindow::showInputPanel()
{
    m_ui->intro->hide();
    m_ui->intro->stopScrolling();
    m_ui->anim->stop();
    m_ui->Panel4->show();
    enableFileCommands(true);
}

void MainWindow::showStartScreen()
{
    m_ui->Panel4->hide();
    m_ui->anim->start();
    enableFileCommands(false);
}

// ---------------------------------------------------------------- calculation

void MainWindow::recalculate()
{
    if (!calculationOpen())
        return;
    HeatBalance balance;
    try {
        const CalcInputs inputs = BalanceSource::gather(*m_dm, includeBoxes(),
                                                        listItems(m_ui->Panel4, "DBComboBox2", CalcInputs::defaultGoodsItems()),
                                                        listItems(m_ui->Panel4, "DBComboBox1", CalcInputs::defaultProtectionItems()));
        balance = computeHeatBalance(inputs);
    } catch (const DbfError &e) {
        ErrorReporter::report(this, e.message());
        return;
    }
    // A stopped run lists only the writes before the stop; the rest of the
    // panel and the labels keep what the previous run showed.
    QString error;
    if (!BalanceSource::apply(*m_dm, balance, [this](const CalcOutput &o) { showOutput(o); }, &error)) {
        ErrorReporter::report(this, error);
        return;
    }
    if (!balance.completed())
        ErrorReporter::report(this, balance.error);
}

void MainWindow::showOutput(const CalcOutput &output)
{
    switch (output.target) {
    case OutputTarget::Panel:
        if (const int field = BalanceSource::panelField(output))
            setResult(field, output.value);
        break;
    case OutputTarget::CalculationReport:
        m_reportLabels.setText(output.name, output.text);
        break;
    case OutputTarget::EquipmentListReport:
        m_equipmentLabels.setText(output.name, output.text);
        break;
    case OutputTarget::MainWindow:
        m_windowLabels.setText(output.name, output.text);
        // Looked up on the input panel: the dialogs owned by the window have labels of that name too.
        if (auto *label = m_ui->Panel4->findChild<QLabel *>(output.name))
            label->setText(output.text);
        break;
    case OutputTarget::Record:
        break; // written by BalanceSource::apply
    }
}

void MainWindow::dropSystemOfAnotherCapacity()
{
    if (!m_selectionOpen || !m_dm || !m_dm->taWork.active())
        return;
    ErrorReporter::guard(this, [&] {
        DbfTable &work = m_dm->taWork;
        work.first();
        work.edit();
        for (const char *name : {"OBR_NAIM", "OBR_AGR", "OBR_VO", "OBR_SHKAF", "OBR_KMONT"})
            work.setValue(QString::fromLatin1(name), QString());
        work.setValue(QStringLiteral("PROIZSYS"), 0);
        return true;
    });
}

void MainWindow::onInputChanged()
{
    recalculate();
}

void MainWindow::onCategoryChanged()
{
    if (m_dm && m_rules)
        m_rules->applyProductCategory(m_categoryText);
}

void MainWindow::onProductChanged()
{
    if (m_dm && m_rules)
        m_rules->checkProduct();
    else
        Prompts::instance().message(this, QStringLiteral("База не открылась !"));
}

void MainWindow::onOptionChecked()
{
    if (m_dm && m_rules)
        m_rules->applyOptionBoxes();
}

void MainWindow::onModeClicked()
{
    if (m_dm && m_rules)
        m_rules->applyProcessingMode(m_modeItem);
}

void MainWindow::onSameConstructionClicked()
{
    if (m_dm && m_rules)
        m_rules->copyWallAToAllSurfaces();
}

void MainWindow::onFillChamberClicked()
{
    if (m_dm && m_rules)
        m_rules->fillChamber();
}

void MainWindow::onRegionChosen()
{
    if (m_dm && m_rules)
        m_rules->applyRegionClimate();
}

void MainWindow::onOutdoorTemperatureEdited()
{
    if (m_dm && m_rules)
        m_rules->copyOutdoorTemperatureToSurfaces();
}

void MainWindow::onChamberHeightEdited()
{
    if (m_dm && m_rules)
        m_rules->stackingHeightFromChamberHeight();
}

void MainWindow::onChamberTemperatureEdited()
{
    if (m_dm && m_rules)
        m_rules->finalTemperaturesFromChamber();
}

// ---------------------------------------------------------------- data-module host

void MainWindow::setProcessingModeItem(int item)
{
    if (item == m_modeItem)
        return;
    m_modeItem = item;
    {
        const QSignalBlocker quiet(m_input->ui().RadioGroup1);
        m_input->ui().RadioGroup1->setItemIndex(item);
    }
    onModeClicked(); // a changed selection runs the selector's rule
}

void MainWindow::setProductCategoryText(const QString &text)
{
    m_categoryText = text;
    const QSignalBlocker quiet(m_input->ui().ComboBox1); // its change rule runs later, from the command
    m_input->ui().ComboBox1->setEditText(text);
}

void MainWindow::setExecutorItems(const QStringList &names)
{
    if (m_add)
        m_add->setExecutorItems(names);
}

void MainWindow::setIncludeBoxes(const std::array<bool, 9> &checked)
{
    for (int row = 1; row <= 9; ++row) {
        QCheckBox *box = includeBox(row);
        if (box->isChecked() != checked[size_t(row - 1)]) {
            box->setChecked(checked[size_t(row - 1)]);
            onInputChanged(); // a restored state that changes recalculates, as a click would
        }
    }
}

std::array<bool, 9> MainWindow::includeBoxes() const
{
    std::array<bool, 9> boxes{};
    for (int row = 1; row <= 9; ++row)
        boxes[size_t(row - 1)] = includeBox(row)->isChecked();
    return boxes;
}

void MainWindow::settingsOpened(const QString &folder)
{
    if (m_add)
        m_add->setFolder(folder.isEmpty() ? QDir::homePath() : folder);
}

// ---------------------------------------------------------------- file commands

void MainWindow::closeCalculation()
{
    if (!calculationOpen())
        return;
    m_dm->taWork.first();
    m_dm->taWork.close();
    m_viewCopy.reset();
}

void MainWindow::openCalculation(const QString &path)
{
    m_viewCopy.reset();
    QString file = path;
    if (QFileInfo(path).isFile() && !CalcFiles::writable(path)) {
        // A calculation the user may not write is worked on in a private copy:
        // the rules and the results work as usual, and the file is never written.
        auto copy = std::make_unique<QTemporaryDir>();
        if (!copy->isValid())
            throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1").arg(copy->path()));
        file = copy->filePath(QFileInfo(path).fileName());
        CalcFiles::copyFileWithDate(path, file);
        m_viewCopy = std::move(copy);
    }
    m_dm->taWork.setDatabaseName(QString());
    m_dm->taWork.setTableName(file);
    try {
        m_dm->taWork.open();
    } catch (...) {
        m_viewCopy.reset();
        throw;
    }
    m_calcPath = path;
}

QString MainWindow::calculationCaption() const
{
    return m_viewCopy ? m_calcPath + QStringLiteral(" [лише для читання]") : m_calcPath;
}

bool MainWindow::confirmReplace(const QString &path)
{
    return Prompts::instance().confirm(this, QStringLiteral("Файл %1 вже існує. Замінити його?").arg(path));
}

// A command that failed after the calculation was closed leaves nothing of it
// on screen: no input panel to type into, no commands that act on it.
void MainWindow::leaveFailedCommand()
{
    if (calculationOpen())
        return; // stopped before closing it: it is still open and shown
    m_viewCopy.reset();
    showStartScreen();
    setWindowTitle(QStringLiteral("Kvor"));
}

void MainWindow::newFile()
{
    m_selectionOpen = false;
    const QString path = Prompts::instance().openFileName(this, m_fileFolder, QStringLiteral("НовийРозрах.kvor"),
                                                          kCalcFilter, kSuffix);
    if (path.isEmpty())
        return;
    // Replacing another calculation needs the user's word.
    if (QFileInfo::exists(path) && !confirmReplace(path))
        return;
    const bool opened = ErrorReporter::guard(this, [&] {
        closeCalculation();
        CalcFiles::copyFileWithDate(QDir(m_dataDir).filePath(QStringLiteral("kvor.dbf")), path);
        if (!QFileInfo::exists(path)) {
            Prompts::instance().message(this, QStringLiteral("Ошибка создания файла расчета !"));
            return false;
        }
        openCalculation(path);
        return true;
    });
    if (!opened) {
        leaveFailedCommand();
        return;
    }
    setWindowTitle(calculationCaption());
    clearResults();
    ErrorReporter::guard(this, [this] {
        onCategoryChanged();
        onOptionChecked();
        return true;
    });
    showInputPanel();
}

void MainWindow::openFile()
{
    m_selectionOpen = false;
    const QString path = Prompts::instance().openFileName(this, m_fileFolder, QString(), kCalcFilter, kSuffix);
    if (path.isEmpty())
        return;
    if (!ErrorReporter::guard(this, [this] {
            closeCalculation();
            return true;
        }))
        return;
    try {
        openCalculation(path);
        setWindowTitle(calculationCaption());
        ErrorReporter::guard(this, [this] {
            onOptionChecked();
            onCategoryChanged();
            return true;
        });
        showInputPanel();
        if (m_viewCopy)
            Prompts::instance().message(
                this, QStringLiteral("Файл %1 доступний лише для читання: розрахунок відкрито для перегляду, "
                                     "зміни не буде збережено.")
                          .arg(path));
        return;
    } catch (const DbfError &e) {
        Prompts::instance().message(this, QStringLiteral("Указанный расчет не может быть открыт !"));
        // Another program is editing it: say so, and leave its file alone rather
        // than convert it onto itself under that program.
        if (e.kind() == DbfError::Kind::Locked) {
            ErrorReporter::report(this, e.message());
            leaveFailedCommand();
            return;
        }
    }

    QString target;
    CalcFiles::Conversion result = CalcFiles::Conversion::Failed;
    try {
        result = CalcFiles::convert(*m_dm, m_dataDir, path, &target,
                                    [this](const QString &existing) { return confirmReplace(existing); });
    } catch (const DbfError &e) {
        ErrorReporter::report(this, e.message());
        leaveFailedCommand();
        return;
    }
    switch (result) {
    case CalcFiles::Conversion::NotACalculation:
        Prompts::instance().message(
            this, QStringLiteral("Это не файл расчета Kvor ! Указанный файл не может быть открыт или преобразован !"));
        break;
    case CalcFiles::Conversion::Converted:
        Prompts::instance().message(this, QStringLiteral("Файл расчета преобразован в ") + target);
        Prompts::instance().message(this, QStringLiteral("Для работы откройте файл ") + target);
        break;
    case CalcFiles::Conversion::Failed:
        Prompts::instance().message(this, QStringLiteral("Ошибка ! Файл расчета не может быть преобразован !"));
        break;
    case CalcFiles::Conversion::Declined:
        break; // the user kept the existing file
    }
    leaveFailedCommand();
}

void MainWindow::saveFile()
{
    if (!calculationOpen())
        return;
    const QString current = m_calcPath;
    const QString file = m_dm->taWork.tableName(); // a read-only calculation's private copy
    const QFileInfo info(current);
    const QString preset = QStringLiteral(".") + info.suffix().toUpper() == QStringLiteral(".DBF")
                               ? info.completeBaseName()
                               : current;
    const QString path = Prompts::instance().saveFileName(this, m_fileFolder, preset, kSaveFilter, kSuffix);
    if (path.isEmpty())
        return;
    if (path != current && QFileInfo::exists(path) && !confirmReplace(path))
        return;
    const bool copying = path != file;
    // A file that cannot be written is refused while the calculation is still
    // open, so nothing typed is lost.
    if (copying && QFileInfo::exists(path) && !CalcFiles::writable(path)) {
        ErrorReporter::report(this, QStringLiteral("Cannot create file %1").arg(path));
        return;
    }
    const bool saved = ErrorReporter::guard(this, [&] {
        m_dm->taWork.edit();
        m_dm->taWork.post();
        m_dm->taWork.close();
        if (copying)
            CalcFiles::copyFileWithDate(file, path);
        openCalculation(path);
        setWindowTitle(calculationCaption());
        return true;
    });
    if (!saved)
        leaveFailedCommand();
}

void MainWindow::closeFile()
{
    if (!ErrorReporter::guard(this, [this] {
            closeCalculation();
            return true;
        }))
        return; // not written: the calculation stays open
    showStartScreen();
}

void MainWindow::openAdditionalData()
{
    if (m_add)
        m_add->exec();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A record that cannot be written keeps the program open, so nothing is lost.
    if (!ErrorReporter::guard(this, [this] {
            closeCalculation();
            return true;
        })) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace kvor
