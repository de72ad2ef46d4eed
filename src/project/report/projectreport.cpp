#include "projectreport.h"

#include "gainschart.h"
#include "calc/rounding.h"
#include "document/calculationdocument.h"
#include "project/core/chamberevaluator.h"
#include "project/core/projectfile.h"
#include "reports/core/calculationreport.h"
#include "reports/core/titleblock.h"
#include "storage/referencetables.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cmath>

// The logo lives in the reports core's resources, a static library's.
static void initProjectReportResources()
{
    Q_INIT_RESOURCE(reports);
}

namespace kvor {

namespace {

// The chamber reports' page: 10 mm margins. Their own footer band ends above
// the bottom margin, so the page numbers go into it.
constexpr int kLeft = 100;
constexpr int kRight = 2000;
constexpr int kWidth = kRight - kLeft;
constexpr int kTop = 100;
constexpr int kBottom = 2870;
constexpr int kNumberTop = 2885;
constexpr int kPadX = 12;
constexpr int kPadY = 8;
constexpr int kHeaderHeight = 185;

QString tr(const char *text)
{
    return QCoreApplication::translate("ProjectReport", text);
}

ReportFont reportFont(double size, bool bold = false)
{
    ReportFont font;
    font.family = QStringLiteral("Arial");
    font.size = size;
    font.bold = bold;
    return font;
}

QString number(const std::optional<double> &value, int decimals)
{
    if (!value)
        return {};
    QString text = Rounding::fixed(*value, decimals);
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

int lineHeight(const ReportFont &font)
{
    return int(std::ceil(ReportTextMetrics::lineHeight(font)));
}

// Longest prefix of `word` that fits; at least one character.
int fittingPrefix(const ReportFont &font, const QString &word, double width)
{
    int n = 1;
    while (n < word.size() && ReportTextMetrics::width(font, word.left(n + 1)) <= width)
        ++n;
    return n;
}

QString elide(const ReportFont &font, const QString &text, double width)
{
    if (ReportTextMetrics::width(font, text) <= width)
        return text;
    const QString ellipsis = QStringLiteral("…");
    QString cut = text;
    while (!cut.isEmpty() && ReportTextMetrics::width(font, cut + ellipsis) > width)
        cut.chop(1);
    return cut + ellipsis;
}

// Word-wrapped to `width`; words longer than a line are broken. With
// `maxLines`, the last line kept ends in an ellipsis when text was cut.
QStringList wrap(const ReportFont &font, const QString &text, double width, int maxLines = 0)
{
    QStringList lines;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QString current;
        for (QString word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (ReportTextMetrics::width(font, candidate) <= width) {
                current = candidate;
                continue;
            }
            if (!current.isEmpty())
                lines << current;
            while (ReportTextMetrics::width(font, word) > width) {
                const int n = fittingPrefix(font, word, width);
                lines << word.left(n);
                word = word.mid(n);
            }
            current = word;
        }
        lines << current;
    }
    while (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast();
    if (maxLines > 0 && lines.size() > maxLines) {
        lines = lines.mid(0, maxLines);
        lines.back() = elide(font, lines.back() + QStringLiteral(" …"), width);
    }
    return lines;
}

void addText(ReportPage &page, const QRect &box, const QString &text, const ReportFont &font,
             Qt::Alignment align = Qt::AlignLeft, const QString &element = {})
{
    const int maxLines = std::max(1, box.height() / std::max(1, lineHeight(font)));
    ReportItem item;
    item.kind = ReportItem::Text;
    item.box = box;
    item.text = wrap(font, text, box.width(), maxLines).join(QLatin1Char('\n'));
    item.font = font;
    item.align = align;
    item.element = element;
    page.items.push_back(item);
}

void addLine(ReportPage &page, int x1, int y1, int x2, int y2, double pen)
{
    ReportItem item;
    item.kind = ReportItem::Line;
    item.box = QRect(x1, y1, x2 - x1, y2 - y1);
    item.pen = pen;
    page.items.push_back(item);
}

void addRect(ReportPage &page, const QRect &box, double pen)
{
    ReportItem item;
    item.kind = ReportItem::Rect;
    item.box = box;
    item.pen = pen;
    page.items.push_back(item);
}

void addImage(ReportPage &page, const QRect &box, const QImage &image, bool stretch, const QString &element)
{
    ReportItem item;
    item.kind = ReportItem::Image;
    item.box = box;
    item.image = image;
    item.stretch = stretch;
    item.element = element;
    page.items.push_back(item);
}

struct Column {
    QString header;
    int width;
    Qt::Alignment align;
};

struct Row {
    QStringList cells;
    bool bold = false;
};

// Lays out the project's own pages: a header like the chamber reports' on the
// first page, tables continued on further pages with their heading repeated.
class PageFlow {
public:
    PageFlow(std::vector<ReportPage> &pages, const QStringList &titleLines, const QString &footer)
        : m_pages(pages)
        , m_titleLines(titleLines)
        , m_footer(footer)
    {
    }

    ReportPage &page() { return m_pages.back(); }
    int y = kTop;

    // A new page with the logo and the title block.
    void startWithHeader()
    {
        newPage();
        initProjectReportResources();
        const QImage logo(QStringLiteral(":/reports/logo.png"));
        addImage(page(), QRect(kLeft + 10, kTop + 20, 417, 169 - 20), logo, false, QStringLiteral("ProjectLogo"));
        const ReportFont font = reportFont(8);
        const int lh = lineHeight(font);
        int ty = kTop + 20;
        for (const QString &line : m_titleLines) {
            addText(page(), QRect(kLeft + 450, ty, kWidth - 450, lh), line.trimmed(), font, Qt::AlignRight,
                    QStringLiteral("ProjectTitleBlock"));
            ty += lh;
            if (ty + lh > kTop + kHeaderHeight)
                break;
        }
        addLine(page(), kLeft, kTop + kHeaderHeight, kRight, kTop + kHeaderHeight, 1);
        y = kTop + kHeaderHeight + 40;
    }

    // A further page under a line saying what it continues.
    void continueWith(const QString &heading)
    {
        newPage();
        const ReportFont font = reportFont(9, true);
        addText(page(), QRect(kLeft, kTop, kWidth, lineHeight(font)), heading, font, Qt::AlignLeft,
                QStringLiteral("ProjectContinued"));
        y = kTop + lineHeight(font) + 25;
    }

    bool fits(int height) const { return y + height <= kBottom; }

    // Starts on a new page when not even the header and the first row fit.
    void table(const std::vector<Column> &columns, const std::vector<Row> &rows, const QString &continued)
    {
        const ReportFont body = reportFont(8);
        const ReportFont bold = reportFont(8, true);
        auto cellLines = [&](const QString &text, const Column &c, const ReportFont &font) {
            return wrap(font, text, c.width - 2 * kPadX, 4);
        };
        auto heightOf = [&](const QStringList &cells, const ReportFont &font) {
            int lines = 1;
            for (size_t i = 0; i < columns.size(); ++i)
                lines = std::max<int>(lines, cellLines(cells.value(int(i)), columns[i], font).size());
            return lines * lineHeight(font) + 2 * kPadY;
        };
        auto draw = [&](const QStringList &cells, const ReportFont &font, int height) {
            int x = kLeft;
            for (size_t i = 0; i < columns.size(); ++i) {
                const Column &c = columns[i];
                addRect(page(), QRect(x, y, c.width, height), 0.5);
                const QStringList lines = cellLines(cells.value(int(i)), c, font);
                ReportItem item;
                item.kind = ReportItem::Text;
                item.box = QRect(x + kPadX, y + kPadY, c.width - 2 * kPadX, height - 2 * kPadY);
                item.text = lines.join(QLatin1Char('\n'));
                item.font = font;
                item.align = c.align;
                if (!item.text.isEmpty())
                    page().items.push_back(item);
                x += c.width;
            }
            y += height;
        };
        QStringList headers;
        for (const Column &c : columns)
            headers << c.header;
        const int headerHeight = heightOf(headers, bold);
        const int first = rows.empty() ? 0 : heightOf(rows.front().cells, rows.front().bold ? bold : body);
        if (!fits(headerHeight + first))
            continueWith(continued);
        draw(headers, bold, headerHeight);
        for (const Row &row : rows) {
            const ReportFont &font = row.bold ? bold : body;
            const int height = heightOf(row.cells, font);
            if (!fits(height)) {
                continueWith(continued);
                draw(headers, bold, headerHeight);
            }
            draw(row.cells, font, height);
        }
    }

    // A paragraph across the page, wrapped.
    void paragraph(const QString &text, const ReportFont &font, Qt::Alignment align = Qt::AlignLeft,
                   const QString &continued = {}, int below = 10)
    {
        const QStringList lines = wrap(font, text, kWidth);
        const int height = lines.size() * lineHeight(font);
        if (!fits(height))
            continueWith(continued);
        addText(page(), QRect(kLeft, y, kWidth, height), text, font, align);
        y += height + below;
    }

private:
    void newPage()
    {
        m_pages.emplace_back();
        const ReportFont font = reportFont(7);
        addText(page(), QRect(kLeft, kNumberTop, kWidth - 400, lineHeight(font)), m_footer, font, Qt::AlignLeft,
                QStringLiteral("ProjectFooter"));
        y = kTop;
    }

    std::vector<ReportPage> &m_pages;
    QStringList m_titleLines;
    QString m_footer;
};

QString systemPower(const ChamberSummary &c)
{
    if (!c.system || !c.system->power)
        return {};
    return number(*c.system->power * c.system->count, 2);
}

// Unless the caller names one, the executors the chambers' calculations name.
QString executors(const std::vector<ChamberSummary> &chambers, const QString &given)
{
    if (!given.trimmed().isEmpty())
        return given;
    QStringList names;
    for (const ChamberSummary &c : chambers)
        if (!c.executor.isEmpty() && !names.contains(c.executor))
            names << c.executor;
    return names.join(QStringLiteral(", "));
}

void summaryPages(PageFlow &flow, const ProjectFile &project, const std::vector<ChamberSummary> &chambers,
                  const ProjectReportOptions &options)
{
    const QString continued = project.name.trimmed().isEmpty()
                                  ? tr("Проєкт (продовження)")
                                  : tr("Проєкт «%1» (продовження)").arg(project.name);
    flow.startWithHeader();
    const ReportFont heading = reportFont(14, true);
    flow.paragraph(tr("Проєкт холодильного складу"), heading, Qt::AlignHCenter, continued, 30);

    const ReportFont label = reportFont(10, true);
    const ReportFont value = reportFont(10);
    const int lh = lineHeight(value);
    const struct {
        QString label, value;
    } fields[] = {
        {tr("Проєкт:"), project.name},
        {tr("Замовник:"), project.client},
        {tr("Адреса:"), project.address},
        {tr("Дата:"), options.date.isValid() ? options.date.toString(QStringLiteral("dd.MM.yyyy")) : QString()},
        {tr("Виконавець:"), executors(chambers, options.executor)},
    };
    for (const auto &f : fields) {
        const QStringList lines = wrap(value, f.value, kWidth - 320, 3);
        const int height = std::max<int>(1, lines.size()) * lh;
        addText(flow.page(), QRect(kLeft, flow.y, 300, lh), f.label, label);
        if (f.value.trimmed().isEmpty())
            addLine(flow.page(), kLeft + 320, flow.y + lh - 5, kLeft + 1100, flow.y + lh - 5, 0.5);
        else
            addText(flow.page(), QRect(kLeft + 320, flow.y, kWidth - 320, height), f.value, value);
        flow.y += height + 12;
    }
    flow.y += 30;

    const std::vector<Column> columns = {
        {tr("Камера"), 300, Qt::AlignLeft},
        {tr("Об'єм, м³"), 140, Qt::AlignRight},
        {tr("t, °C"), 110, Qt::AlignRight},
        {tr("Режим"), 230, Qt::AlignLeft},
        {tr("Потрібно, кВт"), 170, Qt::AlignRight},
        {tr("Система"), 210, Qt::AlignLeft},
        {tr("К-сть"), 110, Qt::AlignRight},
        {tr("N, кВт"), 160, Qt::AlignRight},
        {tr("Стан"), 470, Qt::AlignLeft},
    };
    std::vector<Row> rows;
    for (const ChamberSummary &c : chambers) {
        if (!hasFigures(c.status)) {
            rows.push_back({{c.name, {}, {}, {}, {}, {}, {}, {}, statusText(c.status)}});
            continue;
        }
        rows.push_back({{c.name, number(c.volume, 1), QString::number(c.temperature), c.mode, number(c.required, 2),
                         c.system ? c.system->code : QString(), c.system ? QString::number(c.system->count) : QString(),
                         systemPower(c), statusText(c.status)}});
    }
    const ProjectTotals totals = projectTotals(chambers);
    rows.push_back({{tr("Разом"), {}, {}, {}, number(totals.required, 2), {}, QString::number(totals.systems),
                     number(totals.power, 2), {}},
                    true});
    flow.table(columns, rows, continued);
    flow.y += 20;
    const ReportFont note = reportFont(9);
    flow.paragraph(tr("Споживаний струм систем: %1 А").arg(number(totals.current, 2)), note, Qt::AlignLeft, continued,
                   5);
    if (totals.leftOut > 0)
        flow.paragraph(tr("Не враховано камер: %1 (їхні файли не прочитано)").arg(totals.leftOut), note, Qt::AlignLeft,
                       continued, 5);

    // The chart, on a page of its own when the table left too little room.
    const ReportFont chartHeading = reportFont(10, true);
    constexpr int kChartHeight = 950;
    flow.y += 40;
    if (!flow.fits(lineHeight(chartHeading) + 20 + kChartHeight))
        flow.continueWith(continued);
    flow.paragraph(tr("Теплонадходження по камерах, кВт"), chartHeading, Qt::AlignLeft, continued, 20);
    const QRect box(kLeft, flow.y, kWidth, kChartHeight);
    const double dpi = 300;
    const QSize pixels(int(std::lround(box.width() / kUnitsPerInch * dpi)),
                       int(std::lround(box.height() / kUnitsPerInch * dpi)));
    addImage(flow.page(), box, drawGainsChart(chambers, pixels, dpi / 72.0), true, QStringLiteral("ProjectGainsChart"));
    flow.y += kChartHeight;
}

void equipmentPages(PageFlow &flow, const ProjectFile &project, const std::vector<ChamberSummary> &chambers)
{
    const QString continued = project.name.trimmed().isEmpty()
                                  ? tr("Перелік обладнання проєкту (продовження)")
                                  : tr("Перелік обладнання проєкту «%1» (продовження)").arg(project.name);
    flow.startWithHeader();
    flow.paragraph(tr("Перелік обладнання проєкту"), reportFont(14, true), Qt::AlignHCenter, continued, 10);
    flow.paragraph(project.name, reportFont(10), Qt::AlignHCenter, continued, 40);

    const std::vector<Column> columns = {
        {tr("Камера"), 240, Qt::AlignLeft},
        {tr("Система"), 150, Qt::AlignLeft},
        {tr("Найменування"), 260, Qt::AlignLeft},
        {tr("Агрегат"), 170, Qt::AlignLeft},
        {tr("Компресор"), 190, Qt::AlignLeft},
        {tr("Контролер"), 180, Qt::AlignLeft},
        {tr("Магістраль"), 200, Qt::AlignLeft},
        {tr("К-сть"), 110, Qt::AlignRight},
        {tr("Q, Вт"), 120, Qt::AlignRight},
        {tr("N, кВт"), 130, Qt::AlignRight},
        {tr("I, А"), 150, Qt::AlignRight},
    };
    std::vector<Row> rows;
    double capacity = 0;
    for (const ChamberSummary &c : chambers) {
        if (!hasFigures(c.status) || !c.system)
            continue;
        const ChamberSystem &s = *c.system;
        capacity += s.capacity * s.count;
        rows.push_back({{c.name, s.code, s.description, s.unit, s.compressor, s.controller, s.pipeSet,
                         QString::number(s.count), number(s.capacity, 0), number(s.power, 2), number(s.current, 2)}});
    }
    if (rows.empty()) {
        flow.paragraph(tr("У жодній камері проєкту систему не вибрано."), reportFont(10), Qt::AlignLeft, continued);
        return;
    }
    const ProjectTotals totals = projectTotals(chambers);
    rows.push_back({{tr("Разом"), {}, {}, {}, {}, {}, {}, QString::number(totals.systems), number(capacity, 0),
                     number(totals.power, 2), number(totals.current, 2)},
                    true});
    flow.table(columns, rows, continued);
    flow.y += 20;
    flow.paragraph(tr("Q, N, I — однієї системи; у рядку «Разом» — усіх систем з урахуванням їх кількості."),
                   reportFont(8), Qt::AlignLeft, continued);
}

} // namespace

ProjectReport::ProjectReport(ChamberEvaluator &evaluator)
    : m_evaluator(evaluator)
{
}

std::vector<ReportPage> ProjectReport::render(const ProjectFile &project, const std::vector<ChamberSummary> &chambers,
                                              const ProjectReportOptions &options,
                                              const std::function<void(int)> &progress)
{
    const int steps = int(std::count_if(chambers.begin(), chambers.end(),
                                        [](const ChamberSummary &c) { return hasFigures(c.status); }))
                      + 2;
    int done = 0;
    auto step = [&] {
        ++done;
        if (progress)
            progress(done * 100 / steps);
    };

    // Where the chamber reports look for the title block when none is given.
    const QString titleFolder =
        options.titleFolder.isEmpty() ? QCoreApplication::applicationDirPath() : options.titleFolder;
    const QStringList titleLines = TitleBlock::load(titleFolder);
    QString footer = options.version;
    if (!project.path().isEmpty())
        footer += (footer.isEmpty() ? QString() : QStringLiteral("   ")) + project.path();
    std::vector<ReportPage> pages;
    PageFlow flow(pages, titleLines, footer);
    summaryPages(flow, project, chambers, options);
    step();

    // Each chamber's own report, as its file prints it.
    for (const ChamberSummary &c : chambers) {
        if (!hasFigures(c.status))
            continue;
        QString error;
        const bool opened = m_evaluator.withChamber(
            c.path,
            [&](CalculationDocument &document) {
                CalculationReport report;
                report.setWorkTable(&document.tables().taWork);
                report.setLabels(&document.reportLabels());
                report.setVersionText([&] { return options.version; });
                report.setTitleFolder(titleFolder);
                report.setFileName([&] { return c.path; });
                for (ReportPage &page : report.render())
                    pages.push_back(std::move(page));
            },
            &error);
        // The file changed since the list read it: its place says why it is empty.
        if (!opened) {
            PageFlow note(pages, titleLines, footer);
            note.startWithHeader();
            note.paragraph(c.name, reportFont(14, true), Qt::AlignHCenter, c.name, 30);
            note.paragraph(tr("Звіт камери не сформовано: %1").arg(error), reportFont(10), Qt::AlignLeft, c.name);
        }
        step();
    }

    PageFlow list(pages, titleLines, footer);
    equipmentPages(list, project, chambers);
    step();

    const ReportFont font = reportFont(8);
    const int total = int(pages.size());
    for (int i = 0; i < total; ++i)
        addText(pages[size_t(i)], QRect(kRight - 400, kNumberTop, 400, lineHeight(font)),
                tr("Сторінка %1 з %2").arg(i + 1).arg(total), font, Qt::AlignRight,
                QStringLiteral("ProjectPageNumber"));
    return pages;
}

} // namespace kvor
