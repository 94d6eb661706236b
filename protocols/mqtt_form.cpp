#include "protocols/mqtt_form.h"

#include "app/formkit.h"

void Ui_MqttForm::setupMqttForm()
{
    Mqtt = FormKit::makePage("Mqtt", gridLayout_17, "gridLayout_17");

    mqtt_connection_groupBox = FormKit::make<QGroupBox>(Mqtt, "mqtt_connection_groupBox");
    mqtt_connection_gridLayout = FormKit::groupGrid(mqtt_connection_groupBox, "mqtt_connection_gridLayout");
    auto* g = mqtt_connection_gridLayout;
    mqtt_protocol_label = FormKit::make<QLabel>(mqtt_connection_groupBox, "mqtt_protocol_label");
    g->addWidget(mqtt_protocol_label, 0, 0);
    mqtt_protocol_combox = FormKit::make<QComboBox>(mqtt_connection_groupBox, "mqtt_protocol_combox");
    g->addWidget(mqtt_protocol_combox, 0, 1);
    mqtt_host_label = FormKit::make<QLabel>(mqtt_connection_groupBox, "mqtt_host_label");
    g->addWidget(mqtt_host_label, 0, 2);
    mqtt_host_lineEdit = FormKit::make<QLineEdit>(mqtt_connection_groupBox, "mqtt_host_lineEdit");
    mqtt_host_lineEdit->setText(QStringLiteral("127.0.0.1"));
    g->addWidget(mqtt_host_lineEdit, 0, 3);
    mqtt_port_label = FormKit::make<QLabel>(mqtt_connection_groupBox, "mqtt_port_label");
    g->addWidget(mqtt_port_label, 0, 4);
    mqtt_port_lineEdit = FormKit::make<QLineEdit>(mqtt_connection_groupBox, "mqtt_port_lineEdit");
    g->addWidget(mqtt_port_lineEdit, 0, 5);
    mqtt_username_label = FormKit::make<QLabel>(mqtt_connection_groupBox, "mqtt_username_label");
    g->addWidget(mqtt_username_label, 1, 0);
    mqtt_username_lineEdit = FormKit::make<QLineEdit>(mqtt_connection_groupBox, "mqtt_username_lineEdit");
    g->addWidget(mqtt_username_lineEdit, 1, 1);
    mqtt_password_label = FormKit::make<QLabel>(mqtt_connection_groupBox, "mqtt_password_label");
    g->addWidget(mqtt_password_label, 1, 2);
    mqtt_password_lineEdit = FormKit::make<QLineEdit>(mqtt_connection_groupBox, "mqtt_password_lineEdit");
    g->addWidget(mqtt_password_lineEdit, 1, 3);
    mqtt_clientid_label = FormKit::make<QLabel>(mqtt_connection_groupBox, "mqtt_clientid_label");
    g->addWidget(mqtt_clientid_label, 1, 4);
    mqtt_clientid_lineEdit = FormKit::make<QLineEdit>(mqtt_connection_groupBox, "mqtt_clientid_lineEdit");
    g->addWidget(mqtt_clientid_lineEdit, 1, 5);
    mqtt_opencompushButton = FormKit::make<QPushButton>(mqtt_connection_groupBox, "mqtt_opencompushButton");
    g->addWidget(mqtt_opencompushButton, 0, 6);
    mqtt_save_pushButton = FormKit::make<QPushButton>(mqtt_connection_groupBox, "mqtt_save_pushButton");
    g->addWidget(mqtt_save_pushButton, 1, 6);
    gridLayout_17->addWidget(mqtt_connection_groupBox, 0, 0);

    mqtt_topic_groupBox = FormKit::make<QGroupBox>(Mqtt, "mqtt_topic_groupBox");
    mqtt_topic_gridLayout = FormKit::groupGrid(mqtt_topic_groupBox, "mqtt_topic_gridLayout");
    auto* t = mqtt_topic_gridLayout;
    mqtt_subscribe_label = FormKit::make<QLabel>(mqtt_topic_groupBox, "mqtt_subscribe_label");
    t->addWidget(mqtt_subscribe_label, 0, 0);
    mqtt_subscribe_lineEdit = FormKit::make<QLineEdit>(mqtt_topic_groupBox, "mqtt_subscribe_lineEdit");
    t->addWidget(mqtt_subscribe_lineEdit, 0, 1);
    mqtt_subscribed_pushButton =
        FormKit::make<QPushButton>(mqtt_topic_groupBox, "mqtt_subscribed_pushButton");
    t->addWidget(mqtt_subscribed_pushButton, 0, 2);
    mqtt_publish_label = FormKit::make<QLabel>(mqtt_topic_groupBox, "mqtt_publish_label");
    t->addWidget(mqtt_publish_label, 1, 0);
    mqtt_publish_lineEdit = FormKit::make<QLineEdit>(mqtt_topic_groupBox, "mqtt_publish_lineEdit");
    t->addWidget(mqtt_publish_lineEdit, 1, 1);
    mqtt_publish_pushButton = FormKit::make<QPushButton>(mqtt_topic_groupBox, "mqtt_publish_pushButton");
    t->addWidget(mqtt_publish_pushButton, 1, 2);
    mqtt_pub_textEdit = FormKit::make<QTextEdit>(mqtt_topic_groupBox, "mqtt_pub_textEdit");
    mqtt_pub_textEdit->setMaximumHeight(90);
    t->addWidget(mqtt_pub_textEdit, 2, 0, 1, 3);
    gridLayout_17->addWidget(mqtt_topic_groupBox, 1, 0);

    mqtt_textEdit = FormKit::make<QTextEdit>(Mqtt, "mqtt_textEdit");
    gridLayout_17->addWidget(mqtt_textEdit, 2, 0);
    gridLayout_17->setRowStretch(2, 1);
}

void Ui_MqttForm::retranslateMqttForm()
{
    FormKit::setItems(mqtt_protocol_combox, {QStringLiteral("mqtt://"), QStringLiteral("mqtts://"),
                                             QStringLiteral("ws://"), QStringLiteral("wss://")});
    mqtt_protocol_label->setText(FormKit::tr("Protocol"));
    mqtt_host_label->setText(FormKit::tr("Host"));
    mqtt_port_label->setText(FormKit::tr("Port"));
    mqtt_username_label->setText(FormKit::tr("Username"));
    mqtt_password_label->setText(FormKit::tr("Password"));
    mqtt_clientid_label->setText(FormKit::tr("Client ID"));
    mqtt_opencompushButton->setText(FormKit::tr("Connect"));
    mqtt_save_pushButton->setText(FormKit::tr("Save"));
    mqtt_subscribe_label->setText(FormKit::tr("Subscribe Topic"));
    mqtt_subscribed_pushButton->setText(FormKit::tr("Subscribe"));
    mqtt_publish_label->setText(FormKit::tr("Publish Topic"));
    mqtt_publish_pushButton->setText(FormKit::tr("Publish"));
}
