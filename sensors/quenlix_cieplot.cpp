#include "sensors/quenlix_cieplot.h"

#include <QDir>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace {

const char diagramResource[] = ":/images/cie1931.svg";

int roundHalfAway(double v)
{
    return int(std::lround(v));
}

} // namespace

quenlix_cieplot::quenlix_cieplot(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(455, 445);
    renderer = new QSvgRenderer(this);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    if (!renderer->load(QString::fromLatin1(diagramResource)))
        renderer->load(QDir::currentPath() + QStringLiteral("/cie1931.svg"));
}

quenlix_cieplot::~quenlix_cieplot() = default;

void quenlix_cieplot::plotPoint(double x, double y, double lux_, double cct_)
{
    pointX = x;
    pointY = y;
    lux = lux_;
    cct = cct_;
    update();
}

QPointF quenlix_cieplot::cieToPixel(double x, double y) const
{
    const int w = width();
    const int h = height();
    if (w < 1 || h < 1)
        return {-1, -1};
    return {(x - xMin) / (xMax - xMin) * w, h - (y - yMin) / (yMax - yMin) * h};
}

QString quenlix_cieplot::valueText() const
{
    return QStringLiteral("x=%1\ny=%2\nLux:%3\nCCT:%4K")
        .arg(pointX, 0, 'f', 3)
        .arg(pointY, 0, 'f', 3)
        .arg(lux, 0, 'f', 1)
        .arg(cct, 0, 'f', 0);
}

bool quenlix_cieplot::hasPoint(QPointF* pixel) const
{
    if (!(pointX >= 0 && pointY >= 0))
        return false;
    const QPointF p = cieToPixel(pointX, pointY);
    if (p.x() < 0 || p.y() < 0)
        return false;
    if (pixel)
        *pixel = p;
    return true;
}

QRect quenlix_cieplot::placeBox(const QPointF& pixel, const QFontMetrics& metrics) const
{
    QRect box = metrics.boundingRect(QRect(0, 0, 200, 100), Qt::AlignLeft, valueText());
    box.moveLeft(roundHalfAway(pixel.x()) + 8);
    box.moveTop(roundHalfAway(pixel.y()) - box.height() / 2);
    // Keep the box on the widget, even when the point itself is off the drawing.
    if (box.right() > width())
        box.moveRight(width() - 5);
    if (box.left() < 0)
        box.moveLeft(5);
    if (box.bottom() > height())
        box.moveBottom(height() - 5);
    if (box.top() < 0)
        box.moveTop(5);
    return box;
}

QRect quenlix_cieplot::valueBoxRect() const
{
    QPointF pixel;
    if (!hasPoint(&pixel))
        return {};
    return placeBox(pixel, fontMetrics());
}

void quenlix_cieplot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (renderer->isValid()) {
        renderer->render(&painter, QRectF(0, 0, width(), height()));
    } else {
        painter.fillRect(rect(), Qt::lightGray);
        painter.setPen(Qt::black);
        painter.drawText(rect(), Qt::AlignCenter, tr("无法加载 SVG 背景"));
    }

    QPointF pixel;
    if (!hasPoint(&pixel))
        return;
    painter.setPen(Qt::red);
    painter.setBrush(Qt::red);
    painter.drawEllipse(QRectF(pixel.x() - 5, pixel.y() - 5, 10, 10));

    const QRect box = placeBox(pixel, painter.fontMetrics());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 180));
    painter.drawRoundedRect(box.adjusted(-2, -2, 2, 2), 3, 3);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignLeft, valueText());
}
