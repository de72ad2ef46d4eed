#include "projectwindow.h"

#include "app/prompts.h"
#include "chambertablemodel.h"
#include "document/calculationdocument.h"
#include "project/core/chamberevaluator.h"
#include "project/core/projectcsv.h"
#include "project/projectcharts.h"
#include "project/report/projectreport.h"
#include "reports/core/reporterror.h"
#include "reports/core/reportpdf.h"
#include "reports/reportpreview.h"
#include "reports/reportprinting.h"
#include "storage/calcfiles.h"
#include "storage/dbferror.h"
#include "ui_projectwindow.h"

#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

namespace kvor {

namespace {

QString projectFilter()
{
    return ProjectWindow::tr("Проєкти Kvor (*.kvorproj)|*.kvorproj");
}

QString calcFilter()
{
    return ProjectWindow::tr("Розрахунки (*.kvor)|*.kvor");
}

const QString kCalcSuffix = QStringLiteral("kvor");

QString pathKey(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool samePath(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && pathKey(a) == pathKey(b);
}

QIcon themed(const char *name, const char *fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(name), QIcon(QStringLiteral(":/assets/%1").arg(QLatin1String(fallback))));
}

} // namespace

ProjectWindow::ProjectWindow(const QString &dataDir, std::function<Prompts &()> prompts, QWidget *parent)
    : QMainWindow(parent, Qt::Window)
    , m_ui(std::make_unique<Ui::ProjectWindow>())
    , m_prompts(std::move(prompts))
    , m_dataDir(dataDir)
    , m_titleFolder(QFileInfo(dataDir).absolutePath())
{
    m_ui->setupUi(this);

    m_model = new ChamberTableModel(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(ChamberTableModel::SortRole);
    QTableView *table = m_ui->chamberTable;
    table->setModel(m_sorted);
    // Project order until the user sorts by a column.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    // Figures and status take what they need; the name gets the rest.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(ChamberTableModel::NameColumn, QHeaderView::Stretch);
    table->horizontalHeader()->setStretchLastSection(false);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    m_ui->splitter->setStretchFactor(0, 2);
    m_ui->splitter->setStretchFactor(1, 3);
    m_ui->splitter->setSizes({240, 460});

    m_ui->actionNewProject->setIcon(themed("document-new", "new.png"));
    m_ui->actionOpenProject->setIcon(themed("document-open", "open.png"));
    m_ui->actionSaveProject->setIcon(themed("document-save", "save.png"));
    m_ui->actionPreviewProject->setIcon(themed("document-print-preview", "preview.png"));
    m_ui->actionPrintProject->setIcon(themed("document-print", "print.png"));

    connect(m_ui->actionNewProject, &QAction::triggered, this, &ProjectWindow::newProject);
    connect(m_ui->actionOpenProject, &QAction::triggered, this, &ProjectWindow::openProjectFile);
    connect(m_ui->actionSaveProject, &QAction::triggered, this, &ProjectWindow::saveProject);
    connect(m_ui->actionSaveProjectAs, &QAction::triggered, this, &ProjectWindow::saveProjectAs);
    connect(m_ui->actionCloseProject, &QAction::triggered, this, &ProjectWindow::closeProject);
    connect(m_ui->actionCloseWindow, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->actionNewChamber, &QAction::triggered, this, &ProjectWindow::newChamber);
    connect(m_ui->actionAddChambers, &QAction::triggered, this, &ProjectWindow::addChambers);
    connect(m_ui->actionDuplicateChamber, &QAction::triggered, this, &ProjectWindow::duplicateChamber);
    connect(m_ui->actionRemoveChamber, &QAction::triggered, this, &ProjectWindow::removeChamber);
    connect(m_ui->actionOpenInMainWindow, &QAction::triggered, this, &ProjectWindow::openInMainWindow);
    connect(m_ui->actionRelocateChamber, &QAction::triggered, this, &ProjectWindow::relocateChamber);
    connect(m_ui->actionRecalculateAll, &QAction::triggered, this, &ProjectWindow::recalculateAll);
    connect(m_ui->actionExportCsv, &QAction::triggered, this, &ProjectWindow::exportCsv);
    connect(m_ui->actionSaveChart, &QAction::triggered, this, &ProjectWindow::saveCurrentChart);
    connect(m_ui->actionPrintProject, &QAction::triggered, this, &ProjectWindow::printProject);
    connect(m_ui->actionPreviewProject, &QAction::triggered, this, &ProjectWindow::previewProject);
    connect(m_ui->actionPdf, &QAction::triggered, this, &ProjectWindow::exportPdf);
    connect(table, &QAbstractItemView::doubleClicked, this, &ProjectWindow::openInMainWindow);
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        updateCapacityChart();
        updateCommands();
    });

