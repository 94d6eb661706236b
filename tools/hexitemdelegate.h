#pragma once

#include <QModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

class HexTableModel;
class QTableView;

// Paints and edits the cells of both hex tables: tints cells where the two files
// differ, tints the highlighted row, and edits a byte as at most two hex digits.
class HexItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    HexItemDelegate(HexTableModel* model1, HexTableModel* model2, QObject* parent = nullptr);
    ~HexItemDelegate() override;

    static QColor highlightFill() { return QColor(255, 255, 0, 100); }
    static QColor differenceFill() { return QColor(255, 0, 0, 128); }

    void setModels(HexTableModel* model1, HexTableModel* model2);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // Tints the row of `index` in both tables (an invalid index removes the tint).
    // Only the row is kept; callers repaint the views.
    void highlight(const QModelIndex& index);
    void clearHighlight() { highlightedRow = -1; }
    int highlighted() const { return highlightedRow; }

    // Repaints the cell in view1 and the cell at the same row and column in view2,
    // so the other table's difference tint follows an edit at once.
    void updateCell(const QModelIndex& index, QTableView* view1, QTableView* view2);

private:
    bool isHexColumn(const QModelIndex& index) const;

    QPointer<HexTableModel> model1;
    QPointer<HexTableModel> model2;
    int highlightedRow = -1;
};
