#include "chambertablemodel.h"

#include <QBrush>
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace kvor {

namespace {

QString samePathKey(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

std::optional<double> electricalPower(const ChamberSummary &c)
{
    if (!c.system || !c.system->power)
        return std::nullopt;
    return *c.system->power * c.system->count;
}

QColor statusColour(ChamberStatus status)
{
    switch (status) {
    case ChamberStatus::Ok:
        return QColor(0, 110, 0);
    case ChamberStatus::NoSystem:
        return QColor(110, 110, 110);
    case ChamberStatus::NotCovered:
    case ChamberStatus::Damaged:
        return QColor(200, 0, 0);
    case ChamberStatus::Missing:
    case ChamberStatus::Locked:
        return QColor(170, 85, 0);
    }
    return {};
}

} // namespace

ChamberTableModel::ChamberTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ChamberTableModel::setChambers(std::vector<ChamberSummary> chambers)
{
    beginResetModel();
    m_chambers = std::move(chambers);
    endResetModel();
}

void ChamberTableModel::setChamber(int row, ChamberSummary chamber)
{
    m_chambers.at(size_t(row)) = std::move(chamber);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void ChamberTableModel::appendChamber(ChamberSummary chamber)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    m_chambers.push_back(std::move(chamber));
    endInsertRows();
}

void ChamberTableModel::removeChamber(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    m_chambers.erase(m_chambers.begin() + row);
    endRemoveRows();
}

int ChamberTableModel::rowOf(const QString &path) const
{
    const QString key = samePathKey(path);
    for (size_t i = 0; i < m_chambers.size(); ++i)
        if (samePathKey(m_chambers[i].path) == key)
            return int(i);
    return -1;
}

int ChamberTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_chambers.size());
}

int ChamberTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChamberTableModel::display(const ChamberSummary &c, int column) const
{
    const QLocale locale;
    const auto number = [&locale](const std::optional<double> &v, int decimals) -> QVariant {
        return v ? QVariant(locale.toString(*v, 'f', decimals)) : QVariant();
    };
    if (column == NameColumn)
        return c.name;
    if (column == StatusColumn)
        return statusText(c.status);
    if (!hasFigures(c.status))
        return {};
    switch (column) {
    case VolumeColumn:
        return number(c.volume, 2);
    case TemperatureColumn:
        return locale.toString(c.temperature);
    case ModeColumn:
        return c.mode;
    case RequiredColumn:
        return number(c.required, 2);
    case SystemColumn:
        return c.system ? c.system->code : QString();
    case SystemCapacityColumn:
        return c.system ? number(c.system->capacity, 0) : QVariant();
    case SystemCountColumn:
        return c.system ? QVariant(locale.toString(c.system->count)) : QVariant();
    case PowerColumn:
        return number(electricalPower(c), 2);
    default:
        return {};
    }
}

QVariant ChamberTableModel::sortValue(const ChamberSummary &c, int column) const
{
    // Chambers without figures sort below every number.
    const bool figures = hasFigures(c.status);
    const auto number = [figures](const std::optional<double> &v) -> QVariant {
        return figures && v ? *v : -1e300;
    };
    switch (column) {
    case NameColumn:
        return c.name.toLower();
    case VolumeColumn:
        return number(c.volume);
    case TemperatureColumn:
        return number(double(c.temperature));
    case ModeColumn:
        return figures ? c.mode.toLower() : QString();
    case RequiredColumn:
        return number(c.required);
    case SystemColumn:
        return figures && c.system ? c.system->code.toLower() : QString();
    case SystemCapacityColumn:
        return number(c.system ? std::optional<double>(c.system->capacity) : std::nullopt);
    case SystemCountColumn:
        return number(c.system ? std::optional<double>(c.system->count) : std::nullopt);
    case PowerColumn:
        return number(electricalPower(c));
    case StatusColumn:
        return int(c.status);
    default:
        return {};
    }
}

QVariant ChamberTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ChamberSummary &c = m_chambers[size_t(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return display(c, column);
    case SortRole:
        return sortValue(c, column);
    case ChamberRowRole:
        return index.row();
    case Qt::TextAlignmentRole:
        if (column == NameColumn || column == ModeColumn || column == SystemColumn || column == StatusColumn)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (column == StatusColumn)
            return QBrush(statusColour(c.status));
        if (c.status == ChamberStatus::NotCovered && column == SystemCapacityColumn)
            return QBrush(statusColour(c.status));
        return {};
    case Qt::ToolTipRole:
        if (column == NameColumn)
            return QDir::toNativeSeparators(c.path);
        if (column == StatusColumn && !c.error.isEmpty())
            return c.error;
        if (column == RequiredColumn && !c.runError.isEmpty())
            return c.runError;
        if (column == SystemColumn && c.system)
            return c.system->description;
        return {};
    default:
        return {};
    }
}

QVariant ChamberTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) {
        switch (section) {
        case NameColumn:
            return tr("Камера");
        case VolumeColumn:
            return tr("Об’єм,\nм³");
        case TemperatureColumn:
            return tr("Темп.\nкамери, °C");
        case ModeColumn:
            return tr("Режим");
        case RequiredColumn:
            return tr("Потрібна\nпотужн., кВт");
        case SystemColumn:
            return tr("Система");
        case SystemCapacityColumn:
            return tr("Продукт.\nсистеми, Вт");
        case SystemCountColumn:
            return tr("Кільк.\nсистем");
        case PowerColumn:
            return tr("Електр.\nпотужн., кВт");
        case StatusColumn:
            return tr("Стан");
        default:
            return {};
        }
    }
    if (role == Qt::ToolTipRole) {
        switch (section) {
        case RequiredColumn:
            return tr("Потрібна холодопродуктивність камери, кВт");
        case SystemCapacityColumn:
            return tr("Холодопродуктивність однієї системи (PROIZSYS), Вт");
        case SystemCountColumn:
            return tr("Кількість систем (KOLSYS)");
        case PowerColumn:
            return tr("Споживана електрична потужність прийнятих систем, кВт");
        default:
            return {};
        }
    }
    return {};
}

} // namespace kvor
