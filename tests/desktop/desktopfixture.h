#pragma once

#include "app/appfixture.h"
#include "desktopsession.h"

#include "reports/core/calculationreport.h"
#include "reports/core/equipmentlistreport.h"
#include "selection/selectionwindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace kvor::test {

// Waits, handling events, until `done` holds; false when `ms` pass first.
inline bool waitUntil(const std::function<bool()> &done, int ms = 60000)
{
    return QTest::qWaitFor(done, ms);
}

// The window has the focus of the desktop and of the program.
inline bool isActive(const QWidget *w)
{
    return w->isVisible() && QApplication::activeWindow() == w && QGuiApplication::focusWindow() == w->windowHandle();
}

// Asks the window manager to give `window` the focus, as a click on it would,
// until `arrived` holds (a window just mapped may miss the first request).
inline bool switchTo(WId window, const std::function<bool()> &arrived)
{
    const QByteArray id = "0x" + QByteArray::number(quint64(window), 16);
    for (int attempt = 0; attempt < 20; ++attempt) {
        const char *args[] = {"-i", "-a", id.constData(), nullptr};
        DesktopSession::run("wmctrl", args, 10000);
        if (waitUntil(arrived, 3000))
            return true;
    }
    return false;
}

// Another program's window on the same desktop.
class ForeignWindow {
public:
    bool start()
    {
        m_process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--foreign-window")});
        if (!m_process.waitForStarted(30000))
            return false;
        if (!waitUntil([this] { return m_process.canReadLine(); }))
            return false;
        m_id = WId(m_process.readLine().trimmed().toULongLong());
        return m_id != 0;
    }
    ~ForeignWindow()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }
    // Takes the focus from the program.
    bool activate()
    {
        return switchTo(m_id, [] { return QGuiApplication::focusWindow() == nullptr; });
    }

private:
    QProcess m_process;
    WId m_id = 0;
};

// The program's forms on the desktop, the main window up and activated by the
// window manager (which opened the reference tables), a new calculation open.
class DesktopTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        if (HasFatalFailure())
            return;
        podbor = std::make_unique<SelectionWindow>(main.get());
        main->setSelectionWindow(podbor.get());
        main->setReportForms(&report, &list);
        report.setTitleFolder(m_dir.path());
        list.setTitleFolder(m_dir.path());
        main->show();
        ASSERT_TRUE(waitUntil([this] { return isActive(main.get()); })) << "the main window never got the focus";
        ASSERT_TRUE(main->tablesOpened()) << "the first activation opens the reference tables";
        newCalculation(QStringLiteral("calc.kvor"));
        ASSERT_TRUE(dm->taWork.active());
    }
    void TearDown() override
    {
        podbor.reset();
        AppTest::TearDown();
    }

    QVariant field(const char *name) const { return dm->taWork.value(QLatin1String(name)); }
    void set(const char *name, const QVariant &value)
    {
        dm->taWork.first();
        dm->taWork.edit();
        dm->taWork.setValue(QLatin1String(name), value);
        dm->taWork.post();
    }

    // Runs `modal` (which returns when its window closes) with `inside` driving
    // the window meanwhile; `inside` must close it.
    static void whileOpen(const std::function<void()> &modal, const std::function<void()> &inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            inside();
        });
        modal();
        EXPECT_TRUE(ran);
    }

    CalculationReport report;
    EquipmentListReport list;
    std::unique_ptr<SelectionWindow> podbor;
};

} // namespace kvor::test

// Readable failure messages.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
