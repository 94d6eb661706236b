#pragma once

#include <QWidget>

// The Bluetooth Low Energy client.
class quenlix_ble : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_ble(QWidget* parent = nullptr);
};
