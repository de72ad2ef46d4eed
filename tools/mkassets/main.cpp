// Draws the program's pictures: the start-screen background, the New sign
// frames, the news panel header, the tool bar and dialog button images and the
// application icon; given a second folder, also the input panel's page icons
// and the full-load button glyph. Everything is procedural with fixed seeds and
// uses only the Liberation fonts (Debian fonts-liberation), so a rerun writes the
// same files.
//
// Usage: QT_QPA_PLATFORM=offscreen kvor-mkassets OUTPUT_FOLDER [INPUT_PANEL_FOLDER]

#include <QDir>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------------------
// Deterministic randomness: the same seed must give the same picture on every
// machine, so nothing here depends on the library's generators.

uint32_t hash32(int x, int y, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B1u;
    h ^= uint32_t(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= uint32_t(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double cellRandom(int x, int y, uint32_t seed)
{
    return hash32(x, y, seed) / 4294967296.0;
}

double smoothStep(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

double smoothStep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return smoothStep(t);
}

// Value noise in [0, 1].
double noise2(double x, double y, uint32_t seed)
{
    const double fx0 = std::floor(x);
    const double fy0 = std::floor(y);
    const int xi = int(fx0);
    const int yi = int(fy0);
    const double u = smoothStep(x - fx0);
    const double v = smoothStep(y - fy0);
    const double a = cellRandom(xi, yi, seed);
    const double b = cellRandom(xi + 1, yi, seed);
    const double c = cellRandom(xi, yi + 1, seed);
    const double d = cellRandom(xi + 1, yi + 1, seed);
    return a + (b - a) * u + (c - a) * v + (a - b - c + d) * u * v;
}

double fbm(double x, double y, uint32_t seed, int octaves)
{
    double sum = 0.0;
    double amp = 1.0;
    double norm = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * noise2(x, y, seed + uint32_t(i) * 101u);
        norm += amp;
        amp *= 0.5;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / norm;
}

class Rng {
public:
    explicit Rng(uint64_t seed) : m_state(seed * 2654435761u + 1) {}
    double next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(m_state >> 11) * (1.0 / 9007199254740992.0);
    }
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }

private:
    uint64_t m_state;
};

// ---------------------------------------------------------------------------
// Colour arithmetic in floating point for the per-pixel parts.

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb rgb(int r, int g, int b)
{
    return {double(r), double(g), double(b)};
}

Rgb mix(const Rgb &a, const Rgb &b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(const Rgb &a, double k)
{
    return {a.r * k, a.g * k, a.b * k};
}

QRgb toQRgb(const Rgb &c)
{
    auto ch = [](double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); };
    return qRgb(ch(c.r), ch(c.g), ch(c.b));
}

Rgb fromQRgb(QRgb c)
{
    return rgb(qRed(c), qGreen(c), qBlue(c));
}

QColor qc(const Rgb &c, int alpha = 255)
{
    const QRgb v = toQRgb(c);
    return QColor(qRed(v), qGreen(v), qBlue(v), alpha);
}

// Three passes of a box blur on a premultiplied ARGB image; close enough to a
// Gaussian for soft shadows and glows.
void blur(QImage &img, int radius)
{
    if (radius < 1)
        return;
    img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = img.width();
    const int h = img.height();
    std::vector<int> line(size_t(std::max(w, h)) * 4);
    auto pass = [&](bool horizontal) {
        const int n = horizontal ? w : h;
        const int lines = horizontal ? h : w;
        for (int l = 0; l < lines; ++l) {
            auto px = [&](int i) -> QRgb & {
                return horizontal ? reinterpret_cast<QRgb *>(img.scanLine(l))[i]
                                  : reinterpret_cast<QRgb *>(img.scanLine(i))[l];
            };
            for (int i = 0; i < n; ++i) {
                const QRgb c = px(i);
                line[size_t(i) * 4 + 0] = qAlpha(c);
                line[size_t(i) * 4 + 1] = qRed(c);
                line[size_t(i) * 4 + 2] = qGreen(c);
                line[size_t(i) * 4 + 3] = qBlue(c);
            }
            const int span = 2 * radius + 1;
            for (int ch = 0; ch < 4; ++ch) {
                std::vector<int> out(static_cast<size_t>(n));
                int sum = 0;
                auto at = [&](int i) { return line[size_t(std::clamp(i, 0, n - 1)) * 4 + size_t(ch)]; };
                for (int i = -radius; i <= radius; ++i)
                    sum += at(i);
                for (int i = 0; i < n; ++i) {
                    out[size_t(i)] = sum / span;
                    sum += at(i + radius + 1) - at(i - radius);
                }
                for (int i = 0; i < n; ++i)
                    line[size_t(i) * 4 + size_t(ch)] = out[size_t(i)];
            }
            for (int i = 0; i < n; ++i) {
                const int a = line[size_t(i) * 4 + 0];
                px(i) = qRgba(std::min(line[size_t(i) * 4 + 1], a), std::min(line[size_t(i) * 4 + 2], a),
                              std::min(line[size_t(i) * 4 + 3], a), a);
            }
        }
    };
    for (int k = 0; k < 3; ++k) {
        pass(true);
        pass(false);
    }
}

QImage transparentImage(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QFont font(const char *family, int pixelSize, bool bold, bool italic = false)
{
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferNoHinting);
    const QFontInfo info(f);
    if (info.family() != f.family())
        std::fprintf(stderr, "warning: font \"%s\" not found, got \"%s\"; output will differ\n", family,
                     qPrintable(info.family()));
    return f;
}

QPainterPath textPath(const QFont &f, const QString &text, QPointF center)
{
    QPainterPath path;
    path.addText(0, 0, f, text);
    const QRectF r = path.boundingRect();
    path.translate(center - r.center());
    return path;
}

// Six arms with two pairs of side branches each; drawn with round caps so it
// reads at any size.
void drawSnowflake(QPainter &p, QPointF c, double r, const QPen &pen)
{
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        const double a = -kPi / 2 + i * kPi / 3;
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(c, c + dir * r);
        for (double t : {0.45, 0.72}) {
            const QPointF base = c + dir * (r * t);
            const double len = r * (t < 0.5 ? 0.3 : 0.22);
            for (double s : {-1.0, 1.0}) {
                const double b = a + s * kPi / 4;
                p.drawLine(base, base + QPointF(std::cos(b), std::sin(b)) * len);
            }
        }
    }
    p.restore();
}

// ---------------------------------------------------------------------------
// Background: mountain lake with two condensing units and the maker's logo.

constexpr int kBgW = 1536;
constexpr int kBgH = 1024;
constexpr int kHorizon = 640;

Rgb skyColor(double x, double y)
{
    const double t = std::clamp(y / kHorizon, 0.0, 1.0);
    Rgb c;
    if (t < 0.55)
        c = mix(rgb(92, 154, 214), rgb(166, 204, 238), smoothStep(t / 0.55));
    else
        c = mix(rgb(166, 204, 238), rgb(228, 238, 244), smoothStep((t - 0.55) / 0.45));
    // Low sun behind the upper left: a warm, wide glow.
    const double dx = (x - 180.0) / 700.0;
    const double dy = (y - 60.0) / 420.0;
    const double glow = std::exp(-(dx * dx + dy * dy) * 2.2);
    return mix(c, rgb(255, 250, 232), 0.45 * glow);
}

void paintSky(QImage &img)
{
    for (int y = 0; y < kHorizon; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < kBgW; ++x) {
            Rgb c = skyColor(x, y);
            // Flat-bottomed cumulus in a band under the text line; thin at the
            // centre so the logo keeps a clean backdrop.
            const double band = std::exp(-std::pow((y - 300.0) / 70.0, 2.0));
            const double side = 0.35 + 0.65 * smoothStep(0.0, 1.0, std::abs(x - 800.0) / 420.0);
            const double d = fbm(x / 230.0, y / 70.0, 11, 5);
            const double cover = std::clamp((d - 0.52) * 5.0, 0.0, 1.0) * band * side;
            if (cover > 0.0) {
                const double upper = fbm(x / 230.0, (y - 10.0) / 70.0, 11, 5);
                const double lit = std::clamp(0.6 + (d - upper) * 9.0, 0.0, 1.0);
                const Rgb cloud = mix(rgb(206, 216, 230), rgb(252, 252, 250), lit);
                c = mix(c, cloud, cover * 0.9);
            }
            row[x] = toQRgb(c);
        }
    }
}

struct Peak {
    double x, y, slopeLeft, slopeRight;
};

struct Range {
    std::vector<Peak> peaks;
    uint32_t seed;
    double roughAmp;
    double roughScale;
    Rgb lit, shade, snowLit, snowShade;
    double snowY;  // caps reach down to about here
    double haze;   // blend towards the sky colour: distance
    double mistY;  // the foot fades into mist from here down
    bool forest;
};

double ridgeY(const Range &r, double x, int *peakIndex = nullptr)
{
    double best = 1e9;
    int bestIndex = 0;
    for (size_t i = 0; i < r.peaks.size(); ++i) {
        const Peak &p = r.peaks[i];
        const double d = x - p.x;
        const double y = p.y + (d < 0 ? -d * p.slopeLeft : d * p.slopeRight);
        if (y < best) {
            best = y;
            bestIndex = int(i);
        }
    }
    if (peakIndex)
        *peakIndex = bestIndex;
    const double rough = fbm(x / r.roughScale, 0.5, r.seed, 6) - 0.5;
    const double fine = noise2(x / 3.0, 1.5, r.seed + 7) - 0.5;
    return best + rough * r.roughAmp + fine * r.roughAmp * 0.08;
}

