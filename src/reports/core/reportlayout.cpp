#include "reportlayout.h"
#include "reporterror.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace kvor {

QStringList wrapReportText(const QString &text, const ReportFont &font, double width)
{
    QStringList out;
    const auto isSpace = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (const QString &para : paragraphs) {
        QString trimmed = para;
        while (!trimmed.isEmpty() && isSpace(trimmed.back()))
            trimmed.chop(1);
        if (ReportTextMetrics::width(font, trimmed) <= width) {
            out << para;
            continue;
        }
        const int n = int(trimmed.size());
        int start = 0;
        while (start < n) {
            int lineEnd = -1;
            int pos = start;
            while (pos < n) {
                int wordEnd = pos;
                while (wordEnd < n && isSpace(trimmed[wordEnd]))
                    ++wordEnd;
                while (wordEnd < n && !isSpace(trimmed[wordEnd]))
                    ++wordEnd;
                if (lineEnd >= 0 && ReportTextMetrics::width(font, trimmed.mid(start, wordEnd - start)) > width)
                    break;
                lineEnd = wordEnd; // the first word of a line always stays, even if too wide
                pos = wordEnd;
            }
            out << trimmed.mid(start, lineEnd - start);
            start = lineEnd;
            while (start < n && isSpace(trimmed[start]))
                ++start;
        }
    }
    return out;
}

namespace {

int ceilUnits(double v)
{
    return int(std::ceil(v - 1e-6));
}

class Layouter {
public:
    Layouter(const ReportDefinition &def, const ReportDataSets &data, const std::function<void(int)> &progress)
        : m_def(def)
        , m_data(data)
        , m_progress(progress)
    {
        for (const ReportBand &band : def.bands) {
            std::vector<const ReportElement *> sorted;
            for (const ReportElement &e : band.elements)
                sorted.push_back(&e);
            std::stable_sort(sorted.begin(), sorted.end(),
                             [](const ReportElement *a, const ReportElement *b) { return a->paint < b->paint; });
            m_sorted.insert(&band, std::move(sorted));
            switch (band.kind) {
            case BandKind::PageHeader:
                if (!m_pageHeader)
                    m_pageHeader = &band;
                break;
            case BandKind::Title:
                if (!m_title)
                    m_title = &band;
                break;
            case BandKind::ColumnHeader:
                if (!m_columnHeader)
                    m_columnHeader = &band;
                break;
            case BandKind::PageFooter:
                if (!m_pageFooter)
                    m_pageFooter = &band;
                break;
            case BandKind::Detail:
                m_details.push_back(&band);
                break;
            case BandKind::SubDetail:
                m_subDetails.push_back(&band);
                break;
            }
        }
        for (const ReportElement &e : def.pageElements)
            m_pageElements.push_back(&e);
        std::stable_sort(m_pageElements.begin(), m_pageElements.end(),
                         [](const ReportElement *a, const ReportElement *b) { return a->paint < b->paint; });
        m_footerTop = def.paperHeight - def.marginBottom - (m_pageFooter ? m_pageFooter->height : 0);
    }

    std::vector<ReportPage> run()
    {
        report(0);
        ReportDataSet *master = m_def.dataset.isEmpty() ? nullptr : dataSet(m_def.dataset, m_def.name);
        for (const ReportBand *band : m_subDetails)
            dataSet(band->dataset, band->name); // fail before anything is laid out
        startPage();
        if (!master) {
            records(0.0, 100.0);
        } else {
            const int count = master->rowCount();
            int done = 0;
            for (master->first(); !master->eof(); master->next()) {
                const double from = count > 0 ? 100.0 * done / count : 0.0;
                const double to = count > 0 ? 100.0 * (done + 1) / count : 0.0;
                records(from, to);
                ++done;
                report(int(to));
            }
        }
        finishPage();
        report(100);
        return std::move(m_pages);
    }

private:
    ReportDataSet *dataSet(const QString &name, const QString &user) const
    {
        const auto it = m_data.find(name);
        if (it == m_data.end() || !it->second)
            throw ReportError(QStringLiteral("Report %1: data set \"%2\" of %3 is not available")
                                  .arg(m_def.name, name, user));
        return it->second;
    }

