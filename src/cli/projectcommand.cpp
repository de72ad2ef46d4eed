#include "projectcommand.h"

#include "cliargs.h"
#include "jsonwriter.h"

#include "calc/rounding.h"
#include "config.h"
#include "project/core/chamberevaluator.h"
#include "project/core/chambersummary.h"
#include "project/core/projectcsv.h"
#include "project/core/projectfile.h"
#include "project/report/projectreport.h"
#include "reports/core/reportpdf.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <cstring>
#include <stdexcept>
#include <optional>
#include <vector>

namespace kvor {

namespace {

// The gains' keys, as balance names them.
const char *const kGainKeys[9] = {"walls",       "ventilation", "infiltration", "product", "respiration",
                                  "lighting",    "personnel",   "vehicles",     "fans"};

QByteArray fixed2(double v)
{
    return Rounding::fixed(v, 2).toLatin1();
}

QByteArray held(const std::optional<double> &v)
{
    return v ? fixed2(*v) : QByteArray("null");
}

// The chamber's path as the project file writes it: relative to its folder.
QString writtenPath(const QDir &folder, const QString &path)
{
    return QDir::fromNativeSeparators(folder.relativeFilePath(path));
}

QByteArray json(const QString &file, const ProjectFile &project, const std::vector<ChamberSummary> &chambers,
                const ProjectTotals &totals)
{
    const QDir folder = QFileInfo(project.path()).absoluteDir();
    QByteArray out;
    JsonWriter w(out);
    // Two decimals, as balance writes its figures.
    auto raw = [&](const char *key, const QByteArray &text) {
        w.key(key);
        w.raw(text);
    };
    w.beginObject();
    w.key("file");
    w.string(file);
    w.key("name");
    w.string(project.name);
    w.key("chambers");
    w.beginArray();
    for (const ChamberSummary &c : chambers) {
        const bool figures = hasFigures(c.status);
        w.beginObject();
        w.key("file");
        w.string(writtenPath(folder, c.path));
        w.key("status");
        w.string(statusKey(c.status));
        raw("volume", figures ? fixed2(c.volume) : QByteArray("null"));
        w.key("temperature");
        if (figures)
            w.integer(c.temperature);
        else
            w.null();
        w.key("mode");
        if (figures)
            w.string(c.mode);
        else
            w.null();
        raw("required", figures ? held(c.required) : QByteArray("null"));
        w.key("gains");
        w.beginObject();
        for (int i = 0; i < 9; ++i)
            raw(kGainKeys[i], figures ? held(c.gains[size_t(i)]) : QByteArray("null"));
        w.endObject();
        w.key("system");
        if (figures && c.system) {
            w.beginObject();
            w.key("SIS");
            w.string(c.system->code);
            raw("PROIZSYS", fixed2(c.system->capacity));
            raw("power", held(c.system->power));
            w.endObject();
        } else {
            w.null();
        }
        w.endObject();
    }
    w.endArray();
    w.key("totals");
    w.beginObject();
    raw("required", fixed2(totals.required));
    w.key("systems");
    w.integer(totals.systems);
    raw("power", fixed2(totals.power));
    raw("current", fixed2(totals.current));
    w.key("left_out");
    w.integer(totals.leftOut);
    w.endObject();
    w.endObject();
    out += '\n';
    return out;
}

QByteArray table(const QString &file, const ProjectFile &project, const std::vector<ChamberSummary> &chambers,
                 const ProjectTotals &totals)
{
    const QDir folder = QFileInfo(project.path()).absoluteDir();
    auto value = [](const std::optional<double> &v) { return v ? Rounding::fixed(*v, 2) : QStringLiteral("—"); };
    QStringList lines;
    lines << QStringLiteral("Проєкт: %1").arg(file);
    lines << QStringLiteral("Назва: %1").arg(project.name);
    lines << QStringLiteral("Замовник: %1").arg(project.client);
    lines << QStringLiteral("Адреса: %1").arg(project.address);
    for (const ChamberSummary &c : chambers) {
        lines << QString();
        lines << QStringLiteral("Камера: %1").arg(writtenPath(folder, c.path));
        lines << QStringLiteral("  Стан: %1").arg(statusText(c.status));
        if (!hasFigures(c.status)) {
            if (!c.error.isEmpty())
                lines << QStringLiteral("  %1").arg(c.error);
            continue;
        }
        auto row = [&](const QString &caption, const QString &text) {
            lines << (QStringLiteral("  ") + caption).leftJustified(42, QLatin1Char(' '))
                         + text.rightJustified(12, QLatin1Char(' '));
        };
        row(QStringLiteral("Об'єм, м³"), Rounding::fixed(c.volume, 2));
        row(QStringLiteral("Температура в камері, °C"), QString::number(c.temperature));
        row(QStringLiteral("Режим"), c.mode);
        for (int i = 0; i < 9; ++i)
            row(gainCaptions().at(i), value(c.gains[size_t(i)]));
        row(QStringLiteral("Потрібна холодопродуктивність, кВт"), value(c.required));
        if (c.system) {
            row(QStringLiteral("Система"), c.system->code);
            row(QStringLiteral("Кількість систем"), QString::number(c.system->count));
            row(QStringLiteral("Продуктивність системи, Вт"), QString::number(qint64(c.system->capacity)));
            row(QStringLiteral("Спож. потужність системи, кВт"), value(c.system->power));
        }
    }
    lines << QString();
    auto total = [&](const QString &caption, const QString &text) {
        lines << caption.leftJustified(44, QLatin1Char(' ')) + text.rightJustified(12, QLatin1Char(' '));
    };
    total(QStringLiteral("Разом потрібна холодопродуктивність, кВт"), Rounding::fixed(totals.required, 2));
    total(QStringLiteral("Кількість систем"), QString::number(totals.systems));
    total(QStringLiteral("Спож. потужність, кВт"), Rounding::fixed(totals.power, 2));
    total(QStringLiteral("Спож. струм, А"), Rounding::fixed(totals.current, 2));
    total(QStringLiteral("Камер поза підсумком"), QString::number(totals.leftOut));
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw std::runtime_error(QStringLiteral("Cannot write file %1: %2").arg(path, f.errorString()).toStdString());
}

QChar localeDecimalPoint()
{
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 ? point.front() : QLatin1Char('.');
}

} // namespace

QString ProjectCommand::usage()
{
    return QStringLiteral("usage: kvor-cli project FILE.kvorproj [--data DIR] [--json | --csv OUT.csv | --pdf OUT.pdf]");
}

bool ProjectCommand::needsGui(int argc, char *argv[])
{
    if (argc < 2 || std::strcmp(argv[1], "project") != 0)
        return false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        if (std::strcmp(argv[i], "--pdf") == 0 || std::strncmp(argv[i], "--pdf=", 6) == 0)
            return true;
    }
    return false;
}