void paintRange(QImage &img, const Range &r)
{
    std::vector<double> ridge(kBgW);
    std::vector<int> owner(kBgW);
    double top = kHorizon;
    for (int x = 0; x < kBgW; ++x) {
        ridge[size_t(x)] = ridgeY(r, x + 0.5, &owner[size_t(x)]);
        top = std::min(top, ridge[size_t(x)]);
    }
    for (int y = std::max(0, int(top) - 1); y < kHorizon; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < kBgW; ++x) {
            const double rY = ridge[size_t(x)];
            const double cover = std::clamp(y + 1.0 - rY, 0.0, 1.0);
            if (cover <= 0.0)
                continue;
            const int pi = owner[size_t(x)];
            const Peak &pk = r.peaks[size_t(pi)];
            const double below = std::max(0.0, y - pk.y);
            // The sunlit face is left of a crest line that wanders down from the summit.
            const double skew = (cellRandom(pi, 0, r.seed + 1) - 0.35) * 0.9;
            const double crest = pk.x + below * skew
                + (fbm(y / 70.0, pi * 3.1, r.seed + 3, 3) - 0.5) * (14.0 + below * 0.9);
            const bool litSide = x < crest;
            const double side = litSide ? 1.0 : -1.0;
            // Gullies and ribs run diagonally away from the crest.
            const double u = x + side * (y - pk.y) * 0.7;
            const double streak = fbm(u / 22.0, y / 160.0, r.seed + 5, 4);
            const double ribs = fbm((u - 2.0) / 34.0, y / 120.0, r.seed + 13, 3)
                - fbm((u + 2.0) / 34.0, y / 120.0, r.seed + 13, 3);
            const double edge = smoothStep(0.0, 1.0, std::abs(x - crest) / 5.0);
            double light = litSide ? 0.92 : 0.08;
            light = 0.5 + (light - 0.5) * edge;
            light = std::clamp(light + std::clamp(ribs * side * 14.0, -0.45, 0.45), 0.0, 1.0);
            Rgb c;
            if (r.forest) {
                const double n = fbm(x / 9.0, y / 6.0, r.seed + 9, 3);
                c = mix(r.shade, r.lit, std::clamp(light * 0.6 + (n - 0.5) * 1.2 + 0.2, 0.0, 1.0));
            } else {
                const double depth = y - rY;
                const Rgb rock = mix(r.shade, r.lit, light);
                c = scale(rock, 0.78 + 0.44 * streak);
                // Snow where the slope is high enough, with fingers down the gullies.
                const double snowLine = r.snowY + (streak - 0.5) * 120.0 + (pk.y - r.snowY) * 0.25;
                const double snow = std::clamp((snowLine - y) / 6.0, 0.0, 1.0) * std::clamp(1.4 - depth / 140.0, 0.0, 1.0);
                if (snow > 0.0) {
                    const Rgb snowColor = mix(r.snowShade, r.snowLit, light);
                    c = mix(c, scale(snowColor, 0.94 + 0.08 * streak), snow);
                }
            }
            const Rgb sky = skyColor(x, y);
            const double mist = smoothStep(r.mistY, kHorizon, y) * 0.55;
            c = mix(c, sky, std::clamp(r.haze + mist, 0.0, 1.0));
            row[x] = toQRgb(mix(fromQRgb(row[x]), c, cover));
        }
    }
}

void drawConifer(QPainter &p, double x, double baseY, double h, const QColor &dark, const QColor &lit, Rng &rng,
                 bool trunk)
{
    const double w = h * 0.44;
    const int tiers = std::clamp(int(h / 30.0) + 3, 3, 12);
    const double crown = h * (trunk ? 0.9 : 0.97);
    const double spacing = crown / (tiers + 0.6);
    if (trunk) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(72, 50, 32));
        p.drawRect(QRectF(x - h * 0.022, baseY - h * 0.14, h * 0.044, h * 0.14));
    }
    const QColor under = dark.darker(150);
    for (int i = 0; i < tiers; ++i) {
        const double yTop = baseY - h + i * spacing;
        const double yBot = baseY - h + (i + 1.6) * spacing;
        const double tierH = yBot - yTop;
        const double hw = w * 0.5 * (0.2 + 0.8 * (i + 1.0) / tiers) * rng.range(0.86, 1.08);
        const double droop = tierH * 0.24;
        QPainterPath bottom;
        bottom.moveTo(x + hw, yBot);
        bottom.quadTo(x + hw * 0.6, yBot - droop, x + hw * 0.3, yBot - droop * 0.5);
        bottom.quadTo(x, yBot - droop * 1.2, x - hw * 0.3, yBot - droop * 0.5);
        bottom.quadTo(x - hw * 0.6, yBot - droop, x - hw, yBot);
        QPainterPath tier;
        tier.moveTo(x, yTop);
        tier.quadTo(x + hw * 0.45, yTop + tierH * 0.6, x + hw, yBot);
        tier.connectPath(bottom);
        tier.quadTo(x - hw * 0.45, yTop + tierH * 0.6, x, yTop);
        p.setPen(Qt::NoPen);
        p.setBrush(dark);
        p.drawPath(tier);
        QPainterPath sunlit;
        sunlit.moveTo(x, yTop);
        sunlit.quadTo(x - hw * 0.45, yTop + tierH * 0.6, x - hw, yBot);
        sunlit.quadTo(x - hw * 0.6, yBot - droop, x - hw * 0.3, yBot - droop * 0.5);
        sunlit.quadTo(x - hw * 0.02, yTop + tierH * 0.6, x, yTop);
        p.setBrush(lit);
        p.drawPath(sunlit);
        if (h > 40) {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(under, std::max(1.0, spacing * 0.12)));
            p.drawPath(bottom);
        }
    }
}

void paintForest(QImage &img, const Range &hills)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(41);
    struct Tree {
        double x, y, h;
        int shade;
    };
    std::vector<Tree> trees;
    for (double x = -10; x < kBgW + 10; x += rng.range(3.0, 7.0)) {
        const double r = ridgeY(hills, x);
        trees.push_back({x, r + rng.range(2.0, 8.0), rng.range(12.0, 30.0), int(rng.range(0, 3))});
    }
    for (int i = 0; i < 2600; ++i) {
        const double x = rng.range(-10, kBgW + 10);
        const double r = ridgeY(hills, x);
        const double t = rng.next();
        trees.push_back({x, r + 6 + t * (kHorizon + 4 - r), rng.range(9.0, 20.0), int(rng.range(0, 3))});
    }
    std::sort(trees.begin(), trees.end(), [](const Tree &a, const Tree &b) { return a.y < b.y; });
    const QColor darks[3] = {QColor(28, 58, 44), QColor(36, 70, 50), QColor(44, 80, 54)};
    const QColor lits[3] = {QColor(58, 96, 62), QColor(66, 108, 66), QColor(76, 116, 70)};
    for (const Tree &t : trees) {
        const double mist = smoothStep(560, kHorizon + 5, t.y) * 0.35;
        const Rgb sky = skyColor(t.x, t.y);
        auto fade = [&](const QColor &c) { return qc(mix(rgb(c.red(), c.green(), c.blue()), sky, mist)); };
        drawConifer(p, t.x, t.y, t.h, fade(darks[t.shade]), fade(lits[t.shade]), rng, false);
    }
}

double shoreY(double x)
{
    return 858.0 - 118.0 * smoothStep(620.0, 1450.0, x) + (fbm(x / 90.0, 2.5, 77, 3) - 0.5) * 26.0;
}

void paintLake(QImage &img)
{
    const QImage above = img.copy();
    for (int y = kHorizon; y < kBgH; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        const double dy = y - kHorizon + 0.5;
        const double t = std::clamp(dy / 260.0, 0.0, 1.0);
        for (int x = 0; x < kBgW; ++x) {
            const double wave = (noise2(x / 70.0, y / 2.2, 201) - 0.5) * (1.5 + dy * 0.07);
            const double sy = kHorizon - dy * 0.98 + (noise2(x / 40.0, y / 1.4, 203) - 0.5) * (0.5 + dy * 0.03);
            const int sx = std::clamp(int(x + wave), 0, kBgW - 1);
            const int syi = std::clamp(int(sy), 0, kHorizon - 1);
            const int syj = std::clamp(syi - 1, 0, kHorizon - 1);
            const Rgb src = mix(fromQRgb(above.pixel(sx, syi)), fromQRgb(above.pixel(sx, syj)), 0.5);
            Rgb c = mix(scale(src, 0.86), rgb(38, 84, 112), 0.18 + 0.5 * t);
            // Patches of wind-ruffled water, lighter and without reflection detail.
            const double wind = smoothStep(0.56, 0.72, fbm(x / 260.0, y / 26.0, 207, 3));
            if (wind > 0.0) {
                const double ruffle = noise2(x / 30.0, y / 1.5, 209);
                c = mix(c, scale(rgb(150, 180, 200), 0.9 + 0.2 * ruffle), wind * 0.35 * (1.0 - t * 0.4));
            }
            if (dy < 2.5)
                c = mix(c, rgb(235, 240, 240), 0.35 * (1.0 - dy / 2.5));
            row[x] = toQRgb(c);
        }
    }
}

void paintGround(QImage &img)
{
    for (int y = kHorizon; y < kBgH; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < kBgW; ++x) {
            const double s = shoreY(x + 0.5);
            const double d = y + 0.5 - s;
            if (d < -1.0)
                continue;
            const double cover = std::clamp(d + 1.0, 0.0, 1.0);
            const double depth = std::clamp((y - s) / (kBgH - s + 1.0), 0.0, 1.0);
            const double blades = noise2(x / 1.6, y / 9.0, 301);
            const double patches = fbm(x / 120.0, y / 40.0, 303, 4);
            Rgb grass = mix(rgb(124, 160, 72), rgb(58, 96, 40), depth * 0.8 + (0.5 - patches) * 0.6);
            grass = scale(grass, 0.84 + 0.3 * blades);
            Rgb c = grass;
            // Sand and pebbles at the water, a darker wet edge right at it.
            const double sandWidth = 7.0 + 5.0 * fbm(x / 50.0, 9.5, 305, 3);
            if (d < sandWidth) {
                const double pebble = noise2(x / 2.5, y / 2.0, 307);
                Rgb sand = scale(rgb(176, 164, 132), 0.85 + 0.3 * pebble);
                if (d < 2.0)
                    sand = mix(rgb(72, 78, 72), sand, d / 2.0);
                c = mix(sand, grass, smoothStep(sandWidth - 3.0, sandWidth, d));
            }
            row[x] = toQRgb(mix(fromQRgb(row[x]), c, cover));
        }
    }
}

