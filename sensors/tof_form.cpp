#include "sensors/tof_form.h"

#include "app/formkit.h"
#include "app/styles.h"
#include "sensors/sensorform_kit.h"

void Ui_TofForm::setupTofForm()
{
    TOF = FormKit::makePage("TOF", gridLayout_32, "gridLayout_32");
    gridLayout_tof = new QGridLayout();
    gridLayout_tof->setObjectName("gridLayout_tof");
    gridLayout_32->addLayout(gridLayout_tof, 0, 0);
    gridLayout_32->setColumnStretch(0, 1);
    groupBox_14 = new QGroupBox(TOF);
    groupBox_14->setObjectName("groupBox_14");
    gridLayout_32->addWidget(groupBox_14, 0, 1);
    verticalLayout_tof = new QVBoxLayout(groupBox_14);
    verticalLayout_tof->setObjectName("verticalLayout_tof");

    label_80 = FormKit::addTo<QLabel>(groupBox_14, verticalLayout_tof, "label_80");
    TOFportNameComboBox = FormKit::addTo<QComboBox>(groupBox_14, verticalLayout_tof, "TOFportNameComboBox");
    label_81 = FormKit::addTo<QLabel>(groupBox_14, verticalLayout_tof, "label_81");
    TOFbaudRateComboBox = FormKit::addTo<QComboBox>(groupBox_14, verticalLayout_tof, "TOFbaudRateComboBox");
    TOFopencompushButton =
        FormKit::addTo<QPushButton>(groupBox_14, verticalLayout_tof, "TOFopencompushButton");
    TOFopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    TOFTYPEcomboBox = FormKit::addTo<QComboBox>(groupBox_14, verticalLayout_tof, "TOFTYPEcomboBox");
    TOFRangeComboBox = FormKit::addTo<QComboBox>(groupBox_14, verticalLayout_tof, "TOFRangeComboBox");
    TOFArrangementcomboBox =
        FormKit::addTo<QComboBox>(groupBox_14, verticalLayout_tof, "TOFArrangementcomboBox");
    TOFChartComboBox = FormKit::addTo<QComboBox>(groupBox_14, verticalLayout_tof, "TOFChartComboBox");
    TOFFilterComboBox = FormKit::addTo<QComboBox>(groupBox_14, verticalLayout_tof, "TOFFilterComboBox");
    TOF_StrTextBrowser =
        FormKit::addTo<QPlainTextEdit>(groupBox_14, verticalLayout_tof, "TOF_StrTextBrowser");
    TOF_Clear_pushButton =
        FormKit::addTo<QPushButton>(groupBox_14, verticalLayout_tof, "TOF_Clear_pushButton");
    verticalLayout_tof->addStretch(1);
}

void Ui_TofForm::retranslateTofForm()
{
    groupBox_14->setTitle(FormKit::tr("Serial Setting"));
    label_80->setText(FormKit::tr("Serial No."));
    label_81->setText(FormKit::tr("Baudrate"));
    FormKit::setItems(TOFbaudRateComboBox, SensorFormKit::tofBaudRates());
    TOFopencompushButton->setText(FormKit::tr("Open"));
    FormKit::setItems(TOFTYPEcomboBox, {"VL53LMZ", "TMF8828", "TMF8829", "VL53L9"});
    FormKit::setItems(TOFRangeComboBox, {"2000", "4000", "5000", "12000"});
    // The sensor type refills it later; its texts are not translated.
    if (TOFArrangementcomboBox->count() == 0)
        TOFArrangementcomboBox->addItems({"4x4", "8x8"});
    FormKit::setItems(TOFChartComboBox, {FormKit::tr("2D"), FormKit::tr("3D"), FormKit::tr("Depth")});
    TOF_Clear_pushButton->setText(FormKit::tr("Clear Receive"));
}