    void report(int percent)
    {
        percent = std::clamp(percent, 0, 100);
        if (m_progress && percent > m_lastPercent) {
            m_lastPercent = percent;
            m_progress(percent);
        }
    }

    // One master record: its detail bands, then every sub-detail over its rows.
    void records(double from, double to)
    {
        for (const ReportBand *band : m_details)
            place(*band);
        for (const ReportBand *band : m_subDetails) {
            ReportDataSet *rows = dataSet(band->dataset, band->name);
            const int count = rows->rowCount();
            rows->first();
            if (rows->eof()) {
                place(*band); // once, with empty fields
                continue;
            }
            int done = 0;
            for (; !rows->eof(); rows->next()) {
                place(*band);
                ++done;
                if (count > 0 && (done & 15) == 0)
                    report(int(from + (to - from) * done / count));
            }
        }
    }

    void startPage()
    {
        ReportPage page;
        page.width = m_def.paperWidth;
        page.height = m_def.paperHeight;
        m_pages.push_back(std::move(page));
        m_y = m_def.marginTop;
        if (m_pageHeader)
            emitBand(*m_pageHeader);
        if (m_pages.size() == 1 && m_title)
            emitBand(*m_title);
        if (m_columnHeader)
            emitBand(*m_columnHeader);
        m_fresh = true;
    }

    void finishPage()
    {
        if (m_pageFooter) {
            m_y = m_footerTop;
            emitBand(*m_pageFooter);
        }
        for (const ReportElement *e : m_pageElements)
            emitElement(*e, 0, 0);
        if (m_def.frame > 0) {
            ReportItem frame;
            frame.kind = ReportItem::Rect;
            frame.box = QRect(m_def.marginLeft, m_def.marginTop, m_def.printableWidth(), m_def.printableHeight());
            frame.pen = m_def.frame;
            m_pages.back().items.push_back(std::move(frame));
        }
    }

    void place(const ReportBand &band)
    {
        // A band taller than a whole page still goes on a fresh one, or the
        // report would never end.
        if (m_y + band.height > m_footerTop && !m_fresh) {
            finishPage();
            startPage();
        }
        emitBand(band);
        m_fresh = false;
    }

    void emitBand(const ReportBand &band)
    {
        ReportPage &page = m_pages.back();
        page.bands.push_back(PlacedBand{band.name, m_y, band.height});
        const auto sorted = m_sorted.constFind(&band);
        if (sorted != m_sorted.constEnd())
            for (const ReportElement *e : *sorted)
                emitElement(*e, m_def.marginLeft, m_y);
        // Frame lines lie wholly inside their band, so the white boxes of the
        // next band's elements cannot cover half of them.
        const int width = m_def.printableWidth();
        const auto half = [](double pen) { return int(std::lround(pen * kUnitsPerPoint / 2)); };
        if (band.frame.top > 0)
            bandLine(band, m_y + half(band.frame.top), width, band.frame.top);
        if (band.frame.bottom > 0)
            bandLine(band, m_y + band.height - half(band.frame.bottom), width, band.frame.bottom);
        m_y += band.height;
    }

    void bandLine(const ReportBand &band, int y, int width, double pen)
    {
        ReportItem line;
        line.kind = ReportItem::Line;
        line.box = QRect(m_def.marginLeft, y, width, 0);
        line.pen = pen;
        line.element = band.name;
        m_pages.back().items.push_back(std::move(line));
    }

    QString elementText(const ReportElement &e) const
    {
        switch (e.kind) {
        case ElementKind::Label:
            return e.text;
        case ElementKind::Memo:
            return e.lines.join(QLatin1Char('\n'));
        case ElementKind::Field: {
            const QString name = e.dataset.isEmpty() ? m_def.dataset : e.dataset;
            if (name.isEmpty() || e.field.isEmpty())
                return QString();
            return dataSet(name, e.name)->displayText(e.field);
        }
        default:
            return QString();
        }
    }