int ProjectCommand::run(const QStringList &args, QByteArray &out, QString &err)
{
    CliArgs parsed;
    const QString csvOption = QStringLiteral("--csv"), pdfOption = QStringLiteral("--pdf"),
                  jsonOption = QStringLiteral("--json");
    if (!parsed.parse(args, {QStringLiteral("--data"), csvOption, pdfOption}, {jsonOption}, usage(), err))
        return 1;
    if (int(parsed.has(jsonOption)) + int(parsed.has(csvOption)) + int(parsed.has(pdfOption)) > 1) {
        err = QCoreApplication::translate("ProjectCommand", "--json, --csv and --pdf exclude each other")
              + QLatin1Char('\n') + usage();
        return 1;
    }
    const QString file = parsed.file();
    ProjectFile project;
    try {
        project = ProjectFile::load(file);
    } catch (const ProjectError &e) {
        err = e.message();
        return 1;
    }
    const QString dataDir = parsed.has(QStringLiteral("--data"))
                                ? parsed.value(QStringLiteral("--data"))
                                : QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("DATA"));

    QStringList notes;
    const bool ok = runGuarded([&] {
        ChamberEvaluator evaluator(dataDir);
        std::vector<ChamberSummary> chambers;
        chambers.reserve(project.chambers.size());
        for (const ProjectChamber &chamber : project.chambers) {
            chambers.push_back(evaluator.evaluate(chamber.path));
            const ChamberSummary &c = chambers.back();
            if (!c.error.isEmpty())
                notes << c.path + QStringLiteral(": ") + c.error;
        }
        const ProjectTotals totals = projectTotals(chambers);
        if (parsed.has(QStringLiteral("--json"))) {
            out = json(file, project, chambers, totals);
        } else if (parsed.has(csvOption)) {
            writeFile(parsed.value(csvOption), projectCsv(chambers, localeDecimalPoint()));
        } else if (parsed.has(pdfOption)) {
            ProjectReportOptions options;
            options.date = QDate::currentDate();
            options.version = QString::fromUtf8(config::kVersionText);
            options.titleFolder = QCoreApplication::applicationDirPath();
            ProjectReport report(evaluator);
            writeReportPdf(report.render(project, chambers, options), parsed.value(pdfOption));
        } else {
            out = table(file, project, chambers, totals);
        }
    }, err);
    if (!ok)
        return 1;
    err = notes.join(QLatin1Char('\n'));
    return 0;
}

} // namespace kvor
