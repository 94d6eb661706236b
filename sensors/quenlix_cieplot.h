#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QWidget>

#include "widgets/paintedtext.h"

class QSvgRenderer;

// The CIE 1931 chromaticity diagram with the last reading marked as a red point and a box with
// its values. The diagram picture is stretched over the whole widget: x 0 .. 0.8 left to right,
// y 0 .. 0.9 bottom to top. The widget writes the axis numbers (along the top and the right
// edge, where the curve never comes) and the names of the marks on top of the picture.
class quenlix_cieplot : public QWidget, public PaintsText
{
    Q_OBJECT
public:
    explicit quenlix_cieplot(QWidget* parent = nullptr);
    ~quenlix_cieplot() override;

    void plotPoint(double x, double y, double lux, double cct);
    // Widget position of a chromaticity; (-1, -1) while the widget has no area.
    QPointF cieToPixel(double x, double y) const;
    // The text box's rectangle for the current point (empty when no point is drawn).
    QRect valueBoxRect() const;
    QString valueText() const;
    QList<PaintedText> paintedTexts() const override;

    double pointX = -1.0;
    double pointY = -1.0;
    double lux = 0;
    double cct = 0;
    QSvgRenderer* renderer = nullptr;
    const double xMin = 0.0;
    const double xMax = 0.8;
    const double yMin = 0.0;
    const double yMax = 0.9;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Label
    {
        QString text;
        QRectF box;
        QFont font;
    };
    // Axis numbers first; a mark's name that finds no free place beside its mark is left out.
    // Placed once per size and font: a reading repaints without placing them again.
    QList<Label> labels() const;
    QList<Label> placeLabels() const;
    mutable QList<Label> m_labels;
    mutable QString m_labelsFor;
    bool hasPoint(QPointF* pixel = nullptr) const;
    QRect placeBox(const QPointF& pixel, const QFontMetrics& metrics) const;
};
