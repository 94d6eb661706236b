#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QWidget>

#include "sensors/tof_scale.h"

class QLabel;
class Ui_quenlix_tof_data;

// The "2D" page of the time-of-flight view: one label per zone showing its distance on a colour
// that runs from black over blue to red across the range.
class quenlix_tof_data : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_tof_data(QWidget* parent = nullptr);
    ~quenlix_tof_data() override;

    // Rebuilds the grid for an arrangement code (see TofScale::arrangementSize).
    void changeArrangement(int code);
    // Shows one zone's value; indexes outside the grid are ignored.
    void updateLabelValues(int index, int value);
    // Shows a whole frame, value i on label i; values beyond the grid are ignored.
    void showValues(const QList<int>& values);
    QColor calculateColor(int value) const;
    static int calculateValue(const QString& text);
    static QFont set_label_font(int count);

    // Distance at the red end of the scale; set directly by the console.
    int range = TofScale::defaultRange;

    Ui_quenlix_tof_data* ui = nullptr;
    QList<QLabel*> labels;

private:
    QLabel* makeLabel(int count);
    void paintLabel(QLabel* label, const QColor& color);

    // What each label was last given, so a frame touches only what changed.
    QList<QRgb> m_shownColors;
};
