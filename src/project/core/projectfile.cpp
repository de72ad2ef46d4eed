#include "projectfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace kvor {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ProjectFile", text);
}

const QStringList &knownKeys()
{
    static const QStringList keys = {QStringLiteral("format"), QStringLiteral("version"), QStringLiteral("name"),
                                     QStringLiteral("client"), QStringLiteral("address"),
                                     QStringLiteral("chambers")};
    return keys;
}

} // namespace

ProjectFile ProjectFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ProjectError(tr("Cannot open project file %1: %2").arg(path, file.errorString()));
    // A project is a few hundred bytes a chamber; anything huge is not one.
    if (file.size() > 64 * 1024 * 1024)
        throw ProjectError(tr("%1 is not a Kvor project file").arg(path));
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject())
        throw ProjectError(tr("%1 is not a Kvor project file").arg(path));
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String("kvor-project"))
        throw ProjectError(tr("%1 is not a Kvor project file").arg(path));
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() != double(version.toInt()))
        throw ProjectError(tr("%1 is not a Kvor project file").arg(path));
    if (version.toInt() > kVersion)
        throw ProjectError(tr("%1 was written by a newer version of Kvor (project format %2; this version reads %3). "
                              "Update Kvor to open it.")
                               .arg(path)
                               .arg(version.toInt())
                               .arg(kVersion));

    ProjectFile project;
    project.m_path = QFileInfo(path).absoluteFilePath();
    project.name = root.value(QStringLiteral("name")).toString();
    project.client = root.value(QStringLiteral("client")).toString();
    project.address = root.value(QStringLiteral("address")).toString();
    const QJsonValue chambers = root.value(QStringLiteral("chambers"));
    if (!chambers.isUndefined() && !chambers.isArray())
        throw ProjectError(tr("%1 is not a Kvor project file").arg(path));
    const QDir folder = QFileInfo(path).absoluteDir();
    for (const QJsonValue &entry : chambers.toArray()) {
        const QString file = entry.toObject().value(QStringLiteral("file")).toString();
        if (!entry.isObject() || file.isEmpty())
            throw ProjectError(tr("%1 is not a Kvor project file: a chamber without a file").arg(path));
        ProjectChamber chamber;
        chamber.path = QDir::cleanPath(folder.absoluteFilePath(file));
        chamber.extra = entry.toObject();
        chamber.extra.remove(QStringLiteral("file"));
        project.chambers.push_back(std::move(chamber));
    }
    for (auto it = root.begin(); it != root.end(); ++it)
        if (!knownKeys().contains(it.key()))
            project.extra.insert(it.key(), it.value());
    return project;
}

void ProjectFile::save(const QString &path) const
{
    QJsonObject root = extra;
    root.insert(QStringLiteral("format"), QStringLiteral("kvor-project"));
    root.insert(QStringLiteral("version"), kVersion);
    root.insert(QStringLiteral("name"), name);
    root.insert(QStringLiteral("client"), client);
    root.insert(QStringLiteral("address"), address);
    const QDir folder = QFileInfo(path).absoluteDir();
    QJsonArray list;
    for (const ProjectChamber &chamber : chambers) {
        QJsonObject entry = chamber.extra;
        entry.insert(QStringLiteral("file"), QDir::fromNativeSeparators(folder.relativeFilePath(chamber.path)));
        list.append(entry);
    }
    root.insert(QStringLiteral("chambers"), list);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(QJsonDocument(root).toJson(QJsonDocument::Indented)) < 0 || !file.commit())
        throw ProjectError(tr("Cannot write project file %1: %2").arg(path, file.errorString()));
}

int ProjectFile::indexOf(const QString &chamberPath) const
{
    const QString wanted = QFileInfo(chamberPath).absoluteFilePath();
    for (size_t i = 0; i < chambers.size(); ++i)
        if (chambers[i].path == wanted)
            return int(i);
    return -1;
}

} // namespace kvor
