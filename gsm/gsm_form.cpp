#include "gsm/gsm_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "app/formkit.h"

void Ui_GsmForm::setupGsmForm()
{
    gsm = FormKit::makePage("gsm", gsm_pageGrid, "gsm_pageGrid");
    gsm_groupBox_serial = new QGroupBox(gsm);
    gsm_groupBox_serial->setObjectName("gsm_groupBox_serial");
    gsm_serialGrid = new QGridLayout(gsm_groupBox_serial);
    gsm_serialGrid->setObjectName("gsm_serialGrid");
    gsm_pageGrid->addWidget(gsm_groupBox_serial, 0, 2, 2, 1);
    gsmFormPort = FormKit::makePortControls(gsm_groupBox_serial, gsm_serialGrid, 0, QStringLiteral("GSM"));
    GSMportNameComboBox = gsmFormPort.portList;
    GSMbaudRateComboBox = gsmFormPort.baudList;
    GSMopencompushButton = gsmFormPort.openButton;
}

void Ui_GsmForm::retranslateGsmForm()
{
    gsm_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(gsmFormPort);
}
