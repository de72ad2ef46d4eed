// Calculation files when the system says no: a full disk, a file made
// read-only, deleted or replaced while open, a second process on the same
// record, and the program killed half-way through writing. In every case the
// user hears why and the file on disk still opens with its last good record.

#include "faultfixture.h"
#include "storage/calcfiles.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"
#include "storage/tabledefs.h"
#include "tablefixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <csignal>
#include <random>

#include <sys/stat.h>

using namespace kvor;
using namespace kvor::test;

namespace {

QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const DbfError &e) {
        return e.message();
    }
    return QString();
}

// A calculation file with a chamber of 6 × 4 × 3 m and a client name.
void makeCalculation(const QString &path, double length = 6)
{
    DbfTable::create(path, TableDefs::workFileColumns());
    DbfTable t;
    t.setTableName(path);
    t.open();
    t.append();
    t.setValue(QStringLiteral("OB_KAMDL"), length);
    t.setValue(QStringLiteral("OB_KAMSH"), 4);
    t.setValue(QStringLiteral("OB_KAMVS"), 3);
    t.setValue(QStringLiteral("KL_NAIM"), QStringLiteral("Клієнт"));
    t.setValue(QStringLiteral("OB_RGTMAX"), 30);
    t.post();
}

// The table as the data module declares `taWork`.
void openWork(DbfTable &t, const QString &path)
{
    t.setFieldDefs(TableDefs::workFieldDefs());
    t.setFieldCalculator(&TableDefs::calcWorkFields);
    t.setTableName(path);
    t.open();
}

// Whether `path` opens as a calculation file; its chamber length when it does.
bool opensAsCalculation(const QString &path, double *length = nullptr, qint64 *records = nullptr)
{
    DbfTable t;
    try {
        openWork(t, path);
    } catch (const DbfError &) {
        return false;
    }
    if (length)
        *length = t.value(QStringLiteral("OB_KAMDL")).toDouble();
    if (records)
        *records = t.recordCount();
    return true;
}

class Faults : public TableTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        calc = path("calc.kvor");
        makeCalculation(calc);
    }
    QString calc;
};

} // namespace

// ---------------------------------------------------------------- full disk

TEST_F(Faults, AnEditThatCannotBeWrittenLeavesTheFileAndKeepsTheInput)
{
    const QByteArray before = readFile("calc.kvor");
    DbfTable t;
    openWork(t, calc);
    t.edit();
    t.setValue("OB_KAMDL", 7.5);
    t.setValue("KL_PRIM", QStringLiteral("примітка"));
    {
        // The disk fills half-way through the record.
        FileSizeLimit full(t.headerLength() + t.recordLength() / 2);
        ASSERT_TRUE(full.ok());
        const QString err = errorOf([&] { t.post(); });
        EXPECT_TRUE(err.startsWith("Cannot write to file " + calc + ": ")) << qPrintable(err);
        EXPECT_EQ(readFile("calc.kvor"), before) << "the half-written record was taken back";
        EXPECT_EQ(t.state(), DbfTable::State::Edit);
        EXPECT_DOUBLE_EQ(t.value("OB_KAMDL").toDouble(), 7.5) << "the input waits to be written";
        EXPECT_DOUBLE_EQ(t.value("ob_kamv").toDouble(), 90.0);
    }
    // Space freed: the same post goes through.
    EXPECT_TRUE(errorOf([&] { t.post(); }).isEmpty());
    double length = 0;
    ASSERT_TRUE(opensAsCalculation(calc, &length));
    EXPECT_DOUBLE_EQ(length, 7.5);
}

