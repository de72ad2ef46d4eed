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
#include "editcommands.h"
#include "inputpanelview.h"
#include "input/inputpanel.h"
#include "input/radiogroup.h"
#include "additionaldatadialog.h"
#include "prompts.h"
#include "project/projectwindow.h"
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

QString calcFilter()
{
    return MainWindow::tr("Розрахунки (*.kvor)|*.kvor|Старі розрахунки (*.dbf)|*.dbf");
}

QString saveFilter()
{
    return MainWindow::tr("Розрахунки (*.kvor)|*.kvor");
}
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
    m_fileFolder = AdditionalDataDialog::defaultFolder();

    m_ui->Image10->setPixmap(QPixmap(QStringLiteral(":/assets/background.jpg")));
    QFont contact(QStringLiteral("Arial"));
    contact.setPixelSize(19);
    m_ui->RxLabel3->setFont(contact);
    m_ui->RxLabel3->setText(tr("%1, контактний телефон: %2, сторінка компанії: %3")
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
    setupToolBar();
    new EditCommands(m_ui->EditCut1, m_ui->EditCopy1, m_ui->EditPaste1, this);
    m_ui->StatusBar->setSizeGripEnabled(false);

    connect(m_ui->FileNew1, &QAction::triggered, this, &MainWindow::newFile);
    connect(m_ui->FileOpen1, &QAction::triggered, this, &MainWindow::openFile);
    connect(m_ui->iFileSave, &QAction::triggered, this, &MainWindow::saveFile);
    connect(m_ui->iFileClose, &QAction::triggered, this, &MainWindow::closeFile);
    connect(m_ui->iFileProject, &QAction::triggered, this, &MainWindow::showProjectWindow);
    connect(m_ui->FileExit1, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->Button1, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->Button3, &QPushButton::clicked, this, &MainWindow::openAdditionalData);
    connect(m_ui->Button2, &QPushButton::clicked, this, &MainWindow::openSelection);
    connect(m_ui->iFilePrint, &QAction::triggered, this, &MainWindow::printReport);
    connect(m_ui->iFilePrev, &QAction::triggered, this, &MainWindow::previewReport);
    connect(m_ui->anim, &NewSign::clicked, this, &MainWindow::toggleNews);
    for (int row = 1; row <= 9; ++row)
        connect(includeBox(row), &QCheckBox::toggled, this, [this, row](bool on) {
            if (m_document)
                m_document->setIncluded(row, on);
        });
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
            if (auto *t = qobject_cast<DbfTable *>(c); t && t->active())
                t->close();
        }
    }
}

void MainWindow::setReferenceTables(ReferenceTables *dm)
{
    delete m_panelView;
    m_panelView = nullptr;
    m_document.reset();
    m_dm = dm;
    if (!dm)
        return;
    m_input->bind(*dm);
    m_document = std::make_unique<CalculationDocument>(*dm);
    m_panelView = new InputPanelView(*this, *m_input, *m_document);
    connectDocument();
    if (m_projectWindow)
        m_projectWindow->setMainDocument(m_document.get());
    connect(dm, &ReferenceTables::settingsOpened, this, [this](const QString &folder) {
        if (m_add)
            m_add->setFolder(folder.isEmpty() ? AdditionalDataDialog::defaultFolder() : folder);
    });
    if (m_report)
        m_report->setLabels(&m_document->reportLabels());
    if (m_list)
        m_list->setLabels(&m_document->equipmentLabels());
}

// The document's results and messages reach the window.
void MainWindow::connectDocument()
{
    CalculationDocument *doc = m_document.get();
    connect(doc, &CalculationDocument::resultChanged, this, &MainWindow::showResult);
    connect(doc, &CalculationDocument::windowLabelChanged, this, [this](const QString &name, const QString &text) {
        // Looked up on the input panel: the dialogs owned by the window have labels of that name too.
        if (auto *label = m_ui->Panel4->findChild<QLabel *>(name))
            label->setText(text);
    });
    connect(doc, &CalculationDocument::includedChanged, this, [this](int row, bool on) {
        const QSignalBlocker quiet(includeBox(row));
        includeBox(row)->setChecked(on);
    });
    connect(doc, &CalculationDocument::executorsChanged, this, [this](const QStringList &names) {
        if (m_add)
            m_add->setExecutorItems(names);
    });
    connect(doc, &CalculationDocument::tableError, this, [this](const QString &message) {
        ErrorReporter::report(this, message);
    });
    connect(doc, &CalculationDocument::runStopped, this, [this](const QString &message) {
        ErrorReporter::report(this, message);
    });
}

