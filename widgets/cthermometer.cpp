#include "widgets/cthermometer.h"

#include <QEasingCurve>
#include <QFontMetricsF>
#include <QPainter>
#include <QPropertyAnimation>

#include <cmath>

#include "widgets/gaugemath.h"

namespace {
QColor toColor(const GaugeMath::Rgb& c)
{
    return QColor(c.r, c.g, c.b);
}
} // namespace

CThermometer::CThermometer(QWidget* parent) : QWidget(parent)
{
    initData();
    animation = new QPropertyAnimation(this, "value", this);
    animation->setDuration(100);
    animation->setEasingCurve(QEasingCurve::OutCubic);
}

void CThermometer::initData()
{
    maxValue = 70;
    minValue = -30;
    value = 1.0;
    precision = PRECISION_2;
    liquidColor = QColor(100, 184, 255);
    centerWidth = 24;
    topPadding = 25;
    bottomPadding = -40;
    scaleColor = QColor(100, 100, 100);
    backgroundColor = Qt::transparent;
}

void CThermometer::setValue(double v)
{
    // "nan" from a device would leave the column and colour undefined: keep the last reading.
    if (std::isnan(v))
        return;
    liquidColor = toColor(GaugeMath::thermoLiquidColour(v));
    value = v;
    update();
}

void CThermometer::setValueWithAnimation(double v)
{
    if (std::isnan(v))
        return;
    animation->stop();
    animation->setStartValue(value);
    animation->setEndValue(v);
    animation->start();
}

void CThermometer::setMaxValue(int v)
{
    maxValue = GaugeMath::thermoScaleEnd(v);
    update();
}

void CThermometer::setMinValue(int v)
{
    minValue = GaugeMath::thermoScaleEnd(v);
    update();
}

void CThermometer::setPrecision(int p)
{
    if (p < 1 || p > 10)
        return;
    precision = p;
    update();
}

void CThermometer::setCenterWidth(int w)
{
    centerWidth = w;
    update();
}

void CThermometer::setTopPadding(int p)
{
    topPadding = p;
    update();
}

void CThermometer::setBottomPadding(int p)
{
    bottomPadding = p;
    update();
}

void CThermometer::setScaleColor(QColor color)
{
    scaleColor = color;
    update();
}

void CThermometer::setBackGroundColor(QColor color)
{
    backgroundColor = color;
    update();
}

void CThermometer::resizeEvent(QResizeEvent* event)
{
    barRect = GaugeMath::thermoBarRect(width(), height(), centerWidth, topPadding, bottomPadding);
    QWidget::resizeEvent(event);
}

void CThermometer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF& r = barRect;
    const int cw = centerWidth;
    const double bottom = r.y() + r.height();

    painter.fillRect(rect(), backgroundColor);

    // Glass: neck, outer bulb and tube.
    const QColor glass(100, 100, 100);
    const QPointF bulbCentre(r.x() + cw / 2.0, bottom + cw);
    painter.fillRect(QRectF(r.x(), bottom, cw, cw + 12), glass);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glass);
    const double outer = (cw / 3) * 5;
    painter.drawEllipse(bulbCentre, outer, outer);
    painter.fillRect(r, glass);

    // Liquid in the neck and the inner bulb.
    painter.fillRect(QRectF(r.x() + 4, bottom, cw - 8, cw), liquidColor);
    painter.setBrush(liquidColor);
    const double inner = (cw / 3) * 4.5;
    painter.drawEllipse(bulbCentre, inner, inner);

    // Scale on both sides of the tube.
    painter.setPen(scaleColor);
    painter.setBrush(Qt::NoBrush);
    const int n = (maxValue - minValue) / 10;
    const double s = r.height() / (n + 1);
    const int k = 10 / precision;
    for (int i = 0; i <= n; ++i) {
        const double y = bottom - s * (i + 0.5);
        painter.drawLine(QPointF(r.x() - 2, y), QPointF(r.x() - 10, y));
        painter.drawLine(QPointF(r.right() + 2, y), QPointF(r.right() + 10, y));
        if (i < n && k >= 2) {
            for (int j = 1; j < k; ++j) {
                const double ym = y - j * s / k;
                painter.drawLine(QPointF(r.x() - 2, ym), QPointF(r.x() - 7, ym));
                painter.drawLine(QPointF(r.right() + 2, ym), QPointF(r.right() + 7, ym));
            }
        }
    }
    for (const auto& [label, box] : scaleLabels())
        painter.drawText(box, Qt::AlignCenter, label);

    // Liquid column.
    const double l = GaugeMath::thermoLiquidHeight(value, minValue, maxValue, r.height());
    painter.fillRect(QRectF(r.x() + 4, r.y() + r.height() - l, r.width() - 8, l), liquidColor);

    // Reading, one line above the tube.
    painter.setFont(readingFont());
    painter.setPen(scaleColor);
    painter.drawText(readingBox(), Qt::AlignCenter, readingText());
}

QList<std::pair<QString, QRectF>> CThermometer::scaleLabels() const
{
    QList<std::pair<QString, QRectF>> labels;
    const QFontMetricsF fm(font());
    const int n = (maxValue - minValue) / 10;
    const double s = barRect.height() / (n + 1);
    for (int i = 0; i <= n; ++i) {
        const double y = barRect.bottom() - s * (i + 0.5);
        const QString label = QString::number(minValue + 10 * i);
        const double w = fm.horizontalAdvance(label);
        const double h = fm.height();
        labels.append({label, QRectF(barRect.x() - 15 - w, y - h / 2, w, h)});
    }
    return labels;
}

QString CThermometer::readingText() const
{
    return QString::number(value, 'g', 6) + QStringLiteral("°C");
}

QFont CThermometer::readingFont() const
{
    return QFont(QStringLiteral("Microsoft YaHei"), 12, 700);
}

QRectF CThermometer::readingBox() const
{
    const QFontMetricsF fm(font());
    const double h = fm.height();
    const double u = fm.horizontalAdvance(QStringLiteral("°C"));
    return QRectF(QPointF(barRect.x() - 65 - u, barRect.y() - h), QPointF(barRect.x() + 105, barRect.y()));
}

QList<PaintedText> CThermometer::paintedTexts() const
{
    QList<PaintedText> list;
    for (const auto& [label, box] : scaleLabels())
        list << PaintedText{label, QPolygonF(box), emPixels(font(), this)};
    const QString reading = readingText();
    const QFontMetricsF fm(readingFont(), this);
    QRectF box(QPointF(), QSizeF(fm.horizontalAdvance(reading), fm.height()));
    box.moveCenter(readingBox().center());
    list << PaintedText{reading, QPolygonF(box), emPixels(readingFont(), this)};
    return list;
}
