#include "heatbalance.h"

#include "rounding.h"
#include "storedtext.h"

#include <cmath>

namespace kvor {

namespace {

const QString kStorage = QStringLiteral("Хранение");
const QString kCooling = QStringLiteral("Охлаждение");

const char *const kEnclosureNames[6] = {"стіна А", "стіна Б", "стіна В", "стіна Г", "стеля", "підлога"};

// An undefined operation: the run ends here.
struct Stop {
    QString reason;
};

QString whatStep(CalcStep step)
{
    switch (step) {
    case CalcStep::Walls: return QStringLiteral("теплопритік через стіни");
    case CalcStep::Ventilation: return QStringLiteral("теплопритік від обмінної вентиляції");
    case CalcStep::Infiltration: return QStringLiteral("теплопритік від інфільтрації");
    case CalcStep::ProductTreatment: return QStringLiteral("теплопритік від термообробки продукту");
    case CalcStep::Respiration: return QStringLiteral("теплопритік від дихання продукту");
    case CalcStep::Lighting: return QStringLiteral("теплопритік від освітлення");
    case CalcStep::Personnel: return QStringLiteral("теплопритік від персоналу");
    case CalcStep::Vehicles: return QStringLiteral("теплопритік від НТЗ");
    case CalcStep::Fans: return QStringLiteral("теплопритік від двигунів ПО");
    case CalcStep::RequiredCapacity: return QStringLiteral("потрібну холодопродуктивність");
    case CalcStep::Sum: return QStringLiteral("сумарний теплопритік");
    }
    return QString();
}

QString degrees(int t)
{
    return QString::number(t) + QStringLiteral(" °C");
}

// The multiple of 5 nearest to a humidity, within 50 … 100.
int humidityClass(int h)
{
    int b = int(std::floor((h + 2) / 5.0)) * 5;
    return b < 50 ? 50 : b > 100 ? 100 : b;
}

class Run {
public:
    Run(const CalcInputs &in, HeatBalance &out)
        : m_in(in), m_r(in.record), m_out(out), m_d(out.details)
    {
    }

    void all()
    {
        try {
            walls();
            ventilation();
            infiltration();
            productTreatment();
            respiration();
            lighting();
            personnel();
            vehicles();
            fans();
            requiredCapacity();
            sum();
        } catch (const Stop &stop) {
            m_out.stoppedAt = m_step;
            m_out.error = QStringLiteral("Неможливо обчислити %1: %2.").arg(whatStep(m_step), stop.reason);
        }
    }

private:
    // Floating-point division as the run does it: any division by zero, 0/0
    // included, ends the run.
    template<typename Reason>
    static double divide(double a, double b, const Reason &reason)
    {
        if (b == 0)
            throw Stop{reason()};
        return a / b;
    }

    static Stop tooLarge()
    {
        return Stop{QStringLiteral("результат виходить за межі чисел, які можна обчислити; перевірте введені дані")};
    }

    static double finite(double v)
    {
        if (!std::isfinite(v))
            throw tooLarge();
        return v;
    }

    // `purpose` names what the value is for, in the message when the column is missing.
    template<typename Purpose>
    double air(int t, int phi, bool wantEnthalpy, const Purpose &purpose)
    {
        const AirValue v = InterpolateAirTable(m_in.airTable, t, phi, wantEnthalpy);
        if (!v.ok())
            throw Stop{QStringLiteral("у таблиці властивостей повітря (s_int.DBF) немає стовпця %1, потрібного для %2")
                           .arg(v.missingColumn, purpose())};
        return v.value;
    }

    static auto outdoorHumidity(int b)
    {
        return [b] { return QStringLiteral("вологості зовнішнього повітря %1 %").arg(b); };
    }

    auto chamberHumidity() const
    {
        return [h = m_r.chamberHumidity] { return QStringLiteral("вологості повітря в камері %1 %").arg(h); };
    }

