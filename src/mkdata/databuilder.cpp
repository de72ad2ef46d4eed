#include "databuilder.h"

#include "airtable.h"
#include "catalogue.h"
#include "sourcefile.h"

#include "storage/codepage.h"
#include "storage/dbferror.h"
#include "storage/dbftable.h"
#include "storage/tabledefs.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <filesystem>
#include <map>

namespace kvor {

namespace {

// The reference tables: source, file name as the program opens it, and the
// column a Locate searches (its values must be unique, or the first one wins).
struct TableSource {
    const char *source;
    const char *file;
    const char *key;
};

const TableSource kTables[] = {
    {"s_mater.csv", "s_mater.DBF", "M_NAIM"},
    {"s_izolm.csv", "s_izolm.DBF", "IZ_NAIM"},
    {"s_region.csv", "s_region.dbf", "REG_NAIM"},
    {"products.csv", "products.DBF", "NAIM"},
    {"s_tara.csv", "s_tara.DBF", "NAIM"},
    {"s_isp.csv", "s_isp.DBF", "NAME"},
    {"s_init.csv", "S_INIT.DBF", nullptr},
};

const char kTemplateSource[] = "kvor.csv";
const char *const kTemplateFiles[] = {"kvor.dbf", "trec.dbf"};

// Names the template takes from other tables: its field, the table, the column.
struct Reference {
    const char *field;
    const char *source;
    const char *column;
};

const Reference kReferences[] = {
    {"OB_RGNAIM", "s_region.csv", "REG_NAIM"},
    {"TE_PTIP", "products.csv", "NAIM"},
    {"TE_TTIP", "s_tara.csv", "NAIM"},
    {"ST_M1", "s_mater.csv", "M_NAIM"},
    {"ST_M2", "s_mater.csv", "M_NAIM"},
    {"ST_M3", "s_mater.csv", "M_NAIM"},
    {"ST_M4", "s_mater.csv", "M_NAIM"},
    {"ST_M5", "s_mater.csv", "M_NAIM"},
    {"ST_M6", "s_mater.csv", "M_NAIM"},
    {"ST_IZ1", "s_izolm.csv", "IZ_NAIM"},
    {"ST_IZ2", "s_izolm.csv", "IZ_NAIM"},
    {"ST_IZ3", "s_izolm.csv", "IZ_NAIM"},
    {"ST_IZ4", "s_izolm.csv", "IZ_NAIM"},
    {"ST_IZ5", "s_izolm.csv", "IZ_NAIM"},
    {"ST_IZ6", "s_izolm.csv", "IZ_NAIM"},
};

struct Column {
    QString name;
    char type = 'C'; // '-' for a note column
    int length = 0;
    int decimals = 0;
};

// One record to write: where it came from and a value per column.
struct Row {
    int line = 0;
    QStringList values;
};

struct ParsedTable {
    SourceFile source;
    std::vector<Column> columns;
    std::vector<Row> rows;

