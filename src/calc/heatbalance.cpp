#include "heatbalance.h"

#include "rounding.h"
#include "storedtext.h"

#include <cmath>

namespace kvor {

namespace {

const QString kStorage = QStringLiteral("Хранение");
const QString kCooling = QStringLiteral("Охлаждение");

const char *const kEnclosureNames[6] = {"стіна А", "стіна Б", "стіна В", "стіна Г", "стеля", "підлога"};

// Names of the fields and labels a run writes, made once.
const QString &panelField(int field)
{
    static const QString names[] = {
        QStringLiteral("CurrencyEdit1"), QStringLiteral("CurrencyEdit2"),  QStringLiteral("CurrencyEdit3"),
        QStringLiteral("CurrencyEdit4"), QStringLiteral("CurrencyEdit5"),  QStringLiteral("CurrencyEdit6"),
        QStringLiteral("CurrencyEdit7"), QStringLiteral("CurrencyEdit8"),  QStringLiteral("CurrencyEdit9"),
        QStringLiteral("CurrencyEdit10"), QStringLiteral("CurrencyEdit11"),
    };
    return names[field - 1];
}

const QString &reportLabel(int number)
{
    static const QString names[] = {
        QStringLiteral("QRLabel70"), QStringLiteral("QRLabel71"), QStringLiteral("QRLabel72"), QStringLiteral("QRLabel73"),
        QStringLiteral("QRLabel74"), QStringLiteral("QRLabel75"), QStringLiteral("QRLabel76"), QStringLiteral("QRLabel77"),
        QStringLiteral("QRLabel78"), QStringLiteral("QRLabel79"), QStringLiteral("QRLabel80"), QStringLiteral("QRLabel81"),
        QStringLiteral("QRLabel82"), QStringLiteral("QRLabel83"), QStringLiteral("QRLabel84"), QStringLiteral("QRLabel85"),
        QStringLiteral("QRLabel86"), QStringLiteral("QRLabel87"), QStringLiteral("QRLabel88"), QStringLiteral("QRLabel89"),
        QStringLiteral("QRLabel90"), QStringLiteral("QRLabel91"), QStringLiteral("QRLabel92"), QStringLiteral("QRLabel93"),
        QStringLiteral("QRLabel94"), QStringLiteral("QRLabel95"), QStringLiteral("QRLabel96"), QStringLiteral("QRLabel97"),
        QStringLiteral("QRLabel98"),
    };
    return names[number - 70];
}

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
        m_out.outputs.reserve(40);
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
        return [h = m_r.TE_VLAJ] { return QStringLiteral("вологості повітря в камері %1 %").arg(h); };
    }

    bool storageMode() const { return m_r.OB_TERMR == kStorage; }

    // Writes CurrencyEdit`field`; the field keeps the value to 0.01.
    double panel(int field, double value)
    {
        const double held = Rounding::hold(value);
        m_out.outputs.push_back({OutputTarget::Panel, panelField(field), held, Rounding::upTo(held, 2)});
        if (field <= 9)
            m_held[size_t(field - 1)] = held;
        return held;
    }

    // A gain row: the value when its include box is checked, else 0.
    double gainRow(int row, double value) { return panel(row, m_in.include[size_t(row - 1)] ? value : 0.0); }

    void label(const QString &name, const QString &text, OutputTarget target = OutputTarget::CalculationReport)
    {
        m_out.outputs.push_back({target, name, 0, text});
    }

    void amountLabel(int number, double value) { label(reportLabel(number), Rounding::fixed(value, 2)); }

