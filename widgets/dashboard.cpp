#include "widgets/dashboard.h"

#include <QConicalGradient>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <QStringList>

#include <cmath>

#include "widgets/gaugemath.h"

DashBoard::DashBoard(QWidget* parent)
    : QWidget(parent), units(QStringLiteral("Pa")), title(QStringLiteral("Barometer"))
{
    setMinimumSize(150, 150);
}

DashBoard::~DashBoard() = default;

void DashBoard::setValue(double v)
{
    // A device that prints "nan" must not leave the needle pointing nowhere: keep the last reading.
    if (std::isnan(v))
        return;
    value = GaugeMath::dialClamp(v, minValue, maxValue);
    update();
}

void DashBoard::setValue(int v)
{
    setValue(double(v));
}

void DashBoard::setMinValue(int v)
{
    if (v < maxValue)
        minValue = v;
    update();
}

void DashBoard::setMaxValue(int v)
{
    if (v > minValue)
        maxValue = v;
    update();
}

void DashBoard::setPrecision(int p)
{
    if (p > 3 || p < 0)
        return;
    precision = p;
    update();
}

void DashBoard::setUnits(const QString& text)
{
    units = text;
    update();
}

void DashBoard::setTitle(const QString& text)
{
    title = text;
    update();
}

// A scale needs at least one division of each kind: the painting divides by both.
void DashBoard::setScaleMajor(int major)
{
    if (major >= 1)
        scaleMajor = major;
    update();
}

void DashBoard::setScaleMinor(int minor)
{
    if (minor >= 1)
        scaleMinor = minor;
    update();
}

void DashBoard::setStartAngle(int angle)
{
    startAngle = angle;
    update();
}

void DashBoard::setEndAngle(int angle)
{
    endAngle = angle;
    update();
}

void DashBoard::setCrownColor(QColor color)
{
    crownColor = color;
    update();
}

void DashBoard::setForeground(QColor color)
{
    foreground = color;
    update();
}

void DashBoard::setBackground(QColor color)
{
    background = color;
    update();
}

void DashBoard::setNumericIndicatorEnabled(bool enabled)
{
    numericIndicatorEnabled = enabled;
    update();
}

void DashBoard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2, height() / 2);
    const double side = std::min(width(), height());
    painter.scale(side / 200.0, side / 200.0);
    painter.setPen(Qt::NoPen);

    // Crown and face.
    QLinearGradient crown(0, -100, 0, 100);
    crown.setColorAt(0, QColor(180, 180, 180));
    crown.setColorAt(1, QColor(166, 166, 166));
    painter.setBrush(crown);
    painter.drawEllipse(QRect(QPoint(-100, -100), QPoint(99, 99)));
    painter.setBrush(background);
    painter.drawEllipse(QRect(QPoint(-92, -92), QPoint(91, 91)));

    // Scale numbers, centred on radius 82 and small enough to stay between the tick ends (72) and
    // the rim (92): long numbers such as "10620" get a smaller font rather than crowd the ticks.
    QFont numberFont(QStringLiteral("Microsoft YaHei"), 6);
    numberFont.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    const QList<double> numbers = GaugeMath::dialScaleNumbers(minValue, maxValue, scaleMajor);
    QStringList texts;
    QList<QSizeF> sizes;
    QList<double> angles;
    const QFontMetricsF fullMetrics(numberFont);
    for (int i = 0; i < numbers.size(); ++i) {
        texts << QString("%1").arg(numbers.at(i));
        sizes << QSizeF(fullMetrics.horizontalAdvance(texts.last()), fullMetrics.ascent());
        angles << GaugeMath::dialNumberAngle(startAngle, endAngle, scaleMajor, i);
    }
    numberFont.setPointSizeF(6 * GaugeMath::dialNumberFontScale(sizes, angles, 18));
    painter.setFont(numberFont);
    painter.setPen(foreground);
    const QFontMetricsF numberMetrics(numberFont);
    for (int i = 0; i < texts.size(); ++i) {
        const double w = numberMetrics.horizontalAdvance(texts.at(i));
        const double h = numberMetrics.ascent();
        painter.drawText(
            QPointF(std::cos(angles.at(i)) * 82 - w * 0.5, -std::sin(angles.at(i)) * 82 + h * 0.5),
            texts.at(i));
    }

    // Ticks.
    painter.save();
    painter.rotate(startAngle);
    const int steps = scaleMajor * scaleMinor;
    const double stepAngle = (360.0 - startAngle - endAngle) / steps;
    QPen tickPen(foreground);
    for (int i = 0; i <= steps; ++i) {
        if (i % scaleMinor == 0) {
            tickPen.setWidth(1);
            painter.setPen(tickPen);
            painter.drawLine(0, 62, 0, 72);
        } else {
            tickPen.setWidth(0);
            painter.setPen(tickPen);
            painter.drawLine(0, 67, 0, 72);
        }
        painter.rotate(stepAngle);
    }
    painter.restore();

    // Title, in the widget's own font.
    painter.setPen(foreground);
    painter.setBrush(foreground);
    painter.setFont(font());
    const QFontMetricsF ownMetrics(font());
    painter.drawText(QPoint(int(-ownMetrics.horizontalAdvance(title) * 0.5), -30), title);

    // Digits: measured in the widget's font, drawn in the large one.
    if (numericIndicatorEnabled) {
        const QString text = QString("%1 %2").arg(value, 0, 'f', precision).arg(units);
        const double w = ownMetrics.horizontalAdvance(text);
        QFont digitFont(QStringLiteral("Microsoft YaHei"), 15);
        digitFont.setLetterSpacing(QFont::AbsoluteSpacing, 0);
        painter.setFont(digitFont);
        painter.drawText(QPoint(int(-w * 0.5 - 10), 42), text);
    }

    // Needle.
    painter.save();
    painter.rotate(GaugeMath::dialNeedleAngle(value, minValue, maxValue, startAngle, endAngle));
    QRadialGradient needleBrush(QPointF(0, 0), 60, QPointF(0, 0));
    needleBrush.setColorAt(0, QColor(60, 60, 60));
    needleBrush.setColorAt(1, QColor(160, 160, 160));
    painter.setPen(Qt::white);
    painter.setBrush(needleBrush);
    const QPolygonF needle({QPointF(-2, 0), QPointF(2, 0), QPointF(0, 60)});
    painter.drawConvexPolygon(needle);
    painter.restore();

    // Centre cap.
    QConicalGradient cap(0, 0, -90);
    cap.setColorAt(0, Qt::darkGray);
    cap.setColorAt(0.2, QColor(150, 150, 200));
    cap.setColorAt(0.5, Qt::white);
    cap.setColorAt(1, Qt::darkGray);
    painter.setPen(Qt::NoPen);
    painter.setBrush(cap);
    painter.drawEllipse(QRect(QPoint(-5, -5), QPoint(4, 4)));
}
