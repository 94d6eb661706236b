#include "sensors/oscilloscope_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "app/formkit.h"

void Ui_OscilloscopeForm::setupOscilloscopeForm()
{
    Oscilloscope = FormKit::makePage("Oscilloscope", gridLayout_16, "gridLayout_16");
    osc_groupBox_serial = new QGroupBox(Oscilloscope);
    osc_groupBox_serial->setObjectName("osc_groupBox_serial");
    osc_serialGrid = new QGridLayout(osc_groupBox_serial);
    osc_serialGrid->setObjectName("osc_serialGrid");
    gridLayout_16->addWidget(osc_groupBox_serial, 0, 2, 2, 1);
    oscilloscopeFormPort = FormKit::makePortControls(osc_groupBox_serial, osc_serialGrid, 0, QStringLiteral("OSC"));
    OSCportNameComboBox = oscilloscopeFormPort.portList;
    OSCbaudRateComboBox = oscilloscopeFormPort.baudList;
    OSCopencompushButton = oscilloscopeFormPort.openButton;
    gridLayout_oscilloscpewideget = new QGridLayout();
    gridLayout_oscilloscpewideget->setObjectName("gridLayout_oscilloscpewideget");
    gridLayout_16->addLayout(gridLayout_oscilloscpewideget, 0, 0, 2, 1);
}

void Ui_OscilloscopeForm::retranslateOscilloscopeForm()
{
    osc_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(oscilloscopeFormPort);
}