void drawBlade(QPainter &p, Rng &rng, double x, double y, double len)
{
    static const QColor colors[5] = {QColor(66, 110, 40), QColor(96, 138, 52), QColor(132, 168, 70),
                                     QColor(52, 88, 34), QColor(150, 176, 84)};
    const double lean = rng.range(-0.45, 0.45);
    QPen pen(colors[int(rng.range(0, 5))], rng.range(1.0, 1.9));
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath blade;
    blade.moveTo(x, y);
    blade.quadTo(x + lean * len * 0.3, y - len * 0.6, x + lean * len, y - len);
    p.drawPath(blade);
}

void drawGrass(QPainter &p, Rng &rng, double x0, double x1, const std::function<double(double)> &yAt,
               double minDown, double maxDown, int count, double minLen, double maxLen)
{
    for (int i = 0; i < count; ++i) {
        const double x = rng.range(x0, x1);
        const double y = yAt(x) + rng.range(minDown, maxDown);
        drawBlade(p, rng, x, y, rng.range(minLen, maxLen));
    }
}

void drawRock(QPainter &p, QPointF c, double w, double h)
{
    QRadialGradient g(c + QPointF(-w * 0.2, -h * 0.3), w * 0.7);
    g.setColorAt(0, QColor(170, 168, 160));
    g.setColorAt(1, QColor(92, 92, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 50, 40, 90));
    p.drawEllipse(QRectF(c.x() - w * 0.5 + 3, c.y() - h * 0.1, w, h * 0.5));
    p.setBrush(g);
    QPainterPath path;
    path.moveTo(c.x() - w * 0.5, c.y() + h * 0.25);
    path.cubicTo(c.x() - w * 0.5, c.y() - h * 0.5, c.x() + w * 0.3, c.y() - h * 0.6, c.x() + w * 0.5, c.y() + h * 0.25);
    path.closeSubpath();
    p.drawPath(path);
}

std::vector<QPointF> convexHull(std::vector<QPointF> pts)
{
    std::sort(pts.begin(), pts.end(), [](const QPointF &a, const QPointF &b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    auto cross = [](const QPointF &o, const QPointF &a, const QPointF &b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    std::vector<QPointF> hull(pts.size() * 2);
    size_t k = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0)
            --k;
        hull[k++] = pts[i];
    }
    for (size_t i = pts.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(hull[k - 2], hull[k - 1], pts[i - 1]) <= 0)
            --k;
        hull[k++] = pts[i - 1];
    }
    hull.resize(k - 1);
    return hull;
}

// One condensing unit in a simple oblique view: front face with the fans,
// lit top, coil side on the left.
struct Unit {
    QRectF front;
    QPointF depth;
    int fans;
};

void drawFan(QPainter &p, QPointF c, double r, double angle)
{
    p.save();
    // Recessed ring around the opening.
    QRadialGradient rim(c, r * 1.14);
    rim.setColorAt(0.84, QColor(120, 128, 136));
    rim.setColorAt(0.9, QColor(236, 239, 242));
    rim.setColorAt(1.0, QColor(176, 184, 192));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawEllipse(c, r * 1.12, r * 1.12);
    QRadialGradient well(c, r);
    well.setColorAt(0, QColor(58, 66, 74));
    well.setColorAt(1, QColor(20, 24, 29));
    p.setBrush(well);
    p.drawEllipse(c, r, r);
    // Blades.
    for (int i = 0; i < 4; ++i) {
        const double a = angle + i * kPi / 2;
        auto pt = [&](double rr, double aa) { return c + QPointF(std::cos(aa), std::sin(aa)) * rr; };
        QPainterPath blade;
        blade.moveTo(pt(r * 0.18, a - 0.35));
        blade.cubicTo(pt(r * 0.55, a - 0.55), pt(r * 0.9, a - 0.25), pt(r * 0.9, a + 0.2));
        blade.cubicTo(pt(r * 0.8, a + 0.55), pt(r * 0.45, a + 0.5), pt(r * 0.18, a + 0.35));
        blade.closeSubpath();
        QLinearGradient bg(pt(r * 0.2, a), pt(r * 0.9, a + 0.3));
        bg.setColorAt(0, QColor(150, 158, 166));
        bg.setColorAt(1, QColor(96, 104, 112));
        p.setBrush(bg);
        p.setPen(QPen(QColor(40, 46, 52), 1.0));
        p.drawPath(blade);
    }
    QRadialGradient hub(c - QPointF(r * 0.05, r * 0.05), r * 0.2);
    hub.setColorAt(0, QColor(190, 196, 202));
    hub.setColorAt(1, QColor(80, 88, 96));
    p.setBrush(hub);
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, r * 0.17, r * 0.17);
    // Wire guard: rings and spokes with a light top edge.
    p.setBrush(Qt::NoBrush);
    for (double rr = r * 0.24; rr < r * 0.99; rr += r * 0.105) {
        p.setPen(QPen(QColor(30, 34, 38, 200), 2.2));
        p.drawEllipse(c + QPointF(0.6, 0.8), rr, rr);
        p.setPen(QPen(QColor(214, 220, 226), 1.2));
        p.drawEllipse(c, rr, rr);
    }
    for (int i = 0; i < 4; ++i) {
        const double a = kPi / 4 + i * kPi / 2;
        const QPointF dir(std::cos(a), std::sin(a));
        p.setPen(QPen(QColor(214, 220, 226), 1.6));
        p.drawLine(c + dir * (r * 0.17), c + dir * (r * 0.98));
    }
    p.setPen(QPen(QColor(226, 230, 234), 2.0));
    p.drawEllipse(c, r * 0.17, r * 0.17);
    p.restore();
}

void drawUnit(QPainter &p, const Unit &u, const QFont &plateFont)
{
    // The units stand right of the vanishing point, so their left side shows.
    const QRectF f = u.front;
    const QPointF d = u.depth;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(52, 56, 60));
    p.drawRect(QRectF(f.left() + 8, f.bottom() - 2, 14, 8));
    p.drawRect(QRectF(f.right() - 22, f.bottom() - 2, 14, 8));
    QPolygonF sideFoot;
    sideFoot << QPointF(f.left() + 4, f.bottom() + 4) << QPointF(f.left() + d.x() + 4, f.bottom() + d.y() + 4)
             << QPointF(f.left() + d.x(), f.bottom() + d.y() - 2) << QPointF(f.left(), f.bottom() - 2);
    p.drawPolygon(sideFoot);

    // Top.
    QPolygonF top;
    top << f.topLeft() << f.topRight() << f.topRight() + d << f.topLeft() + d;
    QLinearGradient tg(f.topLeft() + d, f.topRight());
    tg.setColorAt(0, QColor(252, 253, 254));
    tg.setColorAt(1, QColor(222, 227, 232));
    p.setBrush(tg);
    p.setPen(QPen(QColor(120, 128, 136), 1.0));
    p.drawPolygon(top);

    // Coil side: frame, fins behind a wire mesh.
    QPolygonF side;
    side << f.topLeft() << f.topLeft() + d << f.bottomLeft() + d << f.bottomLeft();
    QLinearGradient sg(f.topLeft() + d, f.bottomLeft());
    sg.setColorAt(0, QColor(206, 212, 218));
    sg.setColorAt(1, QColor(150, 158, 166));
    p.setBrush(sg);
    p.drawPolygon(side);
    const double inset = 0.09;
    const QPointF sTop = f.topLeft() + QPointF(0, 10);
    const QPointF sBot = f.bottomLeft() - QPointF(0, 12);
    QPolygonF coil;
    coil << sTop + d * inset << sTop + d * (1 - inset) << sBot + d * (1 - inset) << sBot + d * inset;
    p.setBrush(QColor(96, 102, 108));
    p.setPen(Qt::NoPen);
    p.drawPolygon(coil);
    const int fins = int(std::hypot(d.x(), d.y()) / 2.2);
    for (int i = 0; i <= fins; ++i) {
        const double t = inset + (1 - 2 * inset) * i / fins;
        p.setPen(QPen(i % 2 ? QColor(178, 184, 190) : QColor(138, 144, 150), 1.0));
        p.drawLine(sTop + d * t, sBot + d * t);
    }
    for (double y = sTop.y() + 6; y < sBot.y(); y += 9) {
        p.setPen(QPen(QColor(60, 64, 70, 150), 1.0));
        p.drawLine(QPointF(sTop.x() + d.x() * inset, y + d.y() * inset),
                   QPointF(sTop.x() + d.x() * (1 - inset), y + d.y() * (1 - inset)));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(92, 98, 104));
    QPolygonF sideRail;
    sideRail << f.bottomLeft() - QPointF(0, 9) << f.bottomLeft() + d - QPointF(0, 9) << f.bottomLeft() + d
             << f.bottomLeft();
    p.drawPolygon(sideRail);

    // Front panel.
    QLinearGradient fg(f.topLeft(), f.bottomRight());
    fg.setColorAt(0, QColor(240, 243, 246));
    fg.setColorAt(1, QColor(192, 198, 204));
    p.setBrush(fg);
    p.setPen(QPen(QColor(110, 118, 126), 1.2));
    p.drawRect(f);
    // Lid edge and base rail.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(252, 253, 254));
    p.drawRect(QRectF(f.left(), f.top(), f.width(), 5));
    p.setBrush(QColor(92, 98, 104));
    p.drawRect(QRectF(f.left(), f.bottom() - 9, f.width(), 9));
    // Panel seams and screws.
    p.setPen(QPen(QColor(150, 158, 166), 1.0));
    const double step = f.width() / u.fans;
    for (int i = 1; i < u.fans; ++i)
        p.drawLine(QPointF(f.left() + step * i, f.top() + 6), QPointF(f.left() + step * i, f.bottom() - 10));
    p.setBrush(QColor(150, 156, 162));
    p.setPen(Qt::NoPen);
    for (double sx : {f.left() + 7, f.right() - 7})
        for (double sy : {f.top() + 12, f.bottom() - 16})
            p.drawEllipse(QPointF(sx, sy), 1.8, 1.8);

    const double r = std::min(step, f.height()) * 0.36;
    for (int i = 0; i < u.fans; ++i) {
        const QPointF c(f.left() + step * (i + 0.5), f.top() + 6 + (f.height() - 15) * 0.5);
        drawFan(p, c, r, 0.3 + i * 0.5);
    }

    // Maker's plate in the upper right corner.
    const QRectF plate(f.right() - 62, f.top() + 11, 50, 15);
    p.setBrush(QColor(255, 255, 255));
    p.setPen(QPen(QColor(140, 150, 160), 0.8));
    p.drawRoundedRect(plate, 2, 2);
    p.setPen(QColor(20, 70, 150));
    p.setFont(plateFont);
    p.drawText(plate, Qt::AlignCenter, QStringLiteral("Nivra"));

    // Outline of the whole casing.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 76, 82), 1.2));
    QPolygonF outline;
    outline << f.bottomRight() << f.topRight() << f.topRight() + d << f.topLeft() + d << f.bottomLeft() + d
            << f.bottomLeft();
    p.drawPolygon(outline);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.0));
    p.drawLine(f.topLeft() + QPointF(0.5, 1), f.topRight() + QPointF(-1, 1));
}

