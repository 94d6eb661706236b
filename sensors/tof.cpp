#include "app/mainwindow.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "sensors/quenlix_tof.h"
#include "sensors/quenlix_tof_data.h"
#include "sensors/quenlix_tof_heatmap.h"
#include "sensors/quenlix_tof_surface.h"

void MainWindow::TOF_Init_Start()
{
    TOF_view = new quenlix_tof(this);
    ui->gridLayout_tof->addWidget(TOF_view);
    TOF_rxText.clear();
    connect(ui->TOFopencompushButton, SIGNAL(pressed()), this, SLOT(TOFOpen_triggered()));
    connect(ui->TOF_Clear_pushButton, SIGNAL(pressed()), this, SLOT(TOFactionClear_triggered()));
    connect(ui->TOFChartComboBox, SIGNAL(currentIndexChanged(int)), this,
            SLOT(onTOFChartComboBoxChanged(int)));
    connect(ui->TOFTYPEcomboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(onTOFTYPEComboBoxChanged(int)));
    connect(ui->TOFArrangementcomboBox, &QComboBox::currentIndexChanged, this,
            &MainWindow::TOFchangeArrangement);
    ui->TOFopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    TOF_pixels = QList<int>(TofFrame::maxZones, 0);
    connect(ui->TOFRangeComboBox, &QComboBox::currentIndexChanged, this, &MainWindow::TOFchangeArrangement);
    ui->TOF_StrTextBrowser->setReadOnly(true);
    ui->TOF_StrTextBrowser->hide();
    ui->TOF_Clear_pushButton->hide();
    ui->TOFFilterComboBox->clear();
    ui->TOFFilterComboBox->addItems({tr("Filter: OFF (RAW)"), tr("Filter: ON (IIR 3:7)")});
    ui->TOFFilterComboBox->setCurrentIndex(1);
    ui->TOFFilterComboBox->hide();
    connect(ui->TOFFilterComboBox, &QComboBox::currentIndexChanged, this,
            [this] { std::fill(std::begin(TOF_filterState), std::end(TOF_filterState), 0); });
}

void MainWindow::TOFOpen_triggered()
{
    Serial_openOrClose(SerialTab::Tof);
}

void MainWindow::TOFsetsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Tof, enable);
}

void MainWindow::readTOFCom(QByteArray data)
{
    const QStringList lines = TOF_rxText.feed(data);
    for (const QString& line : lines)
        TOFprocessFrame(line.toUtf8());
}

void MainWindow::TOFprocessFrame(const QByteArray& line)
{
    const int n = TofFrame::decode(line, ui->TOFTYPEcomboBox->currentIndex(),
                                   ui->TOFFilterComboBox->currentIndex(), TOF_pixels, TOF_filterState);
    if (n < 0)
        return;
    TOF_view->showFrame(TOF_pixels.first(n));
}

void MainWindow::TOFchangeArrangement()
{
    TOF_view->flush(); // a frame still waiting belongs to the old arrangement
    const TofFrame::Arrangement a = TofFrame::arrangementFromText(ui->TOFArrangementcomboBox->currentText());
    std::fill(std::begin(TOF_filterState), std::end(TOF_filterState), 0);
    bool ok = false;
    int range = ui->TOFRangeComboBox->currentText().toInt(&ok);
    if (!ok || range < 1)
        range = TofScale::defaultRange;
    TOF_view->surface->changeArrangement(a.code);
    TOF_view->data->changeArrangement(a.code);
    TOF_view->heatmap->changeArrangement(a.height, a.width);
    TOF_view->data->range = range;
    TOF_view->surface->setYRange(range);
    TOF_view->heatmap->range = range;
}

void MainWindow::onTOFTYPEComboBoxChanged(int index)
{
    ui->TOFArrangementcomboBox->clear();
    if (index >= 0 && index <= 2)
        ui->TOFFilterComboBox->hide();
    else if (index == 3)
        ui->TOFFilterComboBox->show();
    ui->TOFArrangementcomboBox->addItems(TofFrame::arrangementsForType(index));
    TOFchangeArrangement();
}

void MainWindow::onTOFChartComboBoxChanged(int index)
{
    TOF_view->change(index);
}

void MainWindow::TOFactionClear_triggered()
{
    ui->TOF_StrTextBrowser->clear();
}

void MainWindow::TOF_rearrange_image(const int* in, int* out)
{
    TofFrame::rearrangeImage(in, out);
}

int MainWindow::TOF_get8829CorrectedIndex(int index, int width)
{
    return TofFrame::tmf8829CorrectedIndex(index, width);
}

void MainWindow::TOFmirrorPixels(QList<int>& list, int rows, int width)
{
    TofFrame::mirrorRows(list, rows, width);
}