    int columnIndex(const QString &name) const
    {
        for (size_t i = 0; i < columns.size(); ++i) {
            if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return int(i);
        }
        return -1;
    }
};

QString columnText(const Column &c)
{
    switch (c.type) {
    case 'C':
        return QStringLiteral("%1:C%2").arg(c.name).arg(c.length);
    case 'N':
    case 'F':
        if (c.decimals > 0)
            return QStringLiteral("%1:%2%3.%4").arg(c.name).arg(QLatin1Char(c.type)).arg(c.length).arg(c.decimals);
        return QStringLiteral("%1:%2%3").arg(c.name).arg(QLatin1Char(c.type)).arg(c.length);
    default:
        return QStringLiteral("%1:%2").arg(c.name).arg(QLatin1Char(c.type));
    }
}

Column parseColumn(const SourceFile &source, int line, const QString &declaration)
{
    static const QRegularExpression nameRe(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,9}$"));
    static const QRegularExpression typeRe(QStringLiteral("^([A-Za-z-])([0-9]*)(?:\\.([0-9]+))?$"));

    const qsizetype colon = declaration.indexOf(QLatin1Char(':'));
    if (colon < 0)
        throw source.error(line, QStringLiteral("column '%1' has no type (write NAME:TYPE, e.g. M_NAIM:C20)").arg(declaration));
    Column c;
    c.name = declaration.left(colon).trimmed().toUpper();
    const QString type = declaration.mid(colon + 1).trimmed();
    if (!nameRe.match(c.name).hasMatch())
        throw source.error(line, QStringLiteral("invalid column name '%1' (letters, digits, '_', at most 10)").arg(c.name));

    const QRegularExpressionMatch m = typeRe.match(type);
    const QChar letter = m.hasMatch() ? m.captured(1).at(0).toUpper() : QChar();
    const bool hasLength = m.hasMatch() && !m.captured(2).isEmpty();
    const bool hasDecimals = m.hasMatch() && !m.captured(3).isEmpty();
    const int length = hasLength ? m.captured(2).toInt() : 0;
    const int decimals = hasDecimals ? m.captured(3).toInt() : 0;
    auto bad = [&](const QString &why) {
        return source.error(line, QStringLiteral("column '%1': %2").arg(declaration, why));
    };

    if (letter == QLatin1Char('C')) {
        if (!hasLength || hasDecimals || length < 1 || length > 254)
            throw bad(QStringLiteral("a text column needs a width of 1 to 254 and no decimals"));
        c.type = 'C';
        c.length = length;
    } else if (letter == QLatin1Char('N') || letter == QLatin1Char('F')) {
        if (!hasLength || length < 1 || length > 20)
            throw bad(QStringLiteral("a numeric column needs a width of 1 to 20"));
        if (decimals > 0 && decimals >= length - 1)
            throw bad(QStringLiteral("the width must exceed the decimals by at least 2"));
        c.type = char(letter.toLatin1());
        c.length = length;
        c.decimals = decimals;
    } else if (letter == QLatin1Char('L') && !hasDecimals && (!hasLength || length == 1)) {
        c.type = 'L';
        c.length = 1;
    } else if (letter == QLatin1Char('D') && !hasDecimals && (!hasLength || length == 8)) {
        c.type = 'D';
        c.length = 8;
    } else if (letter == QLatin1Char('-') && !hasLength && !hasDecimals) {
        c.type = '-';
    } else {
        throw bad(QStringLiteral("unknown column type '%1' (use C<width>, N<width>[.<decimals>], L, D or -)").arg(type));
    }
    return c;
}

// Checks one value against its column and writes it into the current record.
// Every check here stands for one the table layer would pass silently
// (cutting a long text, rounding extra decimals, replacing a character).
void writeValue(DbfTable &table, const Column &c, const QString &value, const SourceFile &source, int line)
{
    static const QRegularExpression numberRe(QStringLiteral("^[+-]?[0-9]+(?:\\.([0-9]+))?$"));
    auto bad = [&](const QString &why) {
        return source.error(line, QStringLiteral("%1: %2").arg(c.name, why));
    };
    try {
        switch (c.type) {
        case 'C': {
            bool exact = true;
            const QByteArray bytes = Cp866::encode(value, &exact);
            if (!exact)
                throw bad(QStringLiteral("'%1' has characters that code page 866 lacks"
                                         " (write Latin i/I for the Ukrainian letter)").arg(value));
            if (bytes.size() > c.length)
                throw bad(QStringLiteral("'%1' has %2 characters; %3 holds %4")
                              .arg(value).arg(bytes.size()).arg(columnText(c)).arg(c.length));
            table.setValue(c.name, value.isEmpty() ? QVariant() : QVariant(value));
            break;
        }
        case 'N':
        case 'F': {
            if (value.isEmpty())
                break; // a new record already holds 0
            const QRegularExpressionMatch m = numberRe.match(value);
            if (!m.hasMatch())
                throw bad(QStringLiteral("'%1' is not a number (digits with an optional sign and '.')").arg(value));
            if (m.captured(1).size() > c.decimals)
                throw bad(QStringLiteral("'%1' has more decimals than %2 keeps").arg(value, columnText(c)));
            table.setValue(c.name, value.toDouble());
            break;
        }
        case 'L':
            if (value.isEmpty())
                break;
            if (value != QLatin1String("T") && value != QLatin1String("F"))
                throw bad(QStringLiteral("'%1' is not T or F").arg(value));
            table.setValue(c.name, value == QLatin1String("T"));
            break;
        case 'D': {
            if (value.isEmpty())
                break;
            const QDate date = QDate::fromString(value, QStringLiteral("yyyyMMdd"));
            if (value.size() != 8 || !date.isValid())
                throw bad(QStringLiteral("'%1' is not a date written yyyymmdd").arg(value));
            table.setValue(c.name, date);
            break;
        }
        default:
            break; // notes are not stored
        }
    } catch (const DbfError &e) {
        throw bad(e.message());
    }
}

void writeTable(const QString &path, const ParsedTable &t)
{
    std::vector<DbfColumn> stored;
    for (const Column &c : t.columns) {
        if (c.type != '-')
            stored.push_back({c.name, c.type, c.length, c.decimals});
    }
    int line = 0;
    try {
        DbfTable::create(path, stored);
        DbfTable table;
        table.setTableName(path);
        table.open();
        for (const Row &row : t.rows) {
            line = row.line;
            table.append();
            for (size_t i = 0; i < t.columns.size(); ++i)
                writeValue(table, t.columns[i], row.values[int(i)], t.source, row.line);
            table.post();
        }
        table.close();
    } catch (const DbfError &e) {
        throw t.source.error(line, e.message());
    }
}

ParsedTable readTable(const QString &path, const char *key)
{
    ParsedTable t{SourceFile::read(path), {}, {}};
    const std::vector<SourceLine> &lines = t.source.lines();
    if (lines.empty())
        throw t.source.error(0, QStringLiteral("no header line (NAME:TYPE;NAME:TYPE…)"));

    const SourceLine &header = lines.front();
    for (const QString &declaration : header.cells) {
        Column c = parseColumn(t.source, header.number, declaration);
        if (t.columnIndex(c.name) >= 0)
            throw t.source.error(header.number, QStringLiteral("column %1 is declared twice").arg(c.name));
        t.columns.push_back(std::move(c));
    }
    bool anyStored = false;
    for (const Column &c : t.columns)
        anyStored = anyStored || c.type != '-';
    if (!anyStored)
        throw t.source.error(header.number, QStringLiteral("no stored column"));

    const int keyColumn = key ? t.columnIndex(QString::fromLatin1(key)) : -1;
    if (key && keyColumn < 0)
        throw t.source.error(header.number, QStringLiteral("the column %1 is missing").arg(QLatin1String(key)));
    QHash<QString, int> seen; // key in upper case, as Locate compares it → line

    for (size_t i = 1; i < lines.size(); ++i) {
        const SourceLine &l = lines[i];
        if (l.cells.size() != qsizetype(t.columns.size())) {
            throw t.source.error(l.number, QStringLiteral("%1 values where the header declares %2")
                                               .arg(l.cells.size()).arg(t.columns.size()));
        }
        if (keyColumn >= 0) {
            const QString &name = l.cells[keyColumn];
            if (name.isEmpty())
                throw t.source.error(l.number, QStringLiteral("%1 is empty").arg(QLatin1String(key)));
            const QString folded = name.toUpper();
            if (seen.contains(folded)) {
                throw t.source.error(l.number, QStringLiteral("%1 '%2' already stands on line %3")
                                                   .arg(QLatin1String(key), name).arg(seen.value(folded)));
            }
            seen.insert(folded, l.number);
        }
        t.rows.push_back({l.number, l.cells});
    }
    return t;
}

// The template: one FIELD;value line for every stored field of the calculation record.
ParsedTable readTemplate(const QString &path)
{
    ParsedTable t{SourceFile::read(path), {}, {}};
    for (const DbfColumn &c : TableDefs::workFileColumns())
        t.columns.push_back({c.name, c.type, c.length, c.decimals});

    Row row;
    std::vector<int> lineOf(t.columns.size(), 0);
    for (int i = 0; i < int(t.columns.size()); ++i)
        row.values.append(QString());
    for (const SourceLine &l : t.source.lines()) {
        if (l.cells.size() != 2)
            throw t.source.error(l.number, QStringLiteral("expected FIELD;value"));
        const int index = t.columnIndex(l.cells[0]);
        if (index < 0)
            throw t.source.error(l.number, QStringLiteral("the calculation record has no field %1").arg(l.cells[0]));
        if (lineOf[size_t(index)] != 0) {
            throw t.source.error(l.number, QStringLiteral("%1 already stands on line %2")
                                               .arg(t.columns[size_t(index)].name).arg(lineOf[size_t(index)]));
        }
        lineOf[size_t(index)] = l.number;
        row.values[index] = l.cells[1];
    }
    QStringList missing;
    for (size_t i = 0; i < t.columns.size(); ++i) {
        if (lineOf[i] == 0)
            missing.append(t.columns[i].name);
    }
    if (!missing.isEmpty())
        throw t.source.error(0, QStringLiteral("fields without a line: %1").arg(missing.join(QStringLiteral(", "))));
    row.line = t.source.lines().empty() ? 0 : t.source.lines().front().number;
    t.rows.push_back(row);
    return t;
}

// Template values are written one per line, so a failing value is reported at its own line.
void writeTemplate(const QString &path, const ParsedTable &t)
{
    std::map<QString, int> lineOf;
    for (const SourceLine &l : t.source.lines())
        lineOf[l.cells[0].toUpper()] = l.number;
    int line = 0;
    try {
        DbfTable::create(path, TableDefs::workFileColumns());
        DbfTable table;
        table.setTableName(path);
        table.open();
        table.append();
        const Row &row = t.rows.front();
        for (size_t i = 0; i < t.columns.size(); ++i) {
            line = lineOf[t.columns[i].name];
            writeValue(table, t.columns[i], row.values[int(i)], t.source, line);
        }
        line = 0;
        table.post();
        table.close();
    } catch (const DbfError &e) {
        throw t.source.error(line, e.message());
    }
}

void checkReferences(const ParsedTable &work, const std::map<QString, ParsedTable> &tables)
{
    for (const Reference &r : kReferences) {
        const int field = work.columnIndex(QString::fromLatin1(r.field));
        const QString &value = work.rows.front().values[field];
        if (value.isEmpty())
            continue;
        const ParsedTable &target = tables.at(QString::fromLatin1(r.source));
        const int column = target.columnIndex(QString::fromLatin1(r.column));
        if (column < 0)
            throw target.source.error(0, QStringLiteral("the column %1 is missing").arg(QLatin1String(r.column)));
        bool found = false;
        for (const Row &row : target.rows)
            found = found || row.values[column] == value;
        if (!found) {
            int line = 0;
            for (const SourceLine &l : work.source.lines()) {
                if (l.cells[0].compare(QLatin1String(r.field), Qt::CaseInsensitive) == 0)
                    line = l.number;
            }
            throw work.source.error(line, QStringLiteral("%1 '%2' is not a %3 of %4")
                                              .arg(QLatin1String(r.field), value, QLatin1String(r.column),
                                                   QLatin1String(r.source)));
        }
    }
}

// Moves the finished files in. Within one file system each rename replaces its
// target at once, so a reader sees either the old table or the new one.
void moveInto(const QString &from, const QString &to)
{
    const QStringList files = QDir(from).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : files) {
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(from + QLatin1Char('/') + name).toStdString(),
                                QFile::encodeName(to + QLatin1Char('/') + name).toStdString(), ec);
        if (ec) {
            throw DataError(QStringLiteral("%1: cannot move %2 in: %3")
                                .arg(to, name, QString::fromLocal8Bit(ec.message().c_str())));
        }
    }
}

} // namespace