// Suction and liquid lines leave the coil side near the bottom and go down
// into the pad.
void drawPipes(QPainter &p, const Unit &u)
{
    const QRectF f = u.front;
    const QPointF d = u.depth;
    auto pipe = [&](double t, double rise, const QColor &c, const QColor &hi, double w) {
        const QPointF from = f.bottomLeft() + d * t - QPointF(0, rise);
        const double ground = f.bottom() + d.y() * t + 6;
        QPainterPath path;
        path.moveTo(from);
        path.lineTo(from + QPointF(-12, 0));
        path.quadTo(from + QPointF(-20, 0), from + QPointF(-20, 8));
        path.lineTo(QPointF(from.x() - 20, ground));
        QPen pen(c, w);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setPen(QPen(hi, w * 0.3));
        p.drawPath(path.translated(-w * 0.2, -w * 0.1));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 56));
        p.drawEllipse(QPointF(from.x() - 20, ground), w * 0.75, w * 0.3);
    };
    pipe(0.3, 40, QColor(28, 30, 32), QColor(84, 88, 92), 8.0);
    pipe(0.55, 30, QColor(184, 115, 51), QColor(240, 182, 122), 4.0);
}

void paintUnits(QImage &img)
{
    const Unit small{QRectF(930, 794, 178, 146), QPointF(-56, -34), 1};
    const Unit large{QRectF(1186, 764, 296, 176), QPointF(-70, -42), 2};
    const double padFront = 952;

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Concrete pad.
    const QPointF padD(-100, -60);
    const double padL = 900, padR = 1508, padTop = padFront - 12;
    QPolygonF padTopFace;
    padTopFace << QPointF(padL, padTop) << QPointF(padR, padTop) << QPointF(padR, padTop) + padD
               << QPointF(padL, padTop) + padD;
    QPolygonF padFrontFace;
    padFrontFace << QPointF(padL, padTop) << QPointF(padR, padTop) << QPointF(padR, padFront + 4)
                 << QPointF(padL, padFront + 4);
    QPolygonF padSide;
    padSide << QPointF(padL, padTop) << QPointF(padL, padTop) + padD << QPointF(padL, padFront + 4) + padD
            << QPointF(padL, padFront + 4);
    {
        // Soft contact shadow of the pad on the grass, mostly to the right.
        QImage sh = transparentImage(kBgW, kBgH);
        QPainter sp(&sh);
        sp.setRenderHint(QPainter::Antialiasing);
        sp.setPen(Qt::NoPen);
        sp.setBrush(QColor(0, 20, 0, 130));
        QPolygonF foot;
        foot << QPointF(padL, padFront + 5) << QPointF(padR + 14, padFront + 5)
             << QPointF(padR + 14, padFront + 5) + padD << QPointF(padL, padFront) + padD;
        sp.drawPolygon(foot);
        sp.end();
        blur(sh, 5);
        p.drawImage(0, 0, sh);
    }
    p.setPen(QPen(QColor(120, 118, 110), 1.0));
    p.setBrush(QColor(186, 184, 176));
    p.drawPolygon(padSide);
    p.setBrush(QColor(168, 166, 158));
    p.drawPolygon(padFrontFace);
    QLinearGradient pg(QPointF(padL, padTop) + padD, QPointF(padR, padTop));
    pg.setColorAt(0, QColor(212, 210, 202));
    pg.setColorAt(1, QColor(190, 188, 180));
    p.setBrush(pg);
    p.drawPolygon(padTopFace);
    Rng grain(59);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 900; ++i) {
        const double t = grain.next();
        const double s = grain.next();
        const QPointF pt = QPointF(padL + (padR - padL) * t, padTop) + padD * s;
        p.setBrush(QColor(120, 118, 110, int(grain.range(30, 90))));
        p.drawEllipse(pt, 0.9, 0.9);
    }

    // Cast shadows: the sun is high on the left, so they fall right and back,
    // onto the pad and the grass.
    QImage sh = transparentImage(kBgW, kBgH);
    {
        QPainter sp(&sh);
        sp.setRenderHint(QPainter::Antialiasing);
        sp.setPen(Qt::NoPen);
        sp.setBrush(QColor(0, 0, 0, 150));
        for (const Unit *u : {&small, &large}) {
            const QRectF &f = u->front;
            const QPointF s(f.height() * 0.5, -f.height() * 0.16);
            std::vector<QPointF> pts;
            for (const QPointF &b : {f.bottomLeft(), f.bottomRight(), f.bottomRight() + u->depth,
                                     f.bottomLeft() + u->depth}) {
                pts.push_back(b + QPointF(0, 2));
                pts.push_back(b + s);
            }
            QPolygonF hull;
            for (const QPointF &q : convexHull(pts))
                hull << q;
            sp.drawPolygon(hull);
        }
    }
    blur(sh, 4);
    p.drawImage(0, 0, sh);

    Rng rng(61);
    drawGrass(p, rng, padL - 20, padR + 30, [&](double) { return padFront + 6; }, -2, 14, 260, 5, 13);

    const QFont plateFont = font("Liberation Sans", 10, true);
    drawUnit(p, large, plateFont);
    drawPipes(p, large);
    drawUnit(p, small, plateFont);
}

void paintLogo(QImage &img)
{
    const QPointF center(866, 236);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Soft light behind the whole logo keeps it readable on the clouds.
    {
        QImage glow = transparentImage(kBgW, kBgH);
        QPainter gp(&glow);
        gp.setRenderHint(QPainter::Antialiasing);
        gp.setPen(Qt::NoPen);
        gp.setBrush(QColor(255, 255, 255, 96));
        gp.drawRoundedRect(QRectF(center.x() - 290, center.y() - 82, 580, 196), 90, 90);
        gp.end();
        blur(glow, 34);
        p.drawImage(0, 0, glow);
    }

    const QFont nameFont = font("Liberation Sans", 132, true);
    const QFont sloganFont = font("Liberation Serif", 40, true, true);
    const QPointF emblem(center.x() - 186, center.y() - 6);
    const double er = 72;
    const QPainterPath name = textPath(nameFont, QStringLiteral("Nivra"), QPointF(center.x() + 78, center.y() - 6));
    const QPainterPath slogan = textPath(sloganFont, QStringLiteral("Холод, якому довіряють"),
                                         QPointF(center.x(), center.y() + 92));

    // Drop shadow of emblem and name.
    {
        QImage sh = transparentImage(kBgW, kBgH);
        QPainter sp(&sh);
        sp.setRenderHint(QPainter::Antialiasing);
        sp.setPen(Qt::NoPen);
        sp.setBrush(QColor(10, 30, 60, 120));
        sp.translate(4, 6);
        sp.drawEllipse(emblem, er + 4, er + 4);
        sp.drawPath(name);
        sp.end();
        blur(sh, 5);
        p.drawImage(0, 0, sh);
    }

    // Emblem: a blue disc with a white snowflake.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(emblem, er + 5, er + 5);
    QRadialGradient disc(emblem - QPointF(er * 0.35, er * 0.4), er * 1.5);
    disc.setColorAt(0, QColor(88, 170, 240));
    disc.setColorAt(0.55, QColor(28, 100, 190));
    disc.setColorAt(1, QColor(10, 44, 104));
    p.setBrush(disc);
    p.drawEllipse(emblem, er, er);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(180, 220, 250, 160), 2.0));
    p.drawEllipse(emblem, er - 7, er - 7);
    QPen flake(QColor(255, 255, 255), 7.5);
    flake.setCapStyle(Qt::RoundCap);
    drawSnowflake(p, emblem, er * 0.74, flake);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(emblem, 9, 9);

    // Name: white outline, then a deep blue gradient fill.
    QPen outline(QColor(255, 255, 255), 10);
    outline.setJoinStyle(Qt::RoundJoin);
    p.setPen(outline);
    p.setBrush(Qt::NoBrush);
    p.drawPath(name);
    const QRectF nb = name.boundingRect();
    QLinearGradient ng(nb.topLeft(), nb.bottomLeft());
    ng.setColorAt(0, QColor(40, 120, 210));
    ng.setColorAt(0.5, QColor(18, 78, 166));
    ng.setColorAt(1, QColor(8, 40, 100));
    p.setPen(Qt::NoPen);
    p.setBrush(ng);
    p.drawPath(name);

    // A thin rule between name and slogan.
    QLinearGradient rule(QPointF(center.x() - 270, 0), QPointF(center.x() + 270, 0));
    rule.setColorAt(0, QColor(14, 60, 140, 0));
    rule.setColorAt(0.5, QColor(14, 60, 140, 220));
    rule.setColorAt(1, QColor(14, 60, 140, 0));
    p.setPen(QPen(QBrush(rule), 2.5));
    p.drawLine(QPointF(center.x() - 270, center.y() + 56), QPointF(center.x() + 270, center.y() + 56));

    QPen halo(QColor(255, 255, 255, 230), 6);
    halo.setJoinStyle(Qt::RoundJoin);
    p.setPen(halo);
    p.setBrush(Qt::NoBrush);
    p.drawPath(slogan);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 44, 100));
    p.drawPath(slogan);
}

