#include "sensors/spectra_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "app/formkit.h"

void Ui_SpectraForm::setupSpectraForm()
{
    spectra = FormKit::makePage("spectra", gridLayout_18, "gridLayout_18");
    spectra_groupBox_serial = new QGroupBox(spectra);
    spectra_groupBox_serial->setObjectName("spectra_groupBox_serial");
    spectra_serialGrid = new QGridLayout(spectra_groupBox_serial);
    spectra_serialGrid->setObjectName("spectra_serialGrid");
    gridLayout_18->addWidget(spectra_groupBox_serial, 0, 2, 2, 1);
    spectraFormPort = FormKit::makePortControls(spectra_groupBox_serial, spectra_serialGrid, 0, QStringLiteral("Spectra"));
    SpectraportNameComboBox = spectraFormPort.portList;
    SpectrabaudRateComboBox = spectraFormPort.baudList;
    SpectraopencompushButton = spectraFormPort.openButton;
    gridLayout_spectra = new QGridLayout();
    gridLayout_spectra->setObjectName("gridLayout_spectra");
    gridLayout_18->addLayout(gridLayout_spectra, 0, 0, 2, 1);
}

void Ui_SpectraForm::retranslateSpectraForm()
{
    spectra_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    FormKit::retranslatePortControls(spectraFormPort);
}
