#include "sensors/spectra_form.h"

#include "app/formkit.h"
#include "app/styles.h"
#include "sensors/sensorform_kit.h"

void Ui_SpectraForm::setupSpectraForm()
{
    spectra = FormKit::makePage("spectra", gridLayout_18, "gridLayout_18");
    gridLayout_spectra = new QGridLayout();
    gridLayout_spectra->setObjectName("gridLayout_spectra");
    gridLayout_18->addLayout(gridLayout_spectra, 0, 0);
    gridLayout_18->setColumnStretch(0, 1);
    // The chart takes the spare height; the log, hidden at start, needs none while hidden.
    gridLayout_18->setRowStretch(0, 1);
    Spectra_textEdit = new QPlainTextEdit(spectra);
    Spectra_textEdit->setObjectName("Spectra_textEdit");
    gridLayout_18->addWidget(Spectra_textEdit, 1, 0);
    Spectra_groupBox_serial = new QGroupBox(spectra);
    Spectra_groupBox_serial->setObjectName("Spectra_groupBox_serial");
    gridLayout_18->addWidget(Spectra_groupBox_serial, 0, 1, 2, 1);
    verticalLayout_spectra = new QVBoxLayout(Spectra_groupBox_serial);
    verticalLayout_spectra->setObjectName("verticalLayout_spectra");
    QWidget* box = Spectra_groupBox_serial;
    SpectracheckBox = FormKit::addTo<QCheckBox>(box, verticalLayout_spectra, "SpectracheckBox");
    SpectraYPEcomboBox = FormKit::addTo<QComboBox>(box, verticalLayout_spectra, "SpectraYPEcomboBox");
    label_76 = FormKit::addTo<QLabel>(box, verticalLayout_spectra, "label_76");
    SpectraportNameComboBox =
        FormKit::addTo<QComboBox>(box, verticalLayout_spectra, "SpectraportNameComboBox");
    label_77 = FormKit::addTo<QLabel>(box, verticalLayout_spectra, "label_77");
    SpectrabaudRateComboBox =
        FormKit::addTo<QComboBox>(box, verticalLayout_spectra, "SpectrabaudRateComboBox");
    SpectraopencompushButton =
        FormKit::addTo<QPushButton>(box, verticalLayout_spectra, "SpectraopencompushButton");
    SpectraopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    SpectraportChartComboBox =
        FormKit::addTo<QComboBox>(box, verticalLayout_spectra, "SpectraportChartComboBox");
    Spectra_pushButton_Clear_Log =
        FormKit::addTo<QPushButton>(box, verticalLayout_spectra, "Spectra_pushButton_Clear_Log");
    verticalLayout_spectra->addStretch(1);
}

void Ui_SpectraForm::retranslateSpectraForm()
{
    Spectra_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    SpectracheckBox->setText(FormKit::tr("LOG"));
    FormKit::setItems(SpectraYPEcomboBox, {"AS7341", "AS7343", "AS7265X"});
    label_76->setText(FormKit::tr("Serial No."));
    label_77->setText(FormKit::tr("Baudrate"));
    FormKit::setItems(SpectrabaudRateComboBox, SensorFormKit::baudRates());
    SpectraopencompushButton->setText(FormKit::tr("Open"));
    // The console refills the chart list by sensor type; only its texts are renamed here.
    const QStringList charts{FormKit::tr("Bar Chart"), FormKit::tr("Line Chart")};
    for (int i = 0; i < SpectraportChartComboBox->count() && i < charts.size(); ++i)
        SpectraportChartComboBox->setItemText(i, charts.at(i));
    Spectra_pushButton_Clear_Log->setText(FormKit::tr("Clear Log"));
}
