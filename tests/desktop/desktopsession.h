#pragma once

#include <QString>

#include <sys/types.h>

namespace kvor::test {

// A private X desktop for window tests that need activation and focus as a
// window manager hands them out: an Xvfb server on a free display (it picks
// the number itself) with openbox running on it. start() sets DISPLAY and
// QT_QPA_PLATFORM=xcb for this process and its children, so it must run
// before the QApplication exists; the desktop goes away with the object,
// which must outlive the QApplication.
class DesktopSession {
public:
    DesktopSession() = default;
    ~DesktopSession();
    DesktopSession(const DesktopSession &) = delete;
    DesktopSession &operator=(const DesktopSession &) = delete;

    // False, with error() saying why, when either program cannot be started
    // or is not ready within `timeoutMs`.
    bool start(int timeoutMs = 60000);
    void stop();

    QString display() const { return m_display; }
    QString error() const { return m_error; }

    // Runs a program to its end (at most `timeoutMs`); its exit code, -1 when
    // it could not be run or did not finish.
    static int run(const char *program, const char *const args[], int timeoutMs);

private:
    bool fail(const QString &why);

    pid_t m_xvfb = -1;
    pid_t m_wm = -1;
    QString m_display;
    QString m_error;
    QString m_log;
};

} // namespace kvor::test