void paintForeground(QImage &img)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(71);
    // Stones along the water's edge.
    for (int i = 0; i < 26; ++i) {
        const double x = rng.range(10, 1500);
        if (x > 860 && x < 1480)
            continue;
        const double w = rng.range(8, 26);
        drawRock(p, QPointF(x, shoreY(x) + rng.range(1, 6)), w, w * rng.range(0.45, 0.7));
    }
    drawGrass(p, rng, -10, kBgW + 10, shoreY, 4, 20, 2200, 4, 10);
    for (int i = 0; i < 5200; ++i) {
        const double x = rng.range(-10, kBgW + 10);
        const double s = shoreY(x);
        const double y = s + 18 + rng.next() * (kBgH + 20 - s);
        const double depth = (y - s) / (kBgH - s);
        drawBlade(p, rng, x, y, rng.range(6 + depth * 10, 10 + depth * 18));
    }

    // Conifers on the left bank and a few small ones by the shore.
    struct Fir {
        double x, h;
    };
    const Fir firs[] = {{38, 360}, {118, 300}, {190, 240}, {-14, 280}, {250, 160}, {300, 110}, {690, 86}, {736, 64}};
    const QColor dark(24, 54, 34);
    const QColor lit(56, 102, 56);
    for (const Fir &f : firs) {
        const double base = shoreY(f.x) + (f.h > 200 ? 70 : 22);
        // Shadow on the grass, to the right.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 40, 10, 70));
        p.drawEllipse(QPointF(f.x + f.h * 0.18, base + 2), f.h * 0.22, f.h * 0.035 + 3);
        drawConifer(p, f.x, base, f.h, dark, lit, rng, true);
    }
}

void paintVignette(QImage &img)
{
    for (int y = 0; y < kBgH; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < kBgW; ++x) {
            const double dx = (x - kBgW / 2.0) / (kBgW / 2.0);
            const double dy = (y - kBgH / 2.0) / (kBgH / 2.0);
            const double k = 1.0 - 0.16 * std::pow(std::clamp((dx * dx + dy * dy - 0.5) / 1.5, 0.0, 1.0), 1.2);
            // Keep the top edge bright: the contact line sits there.
            const double keep = smoothStep(0.0, 1.0, y / 300.0);
            row[x] = toQRgb(scale(fromQRgb(row[x]), 1.0 - (1.0 - k) * keep));
        }
    }
}

QImage background()
{
    QImage img(kBgW, kBgH, QImage::Format_RGB32);
    img.fill(Qt::black);
    paintSky(img);

    const Range far{{{-80, 468, 0.5, 0.5}, {140, 440, 0.55, 0.45}, {330, 452, 0.5, 0.65}, {540, 405, 0.8, 0.5},
                     {700, 420, 0.6, 0.7}, {905, 372, 0.55, 0.85}, {1060, 396, 0.7, 0.55}, {1205, 322, 0.85, 0.7},
                     {1390, 378, 0.6, 0.5}, {1580, 410, 0.5, 0.5}},
                    1001, 46, 90, rgb(150, 168, 196), rgb(104, 122, 156), rgb(250, 252, 255), rgb(188, 204, 228),
                    450, 0.42, 520, false};
    const Range mid{{{20, 520, 0.7, 0.8}, {230, 486, 0.9, 0.6}, {420, 536, 0.5, 0.7}, {640, 494, 0.85, 0.6},
                     {860, 530, 0.6, 0.9}, {1080, 470, 0.8, 0.75}, {1290, 512, 0.6, 0.55}, {1490, 484, 0.8, 0.7}},
                    2002, 38, 70, rgb(122, 130, 142), rgb(62, 72, 90), rgb(246, 249, 253), rgb(170, 186, 210), 530,
                    0.12, 560, false};
    const Range hills{{{-100, 600, 0.2, 0.2}, {200, 584, 0.25, 0.3}, {520, 604, 0.2, 0.25}, {800, 594, 0.3, 0.2},
                       {1100, 588, 0.25, 0.25}, {1400, 600, 0.2, 0.3}, {1650, 588, 0.2, 0.2}},
                      3003, 22, 120, rgb(60, 96, 62), rgb(30, 60, 42), {}, {}, -1e9, 0.05, 600, true};
    paintRange(img, far);
    paintRange(img, mid);
    paintRange(img, hills);
    paintForest(img, hills);
    paintLake(img);
    paintGround(img);
    paintForeground(img);
    paintUnits(img);
    paintVignette(img);
    paintLogo(img);
    return img;
}

// ---------------------------------------------------------------------------
// New sign frames: the word in red, then brighter with a yellow glow.

QImage newFrame(bool bright)
{
    QImage img = transparentImage(40, 20);
    const QFont f = font("Liberation Sans", 15, true, true);
    const QPainterPath text = textPath(f, QStringLiteral("New"), QPointF(20, 10));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (bright) {
        QImage glow = transparentImage(40, 20);
        {
            QPainter gp(&glow);
            gp.setRenderHint(QPainter::Antialiasing);
            QPen pen(QColor(255, 230, 0), 4.5);
            pen.setJoinStyle(Qt::RoundJoin);
            gp.setPen(pen);
            gp.setBrush(QColor(255, 230, 0));
            gp.drawPath(text);
        }
        blur(glow, 1);
        p.drawImage(0, 0, glow);
        QPen pen(QColor(255, 214, 0), 2.2);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        p.drawPath(text);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 36, 24));
        p.drawPath(text);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(190, 0, 0));
        p.drawPath(text);
    }
    return img;
}

// ---------------------------------------------------------------------------
// News panel header: a line with a little face peeking over it.

QImage newsHeader()
{
    const int w = 365;
    const int h = 25;
    const double lineY = 19.5;
    const double cx = w / 2.0;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor lime(0, 255, 0);

    QLinearGradient lg(QPointF(4, 0), QPointF(w - 4, 0));
    lg.setColorAt(0, QColor(0, 255, 0, 0));
    lg.setColorAt(0.15, lime);
    lg.setColorAt(0.85, lime);
    lg.setColorAt(1, QColor(0, 255, 0, 0));
    p.setPen(QPen(QBrush(lg), 1.6));
    p.drawLine(QPointF(4, lineY), QPointF(w - 4, lineY));

    QPen pen(lime, 1.3);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::black);
    // Top of the head.
    QPainterPath head;
    head.moveTo(cx - 15, lineY);
    head.cubicTo(cx - 15, lineY - 21, cx + 15, lineY - 21, cx + 15, lineY);
    p.drawPath(head);
    // Three hairs.
    p.drawLine(QPointF(cx - 3, lineY - 15.5), QPointF(cx - 5, lineY - 18.5));
    p.drawLine(QPointF(cx, lineY - 16), QPointF(cx, lineY - 19.5));
    p.drawLine(QPointF(cx + 3, lineY - 15.5), QPointF(cx + 5, lineY - 18.5));
    // Eyes looking down over the line.
    for (double ex : {cx - 6.0, cx + 6.0}) {
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(ex, lineY - 6.5), 4.2, 4.2);
        p.setPen(Qt::NoPen);
        p.setBrush(lime);
        p.drawEllipse(QPointF(ex + 0.4, lineY - 4.6), 1.8, 1.8);
        p.setPen(pen);
    }
    // The nose hangs over the line.
    p.setBrush(Qt::black);
    QPainterPath nose;
    nose.moveTo(cx - 2.6, lineY - 1);
    nose.cubicTo(cx - 4.5, lineY + 6, cx + 4.5, lineY + 6, cx + 2.6, lineY - 1);
    p.drawPath(nose);
    // Fingers gripping the line on both sides.
    for (double side : {-1.0, 1.0}) {
        for (int i = 0; i < 4; ++i) {
            const double fx = cx + side * (21.0 + i * 4.2);
            QPainterPath finger;
            finger.moveTo(fx - 2, lineY + 1.5);
            finger.lineTo(fx - 2, lineY - 2.5);
            finger.cubicTo(fx - 2, lineY - 5.2, fx + 2, lineY - 5.2, fx + 2, lineY - 2.5);
            finger.lineTo(fx + 2, lineY + 1.5);
            p.drawPath(finger);
        }
    }
    return img;
}

// ---------------------------------------------------------------------------
// 16 x 16 pixel art. Rows are drawn over each other; '.' leaves the pixel.