    connect(m_ui->nameEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_project.name = text;
        setModified(true);
    });
    connect(m_ui->clientEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_project.client = text;
        setModified(true);
    });
    connect(m_ui->addressEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_project.address = text;
        setModified(true);
    });

    // Results of the main window's runs arrive one row at a time; the chamber's
    // row follows once they have all come.
    m_mainRefresh = new QTimer(this);
    m_mainRefresh->setSingleShot(true);
    m_mainRefresh->setInterval(0);
    connect(m_mainRefresh, &QTimer::timeout, this, &ProjectWindow::refreshMainChamber);

    showProject();
}

ProjectWindow::~ProjectWindow() = default;

// ---------------------------------------------------------------- main window

void ProjectWindow::setMainDocument(CalculationDocument *document)
{
    if (m_mainDocument)
        disconnect(m_mainDocument, nullptr, this, nullptr);
    m_mainDocument = document;
    m_mainPath = document && document->isOpen() ? document->filePath() : QString();
    if (!document)
        return;
    connect(document, &CalculationDocument::opened, this, [this] {
        m_mainPath = m_mainDocument->filePath();
        refreshChamber(m_mainPath);
    });
    // Closed, its file is free again: the row reads the file as written.
    connect(document, &CalculationDocument::closed, this, [this] {
        m_mainRefresh->stop();
        const QString path = m_mainPath;
        m_mainPath.clear();
        refreshChamber(path);
    });
    connect(document, &CalculationDocument::resultChanged, m_mainRefresh, qOverload<>(&QTimer::start));
}

bool ProjectWindow::mainDocumentHolds(const QString &path) const
{
    return m_mainDocument && m_mainDocument->isOpen() && samePath(m_mainDocument->filePath(), path);
}

void ProjectWindow::refreshMainChamber()
{
    if (m_mainDocument && m_mainDocument->isOpen())
        refreshChamber(m_mainDocument->filePath());
}

// ---------------------------------------------------------------- chambers

ChamberEvaluator *ProjectWindow::evaluator()
{
    if (m_evaluator)
        return m_evaluator.get();
    try {
        m_evaluator = std::make_unique<ChamberEvaluator>(m_dataDir);
        m_evaluatorError.clear();
    } catch (const DbfError &e) {
        m_evaluatorError = tr("Довідники з %1 не відкриваються: %2")
                               .arg(QDir::toNativeSeparators(m_dataDir), e.message());
    }
    return m_evaluator.get();
}

ChamberSummary ProjectWindow::summaryOf(const QString &path)
{
    ChamberEvaluator *ev = evaluator();
    if (!ev) {
        ChamberSummary summary;
        summary.path = pathKey(path);
        summary.name = QFileInfo(path).completeBaseName();
        summary.status = QFileInfo::exists(path) ? ChamberStatus::Damaged : ChamberStatus::Missing;
        summary.error = m_evaluatorError;
        return summary;
    }
    // Our own main window holds the file: its document is what the user sees.
    if (mainDocumentHolds(path))
        return ev->summarize(*m_mainDocument, path);
    return ev->evaluate(path);
}

