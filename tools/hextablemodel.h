#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>
#include <QModelIndex>

// One file's bytes as a table of 16 bytes a row: an address column, sixteen
// hexadecimal cells and sixteen character cells. Only the hexadecimal cells are
// editable, one byte at a time; the size never changes.
class HexTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int columns = 33;
    static constexpr int firstCharColumn = 17;

    explicit HexTableModel(QByteArray data, QObject* parent = nullptr);
    ~HexTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The bytes, edits included; copying the result shares them until either side writes.
    const QByteArray& getByteArray() const { return m_data; }

    // Hexadecimal cells where the byte sequence typed as "DE AD ..." starts, from
    // `startRow` on, in offset order. A sequence may run across row ends. Blank-only
    // or malformed text finds nothing. The last argument is unused.
    QList<QModelIndex> search(const QString& text, int startRow, int) const;

    // The hexadecimal cell of a byte offset (invalid when out of range).
    QModelIndex indexOfOffset(qint64 offset) const;

private:
    QByteArray m_data;
};
