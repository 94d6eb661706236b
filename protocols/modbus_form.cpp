#include "protocols/modbus_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QWidget>

#include "app/formkit.h"

namespace {

// A label and its field on two rows of a grid, from `row`.
template <typename W> W* labelled(QGridLayout* grid, QLabel*& label, const char* labelName, const char* name)
{
    QWidget* parent = grid->parentWidget();
    label = FormKit::make<QLabel>(parent, labelName);
    auto* field = FormKit::make<W>(parent, name);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0, 1, 2);
    grid->addWidget(field, row + 1, 0, 1, 2);
    return field;
}

QSpinBox* spinBox(QSpinBox* box, int minimum, int maximum, int base)
{
    box->setRange(minimum, maximum);
    box->setDisplayIntegerBase(base);
    return box;
}

} // namespace

void Ui_ModbusForm::setupModbusForm()
{
    Modbus = FormKit::makePage("Modbus", gridLayout_21, "gridLayout_21");

    modbus_groupBox_serial = FormKit::make<QGroupBox>(Modbus, "modbus_groupBox_serial");
    modbus_serialGrid = new QGridLayout(modbus_groupBox_serial);
    modbus_serialGrid->setObjectName("modbus_serialGrid");
    ModbusportMode_1 = FormKit::make<QRadioButton>(modbus_groupBox_serial, "ModbusportMode_1");
    ModbusportMode_2 = FormKit::make<QRadioButton>(modbus_groupBox_serial, "ModbusportMode_2");
    modbus_serialGrid->addWidget(ModbusportMode_1, 0, 0);
    modbus_serialGrid->addWidget(ModbusportMode_2, 0, 1);
    modbusFormPort =
        FormKit::makePortControls(modbus_groupBox_serial, modbus_serialGrid, 1, QStringLiteral("Modbus"));
    ModbusportNameComboBox = modbusFormPort.portList;
    ModbusbaudRateComboBox = modbusFormPort.baudList;
    ModbusopencompushButton = modbusFormPort.openButton;
    ModbusdataBitsComboBox = labelled<QComboBox>(modbus_serialGrid, ModbusdataBitsLabel,
                                                 "ModbusdataBitsLabel", "ModbusdataBitsComboBox");
    ModbusparityComboBox = labelled<QComboBox>(modbus_serialGrid, ModbusparityLabel, "ModbusparityLabel",
                                               "ModbusparityComboBox");
    ModbusstopBitsComboBox = labelled<QComboBox>(modbus_serialGrid, ModbusstopBitsLabel,
                                                 "ModbusstopBitsLabel", "ModbusstopBitsComboBox");
    ModbusTCPclientIPlineEdit = labelled<QLineEdit>(modbus_serialGrid, ModbusTCPclientIPlabel,
                                                    "ModbusTCPclientIPlabel", "ModbusTCPclientIPlineEdit");
    ModbusTCPclientIPlineEdit->setText(QStringLiteral("127.0.0.1"));
    ModbusTCPclientPortlineEdit =
        labelled<QLineEdit>(modbus_serialGrid, ModbusTCPclientPortlabel, "ModbusTCPclientPortlabel",
                            "ModbusTCPclientPortlineEdit");
    ModbusTCPclientPortlineEdit->setText(QStringLiteral("1000"));
    ModbusTCPopencompushButton =
        FormKit::make<QPushButton>(modbus_groupBox_serial, "ModbusTCPopencompushButton");
    modbus_serialGrid->addWidget(ModbusTCPopencompushButton, modbus_serialGrid->rowCount(), 0, 1, 2);
    modbus_serialGrid->setRowStretch(modbus_serialGrid->rowCount(), 1);
    gridLayout_21->addWidget(modbus_groupBox_serial, 0, 2, 1, 1);

    modbus_groupBox_request = FormKit::make<QGroupBox>(Modbus, "modbus_groupBox_request");
    modbus_requestGrid = new QGridLayout(modbus_groupBox_request);
    modbus_requestGrid->setObjectName("modbus_requestGrid");
    ModbusspinBox = spinBox(
        labelled<QSpinBox>(modbus_requestGrid, ModbusspinBoxLabel, "ModbusspinBoxLabel", "ModbusspinBox"), 1,
        255, 10);
    Modbus_function_comboBox = labelled<QComboBox>(modbus_requestGrid, Modbus_function_label,
                                                   "Modbus_function_label", "Modbus_function_comboBox");
    Modbus_address_spinBox = spinBox(labelled<QSpinBox>(modbus_requestGrid, Modbus_address_label,
                                                        "Modbus_address_label", "Modbus_address_spinBox"),
                                     0, 65535, 16);
    Modbus_quantity_spinBox = spinBox(labelled<QSpinBox>(modbus_requestGrid, Modbus_quantity_label,
                                                         "Modbus_quantity_label", "Modbus_quantity_spinBox"),
                                      1, 65535, 16);
    Modbus_lineEdit =
        labelled<QLineEdit>(modbus_requestGrid, Modbus_value_label, "Modbus_value_label", "Modbus_lineEdit");
    Modbus_pushButton = FormKit::make<QPushButton>(modbus_groupBox_request, "Modbus_pushButton");
    Modbus_pushButton->setText(QStringLiteral("Read")); // chooses the transaction: never translated
    modbus_requestGrid->addWidget(Modbus_pushButton, modbus_requestGrid->rowCount(), 0, 1, 2);
    modbus_requestGrid->setRowStretch(modbus_requestGrid->rowCount(), 1);
    gridLayout_21->addWidget(modbus_groupBox_request, 1, 2, 1, 1);

    modbus_groupBox_send = FormKit::make<QGroupBox>(Modbus, "modbus_groupBox_send");
    modbus_sendGrid = new QGridLayout(modbus_groupBox_send);
    modbus_sendGrid->setObjectName("modbus_sendGrid");
    Modbus_sendMsgtextEdit = FormKit::make<QPlainTextEdit>(modbus_groupBox_send, "Modbus_sendMsgtextEdit");
    Modbus_send_cleandatapushButton =
        FormKit::make<QPushButton>(modbus_groupBox_send, "Modbus_send_cleandatapushButton");
    modbus_sendGrid->addWidget(Modbus_sendMsgtextEdit, 0, 0, 1, 2);
    modbus_sendGrid->addWidget(Modbus_send_cleandatapushButton, 1, 1);
    gridLayout_21->addWidget(modbus_groupBox_send, 0, 0, 1, 2);

    modbus_groupBox_receive = FormKit::make<QGroupBox>(Modbus, "modbus_groupBox_receive");
    modbus_receiveGrid = new QGridLayout(modbus_groupBox_receive);
    modbus_receiveGrid->setObjectName("modbus_receiveGrid");
    Modbus_HexTextBrowser = FormKit::make<QPlainTextEdit>(modbus_groupBox_receive, "Modbus_HexTextBrowser");
    Modbus_revice_cleandatapushButton =
        FormKit::make<QPushButton>(modbus_groupBox_receive, "Modbus_revice_cleandatapushButton");
    modbus_receiveGrid->addWidget(Modbus_HexTextBrowser, 0, 0, 1, 2);
    modbus_receiveGrid->addWidget(Modbus_revice_cleandatapushButton, 1, 1);
    gridLayout_21->addWidget(modbus_groupBox_receive, 1, 0, 1, 2);
    gridLayout_21->setColumnStretch(0, 1);
}

