#include "sensors/i2cdump_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "app/formkit.h"

void Ui_I2cdumpForm::setupI2cdumpForm()
{
    i2cdump = FormKit::makePage("i2cdump", gridLayout_19, "gridLayout_19");
    i2cdump_groupBox_serial = new QGroupBox(i2cdump);
    i2cdump_groupBox_serial->setObjectName("i2cdump_groupBox_serial");
    i2cdump_serialGrid = new QGridLayout(i2cdump_groupBox_serial);
    i2cdump_serialGrid->setObjectName("i2cdump_serialGrid");
    gridLayout_19->addWidget(i2cdump_groupBox_serial, 0, 2, 2, 1);
    i2cdumpFormPort = FormKit::makePortControls(i2cdump_groupBox_serial, i2cdump_serialGrid, 0, QStringLiteral("i2cdump"));
    i2cdumpportNameComboBox = i2cdumpFormPort.portList;
    i2cdumpbaudRateComboBox = i2cdumpFormPort.baudList;
    i2cdumpopencompushButton = i2cdumpFormPort.openButton;
    gridLayout_i2cdump = new QGridLayout();
    gridLayout_i2cdump->setObjectName("gridLayout_i2cdump");
    gridLayout_19->addLayout(gridLayout_i2cdump, 0, 0, 2, 1);
}

void Ui_I2cdumpForm::retranslateI2cdumpForm()
{
    i2cdump_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(i2cdumpFormPort);
}
