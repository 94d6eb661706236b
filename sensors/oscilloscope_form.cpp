#include "sensors/oscilloscope_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <QWidget>

#include "app/formkit.h"
#include "app/styles.h"

namespace {

const QStringList oscBaudRates = {"2400",  "4800",  "9600",  "14400",  "19200",
                                  "38400", "57600", "76800", "115200", "256000"};

} // namespace

void Ui_OscilloscopeForm::setupOscilloscopeForm()
{
    Oscilloscope = FormKit::makePage("Oscilloscope", gridLayout_31, "gridLayout_31");
    gridLayout_oscilloscpewideget = new QGridLayout();
    gridLayout_oscilloscpewideget->setSpacing(6);
    gridLayout_oscilloscpewideget->setObjectName("gridLayout_oscilloscpewideget");
    gridLayout_31->addLayout(gridLayout_oscilloscpewideget, 0, 0);
    gridLayout_31->setColumnStretch(0, 1);

    osc_groupBox_serial = new QGroupBox(Oscilloscope);
    osc_groupBox_serial->setObjectName("osc_groupBox_serial");
    gridLayout_31->addWidget(osc_groupBox_serial, 0, 1);
    osc_verticalLayout = new QVBoxLayout(osc_groupBox_serial);
    osc_verticalLayout->setObjectName("osc_verticalLayout");
    QWidget* box = osc_groupBox_serial;
    label_66 = FormKit::addTo<QLabel>(box, osc_verticalLayout, "label_66");
    OSCportNameComboBox = FormKit::addTo<QComboBox>(box, osc_verticalLayout, "OSCportNameComboBox");
    label_67 = FormKit::addTo<QLabel>(box, osc_verticalLayout, "label_67");
    OSCbaudRateComboBox = FormKit::addTo<QComboBox>(box, osc_verticalLayout, "OSCbaudRateComboBox");
    for (int i = 0; i < oscBaudRates.size(); ++i)
        OSCbaudRateComboBox->addItem(QString());
    OSCopencompushButton = FormKit::addTo<QPushButton>(box, osc_verticalLayout, "OSCopencompushButton");
    OSCopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    osc_verticalLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    checkBox_0 = FormKit::addTo<QCheckBox>(box, osc_verticalLayout, "checkBox_0");
    checkBox_1 = FormKit::addTo<QCheckBox>(box, osc_verticalLayout, "checkBox_1");
    checkBox_2 = FormKit::addTo<QCheckBox>(box, osc_verticalLayout, "checkBox_2");
    checkBox_3 = FormKit::addTo<QCheckBox>(box, osc_verticalLayout, "checkBox_3");
    for (QCheckBox* channel : {checkBox_0, checkBox_1, checkBox_2, checkBox_3})
        channel->setChecked(true);
}

void Ui_OscilloscopeForm::retranslateOscilloscopeForm()
{
    osc_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    label_66->setText(FormKit::tr("Serial No."));
    label_67->setText(FormKit::tr("Baudrate"));
    FormKit::setItems(OSCbaudRateComboBox, oscBaudRates);
    OSCopencompushButton->setText(FormKit::tr("Open"));
    checkBox_0->setText(FormKit::tr("Channel 0"));
    checkBox_1->setText(FormKit::tr("Channel 1"));
    checkBox_2->setText(FormKit::tr("Channel 2"));
    checkBox_3->setText(FormKit::tr("Channel 3"));
}
