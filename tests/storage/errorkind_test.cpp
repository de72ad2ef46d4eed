#include "storage/calcfiles.h"
#include "storage/dbftable.h"
#include "tablefixture.h"

#include <QDir>

#include <functional>

using namespace kvor;
using namespace kvor::test;

namespace {

using Kind = DbfError::Kind;

// Each row: something a caller does wrong or meets on disk, and the kind it must be told.
struct BadInput {
    const char *name;
    std::function<void(const QString &folder)> action;
    Kind kind;
};

DbfTable *openIn(DbfTable &t, const QString &folder, const QString &name = QStringLiteral("t.dbf"))
{
    t.setDatabaseName(folder);
    t.setTableName(name);
    t.open();
    return &t;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

const BadInput kBadInputs[] = {
    {"MissingFile", [](const QString &d) { DbfTable t; openIn(t, d, "none.dbf"); }, Kind::NotFound},
    {"FolderInsteadOfFile",
     [](const QString &d) {
         QDir(d).mkdir("dir.dbf");
         DbfTable t;
         openIn(t, d, "dir.dbf");
     },
     Kind::CannotOpen},
    {"NotATable",
     [](const QString &d) {
         writeBytes(d + "/text.dbf", "just some text, not a table at all");
         DbfTable t;
         openIn(t, d, "text.dbf");
     },
     Kind::Damaged},
    {"DeclaredFieldMissingFromFile",
     [](const QString &d) {
         DbfTable t;
         t.setFieldDefs({{"NAME", FieldKind::String, 10}, {"NOPE", FieldKind::Float}});
         openIn(t, d);
     },
     Kind::FieldNotFound},
    {"DeclaredFieldOfAnotherType",
     [](const QString &d) {
         DbfTable t;
         t.setFieldDefs({{"NAME", FieldKind::Float}});
         openIn(t, d);
     },
     Kind::Damaged},
    {"StoredNumberThatIsNot",
     [](const QString &d) {
         writeBytes(d + "/bad.dbf", tableBytes({fieldDescriptor("QTY", 'N', 3)}, {QByteArray(" abc")}));
         DbfTable t;
         openIn(t, d, "bad.dbf")->field(0)->asFloat();
     },
     Kind::Damaged},
    {"UnknownFieldName", [](const QString &d) { DbfTable t; openIn(t, d)->fieldByName("NOPE"); },
     Kind::FieldNotFound},
    {"FilterOnUnknownField",
     [](const QString &d) {
         DbfTable t;
         openIn(t, d)->setFilter("NOPE = 1");
         t.setFiltered(true);
     },
     Kind::FieldNotFound},
    {"FilterThatDoesNotParse",
     [](const QString &d) {
         DbfTable t;
         openIn(t, d)->setFilter("QTY >");
         t.setFiltered(true);
     },
     Kind::InvalidValue},
    {"EditOfReadOnlyTable",
     [](const QString &d) {
         DbfTable t;
         t.setReadOnly(true);
         openIn(t, d)->edit();
     },
     Kind::ReadOnly},
    {"CalculatedFieldOutsideItsCalculator",
     [](const QString &d) {
         DbfTable t;
         t.setFieldDefs({{"NAME", FieldKind::String, 10}, {"CALC", FieldKind::Float, 0, true}});
         openIn(t, d)->edit();
         t.setValue("CALC", 1.0);
     },
     Kind::ReadOnly},
    {"RecordHeldByAnotherUser",
     [](const QString &d) {
         DbfTable first, second;
         openIn(first, d)->edit();
         openIn(second, d)->edit();
     },
     Kind::Locked},
    {"TextIntoNumber",
     [](const QString &d) {
         DbfTable t;
         openIn(t, d)->edit();
         t.setValue("QTY", "many");
     },
     Kind::InvalidValue},
    {"NumberTooLargeForField",
     [](const QString &d) {
         DbfTable t;
         openIn(t, d)->edit();
         t.setValue("QTY", 12345);
     },
     Kind::InvalidValue},
    {"TableWithoutFields", [](const QString &d) { DbfTable::create(d + "/empty.dbf", {}); }, Kind::InvalidValue},
    {"TableInMissingFolder",
     [](const QString &d) { DbfTable::create(d + "/no/such/folder/t.dbf", {{"A", 'C', 1}}); }, Kind::CannotCreate},
    {"PostOnClosedTable", [](const QString &) { DbfTable().post(); }, Kind::Other},
    {"CopyOfMissingFile", [](const QString &d) { CalcFiles::copyFileWithDate(d + "/none.kvor", d + "/copy.kvor"); },
     Kind::CannotOpen},
};

class ErrorKinds : public TableTest, public ::testing::WithParamInterface<BadInput> {
protected:
    void SetUp() override
    {
        DbfTable::create(path("t.dbf"), {{"NAME", 'C', 10}, {"QTY", 'N', 3}});
        DbfTable t;
        openTable(t, "t.dbf");
        t.append();
        t.setValue("NAME", "a");
        t.post();
    }
};

} // namespace

TEST_P(ErrorKinds, CallersCanTellWhatWentWrong)
{
    try {
        GetParam().action(m_dir.path());
    } catch (const DbfError &e) {
        EXPECT_EQ(e.kind(), GetParam().kind) << e.message().toStdString();
        EXPECT_FALSE(e.message().isEmpty());
        return;
    }
    ADD_FAILURE() << "no error";
}

INSTANTIATE_TEST_SUITE_P(BadInputs, ErrorKinds, ::testing::ValuesIn(kBadInputs),
                         [](const ::testing::TestParamInfo<BadInput> &info) { return std::string(info.param.name); });
