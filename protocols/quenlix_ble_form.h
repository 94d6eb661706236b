#pragma once

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QWidget;

// Form of the "Ble" tool: scan button, device box and the scrolling service list.
class Ui_quenlix_ble
{
public:
    QGridLayout* gridLayout_4 = nullptr;
    QPushButton* scanButton = nullptr;
    QLabel* label_device = nullptr;
    QGroupBox* groupBox_device = nullptr;
    QGridLayout* gridLayout_2 = nullptr;
    QGroupBox* groupBox = nullptr;
    QScrollArea* scrollArea_ServiceUUID = nullptr;
    QWidget* scrollAreaWidgetContents = nullptr;
    QGridLayout* gridLayout = nullptr;
    QGroupBox* groupBox_ServiceUUID = nullptr;
    QGridLayout* gridLayout_3 = nullptr;

    void setupUi(QWidget* quenlix_ble);
    void retranslateUi(QWidget* quenlix_ble);
};
