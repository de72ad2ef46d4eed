#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>

namespace kvor {

class DataSource;

// The names a reference table offers to the lookup lists bound to it: the
// values of one field over the table's visible records, in table order, under
// its filter. One instance per data source serves every list on that source
// (the six wall-material lists share one), read again only after the table's
// rows or filter changed, never while it is being edited.
class LookupItems : public QObject {
    Q_OBJECT
public:
    static LookupItems *of(DataSource *source);

    QStringList items(const QString &fieldName);
    bool stale() const { return m_stale; }
    int revision() const { return m_revision; }
    void invalidate();

signals:
    // The table's rows or filter changed; sent once the current operation is over.
    void changed();

private:
    explicit LookupItems(DataSource *source);
    void recordChanged();
    void rebuild();

    struct Signature {
        bool active = false;
        bool filtered = false;
        QString filter;
        qint64 count = -1;
        bool operator==(const Signature &) const = default;
    };
    Signature signature() const;

    QPointer<DataSource> m_source;
    QHash<QString, QStringList> m_items; // by upper-case field name
    Signature m_built;
    bool m_stale = true;
    bool m_walking = false;
    bool m_notifyQueued = false;
    int m_revision = 0;
};

} // namespace kvor