QColor paletteColor(char c)
{
    switch (c) {
    case 'k': return QColor(28, 28, 32);
    case 'w': return QColor(255, 255, 255);
    case 'g': return QColor(200, 204, 208);
    case 'G': return QColor(136, 140, 146);
    case 'd': return QColor(80, 84, 90);
    case 'y': return QColor(255, 214, 40);
    case 'Y': return QColor(214, 150, 20);
    case 'p': return QColor(255, 236, 150);
    case 'b': return QColor(48, 104, 200);
    case 'B': return QColor(24, 56, 128);
    case 'l': return QColor(168, 208, 255);
    case 'L': return QColor(96, 156, 230);
    case 'r': return QColor(230, 32, 32);
    case 'R': return QColor(140, 12, 12);
    case 'n': return QColor(40, 176, 48);
    case 'N': return QColor(12, 96, 20);
    case 'o': return QColor(140, 88, 40);
    case 'O': return QColor(200, 150, 88);
    case 'c': return QColor(234, 236, 238);
    default: return QColor();
    }
}

struct Stamp {
    int x, y;
    std::vector<const char *> rows;
};

QImage pixelArt(int size, const std::vector<Stamp> &stamps, const char *name)
{
    QImage img = transparentImage(size, size);
    QPainter p(&img);
    for (const Stamp &s : stamps) {
        for (size_t row = 0; row < s.rows.size(); ++row) {
            const char *line = s.rows[row];
            for (int col = 0; line[col]; ++col) {
                if (line[col] == '.')
                    continue;
                const QColor c = paletteColor(line[col]);
                const int x = s.x + col;
                const int y = s.y + int(row);
                if (!c.isValid() || x < 0 || y < 0 || x >= size || y >= size) {
                    std::fprintf(stderr, "%s: bad pixel '%c' at %d,%d\n", name, line[col], x, y);
                    std::exit(2);
                }
                p.fillRect(x, y, 1, 1, c);
            }
        }
    }
    return img;
}

const std::vector<const char *> kDocument = {
    "..kkkkkkkk......",
    "..kwwwwwwkk.....",
    "..kwwwwwwkgk....",
    "..kwwwwwwkggk...",
    "..kwwwwwwkkkkk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
};

const std::vector<const char *> kTextLines = {
    "GGGGG",
    ".....",
    "GGGGGGG",
    ".....",
    "GGGGGG",
    ".....",
    "GGGG",
};

const std::vector<const char *> kRedCross = {
    "Rr...rR",
    "rrr.rrr",
    ".rrrrr.",
    "..rrr..",
    ".rrrrr.",
    "rrr.rrr",
    "Rr...rR",
};

const std::vector<const char *> kGreenPlus = {
    "..NNN..",
    "..NnN..",
    "NNNnNNN",
    "NnnnnnN",
    "NNNnNNN",
    "..NnN..",
    "..NNN..",
};

QImage iconNew()
{
    return pixelArt(16,
                    {{0, 1, kDocument},
                     {9, 0,
                      {"...y...",
                       ".Y.y.Y.",
                       "..yyy..",
                       "yyywyyy",
                       "..yyy..",
                       ".Y.y.Y.",
                       "...y..."}}},
                    "new");
}

QImage iconOpen()
{
    return pixelArt(16,
                    {{0, 2,
                      {".kkkkk.........",
                       "kYYYYYk.........",
                       "kYYYYYYkkkkkkk..",
                       "kYYYYYYYYYYYYk..",
                       "kYYYYYYYYYYYYk..",
                       "kYYkkkkkkkkkkkkk",
                       "kYkpyyyyyyyyyyyk",
                       "kYkyyyyyyyyyyyk.",
                       "kkyyyyyyyyyyyyk.",
                       "kkyyyyyyyyyyyk..",
                       "kyyyyyyyyyyyyk..",
                       "kkkkkkkkkkkkkk.."}}},
                    "open");
}

QImage iconSave()
{
    return pixelArt(16,
                    {{0, 1,
                      {".kkkkkkkkkkkkk..",
                       ".kbkwwwwwwwwkbk.",
                       ".kbkwwwwwwwwkbbk",
                       ".kbkwGGGGGGwkbbk",
                       ".kbkwwwwwwwwkbbk",
                       ".kbkwGGGGGGwkbbk",
                       ".kbkwwwwwwwwkbbk",
                       ".kbbkkkkkkkkbbbk",
                       ".kbbbbbbbbbbbbbk",
                       ".kbbkkkkkkkkkbbk",
                       ".kbbkggggkkgkbbk",
                       ".kbbkggggkkgkbbk",
                       ".kbbkggggkkgkbbk",
                       ".kBBkggggggggBBk",
                       ".kkkkkkkkkkkkkkk"}}},
                    "save");
}

QImage iconClose()
{
    return pixelArt(16, {{0, 1, kDocument}, {4, 6, kRedCross}}, "close");
}

QImage iconPreview()
{
    return pixelArt(16,
                    {{0, 1, kDocument},
                     {4, 5, kTextLines},
                     {6, 6,
                      {"..kkk.....",
                       ".kllwk....",
                       "kLllllk...",
                       "kLlllwk...",
                       "kLLlllk...",
                       ".kLLlkk...",
                       "..kkkddd..",
                       "......ddd.",
                       ".......ddd",
                       "........dd"}}},
                    "preview");
}

QImage iconPrint()
{
    return pixelArt(16,
                    {{0, 1,
                      {"....kkkkkkkk....",
                       "....kwwwwwwk....",
                       "....kwGGGGwk....",
                       "....kwwwwwwk....",
                       "..kkkkkkkkkkkk..",
                       ".kccccccccccccck",
                       ".kggggggggggnngk",
                       ".kggggggggggggGk",
                       ".kGGGGGGGGGGGGGk",
                       ".kGkkkkkkkkkkGGk",
                       ".kkkwwwwwwwwkkk.",
                       "...kwGGGGGGwk...",
                       "...kwwwwwwwwk...",
                       "...kkkkkkkkkk..."}}},
                    "print");
}

QImage iconCut()
{
    return pixelArt(16,
                    {{0, 1,
                      {"...k........k...",
                       "...kg......gk...",
                       "....kg....gk....",
                       ".....kg..gk.....",
                       "......kggk......",
                       "......kGGk......",
                       ".....rRkkRr.....",
                       "....rR....Rr....",
                       "..rrrr....rrrr..",
                       ".rR..Rr..rR..Rr.",
                       ".r....r..r....r.",
                       ".r....r..r....r.",
                       ".rR..Rr..rR..Rr.",
                       "..rrrr....rrrr.."}}},
                    "cut");
}

QImage iconCopy()
{
    return pixelArt(16,
                    {{0, 0,
                      {"kkkkkkk.........",
                       "kwwwwwkk........",
                       "kwGGGwkgk.......",
                       "kwwwwwkkkk......",
                       "kwGGGGGwwk......",
                       "kwwwwkkkkkkk....",
                       "kwGGGkwwwwwkk...",
                       "kwwwwkwwwwwkgk..",
                       "kwGGGkwGGGwkggk.",
                       "kwwwwkwwwwwkkkkk",
                       "kkkkkkwGGGGGGGwk",
                       ".....kwwwwwwwwwk",
                       ".....kwGGGGGGwwk",
                       ".....kwwwwwwwwwk",
                       ".....kwGGGGGwwwk",
                       ".....kkkkkkkkkkk"}}},
                    "copy");
}

QImage iconPaste()
{
    return pixelArt(16,
                    {{0, 0,
                      {"......kkkk......",
                       "..kkkkkggkkkkk..",
                       ".koOOkgkkgkOOok.",
                       ".kOOkggggggkOOk.",
                       ".kOOkkkkkkkkOOk.",
                       ".kOOwwwwwwwwOOk.",
                       ".kOOwGGGGGGwOOk.",
                       ".kOOwwwwwwwwOOk.",
                       ".kOOwGGGGGwwOOk.",
                       ".kOOwwwwwwwwOOk.",
                       ".kOOwGGGGGGwOOk.",
                       ".kOOwwwwwwwwOOk.",
                       ".kOOwwwwwwwwOOk.",
                       ".koOOOOOOOOOOok.",
                       ".kkkkkkkkkkkkkk."}}},
                    "paste");
}

QImage iconExit()
{
    return pixelArt(16,
                    {{0, 1,
                      {"kkkkkkkkk.......",
                       "kdoooooook......",
                       "kdoOOOOOok......",
                       "kdoOooooOk......",
                       "kdoOooooOk......",
                       "kdoOooooOk......",
                       "kdoooooyok......",
                       "kdoooooyok......",
                       "kdoOooooOk......",
                       "kdoOooooOk......",
                       "kdoOooooOk......",
                       "kdoOOOOOOk......",
                       "kdooooooook.....",
                       "kkkkkkkkkkk....."}},
                     {8, 4,
                      {"...N....",
                       "...NN...",
                       "NNNNnN..",
                       "NnnnnnN.",
                       "NnnnnnnN",
                       "NnnnnnN.",
                       "NNNNnN..",
                       "...NN...",
                       "...N...."}}},
                    "exit");
}

QImage iconAddExecutor()
{
    return pixelArt(16, {{0, 0, kDocument}, {4, 5, kTextLines}, {9, 9, kGreenPlus}}, "add-executor");
}

QImage iconDeleteExecutor()
{
    return pixelArt(16, {{0, 0, kDocument}, {4, 5, kTextLines}, {9, 9, kRedCross}}, "delete-executor");
}

// ---------------------------------------------------------------------------
// Application icon: a snowflake on a cold blue tile with a bold K.

