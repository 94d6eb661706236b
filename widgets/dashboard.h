#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

#include "widgets/gaugemath.h"
#include "widgets/paintedtext.h"

// Round dial instrument: crown, face, numbered scale, needle, title and the value in digits.
class DashBoard : public QWidget, public PaintsText
{
    Q_OBJECT
public:
    explicit DashBoard(QWidget* parent = nullptr);
    ~DashBoard() override;

    double getValue() const { return value; }
    int getMinValue() const { return minValue; }
    int getMaxValue() const { return maxValue; }
    int getPrecision() const { return precision; }
    QString getUnits() const { return units; }
    QString getTitle() const { return title; }
    int getScaleMajor() const { return scaleMajor; }
    int getScaleMinor() const { return scaleMinor; }
    int getStartAngle() const { return startAngle; }
    int getEndAngle() const { return endAngle; }
    QColor getCrownColor() const { return crownColor; }
    QColor getForeground() const { return foreground; }
    QColor getBackground() const { return background; }
    bool getNumericIndicatorEnabled() const { return numericIndicatorEnabled; }
    // The scale numbers written, the title and the reading, as they are painted now.
    QList<PaintedText> paintedTexts() const override;

public slots:
    void setValue(double v);
    void setValue(int v);
    void setMinValue(int v);
    void setMaxValue(int v);
    void setPrecision(int p);
    void setUnits(const QString& text);
    void setTitle(const QString& text);
    void setScaleMajor(int major);
    void setScaleMinor(int minor);
    void setStartAngle(int angle);
    void setEndAngle(int angle);
    void setCrownColor(QColor color);
    void setForeground(QColor color);
    void setBackground(QColor color);
    void setNumericIndicatorEnabled(bool enabled);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the texts go, in the dial's 200 x 200 square.
    struct Texts
    {
        double scale = 1; // pixels per unit of the square
        QFont numberFont;
        QList<QString> numbers;
        QList<GaugeMath::TurnedBox> numberBoxes;
        QList<int> written; // which numbers fit
        GaugeMath::TurnedBox title;
        GaugeMath::TurnedBox reading;
        QString readingText;
        QFont readingFont;
    };
    Texts layoutTexts() const;

    double value = 0;
    int maxValue = 100;
    int minValue = 400;
    int precision = 0;
    QString units;
    QString title;
    int scaleMajor = 10;
    int scaleMinor = 10;
    int startAngle = 60;
    int endAngle = 60;
    QColor crownColor{160, 160, 160};
    QColor foreground{255, 255, 255};
    QColor background{65, 65, 65};
    bool numericIndicatorEnabled = true;
};
