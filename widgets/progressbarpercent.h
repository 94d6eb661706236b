#pragma once

#include <QColor>
#include <QWidget>

// Ring gauge: a coloured ring and/or a disc filling from the bottom, with the value or
// percentage in the middle.
class ProgressBarPercent : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int minValue READ getMinValue WRITE setMinValue)
    Q_PROPERTY(int maxValue READ getMaxValue WRITE setMaxValue)
    Q_PROPERTY(double value READ getValue WRITE setValue)
    Q_PROPERTY(int nullPosition READ getNullPosition WRITE setNullPosition)
    Q_PROPERTY(int lineWidth READ getLineWidth WRITE setLineWidth)
    Q_PROPERTY(bool showPercent READ getShowPercent WRITE setShowPercent)
    Q_PROPERTY(bool showFree READ getShowFree WRITE setShowFree)
    Q_PROPERTY(bool showSmallCircle READ getShowSmallCircle WRITE setShowSmallCircle)
    Q_PROPERTY(bool clockWise READ getClockWise WRITE setClockWise)
    Q_PROPERTY(QColor usedColor READ getUsedColor WRITE setUsedColor)
    Q_PROPERTY(QColor freeColor READ getFreeColor WRITE setFreeColor)
    Q_PROPERTY(QColor circleColor READ getCircleColor WRITE setCircleColor)
    Q_PROPERTY(QColor textColor READ getTextColor WRITE setTextColor)
    Q_PROPERTY(PercentStyle percentStyle READ getPercentStyle WRITE setPercentStyle)
public:
    enum PercentStyle {
        PercentStyle_Arc = 0,
        PercentStyle_Polo = 1,
        PercentStyle_Arc_Polo = 2,
        PercentStyle_Wave = 3,
    };
    Q_ENUM(PercentStyle)

    explicit ProgressBarPercent(QWidget* parent = nullptr);

    int getMinValue() const { return minValue; }
    int getMaxValue() const { return maxValue; }
    int getValue() const { return int(value); }
    int getNullPosition() const { return nullPosition; }
    int getLineWidth() const { return lineWidth; }
    bool getShowPercent() const { return showPercent; }
    bool getShowFree() const { return showFree; }
    bool getShowSmallCircle() const { return showSmallCircle; }
    bool getClockWise() const { return clockWise; }
    QColor getUsedColor() const { return usedColor; }
    QColor getFreeColor() const { return freeColor; }
    QColor getCircleColor() const { return circleColor; }
    QColor getTextColor() const { return textColor; }
    PercentStyle getPercentStyle() const { return percentStyle; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void setRange(int min, int max);
    void setMinValue(int min);
    void setMaxValue(int max);
    void setValue(double v);
    void setNullPosition(int position);
    void setLineWidth(int width);
    void setShowPercent(bool show);
    void setShowFree(bool show);
    void setShowSmallCircle(bool show);
    void setClockWise(bool clockWise);
    void setUsedColor(const QColor& color);
    void setFreeColor(const QColor& color);
    void setCircleColor(const QColor& color);
    void setTextColor(const QColor& color);
    void setPercentStyle(ProgressBarPercent::PercentStyle style);

signals:
    void valueChanged(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawBackground(QPainter* painter, int radius);
    void drawRing(QPainter* painter, int radius);
    void drawDiscFilling(QPainter* painter, int radius);
    void drawText(QPainter* painter);

    int maxValue = 100;
    int minValue = 0;
    double value = 0;
    int nullPosition = 0;
    int lineWidth = 10;
    bool showPercent = true;
    bool showFree = false;
    bool showSmallCircle = false;
    bool clockWise = true;
    QColor usedColor{100, 184, 255};
    QColor freeColor{100, 100, 100};
    QColor circleColor{70, 70, 70};
    QColor textColor{250, 250, 250};
    PercentStyle percentStyle = PercentStyle_Arc;
};
