#include "stagedfiles.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <stdexcept>

namespace kvor {

namespace {

const QLatin1String kSuffix(".part");

} // namespace

StagedFiles::StagedFiles(const QString &folder)
    : m_folder(folder)
{
    if (!QDir().mkpath(folder))
        throw std::runtime_error(QStringLiteral("Cannot create folder %1").arg(folder).toStdString());
}

StagedFiles::~StagedFiles()
{
    for (const QString &name : m_names)
        QFile::remove(QDir(m_folder).filePath(name + kSuffix));
}

QString StagedFiles::add(const QString &name)
{
    m_names.push_back(name);
    return QDir(m_folder).filePath(name + kSuffix);
}

void StagedFiles::commit()
{
    const QDir dir(m_folder);
    for (const QString &name : m_names) {
        const QByteArray from = QFile::encodeName(dir.filePath(name + kSuffix));
        const QByteArray to = QFile::encodeName(dir.filePath(name));
        // rename() replaces the old file in one step; QFile::rename would refuse.
        if (std::rename(from.constData(), to.constData()) != 0)
            throw std::runtime_error(QStringLiteral("Cannot replace %1").arg(dir.filePath(name)).toStdString());
    }
    m_names.clear();
}

} // namespace kvor
