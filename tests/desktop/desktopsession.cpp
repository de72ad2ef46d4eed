#include "desktopsession.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kvor::test {

namespace {

// Starts `args[0]` with stdout and stderr into `log` (appended); descriptors
// without close-on-exec are inherited. The child ends with this process, even
// when a test crashes, so no server outlives its suite.
pid_t spawn(const char *const args[], const QString &log)
{
    const QByteArray logPath = log.isEmpty() ? QByteArray("/dev/null") : QFile::encodeName(log);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0)
        return pid; // -1 when it failed
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        _exit(127);
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(logPath.constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (in < 0 || out < 0)
        _exit(127);
    dup2(in, 0);
    dup2(out, 1);
    dup2(out, 2);
    execvp(args[0], const_cast<char *const *>(args));
    _exit(127);
}

// Waits for `pid` to end, at most `timeoutMs`; its wait status, or -1.
int waitFor(pid_t pid, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return status;
        if (r < 0 && errno != EINTR)
            return -1;
        if (deadline.hasExpired())
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void terminate(pid_t &pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    if (waitFor(pid, 10000) == -1) {
        kill(pid, SIGKILL);
        waitFor(pid, 10000);
    }
    pid = -1;
}

bool alive(pid_t pid)
{
    int status = 0;
    return pid > 0 && waitpid(pid, &status, WNOHANG) == 0;
}

} // namespace

DesktopSession::~DesktopSession()
{
    stop();
}

int DesktopSession::run(const char *program, const char *const args[], int timeoutMs)
{
    int argc = 0;
    while (args[argc])
        ++argc;
    std::vector<const char *> argv{program};
    argv.insert(argv.end(), args, args + argc);
    argv.push_back(nullptr);
    pid_t pid = spawn(argv.data(), QString());
    if (pid < 0)
        return -1;
    const int status = waitFor(pid, timeoutMs);
    if (status == -1) {
        kill(pid, SIGKILL);
        waitFor(pid, 5000);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool DesktopSession::fail(const QString &why)
{
    QFile log(m_log);
    m_error = why;
    if (log.open(QIODevice::ReadOnly))
        m_error += QStringLiteral("\n") + QString::fromLocal8Bit(log.readAll());
    stop();
    return false;
}

bool DesktopSession::start(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    m_log = QDir::temp().filePath(QStringLiteral("kvor-desktop-%1.log").arg(getpid()));
    QFile::remove(m_log);

    // Xvfb picks a free display itself and writes its number to the pipe once
    // it accepts connections: no guessing, no race with other servers.
    int fds[2];
    if (pipe(fds) != 0)
        return fail(QStringLiteral("pipe failed"));
    const QByteArray fd = QByteArray::number(fds[1]);
    const char *xvfb[] = {"Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1280x1024x24",
                          "-nolisten", "tcp", "-noreset", nullptr};
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    m_xvfb = spawn(xvfb, m_log);
    close(fds[1]);
    if (m_xvfb < 0) {
        close(fds[0]);
        return fail(QStringLiteral("Xvfb cannot be started"));
    }
    QByteArray number;
    while (!number.endsWith('\n')) {
        pollfd p{fds[0], POLLIN, 0};
        const int left = int(qMax<qint64>(0, deadline.remainingTime()));
        if (poll(&p, 1, left) <= 0)
            break;
        char c;
        if (read(fds[0], &c, 1) != 1)
            break;
        number += c;
    }
    close(fds[0]);
    if (!number.endsWith('\n'))
        return fail(QStringLiteral("Xvfb did not report a display"));
    m_display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    qputenv("DISPLAY", m_display.toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qunsetenv("WAYLAND_DISPLAY");
    // The private desktop has no session bus: nothing reaches the user's session.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");

    const char *wm[] = {"openbox", "--sm-disable", nullptr};
    m_wm = spawn(wm, m_log);
    if (m_wm < 0)
        return fail(QStringLiteral("openbox cannot be started"));
    // The window manager is up once it answers for the desktop.
    const char *query[] = {"-m", nullptr};
    while (run("wmctrl", query, 10000) != 0) {
        if (!alive(m_wm))
            return fail(QStringLiteral("openbox ended"));
        if (deadline.hasExpired())
            return fail(QStringLiteral("openbox did not start in time"));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

void DesktopSession::stop()
{
    terminate(m_wm);
    terminate(m_xvfb);
    if (!m_log.isEmpty())
        QFile::remove(m_log);
    m_log.clear();
}

} // namespace kvor::test
