#include "storage/calcfiles.h"
#include "storage/dbferror.h"
#include "tablefixture.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

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