TEST_F(Faults, AnAppendCutShortIsTakenBack)
{
    const QByteArray before = readFile("calc.kvor");
    DbfTable t;
    openWork(t, calc);
    t.append();
    t.setValue("OB_KAMDL", 9);
    {
        FileSizeLimit full(before.size() + t.recordLength() / 2);
        ASSERT_TRUE(full.ok());
        EXPECT_TRUE(errorOf([&] { t.post(); }).startsWith("Cannot write to file "));
        EXPECT_EQ(readFile("calc.kvor"), before) << "no partial record is left at the end";
        EXPECT_EQ(t.state(), DbfTable::State::Insert);
        EXPECT_EQ(t.recordCount(), 1);
    }
    t.post();
    EXPECT_EQ(t.recordCount(), 2);
    qint64 records = 0;
    double length = 0;
    ASSERT_TRUE(opensAsCalculation(calc, &length, &records));
    EXPECT_EQ(records, 2);
    EXPECT_DOUBLE_EQ(length, 6.0) << "the first record is the one it always was";
}

TEST_F(Faults, ADeletionThatCannotBeWrittenLeavesTheRecordLive)
{
    const QByteArray before = readFile("calc.kvor");
    DbfTable t;
    openWork(t, calc);
    {
        FileSizeLimit full(t.headerLength());
        ASSERT_TRUE(full.ok());
        EXPECT_EQ(errorOf([&] { t.deleteRecord(); }), "Cannot delete the record");
    }
    EXPECT_EQ(readFile("calc.kvor"), before);
    EXPECT_FALSE(t.isDeleted());
    t.first();
    EXPECT_FALSE(t.eof());
    EXPECT_DOUBLE_EQ(t.value("OB_KAMDL").toDouble(), 6.0);
}

TEST_F(Faults, ACopyCutShortLeavesTheTargetAsItWas)
{
    QByteArray big(200 * 1024, '\0');
    for (int i = 0; i < big.size(); ++i)
        big[i] = char(i * 7);
    writeFile("big.kvor", big);
    writeFile("old.kvor", "old contents");
    const QDateTime oldTime = QFileInfo(path("old.kvor")).lastModified();

    // In a process of its own, as one that never opened a table: the limit must
    // give an error, not end the process.
    const int status = inChild([&] {
        std::signal(SIGXFSZ, SIG_DFL);
        FileSizeLimit full(100 * 1024);
        if (!full.ok())
            return 10;
        for (const char *target : {"old.kvor", "new.kvor"}) {
            try {
                CalcFiles::copyFileWithDate(path("big.kvor"), path(target));
                return 11;
            } catch (const DbfError &e) {
                if (e.kind() != DbfError::Kind::WriteFailed)
                    return 12;
            }
        }
        return 0;
    });
    EXPECT_EQ(status, 0) << (status == 100 + SIGXFSZ ? "killed by the file-size signal" : "");
    EXPECT_EQ(readFile("old.kvor"), QByteArray("old contents"));
    EXPECT_EQ(QFileInfo(path("old.kvor")).lastModified(), oldTime);
    EXPECT_FALSE(QFileInfo::exists(path("new.kvor"))) << "nothing is created";
    const QStringList left = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList({"big.kvor", "calc.kvor", "old.kvor"})) << "no scratch file left";
}

// ---------------------------------------------------------------- changed under the program

