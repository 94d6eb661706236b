#pragma once

#include <QList>
#include <QPoint>
#include <QSurfaceDataArray>
#include <QWidget>

#include "sensors/tof_scale.h"

class Q3DSurface;
class QSurface3DSeries;
class Ui_quenlix_tof_surface;

// The "3D" page of the time-of-flight view: the distances as a height surface. Without an OpenGL
// context (a headless session) the graph is not created and the page shows a notice; the data
// and point order are kept all the same.
class quenlix_tof_surface : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_tof_surface(QWidget* parent = nullptr);
    ~quenlix_tof_surface() override;

    // Rebuilds data, point order and graph for an arrangement code (see TofScale::arrangementSize).
    void changeArrangement(int code);
    // Point order of a rows x cols grid: each row mirrored.
    void update_master_points(int rows, int cols);
    // Raises the item at points[i] to values[i] (at most yRange); pairs outside the grid are skipped.
    void updateMultipleDataPoints(const QList<QPoint>& points, const QList<double>& values);
    // One item; positions outside the grid are ignored.
    void updateDataPoint(int row, int column, double value);
    void setYRange(int range);
    void recreateSurfaceContainer() {}

    // Grid position (x = column, y = row) of each frame index.
    QList<QPoint> points;
    int yRange = TofScale::defaultRange;

    Ui_quenlix_tof_surface* ui = nullptr;
    QSurfaceDataArray* dataArray = nullptr; // owned by the series' data proxy
    QSurface3DSeries* series = nullptr;
    Q3DSurface* graph = nullptr;  // null without OpenGL
    QWidget* container = nullptr; // the graph's window container, or the notice

private:
    void setGraph(Q3DSurface* newGraph);
    static QSurfaceDataArray* flatArray(int rows, int cols);
    void publish();
};