void Ui_ModbusForm::retranslateModbusForm()
{
    modbus_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    ModbusportMode_1->setText(FormKit::tr("COM"));
    ModbusportMode_2->setText(FormKit::tr("TCP"));
    FormKit::retranslatePortControls(modbusFormPort);
    ModbusdataBitsLabel->setText(FormKit::tr("Data Bits"));
    FormKit::setItems(ModbusdataBitsComboBox, {"5", "6", "7", "8"});
    ModbusparityLabel->setText(FormKit::tr("Parity"));
    FormKit::setItems(ModbusparityComboBox, {FormKit::tr("None"), FormKit::tr("Odd"), FormKit::tr("Even"),
                                             FormKit::tr("Mark"), FormKit::tr("Space")});
    ModbusstopBitsLabel->setText(FormKit::tr("Stop Bits"));
    FormKit::setItems(ModbusstopBitsComboBox, {"1", "1.5", "2"});
    ModbusTCPclientIPlabel->setText(FormKit::tr("Remote IP:"));
    ModbusTCPclientPortlabel->setText(FormKit::tr("Remote Port:"));
    ModbusTCPopencompushButton->setText(FormKit::tr("Connect"));

    ModbusspinBoxLabel->setText(FormKit::tr("Server Address:"));
    Modbus_function_label->setText(FormKit::tr("Function:"));
    FormKit::setItems(Modbus_function_comboBox,
                      {FormKit::tr("01(Read Coils)"), FormKit::tr("02(Read Discrete Inputs)"),
                       FormKit::tr("03(Read Holding Registers)"), FormKit::tr("04(Read Input Registers)"),
                       FormKit::tr("05(Write Single Coil)"), FormKit::tr("06(Write Single Register)"),
                       FormKit::tr("15(Write Multiple Coils)"), FormKit::tr("16(Write Multiple Registers)")});
    Modbus_address_label->setText(FormKit::tr("Starting Address:"));
    Modbus_quantity_label->setText(FormKit::tr("Quantity:"));
    Modbus_value_label->setText(FormKit::tr("Registers Value:"));

    modbus_groupBox_send->setTitle(FormKit::tr("Send"));
    Modbus_send_cleandatapushButton->setText(FormKit::tr("Clear Sendbox"));
    modbus_groupBox_receive->setTitle(FormKit::tr("Receive"));
    Modbus_revice_cleandatapushButton->setText(FormKit::tr("Clear Receive"));
}