TEST_F(Faults, AReadOnlyFileIsRefusedOnlyWhereItWouldBeWritten)
{
    const QByteArray before = readFile("calc.kvor");
    ASSERT_EQ(::chmod(QFile::encodeName(calc).constData(), 0444), 0);
    PermissionsApply permissions;
    ASSERT_TRUE(permissions.effective());

    DbfTable t;
    const QString err = errorOf([&] { openWork(t, calc); });
    EXPECT_TRUE(err.startsWith("Cannot open file " + calc + ": ")) << qPrintable(err);
    EXPECT_FALSE(t.active());

    DbfTable reader;
    reader.setReadOnly(true);
    EXPECT_TRUE(errorOf([&] { openWork(reader, calc); }).isEmpty());
    EXPECT_DOUBLE_EQ(reader.value("OB_KAMDL").toDouble(), 6.0);
    EXPECT_EQ(errorOf([&] { reader.edit(); }), "Cannot modify a read-only dataset");

    // A copy onto it keeps it. The check asks with the real user's rights, so a
    // real ordinary user makes it.
    writeFile("other.kvor", "other");
    ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0777), 0);
    const int status = inChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 10;
        const QString err = errorOf([&] { CalcFiles::copyFileWithDate(path("other.kvor"), calc); });
        return err == "Cannot create file " + calc ? 0 : 11;
    });
    EXPECT_EQ(status, 0);
    // A copy into a folder that takes no files creates nothing.
    QDir().mkpath(path("closed"));
    ASSERT_EQ(::chmod(QFile::encodeName(path("closed")).constData(), 0555), 0);
    EXPECT_EQ(errorOf([&] { CalcFiles::copyFileWithDate(path("other.kvor"), path("closed/x.kvor")); }),
              "Cannot create file " + path("closed/x.kvor"));
    EXPECT_FALSE(QFileInfo::exists(path("closed/x.kvor")));
    EXPECT_EQ(readFile("calc.kvor"), before);
    ::chmod(QFile::encodeName(path("closed")).constData(), 0755);
}

// A conversion only reads the old file, so a read-only one converts, and the
// converted file beside it is the user's to write.
TEST_F(Faults, AReadOnlyOldFileIsConverted)
{
    const QString data = path("DATA");
    QDir().mkpath(data);
    makeCalculation(QDir(data).filePath("trec.dbf"), 1);
    DbfTable::create(path("old.dbf"), {{"OB_RGTMAX", 'N', 4}, {"OB_KAMDL", 'N', 9, 3}});
    {
        DbfTable t;
        t.setTableName(path("old.dbf"));
        t.open();
        t.append();
        t.setValue("OB_RGTMAX", 30);
        t.setValue("OB_KAMDL", 7.5);
        t.post();
    }
    const QByteArray before = readFile("old.dbf");
    ASSERT_EQ(::chmod(QFile::encodeName(path("old.dbf")).constData(), 0444), 0);
    PermissionsApply permissions;
    ASSERT_TRUE(permissions.effective());

    ReferenceTables dm;
    QString target;
    CalcFiles::Conversion result = CalcFiles::Conversion::Failed;
    const QString err = errorOf([&] { result = CalcFiles::convert(dm, data, path("old.dbf"), &target); });
    EXPECT_TRUE(err.isEmpty()) << qPrintable(err);
    EXPECT_EQ(result, CalcFiles::Conversion::Converted);
    EXPECT_EQ(target, path("old.kvor")) << qPrintable(target);
    double length = 0;
    EXPECT_TRUE(opensAsCalculation(path("old.kvor"), &length));
    EXPECT_DOUBLE_EQ(length, 7.5);
    EXPECT_EQ(readFile("old.dbf"), before);
    EXPECT_FALSE(dm.taOld.active());
}

TEST_F(Faults, AFileMadeReadOnlyWhileOpenStillTakesThePost)
{
    PermissionsApply permissions;
    ASSERT_TRUE(permissions.effective());
    DbfTable t;
    openWork(t, calc);
    ASSERT_EQ(::chmod(QFile::encodeName(calc).constData(), 0444), 0);
    t.edit();
    t.setValue("OB_KAMDL", 8);
    EXPECT_TRUE(errorOf([&] { t.post(); }).isEmpty()) << "it was opened for writing";
    t.close();
    DbfTable reader;
    reader.setReadOnly(true);
    openWork(reader, calc);
    EXPECT_DOUBLE_EQ(reader.value("OB_KAMDL").toDouble(), 8.0);
}

