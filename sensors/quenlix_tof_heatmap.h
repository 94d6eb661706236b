#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

#include "sensors/tof_scale.h"

// The "Depth" page of the time-of-flight view: one painted cell per zone, dark red (near) through
// yellow and cyan to blue (far).
class quenlix_tof_heatmap : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_tof_heatmap(QWidget* parent = nullptr);
    ~quenlix_tof_heatmap() override;

    // Sets the grid size and clears every cell; sizes below 1 are refused.
    void changeArrangement(int rows, int cols);
    // Takes a frame of rows x cols values; a frame of 480 or 2268 values switches to 20 x 24 or
    // 42 x 54. Frames of any other size are ignored.
    void updateData(const QList<int>& list);
    QColor calculateColor(int value) const;

    int rows = 8;
    int cols = 8;
    // Distance at the blue end of the scale; set directly by the console.
    int range = TofScale::defaultRange;
    QList<int> values;

protected:
    void paintEvent(QPaintEvent* event) override;
};
