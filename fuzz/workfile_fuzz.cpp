// libFuzzer target: arbitrary bytes as a calculation file opened into `taWork`
// of the data module, with its declared fields and its after-open step. Then
// what opening a file runs (the input rules and a heat-balance run), reading
// every field, editing and posting one field, and closing, which writes the
// include flags. Everything must fail only with DbfError.

#include "fuzzinput.h"
#include "calc/balancesource.h"
#include "calc/heatbalance.h"
#include "calc/recordrules.h"
#include "storage/dbferror.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"

#include <QDate>
#include <QFile>
#include <QSignalBlocker>
#include <QTemporaryDir>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace kvor;

namespace {

// The main window as the open step sees it: the mode selector runs its rule,
// everything else is remembered.
class Host : public ReferenceTablesHost {
public:
    explicit Host(ReferenceTables &dm) : m_dm(dm) {}

    void setProcessingModeItem(int item) override
    {
        if (item == m_modeItem)
            return;
        m_modeItem = item;
        RecordRules::processingMode(m_dm, item);
    }
    void setProductCategoryText(const QString &text) override { m_category = text; }
    void setExecutorItems(const QStringList &names) override { m_executors = names; }
    void setIncludeBoxes(const std::array<bool, 9> &checked) override { m_boxes = checked; }
    std::array<bool, 9> includeBoxes() const override { return m_boxes; }
    void settingsOpened(const QString &) override {}

    const QString &category() const { return m_category; }
    void reset()
    {
        m_modeItem = 0;
        m_category.clear();
        m_executors.clear();
        m_boxes.fill(true);
    }
    // Each input toggles a few boxes so closing writes a changed record.
    void flipBoxes(uint8_t mask)
    {
        for (size_t i = 0; i < 8; ++i)
            if (mask & (1u << i))
                m_boxes[i] = !m_boxes[i];
    }

private:
    ReferenceTables &m_dm;
    int m_modeItem = 0;
    QString m_category;
    QStringList m_executors;
    std::array<bool, 9> m_boxes{};
};

struct Session {
    QTemporaryDir dir;
    ReferenceTables dm;
    Host host{dm};
    QString path;

    Session()
    {
        if (!dir.isValid())
            std::abort();
        path = dir.filePath(QStringLiteral("fuzz.kvor"));
        dm.setHost(&host);
        const QString data = QStringLiteral(KVOR_FUZZ_DATA_DIR);
        try {
            for (DbfTable *t :
                 {&dm.taMater, &dm.taIzolm, &dm.taInt, &dm.taProd, &dm.taTara, &dm.taIsp, &dm.taGrups}) {
                t->setDatabaseName(data);
                t->setReadOnly(true);
                t->open();
            }
        } catch (const DbfError &) {
            std::abort(); // the shipped tables must open
        }
    }
};

Session &session()
{
    static Session s;
    return s;
}

void readField(const DbfField &f)
{
    try {
        (void)f.value();
        (void)f.isNull();
        (void)f.asString();
        switch (f.kind()) {
        case FieldKind::Boolean: (void)f.asBoolean(); break;
        case FieldKind::Date: (void)f.asDate(); break;
        case FieldKind::SmallInt:
        case FieldKind::Integer:
        case FieldKind::Float:
            (void)f.asFloat();
            (void)f.asInteger();
            break;
        default: break;
        }
    } catch (const DbfError &) {
    }
}

// The Open command's follow-up and one recalculation over the record.
void runOpenRules(Session &s)
{
    ReferenceTables &dm = s.dm;
    try {
        RecordRules::checkBoxes(dm);
        RecordRules::productCategory(dm, s.host.category());
        RecordRules::productConsistency(dm);
    } catch (const DbfError &) {
    }
    try {
        const HeatBalance balance = computeHeatBalance(BalanceSource::gather(dm, s.host.includeBoxes()));
        QString error;
        (void)BalanceSource::apply(dm, balance, [](const CalcOutput &o) { (void)o.text.size(); }, &error);
    } catch (const DbfError &) {
    }
}

void editOneField(DbfTable &t, uint8_t pick, uint8_t variant)
{
    if (t.fieldCount() == 0)
        return;
    DbfField *f = t.field(pick % t.fieldCount());
    static const double numbers[] = {0.0, -1.0, 3.2, 0.4, 1e9, -273.15, 2147483647.0, 1e300};
    static const char *const texts[] = {"Хранение", "Охлаждение", "", "Мясо", "Ї zz", "x"};
    try {
        t.first();
        t.edit();
        switch (f->kind()) {
        case FieldKind::String:
            f->setValue(QString::fromUtf8(texts[variant % std::size(texts)]).repeated(1 + variant / 64));
            break;
        case FieldKind::SmallInt:
        case FieldKind::Integer:
        case FieldKind::Float: f->setValue(numbers[variant % std::size(numbers)]); break;
        case FieldKind::Boolean: f->setValue(bool(variant & 1)); break;
        case FieldKind::Date: f->setValue(variant & 1 ? QDate(2025, 5, 1) : QDate()); break;
        default: break;
        }
        t.post();
        for (int i = 0; i < t.fieldCount(); ++i)
            readField(*t.field(i));
    } catch (const DbfError &) {
        try {
            t.cancel();
        } catch (const DbfError &) {
        }
    }
}

void closeWork(DbfTable &t)
{
    try {
        t.close();
    } catch (const DbfError &) {
    }
    if (!t.active())
        return;
    // A before-close step that cannot write keeps the table open; let the
    // next input start from a closed table.
    try {
        const QSignalBlocker withoutBeforeCloseStep(&t);
        t.cancel();
        t.close();
    } catch (const DbfError &) {
    }
    if (t.active())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Session &s = session();
    writeFile(s.path, data, size);
    s.host.reset();
    DbfTable &work = s.dm.taWork;
    work.setDatabaseName(QString());
    work.setTableName(s.path);
    try {
        work.open();
    } catch (const DbfError &) {
        if (work.active())
            std::abort(); // a failed open leaves the table closed
        return 0;
    }
    runOpenRules(s);
    for (int i = 0; i < work.fieldCount(); ++i)
        readField(*work.field(i));
    const uint8_t pick = size > 0 ? data[size - 1] : 0;
    const uint8_t variant = size > 1 ? data[size - 2] : 0;
    editOneField(work, pick, variant);
    s.host.flipBoxes(pick ^ variant);
    closeWork(work);
    return 0;
}
