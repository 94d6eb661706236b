#pragma once

#include <QWidget>

// The unit converter.
class quenlix_convert : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_convert(QWidget* parent = nullptr);
};
