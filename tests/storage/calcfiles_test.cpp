#include "storage/calcfiles.h"
#include "storage/dbferror.h"
#include "tablefixture.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

using namespace kvor;
using namespace kvor::test;

namespace {

QString copyError(const QString &from, const QString &to)
{
    try {
        CalcFiles::copyFileWithDate(from, to);
    } catch (const DbfError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

class CopyFile : public TableTest {};

TEST_F(CopyFile, KeepsTheTimeAndCreatesFolders)
{
    writeFile("src.dbf", "content");
    QFile f(path("src.dbf"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QDateTime when(QDate(2020, 2, 3), QTime(4, 5, 6));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
    f.close();
    const QString target = path("a/b/copy.kvor");
    EXPECT_TRUE(copyError(path("src.dbf"), target).isEmpty());
    EXPECT_EQ(QFileInfo(target).lastModified(), when);
    QFile copy(target);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("content"));
    // A folder as destination takes the source's name.
    EXPECT_TRUE(copyError(path("src.dbf"), path("a")).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(path("a/src.dbf")));
    EXPECT_TRUE(QDir(path("a/b")).entryList(QDir::Files | QDir::Hidden).contains("copy.kvor"));
    EXPECT_EQ(QDir(path("a/b")).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no scratch file left";
}

TEST_F(CopyFile, ErrorsNameTheFile)
{
    EXPECT_EQ(copyError(path("nope.dbf"), path("x.kvor")), "Cannot open file " + path("nope.dbf"));
    writeFile("src.dbf", "new");
    writeFile("locked.kvor", "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path("locked.kvor")).constData(), 0444), 0);
    if (::geteuid() != 0) {
        EXPECT_EQ(copyError(path("src.dbf"), path("locked.kvor")), "Cannot create file " + path("locked.kvor"));
    } else {
        // root writes anywhere; the read-only file is still not unprotected
        EXPECT_TRUE(copyError(path("src.dbf"), path("locked.kvor")).isEmpty());
    }
}

// A copy onto a link writes the file the link names, beside it, and the file
// keeps who may read it: a shared calculation stays shared, a private one private.
TEST_F(CopyFile, ALinkedTargetIsWrittenThroughAndKeepsItsMode)
{
    writeFile("src.dbf", "new");
    QDir().mkpath(path("shared"));
    writeFile("shared/real.kvor", "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path("shared/real.kvor")).constData(), 0600), 0);
    const auto symlink = [this](const char *to, const char *name) {
        return ::symlink(to, QFile::encodeName(path(name)).constData()) == 0;
    };
    ASSERT_TRUE(symlink("shared/real.kvor", "link.kvor"));
    ASSERT_TRUE(symlink("link.kvor", "chain.kvor")); // a link to a link
    ASSERT_TRUE(symlink("shared/later.kvor", "dangling.kvor"));

    const auto isLink = [](const QString &p) {
        struct stat st {};
        return ::lstat(QFile::encodeName(p).constData(), &st) == 0 && S_ISLNK(st.st_mode);
    };
    const auto mode = [](const QString &p) {
        struct stat st {};
        return ::stat(QFile::encodeName(p).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    };
    for (const char *link : {"link.kvor", "chain.kvor"}) {
        SCOPED_TRACE(link);
        writeFile("src.dbf", QByteArray("via ") + link);
        EXPECT_TRUE(copyError(path("src.dbf"), path(link)).isEmpty());
        EXPECT_TRUE(isLink(path(link))) << "the link stays a link";
        EXPECT_EQ(readFile("shared/real.kvor"), QByteArray("via ") + link) << "the shared file is the one written";
        EXPECT_EQ(mode(path("shared/real.kvor")), 0600) << "owner-only stays owner-only";
    }
    writeFile("private.kvor", "mine");
    ASSERT_EQ(::chmod(QFile::encodeName(path("private.kvor")).constData(), 0600), 0);
    EXPECT_TRUE(copyError(path("src.dbf"), path("private.kvor")).isEmpty());
    EXPECT_EQ(readFile("private.kvor"), readFile("src.dbf"));
    EXPECT_EQ(mode(path("private.kvor")), 0600) << "a plain private file stays private";
    EXPECT_TRUE(copyError(path("src.dbf"), path("dangling.kvor")).isEmpty());
    EXPECT_TRUE(isLink(path("dangling.kvor")));
    EXPECT_TRUE(QFileInfo::exists(path("shared/later.kvor"))) << "a link to no file yet gets its file";
    EXPECT_EQ(QDir(path("shared")).entryList(QDir::Files | QDir::Hidden), QStringList({"later.kvor", "real.kvor"}))
        << "no scratch file left beside the target";
}
