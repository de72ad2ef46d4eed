#pragma once

#include <QLocale>
#include <QMap>
#include <QRegularExpression>
#include <QString>

namespace kvor {

// Run-time texts of a form's labels, by label name: what the heat balance
// writes for the reports to print. A label keeps its text until it is written
// again; one never written has none.
class ReportLabels {
public:
    void setText(const QString &name, const QString &text) { m_texts.insert(name, text); }
    QString text(const QString &name) const { return m_texts.value(name); }
    bool contains(const QString &name) const { return m_texts.contains(name); }
    const QMap<QString, QString> &texts() const { return m_texts; }
    void clear() { m_texts.clear(); }

    // How a label prints a run-time text: the balance writes its numbers with a
    // point ("1.04"), the page's fields use the user's decimal separator, so
    // numbers take the latter; any other text prints as it is.
    static QString displayText(const QString &text)
    {
        static const QRegularExpression number(QStringLiteral("^-?\\d+\\.\\d+$"));
        if (!number.match(text).hasMatch())
            return text;
        QString shown = text;
        return shown.replace(QLatin1Char('.'), QLocale().decimalPoint());
    }

private:
    QMap<QString, QString> m_texts;
};

} // namespace kvor
