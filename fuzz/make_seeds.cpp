// kvor-fuzz-seeds DATA_DIR CORPUS_DIR: writes the seed files of the fuzzers
// that read calculation files, old calculation files, the title-block file and
// saved report pages, using the program's own writers and the shipped tables.

#include "reports/core/calculationreport.h"
#include "reports/core/reporterror.h"
#include "reports/core/reportlabels.h"
#include "reports/core/reportpage.h"
#include "storage/calcfiles.h"
#include "storage/codepage.h"
#include "storage/dbferror.h"
#include "storage/dbftable.h"
#include "storage/tabledefs.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <functional>
#include <set>

using namespace kvor;

namespace {

QString g_data;
QString g_out;

QString seed(const char *folder, const char *name)
{
    const QString dir = QDir(g_out).filePath(QString::fromLatin1(folder));
    if (!QDir().mkpath(dir))
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create %1").arg(dir));
    return QDir(dir).filePath(QString::fromLatin1(name));
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw DbfError(DbfError::Kind::WriteFailed, QStringLiteral("Cannot write %1").arg(path));
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw DbfError(DbfError::Kind::CannotOpen, QStringLiteral("Cannot open file %1").arg(path));
    return f.readAll();
}

QString shipped(const char *name)
{
    return QDir(g_data).filePath(QString::fromLatin1(name));
}

// A copy of the blank calculation, changed through the calculation record.
void calculation(const char *name, const std::function<void(DbfTable &)> &change)
{
    const QString path = seed("workfile", name);
    QFile::remove(path);
    CalcFiles::copyFileWithDate(shipped("kvor.dbf"), path);
    DbfTable t;
    t.setTableName(path);
    t.setFieldDefs(TableDefs::workFieldDefs());
    t.setFieldCalculator(&TableDefs::calcWorkFields);
    t.open();
    t.first();
    t.edit();
    change(t);
    if (t.state() != DbfTable::State::Inactive && t.state() != DbfTable::State::Browse)
        t.post();
    t.close();
}

void workfileSeeds()
{
    CalcFiles::copyFileWithDate(shipped("kvor.dbf"), seed("workfile", "kvor.dbf"));
    CalcFiles::copyFileWithDate(shipped("trec.dbf"), seed("workfile", "trec.dbf"));
    calculation("cooling.kvor", [](DbfTable &t) {
        t.setValue(QStringLiteral("OB_TERMR"), QStringLiteral("Охлаждение"));
        t.setValue(QStringLiteral("OB_KAMVS"), 3.2);
        t.setValue(QStringLiteral("OB_TEMKAM"), -18);
        t.setValue(QStringLiteral("TE_PMAS"), 20000);
        t.setValue(QStringLiteral("VO_UTOCH"), true);
    });
    calculation("unknown_product.kvor", [](DbfTable &t) {
        t.setValue(QStringLiteral("TE_PTIP"), QStringLiteral("Невідомий"));
        t.setValue(QStringLiteral("OB_KAMVS"), 0.4);
        t.setValue(QStringLiteral("OB_TERMR"), QString());
        for (int i = 1; i <= 9; i += 2)
            t.setValue(QStringLiteral("CH%1").arg(i), false);
    });
    calculation("extremes.kvor", [](DbfTable &t) {
        t.setValue(QStringLiteral("OB_KAMDL"), 0.0);
        t.setValue(QStringLiteral("OB_TIMEWRK"), 0);
        t.setValue(QStringLiteral("OB_KZAPAS"), -1.5);
        t.setValue(QStringLiteral("ST_M1"), QStringLiteral("немає"));
        t.setValue(QStringLiteral("ST_IZT1"), 0);
        t.setValue(QStringLiteral("TE_VLAJ"), 100);
        t.setValue(QStringLiteral("OS_REC"), true);
        t.setValue(QStringLiteral("OBR_NAIM"), QString(200, QChar(0x0416)));
    });
    // Two records, the first deleted: the record the program sees is the second.
    calculation("two_records.kvor", [](DbfTable &t) {
        t.post();
        t.append();
        t.setValue(QStringLiteral("OB_TEMKAM"), 4);
        t.post();
        t.first();
        t.deleteRecord();
    });
    // The same file after another program appended an end-of-file byte.
    const QString eof = seed("workfile", "eof_byte.kvor");
    writeBytes(eof, readBytes(shipped("kvor.dbf")) + QByteArray(1, '\x1a'));
}

// An old calculation file: the record's columns without `drop`, with `retype`
// columns of another type, filled from the blank calculation.
void oldCalculation(const char *name, const std::set<QString> &drop,
                    const std::function<void(DbfColumn &)> &retype = {})
{
    std::vector<DbfColumn> columns;
    for (DbfColumn c : TableDefs::workFileColumns()) {
        if (drop.count(c.name))
            continue;
        if (retype)
            retype(c);
        columns.push_back(c);
    }
    const QString path = seed("convert", name);
    DbfTable::create(path, columns);
    DbfTable from;
    from.setTableName(shipped("kvor.dbf"));
    from.setReadOnly(true);
    from.open();
    DbfTable to;
    to.setTableName(path);
    to.open();
    to.append();
    for (int i = 0; i < to.fieldCount(); ++i) {
        DbfField *f = to.field(i);
        const DbfField *src = from.findField(f->name());
        if (!src)
            continue;
        if (f->kind() == FieldKind::String)
            f->setValue(src->asString());
        else if (f->kind() == src->kind() || (f->isNumeric() && src->isNumeric()))
            f->setValue(src->value());
    }
    to.post();
    to.close();
    from.close();
}

void convertSeeds()
{
    CalcFiles::copyFileWithDate(shipped("kvor.dbf"), seed("convert", "current.dbf"));
    oldCalculation("no_kolsys.dbf", {QStringLiteral("KOLSYS"), QStringLiteral("PROIZSYS"), QStringLiteral("SIS")});
    oldCalculation("no_equipment.dbf", {QStringLiteral("OBR_NAIM"), QStringLiteral("OBR_AGR"), QStringLiteral("OBR_VO"),
                                        QStringLiteral("OBR_SHKAF"), QStringLiteral("OBR_KMONT"), QStringLiteral("KL_DATA")});
    // Numbers stored as text and wider numeric columns, as older versions wrote some.
    oldCalculation("retyped.dbf", {QStringLiteral("OB_DATE")}, [](DbfColumn &c) {
        if (c.name == QLatin1String("OB_TEMKAM") || c.name == QLatin1String("OB_KAMDL"))
            c = DbfColumn{c.name, 'C', 10, 0};
        else if (c.type == 'N')
            c.length = qMin(c.length + 6, 19);
    });
    // Only the marker column: everything else comes from the template.
    {
        const QString path = seed("convert", "marker_only.dbf");
        DbfTable::create(path, {{QStringLiteral("OB_RGTMAX"), 'N', 3, 0}, {QStringLiteral("NOTE"), 'C', 12, 0}});
        DbfTable t;
        t.setTableName(path);
        t.open();
        t.append();
        t.setValue(QStringLiteral("OB_RGTMAX"), 35);
        t.setValue(QStringLiteral("NOTE"), QStringLiteral("стара"));
        t.post();
        t.close();
    }
    // A reference table is not a calculation.
    CalcFiles::copyFileWithDate(shipped("s_isp.DBF"), seed("convert", "not_a_calculation.dbf"));
}

void titleSeeds()
{
    const QString lines = QStringLiteral("ТОВ «Холод-Сервіс»\nКонтактний телефон: +380 44 000-00-00\n"
                                         "Internet : www.example.ua mail: info@example.ua\n");
    writeBytes(seed("titleblock", "utf8.txt"), lines.toUtf8());
    writeBytes(seed("titleblock", "cp1251_crlf.txt"), Cp1251::encode(QString(lines).replace(QLatin1String("\n"), QLatin1String("\r\n"))));
    writeBytes(seed("titleblock", "bom_five_lines.txt"),
               QByteArray("\xEF\xBB\xBF") + (lines + QStringLiteral("четвертий\nп'ятий")).toUtf8());
    writeBytes(seed("titleblock", "empty.txt"), QByteArray());
    writeBytes(seed("titleblock", "blank_lines.txt"), QByteArray("\n\r\n \r\t\n"));
    writeBytes(seed("titleblock", "long_line.txt"),
               QStringLiteral("Довгий рядок без переносу ").repeated(40).toUtf8() + QByteArray(600, 'W') + '\n');
    writeBytes(seed("titleblock", "broken_utf8.txt"), QByteArray("\xD0\x9F\xD1\n\xC3\x28 \xE2\x82 \xF0\x9F\x98\n"));
}

ReportItem item(ReportItem::Kind kind, QRect box, const char *element)
{
    ReportItem i;
    i.kind = kind;
    i.box = box;
    i.element = QString::fromLatin1(element);
    return i;
}

void pageSeeds()
{
    // The calculation report over the blank calculation, as the preview saves it.
    {
        const QString work = seed("pages", "work.kvor");
        CalcFiles::copyFileWithDate(shipped("kvor.dbf"), work);
        DbfTable t;
        t.setTableName(work);
        t.setFieldDefs(TableDefs::workFieldDefs());
        t.setFieldCalculator(&TableDefs::calcWorkFields);
        t.open();
        ReportLabels labels;
        labels.setText(QStringLiteral("QRLabel76"), QStringLiteral("1.25"));
        labels.setText(QStringLiteral("QRLabel98"), QStringLiteral("12.50"));
        CalculationReport report;
        report.setWorkTable(&t);
        report.setLabels(&labels);
        report.setVersionText([] { return QStringLiteral("v 0.1"); });
        report.setTitleFolder(QDir(g_out).filePath(QStringLiteral("no-title-here")));
        report.setFileName([] { return QStringLiteral("C:/Розрахунки/Камера 1.kvor"); });
        saveReportPages(report.render(), seed("pages", "report.pages"));
        t.close();
        QFile::remove(work);
    }
    saveReportPages({}, seed("pages", "no_pages.pages"));

    // Every kind of item, on a portrait and a landscape page.
    ReportPage a;
    a.bands = {{QStringLiteral("PageHeader"), 100, 150}, {QStringLiteral("Detail"), 250, 2000}};
    ReportItem text = item(ReportItem::Text, QRect(100, 120, 900, 80), "QRMemo1");
    text.text = QStringLiteral("Перший рядок\nSecond line");
    text.font.size = 9;
    text.font.bold = true;
    text.align = Qt::AlignHCenter | Qt::AlignTop;
    text.opaque = true;
    text.frame = ReportFrame{0.5, 0, 1.5, 0.5};
    a.items.push_back(text);
    ReportItem line = item(ReportItem::Line, QRect(100, 300, 1900, 0), "QRShape1");
    line.pen = 1.5;
    a.items.push_back(line);
    ReportItem rect = item(ReportItem::Rect, QRect(90, 90, 1920, 2790), "");
    rect.pen = 0.5;
    a.items.push_back(rect);
    ReportItem image = item(ReportItem::Image, QRect(120, 110, 330, 127), "QRImage1");
    image.image = QImage(6, 4, QImage::Format_RGB32);
    image.image.fill(Qt::darkBlue);
    a.items.push_back(image);
    ReportItem stretched = image;
    stretched.element = QStringLiteral("QRImage2");
    stretched.stretch = true;
    stretched.image = QImage(3, 3, QImage::Format_Indexed8);
    stretched.image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    stretched.image.fill(1);
    a.items.push_back(stretched);
    ReportPage b = a;
    b.width = 2970;
    b.height = 2100;
    b.items.resize(3);
    b.items[0].font = ReportFont{QStringLiteral("Times New Roman"), 14, false, true};
    b.items[0].align = Qt::AlignRight | Qt::AlignVCenter;
    saveReportPages({a}, seed("pages", "kinds.pages"));
    saveReportPages({a, b}, seed("pages", "two_pages.pages"));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: kvor-fuzz-seeds DATA_DIR CORPUS_DIR\n", stderr);
        return 1;
    }
    g_data = QString::fromLocal8Bit(argv[1]);
    g_out = QString::fromLocal8Bit(argv[2]);
    try {
        workfileSeeds();
        convertSeeds();
        titleSeeds();
        pageSeeds();
    } catch (const DbfError &e) {
        std::fprintf(stderr, "kvor-fuzz-seeds: %s\n", qPrintable(e.message()));
        return 1;
    } catch (const ReportError &e) {
        std::fprintf(stderr, "kvor-fuzz-seeds: %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
