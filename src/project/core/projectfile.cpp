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
        throw ProjectError(tr("Не вдалося відкрити файл проєкту %1: %2").arg(path, file.errorString()));
    // A project is a few hundred bytes a chamber; anything huge is not one.
    if (file.size() > 64 * 1024 * 1024)
        throw ProjectError(tr("%1 не є файлом проєкту Kvor").arg(path));
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject())
        throw ProjectError(tr("%1 не є файлом проєкту Kvor").arg(path));
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String("kvor-project"))
        throw ProjectError(tr("%1 не є файлом проєкту Kvor").arg(path));
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() != double(version.toInt()))
        throw ProjectError(tr("%1 не є файлом проєкту Kvor").arg(path));
    if (version.toInt() > kVersion)
        throw ProjectError(tr("Проєкт %1 записано новішою версією Kvor (формат %2; ця версія читає формат %3). "
                              "Оновіть Kvor, щоб відкрити його.")
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
        throw ProjectError(tr("%1 не є файлом проєкту Kvor").arg(path));
    const QDir folder = QFileInfo(path).absoluteDir();
    for (const QJsonValue &entry : chambers.toArray()) {
        const QString file = entry.toObject().value(QStringLiteral("file")).toString();
        if (!entry.isObject() || file.isEmpty())
            throw ProjectError(tr("%1 не є файлом проєкту Kvor: у камери немає файлу").arg(path));
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

namespace {

QByteArray compact(const QJsonValue &value)
{
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

} // namespace

// Written by hand so the keys keep a reader's order (QJsonDocument sorts them)
// and each chamber stays on one line in a diff.
void ProjectFile::save(const QString &path) const
{
    QByteArray text = "{\n";
    auto member = [&](const QString &key, const QByteArray &value, bool last = false) {
        text += "    " + compact(key) + ": " + value + (last ? "\n" : ",\n");
    };
    member(QStringLiteral("format"), compact(QStringLiteral("kvor-project")));
    member(QStringLiteral("version"), QByteArray::number(kVersion));
    member(QStringLiteral("name"), compact(name));
    member(QStringLiteral("client"), compact(client));
    member(QStringLiteral("address"), compact(address));
    const QDir folder = QFileInfo(path).absoluteDir();
    QByteArray list = "[";
    for (size_t i = 0; i < chambers.size(); ++i) {
        const ProjectChamber &chamber = chambers[i];
        QByteArray entry = "{" + compact(QStringLiteral("file")) + ": "
                           + compact(QDir::fromNativeSeparators(folder.relativeFilePath(chamber.path)));
        for (auto it = chamber.extra.begin(); it != chamber.extra.end(); ++it)
            entry += ", " + compact(it.key()) + ": " + compact(it.value());
        list += "\n        " + entry + (i + 1 < chambers.size() ? "}," : "}");
    }
    list += chambers.empty() ? "]" : "\n    ]";
    member(QStringLiteral("chambers"), list, extra.isEmpty());
    for (auto it = extra.begin(); it != extra.end(); ++it)
        member(it.key(), compact(it.value()), std::next(it) == extra.end());
    text += "}\n";

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0 || !file.commit())
        throw ProjectError(tr("Не вдалося записати файл проєкту %1: %2").arg(path, file.errorString()));
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
