#include "widgets/squaregrid.h"

#include <algorithm>

void SquareGrid::setGeometry(const QRect& rect)
{
    const int side = std::min(rect.width(), rect.height());
    QGridLayout::setGeometry(QRect(rect.x() + (rect.width() - side) / 2, rect.y(), side, side));
}
