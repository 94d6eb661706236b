#include "widgets/mwaveview.h"

#include <QChart>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineSeries>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPen>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>
#include <QWheelEvent>

#include <cmath>

#include "widgets/gaugemath.h"

namespace {

const QColor chColor[16] = {
    QColor(0xFF, 0xE4, 0x10), QColor(0x00, 0xE1, 0xFF), QColor(0xFF, 0x14, 0xFF), QColor(0x00, 0x17, 0xFF),
    QColor(0x7F, 0xFF, 0x00), QColor(0xFF, 0x00, 0xFF), QColor(0x93, 0x70, 0xDB), QColor(0x00, 0xFF, 0xFF),
    QColor(0x00, 0x00, 0x80), QColor(0x80, 0x00, 0x80), QColor(0x2E, 0x8B, 0x57), QColor(0x98, 0xFB, 0x98),
    QColor(0x00, 0xFF, 0x7F), QColor(0x00, 0x00, 0xFF), QColor(0x87, 0xCE, 0xFA), QColor(0xFF, 0xC0, 0xCB),
};

// Drawing through OpenGL needs a window system that hosts GL widgets and a context. Elsewhere
// (the offscreen platform, even where it can make a GLX context) the GL overlay crashes the
// window flush, so the curves are drawn in software there. So they are where OpenGL itself is
// done in software (no GPU: a virtual machine, a remote desktop): an OpenGL child makes Qt
// compose the whole window through OpenGL on every frame, which then costs far more than the
// few hundred line segments it would spare.
bool openGlAvailable()
{
    static const bool available = [] {
        const QString platform = QGuiApplication::platformName();
        if (platform != QLatin1String("xcb") && !platform.startsWith(QLatin1String("wayland")) &&
            platform != QLatin1String("eglfs"))
            return false;
        QOpenGLContext probe;
        QOffscreenSurface surface;
        surface.create();
        if (!probe.create() || !probe.makeCurrent(&surface))
            return false;
        const auto* name = reinterpret_cast<const char*>(probe.functions()->glGetString(GL_RENDERER));
        const QByteArray renderer = name ? QByteArray(name) : QByteArray();
        probe.doneCurrent();
        return !GaugeMath::isSoftwareRenderer(renderer);
    }();
    return available;
}

} // namespace

MWaveView::MWaveView(QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("MWaveView"));

    m_axisX = new QValueAxis;
    m_axisY = new QValueAxis;
    m_axisX->setTickCount(9);
    m_axisY->setTickCount(9);
    m_axisX->setLabelFormat(QStringLiteral("%d"));
    m_axisY->setLabelFormat(QStringLiteral("%.2f"));
    m_axisX->setTickType(QValueAxis::TicksFixed);
    m_axisX->setRange(0, 50);
    m_axisY->setRange(-25, 25);

    m_chart = new QChart;
    m_chart->legend()->hide();
    m_chart->setTheme(QChart::ChartThemeLight);
    setChart(m_chart);
    m_chart->addAxis(m_axisX, Qt::AlignBottom);
    m_chart->addAxis(m_axisY, Qt::AlignLeft);

    // After the theme, which would reset them.
    m_axisX->setLabelsColor(QColor(255, 255, 255, 150));
    m_axisY->setLabelsColor(QColor(255, 255, 255, 150));
    setRenderHint(QPainter::Antialiasing);
    m_chart->setBackgroundBrush(QBrush(Qt::black));

    for (int ch = WAVE_CH0; ch <= WAVE_CH15; ++ch)
        addChannel(WAVE_CH(ch));

    // About one frame: lines arriving faster than that are drawn together.
    m_redrawTimer = new QTimer(this);
    m_redrawTimer->setSingleShot(true);
    m_redrawTimer->setInterval(16);
    connect(m_redrawTimer, &QTimer::timeout, this, &MWaveView::redraw);
    // Zoom, pan and fit change the window: the curves need the points of the new one.
    connect(m_axisX, &QValueAxis::rangeChanged, this, &MWaveView::scheduleRedraw);
    connect(m_chart, &QChart::plotAreaChanged, this, &MWaveView::scheduleRedraw);
}

MWaveView::~MWaveView() = default;

// The curves go to OpenGL when the view is first shown, not before: an OpenGL child makes Qt
// compose the whole window through OpenGL on every repaint, whatever page is showing.
void MWaveView::showEvent(QShowEvent* event)
{
    QChartView::showEvent(event);
    if (m_openGl || !openGlAvailable())
        return;
    m_openGl = true;
    for (QLineSeries* s : std::as_const(m_series))
        s->setUseOpenGL(true);
}

void MWaveView::addChannel(WAVE_CH ch)
{
    auto* s = new QLineSeries;
    QPen pen(chColor[ch]);
    pen.setWidth(3);
    s->setPen(pen);
    s->setUseOpenGL(m_openGl);
    if (QLineSeries* old = m_series.value(ch, nullptr)) {
        m_chart->removeSeries(old);
        delete old;
    }
    m_series.insert(ch, s);
    m_points.insert(ch, {});
    m_chart->addSeries(s);
    s->attachAxis(m_axisX);
    s->attachAxis(m_axisY);
}

