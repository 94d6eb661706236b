#include "widgets/dashboard.h"

#include <QConicalGradient>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>

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

    // Scale numbers, turned along the ring between the tick ends and the rim.
    const Texts texts = layoutTexts();
    painter.setFont(texts.numberFont);
    painter.setPen(foreground);
    for (int i : texts.written) {
        const GaugeMath::TurnedBox& box = texts.numberBoxes.at(i);
        painter.save();
        painter.translate(box.centre);
        painter.rotate(box.rotation);
        const QSizeF& size = box.size;
        painter.drawText(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size), Qt::AlignCenter,
                         texts.numbers.at(i));
        painter.restore();
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
    painter.drawText(QPointF(-texts.title.size.width() / 2, -30), title);

    // The reading, centred in its own large font.
    if (numericIndicatorEnabled) {
        painter.setFont(texts.readingFont);
        painter.drawText(QPointF(-texts.reading.size.width() / 2, 42), texts.readingText);
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

DashBoard::Texts DashBoard::layoutTexts() const
{
    Texts t;
    t.scale = std::min(width(), height()) / 200.0;
    if (t.scale <= 0)
        return t;
    // The Part's 6 points, but never under minNumberPixels on screen however small the dial.
    constexpr double minNumberPixels = 9;
    t.numberFont = QFont(QStringLiteral("Microsoft YaHei"), 6);
    t.numberFont.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    if (emPixels(t.numberFont, this) * t.scale < minNumberPixels)
        t.numberFont.setPointSizeF(minNumberPixels / t.scale * 72.0 / logicalDpiY());
    const QFontMetricsF numberMetrics(t.numberFont, this);
    // Just inside the rim, as far from the reading below as the ring allows.
    const double radius = std::max(82.0, 91 - numberMetrics.height() / 2);
    const QList<double> values = GaugeMath::dialScaleNumbers(minValue, maxValue, scaleMajor);
    for (int i = 0; i < values.size(); ++i) {
        t.numbers << QString("%1").arg(values.at(i));
        const QSizeF size(numberMetrics.horizontalAdvance(t.numbers.last()), numberMetrics.height());
        t.numberBoxes << GaugeMath::dialNumberBox(
            GaugeMath::dialNumberAngle(startAngle, endAngle, scaleMajor, i), radius, size);
    }

    const QFontMetricsF ownMetrics(font(), this);
    t.title = {QPointF(0, -30 - ownMetrics.ascent() + ownMetrics.height() / 2),
               QSizeF(ownMetrics.horizontalAdvance(title), ownMetrics.height())};
    t.readingFont = QFont(QStringLiteral("Microsoft YaHei"), 15);
    t.readingFont.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    const QFontMetricsF readingMetrics(t.readingFont, this);
    const auto readingText = [&](double v) { return QString("%1 %2").arg(v, 0, 'f', precision).arg(units); };
    const auto readingBox = [&](double v) {
        return GaugeMath::TurnedBox{
            QPointF(0, 42 - readingMetrics.ascent() + readingMetrics.height() / 2),
            QSizeF(readingMetrics.horizontalAdvance(readingText(v)), readingMetrics.height())};
    };
    t.readingText = readingText(value);
    t.reading = readingBox(value);
    // The numbers keep clear of the widest reading the range can show, so they stay put.
    QList<GaugeMath::TurnedBox> keepClear{t.title};
    if (numericIndicatorEnabled)
        keepClear << readingBox(minValue) << readingBox(maxValue);
    t.written = GaugeMath::dialLabelledNumbers(t.numberBoxes, keepClear, 2 / t.scale);
    return t;
}

QList<PaintedText> DashBoard::paintedTexts() const
{
    const Texts t = layoutTexts();
    const QPointF origin(width() / 2, height() / 2);
    const auto outline = [&](const GaugeMath::TurnedBox& box) {
        QPolygonF polygon;
        for (const QPointF& corner : GaugeMath::turnedCorners(box))
            polygon << origin + corner * t.scale;
        return polygon;
    };
    QList<PaintedText> list;
    for (int i : t.written)
        list << PaintedText{t.numbers.at(i), outline(t.numberBoxes.at(i)),
                            emPixels(t.numberFont, this) * t.scale};
    list << PaintedText{title, outline(t.title), emPixels(font(), this) * t.scale};
    if (numericIndicatorEnabled)
        list << PaintedText{t.readingText, outline(t.reading), emPixels(t.readingFont, this) * t.scale};
    return list;
}
