#include "tools/hextablemodel.h"

#include <QChar>
#include <QString>

#include "tools/hexbytes.h"

namespace {

QString hexDigits(qint64 value, int width)
{
    return QStringLiteral("%1").arg(value, width, 16, QLatin1Char('0')).toUpper();
}

} // namespace

HexTableModel::HexTableModel(QByteArray data, QObject* parent)
    : QAbstractTableModel(parent), m_data(std::move(data))
{
}

HexTableModel::~HexTableModel() = default;

int HexTableModel::rowCount(const QModelIndex&) const
{
    return HexBytes::rowCount(m_data.size());
}

int HexTableModel::columnCount(const QModelIndex&) const
{
    return columns;
}

QVariant HexTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= columns)
        return {};
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return column == 0 ? int(Qt::AlignLeft) : int(Qt::AlignHCenter | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};

    const qint64 rowStart = qint64(index.row()) * HexBytes::bytesPerRow;
    if (column == 0)
        return hexDigits(rowStart, 8);
    const bool isHex = column < firstCharColumn;
    const qint64 offset = rowStart + (isHex ? column - 1 : column - firstCharColumn);
    if (offset >= m_data.size())
        return QString();
    const uchar byte = uchar(m_data.at(offset));
    if (isHex)
        return hexDigits(byte, 2);
    if (byte >= 0x20 && byte <= 0x7E)
        return QChar(byte);
    return QStringLiteral(".");
}

bool HexTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() < 1 || index.column() >= firstCharColumn)
        return false;
    const qint64 offset = qint64(index.row()) * HexBytes::bytesPerRow + index.column() - 1;
    if (offset < 0 || offset >= m_data.size())
        return false;
    bool ok = false;
    const uint number = value.toString().toUInt(&ok, 16);
    // One cell is one byte: a larger number is a typing error, not a byte to truncate.
    if (!ok || number > 0xFF)
        return false;
    m_data[offset] = char(number);
    emit dataChanged(index, index, {Qt::DisplayRole});
    return true;
}

QVariant HexTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns)
        return {};
    if (section == 0)
        return QStringLiteral("Address");
    return hexDigits(section < firstCharColumn ? section - 1 : section - firstCharColumn, 1);
}

Qt::ItemFlags HexTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() >= 1 && index.column() < firstCharColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

QList<QModelIndex> HexTableModel::search(const QString& text, int startRow, int) const
{
    QList<QModelIndex> hits;
    QByteArray pattern;
    if (startRow < 0 || HexBytes::parsePattern(text, &pattern) != HexBytes::PatternStatus::Valid)
        return hits;
    const qint64 from = qint64(startRow) * HexBytes::bytesPerRow;
    for (qint64 offset : HexBytes::findAll(m_data, pattern, from))
        hits.append(indexOfOffset(offset));
    return hits;
}

QModelIndex HexTableModel::indexOfOffset(qint64 offset) const
{
    if (offset < 0 || offset >= m_data.size())
        return {};
    return index(int(offset / HexBytes::bytesPerRow), int(offset % HexBytes::bytesPerRow) + 1);
}
