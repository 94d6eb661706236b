#include "widgets/ultraviolet.h"

#include <QPainter>

#include <cmath>

#include "widgets/gaugemath.h"

namespace {
const char* const SunPicture = ":/images/san.png";
}

Ultraviolet::Ultraviolet(QWidget* parent) : QWidget(parent)
{
    setFont(QFont(QStringLiteral("Arial"), 7));
    setMinimumSize(150, 150);
    sun = QPixmap(QString::fromLatin1(SunPicture))
              .scaled(200, 200, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void Ultraviolet::setValue(double v)
{
    if (std::isnan(v))
        return;
    const GaugeMath::Rgb c = GaugeMath::uvDiscColour(v);
    setCircleColor(QColor(c.r, c.g, c.b));
    value = v;
    update();
    emit valueChanged(int(v));
}

void Ultraviolet::setCircleColor(const QColor& color)
{
    if (color == circleColor)
        return;
    circleColor = color;
    update();
}

void Ultraviolet::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(width() / 2, height() / 2);
    const double side = std::min(width(), height());
    painter.scale(side / 200.0, side / 200.0);

    painter.drawPixmap(-100, -100, sun);

    const int r = 90 - ringWidth;
    painter.setPen(Qt::NoPen);
    painter.setBrush(circleColor);
    painter.drawEllipse(QRect(QPoint(-r, -r), QPoint(r - 1, r - 1)));

    painter.setFont(QFont(QStringLiteral("Arial"), 30));
    painter.setPen(textColor);
    painter.drawText(QRectF(-100, -100, 200, 200), Qt::AlignCenter, QString("%1").arg(value));
}