    bool storageMode() const { return m_r.processingMode == kStorage; }

    // The panel keeps a gain to 0.01; an unchecked row shows 0.
    double gainRow(Gain g, double value)
    {
        const double held = Rounding::hold(m_in.include[size_t(g)] ? value : 0.0);
        m_out.gains[size_t(g)] = held;
        return held;
    }

    void label(LabelText l, QString text) { m_out.labels[size_t(l)] = std::move(text); }

    void amountLabel(LabelText l, double value) { label(l, Rounding::fixed(value, 2)); }

    double r(Gain g) const { return *m_out.gains[size_t(g)]; }

    void walls()
    {
        m_step = CalcStep::Walls;
        double sum = 0;
        for (size_t i = 0; i < 6; ++i) {
            const EnclosureLayers &layers = m_in.enclosures[i];
            if (!layers.material || !layers.insulation)
                continue;
            auto where = [i] { return QString::fromUtf8(kEnclosureNames[i]); };
            double resistance = 1 / 22.7;
            resistance += divide(m_r.wallMaterialThickness[i] / 1000, *layers.material, [&] {
                return QStringLiteral("теплопровідність матеріалу «%1» (%2) дорівнює нулю")
                    .arg(m_r.wallMaterial[i], where());
            });
            resistance += divide(m_r.wallInsulationThickness[i] / 1000, *layers.insulation, [&] {
                return QStringLiteral("теплопровідність ізоляції «%1» (%2) дорівнює нулю")
                    .arg(m_r.wallInsulation[i], where());
            });
            resistance += 1 / 9.37;
            finite(resistance);
            const double gain = divide(m_r.surfaceArea[i], resistance, [&] {
                return QStringLiteral("термічний опір (%1) дорівнює нулю; перевірте теплопровідність матеріалу «%2» "
                                      "та ізоляції «%3»")
                    .arg(where(), m_r.wallMaterial[i], m_r.wallInsulation[i]);
            }) * (m_r.temperatureBeyondWall[i] - m_r.chamberTemperature);
            m_d.enclosureResistance[i] = resistance;
            m_d.enclosureGain[i] = finite(gain);
            sum += gain;
        }
        m_d.walls = finite(sum / 1000);

        const double held = gainRow(Gain::Walls, m_d.walls);
        for (size_t i = 0; i < 6; ++i)
            amountLabel(LabelText(int(LabelText::WallAGain) + int(i)), m_d.enclosureGain[i] / 1000);
        amountLabel(LabelText::Walls, held);
    }

    void ventilation()
    {
        m_step = CalcStep::Ventilation;
        const double volume = m_r.chamberVolume;
        if (volume > 0) {
            double rate = m_r.ventilationRate;
            if (!m_r.ventilationRateEntered) {
                const double computed = 70 / std::sqrt(volume);
                m_out.ventilationRateToStore = computed;
                rate = Rounding::asStored(computed, m_in.ventilationRateDecimals);
            }
            m_d.ventilationRate = rate;
            m_d.chamberDensity = airDensity(m_r.chamberTemperature);
            m_d.airMassFlow = volume * rate * m_d.chamberDensity / 86400;
            m_d.humidityClass = humidityClass(m_r.outdoorHumidity);
            m_d.outdoorEnthalpy =
                air(m_r.outdoorTemperature, m_d.humidityClass, true, outdoorHumidity(m_d.humidityClass));
            m_d.chamberEnthalpy = air(m_r.chamberTemperature, m_r.chamberHumidity, true, chamberHumidity());
            m_haveChamberEnthalpy = true;
            m_d.ventilation = finite((m_d.outdoorEnthalpy - m_d.chamberEnthalpy) * m_d.airMassFlow);
        }
        const double held = gainRow(Gain::Ventilation, m_d.ventilation);
        amountLabel(LabelText::VentilationRate, m_d.ventilationRate);
        amountLabel(LabelText::Ventilation, held);
        m_out.ventilationRate = m_d.ventilationRate;
    }

