#include "titleblock.h"

#include "config.h"
#include "reporterror.h"
#include "storage/codepage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace kvor {

QStringList TitleBlock::defaultLines()
{
    return {
        QString(75, QLatin1Char(' ')),
        QStringLiteral("Контактний телефон для консультацій: ") + QString(18, QLatin1Char('_'))
            + QString(20, QLatin1Char(' ')),
        QStringLiteral("Internet : ") + QString::fromUtf8(config::kMakerWeb) + QStringLiteral(" mail: ")
            + QString::fromUtf8(config::kMakerEmail),
    };
}

QStringList TitleBlock::load(const QString &folder)
{
    const QString path = QDir(folder).filePath(fileName());
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return defaultLines();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QCoreApplication::translate("TitleBlock", "Cannot open file \"%1\". %2")
                              .arg(QDir::toNativeSeparators(path), file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ReportError(QCoreApplication::translate("TitleBlock", "Cannot read file \"%1\". %2")
                              .arg(QDir::toNativeSeparators(path), file.errorString()));

    // Files written on Windows are in its Cyrillic code page; newer editors write
    // UTF-8, which a Cyrillic text in 1251 practically never is by accident.
    QString text;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8.decode(bytes);
    if (utf8.hasError())
        text = Cp1251::decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    // One line per text line; a final line break does not start another line.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    if (text.isEmpty() && bytes.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

} // namespace kvor
