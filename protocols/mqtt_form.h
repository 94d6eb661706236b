#pragma once

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>

// Widgets of the "MQTT" page.
class Ui_MqttForm
{
public:
    QWidget* Mqtt = nullptr;
    QGridLayout* gridLayout_17 = nullptr;

    QGroupBox* mqtt_connection_groupBox = nullptr;
    QGridLayout* mqtt_connection_gridLayout = nullptr;
    QLabel* mqtt_protocol_label = nullptr;
    QComboBox* mqtt_protocol_combox = nullptr;
    QLabel* mqtt_host_label = nullptr;
    QLineEdit* mqtt_host_lineEdit = nullptr;
    QLabel* mqtt_port_label = nullptr;
    QLineEdit* mqtt_port_lineEdit = nullptr;
    QLabel* mqtt_username_label = nullptr;
    QLineEdit* mqtt_username_lineEdit = nullptr;
    QLabel* mqtt_password_label = nullptr;
    QLineEdit* mqtt_password_lineEdit = nullptr;
    QLabel* mqtt_clientid_label = nullptr;
    QLineEdit* mqtt_clientid_lineEdit = nullptr;
    QPushButton* mqtt_opencompushButton = nullptr;
    QPushButton* mqtt_save_pushButton = nullptr;

    QGroupBox* mqtt_topic_groupBox = nullptr;
    QGridLayout* mqtt_topic_gridLayout = nullptr;
    QLabel* mqtt_subscribe_label = nullptr;
    QLineEdit* mqtt_subscribe_lineEdit = nullptr;
    QPushButton* mqtt_subscribed_pushButton = nullptr;
    QLabel* mqtt_publish_label = nullptr;
    QLineEdit* mqtt_publish_lineEdit = nullptr;
    QPushButton* mqtt_publish_pushButton = nullptr;
    QTextEdit* mqtt_pub_textEdit = nullptr;

    QTextEdit* mqtt_textEdit = nullptr;

    void setupMqttForm();
    void retranslateMqttForm();
};