    void infiltration()
    {
        m_step = CalcStep::Infiltration;
        const int tIn = m_r.chamberTemperature;
        const int tOut = m_r.temperatureBeyondWall[0];
        m_d.doorArea = m_r.doorHeight * m_r.doorWidth;
        m_d.chamberDensity = airDensity(tIn);
        m_d.outsideDensity = airDensity(tOut);
        const double rhoIn = m_d.chamberDensity;
        const double rhoOut = m_d.outsideDensity;

        const double ratio = divide(rhoIn, rhoOut, [&] {
            return QStringLiteral("густина повітря за стіною А (%1) дорівнює нулю").arg(degrees(tOut));
        });
        if (ratio < 0) {
            throw Stop{QStringLiteral("густина повітря при %1 від'ємна: температура нижча за абсолютний нуль")
                           .arg(degrees(rhoIn < 0 ? tIn : tOut))};
        }
        m_d.densityFactor = std::pow(2 / (1 + std::pow(ratio, 0.33333)), 1.5);

        const int b = m_d.humidityClass == 0 ? 50 : m_d.humidityClass;
        m_d.doorAirEnthalpy = air(tOut, b, true, outdoorHumidity(b));
        // A skipped ventilation step leaves no chamber enthalpy; the door air
        // still meets chamber air, so look it up rather than take 0.
        if (!m_haveChamberEnthalpy) {
            m_d.chamberEnthalpy = air(tIn, m_r.chamberHumidity, true, chamberHumidity());
        }

        // Air outside the door denser than the chamber's (a colder corridor or
        // a freezer beyond wall А) brings no heat in, and the cold it could
        // bring is not counted either: the door adds nothing.
        if (rhoOut <= rhoIn) {
            const double under = m_r.doorHeight * (1 - divide(rhoOut, rhoIn, [&] {
                                                  return QStringLiteral("густина повітря в камері (%1) дорівнює нулю")
                                                      .arg(degrees(tIn));
                                              }));
            if (under < 0)
                throw Stop{QStringLiteral("висота дверей від'ємна (%1 м)").arg(m_r.doorHeight)};
            m_d.doorRoot = std::sqrt(under);
            m_d.doorFlow = 0.692 * m_d.doorArea * (m_d.doorAirEnthalpy - m_d.chamberEnthalpy) * rhoIn
                           * m_d.densityFactor * m_d.doorRoot;
        }

        m_d.goodsFactor =
            !m_in.goodsItems.isEmpty() && StoredText::equals(m_r.goodsKind, m_in.goodsItems.at(0)) ? 0.8 : 1.0;

        qint64 n = 1;
        if (m_r.vehicleLoadCapacity > 0) {
            const double loads = std::trunc((m_r.productTurnover + m_r.packagingTurnover) / m_r.vehicleLoadCapacity);
            if (!(std::fabs(loads) < 1e18))
                throw tooLarge();
            n = qint64(loads) + 1;
        }
        if (n < 1)
            n = 1;
        m_d.entries = n;
        label(LabelText::Entries, Rounding::fixed(double(n), 0));

        const double product = 60 * m_d.goodsFactor * m_r.productTurnover / 1000;
        if (m_r.automaticDoors) {
            m_d.doorOpenFraction = (product + 15 * double(n)) / 86400;
            label(LabelText::DoorOperation, QStringLiteral("Автоматическая"));
        } else {
            m_d.doorOpenFraction = (product + 25 * double(n)) / 86400;
            label(LabelText::DoorOperation, QStringLiteral("Ручная"));
        }

        m_d.protection = 0;
        const QStringList &items = m_in.protectionItems;
        if (items.size() > 0 && StoredText::equals(m_r.doorProtection, items.at(0)))
            m_d.protection = 0;
        if (items.size() > 1 && StoredText::equals(m_r.doorProtection, items.at(1)))
            m_d.protection = 0.2;
        if (items.size() > 2 && StoredText::equals(m_r.doorProtection, items.at(2)))
            m_d.protection = 0.7;

        m_d.infiltration = finite(m_d.doorFlow * m_d.doorOpenFraction * 1.1 * (1 - m_d.protection));
        const double held = gainRow(Gain::Infiltration, m_d.infiltration);
        amountLabel(LabelText::Infiltration, held);
        m_out.entries = n;
    }

