#pragma once

// Ways to make the file system say no: a file-size limit that cuts writes
// short, a superuser that stops ignoring file permissions, and forked
// processes to hold locks or to be killed mid-operation.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

#include <linux/capability.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvor::test {

// While alive, writes at or past `bytes` fail (as on a full disk). Only the soft
// limit moves, so it can be raised again as when the user frees space.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        struct rlimit lim = m_saved;
        lim.rlim_cur = rlim_t(bytes);
        m_ok = setrlimit(RLIMIT_FSIZE, &lim) == 0;
    }
    ~FileSizeLimit() { lift(); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool ok() const { return m_ok; }
    void lift()
    {
        if (m_ok)
            setrlimit(RLIMIT_FSIZE, &m_saved);
        m_ok = false;
    }

private:
    struct rlimit m_saved {};
    bool m_ok = false;
};

// While alive, the superuser obeys file permissions like anyone else, so a
// read-only file is read-only for the tests too. Nothing changes for others.
class PermissionsApply {
public:
    PermissionsApply()
    {
        if (::geteuid() != 0)
            return;
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            lowered[cap / 32].effective &= ~(1u << (cap % 32));
        m_lowered = syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~PermissionsApply()
    {
        if (m_lowered)
            syscall(SYS_capset, &m_header, m_saved);
    }
    PermissionsApply(const PermissionsApply &) = delete;
    PermissionsApply &operator=(const PermissionsApply &) = delete;

    // False only for a superuser who could not give up the override.
    bool effective() const { return ::geteuid() != 0 || m_lowered; }

private:
    __user_cap_header_struct m_header {};
    __user_cap_data_struct m_saved[2] {};
    bool m_lowered = false;
};

// Runs `child` in a forked process and returns its exit status, or 100 plus the
// signal that ended it.
inline int inChild(const std::function<int()> &child)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(child());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

} // namespace kvor::test
