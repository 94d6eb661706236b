#include "app/mainwindow.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "widgets/cthermometer.h"
#include "widgets/dashboard.h"
#include "widgets/logview.h"
#include "widgets/progressbarpercent.h"
#include "widgets/ultraviolet.h"

void MainWindow::ENVironment_Init_Start()
{
    ENV_rxBuffer.clear();
    LogView::attach(ui->ENV_StrTextBrowser, 100);
    connect(ui->ENVopencompushButton, SIGNAL(pressed()), this, SLOT(ENVactionOpen_triggered()));
    connect(ui->EVN_Clear_pushButton, SIGNAL(pressed()), this, SLOT(ENVactionClear_triggered()));
    // The height goes to the gauges' rows, not to their captions.
    for (int row : {1, 7, 11})
        ui->env_gridLayout->setRowStretch(row, 1);
    ui->gridLayout_27->setRowStretch(1, 1);
    for (int column : {0, 1, 2})
        ui->gridLayout_27->setColumnStretch(column, 1);

    ENV_ultravioletGauge = new Ultraviolet;
    ui->ultraviolet_gridLayout->addWidget(ENV_ultravioletGauge, 0, 0);
    ENV_ultravioletGauge->setValue(0.0);
    ENV_humidityGauge = new ProgressBarPercent;
    ui->humidity_gridLayout->addWidget(ENV_humidityGauge, 0, 0);
    ENV_humidityGauge->setPercentStyle(ProgressBarPercent::PercentStyle_Arc_Polo);
    ENV_humidityGauge->setNullPosition(0);
    ENV_temperatureGauge = new CThermometer;
    ui->temperature_gridLayout->addWidget(ENV_temperatureGauge, 0, 0);
    ENV_temperatureGauge->setValue(0.0);
    ENV_temperatureGauge->setPrecision(2);
    ENV_temperatureGauge->setMaxValue(80);
    ENV_temperatureGauge->setMinValue(-30);
    ENV_barometerGauge = new DashBoard;
    ui->barometer_gridLayout->addWidget(ENV_barometerGauge, 0, 0);
    ENV_barometerGauge->setMinValue(0);
    ENV_barometerGauge->setMaxValue(1100);
    ENV_barometerGauge->setValue(0);
    ENV_co2Gauge = new DashBoard;
    ui->CO2_gridLayout->addWidget(ENV_co2Gauge, 0, 0);
    ENV_co2Gauge->setMinValue(400);
    ENV_co2Gauge->setMaxValue(15000);
    ENV_co2Gauge->setValue(400);
    ENV_co2Gauge->setUnits(QStringLiteral("ppm"));
    ENV_co2Gauge->setTitle(tr("CO₂")); // the dial's own title would read "Barometer"
    ENV_tvocGauge = new DashBoard;
    ui->TVOC_gridLayout->addWidget(ENV_tvocGauge, 0, 0);
    ENV_tvocGauge->setMinValue(0);
    ENV_tvocGauge->setMaxValue(5000);
    ENV_tvocGauge->setValue(0);
    ENV_tvocGauge->setUnits(QStringLiteral("ppb"));
    ENV_tvocGauge->setTitle(tr("TVOC"));

    ui->ENVopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    ui->ENV_StrTextBrowser->setReadOnly(true);
}

void MainWindow::ENVactionOpen_triggered()
{
    Serial_openOrClose(SerialTab::Env);
}

void MainWindow::ENVsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Env, enable);
}

// Every complete line with a known key moves its gauge; an unfinished line waits for its end.
void MainWindow::readENVCom(QByteArray data)
{
    for (const QByteArray& line : ENV_rxBuffer.feed(data)) {
        if (const std::optional<EnvLine::Reading> reading = EnvLine::parse(line))
            ENV_showReading(*reading);
    }
    ENV_appendLog(data);
}

void MainWindow::ENV_showReading(const EnvLine::Reading& reading)
{
    const int whole = int(reading.value); // integer quantities hold whole numbers
    switch (reading.quantity) {
    case EnvLine::Quantity::Humidity:
        ENV_humidityGauge->setValue(reading.value);
        break;
    case EnvLine::Quantity::Temperature:
        ENV_temperatureGauge->setValue(reading.value);
        break;
    case EnvLine::Quantity::Barometer:
        ENV_barometerGauge->setValue(whole);
        break;
    case EnvLine::Quantity::Ultraviolet:
        ENV_ultravioletGauge->setValue(reading.value);
        break;
    case EnvLine::Quantity::CO2:
        ENV_co2Gauge->setValue(whole);
        break;
    case EnvLine::Quantity::TVOC:
        ENV_tvocGauge->setValue(whole);
        break;
    }
}

// The received text as it came, newest at the bottom and in view.
void MainWindow::ENV_appendLog(const QByteArray& chunk)
{
    QString text = ENV_logDecoder.decode(chunk);
    text.remove(QLatin1Char('\r'));
    LogView::of(ui->ENV_StrTextBrowser)->append(text);
}

void MainWindow::ENVactionClear_triggered()
{
    ui->ENV_StrTextBrowser->clear();
}