TEST_F(Faults, AFileDeletedWhileOpenIsWrittenBackWhenClosed)
{
    DbfTable t;
    openWork(t, calc);
    ASSERT_TRUE(QFile::remove(calc));
    t.edit();
    t.setValue("OB_KAMDL", 11);
    EXPECT_TRUE(errorOf([&] { t.post(); }).isEmpty());
    t.close();
    double length = 0;
    ASSERT_TRUE(opensAsCalculation(calc, &length)) << "the calculation is back at its path";
    EXPECT_DOUBLE_EQ(length, 11.0);

    // Without a Close, as when the program ends: the same.
    {
        DbfTable u;
        openWork(u, calc);
        ASSERT_TRUE(QFile::remove(calc));
        u.edit();
        u.setValue("OB_KAMDL", 12);
        u.post();
    }
    ASSERT_TRUE(opensAsCalculation(calc, &length));
    EXPECT_DOUBLE_EQ(length, 12.0);

    // A table that wrote nothing leaves the deletion be; so does a read-only one.
    for (bool readOnly : {false, true}) {
        makeCalculation(calc);
        {
            DbfTable u;
            u.setReadOnly(readOnly);
            openWork(u, calc);
            ASSERT_TRUE(QFile::remove(calc));
            u.close();
        }
        EXPECT_FALSE(QFileInfo::exists(calc)) << readOnly;
    }
}

TEST_F(Faults, AFileReplacedWhileOpenKeepsTheReplacementAndSavesOursBesideIt)
{
    // Another program (or another Kvor's Save) puts a new file in its place.
    DbfTable t;
    openWork(t, calc);
    makeCalculation(path("replacement.kvor"), 20);
    ASSERT_EQ(::rename(QFile::encodeName(path("replacement.kvor")).constData(), QFile::encodeName(calc).constData()), 0);
    double length = 0;
    ASSERT_TRUE(opensAsCalculation(calc, &length));
    EXPECT_DOUBLE_EQ(length, 20.0);

    // The program posts on; at close neither piece of work is lost.
    t.edit();
    t.setValue("OB_KAMDL", 13);
    t.post();
    try {
        t.close();
        ADD_FAILURE() << "the user is told";
    } catch (const DbfError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("File %1 was replaced by another program; the changes were saved as %1.saved").arg(calc));
    }
    EXPECT_FALSE(t.active());
    ASSERT_TRUE(opensAsCalculation(calc, &length));
    EXPECT_DOUBLE_EQ(length, 20.0) << "the replacement is kept";
    ASSERT_TRUE(opensAsCalculation(calc + ".saved", &length));
    EXPECT_DOUBLE_EQ(length, 13.0) << "and ours beside it";

    // A table that wrote nothing leaves the replacement be and says nothing.
    {
        DbfTable u;
        openWork(u, calc);
        makeCalculation(path("replacement.kvor"), 21);
        ASSERT_EQ(::rename(QFile::encodeName(path("replacement.kvor")).constData(), QFile::encodeName(calc).constData()), 0);
        EXPECT_NO_THROW(u.close());
    }
    ASSERT_TRUE(opensAsCalculation(calc, &length));
    EXPECT_DOUBLE_EQ(length, 21.0);
}

TEST_F(Faults, AFolderRemovedWhileOpenIsReportedAtClose)
{
    QDir().mkpath(path("gone"));
    const QString inner = path("gone/calc.kvor");
    makeCalculation(inner);
    DbfTable t;
    openWork(t, inner);
    ASSERT_TRUE(QDir(path("gone")).removeRecursively());
    t.edit();
    t.setValue("OB_KAMDL", 14);
    t.post();
    EXPECT_EQ(errorOf([&] { t.close(); }), "Cannot create file " + inner);
    EXPECT_FALSE(t.active()) << "the table lets go all the same";
}

// ---------------------------------------------------------------- two processes