void ProjectWindow::refreshChamber(const QString &path)
{
    if (!m_open || path.isEmpty())
        return;
    const int row = m_model->rowOf(path);
    if (row < 0)
        return;
    m_model->setChamber(row, summaryOf(path));
    updateTotals();
    m_ui->gainsChart->setChambers(m_model->chambers());
    if (row == currentChamber())
        updateCapacityChart();
    updateCommands();
}

void ProjectWindow::chambersChanged()
{
    updateTotals();
    m_ui->gainsChart->setChambers(m_model->chambers());
    updateCapacityChart();
    updateCommands();
}

int ProjectWindow::currentChamber() const
{
    const QModelIndex current = m_ui->chamberTable->selectionModel()->currentIndex();
    if (!current.isValid())
        return -1;
    return m_sorted->mapToSource(current).row();
}

void ProjectWindow::selectChamber(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_ui->chamberTable->selectionModel()->clearCurrentIndex();
        m_ui->chamberTable->clearSelection();
        return;
    }
    const QModelIndex index = m_sorted->mapFromSource(m_model->index(row, 0));
    m_ui->chamberTable->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QString ProjectWindow::totalsText() const
{
    return m_ui->totalsLabel->text();
}

void ProjectWindow::updateTotals()
{
    if (!m_open) {
        m_ui->totalsLabel->setText(tr("Проєкт не відкрито: створіть новий або відкрийте наявний (меню «Проєкт»)."));
        return;
    }
    const ProjectTotals t = projectTotals(m_model->chambers());
    const QLocale locale;
    QString text = tr("Разом: потрібна холодопродуктивність <b>%1&nbsp;кВт</b>; прийнято систем: <b>%2</b>; "
                      "їх електрична потужність <b>%3&nbsp;кВт</b>, струм <b>%4&nbsp;А</b>")
                       .arg(locale.toString(t.required, 'f', 2), locale.toString(t.systems),
                            locale.toString(t.power, 'f', 2), locale.toString(t.current, 'f', 1));
    if (t.leftOut > 0)
        text += tr("; <span style=\"color:#c00000\">не враховано камер без даних: %1</span>").arg(t.leftOut);
    m_ui->totalsLabel->setText(text);
}

void ProjectWindow::updateCapacityChart()
{
    const int row = currentChamber();
    ChamberEvaluator *ev = row >= 0 ? evaluator() : nullptr;
    if (!ev || !hasFigures(m_model->chamber(row).status)) {
        m_ui->capacityChart->clear();
        return;
    }
    const ChamberSummary &chamber = m_model->chamber(row);
    // A chamber that fails half-way has no curve; the window carries on.
    try {
        if (!mainDocumentHolds(chamber.path)) {
            m_ui->capacityChart->setCurve(chamber.name, ev->capacityCurve(chamber.path));
            return;
        }
        // The main window holds the file and its record is not ours to run
        // through other temperatures: the curve is of the file as last written.
        QTemporaryDir temp;
        const QString copy = temp.filePath(QFileInfo(chamber.path).fileName());
        CalcFiles::copyFileWithDate(chamber.path, copy);
        m_ui->capacityChart->setCurve(chamber.name, ev->capacityCurve(copy));
    } catch (const DbfError &) {
        m_ui->capacityChart->clear();
    }
}

