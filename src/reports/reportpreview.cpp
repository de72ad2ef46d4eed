#include "reportpreview.h"

#include "previewicons.h"
#include "reportprinting.h"
#include "reports/core/reporterror.h"
#include "reports/core/reportpainter.h"
#include "reports/core/reportpdf.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kvor {

namespace {

constexpr int kPageMargin = 6; // pixels of grey around the page

const char *const kReportFilter = QT_TRANSLATE_NOOP("kvor::ReportPreview", "Звіт Kvor (*.kvrep);;Усі файли (*)");

using Glyph = PreviewIcons::Glyph;

} // namespace

// The page area's canvas: grey around, the page in the middle with a shadow.
class ReportPageView : public QWidget {
public:
    explicit ReportPageView(QWidget *parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent, false);
    }

    void setPage(const ReportPage *page, QSize pageSize)
    {
        m_page = page;
        m_pageSize = pageSize;
        resize(pageSize + QSize(2 * kPageMargin, 2 * kPageMargin));
        update();
    }
    QSize pageSize() const { return m_pageSize; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QRectF target(kPageMargin, kPageMargin, m_pageSize.width(), m_pageSize.height());
        p.fillRect(target.translated(3, 3), QColor(0, 0, 0, 90));
        p.fillRect(target, Qt::white);
        if (m_page)
            paintReportPage(p, *m_page, target);
    }

private:
    const ReportPage *m_page = nullptr;
    QSize m_pageSize;
};

ReportPreview::Hooks &ReportPreview::hooks()
{
    static Hooks instance;
    return instance;
}

ReportPreview::ReportPreview(QWidget *parent, ProgressRender render, ReportPrinterSettings &settings)
    : QDialog(parent)
    , m_render(std::move(render))
    , m_settings(settings)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(tr("Перегляд перед друком"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    resize(900, 700);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar"));
    toolBar->setIconSize(QSize(24, 24));
    layout->addWidget(toolBar);

    auto *zoomGroup = new QButtonGroup(this);
    zoomGroup->setExclusive(true);
    const auto zoomButton = [&](const QString &name, const QString &hint, Glyph glyph, auto slot) {
        QToolButton *b = addButton(name, hint, PreviewIcons::icon(glyph));
        b->setCheckable(true);
        zoomGroup->addButton(b);
        connect(b, &QToolButton::clicked, this, slot);
        toolBar->addWidget(b);
    };
    const auto plainButton = [&](const QString &name, const QString &hint, Glyph glyph, auto slot,
                                 const QString &text = QString()) {
        QToolButton *b = addButton(name, hint, PreviewIcons::icon(glyph), text);
        connect(b, &QToolButton::clicked, this, slot);
        toolBar->addWidget(b);
        return b;
    };
    zoomButton(QStringLiteral("ZoomFit"), tr("Показати всю сторінку"), Glyph::Fit, &ReportPreview::zoomFit);
    zoomButton(QStringLiteral("Zoom100"), tr("100%"), Glyph::Actual, &ReportPreview::zoom100);
    zoomButton(QStringLiteral("ZoomToWidth"), tr("Максимально разтягнути"), Glyph::Width,
               &ReportPreview::zoomToWidth);
    toolBar->addSeparator();
    plainButton(QStringLiteral("FirstPage"), tr("Перша сторінка"), Glyph::First, &ReportPreview::firstPage);
    plainButton(QStringLiteral("PreviousPage"), tr("Попередня сторінка"), Glyph::Previous,
                &ReportPreview::previousPage);
    plainButton(QStringLiteral("ToolButton2"), tr("Наступна сторінка"), Glyph::Next,
                &ReportPreview::nextPage);
    plainButton(QStringLiteral("LastPage"), tr("Остання сторінка"), Glyph::Last, &ReportPreview::lastPage);
    toolBar->addSeparator();
    plainButton(QStringLiteral("PrintSetup"), tr("Налаштування принтера"), Glyph::PrintSetup,
                &ReportPreview::printSetup)
        ->setEnabled(false);
    plainButton(QStringLiteral("Print"), tr("Друк"), Glyph::Print, &ReportPreview::print)->setEnabled(false);
    toolBar->addSeparator();
    plainButton(QStringLiteral("SaveReport"), tr("Зберегти звіт"), Glyph::Save, &ReportPreview::saveReport);
    plainButton(QStringLiteral("LoadReport"), tr("Завантажити звіт"), Glyph::Load,
                &ReportPreview::loadReport);
    plainButton(QStringLiteral("SavePdf"), tr("Зберегти PDF"), Glyph::Pdf, &ReportPreview::savePdf,
                tr("Зберегти PDF"));
    toolBar->addSeparator();
    plainButton(QStringLiteral("ExitButton"), tr("Закрити вікно попереднього перегляду"), Glyph::Exit,
                &ReportPreview::close, tr("&Закрити"));
    button(QStringLiteral("ZoomToWidth"))->setChecked(true);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("PageArea"));
    m_scroll->setAlignment(Qt::AlignCenter); // a smaller page sits in the middle
    m_scroll->setWidgetResizable(false);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->installEventFilter(this);
    m_view = new ReportPageView(m_scroll);
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    status->setSizeGripEnabled(false);
    m_progressPanel = new QLabel(QStringLiteral("0%"), status);
    m_progressPanel->setObjectName(QStringLiteral("ProgressPanel"));
    m_progressPanel->setMinimumWidth(80);
    m_pagePanel = new QLabel(tr("Лист"), status);
    m_pagePanel->setObjectName(QStringLiteral("PagePanel"));
    status->addWidget(m_progressPanel);
    status->addWidget(m_pagePanel, 1);
    layout->addWidget(status);

    setFocusPolicy(Qt::StrongFocus);
    updateZoom();
}