TEST_F(Faults, TheSecondEditorOfACalculationIsRefusedAndTheFirstKeepsItsChanges)
{
    int toChild[2], toParent[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(toParent), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        // The first program: edits the chamber and holds the record while the user types.
        char c = 0;
        DbfTable t;
        openWork(t, calc);
        t.edit();
        t.setValue("OB_KAMDL", 15);
        if (write(toParent[1], "E", 1) != 1 || read(toChild[0], &c, 1) != 1)
            _exit(2);
        t.post();
        t.close();
        _exit(write(toParent[1], "P", 1) == 1 ? 0 : 3);
    }
    char c = 0;
    ASSERT_EQ(read(toParent[0], &c, 1), 1);

    // The second program sees the file but cannot change the record, nor write it on close.
    DbfTable t;
    openWork(t, calc);
    EXPECT_EQ(errorOf([&] { t.edit(); }), "Record is locked by another user");
    EXPECT_EQ(t.state(), DbfTable::State::Browse);
    EXPECT_EQ(errorOf([&] { t.setValue("OB_KAMDL", 99); }), "Dataset not in edit or insert mode");
    EXPECT_DOUBLE_EQ(t.value("OB_KAMDL").toDouble(), 6.0);

    ASSERT_EQ(write(toChild[1], "go", 1), 1);
    ASSERT_EQ(read(toParent[0], &c, 1), 1);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    // The first program's change is in the file, and the record is free again.
    t.edit();
    EXPECT_DOUBLE_EQ(t.value("OB_KAMDL").toDouble(), 15.0);
    t.setValue("KL_PRIM", QStringLiteral("second"));
    t.post();
    DbfTable check;
    openWork(check, calc);
    EXPECT_DOUBLE_EQ(check.value("OB_KAMDL").toDouble(), 15.0);
    EXPECT_EQ(check.value("KL_PRIM").toString(), "second");
}

// ---------------------------------------------------------------- killed mid-write

namespace {

// The write end of the pipe on which a forked loop says it is running.
int g_readyFd = -1;
void signalReady()
{
    if (g_readyFd >= 0) {
        [[maybe_unused]] ssize_t n = write(g_readyFd, "r", 1);
        g_readyFd = -1;
    }
}

// Starts `loop` in a child, lets it run for a varying moment, kills it. The
// child says when it has begun so the kill lands inside the loop.
void killDuring(const std::function<void()> &loop, int rounds, const std::function<void(int round)> &check)
{
    std::mt19937 rng(12345);
    for (int round = 0; round < rounds; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        g_readyFd = ready[1];
        const pid_t pid = fork();
        if (pid == 0) {
            close(ready[0]);
            loop();
            _exit(0);
        }
        g_readyFd = -1;
        close(ready[1]);
        char c = 0;
        ASSERT_EQ(read(ready[0], &c, 1), 1) << "round " << round;
        close(ready[0]);
        usleep(useconds_t(rng() % 20000));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the loop ended by itself";
        check(round);
    }
}

} // namespace

class Killed : public Faults {
protected:
    // Runs `body` forever in the child, telling the parent after the first pass.
    static std::function<void()> endlessly(const std::function<void(int)> &body)
    {
        return [body] {
            for (int i = 0;; ++i) {
                body(i);
                if (i == 0)
                    signalReady();
            }
        };
    }
};


TEST_F(Killed, DuringPostsTheFileAlwaysOpensWithOneWholeRecord)
{
    killDuring(
        endlessly([this](int i) {
            DbfTable t;
            openWork(t, calc);
            t.edit();
            t.setValue("OB_KAMDL", i % 2 ? 1111.111 : 2222.222);
            t.setValue("KL_NAIM", i % 2 ? QStringLiteral("непарний") : QStringLiteral("парний"));
            t.post();
        }),
        15, [this](int round) {
            double length = 0;
            qint64 records = 0;
            ASSERT_TRUE(opensAsCalculation(calc, &length, &records)) << "round " << round;
            EXPECT_EQ(records, 1);
            EXPECT_TRUE(length == 6.0 || length == 1111.111 || length == 2222.222) << length;
        });
}