void ProjectWindow::updateCommands()
{
    const int row = m_open ? currentChamber() : -1;
    const bool chosen = row >= 0;
    const bool exists = chosen && QFileInfo::exists(m_model->chamber(row).path);
    for (QAction *a : {m_ui->actionSaveProject, m_ui->actionSaveProjectAs, m_ui->actionCloseProject,
                       m_ui->actionNewChamber, m_ui->actionAddChambers, m_ui->actionRecalculateAll,
                       m_ui->actionExportCsv, m_ui->actionSaveChart, m_ui->actionPrintProject,
                       m_ui->actionPreviewProject, m_ui->actionPdf})
        a->setEnabled(m_open);
    m_ui->actionRemoveChamber->setEnabled(chosen);
    m_ui->actionRelocateChamber->setEnabled(chosen);
    m_ui->actionDuplicateChamber->setEnabled(exists);
    m_ui->actionOpenInMainWindow->setEnabled(exists);
    for (QLineEdit *e : {m_ui->nameEdit, m_ui->clientEdit, m_ui->addressEdit})
        e->setEnabled(m_open);
}

void ProjectWindow::updateTitle()
{
    const QString file = m_open ? QDir::toNativeSeparators(m_project.path()) : QString();
    setWindowTitle(file.isEmpty() ? tr("Проєкт — Kvor") : tr("Проєкт %1[*] — Kvor").arg(file));
    setWindowModified(m_modified);
}

void ProjectWindow::setModified(bool on)
{
    m_modified = on;
    setWindowModified(on);
}

// Puts the project on screen: its details and every chamber read afresh.
void ProjectWindow::showProject()
{
    m_ui->nameEdit->setText(m_open ? m_project.name : QString());
    m_ui->clientEdit->setText(m_open ? m_project.client : QString());
    m_ui->addressEdit->setText(m_open ? m_project.address : QString());
    std::vector<ChamberSummary> rows;
    if (m_open) {
        rows.reserve(m_project.chambers.size());
        for (const ProjectChamber &c : m_project.chambers)
            rows.push_back(summaryOf(c.path));
    }
    m_model->setChambers(std::move(rows));
    m_ui->chamberTable->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    if (m_model->rowCount() > 0) {
        selectChamber(0);
        m_ui->chamberTable->setFocus();
    }
    chambersChanged();
    updateTitle();
    if (m_open && !m_evaluatorError.isEmpty())
        prompts().message(this, m_evaluatorError);
}

QString ProjectWindow::projectFolder() const
{
    if (m_open && !m_project.path().isEmpty())
        return QFileInfo(m_project.path()).absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

bool ProjectWindow::confirmReplace(const QString &path)
{
    return prompts().confirm(this, tr("Файл %1 вже існує. Замінити його?").arg(QDir::toNativeSeparators(path)));
}

// ---------------------------------------------------------------- project file

bool ProjectWindow::writeProject(const QString &path)
{
    try {
        m_project.save(path);
    } catch (const ProjectError &e) {
        prompts().message(this, e.message());
        return false;
    }
    m_project.setPath(pathKey(path));
    setModified(false);
    updateTitle();
    statusBar()->showMessage(tr("Проєкт збережено: %1").arg(QDir::toNativeSeparators(path)), 5000);
    return true;
}

// A modified project is saved or dropped as the user says; false when saving failed.
bool ProjectWindow::maybeSave()
{
    if (!m_open || !m_modified)
        return true;
    const QString name = m_project.name.isEmpty() ? QFileInfo(m_project.path()).completeBaseName() : m_project.name;
    if (!prompts().confirm(this, tr("Проєкт «%1» змінено. Зберегти зміни?").arg(name)))
        return true;
    return saveProject();
}

void ProjectWindow::newProject()
{
    if (!maybeSave())
        return;
    const QString path = prompts().saveFileName(this, projectFolder(), tr("Новий проєкт.kvorproj"), projectFilter(),
                                                ProjectFile::suffix());
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) && !confirmReplace(path))
        return;
    ProjectFile project;
    project.name = QFileInfo(path).completeBaseName();
    try {
        project.save(path);
    } catch (const ProjectError &e) {
        prompts().message(this, e.message());
        return;
    }
    project.setPath(pathKey(path));
    m_project = std::move(project);
    m_open = true;
    setModified(false);
    showProject();
}

