#include "app/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "sensors/quenlix_spectroscopy.h"
#include "sensors/spectra_reading.h"
#include "widgets/logview.h"

void MainWindow::Spectra_Init_Start()
{
    Spectra_view = new quenlix_spectroscopy(this);
    ui->gridLayout_spectra->addWidget(Spectra_view);
    Spectra_rxText.clear();
    connect(ui->SpectraopencompushButton, SIGNAL(pressed()), this, SLOT(SpectraOpen_triggered()));
    connect(ui->Spectra_pushButton_Clear_Log, SIGNAL(pressed()), this,
            SLOT(Spectra_pushButton_Clear_Log_triggered()));
    connect(ui->SpectraportChartComboBox, SIGNAL(currentIndexChanged(int)), this,
            SLOT(onSpectraportChartComboBoxChanged(int)));
    connect(ui->SpectraYPEcomboBox, SIGNAL(currentIndexChanged(int)), this,
            SLOT(onSpectraTYPEComboBoxChanged(int)));
    connect(ui->SpectracheckBox, SIGNAL(stateChanged(int)), this, SLOT(onSpectracheckBoxChanged(int)));
    ui->SpectraopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    ui->SpectraportChartComboBox->clear();
    ui->SpectraportChartComboBox->addItem(tr("Bar Chart"));
    LogView::attach(ui->Spectra_textEdit, SpectraLogMaxLines);
    ui->Spectra_textEdit->hide();
    Spectra_rxBuffer.clear();
}

void MainWindow::SpectraOpen_triggered()
{
    if (Serial_isOpen) {
        Serial_close(SerialTab::Spectra);
        Spectra_rxBuffer.clear();
        return;
    }
    if (Serial_open(SerialTab::Spectra) == SerialOpenResult::Opened)
        Spectra_rxBuffer.clear();
}

void MainWindow::SpectrasetsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Spectra, enable);
}

void MainWindow::readSpectraCom(QByteArray data)
{
    for (const QString& line : Spectra_rxBuffer.feed(data)) {
        const QString shown = line.trimmed();
        if (!shown.isEmpty())
            LogView::of(ui->Spectra_textEdit)->appendLine(shown);
    }
    for (const QString& line : Spectra_rxText.feed(data))
        extractValuesFromQString(line);
}

void MainWindow::extractValuesFromQString(const QString& text)
{
    const quint8 type = SpectraReading::typeCode(ui->SpectraYPEcomboBox->currentText());
    const auto chart = quint8(ui->SpectraportChartComboBox->currentIndex());
    for (const SpectraReading::Reading& r : SpectraReading::parse(text))
        Spectra_view->update_data_barset(quint8(r.channel), r.value, type, chart);
}

void MainWindow::onSpectraTYPEComboBoxChanged(int index)
{
    const QString type = ui->SpectraYPEcomboBox->currentText();
    if (type == QLatin1String("AS7265X")) {
        ui->SpectraportChartComboBox->clear();
        ui->SpectraportChartComboBox->addItems({tr("Bar Chart"), tr("Line Chart")});
    } else if (type == QLatin1String("AS7341") || type == QLatin1String("AS7343")) {
        ui->SpectraportChartComboBox->clear();
        ui->SpectraportChartComboBox->addItem(tr("Bar Chart"));
    }
    Spectra_view->change(index);
}

void MainWindow::onSpectraportChartComboBoxChanged(int index)
{
    if (ui->SpectraYPEcomboBox->currentIndex() == 2 && index >= 0)
        Spectra_view->change(index + 2);
}

void MainWindow::onSpectracheckBoxChanged(int state)
{
    if (state == Qt::Checked)
        ui->Spectra_textEdit->show();
    else if (state == Qt::Unchecked)
        ui->Spectra_textEdit->hide();
}

void MainWindow::Spectra_pushButton_Clear_Log_triggered()
{
    ui->Spectra_textEdit->clear();
    Spectra_rxBuffer.clear();
}
