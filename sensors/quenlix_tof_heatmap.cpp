#include "sensors/quenlix_tof_heatmap.h"

#include <QPainter>
#include <QPen>

#include "sensors/tof_scale.h"

namespace {
// A grid larger than any sensor's (54 x 42) by far; anything beyond is a caller's mistake.
constexpr int maxCells = 1 << 20;
} // namespace

quenlix_tof_heatmap::quenlix_tof_heatmap(QWidget* parent) : QWidget(parent)
{
    values.fill(0, rows * cols);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

quenlix_tof_heatmap::~quenlix_tof_heatmap() = default;

void quenlix_tof_heatmap::changeArrangement(int newRows, int newCols)
{
    if (newRows < 1 || newCols < 1 || qint64(newRows) * newCols > maxCells)
        return;
    rows = newRows;
    cols = newCols;
    values.fill(0, rows * cols);
    update();
}

void quenlix_tof_heatmap::updateData(const QList<int>& list)
{
    if (list.size() == qsizetype(rows) * cols) {
        values = list;
    } else if (list.size() == 480) {
        rows = 20;
        cols = 24;
        values = list;
    } else if (list.size() == 2268) {
        rows = 42;
        cols = 54;
        values = list;
    } else {
        return;
    }
    update();
}

QColor quenlix_tof_heatmap::calculateColor(int value) const
{
    const Rgb c = TofScale::heatColor(value, range);
    return QColor(c.r, c.g, c.b);
}

void quenlix_tof_heatmap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const double cellWidth = double(width()) / cols;
    const double cellHeight = double(height()) / rows;
    painter.fillRect(rect(), QColor(5, 8, 15));
    QColor outline(6, 10, 20);
    outline.setAlpha(200);
    painter.setPen(QPen(outline, 1));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const qsizetype index = qsizetype(r) * cols + c;
            const int v = index < values.size() ? values.at(index) : 0;
            const QRectF cell(c * cellWidth, r * cellHeight, cellWidth, cellHeight);
            painter.fillRect(cell, calculateColor(v));
            painter.drawRect(cell);
        }
    }
}