QImage appIcon(int size)
{
    QImage img = transparentImage(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    const QRectF tile(8, 8, 240, 240);
    // Small sizes get a bolder drawing so the shapes survive the downscale.
    const double weight = size <= 32 ? 1.7 : size <= 48 ? 1.35 : size <= 64 ? 1.15 : 1.0;

    QLinearGradient bg(tile.topLeft(), tile.bottomRight());
    bg.setColorAt(0, QColor(70, 160, 236));
    bg.setColorAt(0.5, QColor(24, 96, 190));
    bg.setColorAt(1, QColor(8, 38, 96));
    p.setPen(QPen(QColor(6, 28, 70), 4 * weight));
    p.setBrush(bg);
    p.drawRoundedRect(tile, 46, 46);
    // Gloss on the upper half.
    QLinearGradient gloss(QPointF(0, 10), QPointF(0, 130));
    gloss.setColorAt(0, QColor(255, 255, 255, 90));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(QRectF(16, 14, 224, 112), 40, 40);

    QPen flake(QColor(200, 232, 255, 150), 11 * weight);
    flake.setCapStyle(Qt::RoundCap);
    drawSnowflake(p, QPointF(128, 128), 104, flake);

    const QFont f = font("Liberation Sans", 176, true);
    const QPainterPath k = textPath(f, QStringLiteral("K"), QPointF(130, 130));
    p.setBrush(QColor(0, 20, 60, 120));
    p.drawPath(k.translated(5, 7));
    QPen outline(QColor(8, 40, 100), 9 * weight);
    outline.setJoinStyle(Qt::RoundJoin);
    p.setPen(outline);
    p.setBrush(Qt::NoBrush);
    p.drawPath(k);
    QLinearGradient kg(QPointF(0, 40), QPointF(0, 220));
    kg.setColorAt(0, QColor(255, 255, 255));
    kg.setColorAt(1, QColor(206, 232, 252));
    p.setPen(Qt::NoPen);
    p.setBrush(kg);
    p.drawPath(k);
    return img;
}

// ---------------------------------------------------------------------------
// Input panel: one 32 x 32 picture per heat gain page, and the full-load glyph.

struct IconPainter {
    QImage img = transparentImage(32, 32);
    QPainter p{&img};
    IconPainter() { p.setRenderHint(QPainter::Antialiasing); }
};

QPen pen(const QColor &c, double w)
{
    QPen pn(c, w);
    pn.setCapStyle(Qt::RoundCap);
    pn.setJoinStyle(Qt::RoundJoin);
    return pn;
}

// A red heat arrow: a wavy shaft ending in a head.
void drawHeatArrow(QPainter &p, QPointF from, QPointF to, const QColor &c)
{
    QPainterPath shaft(from);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    const int waves = 2;
    for (int i = 1; i <= waves * 2; ++i) {
        const double t0 = double(i - 1) / (waves * 2);
        const double t1 = double(i) / (waves * 2);
        const QPointF mid = from + d * ((t0 + t1) / 2) + n * ((i % 2) ? 2.2 : -2.2);
        shaft.quadTo(mid, from + d * t1 * 0.82);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(c, 2.2));
    p.drawPath(shaft);
    const QPointF tip = to;
    const QPointF base = from + d * 0.78;
    QPolygonF head({tip, base + n * 4, base - n * 4});
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(head);
}

QImage pageWalls()
{
    IconPainter ip;
    QPainter &p = ip.p;
    const QColor mortar(210, 204, 190);
    p.fillRect(QRectF(3, 4, 18, 25), mortar);
    const QColor brick(178, 70, 46), brickDark(128, 44, 30);
    for (int row = 0; row < 6; ++row) {
        const double y = 4.5 + row * 4.1;
        const double shift = (row % 2) ? -4.5 : 0;
        for (double x = 3 + shift; x < 21; x += 9) {
            QRectF r(std::max(3.0, x + 0.5), y, std::min(8.0, 21 - std::max(3.0, x + 0.5) - 0.5), 3.3);
            if (r.width() <= 0.5)
                continue;
            p.fillRect(r, brick);
            p.fillRect(QRectF(r.left(), r.bottom() - 0.9, r.width(), 0.9), brickDark);
        }
    }
    p.setPen(pen(QColor(90, 40, 30), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3, 4, 18, 25));
    // Insulation layer on the cold side.
    p.fillRect(QRectF(21, 4, 4, 25), QColor(250, 226, 90));
    p.setPen(pen(QColor(170, 140, 20), 0.8));
    for (double y = 6; y < 29; y += 3)
        p.drawLine(QPointF(21.5, y), QPointF(24.5, y + 1.5));
    drawHeatArrow(p, QPointF(1, 16.5), QPointF(31, 16.5), QColor(230, 30, 20));
    return ip.img;
}

QImage pageVentilation()
{
    IconPainter ip;
    QPainter &p = ip.p;
    // Duct grille with air streaming out of it.
    p.setPen(pen(QColor(60, 70, 80), 1.2));
    p.setBrush(QColor(196, 204, 212));
    p.drawRoundedRect(QRectF(2, 6, 12, 20), 2, 2);
    p.setPen(pen(QColor(90, 100, 110), 1.4));
    for (double y = 10; y <= 22; y += 4)
        p.drawLine(QPointF(4, y), QPointF(12, y));
    const QColor air(40, 130, 230);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const double y = 9 + i * 7;
        QPainterPath wave(QPointF(16, y));
        wave.cubicTo(QPointF(20, y - 3), QPointF(23, y + 3), QPointF(27, y));
        p.setPen(pen(air, 1.8));
        p.drawPath(wave);
        p.setPen(Qt::NoPen);
        p.setBrush(air);
        p.drawPolygon(QPolygonF({QPointF(31, y), QPointF(26.5, y - 2.8), QPointF(26.5, y + 2.8)}));
        p.setBrush(Qt::NoBrush);
    }
    return ip.img;
}

QImage pageInfiltration()
{
    IconPainter ip;
    QPainter &p = ip.p;
    // Door frame, the door swung open, warm air coming in.
    p.setPen(pen(QColor(70, 50, 30), 1.4));
    p.setBrush(QColor(40, 60, 90));
    p.drawRect(QRectF(9, 3, 14, 26));
    p.setBrush(QColor(198, 150, 92));
    QPolygonF leaf({QPointF(23, 3), QPointF(29, 6), QPointF(29, 31), QPointF(23, 29)});
    p.drawPolygon(leaf);
    p.setBrush(QColor(60, 40, 20));
    p.drawEllipse(QPointF(27.5, 17), 0.9, 0.9);
    p.setPen(pen(QColor(90, 90, 90), 1.2));
    p.drawLine(QPointF(1, 29.5), QPointF(31, 29.5));
    drawHeatArrow(p, QPointF(2, 12), QPointF(20, 18), QColor(236, 112, 20));
    drawHeatArrow(p, QPointF(2, 22), QPointF(20, 24), QColor(236, 112, 20));
    return ip.img;
}

QImage pageTreatment()
{
    IconPainter ip;
    QPainter &p = ip.p;
    // A crate of goods and a thermometer beside it.
    p.setPen(pen(QColor(110, 70, 30), 1.2));
    p.setBrush(QColor(214, 168, 104));
    p.drawRect(QRectF(2, 14, 18, 15));
    p.drawLine(QPointF(2, 19), QPointF(20, 19));
    p.drawLine(QPointF(2, 24), QPointF(20, 24));
    p.setBrush(QColor(226, 90, 80));
    p.drawEllipse(QRectF(5, 8, 6, 6));
    p.setBrush(QColor(240, 200, 60));
    p.drawEllipse(QRectF(11, 7, 7, 7));
    p.setPen(pen(QColor(60, 60, 70), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(24, 2, 5, 22), 2.5, 2.5);
    p.setBrush(QColor(220, 20, 20));
    p.drawEllipse(QPointF(26.5, 26.5), 4, 4);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(25.5, 9, 2, 15));
    p.setPen(pen(QColor(60, 60, 70), 0.8));
    for (double y = 5; y < 22; y += 3)
        p.drawLine(QPointF(22, y), QPointF(23.5, y));
    // Cold: a small snowflake marks the treatment.
    drawSnowflake(p, QPointF(11, 22), 4.5, pen(QColor(30, 110, 220), 1));
    return ip.img;
}

QImage pageRespiration()
{
    IconPainter ip;
    QPainter &p = ip.p;
    // An apple giving off breath.
    QPainterPath apple;
    apple.moveTo(14, 12);
    apple.cubicTo(6, 6, 0, 14, 3, 22);
    apple.cubicTo(5, 29, 10, 31, 14, 28.5);
    apple.cubicTo(18, 31, 23, 29, 25, 22);
    apple.cubicTo(28, 14, 22, 6, 14, 12);
    QRadialGradient g(QPointF(10, 16), 14);
    g.setColorAt(0, QColor(140, 220, 90));
    g.setColorAt(1, QColor(40, 140, 30));
    p.setPen(pen(QColor(30, 90, 20), 1));
    p.setBrush(g);
    p.drawPath(apple);
    p.setPen(pen(QColor(110, 70, 30), 1.6));
    p.drawLine(QPointF(14, 12), QPointF(15.5, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 170, 40));
    QPainterPath leaf(QPointF(15.5, 7));
    leaf.quadTo(QPointF(19, 2), QPointF(23, 4));
    leaf.quadTo(QPointF(20, 8.5), QPointF(15.5, 7));
    p.drawPath(leaf);
    p.setBrush(Qt::NoBrush);
    const QColor breath(120, 160, 220);
    for (int i = 0; i < 3; ++i) {
        const double x = 24 + i * 3;
        QPainterPath w(QPointF(x, 16 - i * 2));
        w.cubicTo(QPointF(x - 2, 13 - i * 2), QPointF(x + 2, 10 - i * 2), QPointF(x, 7 - i * 2));
        p.setPen(pen(breath, 1.3));
        p.drawPath(w);
    }
    return ip.img;
}

