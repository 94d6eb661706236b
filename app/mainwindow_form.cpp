#include "app/mainwindow_form.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QGridLayout>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QStatusBar>
#include <QTabWidget>

#include "app/formkit.h"

namespace {

QAction* makeAction(QMainWindow* window, const char* name)
{
    auto* action = new QAction(window);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

void Ui_MainWindow::setupUi(QMainWindow* MainWindow)
{
    if (MainWindow->objectName().isEmpty())
        MainWindow->setObjectName("MainWindow");
    MainWindow->resize(915, 750);
    MainWindow->setMinimumSize(915, 750);
    QFont font;
    font.setFamily(QStringLiteral("Times New Roman"));
    font.setPointSize(9);
    MainWindow->setFont(font);
    MainWindow->setContextMenuPolicy(Qt::NoContextMenu);
    MainWindow->setWindowIcon(QIcon(QStringLiteral(":/images/logo.ico")));

    actionExit = makeAction(MainWindow, "actionExit");
    actionAbout = makeAction(MainWindow, "actionAbout");
    actionConfig = makeAction(MainWindow, "actionConfig");
    actionCheck_Update = makeAction(MainWindow, "actionCheck_Update");
    actionHelp = makeAction(MainWindow, "actionHelp");

    centralWidget = new QWidget(MainWindow);
    centralWidget->setObjectName("centralWidget");
    gridLayout_8 = new QGridLayout(centralWidget);
    gridLayout_8->setSpacing(6);
    gridLayout_8->setContentsMargins(11, 11, 11, 11);
    gridLayout_8->setObjectName("gridLayout_8");
    tabWidget = new QTabWidget(centralWidget);
    tabWidget->setObjectName("tabWidget");
    tabWidget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    tabWidget->setLayoutDirection(Qt::LeftToRight);
    tabWidget->setStyleSheet(QString());
    tabWidget->setTabPosition(QTabWidget::West);

    setupComForm();
    tabWidget->addTab(serial, QString());
    setupUdpForm();
    tabWidget->addTab(udp, QString());
    setupTcpForm();
    tabWidget->addTab(tcp, QString());
    setupGpsForm();
    tabWidget->addTab(gps, QString());
    setupGsmForm();
    tabWidget->addTab(gsm, QString());
    setupUnicodeForm();
    tabWidget->addTab(Unicode, QString());
    setupEnvironmentForm();
    tabWidget->addTab(environment, QString());
    setupCryptyForm();
    tabWidget->addTab(Crypty, QString());
    setupOscilloscopeForm();
    tabWidget->addTab(Oscilloscope, QString());
    setupMqttForm();
    tabWidget->addTab(Mqtt, QString());
    setupBleForm();
    tabWidget->addTab(ble, QString());
    setupSpectraForm();
    tabWidget->addTab(spectra, QString());
    setupConvertForm();
    tabWidget->addTab(Convert, QString());
    setupI2cdumpForm();
    tabWidget->addTab(i2cdump, QString());
    setupTofForm();
    tabWidget->addTab(TOF, QString());
    setupModbusForm();
    tabWidget->addTab(Modbus, QString());
    setupHextoolsForm();
    tabWidget->addTab(hextools, QString());
    setupCieForm();
    tabWidget->addTab(CIE, QString());
    setupImuForm();
    tabWidget->addTab(tab_3, QString());
    setupMoreForm();
    tabWidget->addTab(tab_2, QString());

    gridLayout_8->addWidget(tabWidget, 1, 0, 1, 1);
    MainWindow->setCentralWidget(centralWidget);

    statusBar = new QStatusBar(MainWindow);
    statusBar->setObjectName("statusBar");
    MainWindow->setStatusBar(statusBar);
    menuBar = new QMenuBar(MainWindow);
    menuBar->setObjectName("menuBar");
    menuBar->setGeometry(QRect(0, 0, 915, 27));
    menu = new QMenu(menuBar);
    menu->setObjectName("menu");
    menu_2 = new QMenu(menuBar);
    menu_2->setObjectName("menu_2");
    MainWindow->setMenuBar(menuBar);
    menuBar->addAction(menu->menuAction());
    menuBar->addAction(menu_2->menuAction());
    menu->addAction(actionConfig);
    menu->addAction(actionExit);
    menu_2->addAction(actionCheck_Update);
    menu_2->addAction(actionHelp);
    menu_2->addAction(actionAbout);

    retranslateUi(MainWindow);

    tabWidget->setCurrentIndex(0);
    for (QComboBox* baud : {baudRateComboBox, GPSbaudRateComboBox, OSCbaudRateComboBox,
                            SpectrabaudRateComboBox, i2cdumpbaudRateComboBox, TOFbaudRateComboBox,
                            ModbusbaudRateComboBox, CIEbaudRateComboBox, imubaudRateComboBox})
        baud->setCurrentIndex(8);
    GSMbaudRateComboBox->setCurrentIndex(2);
    ENVbaudRateComboBox->setCurrentIndex(2);
    dataBitsComboBox->setCurrentIndex(3);
    ModbusdataBitsComboBox->setCurrentIndex(3);

    QMetaObject::connectSlotsByName(MainWindow);
}

void Ui_MainWindow::retranslateUi(QMainWindow* MainWindow)
{
    MainWindow->setWindowTitle(FormKit::tr("Quenlix -- PLAX"));
    actionExit->setText(FormKit::tr("Exit"));
    actionExit->setStatusTip(FormKit::tr("Exit"));
    actionAbout->setText(FormKit::tr("About"));
    actionAbout->setStatusTip(FormKit::tr("About"));
    actionConfig->setText(FormKit::tr("Preferences"));
    actionCheck_Update->setText(FormKit::tr("Check Update"));
    actionHelp->setText(FormKit::tr("Help"));
    retranslateComForm();
    retranslateUdpForm();
    retranslateTcpForm();
    retranslateGpsForm();
    retranslateGsmForm();
    retranslateUnicodeForm();
    retranslateEnvironmentForm();
    retranslateCryptyForm();
    retranslateOscilloscopeForm();
    retranslateMqttForm();
    retranslateBleForm();
    retranslateSpectraForm();
    retranslateConvertForm();
    retranslateI2cdumpForm();
    retranslateTofForm();
    retranslateModbusForm();
    retranslateHextoolsForm();
    retranslateCieForm();
    retranslateImuForm();
    retranslateMoreForm();
    tabWidget->setTabText(tabWidget->indexOf(serial), FormKit::tr("Serial Debug"));
    tabWidget->setTabText(tabWidget->indexOf(udp), FormKit::tr("UDP Debug"));
    tabWidget->setTabText(tabWidget->indexOf(tcp), FormKit::tr("TCP Debug"));
    tabWidget->setTabText(tabWidget->indexOf(gps), FormKit::tr("GPS Debug"));
    tabWidget->setTabText(tabWidget->indexOf(gsm), FormKit::tr("GSM Debug"));
    tabWidget->setTabText(tabWidget->indexOf(Unicode), FormKit::tr("Unicode"));
    tabWidget->setTabText(tabWidget->indexOf(environment), FormKit::tr("Environment"));
    tabWidget->setTabText(tabWidget->indexOf(Crypty), FormKit::tr("Crypty"));
    tabWidget->setTabText(tabWidget->indexOf(Oscilloscope), FormKit::tr("Oscilloscope"));
    tabWidget->setTabText(tabWidget->indexOf(Mqtt), FormKit::tr("MQTT"));
    tabWidget->setTabText(tabWidget->indexOf(ble), FormKit::tr("Ble"));
    tabWidget->setTabText(tabWidget->indexOf(spectra), FormKit::tr("Spectra"));
    tabWidget->setTabText(tabWidget->indexOf(Convert), FormKit::tr("Convert"));
    tabWidget->setTabText(tabWidget->indexOf(i2cdump), FormKit::tr("i2cdump"));
    tabWidget->setTabText(tabWidget->indexOf(TOF), FormKit::tr("TOF"));
    tabWidget->setTabText(tabWidget->indexOf(Modbus), FormKit::tr("Modbus"));
    tabWidget->setTabText(tabWidget->indexOf(hextools), FormKit::tr("Hex"));
    tabWidget->setTabText(tabWidget->indexOf(CIE), FormKit::tr("CIE"));
    tabWidget->setTabText(tabWidget->indexOf(tab_3), FormKit::tr("IMU"));
    tabWidget->setTabText(tabWidget->indexOf(tab_2), FormKit::tr("More"));
    menu->setTitle(FormKit::tr("Edit(&E)"));
    menu_2->setTitle(FormKit::tr("About(&A)"));
}
