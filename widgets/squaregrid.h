#pragma once

#include <QGridLayout>

// A grid for one round gauge: it lays its content out in the largest square of the space it is
// given, centred across and at the top, so a caption just above the cell stands right over the gauge.
class SquareGrid : public QGridLayout
{
public:
    using QGridLayout::QGridLayout;
    void setGeometry(const QRect& rect) override;
};
