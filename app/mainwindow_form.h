#pragma once

#include "app/more_form.h"
#include "gps/gps_form.h"
#include "gsm/gsm_form.h"
#include "network/tcp_form.h"
#include "network/udp_form.h"
#include "protocols/ble_form.h"
#include "protocols/modbus_form.h"
#include "protocols/mqtt_form.h"
#include "sensors/cie_form.h"
#include "sensors/environment_form.h"
#include "sensors/i2cdump_form.h"
#include "sensors/imu_form.h"
#include "sensors/oscilloscope_form.h"
#include "sensors/spectra_form.h"
#include "sensors/tof_form.h"
#include "serial/com_form.h"
#include "tools/convert_form.h"
#include "tools/crypty_form.h"
#include "tools/hextools_form.h"
#include "tools/unicode_form.h"

#include <QAction>
#include <QGridLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QWidget>

// The main window form: window properties, actions, menus, status bar and the tab
// widget with its twenty pages. Each page's widgets come from its tool's own form
// class, so every widget is still reached as ui->objectName.
class Ui_MainWindow : public Ui_ComForm,
                      public Ui_UdpForm,
                      public Ui_TcpForm,
                      public Ui_GpsForm,
                      public Ui_GsmForm,
                      public Ui_UnicodeForm,
                      public Ui_EnvironmentForm,
                      public Ui_CryptyForm,
                      public Ui_OscilloscopeForm,
                      public Ui_MqttForm,
                      public Ui_BleForm,
                      public Ui_SpectraForm,
                      public Ui_ConvertForm,
                      public Ui_I2cdumpForm,
                      public Ui_TofForm,
                      public Ui_ModbusForm,
                      public Ui_HextoolsForm,
                      public Ui_CieForm,
                      public Ui_ImuForm,
                      public Ui_MoreForm
{
public:
    QAction* actionExit = nullptr;
    QAction* actionAbout = nullptr;
    QAction* actionConfig = nullptr;
    QAction* actionCheck_Update = nullptr;
    QAction* actionHelp = nullptr;
    QWidget* centralWidget = nullptr;
    QGridLayout* gridLayout_8 = nullptr;
    QTabWidget* tabWidget = nullptr;
    QStatusBar* statusBar = nullptr;
    QMenuBar* menuBar = nullptr;
    QMenu* menu = nullptr;
    QMenu* menu_2 = nullptr;

    void setupUi(QMainWindow* MainWindow);
    void retranslateUi(QMainWindow* MainWindow);
};