    double r(int row) const { return m_held[size_t(row - 1)]; }

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
            resistance += divide(m_r.ST_MT[i] / 1000, *layers.material, [&] {
                return QStringLiteral("теплопровідність матеріалу «%1» (%2) дорівнює нулю").arg(m_r.ST_M[i], where());
            });
            resistance += divide(m_r.ST_IZT[i] / 1000, *layers.insulation, [&] {
                return QStringLiteral("теплопровідність ізоляції «%1» (%2) дорівнює нулю").arg(m_r.ST_IZ[i], where());
            });
            resistance += 1 / 9.37;
            finite(resistance);
            const double gain = divide(m_r.ob_s[i], resistance, [&] {
                return QStringLiteral("термічний опір (%1) дорівнює нулю; перевірте теплопровідність матеріалу «%2» "
                                      "та ізоляції «%3»")
                    .arg(where(), m_r.ST_M[i], m_r.ST_IZ[i]);
            }) * (m_r.ST_TEM[i] - m_r.OB_TEMKAM);
            m_d.enclosureResistance[i] = resistance;
            m_d.enclosureGain[i] = finite(gain);
            sum += gain;
        }
        m_d.walls = finite(sum / 1000);

        const double held = gainRow(1, m_d.walls);
        for (size_t i = 0; i < 6; ++i)
            amountLabel(70 + int(i), m_d.enclosureGain[i] / 1000);
        amountLabel(76, held);
    }

    void ventilation()
    {
        m_step = CalcStep::Ventilation;
        const double volume = m_r.ob_kamv;
        if (volume > 0) {
            double rate = m_r.VN_KR;
            if (!m_r.VN_FLAG) {
                const double computed = 70 / std::sqrt(volume);
                m_out.outputs.push_back({OutputTarget::Record, QStringLiteral("VN_KR"), computed, QString()});
                rate = Rounding::asStored(computed, m_in.ventilationRateDecimals);
            }
            m_d.ventilationRate = rate;
            m_d.chamberDensity = airDensity(m_r.OB_TEMKAM);
            m_d.airMassFlow = volume * rate * m_d.chamberDensity / 86400;
            m_d.humidityClass = humidityClass(m_r.OB_RGVLAJ);
            m_d.outdoorEnthalpy = air(m_r.OB_RGTMAX, m_d.humidityClass, true, outdoorHumidity(m_d.humidityClass));
            m_d.chamberEnthalpy = air(m_r.OB_TEMKAM, m_r.TE_VLAJ, true, chamberHumidity());
            m_haveChamberEnthalpy = true;
            m_d.ventilation = finite((m_d.outdoorEnthalpy - m_d.chamberEnthalpy) * m_d.airMassFlow);
        }
        const double held = gainRow(2, m_d.ventilation);
        amountLabel(77, m_d.ventilationRate);
        amountLabel(78, held);
        m_out.ventilationRate = m_d.ventilationRate;
    }

    void infiltration()
    {
        m_step = CalcStep::Infiltration;
        const int tIn = m_r.OB_TEMKAM;
        const int tOut = m_r.ST_TEM[0];
        m_d.doorArea = m_r.IN_DV * m_r.IN_DH;
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
            m_d.chamberEnthalpy = air(tIn, m_r.TE_VLAJ, true, chamberHumidity());
        }

        // Air outside the door denser than the chamber's (a colder corridor or
        // a freezer beyond wall А) brings no heat in, and the cold it could
        // bring is not counted either: the door adds nothing.
        if (rhoOut <= rhoIn) {
            const double under = m_r.IN_DV * (1 - divide(rhoOut, rhoIn, [&] {
                                                  return QStringLiteral("густина повітря в камері (%1) дорівнює нулю")
                                                      .arg(degrees(tIn));
                                              }));
            if (under < 0)
                throw Stop{QStringLiteral("висота дверей від'ємна (%1 м)").arg(m_r.IN_DV)};
            m_d.doorRoot = std::sqrt(under);
            m_d.doorFlow = 0.692 * m_d.doorArea * (m_d.doorAirEnthalpy - m_d.chamberEnthalpy) * rhoIn
                           * m_d.densityFactor * m_d.doorRoot;
        }

        m_d.goodsFactor = !m_in.goodsItems.isEmpty() && StoredText::equals(m_r.IN_TOV, m_in.goodsItems.at(0)) ? 0.8 : 1.0;

        qint64 n = 1;
        if (m_r.IN_GPTS > 0) {
            const double loads = std::trunc((m_r.TE_POBOR + m_r.TE_TOBOR) / m_r.IN_GPTS);
            if (!(std::fabs(loads) < 1e18))
                throw tooLarge();
            n = qint64(loads) + 1;
        }
        if (n < 1)
            n = 1;
        m_d.entries = n;
        label(QStringLiteral("Label3"), Rounding::fixed(double(n), 0), OutputTarget::MainWindow);
        label(reportLabel(97), Rounding::fixed(double(n), 0));

        const double product = 60 * m_d.goodsFactor * m_r.TE_POBOR / 1000;
        if (m_r.IN_TIP) {
            m_d.doorOpenFraction = (product + 15 * double(n)) / 86400;
            label(reportLabel(79), QStringLiteral("Автоматическая"));
        } else {
            m_d.doorOpenFraction = (product + 25 * double(n)) / 86400;
            label(reportLabel(79), QStringLiteral("Ручная"));
        }

        m_d.protection = 0;
        const QStringList &items = m_in.protectionItems;
        if (items.size() > 0 && StoredText::equals(m_r.IN_ZAV, items.at(0)))
            m_d.protection = 0;
        if (items.size() > 1 && StoredText::equals(m_r.IN_ZAV, items.at(1)))
            m_d.protection = 0.2;
        if (items.size() > 2 && StoredText::equals(m_r.IN_ZAV, items.at(2)))
            m_d.protection = 0.7;

        m_d.infiltration = finite(m_d.doorFlow * m_d.doorOpenFraction * 1.1 * (1 - m_d.protection));
        const double held = gainRow(3, m_d.infiltration);
        amountLabel(80, held);
        m_out.entries = n;
    }

    void productTreatment()
    {
        m_step = CalcStep::ProductTreatment;
        double time = 0;
        bool known = false;
        if (m_r.OB_TERMR == kStorage) {
            time = 86400;
            known = true;
        } else if (m_r.OB_TERMR == kCooling) {
            time = 3600 * double(m_r.OB_TIMEWRK);
            known = true;
        }
        if (known && m_in.product) {
            const ProductRow &p = *m_in.product;
            const double m = m_r.TE_POBOR;
            const int t0 = m_r.TE_PT0;
            const int t1 = m_r.TE_PT1;
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
            m_d.packagingHeat = overTime(m_r.TE_TOBOR * sp * (m_r.TE_TT0 - m_r.TE_TT1));
            finite(m_d.productHeat);
            finite(m_d.packagingHeat);
        }
        const double held = gainRow(4, m_d.productHeat + m_d.packagingHeat);
        amountLabel(81, m_d.productHeat);
        amountLabel(82, m_d.packagingHeat);
        amountLabel(83, held);
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
        if (!m_in.include[4] || (m_in.product ? m_r.TE_PT0 <= m_in.product->TZAM : m_r.TE_PT0 < 0)) {
            held = panel(5, 0);
        } else {
            m_d.respirationEnd = respirationRate(m_r.TE_PT1);
            m_d.respirationStart = respirationRate(m_r.TE_PT0);
            const double qe = m_d.respirationEnd;
            const double qs = m_d.respirationStart;
            const double intake = m_r.TE_POBOR / 1000 * 0.5 * (qe + qs) / 3600;
            m_d.respiration = storageMode() ? m_r.TE_PMAS / 1000 * qe / 3600 + intake : intake;
            held = panel(5, finite(m_d.respiration));
        }
        amountLabel(84, held);
    }

    void lighting()
    {
        m_step = CalcStep::Lighting;
        m_d.lighting = finite(double(m_r.OS_POW) * m_r.OS_TIME * m_r.OB_KAMDL * m_r.OB_KAMSH / 24 / 1000);
        amountLabel(85, gainRow(6, m_d.lighting));
    }

    void personnel()
    {
        m_step = CalcStep::Personnel;
        // VL85 only names a column the lookup must find; the person heat is QP.
        m_d.personHeat = air(m_r.OB_TEMKAM, 85, false, [] { return QStringLiteral("тепловиділень персоналу"); });
        m_d.personnel = finite(double(m_r.PER_KOL) * m_r.OS_TIME * m_d.personHeat / 24 / 1000);
        amountLabel(86, gainRow(7, m_d.personnel));
    }

    void vehicles()
    {
        m_step = CalcStep::Vehicles;
        m_d.vehicles = finite(double(m_r.TRS_POW) * m_r.OS_TIME / 24 / 2);
        amountLabel(87, gainRow(8, m_d.vehicles));
    }

    double sumOfEight() const
    {
        double s = 0;
        for (int row = 1; row <= 8; ++row)
            s += r(row);
        return s;
    }

    double perRunningTime(double s8) const
    {
        return divide(s8 * 24, m_r.OB_TIMEWRK, [] { return QStringLiteral("час роботи обладнання дорівнює 0 год"); });
    }

    void fans()
    {
        m_step = CalcStep::Fans;
        const double s8 = sumOfEight();
        m_d.fanBase = storageMode() ? perRunningTime(s8) : s8;
        m_d.fans = finite(m_r.VO_UTOCH ? m_r.VO_POW * m_r.VO_KOLVO : m_d.fanBase * m_r.VO_PROC / 100);
        // The panel briefly shows the unchecked value before the box zeroes it;
        // only the final value matters to anyone reading the field.
        amountLabel(88, gainRow(9, m_d.fans));
    }

    void requiredCapacity()
    {
        m_step = CalcStep::RequiredCapacity;
        double required = 0;
        if (storageMode()) {
            required = r(9) + perRunningTime(sumOfEight()) * m_r.OB_KZAPAS;
        } else {
            // Cooling: the product and the fans as they are, the rest over an
            // 18-hour working day.
            const double rest = r(1) + r(2) + r(3) + r(5) + r(6) + r(7) + r(8);
            required = (r(4) + r(9)) + rest * 24 / 18 * m_r.OB_KZAPAS;
        }
        m_required = panel(11, finite(required));
    }

    void sum()
    {
        m_step = CalcStep::Sum;
        double s = 0;
        for (int row = 1; row <= 9; ++row)
            s += r(row);
        const double held = panel(10, finite(s));
        label(reportLabel(98), Rounding::fixed(m_required, 2));
        label(reportLabel(98), Rounding::fixed(m_required, 2), OutputTarget::EquipmentListReport);
        label(reportLabel(93), Rounding::fixed(held, 2));
    }

    const CalcInputs &m_in;
    const CalcRecord &m_r;
    HeatBalance &m_out;
    CalcDetails &m_d;
    CalcStep m_step = CalcStep::Walls;
    std::array<double, 9> m_held{};
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

std::optional<double> HeatBalance::panel(int field) const
{
    const QString name = QStringLiteral("CurrencyEdit") + QString::number(field);
    for (const CalcOutput &o : outputs) {
        if (o.target == OutputTarget::Panel && o.name == name)
            return o.value;
    }
    return std::nullopt;
}

std::optional<QString> HeatBalance::label(const QString &name, OutputTarget target) const
{
    for (const CalcOutput &o : outputs) {
        if (o.target == target && o.name == name)
            return o.text;
    }
    return std::nullopt;
}

std::optional<double> HeatBalance::ventilationRateToStore() const
{
    for (const CalcOutput &o : outputs) {
        if (o.target == OutputTarget::Record && o.name == QLatin1String("VN_KR"))
            return o.value;
    }
    return std::nullopt;
}

} // namespace kvor
