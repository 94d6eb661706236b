#include "app/mainwindow.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "sensors/cie_reading.h"
#include "sensors/quenlix_cie_widget.h"
#include "sensors/quenlix_cieplot.h"

void MainWindow::CIE_Init_Start()
{
    CIE_widget = new quenlix_cie_widget(this);
    ui->gridLayout_cie->addWidget(CIE_widget);
    CIE_rxText.clear();
    connect(ui->CIEopencompushButton, SIGNAL(pressed()), this, SLOT(CIEOpen_triggered()));
    connect(ui->CIE_Clear_pushButton, SIGNAL(pressed()), this, SLOT(CIEactionClear_triggered()));
    ui->CIEopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    ui->CIE_StrTextBrowser->setReadOnly(true);
    ui->CIE_StrTextBrowser->hide();
    ui->CIE_Clear_pushButton->hide();
}

void MainWindow::CIEOpen_triggered()
{
    Serial_openOrClose(SerialTab::Cie);
}

void MainWindow::CIEsetsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Cie, enable);
}

void MainWindow::readCIECom(QByteArray data)
{
    const QStringList lines = CIE_rxText.feed(data);
    for (const QString& line : lines)
        CIE_extractValuesFromQString(line);
}

void MainWindow::CIE_extractValuesFromQString(const QString& line)
{
    const CieReading r = CieReading::parse(line);
    CIE_widget->plot->plotPoint(r.x, r.y, r.lux, r.cct);
}

void MainWindow::CIEactionClear_triggered()
{
    ui->CIE_StrTextBrowser->clear();
}
