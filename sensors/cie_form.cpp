#include "sensors/cie_form.h"

#include "app/formkit.h"
#include "app/styles.h"
#include "sensors/sensorform_kit.h"

void Ui_CieForm::setupCieForm()
{
    CIE = FormKit::makePage("CIE", gridLayout_48, "gridLayout_48");
    gridLayout_cie = new QGridLayout();
    gridLayout_cie->setObjectName("gridLayout_cie");
    gridLayout_48->addLayout(gridLayout_cie, 0, 0);
    gridLayout_48->setColumnStretch(0, 1);
    groupBox_21 = new QGroupBox(CIE);
    groupBox_21->setObjectName("groupBox_21");
    gridLayout_48->addWidget(groupBox_21, 0, 1);
    verticalLayout_cie = new QVBoxLayout(groupBox_21);
    verticalLayout_cie->setObjectName("verticalLayout_cie");
    label_92 = FormKit::addTo<QLabel>(groupBox_21, verticalLayout_cie, "label_92");
    CIEportNameComboBox = FormKit::addTo<QComboBox>(groupBox_21, verticalLayout_cie, "CIEportNameComboBox");
    label_93 = FormKit::addTo<QLabel>(groupBox_21, verticalLayout_cie, "label_93");
    CIEbaudRateComboBox = FormKit::addTo<QComboBox>(groupBox_21, verticalLayout_cie, "CIEbaudRateComboBox");
    CIEopencompushButton =
        FormKit::addTo<QPushButton>(groupBox_21, verticalLayout_cie, "CIEopencompushButton");
    CIEopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    CIE_StrTextBrowser =
        FormKit::addTo<QPlainTextEdit>(groupBox_21, verticalLayout_cie, "CIE_StrTextBrowser");
    CIE_Clear_pushButton =
        FormKit::addTo<QPushButton>(groupBox_21, verticalLayout_cie, "CIE_Clear_pushButton");
    verticalLayout_cie->addStretch(1);
}

void Ui_CieForm::retranslateCieForm()
{
    groupBox_21->setTitle(FormKit::tr("Serial Setting"));
    label_92->setText(FormKit::tr("Serial No."));
    label_93->setText(FormKit::tr("Baudrate"));
    FormKit::setItems(CIEbaudRateComboBox, SensorFormKit::baudRates());
    CIEopencompushButton->setText(FormKit::tr("Open"));
    CIE_Clear_pushButton->setText(FormKit::tr("Clear Receive"));
}
