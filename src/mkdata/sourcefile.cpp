#include "sourcefile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace kvor {

SourceFile SourceFile::read(const QString &path)
{
    SourceFile source;
    source.m_path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw source.error(0, QStringLiteral("cannot read the file: %1").arg(file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw source.error(0, QStringLiteral("cannot read the file: %1").arg(file.errorString()));

    const QList<QByteArray> rawLines = bytes.split('\n');
    for (qsizetype i = 0; i < rawLines.size(); ++i) {
        const int number = int(i) + 1;
        QByteArray raw = rawLines[i];
        if (i == 0 && raw.startsWith("\xEF\xBB\xBF"))
            raw.remove(0, 3);
        if (raw.endsWith('\r'))
            raw.chop(1);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(raw);
        if (decoder.hasError())
            throw source.error(number, QStringLiteral("not valid UTF-8"));
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        SourceLine line;
        line.number = number;
        for (const QString &cell : text.split(QLatin1Char(';')))
            line.cells.append(cell.trimmed());
        source.m_lines.push_back(std::move(line));
    }
    return source;
}

QString SourceFile::fileName() const
{
    return QFileInfo(m_path).fileName();
}

DataError SourceFile::error(int line, const QString &text) const
{
    if (line > 0)
        return DataError(QStringLiteral("%1:%2: %3").arg(m_path).arg(line).arg(text));
    return DataError(QStringLiteral("%1: %2").arg(m_path, text));
}

} // namespace kvor