    void emitElement(const ReportElement &e, int ox, int oy)
    {
        std::vector<ReportItem> &items = m_pages.back().items;
        const QRect box(ox + e.left, oy + e.top, e.width, e.height);
        ReportItem item;
        item.element = e.name;
        switch (e.kind) {
        case ElementKind::Shape:
            item.pen = e.pen * kPointsPerPenUnit;
            if (e.shape == ShapeKind::HLine) {
                item.kind = ReportItem::Line;
                item.box = QRect(box.x(), box.y() + e.height / 2, e.width, 0);
            } else if (e.shape == ShapeKind::VLine) {
                item.kind = ReportItem::Line;
                item.box = QRect(box.x() + e.width / 2, box.y(), 0, e.height);
            } else {
                item.kind = ReportItem::Rect;
                item.box = box;
            }
            items.push_back(std::move(item));
            return;
        case ElementKind::Picture:
            item.kind = ReportItem::Image;
            item.box = box;
            item.image = image(e.image);
            item.stretch = e.stretch;
            items.push_back(std::move(item));
            return;
        default:
            break;
        }

        const QString text = elementText(e);
        QStringList lines;
        QRect textBox = box;
        if (e.autoSize) {
            lines = text.split(QLatin1Char('\n'));
            double widest = 0;
            for (const QString &line : lines)
                widest = std::max(widest, ReportTextMetrics::width(e.font, line));
            const int w = ceilUnits(widest);
            if (e.align & Qt::AlignRight)
                textBox.setLeft(box.x() + box.width() - w);
            else if (e.align & Qt::AlignHCenter)
                textBox.setLeft(box.x() + (box.width() - w) / 2);
            textBox.setWidth(w);
        } else {
            lines = wrapReportText(text, e.font, e.width);
        }
        const double lineHeight = ReportTextMetrics::lineHeight(e.font);
        if (e.autoStretch)
            textBox.setHeight(std::max(textBox.height(), ceilUnits(lines.size() * lineHeight)));
        // Only whole lines that fit are printed; a box lower than one line
        // still shows its first.
        const int fit = std::max(1, int(std::floor((textBox.height() + 1e-6) / lineHeight)));
        if (lines.size() > fit)
            lines = lines.mid(0, fit);

        item.kind = ReportItem::Text;
        item.box = textBox;
        item.text = lines.join(QLatin1Char('\n'));
        item.font = e.font;
        item.align = e.align;
        item.opaque = true;
        item.frame = e.frame;
        items.push_back(std::move(item));
    }

    QImage image(const QString &path)
    {
        if (path.isEmpty())
            return QImage();
        auto it = m_images.find(path);
        if (it == m_images.end())
            it = m_images.insert(path, QImage(path));
        return it.value();
    }

    const ReportDefinition &m_def;
    const ReportDataSets &m_data;
    const std::function<void(int)> &m_progress;
    QHash<const ReportBand *, std::vector<const ReportElement *>> m_sorted;
    std::vector<const ReportElement *> m_pageElements;
    const ReportBand *m_pageHeader = nullptr;
    const ReportBand *m_title = nullptr;
    const ReportBand *m_columnHeader = nullptr;
    const ReportBand *m_pageFooter = nullptr;
    std::vector<const ReportBand *> m_details;
    std::vector<const ReportBand *> m_subDetails;
    QHash<QString, QImage> m_images;
    std::vector<ReportPage> m_pages;
    int m_footerTop = 0;
    int m_y = 0;
    bool m_fresh = true;
    int m_lastPercent = -1;
};

} // namespace

std::vector<ReportPage> layoutReport(const ReportDefinition &def, const ReportDataSets &data,
                                     const std::function<void(int percent)> &progress)
{
    return Layouter(def, data, progress).run();
}

} // namespace kvor
