#include "sensors/environment_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "app/formkit.h"

void Ui_EnvironmentForm::setupEnvironmentForm()
{
    environment = FormKit::makePage("environment", gridLayout_14, "gridLayout_14");
    env_groupBox_serial = new QGroupBox(environment);
    env_groupBox_serial->setObjectName("env_groupBox_serial");
    env_serialGrid = new QGridLayout(env_groupBox_serial);
    env_serialGrid->setObjectName("env_serialGrid");
    gridLayout_14->addWidget(env_groupBox_serial, 0, 2, 2, 1);
    environmentFormPort = FormKit::makePortControls(env_groupBox_serial, env_serialGrid, 0, QStringLiteral("ENV"));
    ENVportNameComboBox = environmentFormPort.portList;
    ENVbaudRateComboBox = environmentFormPort.baudList;
    ENVopencompushButton = environmentFormPort.openButton;
}

void Ui_EnvironmentForm::retranslateEnvironmentForm()
{
    env_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(environmentFormPort);
}
