#include "projectcsv.h"

#include "calc/rounding.h"

#include <QCoreApplication>
#include <QStringList>

namespace kvor {

const QStringList &gainCaptions()
{
    static const QStringList captions = {
        QCoreApplication::translate("ProjectCsv", "Qстін, кВт"), QCoreApplication::translate("ProjectCsv", "Qвен, кВт"),
        QCoreApplication::translate("ProjectCsv", "Qінф, кВт"),  QCoreApplication::translate("ProjectCsv", "Qпрод, кВт"),
        QCoreApplication::translate("ProjectCsv", "Qдих, кВт"),  QCoreApplication::translate("ProjectCsv", "Qосв, кВт"),
        QCoreApplication::translate("ProjectCsv", "Qперс, кВт"), QCoreApplication::translate("ProjectCsv", "Qнтз, кВт"),
        QCoreApplication::translate("ProjectCsv", "Qпо, кВт"),
    };
    return captions;
}

namespace {

QString field(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QByteArray projectCsv(const std::vector<ChamberSummary> &chambers, QChar decimalPoint)
{
    auto number = [&](const std::optional<double> &v, int decimals) {
        if (!v)
            return QString();
        QString text = Rounding::fixed(*v, decimals);
        text.replace(QLatin1Char('.'), decimalPoint);
        return text;
    };
    QStringList header = {QCoreApplication::translate("ProjectCsv", "Камера"),
                          QCoreApplication::translate("ProjectCsv", "Файл"),
                          QCoreApplication::translate("ProjectCsv", "Стан"),
                          QCoreApplication::translate("ProjectCsv", "Об'єм, м³"),
                          QCoreApplication::translate("ProjectCsv", "Температура, °C"),
                          QCoreApplication::translate("ProjectCsv", "Режим")};
    header << gainCaptions();
    header << QCoreApplication::translate("ProjectCsv", "Сума, кВт")
           << QCoreApplication::translate("ProjectCsv", "Потрібна холодопродуктивність, кВт")
           << QCoreApplication::translate("ProjectCsv", "Система")
           << QCoreApplication::translate("ProjectCsv", "Кількість систем")
           << QCoreApplication::translate("ProjectCsv", "Продуктивність системи, Вт")
           << QCoreApplication::translate("ProjectCsv", "Спож. потужність, кВт")
           << QCoreApplication::translate("ProjectCsv", "Спож. струм, А");
    QStringList lines;
    auto line = [&](const QStringList &fields) {
        QStringList out;
        for (const QString &f : fields)
            out << field(f);
        lines << out.join(QLatin1Char(';'));
    };
    line(header);
    for (const ChamberSummary &c : chambers) {
        QStringList row = {c.name, c.path, statusText(c.status)};
        if (!hasFigures(c.status)) {
            line(row);
            continue;
        }
        row << number(c.volume, 2) << QString::number(c.temperature) << c.mode;
        for (const auto &gain : c.gains)
            row << number(gain, 2);
        row << number(c.sum, 2) << number(c.required, 2);
        if (c.system) {
            const ChamberSystem &s = *c.system;
            row << s.code << QString::number(s.count) << QString::number(qint64(s.capacity))
                << number(s.power ? std::optional<double>(*s.power * s.count) : std::nullopt, 2)
                << number(s.current ? std::optional<double>(*s.current * s.count) : std::nullopt, 2);
        }
        line(row);
    }
    return QByteArray("\xEF\xBB\xBF") + (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace kvor