void ProjectWindow::openProjectFile()
{
    const QString path =
        prompts().openFileName(this, projectFolder(), QString(), projectFilter(), ProjectFile::suffix());
    if (!path.isEmpty())
        openProject(path);
}

bool ProjectWindow::openProject(const QString &path)
{
    if (!maybeSave())
        return false;
    ProjectFile project;
    try {
        project = ProjectFile::load(path);
    } catch (const ProjectError &e) {
        prompts().message(this, e.message());
        return false;
    }
    project.setPath(pathKey(path));
    m_project = std::move(project);
    m_open = true;
    setModified(false);
    showProject();
    return true;
}

bool ProjectWindow::saveProject()
{
    if (!m_open)
        return false;
    if (m_project.path().isEmpty())
        return saveProjectAs();
    return writeProject(m_project.path());
}

bool ProjectWindow::saveProjectAs()
{
    if (!m_open)
        return false;
    const QString path = prompts().saveFileName(this, projectFolder(), m_project.path(), projectFilter(),
                                                ProjectFile::suffix());
    if (path.isEmpty())
        return false;
    if (!samePath(path, m_project.path()) && QFileInfo::exists(path) && !confirmReplace(path))
        return false;
    return writeProject(path);
}

bool ProjectWindow::closeProject()
{
    if (!m_open)
        return true;
    if (!maybeSave())
        return false;
    m_open = false;
    m_project = ProjectFile();
    setModified(false);
    showProject();
    return true;
}

void ProjectWindow::closeEvent(QCloseEvent *event)
{
    if (!closeProject()) {
        event->ignore();
        return;
    }
    event->accept();
}

// ---------------------------------------------------------------- chamber commands

void ProjectWindow::addChamberFile(const QString &path)
{
    const QString file = pathKey(path);
    const int existing = m_model->rowOf(file);
    if (existing >= 0) {
        m_model->setChamber(existing, summaryOf(file));
        chambersChanged();
        selectChamber(existing);
        return;
    }
    m_project.chambers.push_back(ProjectChamber{file, {}});
    m_model->appendChamber(summaryOf(file));
    setModified(true);
    selectChamber(m_model->rowCount() - 1);
    chambersChanged();
}

