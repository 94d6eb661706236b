#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

// Ultraviolet level: a sun picture behind a disc whose colour follows the level.
class Ultraviolet : public QWidget
{
    Q_OBJECT
public:
    explicit Ultraviolet(QWidget* parent = nullptr);

    double getValue() const { return value; }
    QColor getCircleColor() const { return circleColor; }

public slots:
    void setValue(double v);
    void setCircleColor(const QColor& color);

signals:
    void valueChanged(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double value = 0;
    const int ringWidth = 10;
    QColor circleColor{253, 216, 53};
    const QColor textColor{70, 70, 70};
    QPixmap sun;
};