ReportPreview::~ReportPreview() = default;

QToolButton *ReportPreview::addButton(const QString &name, const QString &hint, const QIcon &icon, const QString &text)
{
    auto *b = new QToolButton(this);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setIcon(icon);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(true);
    if (!text.isEmpty()) {
        b->setText(text);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    } else {
        b->setText(hint);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    m_buttons[name] = b;
    return b;
}

QToolButton *ReportPreview::button(const QString &objectName) const
{
    const auto it = m_buttons.find(objectName);
    return it == m_buttons.end() ? nullptr : it->second;
}

void ReportPreview::run(QWidget *parent, Render render, ReportPrinterSettings &settings)
{
    run(parent, ProgressRender([render = std::move(render)](const std::function<void(int)> &) { return render(); }),
        settings);
}

void ReportPreview::run(QWidget *parent, ProgressRender render, ReportPrinterSettings &settings)
{
    ReportPreview preview(parent, std::move(render), settings);
    preview.setWindowModality(Qt::NonModal);
    QEventLoop loop;
    connect(&preview, &QDialog::finished, &loop, &QEventLoop::quit);
    preview.showMaximized();
    preview.renderReport(); // an error unwinds and takes the window with it
    if (preview.isVisible())
        loop.exec();
}

void ReportPreview::renderReport()
{
    m_rendered = false;
    button(QStringLiteral("PrintSetup"))->setEnabled(false);
    button(QStringLiteral("Print"))->setEnabled(false);
    m_shownProgress = -1;
    setProgress(0);
    m_pagePanel->setText(tr("Лист"));
    std::vector<ReportPage> pages = m_render([this](int percent) { setProgress(percent); });
    setProgress(100);
    m_rendered = true;
    setPages(std::move(pages));
    button(QStringLiteral("PrintSetup"))->setEnabled(true);
    button(QStringLiteral("Print"))->setEnabled(true);
}

void ReportPreview::setProgress(int percent)
{
    // Steps of at least 5 %, so the status bar does not slow the layout down.
    if (m_shownProgress >= 0 && percent < m_shownProgress + 5 && !(percent == 100 && m_shownProgress != 100))
        return;
    m_shownProgress = percent;
    m_progressPanel->setText(QStringLiteral("%1%").arg(percent));
    if (isVisible())
        m_progressPanel->repaint();
}

void ReportPreview::setPages(std::vector<ReportPage> pages)
{
    m_pages = std::move(pages);
    m_current = 0;
    showPage(0);
}

void ReportPreview::showPage(int index)
{
    if (!m_pages.empty())
        m_current = std::clamp(index, 0, pageCount() - 1);
    else
        m_current = 0;
    updateZoom();
    updateStatus();
}

void ReportPreview::firstPage()
{
    showPage(0);
}

void ReportPreview::previousPage()
{
    showPage(m_current - 1);
}

void ReportPreview::nextPage()
{
    showPage(m_current + 1); // on the last page this stays there
}

void ReportPreview::lastPage()
{
    showPage(pageCount() - 1);
}

void ReportPreview::updateStatus()
{
    if (m_pages.empty())
        m_pagePanel->setText(tr("Лист"));
    else
        m_pagePanel->setText(tr("Page %1 of %2").arg(m_current + 1).arg(pageCount()));
}

void ReportPreview::zoomFit()
{
    setZoomMode(ZoomMode::Fit);
}

void ReportPreview::zoom100()
{
    setZoomMode(ZoomMode::Actual);
}

void ReportPreview::zoomToWidth()
{
    setZoomMode(ZoomMode::Width);
}

void ReportPreview::setZoomMode(ZoomMode mode)
{
    m_mode = mode;
    const char *name = mode == ZoomMode::Fit ? "ZoomFit" : mode == ZoomMode::Actual ? "Zoom100" : "ZoomToWidth";
    button(QLatin1String(name))->setChecked(true);
    updateZoom();
}

QSize ReportPreview::pageAreaSize() const
{
    return m_scroll->maximumViewportSize();
}

QSize ReportPreview::pagePixelSize() const
{
    return m_view->pageSize();
}

void ReportPreview::updateZoom()
{
    const ReportPage fallback;
    const ReportPage &page = m_pages.empty() ? fallback : m_pages[size_t(m_current)];
    // The page at 100 %: its real size with the screen's logical resolution.
    const double w100 = page.width / kUnitsPerInch * m_view->logicalDpiX();
    const double h100 = page.height / kUnitsPerInch * m_view->logicalDpiY();
    const QSize area = pageAreaSize();
    switch (m_mode) {
    case ZoomMode::Actual:
        m_zoom = 1.0;
        break;
    case ZoomMode::Fit:
        m_zoom = std::min(0.95 * area.width() / w100, 0.95 * area.height() / h100);
        break;
    case ZoomMode::Width: {
        double width = area.width();
        // A page taller than the area brings the vertical scroll bar, which
        // takes its share of the width.
        if (h100 * 0.9 * width / w100 + 2 * kPageMargin > area.height())
            width -= m_scroll->verticalScrollBar()->sizeHint().width();
        m_zoom = 0.9 * width / w100;
        break;
    }
    }
    m_zoom = std::max(m_zoom, 0.01);
    const QSize size(std::max(1, int(std::lround(w100 * m_zoom))), std::max(1, int(std::lround(h100 * m_zoom))));
    m_view->setPage(m_pages.empty() ? nullptr : &m_pages[size_t(m_current)], size);
}

bool ReportPreview::handleKey(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_PageUp:
        ctrl ? firstPage() : previousPage();
        return true;
    case Qt::Key_PageDown:
        ctrl ? lastPage() : nextPage();
        return true;
    case Qt::Key_Home:
        firstPage();
        return true;
    case Qt::Key_End:
        lastPage();
        return true;
    default:
        return false;
    }
}