    void productTreatment()
    {
        m_step = CalcStep::ProductTreatment;
        double time = 0;
        bool known = false;
        if (m_r.processingMode == kStorage) {
            time = 86400;
            known = true;
        } else if (m_r.processingMode == kCooling) {
            time = 3600 * double(m_r.runningHours);
            known = true;
        }
        if (known && m_in.product) {
            const ProductRow &p = *m_in.product;
            const double m = m_r.productTurnover;
            const int t0 = m_r.productEntryTemperature;
            const int t1 = m_r.productFinalTemperature;
            auto overTime = [&](double heat) {
                return divide(heat, time, [] { return QStringLiteral("час термообробки дорівнює 0 год"); });
            };
            if (p.TZAM < t1)
                m_d.productHeat = overTime(m * p.CP1 * (t0 - t1));
            else if (p.TZAM < t0)
                m_d.productHeat = overTime(m * p.CP1 * (t0 - p.TZAM) + m * p.LSKR + m * p.CP2 * (p.TZAM - t1));
            else
                m_d.productHeat = overTime(m * p.CP2 * (t0 - t1));
            const double sp = m_in.packaging ? m_in.packaging->SP : 0.0;
            m_d.packagingHeat = overTime(m_r.packagingTurnover * sp
                                         * (m_r.packagingEntryTemperature - m_r.packagingFinalTemperature));
            finite(m_d.productHeat);
            finite(m_d.packagingHeat);
        }
        const double held = gainRow(Gain::Product, m_d.productHeat + m_d.packagingHeat);
        amountLabel(LabelText::ProductHeat, m_d.productHeat);
        amountLabel(LabelText::PackagingHeat, m_d.packagingHeat);
        amountLabel(LabelText::Product, held);
    }

    // Respiration heat per tonne at t, whole kJ/(t·h); none without a product.
    double respirationRate(int t) const
    {
        if (!m_in.product)
            return 0;
        const ProductRow &p = *m_in.product;
        double rate = 0;
        if (t >= 0 && t < 10)
            rate = p.Q1 + (p.Q2 - p.Q1) * t / 10;
        else if (t >= 10 && t <= 30)
            rate = p.Q2 + (p.Q3 - p.Q2) * (t - 10) / 10;
        else if (t < 0 && t > p.TZAM)
            rate = p.Q1; // produce kept just above its freezing point is still alive
        return Rounding::halfEven(rate);
    }

    void respiration()
    {
        m_step = CalcStep::Respiration;
        double held = 0;
        // Produce that arrives frozen does not respire.
        const int t0 = m_r.productEntryTemperature;
        if (!m_in.include[size_t(Gain::Respiration)] || (m_in.product ? t0 <= m_in.product->TZAM : t0 < 0)) {
            held = gainRow(Gain::Respiration, 0);
        } else {
            m_d.respirationEnd = respirationRate(m_r.productFinalTemperature);
            m_d.respirationStart = respirationRate(m_r.productEntryTemperature);
            const double qe = m_d.respirationEnd;
            const double qs = m_d.respirationStart;
            const double intake = m_r.productTurnover / 1000 * 0.5 * (qe + qs) / 3600;
            m_d.respiration = storageMode() ? m_r.productMass / 1000 * qe / 3600 + intake : intake;
            held = gainRow(Gain::Respiration, finite(m_d.respiration));
        }
        amountLabel(LabelText::Respiration, held);
    }

