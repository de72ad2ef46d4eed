#pragma once

// Small reference tables and a calculation record made afresh for each test.

#include "calc/balancesource.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"
#include "storage/tabledefs.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace kvor {

using Row = std::vector<QVariant>;

class SourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        make("s_mater.DBF", {{"M_NAIM", 'C', 20, 0}, {"M_KTP", 'N', 8, 3}},
             {{"Цегла", 0.7}, {"Сэндвич-панель ППУ", 0.5}, {"Бетон", 1.5}});
        make("s_izolm.DBF", {{"IZ_NAIM", 'C', 20, 0}, {"IZ_KTP", 'N', 8, 3}},
             {{"Мінвата", 0.05}, {"Пенополиуретан", 0.04}});
        make("products.DBF",
             {{"TIP", 'C', 15, 0}, {"NAIM", 'C', 20, 0}, {"TZAM", 'N', 6, 1}, {"CP1", 'N', 6, 2}, {"CP2", 'N', 6, 2},
              {"LSKR", 'N', 7, 1}, {"Q1", 'N', 8, 1}, {"Q2", 'N', 8, 1}, {"Q3", 'N', 8, 1}},
             {{"Мясне", "Говядина", -1.2, 3.2, 1.8, 230, 0, 0, 0},
              {"Мясне", "Куры", -2, 3.3, 1.8, 247, 0, 0, 0},
              {"Овочi", "Капуста", -0.9, 3.9, 1.9, 290, 10, 15, 25}});
        make("s_tara.DBF", {{"NAIM", 'C', 20, 0}, {"SP", 'N', 6, 2}}, {{"Дерево", 2.5}, {"Картон", 1.5}});
        make("s_int.DBF",
             {{"TEMVOZD", 'N', 4, 0}, {"VL50", 'N', 8, 2}, {"VL85", 'N', 8, 2}, {"VL90", 'N', 8, 2}, {"QP", 'N', 6, 0}},
             {{-20, -19.3, -18.8, -18.7, 392}, {0, 4.7, 8.0, 8.5, 272}, {30, 64.2, 88.9, 92.5, 120}});

        for (DbfTable *t : {&dm.taMater, &dm.taIzolm, &dm.taProd, &dm.taTara, &dm.taInt}) {
            t->setDatabaseName(m_dir.path());
            t->open();
        }

        const QString work = m_dir.filePath("calc.kvor");
        DbfTable::create(work, TableDefs::workFileColumns());
        {
            DbfTable t;
            t.setTableName(work);
            t.open();
            t.append();
            t.setValue("OB_TERMR", "Хранение");
            t.setValue("OB_KAMDL", 6.0);
            t.setValue("OB_KAMSH", 4.0);
            t.setValue("OB_KAMVS", 3.0);
            t.setValue("OB_TEMKAM", -18);
            t.setValue("TE_PTIP", "Куры");
            t.setValue("TE_TTIP", "картон");
            for (int i = 1; i <= 6; ++i) {
                t.setValue(QStringLiteral("ST_M%1").arg(i), "Цегла");
                t.setValue(QStringLiteral("ST_IZ%1").arg(i), "Мінвата");
            }
            t.post();
        }
        dm.taWork.setTableName(work);
        dm.taWork.open();
        dm.taProd.first();
    }

    void make(const char *name, const std::vector<DbfColumn> &columns, const std::vector<Row> &rows)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        DbfTable::create(path, columns);
        DbfTable t;
        t.setTableName(path);
        t.open();
        for (const Row &r : rows) {
            t.append();
            for (size_t i = 0; i < r.size(); ++i)
                t.setValue(columns[i].name, r[i]);
            t.post();
        }
    }

    void setWork(const std::function<void(DbfTable &)> &change)
    {
        dm.taWork.edit();
        change(dm.taWork);
        dm.taWork.post();
    }

    CalcInputs gather(const std::array<bool, 9> &include = {true, true, true, true, true, true, true, true, true})
    {
        return BalanceSource::gather(dm, include);
    }

    QTemporaryDir m_dir;
    ReferenceTables dm;
};

} // namespace kvor
