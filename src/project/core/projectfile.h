#pragma once

#include <QJsonObject>
#include <QString>

#include <stdexcept>
#include <vector>

namespace kvor {

// A project file that cannot be read or written; the text is what the user sees.
class ProjectError : public std::runtime_error {
public:
    explicit ProjectError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

struct ProjectChamber {
    QString path;      // absolute
    QJsonObject extra; // keys this version does not know, written back as read
};

// A cold store of several chambers: `*.kvorproj`, UTF-8 JSON. Chamber paths are
// written relative to the project file's folder so the folder can be moved.
class ProjectFile {
public:
    static constexpr int kVersion = 1;
    static QString suffix() { return QStringLiteral("kvorproj"); }

    QString name;
    QString client;
    QString address;
    std::vector<ProjectChamber> chambers;
    QJsonObject extra; // unknown top-level keys

    // Throws ProjectError: unreadable, not JSON, not a project, a newer version.
    static ProjectFile load(const QString &path);
    // Replaces `path` whole or not at all. Throws ProjectError.
    void save(const QString &path) const;

    // The file the project was loaded from or last saved to.
    const QString &path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }

    int indexOf(const QString &chamberPath) const;

private:
    QString m_path;
};

} // namespace kvor