    void lighting()
    {
        m_step = CalcStep::Lighting;
        m_d.lighting =
            finite(double(m_r.lightingPower) * m_r.lightingHours * m_r.chamberLength * m_r.chamberWidth / 24 / 1000);
        amountLabel(LabelText::Lighting, gainRow(Gain::Lighting, m_d.lighting));
    }

    void personnel()
    {
        m_step = CalcStep::Personnel;
        // VL85 only names a column the lookup must find; the person heat is QP.
        m_d.personHeat =
            air(m_r.chamberTemperature, 85, false, [] { return QStringLiteral("тепловиділень персоналу"); });
        m_d.personnel = finite(double(m_r.workers) * m_r.lightingHours * m_d.personHeat / 24 / 1000);
        amountLabel(LabelText::Personnel, gainRow(Gain::Personnel, m_d.personnel));
    }

    void vehicles()
    {
        m_step = CalcStep::Vehicles;
        m_d.vehicles = finite(double(m_r.vehiclePower) * m_r.lightingHours / 24 / 2);
        amountLabel(LabelText::Vehicles, gainRow(Gain::Vehicles, m_d.vehicles));
    }

    double sumOfEight() const
    {
        double s = 0;
        for (int g = 0; g < 8; ++g)
            s += r(Gain(g));
        return s;
    }

    double perRunningTime(double s8) const
    {
        return divide(s8 * 24, m_r.runningHours, [] { return QStringLiteral("час роботи обладнання дорівнює 0 год"); });
    }

    void fans()
    {
        m_step = CalcStep::Fans;
        const double s8 = sumOfEight();
        m_d.fanBase = storageMode() ? perRunningTime(s8) : s8;
        m_d.fans = finite(m_r.fansRefined ? m_r.fanPower * m_r.fanCount : m_d.fanBase * m_r.fanAllowance / 100);
        // The panel briefly shows the unchecked value before the box zeroes it;
        // only the final value matters to anyone reading the field.
        amountLabel(LabelText::Fans, gainRow(Gain::Fans, m_d.fans));
    }

    void requiredCapacity()
    {
        m_step = CalcStep::RequiredCapacity;
        double required = 0;
        if (storageMode()) {
            required = r(Gain::Fans) + perRunningTime(sumOfEight()) * m_r.safetyFactor;
        } else {
            // Cooling: the product and the fans as they are, the rest over an
            // 18-hour working day.
            const double rest = r(Gain::Walls) + r(Gain::Ventilation) + r(Gain::Infiltration) + r(Gain::Respiration)
                                + r(Gain::Lighting) + r(Gain::Personnel) + r(Gain::Vehicles);
            required = (r(Gain::Product) + r(Gain::Fans)) + rest * 24 / 18 * m_r.safetyFactor;
        }
        m_required = Rounding::hold(finite(required));
        m_out.requiredCapacity = m_required;
    }

    void sum()
    {
        m_step = CalcStep::Sum;
        double s = 0;
        for (int g = 0; g < kGainCount; ++g)
            s += r(Gain(g));
        const double held = Rounding::hold(finite(s));
        m_out.sum = held;
        label(LabelText::RequiredCapacity, Rounding::fixed(m_required, 2));
        amountLabel(LabelText::Sum, held);
    }

    const CalcInputs &m_in;
    const CalcRecord &m_r;
    HeatBalance &m_out;
    CalcDetails &m_d;
    CalcStep m_step = CalcStep::Walls;
    double m_required = 0;
    bool m_haveChamberEnthalpy = false;
};

} // namespace

double airDensity(int t)
{
    return Rounding::toFourDecimals(1.293 / (1 + t / 273.15));
}

HeatBalance computeHeatBalance(const CalcInputs &inputs)
{
    HeatBalance out;
    Run(inputs, out).all();
    return out;
}

} // namespace kvor
