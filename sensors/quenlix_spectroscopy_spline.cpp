#include "sensors/quenlix_spectroscopy_spline.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "sensors/spectrum_scale.h"

quenlix_spectroscopy_spline::quenlix_spectroscopy_spline(QWidget* parent)
    : QWidget(parent), m_wavelengths(SpectrumScale::defaultWavelengths())
{
    m_values.fill(0.0, m_wavelengths.size());
    setAutoFillBackground(true);
}

quenlix_spectroscopy_spline::~quenlix_spectroscopy_spline() = default;

void quenlix_spectroscopy_spline::update_data_barset(unsigned char index, double value)
{
    if (index >= m_values.size())
        return;
    m_values[index] = value;
    update();
}

void quenlix_spectroscopy_spline::setSpectrumData(const QList<double>& data)
{
    if (data.size() != m_wavelengths.size())
        return;
    m_values = data;
    update();
}

void quenlix_spectroscopy_spline::setWavelengths(const QList<double>& nm)
{
    if (nm.size() < 2)
        return;
    m_wavelengths = nm;
    m_values.resize(nm.size(), 0.0);
    update();
}

void quenlix_spectroscopy_spline::updateSpectrumData(const QList<double>& data)
{
    if (data.size() != m_values.size())
        return;
    m_values = data;
    update();
}

QColor quenlix_spectroscopy_spline::wavelengthToColor(double nm)
{
    const Rgb c = SpectrumScale::wavelengthColor(nm);
    return QColor(c.r, c.g, c.b);
}

void quenlix_spectroscopy_spline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int n = int(m_values.size());
    if (n < 2)
        return;

    const SpectrumScale::PlotArea area = SpectrumScale::plotArea(width(), height());
    painter.setPen(QPen(QColor(0x75, 0x75, 0x75), 1));
    for (int i = 0; i <= 10; ++i) {
        const int y = area.gridY(i);
        painter.drawLine(area.left, y, area.right(), y);
        painter.drawText(QPoint(10, y + 5), QString::number(1.0 - 0.1 * i, 'g', 6));
    }
    for (int i = 0; i < n; ++i) {
        const int x = area.pointX(i, n);
        painter.drawLine(x, area.top, x, area.bottom());
        painter.drawText(QPoint(x - 15, area.bottom() + 15), QString::number(qint64(m_wavelengths.at(i))));
    }

    QLinearGradient gradient(area.left, 0, area.right(), 0);
    for (int i = 0; i < n; ++i)
        gradient.setColorAt(double(i) / (n - 1), wavelengthToColor(m_wavelengths.at(i)));

    QPainterPath path(QPointF(area.left, area.bottom()));
    for (int i = 0; i + 1 < n; ++i) {
        const QPoint from(area.pointX(i, n), area.valueY(m_values.at(i)));
        const QPoint to(area.pointX(i + 1, n), area.valueY(m_values.at(i + 1)));
        const int middle = (from.x() + to.x()) / 2;
        path.cubicTo(QPointF(middle, from.y()), QPointF(middle, to.y()), to);
    }
    path.lineTo(area.right(), area.bottom());
    path.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.fillPath(path, gradient);
}
