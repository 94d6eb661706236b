#include "sensors/i2cdump_form.h"

#include "app/formkit.h"
#include "app/styles.h"
#include "sensors/sensorform_kit.h"

void Ui_I2cdumpForm::setupI2cdumpForm()
{
    i2cdump = FormKit::makePage("i2cdump", gridLayout_19, "gridLayout_19");
    gridLayout_i2cdump = new QGridLayout();
    gridLayout_i2cdump->setObjectName("gridLayout_i2cdump");
    gridLayout_19->addLayout(gridLayout_i2cdump, 0, 0, 3, 1);
    gridLayout_19->setColumnStretch(0, 1);
    i2cdump_groupBox_serial = new QGroupBox(i2cdump);
    i2cdump_groupBox_serial->setObjectName("i2cdump_groupBox_serial");
    gridLayout_19->addWidget(i2cdump_groupBox_serial, 0, 1);
    i2cdump_serialGrid = new QGridLayout(i2cdump_groupBox_serial);
    i2cdump_serialGrid->setObjectName("i2cdump_serialGrid");
    QWidget* box = i2cdump_groupBox_serial;
    label_78 = FormKit::addToGrid<QLabel>(box, i2cdump_serialGrid, "label_78", 0, 0);
    i2cdumpportNameComboBox =
        FormKit::addToGrid<QComboBox>(box, i2cdump_serialGrid, "i2cdumpportNameComboBox", 1, 0);
    label_79 = FormKit::addToGrid<QLabel>(box, i2cdump_serialGrid, "label_79", 2, 0);
    i2cdumpbaudRateComboBox =
        FormKit::addToGrid<QComboBox>(box, i2cdump_serialGrid, "i2cdumpbaudRateComboBox", 3, 0);
    i2cdumpopencompushButton =
        FormKit::addToGrid<QPushButton>(box, i2cdump_serialGrid, "i2cdumpopencompushButton", 4, 0);
    i2cdumpopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    i2cdump_stop_pushButton =
        FormKit::addToGrid<QPushButton>(box, i2cdump_serialGrid, "i2cdump_stop_pushButton", 5, 0);
    i2cdumpsancfpushButton =
        FormKit::addToGrid<QPushButton>(box, i2cdump_serialGrid, "i2cdumpsancfpushButton", 6, 0);
    i2cdumpreadpushButton =
        FormKit::addToGrid<QPushButton>(box, i2cdump_serialGrid, "i2cdumpreadpushButton", 7, 0);
    i2cdumpwritepushButton =
        FormKit::addToGrid<QPushButton>(box, i2cdump_serialGrid, "i2cdumpwritepushButton", 8, 0);
    i2cdump_StrTextBrowser =
        FormKit::addToGrid<QPlainTextEdit>(i2cdump, gridLayout_19, "i2cdump_StrTextBrowser", 1, 1);
    i2cdump_Clear_pushButton =
        FormKit::addToGrid<QPushButton>(i2cdump, gridLayout_19, "i2cdump_Clear_pushButton", 2, 1);
}

void Ui_I2cdumpForm::retranslateI2cdumpForm()
{
    i2cdump_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    label_78->setText(FormKit::tr("Serial No."));
    label_79->setText(FormKit::tr("Baudrate"));
    FormKit::setItems(i2cdumpbaudRateComboBox, SensorFormKit::baudRates());
    i2cdumpopencompushButton->setText(FormKit::tr("Open"));
    i2cdump_stop_pushButton->setText(FormKit::tr("Stop"));
    i2cdumpsancfpushButton->setText(FormKit::tr("Scan"));
    i2cdumpreadpushButton->setText(FormKit::tr("Read Reg"));
    i2cdumpwritepushButton->setText(FormKit::tr("Write Reg"));
    i2cdump_Clear_pushButton->setText(FormKit::tr("Clear Receive"));
}
