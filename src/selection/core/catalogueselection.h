#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace kvor {

class DbfTable;

// What a build of the equipment list reads.
struct SelectionInputs {
    double chamberTemperature = 0; // OB_TEMKAM
    double outdoorTemperature = 0; // OB_RGTMAX
    QString processingMode;        // OB_TERMR
    int systems = 0;               // KOLSYS as stored; 0 counts as 1
    double required = 0;           // CurrencyEdit11, kW
    int int1 = 95;                 // per cent, already in 60..100
    int int2 = 150;                // per cent, already in 100..200
};

// A chamber-temperature band: its catalogue file and the heading shown for it.
struct CatalogueBand {
    QString file;
    QString heading;
};

// The choices of one build, worked out before the catalogue is touched.
struct CatalogueChoice {
    std::optional<CatalogueBand> band;
    QString column; // "25", "30", "35" or "40"
    qint32 required = 0; // W
    QString lower, upper;
    QString filter;
};

// Chooses the catalogue, the ambient column and the capacity filter for a
// calculation, and keeps what persists between builds: the catalogue file, its
// heading, the visible capacity pair and the ambient column.
class CatalogueSelection {
public:
    enum class Outcome { Listed, NoMatch, NoBand, Failed };

    static std::optional<CatalogueBand> bandFor(double chamberTemperature);
    // Outdoor temperatures outside the table take the nearest column.
    static QString columnFor(double outdoorTemperature);
    // Half to even, as a signed 32-bit whole number (saturating).
    static qint32 roundHalfEven(long double value);
    static CatalogueChoice choose(const SelectionInputs &in);
    // The number in a per-cent field's text, brought into [low, high]; the
    // lower limit when the text holds no number.
    static int rangeValue(const QString &text, int low, int high);

    static QString noMatchMessage();
    static QString noBandMessage(double chamberTemperature);

    // Filter off, filter text empty, closed: in this order, when open.
    static void reset(DbfTable &taKat);

    // Resets, then opens `taKat` from `dataDir` on the chosen catalogue, filtered.
    // A table-layer error propagates (the table stays closed); the outcome says
    // whether anything is listed, and message() what the user is told.
    Outcome build(DbfTable &taKat, const QString &dataDir, const SelectionInputs &in);

    QString message() const { return m_message; }
    QString catalogueFile() const { return m_file; }
    QString heading() const { return m_heading; } // Label3
    QString ambientColumn() const { return m_column; }
    QString filter() const { return m_filter; }
    bool fieldVisible(const QString &name) const;
    // The catalogue fields a list shows, in field order.
    QStringList visibleFields() const;

    // Title and display width (characters) of a shown catalogue field.
    static QString fieldTitle(const QString &name);
    static int fieldWidth(const QString &name);
    static const QStringList &listedFields(); // every field a list may show, in order

private:
    QString m_file = QStringLiteral("kat-30.dbf");
    QString m_heading = QStringLiteral("-25");
    QString m_column;
    QString m_filter;
    QString m_message;
    std::array<bool, 4> m_pair = {true, false, false, false}; // visible Q/T pair, by column
};

} // namespace kvor
