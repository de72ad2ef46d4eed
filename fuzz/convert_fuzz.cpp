// libFuzzer target: arbitrary bytes as an old calculation file handed to the
// conversion with the shipped template "trec.dbf". Failures must be DbfError;
// a converted file must open as a calculation and read back without errors,
// and the template must stay as shipped.

#include "fuzzinput.h"
#include "storage/calcfiles.h"
#include "storage/dbferror.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"
#include "storage/tabledefs.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace kvor;

namespace {

QByteArray fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        std::abort();
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

struct Session {
    QTemporaryDir dir;
    ReferenceTables dm; // no window: the steps that need one are skipped
    QString dataDir = QStringLiteral(KVOR_FUZZ_DATA_DIR);
    QString templatePath;
    QByteArray templateHash;
    QString oldPath;
    QString targetPath;

    Session()
    {
        if (!dir.isValid())
            std::abort();
        templatePath = QDir(dataDir).filePath(QStringLiteral("trec.dbf"));
        templateHash = fileHash(templatePath);
        oldPath = dir.filePath(QStringLiteral("old.dbf"));
        targetPath = dir.filePath(QStringLiteral("old.kvor"));
        dm.taRec.setDatabaseName(dataDir);
    }
};

Session &session()
{
    static Session s;
    return s;
}

[[noreturn]] void fail(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "convert_fuzz: %s %s\n", what, detail.toLocal8Bit().constData());
    std::abort();
}

// The converted file is a calculation: it opens with the declared fields and
// every field reads back.
void checkConverted(const QString &path)
{
    DbfTable t;
    t.setTableName(path);
    t.setFieldDefs(TableDefs::workFieldDefs());
    t.setFieldCalculator(&TableDefs::calcWorkFields);
    try {
        t.open();
        if (t.eof())
            fail("converted file has no record");
        for (int i = 0; i < t.fieldCount(); ++i)
            (void)t.field(i)->value();
        t.close();
    } catch (const DbfError &e) {
        fail("converted file does not read back:", e.message());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Session &s = session();
    writeFile(s.oldPath, data, size);
    QFile::remove(s.targetPath);
    QString target;
    CalcFiles::Conversion result = CalcFiles::Conversion::Failed;
    bool converted = false;
    try {
        result = CalcFiles::convert(s.dm, s.dataDir, s.oldPath, &target);
        converted = result == CalcFiles::Conversion::Converted;
    } catch (const DbfError &) {
    }
    if (s.dm.taOld.active() || s.dm.taRec.active())
        fail("conversion left a table open");
    if (s.dm.taRec.tableName() != QLatin1String("trec.dbf") || s.dm.taRec.databaseName() != s.dataDir)
        fail("conversion did not restore the template's table settings");
    if (converted) {
        if (target != s.targetPath)
            fail("unexpected target", target);
        checkConverted(target);
    } else if (result == CalcFiles::Conversion::NotACalculation && QFile::exists(s.targetPath)) {
        fail("a file that is not a calculation was converted");
    }
    if (fileHash(s.templatePath) != s.templateHash)
        fail("the template was changed");
    return 0;
}
