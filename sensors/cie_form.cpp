#include "sensors/cie_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "app/formkit.h"

void Ui_CieForm::setupCieForm()
{
    CIE = FormKit::makePage("CIE", gridLayout_22, "gridLayout_22");
    cie_groupBox_serial = new QGroupBox(CIE);
    cie_groupBox_serial->setObjectName("cie_groupBox_serial");
    cie_serialGrid = new QGridLayout(cie_groupBox_serial);
    cie_serialGrid->setObjectName("cie_serialGrid");
    gridLayout_22->addWidget(cie_groupBox_serial, 0, 2, 2, 1);
    cieFormPort = FormKit::makePortControls(cie_groupBox_serial, cie_serialGrid, 0, QStringLiteral("CIE"));
    CIEportNameComboBox = cieFormPort.portList;
    CIEbaudRateComboBox = cieFormPort.baudList;
    CIEopencompushButton = cieFormPort.openButton;
    gridLayout_cie = new QGridLayout();
    gridLayout_cie->setObjectName("gridLayout_cie");
    gridLayout_22->addLayout(gridLayout_cie, 0, 0, 2, 1);
}

void Ui_CieForm::retranslateCieForm()
{
    cie_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(cieFormPort);
}
