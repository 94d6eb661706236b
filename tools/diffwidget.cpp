#include "tools/diffwidget.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "tools/hextablemodel.h"

DiffWidget::DiffWidget(QWidget* parent) : QWidget(parent)
{
    setMinimumWidth(20);
    setMaximumWidth(20);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

DiffWidget::~DiffWidget() = default;

void DiffWidget::setModels(HexTableModel* m1, HexTableModel* m2)
{
    model1 = m1;
    model2 = m2;
    updateDiffs();
}

int DiffWidget::totalRows() const
{
    if (!model1 || !model2)
        return 0;
    return std::max(model1->rowCount(), model2->rowCount());
}

void DiffWidget::updateDiffs()
{
    diffRows.reset(0);
    if (!model1 || !model2)
        return;
    diffRows = HexBytes::diffRows(model1->getByteArray(), model2->getByteArray());
    update();
}

void DiffWidget::onDataChanged()
{
    updateDiffs();
}

void DiffWidget::updateRow(int row)
{
    if (!model1 || !model2 || row < 0 || row >= diffRows.size())
        return;
    const bool differs = HexBytes::rowDiffers(model1->getByteArray(), model2->getByteArray(), row);
    if (differs != diffRows.test(row)) {
        diffRows.set(row, differs);
        update();
    }
}

void DiffWidget::setVisibleRows(int first, int last)
{
    firstVisible = first;
    lastVisible = last;
    update();
}

void DiffWidget::setSearchRows(const HexRowSet& rows)
{
    searchHits = rows;
    update();
}

void DiffWidget::drawMarks(QPainter& painter, const HexRowSet& rows, const QColor& colour, float scale) const
{
    painter.setPen(colour);
    painter.setBrush(colour);
    const int height = markHeight(scale);
    // One mark per pixel line at most: after marking a line, skip every row that
    // maps onto the same line, so a fully different pair costs no more than the height.
    for (int row = rows.nextSet(0); row >= 0;) {
        const int top = int(float(row) * scale);
        painter.drawRect(QRect(0, top, 10, height));
        int next = int(std::ceil(float(top + 1) / scale));
        while (next > row + 1 && int(float(next - 1) * scale) > top)
            --next; // float rounding: never skip a row of a later line
        while (int(float(next) * scale) <= top)
            ++next;
        row = rows.nextSet(std::max(next, row + 1));
    }
}

void DiffWidget::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    const int rows = totalRows();
    if (rows <= 0)
        return;
    const float scale = float(height()) / float(rows);
    QPainter painter(this);
    painter.setPen(QPen(Qt::lightGray));
    painter.drawLine(5, 0, 5, height());
    drawMarks(painter, diffRows, Qt::red, scale);
    drawMarks(painter, searchHits, searchColor(), scale);
}

// A pixel of the strip stands for thousands of rows of a big file: a press on a mark (or
// within a pixel of one) goes to the nearest marked row of the mark, not to the first row
// of the pixel, so the difference itself comes into view.
int DiffWidget::nearestMarkedRow(int row, int pixel, float scale) const
{
    const int height = markHeight(scale);
    const auto covers = [&](int marked) {
        const int top = int(float(marked) * scale);
        return marked >= 0 && top <= pixel + 1 && top + height >= pixel;
    };
    int best = -1;
    for (const HexRowSet* rows : {&diffRows, &searchHits}) {
        for (int marked : {rows->prevSet(row), rows->nextSet(row)}) {
            if (covers(marked) && (best < 0 || std::abs(marked - row) < std::abs(best - row)))
                best = marked;
        }
    }
    return best >= 0 ? best : row;
}

void DiffWidget::mousePressEvent(QMouseEvent* event)
{
    const int rows = totalRows();
    if (rows <= 0)
        return;
    const float scale = float(height()) / float(rows);
    const double y = event->position().y();
    const int row = std::min(int(y / double(scale)), rows - 1);
    emit jumpToRow(nearestMarkedRow(row, int(std::floor(y)), scale));
    QWidget::mousePressEvent(event);
}
