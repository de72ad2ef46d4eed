#pragma once

#include <QMap>
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

private:
    QMap<QString, QString> m_texts;
};

} // namespace kvor
