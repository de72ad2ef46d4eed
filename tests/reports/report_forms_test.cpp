// The two report forms over real tables: their before-print steps, the title
// block file, the run-time labels and the pages they lay out.

#include "reports/core/calculationreport.h"
#include "reports/core/equipmentlistreport.h"
#include "reports/core/reportdataset.h"
#include "reports/core/reporterror.h"
#include "reports/core/reportlabels.h"
#include "reports/core/reportpage.h"
#include "reports/core/titleblock.h"
#include "config.h"
#include "storage/codepage.h"
#include "storage/dbftable.h"
#include "storage/tabledefs.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <unistd.h>

namespace kvor {
namespace {

QStringList textLines(const ReportPage &page, const char *element)
{
    const auto items = page.itemsOf(QString::fromLatin1(element));
    if (items.size() != 1)
        return {QStringLiteral("<%1 items>").arg(items.size())};
    return items.front()->text.split(QLatin1Char('\n'));
}

QString textOf(const ReportPage &page, const char *element)
{
    const auto items = page.itemsOf(QString::fromLatin1(element));
    return items.size() == 1 ? items.front()->text : QStringLiteral("<%1 items>").arg(items.size());
}

std::vector<PlacedBand> bandsNamed(const ReportPage &page, const char *name)
{
    std::vector<PlacedBand> out;
    for (const PlacedBand &b : page.bands)
        if (b.name == QLatin1String(name))
            out.push_back(b);
    return out;
}

// Runs f with the file-system identity of an unprivileged user, so permission
// bits apply even when the tests run as root.
class Unprivileged {
public:
    Unprivileged()
    {
        if (geteuid() == 0)
            m_old = setfsuid(65534);
    }
    ~Unprivileged()
    {
        if (m_old >= 0)
            setfsuid(uid_t(m_old));
    }

private:
    int m_old = -1;
};

class ReportFormsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_titleDir = m_dir.filePath(QStringLiteral("bin"));
        QDir().mkpath(m_titleDir);
        const QString calc = m_dir.filePath(QStringLiteral("calc.kvor"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(KVOR_DATA_DIR "/kvor.dbf"), calc));
        QFile::setPermissions(calc, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        openWork(work, calc);

        form.setWorkTable(&work);
        form.setLabels(&labels);
        form.setVersionText([] { return QStringLiteral("Версія для перевірки"); });
        form.setTitleFolder(m_titleDir);
    }

    static void openWork(DbfTable &table, const QString &path)
    {
        table.setFieldDefs(TableDefs::workFieldDefs());
        table.setFieldCalculator(&TableDefs::calcWorkFields);
        table.setDatabaseName(QFileInfo(path).absolutePath());
        table.setTableName(QFileInfo(path).fileName());
        table.open();
    }

