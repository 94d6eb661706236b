#include "widgets/progressbarpercent.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

#include "widgets/gaugemath.h"

ProgressBarPercent::ProgressBarPercent(QWidget* parent) : QWidget(parent)
{
    setFont(QFont(QStringLiteral("Arial"), 7));
    setMinimumSize(150, 150);
}

QSize ProgressBarPercent::sizeHint() const
{
    return QSize(200, 200);
}

QSize ProgressBarPercent::minimumSizeHint() const
{
    return QSize(10, 10);
}

void ProgressBarPercent::setRange(int min, int max)
{
    if (min >= max)
        return;
    if (min == minValue && max == maxValue)
        return;
    minValue = min;
    maxValue = max;
    update();
}

void ProgressBarPercent::setMinValue(int min)
{
    setRange(min, maxValue);
}

void ProgressBarPercent::setMaxValue(int max)
{
    setRange(minValue, max);
}

void ProgressBarPercent::setValue(double v)
{
    // NaN passes every range test: refuse it along with values outside the range.
    if (std::isnan(v) || v < minValue || v > maxValue || v == value)
        return;
    const GaugeMath::Rgb c = GaugeMath::ringUsedColour(v);
    usedColor = QColor(c.r, c.g, c.b);
    value = v;
    update();
    emit valueChanged(int(v));
}

void ProgressBarPercent::setNullPosition(int position)
{
    if (position == nullPosition)
        return;
    nullPosition = position;
    update();
}

void ProgressBarPercent::setLineWidth(int width)
{
    if (width == lineWidth)
        return;
    lineWidth = width;
    update();
}

void ProgressBarPercent::setShowPercent(bool show)
{
    if (show == showPercent)
        return;
    showPercent = show;
    update();
}

void ProgressBarPercent::setShowFree(bool show)
{
    if (show == showFree)
        return;
    showFree = show;
    update();
}

void ProgressBarPercent::setShowSmallCircle(bool show)
{
    if (show == showSmallCircle)
        return;
    showSmallCircle = show;
    update();
}

void ProgressBarPercent::setClockWise(bool cw)
{
    if (cw == clockWise)
        return;
    clockWise = cw;
    update();
}

void ProgressBarPercent::setUsedColor(const QColor& color)
{
    if (color == usedColor)
        return;
    usedColor = color;
    update();
}

void ProgressBarPercent::setFreeColor(const QColor& color)
{
    if (color == freeColor)
        return;
    freeColor = color;
    update();
}

void ProgressBarPercent::setCircleColor(const QColor& color)
{
    if (color == circleColor)
        return;
    circleColor = color;
    update();
}

void ProgressBarPercent::setTextColor(const QColor& color)
{
    if (color == textColor)
        return;
    textColor = color;
    update();
}

void ProgressBarPercent::setPercentStyle(ProgressBarPercent::PercentStyle style)
{
    if (style == percentStyle)
        return;
    percentStyle = style;
    update();
}

void ProgressBarPercent::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.translate(width() / 2, height() / 2);
    const double side = std::min(width(), height());
    painter.scale(side / 200.0, side / 200.0);

    const int lw = lineWidth;
    switch (percentStyle) {
    case PercentStyle_Arc:
        drawBackground(&painter, 99 - lw);
        drawRing(&painter, 99 - lw / 2);
        break;
    case PercentStyle_Polo:
        drawBackground(&painter, 99);
        drawDiscFilling(&painter, 99 - lw);
        break;
    case PercentStyle_Arc_Polo:
        drawBackground(&painter, 99 - 2 * lw);
        drawRing(&painter, 99 - lw / 2);
        drawDiscFilling(&painter, 99 - 2 * lw);
        break;
    case PercentStyle_Wave:
        drawBackground(&painter, 99);
        break;
    }
    drawText(&painter);
}

void ProgressBarPercent::drawBackground(QPainter* painter, int radius)
{
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(circleColor);
    painter->drawEllipse(QRect(QPoint(-radius, -radius), QPoint(radius - 1, radius - 1)));
    painter->restore();
}

void ProgressBarPercent::drawRing(QPainter* painter, int radius)
{
    painter->save();
    painter->setBrush(Qt::NoBrush);
    QPen pen = painter->pen();
    pen.setWidth(lineWidth);
    pen.setCapStyle(Qt::RoundCap);

    const double angle = GaugeMath::ringAngle(value, minValue, maxValue, clockWise);
    const QRectF circle(-radius, -radius, 2 * radius, 2 * radius);
    if (showFree) {
        pen.setColor(freeColor);
        painter->setPen(pen);
        painter->drawArc(circle, int((nullPosition - angle) * 16), int(-(360 - angle) * 16));
    }
    pen.setColor(usedColor);
    painter->setPen(pen);
    painter->drawArc(circle, int(nullPosition * 16), int(-angle * 16));

    if (showSmallCircle) {
        painter->rotate(-90 - nullPosition);
        painter->rotate(angle);
        const int q = lineWidth / 2;
        painter->drawEllipse(QRect(1 - q, radius - lineWidth + q, 2 * q - 2, 2 * q - 2));
    }
    painter->restore();
}

void ProgressBarPercent::drawDiscFilling(QPainter* painter, int radius)
{
    const double r = radius;
    const double h = GaugeMath::ringFillHeight(r, value, minValue, maxValue);
    QPainterPath disc;
    disc.addEllipse(QRectF(-r, -r, 2 * r, 2 * r));
    QPainterPath level;
    level.addRect(QRectF(-r, r - 2 * h, 2 * r, 2 * h));
    painter->save();
    painter->setPen(usedColor);
    painter->setBrush(usedColor);
    painter->drawPath(disc.intersected(level));
    painter->restore();
}

void ProgressBarPercent::drawText(QPainter* painter)
{
    painter->save();
    painter->setFont(QFont(QStringLiteral("Arial"), 30));
    painter->setPen(textColor);
    const QString text = showPercent ? QString("%1%").arg(GaugeMath::ringPercent(value, minValue, maxValue))
                                     : QString("%1").arg(value);
    painter->drawText(QRectF(-100, -100, 200, 200), Qt::AlignCenter, text);
    painter->restore();
}