void DataBuilder::build(const QString &sourceDir, const QString &outputDir)
{
    const QDir sources(sourceDir);
    if (!sources.exists())
        throw DataError(QStringLiteral("%1: no such folder").arg(sourceDir));

    // Read and check everything before a single file is written.
    std::map<QString, ParsedTable> tables;
    for (const TableSource &s : kTables) {
        const QString name = QString::fromLatin1(s.source);
        tables.emplace(name, readTable(sources.filePath(name), s.key));
    }
    const ParsedTable work = readTemplate(sources.filePath(QString::fromLatin1(kTemplateSource)));
    checkReferences(work, tables);

    const QFileInfo out(QDir::cleanPath(QFileInfo(outputDir).absoluteFilePath()));
    const QString target = out.absoluteFilePath();
    const QString parent = out.absolutePath();
    if (!QDir().mkpath(parent))
        throw DataError(QStringLiteral("%1: cannot create the folder").arg(parent));
    if (out.exists() && !out.isDir())
        throw DataError(QStringLiteral("%1: exists and is not a folder").arg(target));
    QTemporaryDir scratch(parent + QStringLiteral("/.") + out.fileName() + QStringLiteral("-building-XXXXXX"));
    if (!scratch.isValid())
        throw DataError(QStringLiteral("%1: cannot create a scratch folder: %2").arg(parent, scratch.errorString()));
    const QDir built(scratch.path());

    for (const TableSource &s : kTables)
        writeTable(built.filePath(QString::fromLatin1(s.file)), tables.at(QString::fromLatin1(s.source)));
    for (const char *file : kTemplateFiles)
        writeTemplate(built.filePath(QString::fromLatin1(file)), work);
    AirTable::write(built.path());
    CatalogueGenerator::write(sources.absolutePath(), built.path());

    if (!out.exists()) {
        if (QDir().rename(built.path(), target)) {
            scratch.setAutoRemove(false);
            // The scratch folder was private to this run; DATA is read by everyone.
            QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                              | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                                              | QFileDevice::ReadOther | QFileDevice::ExeOther);
            return;
        }
        if (!QDir().mkpath(target))
            throw DataError(QStringLiteral("%1: cannot create the folder").arg(target));
    }
    moveInto(built.path(), target);
}

} // namespace kvor
