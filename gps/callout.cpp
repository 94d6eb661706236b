#include "gps/callout.h"

#include <QChart>
#include <QFontMetrics>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPainterPath>

Callout::Callout(QChart* chart) : QGraphicsItem(chart), m_chart(chart) {}

void Callout::setText(const QString& text)
{
    m_text = text;
    const QFontMetrics metrics(m_font);
    m_textRect = metrics.boundingRect(QRect(0, 0, 150, 150), Qt::AlignLeft, m_text);
    m_textRect.translate(5, 5);
    prepareGeometryChange();
    m_rect = m_textRect.adjusted(-5, -5, 5, 5);
}

void Callout::setAnchor(QPointF point)
{
    m_anchor = point;
}

void Callout::updateGeometry()
{
    prepareGeometryChange();
    setPos(m_chart->mapToPosition(m_anchor) + QPoint(10, -50));
}

QRectF Callout::boundingRect() const
{
    const QPointF anchor = mapFromParent(m_chart->mapToPosition(m_anchor));
    QRectF rect;
    rect.setLeft(qMin(m_rect.left(), anchor.x()));
    rect.setRight(qMax(m_rect.right(), anchor.x()));
    rect.setTop(qMin(m_rect.top(), anchor.y()));
    rect.setBottom(qMax(m_rect.bottom(), anchor.y()));
    return rect;
}

void Callout::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    QPainterPath path;
    path.addRoundedRect(m_rect, 5, 5);
    const QPointF anchor = mapFromParent(m_chart->mapToPosition(m_anchor));
    if (!m_rect.contains(anchor)) {
        const double w = m_rect.width();
        const double h = m_rect.height();
        const bool onLeft = anchor.x() <= m_rect.left();
        const bool leftOfCentre = anchor.x() > m_rect.left() && anchor.x() <= m_rect.center().x();
        const bool rightOfCentre = anchor.x() > m_rect.center().x() && anchor.x() <= m_rect.right();
        const bool onRight = anchor.x() > m_rect.right();
        const bool above = anchor.y() <= m_rect.top();
        const bool aboveCentre = anchor.y() > m_rect.top() && anchor.y() <= m_rect.center().y();
        const bool belowCentre = anchor.y() > m_rect.center().y() && anchor.y() <= m_rect.bottom();
        const bool below = anchor.y() > m_rect.bottom();
        const double x = (onRight + rightOfCentre) * w;
        const double y = (below + belowCentre) * h;
        const bool corner = (onLeft || onRight) && (above || below);
        const bool vertical = qAbs(anchor.x() - x) > qAbs(anchor.y() - y);
        const double x1 =
            x + leftOfCentre * 10 - rightOfCentre * 20 + corner * !vertical * (onLeft * 10 - onRight * 20);
        const double y1 =
            y + aboveCentre * 10 - belowCentre * 20 + corner * vertical * (above * 10 - below * 20);
        const double x2 =
            x + leftOfCentre * 20 - rightOfCentre * 10 + corner * !vertical * (onLeft * 20 - onRight * 10);
        const double y2 =
            y + aboveCentre * 20 - belowCentre * 10 + corner * vertical * (above * 20 - below * 10);
        path.moveTo(x1, y1);
        path.lineTo(anchor);
        path.lineTo(x2, y2);
        path = path.simplified();
    }
    painter->setBrush(QColor(255, 255, 255));
    painter->drawPath(path);
    painter->drawText(m_textRect, m_text);
}

void Callout::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    event->setAccepted(true);
}

void Callout::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        setPos(mapToParent(event->pos() - event->buttonDownPos(Qt::LeftButton)));
        event->setAccepted(true);
    } else {
        event->setAccepted(false);
    }
}