namespace {

const ReportLabels kNoLabels;

} // namespace

const ReportLabels &MainWindow::reportLabels() const
{
    return m_document ? m_document->reportLabels() : kNoLabels;
}

const ReportLabels &MainWindow::equipmentReportLabels() const
{
    return m_document ? m_document->equipmentLabels() : kNoLabels;
}

const ReportLabels &MainWindow::windowLabels() const
{
    return m_document ? m_document->windowLabels() : kNoLabels;
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
        report->setLabels(&reportLabels());
        report->setVersionText(version);
    }
    if (list) {
        list->setLabels(&equipmentReportLabels());
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
    m_podbor->setReferenceTables(m_dm);
    m_podbor->setDocument(m_document.get());
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
    const auto add = [this, bar](const char *name, const char *theme, const char *fallback, const QString &hint,
                           QAction *command) {
        auto *a = new QAction(themed(theme, fallback), hint, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(hint);
        a->setStatusTip(hint);
        // A tool button is enabled while its command is.
        a->setEnabled(command->isEnabled());
        connect(command, &QAction::changed, a, [a, command] { a->setEnabled(command->isEnabled()); });
        connect(a, &QAction::triggered, command, &QAction::trigger);
        bar->addAction(a);
        return a;
    };
    add("bFileNew", "document-new", "new.png", tr("Створити новий розрахунок"), m_ui->FileNew1);
    add("bFileOpen", "document-open", "open.png", tr("Відкрити файл розрахунку"), m_ui->FileOpen1);
    add("bFileSave", "document-save", "save.png", tr("Зберегти файл разрахунку"), m_ui->iFileSave);
    add("bFileClose", "document-close", "close.png", tr("Закрити раз-рах."), m_ui->iFileClose);
    bar->addWidget(spacer(12));
    add("bFilePrev", "document-print-preview", "preview.png", tr("Попередній перегляд"), m_ui->iFilePrev);
    add("bFilePrint", "document-print", "print.png", tr("Друкувати роз-рах."), m_ui->iFilePrint);
    bar->addWidget(spacer(22));
    add("bEditCut", "edit-cut", "cut.png", tr("Вирізати дані"), m_ui->EditCut1);
    add("bEditCopy", "edit-copy", "copy.png", tr("Копіювати дані"), m_ui->EditCopy1);
    add("bEditPaste", "edit-paste", "paste.png", tr("Вставити дані"), m_ui->EditPaste1);
    bar->addWidget(spacer(0, true)); // pushes the exit button to the right end
    add("bFileExit", "application-exit", "exit.png", tr("Вихід"), m_ui->FileExit1);
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
            Prompts::instance().message(this, tr("Ошибка подключения справочников !"));
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
    for (QAction *a : {m_ui->iFileSave, m_ui->iFileClose, m_ui->iFilePrint, m_ui->iFilePrev})
        a->setEnabled(on);
}

void MainWindow::showResult(int field, double held)
{
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
    if (m_document)
        m_document->recalculate();
}

void MainWindow::dropSystemOfAnotherCapacity()
{
    if (!m_selectionOpen || !m_document)
        return;
    ErrorReporter::guard(this, [this] {
        m_document->discardSystem();
        return true;
    });
}

// ---------------------------------------------------------------- file commands

void MainWindow::closeCalculation()
{
    if (m_document)
        m_document->close();
}

QString MainWindow::calculationCaption() const
{
    const QString &path = m_document->filePath();
    return m_document->isReadOnly() ? path + tr(" [лише для читання]") : path;
}

bool MainWindow::confirmReplace(const QString &path)
{
    return Prompts::instance().confirm(this, tr("Файл %1 вже існує. Замінити його?").arg(path));
}

// A command that failed after the calculation was closed leaves nothing of it
// on screen: no input panel to type into, no commands that act on it.
void MainWindow::leaveFailedCommand()
{
    if (calculationOpen())
        return; // stopped before closing it: it is still open and shown
    showStartScreen();
    setWindowTitle(QStringLiteral("Kvor"));
}

void MainWindow::newFile()
{
    m_selectionOpen = false;
    if (!m_document)
        return;
    const QString path = Prompts::instance().openFileName(this, m_fileFolder, QStringLiteral("НовийРозрах.kvor"),
                                                          calcFilter(), kSuffix);
    if (path.isEmpty())
        return;
    // Replacing another calculation needs the user's word.
    if (QFileInfo::exists(path) && !confirmReplace(path))
        return;
    const bool opened = ErrorReporter::guard(this, [&] {
        if (m_document->createFromTemplate(m_dataDir, path))
            return true;
        Prompts::instance().message(this, tr("Ошибка создания файла расчета !"));
        return false;
    });
    if (!opened) {
        leaveFailedCommand();
        return;
    }
    setWindowTitle(calculationCaption());
    showInputPanel();
}

void MainWindow::openFile()
{
    m_selectionOpen = false;
    if (!m_document)
        return;
    const QString path = Prompts::instance().openFileName(this, m_fileFolder, QString(), calcFilter(), kSuffix);
    if (path.isEmpty())
        return;
    openCalculation(path);
}

void MainWindow::openCalculation(const QString &path)
{
    m_selectionOpen = false;
    if (!m_document)
        return;
    if (!ErrorReporter::guard(this, [this] {
            closeCalculation();
            return true;
        }))
        return;
    try {
        m_document->open(path);
        setWindowTitle(calculationCaption());
        showInputPanel();
        if (m_document->isReadOnly())
            Prompts::instance().message(
                this, tr("Файл %1 доступний лише для читання: розрахунок відкрито для перегляду, "
                                     "зміни не буде збережено.")
                          .arg(path));
        return;
    } catch (const DbfError &e) {
        Prompts::instance().message(this, tr("Указанный расчет не может быть открыт !"));
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
        result = m_document->convertOldFile(m_dataDir, path, &target,
                                            [this](const QString &existing) { return confirmReplace(existing); });
    } catch (const DbfError &e) {
        ErrorReporter::report(this, e.message());
        leaveFailedCommand();
        return;
    }
    switch (result) {
    case CalcFiles::Conversion::NotACalculation:
        Prompts::instance().message(
            this, tr("Это не файл расчета Kvor ! Указанный файл не может быть открыт или преобразован !"));
        break;
    case CalcFiles::Conversion::Converted:
        Prompts::instance().message(this, tr("Файл расчета преобразован в ") + target);
        Prompts::instance().message(this, tr("Для работы откройте файл ") + target);
        break;
    case CalcFiles::Conversion::Failed:
        Prompts::instance().message(this, tr("Ошибка ! Файл расчета не может быть преобразован !"));
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
    const QString current = m_document->filePath();
    const QFileInfo info(current);
    const QString preset = QStringLiteral(".") + info.suffix().toUpper() == QStringLiteral(".DBF")
                               ? info.completeBaseName()
                               : current;
    const QString path = Prompts::instance().saveFileName(this, m_fileFolder, preset, saveFilter(), kSuffix);
    if (path.isEmpty())
        return;
    if (path != current && QFileInfo::exists(path) && !confirmReplace(path))
        return;
    const bool saved = ErrorReporter::guard(this, [&] {
        m_document->saveAs(path);
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

ProjectWindow *MainWindow::projectWindow()
{
    if (!m_projectWindow) {
        // The data folder is settled on the first activation; the same one before it.
        const QString dataDir = m_dataDir.isEmpty() ? QDir(m_appDir).filePath(QStringLiteral("DATA")) : m_dataDir;
        m_projectWindow = std::make_unique<ProjectWindow>(dataDir, &Prompts::instance);
        m_projectWindow->setTitleFolder(m_appDir);
        m_projectWindow->setVersionText(m_ui->Label66->text());
        m_projectWindow->setWindowIcon(windowIcon());
        m_projectWindow->setMainDocument(m_document.get());
        connect(m_projectWindow.get(), &ProjectWindow::openCalculationRequested, this, [this](const QString &path) {
            openCalculation(path);
            raise();
            activateWindow();
        });
        connect(m_projectWindow.get(), &ProjectWindow::closeCalculationRequested, this, &MainWindow::closeFile);
    }
    return m_projectWindow.get();
}

void MainWindow::showProjectWindow()
{
    ProjectWindow *window = projectWindow();
    window->show();
    window->raise();
    window->activateWindow();
}

bool MainWindow::openProject(const QString &path)
{
    showProjectWindow();
    return m_projectWindow->openProject(path);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The project window goes first: it may ask to save its project.
    if (m_projectWindow && m_projectWindow->isVisible() && !m_projectWindow->close()) {
        event->ignore();
        return;
    }
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
