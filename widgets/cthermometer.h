#pragma once

#include <QColor>
#include <QRectF>
#include <QWidget>

#include "widgets/paintedtext.h"

class QPropertyAnimation;

// Liquid thermometer: a tube with a bulb, a scale in steps of ten degrees on both sides
// and the reading in digits above the tube.
class CThermometer : public QWidget, public PaintsText
{
    Q_OBJECT
    Q_PROPERTY(double value READ getValue WRITE setValue)
public:
    // Minor steps per ten degrees are 10 / precision.
    enum PRECISION { PRECISION_1 = 1, PRECISION_2 = 2, PRECISION_5 = 5, PRECISION_10 = 10 };
    Q_ENUM(PRECISION)

    explicit CThermometer(QWidget* parent = nullptr);

    double getValue() const { return value; }
    int getMaxValue() const { return maxValue; }
    int getMinValue() const { return minValue; }
    int getPrecision() const { return precision; }
    QColor getLiquidColor() const { return liquidColor; }
    QRectF getBarRect() const { return barRect; }

    void setValue(double v);
    void setValueWithAnimation(double v);
    void setMaxValue(int v);
    void setMinValue(int v);
    // Takes 1 to 10; anything else would divide by zero or draw no minor ticks, and is ignored.
    void setPrecision(int p);
    void setCenterWidth(int w);
    void setTopPadding(int p);
    void setBottomPadding(int p);
    void setScaleColor(QColor color);
    void setBackGroundColor(QColor color);
    // The scale numbers and the reading as they are painted now.
    QList<PaintedText> paintedTexts() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void initData();
    // The scale numbers with their boxes, bottom first.
    QList<std::pair<QString, QRectF>> scaleLabels() const;
    QString readingText() const;
    QFont readingFont() const;
    QRectF readingBox() const;

    int maxValue;
    int minValue;
    double value;
    int precision;
    QColor liquidColor;
    QPropertyAnimation* animation = nullptr;
    QRectF barRect;
    int centerWidth;
    int topPadding;
    int bottomPadding;
    QColor scaleColor;
    QColor backgroundColor;
};
