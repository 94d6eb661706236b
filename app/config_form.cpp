#include "app/config_form.h"

#include <QCoreApplication>
#include <QIcon>
#include <QSpacerItem>

#include "app/shell_images.h"

namespace {

struct ToolCell
{
    QLabel* Ui_Config::*label;
    const char* labelName;
    QPushButton* Ui_Config::*button;
    const char* buttonName;
    int row;
    int column; // the button's column; its label stands two columns to the left
};

const ToolCell toolCells[ToolSwitches::toolCount] = {
    {&Ui_Config::label_30, "label_30", &Ui_Config::Config_COM_ON_OFF, "Config_COM_ON_OFF", 0, 2},
    {&Ui_Config::label_31, "label_31", &Ui_Config::Config_UDP_ON_OFF, "Config_UDP_ON_OFF", 0, 5},
    {&Ui_Config::label_32, "label_32", &Ui_Config::Config_TCP_ON_OFF, "Config_TCP_ON_OFF", 0, 8},
    {&Ui_Config::label_33, "label_33", &Ui_Config::Config_GPS_ON_OFF, "Config_GPS_ON_OFF", 1, 2},
    {&Ui_Config::label_34, "label_34", &Ui_Config::Config_GSM_ON_OFF, "Config_GSM_ON_OFF", 1, 5},
    {&Ui_Config::label_35, "label_35", &Ui_Config::Config_UNICODE_ON_OFF, "Config_UNICODE_ON_OFF", 1, 8},
    {&Ui_Config::label_37, "label_37", &Ui_Config::Config_Envir_ON_OFF, "Config_Envir_ON_OFF", 2, 2},
    {&Ui_Config::label_38, "label_38", &Ui_Config::Config_Crypty_ON_OFF, "Config_Crypty_ON_OFF", 2, 5},
    {&Ui_Config::label_39, "label_39", &Ui_Config::Config_Oscilloscope_ON_OFF, "Config_Oscilloscope_ON_OFF",
     2, 8},
    {&Ui_Config::label_40, "label_40", &Ui_Config::Config_MQTT_ON_OFF, "Config_MQTT_ON_OFF", 3, 2},
    {&Ui_Config::label, "label", &Ui_Config::Config_Ble_ON_OFF, "Config_Ble_ON_OFF", 3, 5},
    {&Ui_Config::label_2, "label_2", &Ui_Config::Config_Spectra_ON_OFF, "Config_Spectra_ON_OFF", 3, 8},
    {&Ui_Config::label_3, "label_3", &Ui_Config::Config_Convert_ON_OFF, "Config_Convert_ON_OFF", 4, 2},
    {&Ui_Config::label_4, "label_4", &Ui_Config::Config_I2CDUMP_ON_OFF, "Config_I2CDUMP_ON_OFF", 4, 5},
    {&Ui_Config::label_5, "label_5", &Ui_Config::Config_TOF_ON_OFF, "Config_TOF_ON_OFF", 4, 8},
    {&Ui_Config::label_6, "label_6", &Ui_Config::Config_MODBUS_ON_OFF, "Config_MODBUS_ON_OFF", 5, 2},
    {&Ui_Config::label_7, "label_7", &Ui_Config::Config_HEXTOOLS_ON_OFF, "Config_HEXTOOLS_ON_OFF", 5, 5},
    {&Ui_Config::label_8, "label_8", &Ui_Config::Config_CIE_ON_OFF, "Config_CIE_ON_OFF", 5, 8},
    {&Ui_Config::label_9, "label_9", &Ui_Config::Config_IMU_ON_OFF, "Config_IMU_ON_OFF", 6, 2},
};

const char* const toolLabelTexts[ToolSwitches::toolCount] = {
    QT_TRANSLATE_NOOP("Config", "Serial"),       QT_TRANSLATE_NOOP("Config", "UDP"),
    QT_TRANSLATE_NOOP("Config", "TCP"),          QT_TRANSLATE_NOOP("Config", "GPS"),
    QT_TRANSLATE_NOOP("Config", "GSM"),          QT_TRANSLATE_NOOP("Config", "UNICODE"),
    QT_TRANSLATE_NOOP("Config", "Environment"),  QT_TRANSLATE_NOOP("Config", "Crypty"),
    QT_TRANSLATE_NOOP("Config", "Oscilloscope"), QT_TRANSLATE_NOOP("Config", "MQTT"),
    QT_TRANSLATE_NOOP("Config", "Ble"),          QT_TRANSLATE_NOOP("Config", "Spectra"),
    QT_TRANSLATE_NOOP("Config", "Convert"),      QT_TRANSLATE_NOOP("Config", "i2cdump"),
    QT_TRANSLATE_NOOP("Config", "TOF"),          QT_TRANSLATE_NOOP("Config", "Modbus"),
    QT_TRANSLATE_NOOP("Config", "Hextools"),     QT_TRANSLATE_NOOP("Config", "CIE"),
    QT_TRANSLATE_NOOP("Config", "IMU"),
};

QSpacerItem* horizontalSpacer(int width)
{
    return new QSpacerItem(width, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

} // namespace

void Ui_Config::setupUi(QDialog* Config)
{
    if (Config->objectName().isEmpty())
        Config->setObjectName("Config");
    Config->resize(586, 414);
    Config->setStyleSheet(QString());

    gridLayout = new QGridLayout(Config);
    gridLayout->setObjectName("gridLayout");
    groupBox_2 = new QGroupBox(Config);
    groupBox_2->setObjectName("groupBox_2");
    gridLayout_2 = new QGridLayout(groupBox_2);
    gridLayout_2->setObjectName("gridLayout_2");

    for (int i = 0; i < ToolSwitches::toolCount; ++i) {
        const ToolCell& cell = toolCells[i];
        auto* label = new QLabel(groupBox_2);
        label->setObjectName(cell.labelName);
        auto* button = new QPushButton(groupBox_2);
        button->setObjectName(cell.buttonName);
        button->setMinimumSize(80, 30);
        button->setMaximumSize(80, 30);
        button->setIcon(QIcon(QString::fromLatin1(ShellImages::toolOffInForm)));
        button->setIconSize(QSize(359, 210));
        button->setAutoDefault(false);
        this->*cell.label = label;
        this->*cell.button = button;
        toolLabels[i] = label;
        toolButtons[i] = button;
        // "Environment" is wider than its neighbours and takes two columns.
        gridLayout_2->addWidget(label, cell.row, cell.column - 2, 1, i == 6 ? 2 : 1);
        gridLayout_2->addWidget(button, cell.row, cell.column);
    }
    for (int row = 0; row < 6; ++row) {
        gridLayout_2->addItem(horizontalSpacer(40), row, 3);
        gridLayout_2->addItem(horizontalSpacer(40), row, 6);
    }
    gridLayout_2->addItem(horizontalSpacer(40), 6, 3);
    gridLayout->addWidget(groupBox_2, 0, 0, 1, 3);

    comboBox = new QComboBox(Config);
    comboBox->addItem(QString());
    comboBox->addItem(QString());
    comboBox->setObjectName("comboBox");
    gridLayout->addWidget(comboBox, 1, 0, 1, 3);

    serial_checkBox = new QCheckBox(Config);
    serial_checkBox->setObjectName("serial_checkBox");
    gridLayout->addWidget(serial_checkBox, 2, 0);

    gridLayout->addItem(new QSpacerItem(265, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 3, 0);
    ConfigCancel_Button = new QPushButton(Config);
    ConfigCancel_Button->setObjectName("ConfigCancel_Button");
    gridLayout->addWidget(ConfigCancel_Button, 3, 1);
    ConfigOK_Button = new QPushButton(Config);
    ConfigOK_Button->setObjectName("ConfigOK_Button");
    gridLayout->addWidget(ConfigOK_Button, 3, 2);

    retranslateUi(Config);
}

void Ui_Config::retranslateUi(QDialog* Config)
{
    Config->setWindowTitle(QCoreApplication::translate("Config", "Config"));
    groupBox_2->setTitle(QCoreApplication::translate("Config", "Function selection"));
    for (int i = 0; i < ToolSwitches::toolCount; ++i) {
        toolLabels[i]->setText(QCoreApplication::translate("Config", toolLabelTexts[i]));
        toolButtons[i]->setText(QString());
    }
    comboBox->setItemText(0, QCoreApplication::translate("Config", "OpenStreet Map"));
    comboBox->setItemText(1, QCoreApplication::translate("Config", "Baidu Map"));
    serial_checkBox->setText(QCoreApplication::translate("Config", "Auto scan serial port"));
    ConfigCancel_Button->setText(QCoreApplication::translate("Config", "Cancel"));
    ConfigOK_Button->setText(QCoreApplication::translate("Config", "OK"));
}
