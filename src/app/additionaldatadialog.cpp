#include "additionaldatadialog.h"

#include "input/errorreporter.h"
#include "prompts.h"
#include "storage/referencetables.h"
#include "ui_additionaldatadialog.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>

namespace kvor {

AdditionalDataDialog::AdditionalDataDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_ui(std::make_unique<Ui::AdditionalDataDialog>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("fmAdd"));
    setFixedSize(455, 201);
    setModal(true);
    m_ui->DBComboBox4->setSorted(true);
    m_ui->BitBtn2->setIcon(QIcon(QStringLiteral(":/assets/add-executor.png")));
    m_ui->BitBtn3->setIcon(QIcon(QStringLiteral(":/assets/delete-executor.png")));
    QAction *browse = m_ui->DirectoryEdit1->addAction(
        QIcon::fromTheme(QStringLiteral("folder-open"), QIcon(QStringLiteral(":/assets/open.png"))),
        QLineEdit::TrailingPosition);
    connect(browse, &QAction::triggered, this, [this] {
        const QString chosen = Prompts::instance().folderName(this, m_ui->DirectoryEdit1->text());
        if (!chosen.isEmpty())
            m_ui->DirectoryEdit1->setText(chosen);
    });
    connect(m_ui->DirectoryEdit1, &QLineEdit::textChanged, this, &AdditionalDataDialog::onFolderEdited);
    connect(m_ui->BitBtn2, &QToolButton::clicked, this, &AdditionalDataDialog::addExecutor);
    connect(m_ui->BitBtn3, &QToolButton::clicked, this, &AdditionalDataDialog::removeExecutor);
    connect(m_ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
}

AdditionalDataDialog::~AdditionalDataDialog() = default;

void AdditionalDataDialog::setReferenceTables(ReferenceTables *dm)
{
    m_dm = dm;
    m_ui->DBEdit1->bind(&dm->dsWork, QStringLiteral("KL_NAIM"));
    m_ui->DBEdit2->bind(&dm->dsWork, QStringLiteral("KL_PRIM"));
    m_ui->DBComboBox4->bind(&dm->dsWork, QStringLiteral("OB_ISP"));
}

void AdditionalDataDialog::setExecutorItems(const QStringList &names)
{
    m_ui->DBComboBox4->setItems(names);
}

QString AdditionalDataDialog::folder() const
{
    return m_ui->DirectoryEdit1->text();
}

void AdditionalDataDialog::setFolder(const QString &folder)
{
    if (m_ui->DirectoryEdit1->text() == folder)
        onFolderEdited(folder); // the step runs even when the text is already there
    else
        m_ui->DirectoryEdit1->setText(folder);
}

QString AdditionalDataDialog::defaultFolder()
{
    // Qt names ~/Documents even where it was never created; a dialog cannot start there.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void AdditionalDataDialog::onFolderEdited(const QString &text)
{
    emit folderChanged(text);
    if (!m_dm || !m_dm->taInit.active())
        return;
    ErrorReporter::guard(this, [&] {
        m_dm->taInit.edit();
        m_dm->taInit.setValue(QStringLiteral("DIR"), text);
        m_dm->taInit.first();
        return true;
    });
}

void AdditionalDataDialog::refillExecutors()
{
    setExecutorItems(m_dm->executorNames());
}

void AdditionalDataDialog::addExecutor()
{
    if (!m_dm || !m_dm->taWork.active())
        return;
    ErrorReporter::guard(this, [this] {
        m_dm->dsWork.updateRecordRequested(); // what is typed in the list counts
        const QVariant name = m_dm->taWork.value(QStringLiteral("OB_ISP"));
        if (name.isValid() && !name.toString().isEmpty()
            && !m_dm->taIsp.locate(QStringLiteral("NAME"), name, true)) {
            m_dm->taIsp.append();
            m_dm->taIsp.setValue(QStringLiteral("NAME"), name);
        }
        refillExecutors();
        return true;
    });
}

void AdditionalDataDialog::removeExecutor()
{
    if (!m_dm || !m_dm->taWork.active())
        return;
    ErrorReporter::guard(this, [this] {
        m_dm->dsWork.updateRecordRequested();
        const QVariant name = m_dm->taWork.value(QStringLiteral("OB_ISP"));
        if (name.isValid() && !name.toString().isEmpty()
            && m_dm->taIsp.locate(QStringLiteral("NAME"), name, true)) {
            m_dm->taIsp.deleteRecord();
            m_dm->taWork.edit();
            m_dm->taWork.setValue(QStringLiteral("OB_ISP"), QVariant());
        }
        refillExecutors();
        return true;
    });
}

} // namespace kvor
