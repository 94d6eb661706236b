#include "sensors/quenlix_cieplot.h"

#include <QDir>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>
#include <QSvgRenderer>

#include <cmath>

#include "sensors/cie1931.h"

namespace {

const char diagramResource[] = ":/images/cie1931.svg";

int roundHalfAway(double v)
{
    return int(std::lround(v));
}

// Whether the open line of points passes through the box.
bool crosses(const QPolygonF& line, const QRectF& box)
{
    const QLineF edges[] = {{box.topLeft(), box.topRight()},
                            {box.topRight(), box.bottomRight()},
                            {box.bottomRight(), box.bottomLeft()},
                            {box.bottomLeft(), box.topLeft()}};
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (box.contains(line.at(i)))
            return true;
        for (const QLineF& edge : edges)
            if (i > 0 && QLineF(line.at(i - 1), line.at(i)).intersects(edge) == QLineF::BoundedIntersection)
                return true;
    }
    return false;
}

constexpr double labelGap = 2; // pixels kept free around every label

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

    painter.setPen(QColor(0x30, 0x30, 0x30));
    for (const Label& label : labels()) {
        painter.setFont(label.font);
        painter.drawText(label.box, Qt::AlignCenter, label.text);
    }
    painter.setFont(font());

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

QList<quenlix_cieplot::Label> quenlix_cieplot::labels() const
{
    const QString key = QStringLiteral("%1x%2 %3").arg(width()).arg(height()).arg(font().key());
    if (key != m_labelsFor) {
        m_labels = placeLabels();
        m_labelsFor = key;
    }
    return m_labels;
}

QList<quenlix_cieplot::Label> quenlix_cieplot::placeLabels() const
{
    QList<Label> placed;
    if (width() < 1 || height() < 1)
        return placed;
    const QFont axisFont = font();
    QFont markFont = font();
    if (markFont.pointSizeF() > 8)
        markFont.setPointSizeF(markFont.pointSizeF() - 1);
    const QFontMetricsF axis(axisFont, this);
    const QFontMetricsF mark(markFont, this);
    const auto sized = [](const QFontMetricsF& m, const QString& text) {
        return QSizeF(m.horizontalAdvance(text), m.height());
    };
    const QRectF area(QPointF(0, 0), QSizeF(size()));
    const auto free = [&placed, &area](const QRectF& box) {
        if (!area.contains(box))
            return false;
        for (const Label& other : placed)
            if (other.box.adjusted(-labelGap, -labelGap, labelGap, labelGap).intersects(box))
                return false;
        return true;
    };

    // Axis numbers beside their grid lines: x along the top, y along the right edge.
    constexpr double pad = 3;
    for (int i = 1; i <= 7; ++i) {
        const QString text = QStringLiteral("0.%1").arg(i);
        placed << Label{text, QRectF(QPointF(cieToPixel(i / 10.0, 0).x() + pad, pad), sized(axis, text)),
                        axisFont};
    }
    placed << Label{QStringLiteral("x"),
                    QRectF(QPointF(cieToPixel(0.75, 0).x(), pad), sized(axis, QStringLiteral("x"))),
                    axisFont};
    for (int i = 1; i <= 8; ++i) {
        const QString text = QStringLiteral("0.%1").arg(i);
        QRectF box(QPointF(), sized(axis, text));
        box.moveBottomRight(QPointF(width() - pad, cieToPixel(0, i / 10.0).y() - pad));
        placed << Label{text, box, axisFont};
    }
    QRectF yName(QPointF(), sized(axis, QStringLiteral("y")));
    yName.moveBottomRight(QPointF(width() - pad, cieToPixel(0, 0.85).y() - pad));
    if (free(yName))
        placed << Label{QStringLiteral("y"), yName, axisFont};

    QPolygonF locus;
    for (const QPointF& p : Cie1931::spectralLocus())
        locus << cieToPixel(p.x(), p.y());
    QPolygonF planck;
    for (const QPointF& p : Cie1931::planckianLocus())
        planck << cieToPixel(p.x(), p.y());
    QPolygonF outline = locus;
    outline << locus.first();

    // A mark's name goes beside the mark, first where `first` points, then round it, never
    // across a curve.
    const auto placeBeside = [&](const QPointF& p, QPointF first, const QString& text) {
        const double length = std::hypot(first.x(), first.y());
        first /= length > 0 ? length : 1;
        QList<QPointF> ways{first};
        for (int degrees : {90, 270, 45, 135, 315, 225, 0, 180})
            ways << QPointF(std::cos(degrees * M_PI / 180), std::sin(degrees * M_PI / 180));
        QRectF box(QPointF(), sized(mark, text));
        for (const QPointF& u : ways) {
            const double reach = std::abs(u.x()) * box.width() / 2 + std::abs(u.y()) * box.height() / 2;
            for (double offset : {4, 10}) {
                box.moveCenter(p + u * (offset + reach));
                if (free(box) && !crosses(planck, box) && !crosses(outline, box)) {
                    placed << Label{text, box, markFont};
                    return;
                }
            }
        }
    };
    // Wavelengths outward from the middle of the diagram, temperatures below their marks.
    const QPointF middle = cieToPixel(0.33, 0.33);
    for (int nm : Cie1931::markedWavelengths()) {
        const QPointF c = Cie1931::spectralChromaticity(nm);
        const QPointF p = cieToPixel(c.x(), c.y());
        placeBeside(p, p - middle, QString::number(nm));
    }
    for (int k : Cie1931::markedTemperatures()) {
        const QPointF c = Cie1931::planckianChromaticity(k);
        placeBeside(cieToPixel(c.x(), c.y()), QPointF(0, 1), QStringLiteral("%1K").arg(k));
    }
    return placed;
}

QList<PaintedText> quenlix_cieplot::paintedTexts() const
{
    QList<PaintedText> list;
    for (const Label& label : labels()) {
        const double em = emPixels(label.font, this);
        list << PaintedText{label.text, QPolygonF(label.box), em};
    }
    return list;
}