// A chamber file about to be written: not the one the main window has open,
// and an existing one only with the user's word.
bool ProjectWindow::mayWriteChamber(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    if (mainDocumentHolds(path)) {
        prompts().message(this, tr("Розрахунок %1 відкрито в головному вікні; його не можна замінити.")
                                    .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return confirmReplace(path);
}

void ProjectWindow::newChamber()
{
    if (!m_open)
        return;
    const QString path =
        prompts().saveFileName(this, projectFolder(), tr("Камера.kvor"), calcFilter(), kCalcSuffix);
    if (path.isEmpty())
        return;
    if (!mayWriteChamber(path))
        return;
    ChamberEvaluator *ev = evaluator();
    if (!ev) {
        prompts().message(this, m_evaluatorError);
        return;
    }
    // The evaluator's tables are idle between its readings.
    try {
        CalculationDocument document(ev->tables());
        const bool created = document.createFromTemplate(ev->dataDir(), path);
        document.close();
        if (!created) {
            prompts().message(this, tr("Не вдалося створити файл %1.").arg(QDir::toNativeSeparators(path)));
            return;
        }
    } catch (const DbfError &e) {
        prompts().message(this, e.message());
        return;
    }
    addChamberFile(path);
}

void ProjectWindow::addChambers()
{
    if (!m_open)
        return;
    const QStringList files = prompts().openFileNames(this, projectFolder(), calcFilter(), kCalcSuffix);
    QStringList absent;
    for (const QString &file : files) {
        if (!QFileInfo(file).isFile()) {
            absent << QDir::toNativeSeparators(file);
            continue;
        }
        addChamberFile(file);
    }
    if (!absent.isEmpty())
        prompts().message(this, tr("Файли не знайдено:\n%1").arg(absent.join(QLatin1Char('\n'))));
}

void ProjectWindow::duplicateChamber()
{
    const int row = currentChamber();
    if (!m_open || row < 0)
        return;
    const QString source = m_model->chamber(row).path;
    if (!QFileInfo(source).isFile()) {
        prompts().message(this, tr("Файл %1 не знайдено.").arg(QDir::toNativeSeparators(source)));
        return;
    }
    const QString preset = tr("%1 (копія).kvor").arg(QFileInfo(source).completeBaseName());
    const QString path = prompts().saveFileName(this, QFileInfo(source).absolutePath(), preset, calcFilter(),
                                                kCalcSuffix);
    if (path.isEmpty())
        return;
    if (samePath(path, source)) {
        prompts().message(this, tr("Копія має називатися інакше, ніж сама камера."));
        return;
    }
    if (!mayWriteChamber(path))
        return;
    try {
        CalcFiles::copyFileWithDate(source, path);
    } catch (const DbfError &e) {
        prompts().message(this, e.message());
        return;
    }
    addChamberFile(path);
}

void ProjectWindow::removeChamber()
{
    const int row = currentChamber();
    if (!m_open || row < 0)
        return;
    const ChamberSummary &chamber = m_model->chamber(row);
    if (!prompts().confirm(this, tr("Вилучити камеру «%1» з проєкту? Файл %2 залишиться на диску.")
                                     .arg(chamber.name, QDir::toNativeSeparators(chamber.path))))
        return;
    m_project.chambers.erase(m_project.chambers.begin() + row);
    m_model->removeChamber(row);
    setModified(true);
    selectChamber(std::min(row, m_model->rowCount() - 1));
    chambersChanged();
}

void ProjectWindow::openInMainWindow()
{
    const int row = currentChamber();
    if (!m_open || row < 0)
        return;
    const QString path = m_model->chamber(row).path;
    if (!QFileInfo(path).isFile()) {
        prompts().message(this, tr("Файл %1 не знайдено. Вкажіть, де він тепер, командою «Знайти файл…».")
                                    .arg(QDir::toNativeSeparators(path)));
        return;
    }
    emit openCalculationRequested(path);
}

void ProjectWindow::relocateChamber()
{
    const int row = currentChamber();
    if (!m_open || row < 0)
        return;
    const QString old = m_model->chamber(row).path;
    QString folder = QFileInfo(old).absolutePath();
    if (!QFileInfo(folder).isDir())
        folder = projectFolder();
    const QString path = prompts().openFileName(this, folder, QFileInfo(old).fileName(), calcFilter(), kCalcSuffix);
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile()) {
        prompts().message(this, tr("Файл %1 не знайдено.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const int other = m_model->rowOf(path);
    if (other >= 0 && other != row) {
        prompts().message(this, tr("Камера %1 вже є в проєкті.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    m_project.chambers[size_t(row)].path = pathKey(path);
    m_model->setChamber(row, summaryOf(path));
    setModified(true);
    chambersChanged();
}

void ProjectWindow::recalculateAll()
{
    if (!m_open)
        return;
    for (int row = 0; row < m_model->rowCount(); ++row)
        m_model->setChamber(row, summaryOf(m_model->chamber(row).path));
    chambersChanged();
    statusBar()->showMessage(tr("Камери перераховано: %1").arg(m_model->rowCount()), 5000);
}

// ---------------------------------------------------------------- exports and report

// Where an export goes: named after the project, an existing file only with the
// user's word; empty when the user gave none.
QString ProjectWindow::exportFileName(const QString &filter, const QString &suffix)
{
    const QString preset = QFileInfo(m_project.path()).completeBaseName() + QLatin1Char('.') + suffix;
    const QString path = prompts().saveFileName(this, projectFolder(), preset, filter, suffix);
    if (path.isEmpty() || (QFileInfo::exists(path) && !confirmReplace(path)))
        return {};
    return path;
}

void ProjectWindow::exportCsv()
{
    if (!m_open)
        return;
    const QString path = exportFileName(tr("Таблиця CSV (*.csv)|*.csv"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const QString point = QLocale().decimalPoint();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(projectCsv(m_model->chambers(), point.isEmpty() ? QLatin1Char(',') : point.at(0))) < 0
        || !file.commit()) {
        prompts().message(this, tr("Не вдалося записати %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    statusBar()->showMessage(tr("Таблицю записано: %1").arg(QDir::toNativeSeparators(path)), 5000);
}

void ProjectWindow::saveCurrentChart()
{
    if (!m_open)
        return;
    const bool capacity = m_ui->chartTabs->currentWidget() == m_ui->capacityTab;
    QChart *chart = capacity ? m_ui->capacityChart->chart() : m_ui->gainsChart->chart();
    const QString preset = capacity && currentChamber() >= 0 ? m_model->chamber(currentChamber()).name
                                                              : tr("Теплонадходження");
    const QString path =
        prompts().saveFileName(this, projectFolder(), preset + QStringLiteral(".png"),
                               tr("Зображення PNG (*.png)|*.png|Рисунок SVG (*.svg)|*.svg"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) && !confirmReplace(path))
        return;
    QString error;
    if (!saveChart(chart, path, &error))
        prompts().message(this, error.isEmpty() ? tr("Не вдалося записати %1.").arg(QDir::toNativeSeparators(path))
                                                : error);
}

namespace {

// A rendering's errors reach the user; what was laid out so far is dropped.
template <class F>
void rendering(Prompts &prompts, QWidget *parent, F &&f)
{
    try {
        f();
    } catch (const ReportError &e) {
        prompts.message(parent, e.message());
    } catch (const DbfError &e) {
        prompts.message(parent, e.message());
    }
}

} // namespace

ReportPreview::ProgressRender ProjectWindow::reportRender()
{
    return [this](const std::function<void(int)> &progress) -> std::vector<ReportPage> {
        ChamberEvaluator *ev = evaluator();
        if (!ev)
            throw ReportError(m_evaluatorError);
        ProjectReportOptions options;
        options.date = QDate::currentDate();
        options.version = m_versionText;
        options.titleFolder = m_titleFolder;
        return ProjectReport(*ev).render(m_project, m_model->chambers(), options, progress);
    };
}

// The report opens every chamber's file; one our main window holds would print
// as unreadable, so the user may have it closed there first.
bool ProjectWindow::chambersFreeForReport()
{
    for (const ChamberSummary &c : m_model->chambers()) {
        if (!mainDocumentHolds(c.path))
            continue;
        if (!prompts().confirm(this, tr("Камеру «%1» відкрито в головному вікні. Щоб її розрахунок увійшов до "
                                        "звіту проєкту, її треба закрити там. Закрити й продовжити?")
                                         .arg(c.name)))
            return false;
        emit closeCalculationRequested();
        return !mainDocumentHolds(c.path);
    }
    return true;
}

void ProjectWindow::printProject()
{
    if (!m_open || !chambersFreeForReport())
        return;
    const auto render = reportRender();
    rendering(prompts(), this, [&] { printReportWithDialog(this, [&render] { return render({}); }); });
}

void ProjectWindow::previewProject()
{
    if (!m_open || !chambersFreeForReport())
        return;
    rendering(prompts(), this, [&] { ReportPreview::run(this, reportRender(), m_printerSettings); });
}

void ProjectWindow::exportPdf()
{
    if (!m_open)
        return;
    const QString path = exportFileName(tr("Документ PDF (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    if (path.isEmpty() || !chambersFreeForReport())
        return;
    rendering(prompts(), this, [&] {
        writeReportPdf(reportRender()({}), path);
        statusBar()->showMessage(tr("PDF записано: %1").arg(QDir::toNativeSeparators(path)), 5000);
    });
}

} // namespace kvor
