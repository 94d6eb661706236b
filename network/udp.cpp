#include "app/mainwindow.h"

#include <QComboBox>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QTcpServer>

#include "app/mainwindow_form.h"

void MainWindow::getLocalIP()
{
    for (const QHostAddress& address : QNetworkInterface::allAddresses())
        ui->GPSTCPServerIPcomboBox->addItem(address.toString());
    GPS_tcpServer = new QTcpServer(this);
    GPS_tcpClients.clear();
}

void MainWindow::UDP_Init_Start() {}

void MainWindow::UDP_sendMsg() {}
