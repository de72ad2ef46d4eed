#include "calcfiles.h"

#include "dbferror.h"
#include "referencetables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvor {

namespace {

// The file a chain of links ends at (it need not exist); the path itself when
// it is no link. Empty for a loop.
QString linkedFile(QString path)
{
    for (int hops = 0; hops < 40; ++hops) {
        char buffer[4096];
        const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof buffer);
        if (n < 0 || size_t(n) == sizeof buffer)
            return path;
        const QString to = QFile::decodeName(QByteArray(buffer, int(n)));
        path = QDir::isRelativePath(to) ? QFileInfo(path).absoluteDir().filePath(to) : to;
    }
    return QString();
}

} // namespace

bool CalcFiles::writable(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno != EACCES && errno != EPERM && errno != EROFS && errno != ETXTBSY;
}

void CalcFiles::copyFileWithDate(const QString &source, const QString &destination, bool durable)
{
    QString named = destination;
    if (QFileInfo(named).isDir())
        named = QDir(named).filePath(QFileInfo(source).fileName());
    // Replacing a link would cut it from the file it shares; the file it names is written.
    const QString target = linkedFile(named);
    if (target.isEmpty())
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1").arg(named));

    // A write past the file-size limit must fail with "Stream write error", not
    // end the process, also in one that never opened a table.
    std::signal(SIGXFSZ, SIG_IGN);

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw DbfError(DbfError::Kind::CannotOpen, QStringLiteral("Cannot open file %1").arg(source));
    const QDateTime modified = QFileInfo(source).lastModified();

    const QFileInfo targetInfo(target);
    if (!QDir().mkpath(targetInfo.absolutePath()))
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1").arg(named));
    struct stat existing {};
    const bool replacing = ::stat(QFile::encodeName(target).constData(), &existing) == 0;
    if (replacing && (!S_ISREG(existing.st_mode) || !writable(target)))
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1").arg(named)); // a read-only file stays protected

    // Written beside the target under another name, then renamed over it.
    const QString temp = targetInfo.absolutePath() + QStringLiteral("/.") + targetInfo.fileName()
                         + QStringLiteral(".part");
    QFile out(temp);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1").arg(named));
    if (replacing) {
        // The replacement is readable by whoever could read the file, and by no one else.
        [[maybe_unused]] const int owned = ::fchown(out.handle(), existing.st_uid, existing.st_gid);
        ::fchmod(out.handle(), existing.st_mode & 07777);
    }
    // QFile::remove() keeps a file whose buffered rest cannot be flushed; the
    // scratch copy goes by name.
    auto discard = [&] {
        out.close();
        QFile::remove(temp);
    };
    char block[65536];
    for (;;) {
        const qint64 n = in.read(block, sizeof block);
        if (n < 0) {
            discard();
            throw DbfError(DbfError::Kind::ReadFailed, QStringLiteral("Stream read error"));
        }
        if (n == 0)
            break;
        if (out.write(block, n) != n) {
            discard();
            throw DbfError(DbfError::Kind::WriteFailed, QStringLiteral("Stream write error"));
        }
    }
    if (!out.flush() || (durable && ::fsync(out.handle()) != 0)) {
        discard();
        throw DbfError(DbfError::Kind::WriteFailed, QStringLiteral("Stream write error"));
    }
    out.setFileTime(modified, QFileDevice::FileModificationTime);
    out.close();
    const QByteArray from = QFile::encodeName(temp);
    const QByteArray to = QFile::encodeName(target);
    if (::rename(from.constData(), to.constData()) != 0) {
        QFile::remove(temp);
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1").arg(named));
    }
}

QString CalcFiles::convertedPath(const QString &path)
{
    const QFileInfo info(path);
    return info.absoluteDir().filePath(info.completeBaseName() + QStringLiteral(".kvor"));
}

CalcFiles::Conversion CalcFiles::convert(ReferenceTables &dm, const QString &dataDir, const QString &path, QString *target,
                                         const std::function<bool(const QString &)> &replace)
{
    DbfTable &old = dm.taOld;
    DbfTable &rec = dm.taRec;
    old.close();
    old.setDatabaseName(QString());
    old.setTableName(path);
    old.setReadOnly(true); // only read, so a read-only old file converts too
    old.open();
    if (!old.findField(QStringLiteral("OB_RGTMAX"))) {
        old.close();
        return Conversion::NotACalculation;
    }

    // Another calculation of the target's name is the user's to give up; the
    // chosen file itself, which did not open, is converted in place.
    const QString targetPath = convertedPath(path);
    const QFileInfo targetInfo(targetPath);
    if (replace && (targetInfo.exists() || targetInfo.isSymLink())
        && targetInfo.canonicalFilePath() != QFileInfo(path).canonicalFilePath() && !replace(targetPath)) {
        old.close();
        return Conversion::Declined;
    }

    // A fresh copy of the supplied template for every conversion: the fields the
    // old file lacks get the template's values, and the template stays as shipped.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1").arg(scratch.path()));
    const QString templatePath = QDir(dataDir).filePath(QStringLiteral("trec.dbf"));
    const QString work = scratch.filePath(QStringLiteral("trec.dbf"));
    copyFileWithDate(templatePath, work);

    rec.close();
    const QString recFolder = rec.databaseName();
    const QString recName = rec.tableName();
    rec.setDatabaseName(QString());
    rec.setTableName(work);
    try {
        rec.open();
        if (rec.active()) {
            rec.first();
            rec.edit();
            for (int i = 0; i < rec.fieldCount(); ++i) {
                DbfField *to = rec.field(i);
                const DbfField *from = old.findField(to->name());
                if (!from)
                    continue;
                switch (to->kind()) {
                case FieldKind::String: to->setValue(from->asString()); break;
                case FieldKind::Float: to->setValue(from->asFloat()); break;
                case FieldKind::Integer: to->setValue(from->asInteger()); break;
                case FieldKind::SmallInt: to->setValue(from->value()); break;
                case FieldKind::Boolean: to->setValue(from->asBoolean()); break;
                default: break; // dates keep the template's value
                }
            }
            rec.post();
            rec.first();
        }
        old.close();
        rec.close();
    } catch (...) {
        old.close();
        if (rec.active()) {
            rec.cancel();
            rec.close();
        }
        rec.setDatabaseName(recFolder);
        rec.setTableName(recName);
        throw;
    }
    rec.setDatabaseName(recFolder);
    rec.setTableName(recName);

    *target = targetPath;
    copyFileWithDate(work, *target);
    return QFileInfo::exists(*target) ? Conversion::Converted : Conversion::Failed;
}

} // namespace kvor