void MWaveView::addSeriesData(WAVE_CH ch, const QList<QPointF>& points)
{
    if (paused || !m_series.contains(ch))
        return;
    // Copied into the channel's own buffer rather than shared: a shared list would make the
    // caller's next append copy it anyway, and allocate a fresh block each line.
    QList<QPointF>& store = m_points[ch];
    const qsizetype n = std::min(points.size(), GaugeMath::WavePointCap);
    store.resize(n);
    std::copy(points.cend() - n, points.cend(), store.begin());
    // A non-finite X (a device printing "nan") must not take the axis with it.
    if (points.isEmpty())
        maxX = 0;
    else if (std::isfinite(points.constLast().x()))
        maxX = std::max(points.constLast().x(), maxX);
    scrollPending = true;
    scheduleRedraw();
}

void MWaveView::addSeriesData(WAVE_CH ch, const QPointF& point)
{
    if (paused || !m_series.contains(ch))
        return;
    QList<QPointF>& list = m_points[ch];
    if (list.size() >= GaugeMath::WavePointCap)
        list.remove(0, list.size() - GaugeMath::WavePointCap + 1);
    list.append(point);
    scheduleRedraw();
}

void MWaveView::scheduleRedraw()
{
    if (!m_redrawTimer->isActive())
        m_redrawTimer->start();
}

void MWaveView::applyPendingScroll()
{
    if (!scrollPending)
        return;
    scrollPending = false;
    const GaugeMath::AxisWindow w = GaugeMath::waveScrollWindow(maxX, rangeX);
    m_axisX->setRange(w.lower, w.upper);
}

void MWaveView::redraw()
{
    applyPendingScroll();
    m_redrawTimer->stop(); // setting the axis above asked for this very pass again
    const int columns = qMax(1, qRound(m_chart->plotArea().width()));
    for (auto it = m_series.cbegin(); it != m_series.cend(); ++it) {
        const QList<QPointF>& all = m_points[it.key()];
        if (all.isEmpty() && it.value()->count() == 0)
            continue;
        it.value()->replace(GaugeMath::wavePointsToDraw(all, m_axisX->min(), m_axisX->max(), columns));
    }
}

void MWaveView::openChannel(WAVE_CH ch)
{
    if (QLineSeries* s = m_series.value(ch, nullptr))
        s->setVisible(true);
}

void MWaveView::closeChannel(WAVE_CH ch)
{
    if (QLineSeries* s = m_series.value(ch, nullptr))
        s->setVisible(false);
}

void MWaveView::clearChannel(WAVE_CH ch)
{
    if (!m_series.contains(ch))
        return;
    m_points[ch].clear();
    scheduleRedraw();
}

void MWaveView::setRangeX(int range)
{
    if (range > 0)
        rangeX = range;
}

void MWaveView::setZoomX(double factor)
{
    if (factor > 0)
        zoomX = factor;
}

void MWaveView::setZoomY(double factor)
{
    if (factor > 0)
        zoomY = factor;
}

void MWaveView::ZoomX()
{
    rangeX *= zoomX;
}

void MWaveView::ZoomOutX()
{
    rangeX *= 1 / zoomX;
}

void MWaveView::startGraph()
{
    paused = false;
}

void MWaveView::pauseGraph()
{
    paused = true;
}

void MWaveView::slots_startGraph()
{
    startGraph();
}

void MWaveView::slots_pauseGraph()
{
    pauseGraph();
}

QRectF MWaveView::calculateDataRange()
{
    return visibleBounds().value_or(QRectF());
}

std::optional<QRectF> MWaveView::visibleBounds()
{
    QList<const QList<QPointF>*> lists;
    for (auto it = m_series.cbegin(); it != m_series.cend(); ++it) {
        if (it.value()->isVisible())
            lists << &m_points[it.key()];
    }
    const std::optional<QRectF> bounds = GaugeMath::waveBounds(lists);
    // A flat or empty data set has no width: keep the window the view already scrolls in.
    if (bounds && bounds->width() > 0)
        rangeX = bounds->width();
    return bounds;
}

void MWaveView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging = true;
    lastX = qRound(event->position().x());
    lastY = qRound(event->position().y());
    setCursor(Qt::OpenHandCursor);
}

void MWaveView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging = false;
    setCursor(Qt::ArrowCursor);
}

void MWaveView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (dragging) {
        applyPendingScroll();
        m_chart->scroll(lastX - pos.x(), pos.y() - lastY);
        lastX = pos.x();
        lastY = pos.y();
    }
    const QPointF v = m_chart->mapToValue(m_chart->mapFromScene(mapToScene(pos)));
    QToolTip::showText(event->globalPosition().toPoint(),
                       "(" + QString::number(v.x(), 'g', 6) + "," + QString::number(v.y(), 'g', 6) + ")");
}

void MWaveView::wheelEvent(QWheelEvent* event)
{
    applyPendingScroll();
    const QRectF area = m_chart->plotArea();
    double fx, fy;
    if (event->angleDelta().y() < -7) {
        fx = zoomX;
        fy = zoomY;
        ZoomX();
    } else {
        fx = 1 / zoomX;
        fy = 1 / zoomY;
        ZoomOutX();
    }
    m_chart->zoomIn(GaugeMath::waveZoomRect(area, event->position(), fx, fy));
}

void MWaveView::contextMenuEvent(QContextMenuEvent*)
{
    applyPendingScroll();
    const std::optional<QRectF> bounds = visibleBounds();
    if (!bounds)
        return;
    const QRectF fit = GaugeMath::waveFitRect(*bounds, rangeX);
    m_axisX->setRange(fit.left(), fit.right());
    m_axisY->setRange(fit.top(), fit.bottom());
}