void ReportPreview::keyPressEvent(QKeyEvent *event)
{
    if (handleKey(event))
        event->accept();
    else
        QDialog::keyPressEvent(event); // Esc closes
}

bool ReportPreview::eventFilter(QObject *watched, QEvent *event)
{
    // The page area would scroll on these keys; here they turn pages.
    if (watched == m_scroll && event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void ReportPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    updateZoom();
}

void ReportPreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    updateZoom();
}

void ReportPreview::showMessage(const QString &text)
{
    if (hooks().message)
        hooks().message(this, text);
    else
        QMessageBox::warning(this, QApplication::applicationDisplayName(), text);
}

QString ReportPreview::askFileName(const QString &caption, const QString &filter, bool forSaving)
{
    if (hooks().fileName)
        return hooks().fileName(this, caption, filter, forSaving);
    if (forSaving)
        return QFileDialog::getSaveFileName(this, caption, QString(), filter);
    return QFileDialog::getOpenFileName(this, caption, QString(), filter);
}

void ReportPreview::printSetup()
{
    if (!m_rendered)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!m_settings.outputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_settings.outputFile);
    } else if (!m_settings.printerName.isEmpty()) {
        printer.setPrinterName(m_settings.printerName);
    }
    printer.setCopyCount(std::max(1, m_settings.copies));
    if (m_settings.fromPage > 0 || m_settings.toPage > 0) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(std::max(1, m_settings.fromPage), std::max(1, m_settings.toPage));
    }
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PrintSetupDialog"));
    dialog.setMinMax(1, std::max(1, pageCount()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    const bool confirmed = hooks().printDialog ? hooks().printDialog(dialog) : dialog.exec() == QDialog::Accepted;
    if (!confirmed)
        return;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        m_settings.outputFile = printer.outputFileName();
        m_settings.printerName.clear();
    } else {
        m_settings.outputFile.clear();
        m_settings.printerName = printer.printerName();
    }
    m_settings.copies = std::max(1, printer.copyCount());
    if (printer.printRange() == QPrinter::PageRange) {
        m_settings.fromPage = printer.fromPage();
        m_settings.toPage = printer.toPage();
    } else {
        m_settings.fromPage = m_settings.toPage = 0;
    }
}

void ReportPreview::print()
{
    if (!m_rendered)
        return;
    try {
        // Printing lays the report out anew, from the data as it is now.
        const std::vector<ReportPage> pages = m_render([](int) {});
        printReportPages(pages, m_settings);
    } catch (const ReportError &e) {
        showMessage(e.message());
    } catch (const std::exception &e) {
        showMessage(QString::fromUtf8(e.what()));
    }
}

void ReportPreview::saveReport()
{
    QString path = askFileName(tr("Зберегти звіт"), tr(kReportFilter), true);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".kvrep");
    try {
        saveReportPages(m_pages, path);
    } catch (const ReportError &e) {
        showMessage(e.message());
    }
}

void ReportPreview::loadReport()
{
    const QString path = askFileName(tr("Завантажити звіт"), tr(kReportFilter), false);
    if (path.isEmpty())
        return;
    try {
        setPages(loadReportPages(path));
    } catch (const ReportError &e) {
        showMessage(e.message());
    }
}

void ReportPreview::savePdf()
{
    QString path = askFileName(tr("Зберегти PDF"), tr("PDF (*.pdf)"), true);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    try {
        writeReportPdf(m_pages, path);
    } catch (const ReportError &e) {
        showMessage(e.message());
    }
}

} // namespace kvor
