#pragma once

#include <QChartView>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QRectF>

#include <optional>

class QChart;
class QLineSeries;
class QTimer;
class QValueAxis;

// Channel ids of the waveform view.
enum WAVE_CH {
    WAVE_CH0 = 0,
    WAVE_CH1,
    WAVE_CH2,
    WAVE_CH3,
    WAVE_CH4,
    WAVE_CH5,
    WAVE_CH6,
    WAVE_CH7,
    WAVE_CH8,
    WAVE_CH9,
    WAVE_CH10,
    WAVE_CH11,
    WAVE_CH12,
    WAVE_CH13,
    WAVE_CH14,
    WAVE_CH15,
};

// Strip chart of up to sixteen channels on a black plot. The X axis follows the newest
// data; the wheel zooms around the pointer, a left drag pans, a right click fits the axes
// to the visible data. Each channel keeps at most WavePointCap points, the newest.
// Data calls only store the points; the curves are redrawn at most once per frame, from
// the part of each channel that lies in the X window, so a fast stream cannot stall the
// window.
class MWaveView : public QChartView
{
    Q_OBJECT
public:
    explicit MWaveView(QWidget* parent = nullptr);
    ~MWaveView() override;

    void addSeriesData(WAVE_CH ch, const QList<QPointF>& points);
    void addSeriesData(WAVE_CH ch, const QPointF& point);
    void openChannel(WAVE_CH ch);
    void closeChannel(WAVE_CH ch);
    void clearChannel(WAVE_CH ch);
    void addChannel(WAVE_CH ch);

    // Ignored unless positive: the X window must keep a width.
    void setRangeX(int range);
    void setZoomX(double factor);
    void setZoomY(double factor);
    void ZoomX();
    void ZoomOutX();
    void startGraph();
    void pauseGraph();

    double getRangeX() const { return rangeX; }
    QValueAxis* axisX() const { return m_axisX; }
    QValueAxis* axisY() const { return m_axisY; }
    QLineSeries* series(WAVE_CH ch) const { return m_series.value(ch, nullptr); }
    // The points a channel holds (the curve draws the part of them in the window).
    QList<QPointF> channelPoints(WAVE_CH ch) const { return m_points.value(ch); }

public slots:
    void slots_startGraph();
    void slots_pauseGraph();
    Q_INVOKABLE QRectF calculateDataRange();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::optional<QRectF> visibleBounds();
    void scheduleRedraw();
    void applyPendingScroll(); // user actions start from the window the data asked for
    void redraw();

    QMap<WAVE_CH, QLineSeries*> m_series;
    QMap<WAVE_CH, QList<QPointF>> m_points;
    QTimer* m_redrawTimer = nullptr;
    QChart* m_chart = nullptr;
    QValueAxis* m_axisX = nullptr;
    QValueAxis* m_axisY = nullptr;
    double rangeX = 50;
    double zoomX = 1.2;
    double zoomY = 1.2;
    double maxX = 0;
    bool dragging = false;
    int lastX = 0;
    int lastY = 0;
    bool paused = false;
    bool m_openGl = false;      // the curves draw through OpenGL (from the first show on)
    bool scrollPending = false; // new data arrived: the X window follows at the next redraw
};
