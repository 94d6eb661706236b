#pragma once

#include <QGridLayout>
#include <QWidget>

// Widgets of the "MQTT" page.
class Ui_MqttForm
{
public:
    QWidget* Mqtt = nullptr;
    QGridLayout* gridLayout_17 = nullptr;

    void setupMqttForm();
    void retranslateMqttForm();
};
