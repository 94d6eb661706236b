#pragma once

#include <QWidget>

class QStackedWidget;
class ScreenRate;
class Ui_quenlix_tof;
class quenlix_tof_data;
class quenlix_tof_heatmap;
class quenlix_tof_surface;

// The time-of-flight view: the value grid ("2D", page 0), the 3D surface ("3D", page 1) and the
// heat map ("Depth", page 2) in a stack. The console feeds all three, whichever is shown.
class quenlix_tof : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_tof(QWidget* parent = nullptr);
    ~quenlix_tof() override;

    // Shows page `index` (0 values, 1 surface, 2 heat map).
    void change(int index);
    // A decoded frame for all three pages. They are drawn at screen rate, showing after each
    // paint what drawing every frame would have shown.
    void showFrame(const QList<int>& values);
    // Draws a waiting frame now (before the pages change their arrangement).
    void flush();
    // How many times the pages were brought up to date.
    int framesShown() const;

    Ui_quenlix_tof* ui = nullptr;
    QStackedWidget* stackedWidget = nullptr;
    quenlix_tof_surface* surface = nullptr;
    quenlix_tof_data* data = nullptr;
    quenlix_tof_heatmap* heatmap = nullptr;

public slots:
    void update_data_barset(unsigned char, double) {}

protected:
    void resizeEvent(QResizeEvent*) override {}

private:
    void drawFrame();

    QList<int> m_frame; // what the grid and the surface are to show at the next paint
    ScreenRate* m_screen = nullptr;
};
