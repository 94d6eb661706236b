#include "protocols/modbus_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "app/formkit.h"

void Ui_ModbusForm::setupModbusForm()
{
    Modbus = FormKit::makePage("Modbus", gridLayout_21, "gridLayout_21");
    modbus_groupBox_serial = new QGroupBox(Modbus);
    modbus_groupBox_serial->setObjectName("modbus_groupBox_serial");
    modbus_serialGrid = new QGridLayout(modbus_groupBox_serial);
    modbus_serialGrid->setObjectName("modbus_serialGrid");
    gridLayout_21->addWidget(modbus_groupBox_serial, 0, 2, 2, 1);
    modbusFormPort =
        FormKit::makePortControls(modbus_groupBox_serial, modbus_serialGrid, 0, QStringLiteral("Modbus"));
    ModbusportNameComboBox = modbusFormPort.portList;
    ModbusbaudRateComboBox = modbusFormPort.baudList;
    ModbusopencompushButton = modbusFormPort.openButton;
    ModbusdataBitsComboBox = new QComboBox(modbus_groupBox_serial);
    ModbusdataBitsComboBox->setObjectName("ModbusdataBitsComboBox");
    modbus_serialGrid->addWidget(ModbusdataBitsComboBox, modbus_serialGrid->rowCount(), 0, 1, 2);
    ModbusparityComboBox = new QComboBox(modbus_groupBox_serial);
    ModbusparityComboBox->setObjectName("ModbusparityComboBox");
    modbus_serialGrid->addWidget(ModbusparityComboBox, modbus_serialGrid->rowCount(), 0, 1, 2);
    ModbusstopBitsComboBox = new QComboBox(modbus_groupBox_serial);
    ModbusstopBitsComboBox->setObjectName("ModbusstopBitsComboBox");
    modbus_serialGrid->addWidget(ModbusstopBitsComboBox, modbus_serialGrid->rowCount(), 0, 1, 2);
    ModbusportMode_1 = new QRadioButton(modbus_groupBox_serial);
    ModbusportMode_1->setObjectName("ModbusportMode_1");
    modbus_serialGrid->addWidget(ModbusportMode_1, modbus_serialGrid->rowCount(), 0);
    ModbusportMode_2 = new QRadioButton(modbus_groupBox_serial);
    ModbusportMode_2->setObjectName("ModbusportMode_2");
    modbus_serialGrid->addWidget(ModbusportMode_2, modbus_serialGrid->rowCount() - 1, 1);
}

void Ui_ModbusForm::retranslateModbusForm()
{
    modbus_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(modbusFormPort);
    FormKit::setItems(ModbusdataBitsComboBox, {"5", "6", "7", "8"});
    FormKit::setItems(ModbusparityComboBox, {FormKit::tr("None"), FormKit::tr("Odd"), FormKit::tr("Even"),
                                             FormKit::tr("Mark"), FormKit::tr("Space")});
    FormKit::setItems(ModbusstopBitsComboBox, {"1", "1.5", "2"});
    ModbusportMode_1->setText(FormKit::tr("COM"));
    ModbusportMode_2->setText(FormKit::tr("TCP"));
}