    void writeTitle(const QByteArray &bytes) const
    {
        QFile f(QDir(m_titleDir).filePath(TitleBlock::fileName()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    // A catalogue of `rows` systems; row i has capacities 1000 * i + 25 ... + 40.
    void makeCatalogue(DbfTable &kat, int rows)
    {
        const QString path = m_dir.filePath(QStringLiteral("kat-25.dbf"));
        DbfTable::create(path, TableDefs::catalogueFileColumns());
        kat.setFieldDefs(TableDefs::catalogueFieldDefs());
        kat.setDatabaseName(m_dir.path());
        kat.setTableName(QStringLiteral("kat-25.dbf"));
        kat.open();
        for (int i = 1; i <= rows; ++i) {
            kat.append();
            kat.setValue(QStringLiteral("SIS"), QStringLiteral("С-%1").arg(i));
            kat.setValue(QStringLiteral("AGR"), QStringLiteral("Агрегат %1").arg(i));
            kat.setValue(QStringLiteral("VOHL"), QStringLiteral("ПО %1").arg(i));
            for (int t : {25, 30, 35, 40}) {
                kat.setValue(QStringLiteral("Q%1").arg(t), 1000 * i + t);
                kat.setValue(QStringLiteral("T%1").arg(t), t / 10.0);
            }
            kat.setValue(QStringLiteral("PPOT"), 1.25);
            kat.setValue(QStringLiteral("IPOT"), 3.5);
            kat.setValue(QStringLiteral("NABOR"), QStringLiteral("М-%1").arg(i));
            kat.setValue(QStringLiteral("SHKAF"), QStringLiteral("Шафа %1").arg(i));
            kat.post();
        }
        kat.first();
    }

    QTemporaryDir m_dir;
    QString m_titleDir;
    DbfTable work;
    ReportLabels labels;
    CalculationReport form;
};

TEST_F(ReportFormsTest, CalculationReportIsOnePageWithItsBands)
{
    labels.setText(QStringLiteral("QRLabel76"), QStringLiteral("1.23"));
    labels.setText(QStringLiteral("QRLabel98"), QStringLiteral("9.87"));
    labels.setText(QStringLiteral("QRLabel79"), QStringLiteral("Ручная"));
    labels.setText(QStringLiteral("NotOnThisReport"), QStringLiteral("x"));

    const std::vector<ReportPage> pages = form.render();
    ASSERT_EQ(pages.size(), 1u);
    const ReportPage &page = pages.front();
    EXPECT_EQ(page.width, 2100);
    EXPECT_EQ(page.height, 2970);
    ASSERT_EQ(page.bands.size(), 3u);
    EXPECT_EQ(page.bands[0], (PlacedBand{QStringLiteral("QRBand1"), 100, 185}));
    EXPECT_EQ(page.bands[1], (PlacedBand{QStringLiteral("QRBand2"), 285, 2371}));
    EXPECT_EQ(page.bands[2].name, QStringLiteral("QRBand3"));
    EXPECT_EQ(page.bands[2].height, 212);
    EXPECT_EQ(page.bands[2].top + page.bands[2].height, 2870); // at the bottom of the printable area

    // Before-print texts, run-time labels and record fields.
    EXPECT_EQ(textOf(page, "QRLabel90"), QDir::toNativeSeparators(work.filePath()));
    EXPECT_TRUE(textOf(page, "QRLabel90").endsWith(QStringLiteral("calc.kvor")));
    EXPECT_EQ(textOf(page, "QRLabel89"), QStringLiteral("Версія для перевірки"));
    EXPECT_EQ(textOf(page, "QRLabel76"), QStringLiteral("1.23"));
    EXPECT_EQ(textOf(page, "QRLabel98"), QStringLiteral("9.87"));
    EXPECT_EQ(textOf(page, "QRLabel79"), QStringLiteral("Ручная"));
    work.first();
    EXPECT_EQ(textOf(page, "QRDBText9"), TableDataSet::formatNumber(work.value(QStringLiteral("OB_KAMDL")).toDouble()));
    EXPECT_EQ(textOf(page, "QRDBText12"), TableDataSet::formatNumber(work.value(QStringLiteral("ob_kamv")).toDouble()));
    EXPECT_EQ(textOf(page, "QRLabel2"), QStringLiteral("Розрахунок теплового балансу холодильної камери"));
    EXPECT_EQ(textOf(page, "QRLabel68"), QStringLiteral("Компресор"));
    // Detail elements sit 28.5 mm down the paper (margin and title band).
    const auto length = page.itemsOf(QStringLiteral("QRDBText9"));
    ASSERT_EQ(length.size(), 1u);
    EXPECT_EQ(length.front()->box.top(), 285 + 32);
    EXPECT_EQ(length.front()->box.left(), 100 + 529);
}

// The page footer is laid out after the one record has been walked; it still
// prints that record, as the title band of the list prints it before the walk.
TEST_F(ReportFormsTest, FooterAndTitleFieldsPrintTheRecord)
{
    work.first();
    work.edit();
    work.setValue(QStringLiteral("KL_NAIM"), QStringLiteral("ТОВ Полюс"));
    work.setValue(QStringLiteral("OB_ISP"), QStringLiteral("Петренко"));
    work.setValue(QStringLiteral("KL_PRIM"), QStringLiteral("склад №2"));
    work.post();

    std::vector<ReportPage> pages = form.render();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(textOf(pages.front(), "QRDBText2"), QStringLiteral("ТОВ Полюс"));
    EXPECT_EQ(textOf(pages.front(), "QRDBText64"), QStringLiteral("Петренко"));
    EXPECT_EQ(textOf(pages.front(), "QRDBText69"), QStringLiteral("склад №2"));

    // Rendered after the calculation report, which left the record walked past.
    DbfTable kat;
    makeCatalogue(kat, 2);
    EquipmentListReport list;
    list.setWorkTable(&work);
    list.setCatalogueTable(&kat);
    list.setTitleFolder(m_titleDir);
    pages = list.render();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(textOf(pages.front(), "QRDBText6"), TableDataSet::formatNumber(work.value(QStringLiteral("OB_TEMKAM")).toDouble()));
    EXPECT_EQ(textOf(pages.front(), "QRDBText48"), work.value(QStringLiteral("TE_PTIP")).toString());
    EXPECT_EQ(textOf(pages.front(), "QRDBText2"), QStringLiteral("ТОВ Полюс"));
    // No selection window to ask: the pair its grid starts with.
    EXPECT_EQ(textOf(pages.front(), "QRLabel4"), QStringLiteral("Q +25°С"));
    EXPECT_EQ(pages.front().itemsOf(QStringLiteral("QRDBText4")).front()->text, QStringLiteral("1025"));
}

// Run-time labels follow the user's locale as the record's fields do: one
// decimal separator on a page.
TEST_F(ReportFormsTest, LabelsAndFieldsShareTheLocaleDecimalSeparator)
{
    struct DefaultLocale {
        QLocale previous;
        DefaultLocale() { QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine)); }
        ~DefaultLocale() { QLocale::setDefault(previous); }
    } ukrainian;
    work.first();
    work.edit();
    work.setValue(QStringLiteral("OB_KZAPAS"), 1.2);
    work.post();
    labels.setText(QStringLiteral("QRLabel98"), QStringLiteral("1.04"));
    labels.setText(QStringLiteral("QRLabel70"), QStringLiteral("-0.35"));
    labels.setText(QStringLiteral("QRLabel97"), QStringLiteral("4"));
    labels.setText(QStringLiteral("QRLabel79"), QStringLiteral("Ручная"));

    std::vector<ReportPage> pages = form.render();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(textOf(pages.front(), "QRDBText8"), QStringLiteral("1,2"));
    EXPECT_EQ(textOf(pages.front(), "QRLabel98"), QStringLiteral("1,04"));
    EXPECT_EQ(textOf(pages.front(), "QRLabel70"), QStringLiteral("-0,35"));
    EXPECT_EQ(textOf(pages.front(), "QRLabel97"), QStringLiteral("4"));
    EXPECT_EQ(textOf(pages.front(), "QRLabel79"), QStringLiteral("Ручная"));

    DbfTable kat;
    makeCatalogue(kat, 1);
    EquipmentListReport list;
    list.setWorkTable(&work);
    list.setCatalogueTable(&kat);
    list.setLabels(&labels);
    list.setTitleFolder(m_titleDir);
    pages = list.render();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(textOf(pages.front(), "QRLabel98"), QStringLiteral("1,04"));
    EXPECT_EQ(pages.front().itemsOf(QStringLiteral("QRDBText8")).front()->text, QStringLiteral("1,25")); // PPOT
}

// A value typed but not yet posted is posted by the rendering and printed.
TEST_F(ReportFormsTest, PendingEditIsPostedAndPrinted)
{
    work.first();
    work.edit();
    work.setValue(QStringLiteral("OB_KAMDL"), 7.5);
    const std::vector<ReportPage> pages = form.render();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(textOf(pages.front(), "QRDBText9"), TableDataSet::formatNumber(7.5));
    EXPECT_EQ(work.state(), DbfTable::State::Browse);

    DbfTable reread;
    openWork(reread, work.filePath());
    reread.first();
    EXPECT_EQ(reread.value(QStringLiteral("OB_KAMDL")).toDouble(), 7.5);
}

TEST_F(ReportFormsTest, TitleBlockShowsTheLinesThatFit)
{
    writeTitle("first\nsecond\nthird\nfourth\nfifth\n");
    std::vector<ReportPage> pages = form.render();
    EXPECT_EQ(form.QuickRep1().element(QStringLiteral("QRMemo1"))->lines.size(), 5);
    EXPECT_EQ(textLines(pages.front(), "QRMemo1"),
              (QStringList{QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")}));

    writeTitle("only line");
    pages = form.render();
    const auto memo = pages.front().itemsOf(QStringLiteral("QRMemo1"));
    ASSERT_EQ(memo.size(), 1u);
    EXPECT_EQ(memo.front()->text, QStringLiteral("only line"));
    EXPECT_TRUE(memo.front()->align & Qt::AlignHCenter);
    EXPECT_EQ(memo.front()->box, QRect(534, 111, 1453, 119));

    // A line wider than the box wraps, and its parts count against the three.
    const QByteArray longLine = QString(QStringLiteral("слово ")).repeated(40).trimmed().toUtf8();
    writeTitle(longLine + "\nlast\nnever");
    pages = form.render();
    const QStringList shown = textLines(pages.front(), "QRMemo1");
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("слово слово")));
    EXPECT_TRUE(shown[1].startsWith(QStringLiteral("слово")));
    EXPECT_FALSE(shown.contains(QStringLiteral("never")));
}

TEST_F(ReportFormsTest, DefaultTitleBlockWithoutTheFile)
{
    const QStringList lines = TitleBlock::defaultLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QString(75, QLatin1Char(' ')));
    EXPECT_EQ(lines[1].size(), 75);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Контактний телефон для консультацій: __________________ ")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("_") + QString(20, QLatin1Char(' '))));
    EXPECT_EQ(lines[2], QStringLiteral("Internet : ") + QString::fromUtf8(config::kMakerWeb) + QStringLiteral(" mail: ")
                            + QString::fromUtf8(config::kMakerEmail));

    EXPECT_EQ(TitleBlock::load(m_titleDir), lines);
    const std::vector<ReportPage> pages = form.render();
    const QStringList shown = textLines(pages.front(), "QRMemo1");
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown[0].trimmed().isEmpty());
    EXPECT_EQ(shown[1].trimmed(), lines[1].trimmed());
    EXPECT_EQ(shown[2], lines[2]);
}

TEST_F(ReportFormsTest, TitleBlockEncodings)
{
    const QString text = QStringLiteral("ТОВ «Холод», Київ\nтел. 123-45-67");
    writeTitle(Cp1251::encode(text));
    EXPECT_EQ(TitleBlock::load(m_titleDir), text.split(QLatin1Char('\n')));

    writeTitle(text.toUtf8());
    EXPECT_EQ(TitleBlock::load(m_titleDir), text.split(QLatin1Char('\n')));

    // Windows line breaks and a byte-order mark.
    writeTitle("\xEF\xBB\xBF" + text.toUtf8().replace("\n", "\r\n") + "\r\n");
    EXPECT_EQ(TitleBlock::load(m_titleDir), text.split(QLatin1Char('\n')));

    // An empty line in the middle stays a line; an empty file gives none.
    writeTitle("a\n\nb");
    EXPECT_EQ(TitleBlock::load(m_titleDir), (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    writeTitle("");
    EXPECT_TRUE(TitleBlock::load(m_titleDir).isEmpty());
}

TEST_F(ReportFormsTest, UnreadableTitleBlockStopsTheRendering)
{
    writeTitle("title");
    const QString path = QDir(m_titleDir).filePath(TitleBlock::fileName());
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                            | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    const QByteArray before = [&] {
        QFile f(work.filePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    QString message;
    bool readable = false;
    {
        Unprivileged guard;
        QFile probe(path);
        readable = probe.open(QIODevice::ReadOnly);
        if (!readable) {
            try {
                TitleBlock::load(m_titleDir);
            } catch (const ReportError &e) {
                message = e.message();
            }
        }
    }
    if (readable)
        GTEST_SKIP() << "permission bits are not enforced here";
    EXPECT_TRUE(message.contains(path)) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Permission denied"))) << message.toStdString();

    {
        Unprivileged guard;
        EXPECT_THROW(form.render(), ReportError);
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QFile f(work.filePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(ReportFormsTest, RenderingTwiceGivesTheSamePageAndRereadsTheTitle)
{
    writeTitle("first title");
    labels.setText(QStringLiteral("QRLabel93"), QStringLiteral("4.56"));
    const std::vector<ReportPage> once = form.render();
    const std::vector<ReportPage> twice = form.render();
    EXPECT_EQ(once, twice);

    writeTitle("second title");
    const std::vector<ReportPage> third = form.render();
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(textOf(third.front(), "QRMemo1"), QStringLiteral("second title"));
    EXPECT_NE(once, third);
}

TEST_F(ReportFormsTest, EquipmentListHeadingsAndVisiblePair)
{
    DbfTable kat;
    makeCatalogue(kat, 3);
    ReportLabels equipment;
    equipment.setText(QStringLiteral("QRLabel98"), QStringLiteral("11.20"));
    EquipmentListReport list;
    EXPECT_EQ(list.objectName(), QStringLiteral("fmReport2"));
    list.setWorkTable(&work);
    list.setCatalogueTable(&kat);
    list.setLabels(&equipment);
    list.setTitleFolder(m_titleDir);
    list.setTemperatureHeading([] { return QStringLiteral("-25"); });
    QStringList visible{QStringLiteral("Q35"), QStringLiteral("T35")};
    list.setFieldVisible([&visible](const QString &f) { return visible.contains(f); });

    std::vector<ReportPage> pages = list.render();
    ASSERT_EQ(pages.size(), 1u);
    const ReportPage &page = pages.front();
    EXPECT_EQ(textOf(page, "QRLabel14"), QStringLiteral("-25"));
    // Headings as the before-print set them, and as printed (wrapped to their boxes).
    const auto heading = [&](const char *name) {
        return list.QuickRep1().element(QString::fromLatin1(name))->text;
    };
    EXPECT_EQ(heading("QRLabel3"), QStringLiteral("Повітроохолоджувач "));
    EXPECT_EQ(heading("QRLabel18"), QStringLiteral("Система"));
    EXPECT_EQ(heading("QRLabel1"), QStringLiteral("Агрегат (конденсатор)"));
    EXPECT_EQ(heading("QRLabel7"), QStringLiteral("Спож. потужність, кВт"));
    EXPECT_EQ(heading("QRLabel10"), QStringLiteral("Спож. струм, А"));
    EXPECT_EQ(heading("QRLabel11"), QStringLiteral("Магістраль"));
    EXPECT_EQ(heading("QRLabel12"), QStringLiteral("Контроллер"));
    EXPECT_EQ(textOf(page, "QRLabel3"), QStringLiteral("Повітроохолоджувач"));
    EXPECT_EQ(textOf(page, "QRLabel10"), QStringLiteral("Спож.\nструм, А"));
    EXPECT_EQ(textOf(page, "QRLabel11"), QStringLiteral("Магістраль"));
    EXPECT_EQ(textOf(page, "QRLabel98"), QStringLiteral("11.20"));
    EXPECT_EQ(textOf(page, "QRLabel89"), QString::fromUtf8(config::kVersionText));
    EXPECT_EQ(textOf(page, "QRLabel90"), QDir::toNativeSeparators(work.filePath()));
    EXPECT_EQ(textOf(page, "QRLabel69"), QStringLiteral("Розрахунок"));

    EXPECT_EQ(textOf(page, "QRLabel4"), QStringLiteral("Q +35°С"));
    EXPECT_EQ(textOf(page, "QRLabel6"), QStringLiteral("dT +35°С"));
    EXPECT_EQ(list.QuickRep1().element(QStringLiteral("QRDBText4"))->field, QStringLiteral("Q35"));
    EXPECT_EQ(list.QuickRep1().element(QStringLiteral("QRDBText7"))->field, QStringLiteral("T35"));
    const auto q = page.itemsOf(QStringLiteral("QRDBText4"));
    ASSERT_EQ(q.size(), 3u);
    EXPECT_EQ(q[0]->text, QStringLiteral("1035"));
    EXPECT_EQ(q[2]->text, QStringLiteral("3035"));
    const auto t = page.itemsOf(QStringLiteral("QRDBText7"));
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[1]->text, TableDataSet::formatNumber(3.5));
    const auto sis = page.itemsOf(QStringLiteral("QRDBText15"));
    ASSERT_EQ(sis.size(), 3u);
    EXPECT_EQ(sis[1]->text, QStringLiteral("С-2"));
    // The walk leaves the catalogue on its last row.
    EXPECT_EQ(kat.recNo(), 3);

    // With every pair shown the last one wins; with none shown the last choice stays.
    visible = {QStringLiteral("Q25"), QStringLiteral("T25"), QStringLiteral("Q40"), QStringLiteral("T40"),
               QStringLiteral("Q30"), QStringLiteral("T30")};
    pages = list.render();
    EXPECT_EQ(textOf(pages.front(), "QRLabel4"), QStringLiteral("Q +40°С"));
    EXPECT_EQ(textOf(pages.front(), "QRLabel6"), QStringLiteral("dT +40°С"));
    EXPECT_EQ(pages.front().itemsOf(QStringLiteral("QRDBText4")).front()->text, QStringLiteral("1040"));
    visible = {QStringLiteral("Q30")};
    pages = list.render();
    EXPECT_EQ(textOf(pages.front(), "QRLabel4"), QStringLiteral("Q +30°С"));
    EXPECT_EQ(textOf(pages.front(), "QRLabel6"), QStringLiteral("dT +40°С"));
    EXPECT_EQ(list.QuickRep1().element(QStringLiteral("QRDBText7"))->field, QStringLiteral("T40"));
    // Without a catalogue no capacity is listed, so no title names one.
    visible = {};
    kat.close();
    pages = list.render();
    for (const char *title : {"QRLabel4", "QRLabel6"}) {
        const auto items = pages.front().itemsOf(QString::fromLatin1(title));
        EXPECT_TRUE(items.empty() || items.front()->text.isEmpty()) << title;
    }
}

TEST_F(ReportFormsTest, FortySixSystemsTakeTwoPages)
{
    DbfTable kat;
    makeCatalogue(kat, 46);
    EquipmentListReport list;
    list.setWorkTable(&work);
    list.setCatalogueTable(&kat);
    list.setTitleFolder(m_titleDir);
    list.setFieldVisible([](const QString &f) { return f == QLatin1String("Q25") || f == QLatin1String("T25"); });

    const std::vector<ReportPage> pages = list.render();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(bandsNamed(pages[0], "QRSubDetail1").size(), 45u);
    EXPECT_EQ(bandsNamed(pages[1], "QRSubDetail1").size(), 1u);
    for (const char *band : {"QRBand1", "QRBand4", "QRBand3"}) {
        EXPECT_EQ(bandsNamed(pages[0], band).size(), 1u) << band;
        EXPECT_EQ(bandsNamed(pages[1], band).size(), 1u) << band;
    }
    EXPECT_EQ(bandsNamed(pages[0], "QRBand2").size(), 1u);
    EXPECT_EQ(bandsNamed(pages[1], "QRBand2").size(), 0u);

    // Page 1: header, title, column header, then the rows.
    EXPECT_EQ(pages[0].bands[0], (PlacedBand{QStringLiteral("QRBand1"), 100, 185}));
    EXPECT_EQ(pages[0].bands[1], (PlacedBand{QStringLiteral("QRBand2"), 285, 267}));
    EXPECT_EQ(pages[0].bands[2], (PlacedBand{QStringLiteral("QRBand4"), 552, 169}));
    EXPECT_EQ(pages[0].bands[3], (PlacedBand{QStringLiteral("QRSubDetail1"), 721, 42}));
    // Page 2: the 46th row straight under the repeated headers.
    EXPECT_EQ(bandsNamed(pages[1], "QRSubDetail1").front().top, 100 + 185 + 169);
    const auto last = pages[1].itemsOf(QStringLiteral("QRDBText15"));
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last.front()->text, QStringLiteral("С-46"));
    EXPECT_EQ(kat.recNo(), 46);
    // The title block on both pages.
    EXPECT_EQ(pages[1].itemsOf(QStringLiteral("QRMemo1")).size(), 1u);
}

TEST_F(ReportFormsTest, EmptySelectionPrintsOneEmptyRow)
{
    DbfTable kat;
    makeCatalogue(kat, 0);
    EquipmentListReport list;
    list.setWorkTable(&work);
    list.setCatalogueTable(&kat);
    list.setTitleFolder(m_titleDir);
    list.setFieldVisible([](const QString &f) { return f == QLatin1String("Q30") || f == QLatin1String("T30"); });
    const std::vector<ReportPage> pages = list.render();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(bandsNamed(pages[0], "QRSubDetail1").size(), 1u);
    for (const ReportItem *item : pages[0].itemsOf(QStringLiteral("QRDBText15")))
        EXPECT_TRUE(item->text.isEmpty());
}

TEST_F(ReportFormsTest, CatalogueDisplayLabels)
{
    EXPECT_EQ(EquipmentListReport::displayLabel(QStringLiteral("T30")), QStringLiteral("dT +30°С"));
    EXPECT_EQ(EquipmentListReport::displayLabel(QStringLiteral("Q25")), QStringLiteral("Q +25°С"));
    EXPECT_EQ(EquipmentListReport::displayLabel(QStringLiteral("shkaf")), QStringLiteral("Контроллер"));
    // The list heads VOHL with its own text instead.
    EXPECT_EQ(EquipmentListReport::displayLabel(QStringLiteral("VOHL")), QStringLiteral("Компресор"));
    EXPECT_TRUE(EquipmentListReport::displayLabel(QStringLiteral("ID_GRUP")).isEmpty());
}

TEST_F(ReportFormsTest, NoOpenCalculationIsAClearError)
{
    CalculationReport alone;
    EXPECT_EQ(alone.objectName(), QStringLiteral("fmReport"));
    EXPECT_THROW(alone.render(), ReportError);
    EquipmentListReport list;
    list.setWorkTable(&work);
    EXPECT_THROW(list.render(), ReportError);
}

} // namespace
} // namespace kvor
