#pragma once

#include "reports/core/reportpage.h"
#include "reports/core/reportprintersettings.h"

#include <QDialog>

#include <functional>
#include <map>
#include <vector>

class QLabel;
class QPrintDialog;
class QScrollArea;
class QToolButton;

namespace kvor {

class ReportPageView;

// The print preview window "Перегляд перед друком": a tool bar, the page area
// and a status bar with the layout progress and the page position.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    using Render = std::function<std::vector<ReportPage>()>;
    using ProgressRender = std::function<std::vector<ReportPage>(const std::function<void(int)> &progress)>;
    enum class ZoomMode { Fit, Actual, Width };

    // Replacements for the modal system dialogs; tests install them so nothing
    // waits for a user. Unset members show the real dialogs.
    struct Hooks {
        std::function<bool(QPrintDialog &)> printDialog; // true = confirmed
        std::function<QString(QWidget *parent, const QString &caption, const QString &filter, bool forSaving)> fileName;
        std::function<void(QWidget *parent, const QString &text)> message;
    };
    static Hooks &hooks();

    // Opens the window maximised, lays the report out (progress in the status
    // bar) and returns when it is closed. Other windows keep responding
    // meanwhile. An error of the layout closes the window and propagates.
    static void run(QWidget *parent, Render render, ReportPrinterSettings &settings);
    static void run(QWidget *parent, ProgressRender render, ReportPrinterSettings &settings);

    ReportPreview(QWidget *parent, ProgressRender render, ReportPrinterSettings &settings);
    ~ReportPreview() override;

    // Lays the report out and shows page 1; throws what the layout throws.
    void renderReport();
    void setPages(std::vector<ReportPage> pages);

    const std::vector<ReportPage> &pages() const { return m_pages; }
    int pageCount() const { return int(m_pages.size()); }
    int currentPage() const { return m_current; } // 0-based
    ZoomMode zoomMode() const { return m_mode; }
    double zoom() const { return m_zoom; }        // 1.0 = real size on the screen
    QSize pageAreaSize() const;                   // the room the page is fitted into
    QSize pagePixelSize() const;                  // the page as drawn
    QToolButton *button(const QString &objectName) const;

public slots:
    void showPage(int index);
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void zoomFit();
    void zoom100();
    void zoomToWidth();
    void printSetup();
    void print();
    void saveReport();
    void loadReport();
    void savePdf();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *addButton(const QString &name, const QString &hint, const QIcon &icon, const QString &text = QString());
    void setZoomMode(ZoomMode mode);
    void updateZoom();
    void updateStatus();
    void setProgress(int percent);
    void showMessage(const QString &text);
    QString askFileName(const QString &caption, const QString &filter, bool forSaving);
    bool handleKey(QKeyEvent *event);

    ProgressRender m_render;
    ReportPrinterSettings &m_settings;
    std::vector<ReportPage> m_pages;
    int m_current = 0;
    ZoomMode m_mode = ZoomMode::Width;
    double m_zoom = 1.0;
    int m_shownProgress = -1;
    bool m_rendered = false;

    std::map<QString, QToolButton *> m_buttons;
    QScrollArea *m_scroll = nullptr;
    ReportPageView *m_view = nullptr;
    QLabel *m_progressPanel = nullptr;
    QLabel *m_pagePanel = nullptr;
};

} // namespace kvor