TEST_F(Killed, DuringAppendsEveryRecordLeftIsWhole)
{
    killDuring(
        endlessly([this](int) {
            DbfTable t;
            openWork(t, calc);
            t.append();
            t.setValue("OB_KAMDL", 3333.333);
            t.post();
        }),
        10, [this](int round) {
            DbfTable t;
            ASSERT_TRUE(errorOf([&] { openWork(t, calc); }).isEmpty()) << "round " << round;
            EXPECT_DOUBLE_EQ(t.value("OB_KAMDL").toDouble(), 6.0);
            for (t.next(); !t.eof(); t.next())
                ASSERT_DOUBLE_EQ(t.value("OB_KAMDL").toDouble(), 3333.333) << "record " << t.recNo();
        });
}

TEST_F(Killed, DuringNewAndSaveEveryFileOpensOrIsUntouched)
{
    // New copies the template to the chosen name and opens it; Save posts,
    // closes and copies the calculation to the chosen name, then opens that.
    const QString templ = path("kvor.dbf");
    makeCalculation(templ, 1);
    const QByteArray templateBytes = readFile("kvor.dbf");
    makeCalculation(path("chosen.kvor"), 2);
    killDuring(
        endlessly([&](int i) {
            const QString target = path(i % 2 ? "new.kvor" : "chosen.kvor");
            CalcFiles::copyFileWithDate(templ, target);
            DbfTable t;
            openWork(t, target);
            t.edit();
            t.setValue("OB_KAMDL", 4000 + i % 7);
            t.post();
            t.close();
            CalcFiles::copyFileWithDate(target, path("saved.kvor"));
            openWork(t, path("saved.kvor"));
            t.close();
        }),
        15, [&](int round) {
            EXPECT_EQ(readFile("kvor.dbf"), templateBytes) << "round " << round;
            for (const char *name : {"new.kvor", "chosen.kvor", "saved.kvor"}) {
                if (!QFileInfo::exists(path(name)))
                    continue;
                double length = 0;
                qint64 records = 0;
                ASSERT_TRUE(opensAsCalculation(path(name), &length, &records)) << name << ", round " << round;
                EXPECT_EQ(records, 1) << name;
                EXPECT_TRUE(length == 1 || length == 2 || (length >= 4000 && length < 4007)) << name << ": " << length;
            }
        });
}

TEST_F(Killed, DuringAConversionTheOldFileAndTheTemplateAreUntouched)
{
    const QString data = path("DATA");
    QDir().mkpath(data);
    makeCalculation(QDir(data).filePath("trec.dbf"), 1);
    const QByteArray templateBytes = fileBytes(QDir(data).filePath("trec.dbf"));
    // An old file: the region field and the chamber length, little else.
    DbfTable::create(path("old.dbf"), {{"OB_RGTMAX", 'N', 4}, {"OB_KAMDL", 'N', 9, 3}, {"KL_NAIM", 'C', 40}});
    {
        DbfTable t;
        t.setTableName(path("old.dbf"));
        t.open();
        t.append();
        t.setValue("OB_RGTMAX", 30);
        t.setValue("OB_KAMDL", 5555.555);
        t.post();
    }
    const QByteArray oldBytes = readFile("old.dbf");
    killDuring(
        endlessly([&](int) {
            ReferenceTables dm;
            QString target;
            CalcFiles::convert(dm, data, path("old.dbf"), &target);
        }),
        15, [&](int round) {
            EXPECT_EQ(readFile("old.dbf"), oldBytes) << "round " << round;
            EXPECT_EQ(fileBytes(QDir(data).filePath("trec.dbf")), templateBytes) << "round " << round;
            if (QFileInfo::exists(path("old.kvor"))) {
                double length = 0;
                ASSERT_TRUE(opensAsCalculation(path("old.kvor"), &length)) << "round " << round;
                EXPECT_DOUBLE_EQ(length, 5555.555);
            }
        });
    EXPECT_TRUE(QFileInfo::exists(path("old.kvor"))) << "some conversion finished in all that time";
}
