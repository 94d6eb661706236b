#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// Round dial instrument: crown, face, numbered scale, needle, title and the value in digits.
class DashBoard : public QWidget
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
