#pragma once

#include <QString>

#include <map>
#include <vector>

namespace kvor {

// One row of an equipment catalogue, as the generator stores it.
struct CatalogueSystem {
    QString sis;
    QString agr;
    QString vohl;
    int capacity[4] = {};   // W at 25, 30, 35, 40 °C ambient
    double difference[4] = {}; // air-cooler dT, K, at the same ambients
    double power = 0;       // kW
    double current = 0;     // A
    QString nabor;
    QString shkaf;
    int group = 0;
    int vo = 0;
    bool deleted = false;
    double rated = 0; // the condensing unit's rated capacity, W (for ordering)
};

struct CatalogueGroup {
    int id = 0;
    QString name;     // GR
    QString subgroup; // PGR
};

// The capacity model of the shipped catalogues, read from "catalogue-model.txt".
// Everything the numbers depend on comes from that file; this class only applies
// the formulas documented there.
class CatalogueModel {
public:
    static constexpr int kAmbients[4] = {25, 30, 35, 40};

    struct TemperatureClass {
        QString code;
        double ratingEvaporating = 0; // °C
        double capacitySlope = 0;     // per K of evaporating temperature
        double ambientSlope = 0;      // b, per K of ambient
        double cop = 0;
        double powerSlope = 0;        // per K of ambient
        QString finSpacing;
        QString defrost;
    };
    struct Band {
        QString file;
        int room = 0;
        QString classCode;
        double storageDifference = 0;
        double productDifference = 0;
    };
    struct Family {
        QString letter;
        QString unitPrefix;
        double copFactor = 1;
        QString subgroup;
    };
    struct Variant {
        QString letter;
        QString coolerPrefix;
        bool productCooling = false;
    };
    struct Line {
        QString classCode;
        QString family;
        std::vector<double> ratings;
    };
    struct Group {
        int id = 0;
        QString classCode, family, variant, name;
    };
    struct Pipe {
        QString classCode;
        double upTo = 0;
        int liquid = 0, suction = 0;
    };

    // Throws std::runtime_error naming the file and line for anything malformed.
    static CatalogueModel load(const QString &path);
    static CatalogueModel parse(const QString &text, const QString &sourceName);

    const std::vector<Band> &bands() const { return m_bands; }
    std::vector<CatalogueGroup> groups() const;
    // The live rows of one band's file in file order, the deleted row among them.
    std::vector<CatalogueSystem> systems(const Band &band) const;

private:
    double setting(const QString &name) const;
    const TemperatureClass &temperatureClass(const QString &code) const;
    const Family &family(const QString &letter) const;
    int groupId(const QString &classCode, const QString &family, const QString &variant) const;
    bool makeSystem(const Band &band, const TemperatureClass &tc, const Family &fam, const Variant &var,
                    double rated, CatalogueSystem *out) const;
    void validate() const;

    QString m_source;
    std::map<QString, double> m_settings;
    QString m_retiredVariant;
    std::vector<TemperatureClass> m_classes;
    std::vector<Band> m_bands;
    std::vector<Family> m_families;
    std::vector<Variant> m_variants;
    std::vector<Line> m_lines;
    std::vector<Group> m_groups;
    std::vector<double> m_coolers;
    std::vector<int> m_breakers;
    std::vector<Pipe> m_pipes;
};

} // namespace kvor
