#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "sensors/oscline.h"
#include "widgets/mwaveview.h"

void MainWindow::Oscilloscope_Init_Start()
{
    OSC_rxBuffer.clear();
    connect(ui->OSCopencompushButton, SIGNAL(pressed()), this, SLOT(OscilloscopeOpen_triggered()));
    ui->OSCopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

// Neither opening nor closing touches the samples: a later opening continues the curves.
void MainWindow::OscilloscopeOpen_triggered()
{
    Serial_openOrClose(SerialTab::Osc);
}

void MainWindow::OSCsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Osc, enable);
}

// Every complete line becomes one sample per channel; the chart is fed once per chunk, so a
// fast stream costs one curve update per read rather than one per line.
void MainWindow::readOSCCom(QByteArray data)
{
    bool added = false;
    for (const QByteArray& line : OSC_rxBuffer.feed(data)) {
        if (const std::optional<OscLine::Values> values = OscLine::parse(line)) {
            OSC_appendSample(values->data());
            added = true;
        }
    }
    if (added)
        OSC_showSamples();
}

void MainWindow::Oscilloscope_Setting_Value(double* values)
{
    OSC_appendSample(values);
    OSC_showSamples();
}

void MainWindow::OSC_appendSample(const double* values)
{
    OSC_lineNumber += 1;
    for (int n = 0; n < OscLine::channelCount; ++n) {
        QList<QPointF>& points = OSC_points[n];
        points.append(QPointF(OSC_lineNumber, values[n]));
        if (points.size() > OSC_pointCap)
            points.removeFirst();
    }
}

void MainWindow::OSC_showSamples()
{
    if (!OSC_waveView)
        return;
    for (int n = 0; n < OscLine::channelCount; ++n)
        OSC_waveView->addSeriesData(WAVE_CH(n), OSC_points[n]);
}

// A hidden channel keeps collecting samples; it is only not drawn.
void MainWindow::OSC_showChannel(int channel, int state)
{
    if (!OSC_waveView)
        return;
    if (state == 0)
        OSC_waveView->closeChannel(WAVE_CH(channel));
    else
        OSC_waveView->openChannel(WAVE_CH(channel));
}

void MainWindow::on_checkBox_0_stateChanged(int state)
{
    OSC_showChannel(0, state);
}

void MainWindow::on_checkBox_1_stateChanged(int state)
{
    OSC_showChannel(1, state);
}

void MainWindow::on_checkBox_2_stateChanged(int state)
{
    OSC_showChannel(2, state);
}

void MainWindow::on_checkBox_3_stateChanged(int state)
{
    OSC_showChannel(3, state);
}
