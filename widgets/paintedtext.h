#pragma once

#include <QFont>
#include <QList>
#include <QPaintDevice>
#include <QPolygonF>
#include <QString>

// A text a widget paints itself (scale numbers, axis labels, a gauge's reading): where it stands on
// the widget in pixels, possibly turned, and how large its font is on screen.
struct PaintedText
{
    QString text;
    QPolygonF outline;    // the text's box, widget pixels
    double pixelSize = 0; // em height on screen
};

// The em height in pixels a font has on a device, before any painter scaling.
inline double emPixels(const QFont& font, const QPaintDevice* device)
{
    return font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * device->logicalDpiY() / 72.0;
}

// Implemented by widgets that paint texts of their own, so their placement can be checked.
class PaintsText
{
public:
    virtual ~PaintsText() = default;
    virtual QList<PaintedText> paintedTexts() const = 0;
};
