#include "tools/hexitemdelegate.h"

#include <QLineEdit>
#include <QPainter>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTableView>

#include "tools/hextablemodel.h"

HexItemDelegate::HexItemDelegate(HexTableModel* model1, HexTableModel* model2, QObject* parent)
    : QStyledItemDelegate(parent), model1(model1), model2(model2)
{
}

HexItemDelegate::~HexItemDelegate() = default;

void HexItemDelegate::setModels(HexTableModel* m1, HexTableModel* m2)
{
    model1 = m1;
    model2 = m2;
}

bool HexItemDelegate::isHexColumn(const QModelIndex& index) const
{
    return index.isValid() && index.column() >= 1 && index.column() < HexTableModel::firstCharColumn;
}

void HexItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    if (!index.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt(option);
    if (highlightedRow >= 0 && index.row() == highlightedRow) {
        painter->fillRect(option.rect, highlightFill());
        // One selection colour whatever the focus, and normal text on it.
        const QColor selection = option.palette.color(QPalette::Highlight);
        const QColor text = option.palette.color(QPalette::Text);
        opt.palette.setBrush(QPalette::All, QPalette::Highlight, QBrush(selection));
        opt.palette.setBrush(QPalette::All, QPalette::HighlightedText, QBrush(text));
    }
    if (model1 && model2) {
        const QVariant a = model1->data(model1->index(index.row(), index.column()), Qt::DisplayRole);
        const QVariant b = model2->data(model2->index(index.row(), index.column()), Qt::DisplayRole);
        if (a != b) {
            opt.palette.setBrush(QPalette::All, QPalette::Highlight, QBrush(differenceFill()));
            painter->fillRect(option.rect, differenceFill());
        }
    }
    QStyledItemDelegate::paint(painter, opt, index);
}

QWidget* HexItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const
{
    if (!isHexColumn(index))
        return nullptr;
    auto* edit = new QLineEdit(parent);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[0-9A-Fa-f]{0,2}$")), edit));
    return edit;
}

void HexItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (edit && isHexColumn(index))
        edit->setText(index.data(Qt::DisplayRole).toString());
}

void HexItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (edit && model && isHexColumn(index))
        model->setData(index, edit->text().toUpper(), Qt::EditRole); // refused text leaves the byte
}

void HexItemDelegate::highlight(const QModelIndex& index)
{
    highlightedRow = index.isValid() ? index.row() : -1;
}

void HexItemDelegate::updateCell(const QModelIndex& index, QTableView* view1, QTableView* view2)
{
    if (!index.isValid())
        return;
    if (view1 && view1->model() == index.model())
        view1->update(index);
    if (view2 && view2->model()) {
        // The other view only repaints indexes of its own model.
        const QModelIndex other = view2->model()->index(index.row(), index.column());
        if (other.isValid())
            view2->update(other);
    }
}
