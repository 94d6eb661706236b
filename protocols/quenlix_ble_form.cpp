#include "protocols/quenlix_ble_form.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QWidget>

void Ui_quenlix_ble::setupUi(QWidget* quenlix_ble)
{
    quenlix_ble->setObjectName(QStringLiteral("quenlix_ble"));
    quenlix_ble->resize(625, 478);
    quenlix_ble->setStyleSheet(QStringLiteral("background-color: #FFFFFF;"));

    gridLayout_4 = new QGridLayout(quenlix_ble);
    gridLayout_4->setObjectName(QStringLiteral("gridLayout_4"));

    scanButton = new QPushButton(quenlix_ble);
    scanButton->setObjectName(QStringLiteral("scanButton"));
    gridLayout_4->addWidget(scanButton, 0, 0);

    label_device = new QLabel(quenlix_ble);
    label_device->setObjectName(QStringLiteral("label_device"));
    gridLayout_4->addWidget(label_device, 0, 1);

    groupBox_device = new QGroupBox(quenlix_ble);
    groupBox_device->setObjectName(QStringLiteral("groupBox_device"));
    gridLayout_2 = new QGridLayout(groupBox_device);
    gridLayout_2->setObjectName(QStringLiteral("gridLayout_2"));
    gridLayout_2->setHorizontalSpacing(6);
    int left, top, right, bottom;
    gridLayout_2->getContentsMargins(&left, &top, &right, &bottom);
    gridLayout_2->setContentsMargins(9, 9, right, bottom);
    groupBox = new QGroupBox(groupBox_device);
    groupBox->setObjectName(QStringLiteral("groupBox"));
    gridLayout_2->addWidget(groupBox, 1, 0);
    gridLayout_4->addWidget(groupBox_device, 1, 0, 3, 1);

    scrollArea_ServiceUUID = new QScrollArea(quenlix_ble);
    scrollArea_ServiceUUID->setObjectName(QStringLiteral("scrollArea_ServiceUUID"));
    scrollArea_ServiceUUID->setStyleSheet(
        QStringLiteral("QScrollArea {\n    border: none;\n\tbackground-color: #FFFFFF;\n}"));
    scrollArea_ServiceUUID->setLineWidth(0);
    scrollArea_ServiceUUID->setWidgetResizable(true);
    scrollAreaWidgetContents = new QWidget();
    scrollAreaWidgetContents->setObjectName(QStringLiteral("scrollAreaWidgetContents"));
    scrollAreaWidgetContents->setGeometry(0, 0, 500, 430);
    gridLayout = new QGridLayout(scrollAreaWidgetContents);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    groupBox_ServiceUUID = new QGroupBox(scrollAreaWidgetContents);
    groupBox_ServiceUUID->setObjectName(QStringLiteral("groupBox_ServiceUUID"));
    groupBox_ServiceUUID->setStyleSheet(QStringLiteral("background-color: #FFFFFF;"));
    gridLayout_3 = new QGridLayout(groupBox_ServiceUUID);
    gridLayout_3->setObjectName(QStringLiteral("gridLayout_3"));
    gridLayout->addWidget(groupBox_ServiceUUID, 0, 0);
    scrollArea_ServiceUUID->setWidget(scrollAreaWidgetContents);
    gridLayout_4->addWidget(scrollArea_ServiceUUID, 1, 1, 3, 1);

    gridLayout_4->setColumnStretch(0, 1);
    gridLayout_4->setColumnStretch(1, 5);

    retranslateUi(quenlix_ble);
}

void Ui_quenlix_ble::retranslateUi(QWidget* quenlix_ble)
{
    quenlix_ble->setWindowTitle(QCoreApplication::translate("quenlix_ble", "Form"));
    scanButton->setText(QCoreApplication::translate("quenlix_ble", "Scan"));
    label_device->setText(QString());
    groupBox_device->setTitle(QString());
    groupBox->setTitle(QCoreApplication::translate("quenlix_ble", "Device:"));
    groupBox_ServiceUUID->setTitle(QString());
}
