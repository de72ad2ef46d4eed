// libFuzzer target: arbitrary bytes as a filter expression over a small table.
// Parsing, the filter pass and walking the matches must fail only with DbfError.

#include "storage/dbferror.h"
#include "storage/dbftable.h"

#include <QDate>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace kvor;

namespace {

// One table for the whole run: text, numbers with and without decimals, a
// flag and a date, with a blank record and a deleted one.
DbfTable &table()
{
    static QTemporaryDir dir;
    static std::unique_ptr<DbfTable> t = [] {
        if (!dir.isValid())
            std::abort();
        const QString path = dir.filePath(QStringLiteral("filter.dbf"));
        try {
            DbfTable::create(path, {
                                       {"NAME", 'C', 12, 0},
                                       {"TIP", 'C', 20, 0},
                                       {"Q25", 'N', 8, 0},
                                       {"VO", 'N', 2, 0},
                                       {"T25", 'N', 6, 1},
                                       {"PRICE", 'N', 12, 2},
                                       {"ACT", 'L', 1, 0},
                                       {"DT", 'D', 8, 0},
                                   });
            auto table = std::make_unique<DbfTable>();
            table->setTableName(path);
            table->open();
            struct Row {
                const char *name;
                const char *tip;
                int q25;
                int vo;
                double t25;
                double price;
                bool act;
                QDate dt;
            };
            const Row rows[] = {
                {"abc", "Мясне", 4999, 1, 7.0, 100.5, true, QDate(2025, 3, 15)},
                {"abcbc", "мясне", 5000, 1, 6.9, -0.25, false, QDate(2024, 12, 31)},
                {"xabc", "Рыба", 9000, 0, -2.5, 0, true, QDate()},
                {"ab*", "Овочi", 9001, 1, -10.5, 12345678.9, false, QDate(2026, 1, 1)},
                {"Ёлка", "Iнше", 7000, 1, 0.05, -1, true, QDate(2000, 2, 29)},
                {"", "", 0, 0, 0, 0, false, QDate()},
            };
            for (const Row &r : rows) {
                table->append();
                if (*r.name)
                    table->setValue(QStringLiteral("NAME"), QString::fromUtf8(r.name));
                if (*r.tip)
                    table->setValue(QStringLiteral("TIP"), QString::fromUtf8(r.tip));
                table->setValue(QStringLiteral("Q25"), r.q25);
                table->setValue(QStringLiteral("VO"), r.vo);
                table->setValue(QStringLiteral("T25"), r.t25);
                table->setValue(QStringLiteral("PRICE"), r.price);
                table->setValue(QStringLiteral("ACT"), r.act);
                if (r.dt.isValid())
                    table->setValue(QStringLiteral("DT"), r.dt);
                table->post();
            }
            table->goToRecord(2);
            table->deleteRecord();
            return table;
        } catch (const DbfError &) {
            std::abort(); // the fixture itself must build
        }
    }();
    return *t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DbfTable &t = table();
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        t.setFilter(text);
        t.setFiltered(true);
        int steps = 0;
        for (t.first(); !t.eof(); t.next()) {
            if (++steps > 100)
                std::abort(); // more steps than records: navigation is broken
        }
    } catch (const DbfError &) {
    }
    try {
        t.setFiltered(false);
    } catch (const DbfError &) {
    }
    return 0;
}