QImage pageLighting()
{
    IconPainter ip;
    QPainter &p = ip.p;
    QRadialGradient glow(QPointF(16, 12), 14);
    glow.setColorAt(0, QColor(255, 250, 180, 200));
    glow.setColorAt(1, QColor(255, 250, 180, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(16, 12), 14, 14);
    QPainterPath bulb;
    bulb.addEllipse(QPointF(16, 11.5), 8, 8);
    QPainterPath neck;
    neck.addRect(QRectF(12, 17, 8, 5));
    bulb = bulb.united(neck);
    QRadialGradient g(QPointF(13.5, 9), 10);
    g.setColorAt(0, QColor(255, 255, 230));
    g.setColorAt(1, QColor(250, 210, 40));
    p.setPen(pen(QColor(170, 130, 10), 1));
    p.setBrush(g);
    p.drawPath(bulb);
    p.setPen(pen(QColor(120, 90, 20), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(13.5, 17), QPointF(14.5, 12), QPointF(16, 14), QPointF(17.5, 12), QPointF(18.5, 17)}));
    p.setBrush(QColor(150, 150, 160));
    p.setPen(pen(QColor(80, 80, 90), 0.9));
    p.drawRect(QRectF(12, 22, 8, 6));
    p.drawLine(QPointF(12, 24), QPointF(20, 24));
    p.drawLine(QPointF(12, 26), QPointF(20, 26));
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(QRectF(14, 28, 4, 2));
    return ip.img;
}

QImage pagePersonnel()
{
    IconPainter ip;
    QPainter &p = ip.p;
    // Two workers in warm jackets; the one behind is smaller.
    auto person = [&](double cx, double top, double k, const QColor &jacket, const QColor &hat) {
        p.setPen(pen(QColor(50, 40, 30), 0.9));
        p.setBrush(QColor(240, 196, 160));
        p.drawEllipse(QPointF(cx, top + 4.5 * k), 4 * k, 4 * k);
        p.setBrush(hat);
        QPainterPath cap;
        cap.moveTo(cx - 4.2 * k, top + 4 * k);
        cap.cubicTo(cx - 4 * k, top - 0.5 * k, cx + 4 * k, top - 0.5 * k, cx + 4.2 * k, top + 4 * k);
        cap.closeSubpath();
        p.drawPath(cap);
        QPainterPath body;
        body.moveTo(cx - 7 * k, top + 21 * k);
        body.cubicTo(cx - 7 * k, top + 11 * k, cx - 5 * k, top + 9.5 * k, cx, top + 9.5 * k);
        body.cubicTo(cx + 5 * k, top + 9.5 * k, cx + 7 * k, top + 11 * k, cx + 7 * k, top + 21 * k);
        body.closeSubpath();
        p.setBrush(jacket);
        p.drawPath(body);
        p.setPen(pen(QColor(230, 230, 230), 1));
        p.drawLine(QPointF(cx, top + 10 * k), QPointF(cx, top + 20.5 * k));
    };
    person(22, 3, 0.85, QColor(60, 110, 200), QColor(200, 40, 40));
    person(12, 7, 1.0, QColor(230, 120, 30), QColor(40, 60, 140));
    return ip.img;
}

QImage pageVehicles()
{
    IconPainter ip;
    QPainter &p = ip.p;
    // A forklift with a pallet load on its forks.
    p.setPen(pen(QColor(50, 50, 50), 1));
    p.setBrush(QColor(250, 190, 30));
    QPolygonF body({QPointF(8, 14), QPointF(14, 14), QPointF(16, 19), QPointF(22, 19), QPointF(22, 26),
                    QPointF(6, 26), QPointF(6, 19)});
    p.drawPolygon(body);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(50, 50, 50), 1.2));
    p.drawLine(QPointF(8, 14), QPointF(8, 8));
    p.drawLine(QPointF(8, 8), QPointF(15, 8));
    p.drawLine(QPointF(15, 8), QPointF(15, 14));
    p.setPen(pen(QColor(70, 70, 70), 1.8));
    p.drawLine(QPointF(24, 5), QPointF(24, 27));
    p.drawLine(QPointF(24, 27), QPointF(31, 27));
    p.setPen(pen(QColor(110, 70, 30), 1));
    p.setBrush(QColor(200, 150, 90));
    p.drawRect(QRectF(25, 17, 6, 9));
    p.drawRect(QRectF(25, 11, 6, 6));
    p.setPen(pen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(9.5, 27), 3.3, 3.3);
    p.drawEllipse(QPointF(19.5, 27), 3.3, 3.3);
    p.setBrush(QColor(170, 170, 170));
    p.drawEllipse(QPointF(9.5, 27), 1.2, 1.2);
    p.drawEllipse(QPointF(19.5, 27), 1.2, 1.2);
    return ip.img;
}

QImage pageCoolers()
{
    IconPainter ip;
    QPainter &p = ip.p;
    // An air cooler: casing, one fan, and the defrost heater beneath.
    QLinearGradient casing(QPointF(0, 3), QPointF(0, 22));
    casing.setColorAt(0, QColor(236, 240, 244));
    casing.setColorAt(1, QColor(176, 184, 194));
    p.setPen(pen(QColor(70, 80, 90), 1));
    p.setBrush(casing);
    p.drawRoundedRect(QRectF(1.5, 3, 29, 19), 2, 2);
    p.setBrush(QColor(50, 60, 70));
    p.drawEllipse(QPointF(12, 12.5), 7.5, 7.5);
    p.setBrush(QColor(120, 190, 240));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(12, 12.5);
        p.rotate(i * 90 + 20);
        QPainterPath blade(QPointF(0, 0));
        blade.cubicTo(QPointF(2, -2), QPointF(6.5, -2), QPointF(6.5, 0.5));
        blade.cubicTo(QPointF(4, 1.5), QPointF(2, 1.5), QPointF(0, 0));
        p.drawPath(blade);
        p.restore();
    }
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QPointF(12, 12.5), 1.5, 1.5);
    p.setPen(pen(QColor(90, 100, 110), 1));
    for (double x = 22; x <= 28; x += 2)
        p.drawLine(QPointF(x, 6), QPointF(x, 19));
    // Heater element glowing red.
    p.setPen(pen(QColor(220, 40, 20), 1.8));
    p.setBrush(Qt::NoBrush);
    QPainterPath coil(QPointF(3, 27));
    for (int i = 0; i < 6; ++i) {
        const double x = 3 + i * 4.5;
        coil.quadTo(QPointF(x + 1.1, i % 2 ? 31 : 23.5), QPointF(x + 2.25, 27));
        coil.quadTo(QPointF(x + 3.4, i % 2 ? 23.5 : 31), QPointF(x + 4.5, 27));
    }
    p.drawPath(coil);
    return ip.img;
}

// 13 x 13: a chamber packed full of boxes.
QImage fullLoadGlyph()
{
    QImage img = transparentImage(13, 13);
    QPainter p(&img);
    const QColor edge(110, 70, 30), face(214, 168, 104);
    p.setPen(edge);
    p.setBrush(face);
    p.drawRect(0, 7, 5, 5);
    p.drawRect(6, 7, 5, 5);
    p.drawRect(3, 1, 5, 5);
    p.setPen(QColor(20, 90, 20));
    p.drawLine(12, 0, 12, 12);
    p.drawLine(11, 0, 12, 0);
    p.drawLine(11, 12, 12, 12);
    return img;
}

bool saveInputPanelIcons(const QDir &dir);

bool save(const QImage &img, const QDir &dir, const char *name, const char *format = nullptr, int quality = -1)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (!img.save(path, format, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s  %dx%d\n", qPrintable(path), img.width(), img.height());
    return true;
}

bool saveInputPanelIcons(const QDir &dir)
{
    const std::pair<const char *, QImage (*)()> pages[] = {
        {"page-walls.png", pageWalls},         {"page-ventilation.png", pageVentilation},
        {"page-infiltration.png", pageInfiltration}, {"page-treatment.png", pageTreatment},
        {"page-respiration.png", pageRespiration},   {"page-lighting.png", pageLighting},
        {"page-personnel.png", pagePersonnel},       {"page-vehicles.png", pageVehicles},
        {"page-coolers.png", pageCoolers},           {"full-load.png", fullLoadGlyph},
    };
    bool ok = true;
    for (const auto &[name, make] : pages)
        ok &= save(make().convertToFormat(QImage::Format_ARGB32), dir, name);
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [INPUT_PANEL_FOLDER]\n", argv[0]);
        return 1;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    ok &= save(background(), dir, "background.jpg", "JPG", 88);
    ok &= save(newFrame(false).convertToFormat(QImage::Format_ARGB32), dir, "new1.png");
    ok &= save(newFrame(true).convertToFormat(QImage::Format_ARGB32), dir, "new2.png");
    ok &= save(newsHeader().convertToFormat(QImage::Format_RGB32), dir, "news.png");
    const std::pair<const char *, QImage (*)()> icons[] = {
        {"new.png", iconNew},       {"open.png", iconOpen},       {"save.png", iconSave},
        {"close.png", iconClose},   {"preview.png", iconPreview}, {"print.png", iconPrint},
        {"cut.png", iconCut},       {"copy.png", iconCopy},       {"paste.png", iconPaste},
        {"exit.png", iconExit},     {"add-executor.png", iconAddExecutor},
        {"delete-executor.png", iconDeleteExecutor},
    };
    for (const auto &[name, make] : icons)
        ok &= save(make().convertToFormat(QImage::Format_ARGB32), dir, name);
    ok &= save(appIcon(256).convertToFormat(QImage::Format_ARGB32), dir, "kvor.png");
    for (int size : {32, 48, 64}) {
        const QByteArray name = "kvor-" + QByteArray::number(size) + ".png";
        ok &= save(appIcon(size).convertToFormat(QImage::Format_ARGB32), dir, name.constData());
    }
    if (argc == 3) {
        QDir panel(QString::fromLocal8Bit(argv[2]));
        if (!panel.mkpath(QStringLiteral("."))) {
            std::fprintf(stderr, "cannot create %s\n", argv[2]);
            return 1;
        }
        ok &= saveInputPanelIcons(panel);
    }
    return ok ? 0 : 1;
}
