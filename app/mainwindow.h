#pragma once

#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QMetaObject>
#include <QPointF>
#include <QPointer>
#include <QSerialPortInfo>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include "app/aboutdialog.h"
#include "app/toolswitches.h"
#include "gps/nmea.h"

class Callout;
class GPS_Signal;
class MWaveView;
class QBarCategoryAxis;
class QBarSet;
class QChart;
class QPolarChart;
class QScatterSeries;
class QStackedBarSeries;
class QValueAxis;
class Ui_GPScalculate;
class Ui_GPSsignal;
struct ConfigState;
class LineFileSender;
class QComboBox;
class QDialog;
class QEvent;
class QPushButton;
class QRadioButton;
class QResizeEvent;
class QSettings;
class QTcpServer;
class QTcpSocket;
class QTimer;
class QUdpSocket;
class QWebEngineView;
class ThreadSerial;
class Ui_Config;
class Ui_Help;
class Ui_COM_Expand;
class Ui_MainWindow;

// The one window of the program. Every tool is a group of members below, one
// section per tool in tab order; each group is defined in its tool's own folder.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- Shell: frame, settings and tool switches (app/) ----
    Ui_MainWindow* ui = nullptr;
    AboutDialog aboutDialog;
    QSettings* settings = nullptr;
    QString toolKeys[ToolSwitches::toolCount];
    int toolSwitches[ToolSwitches::toolCount] = {};
    int toolCount = 0;
    QWebEngineView* webView = nullptr;
    bool helpOpen = false;
    // Titles of the tools whose start-up ran, in the order they ran.
    QStringList startedTools;

    int Config();
    void startInit();

    // Preferences dialog: at most one at a time; its form goes with it.
    QPointer<QDialog> configDialog;
    Ui_Config* configUi = nullptr;
    void configToggle(int tool);
    void configShowState(const ConfigState& state);

    // Help dialog: valid while helpOpen is true.
    QDialog* helpDialog = nullptr;
    Ui_Help* helpUi = nullptr;

public slots:
    void slotActConfigOK();
    void Config_COM_ON_OFF_triggered();
    void Config_UDP_ON_OFF_triggered();
    void Config_TCP_ON_OFF_triggered();
    void Config_GPS_ON_OFF_triggered();
    void Config_GSM_ON_OFF_triggered();
    void Config_UNICODE_ON_OFF_triggered();
    void Config_Envir_ON_OFF_triggered();
    void Config_Crypty_ON_OFF_triggered();
    void Config_Oscilloscope_ON_OFF_triggered();
    void Config_MQTT_ON_OFF_triggered();
    void Config_BLE_ON_OFF_triggered();
    void Config_Spectra_ON_OFF_triggered();
    void Config_Convert_ON_OFF_triggered();
    void Config_I2CDUMP_ON_OFF_triggered();
    void Config_TOF_ON_OFF_triggered();
    void Config_MODBUS_ON_OFF_triggered();
    void Config_HEXTOOLS_ON_OFF_triggered();
    void Config_CIE_ON_OFF_triggered();
    void Config_IMU_ON_OFF_triggered();
    void slothelpdialogclose();
    void slotActionCheck_Updateclose();

public:
    // ---- Shared serial port and port scan (serial/) ----
    ThreadSerial* Serial_thread = nullptr;
    bool Serial_isOpen = false;
    QTimer* Serial_scanTimer = nullptr;

    void SerialSacn();

    // The eleven tabs that share the port, in tab order.
    enum class SerialTab { Com, Gps, Gsm, Env, Osc, Spectra, I2cdump, Tof, Modbus, Cie, Imu };
    static constexpr int serialTabCount = 11;
    // One tab's row of the open/close and lock tables.
    struct SerialTabControls {
        QComboBox* portList = nullptr;
        QComboBox* baudList = nullptr;
        QPushButton* openButton = nullptr;
        QComboBox* dataBits = nullptr; // null: 8 data bits, no parity, one stop bit
        QComboBox* parity = nullptr;
        QComboBox* stopBits = nullptr;
        QRadioButton* modeRadios[2] = {nullptr, nullptr};
        const char* receiveSlot = nullptr; // null: the tab reads the port itself
        void (MainWindow::*openSlot)() = nullptr;
        void (MainWindow::*lockMember)(bool) = nullptr;
    };
    enum class SerialOpenResult { NoPort, Opened, Failed };

    SerialTabControls Serial_tabControls(SerialTab tab) const;
    // Open path and close path shared by every serial tab.
    void Serial_openOrClose(SerialTab tab);
    SerialOpenResult Serial_open(SerialTab tab);
    void Serial_close(SerialTab tab);
    // The lock family: locks (false) or unlocks (true) the port settings of every
    // tab and the Open buttons of all tabs but the holder.
    void Serial_setLocked(SerialTab holder, bool enable);
    // One scan pass against a list of available port names (tests feed pty paths here).
    void Serial_applyScan(const QStringList& available);
    void Serial_portFailed(ThreadSerial* worker, SerialTab tab, const QString& errorText);
    static void Serial_release(ThreadSerial* worker);

    // ---- Serial terminal (serial/) ----
    QTimer* COM_sendTimer = nullptr;
    int COM_sendInterval = 0;
    bool COM_expandOpen = false;
    QMetaObject::Connection COM_dtrConnection;
    QMetaObject::Connection COM_rtsConnection;
    QDialog* COM_expandDialog = nullptr;
    Ui_COM_Expand* COM_expandUi = nullptr;
    QStringDecoder COM_decoder{QStringDecoder::Utf8};
    LineFileSender* COM_fileSender = nullptr;
    // Cuts the preset dialog off from this window before the window's children
    // go, so its destroyed() never reaches a half-destroyed window.
    struct COM_ExpandGuard {
        MainWindow* window;
        ~COM_ExpandGuard();
    } COM_expandGuard{this};

    void Serial_Init_Start();
    bool COM_isValidHex(const QString& token);
    void setComboBoxEnabled(bool enable);
    void COM_afterOpen(SerialOpenResult result);
    void COM_beforeClose();
    void COM_renamePreset(int preset);
    void COM_sendPreset(int preset);
    void COM_showWriteResult(qint64 written, qint64 size);

public slots:
    void actionOpen_triggered();
    void readCom(QByteArray data);
    void sendmsgBtn_clicked();
    void obocheckBox_clicked();
    void delayspinBox_valueChanged(int value);
    void COMHideHex_pushButton_clicked();
    void actionClearBytes_triggered();
    void actionCleanData_triggered();
    void cleanSendData_clicked();
    void actionSave_triggered();
    void actionLoadfile_triggered();
    void actionSendfile_triggered();
    void slotCom_expand();
    void slotCom_expandclose();
    void command_sendMsg(QByteArray command);
    void slotCOM_expandsave();
    void slotcom_set_pushButton();
    void slotcom_set_pushButton_2();
    void slotcom_set_pushButton_3();
    void slotcom_set_pushButton_4();
    void slotcom_set_pushButton_5();
    void slotcom_set_pushButton_6();
    void slotcom_set_pushButton_7();
    void slotcom_set_pushButton_8();
    void slotcom_set_pushButton_9();
    void slotcom_set_pushButton_10();
    void slotcom_set_pushButton_11();
    void slotcom_set_pushButton_12();
    void slotcom_pushButton();
    void slotcom_pushButton_2();
    void slotcom_pushButton_3();
    void slotcom_pushButton_4();
    void slotcom_pushButton_5();
    void slotcom_pushButton_6();
    void slotcom_pushButton_7();
    void slotcom_pushButton_8();
    void slotcom_pushButton_9();
    void slotcom_pushButton_10();
    void slotcom_pushButton_11();
    void slotcom_pushButton_12();

public:

    // ---- UDP terminal (network/) ----
    QTimer* UDP_sendTimer = nullptr;
    int UDP_sendInterval = 0;
    bool UDP_isOpen = false;

    void getLocalIP();
    void UDP_Init_Start();

    // ---- TCP terminal (network/) ----
    QTimer* TCP_sendTimer = nullptr;
    int TCP_sendInterval = 0;
    bool TCP_isOpen = false;
    QList<QTcpSocket*> TCP_serverClients;

    void TCP_Init_Start();

    // ---- GPS console (gps/) ----
    QTcpServer* GPS_tcpServer = nullptr;
    QList<QTcpSocket*> GPS_tcpClients;
    QByteArray GPS_tcpBuffer;
    int GPS_tcpOpen = 0;
    QWebEngineView* GPS_mapView = nullptr;
    int GPS_mapType = 0;
    QMetaObject::Connection GPS_mapConnection;
    QByteArray GPS_rxBuffer;
    QStringDecoder GPS_decoder{QStringDecoder::Utf8};
    nmea_msg GPS_nmea;
    int GPS_fixValid = 0;
    qint64 GPS_lastMapUpdate = 0;
    // Calculator dialog: valid while GPS_calculateOpen is true.
    bool GPS_calculateOpen = false;
    QDialog* GPS_calculateDialog = nullptr;
    Ui_GPScalculate* GPS_calculateUi = nullptr;
    // Satellite dialog and its worker: valid while GPS_signalOpen is true.
    bool GPS_signalOpen = false;
    bool GPS_signalBusy = false;
    QDialog* GPS_signalDialog = nullptr;
    Ui_GPSsignal* GPS_signalUi = nullptr;
    GPS_Signal* GPS_signalThread = nullptr;
    QList<QMetaObject::Connection> GPS_signalConnections;
    Callout* GPS_signalCallout = nullptr;
    QPolarChart* GPS_skyChart = nullptr;
    QValueAxis* GPS_skyRadialAxis = nullptr;
    QValueAxis* GPS_skyAngularAxis = nullptr;
    // Indexed by PRN; a PRN is 8 bits wide, so every reported one has a place.
    static constexpr int GPS_skySize = 256;
    QScatterSeries* GPS_skySeries[GPS_skySize] = {};
    bool GPS_skyDrawn[GPS_skySize] = {};
    // One bar chart per constellation code 1..5 (index 0 unused).
    struct GPS_SignalGroup {
        QList<double> values;
        QStringList categories;
        QChart* chart = nullptr;
        QStackedBarSeries* series = nullptr;
        QBarCategoryAxis* axis = nullptr;
        QBarSet* set = nullptr;
    };
    GPS_SignalGroup GPS_signalGroups[6];
    // Closes the satellite dialog and joins its worker before the window's children go.
    struct GPS_DialogGuard {
        MainWindow* window;
        ~GPS_DialogGuard();
    } GPS_dialogGuard{this};

    void GPS_Init_Start();
    void GPSsetComboBoxEnabled(bool enable);
    QByteArray GPS_Analysis_Data_Process(QByteArray chunk);
    void GPS_Analysis(nmea_msg* msg, char* sentence);
    void NMEA_GxRMC_Data(nmea_msg* msg, char* sentence);
    void NMEA_GxGSV_Data(char* sentence);
    void NMEA_GxGGA_Data(char* sentence);
    void NMEA_GxGSA_Data(char* sentence);
    void NMEA_GPVTG_Data(char* sentence);
    double GPS_calculation_value_double(char* sentence, int field);
    char GPS_calculation_value_string(char* sentence, int field);
    bool GPSTCP_Server_WorkOpen();
    void GPSTCP_Server_WorkClose();
    void GPSTCP_Server_ReadLine(const QByteArray& line);
    void GPSSavefile(QString latitude, QString longitude);
    void GPS_runJavaScript(const QString& script);
    void GPS_moveMap(const QString& latitude, const QString& longitude, bool centre);
    void GPS_Signaltip_Setting(nmea_slmsg record);
    void GPS_signalBuildCharts();
    void GPS_signalStopWorker();

signals:
    void GPS_Signal_Data_Over(char* sentence);
    void GPS_GUI_Wait_Data_Over(bool wait);
    void GPS_Signal_Map(bool centre);

public slots:
    void GPSactionOpen_triggered();
    void readGPSCom(QByteArray data);
    void GPSPortModeChanged();
    void GPSCleanData_triggered();
    void GPSTCPopencompushButton_triggered();
    void GPSupdateserver();
    void GPSupdateSendStatus();
    void GPSTCP_Server_ReadMessage();
    void GPS_MAP(bool centre);
    void GPSsearchdriving_triggered();
    void GPStrochoidpushButton_triggered();
    void slotGPScalculate();
    void slotgpscalculatedialogclose();
    void GPScalculate_triggered();
    void GPSLatLong_Conversions_UTM_triggered();
    void GPSUTM_Conversions_LatLong_triggered();
    void slotGPSsignal();
    void slotgpssignaldialogclose();
    void GPS_SignalSetbuf(nmea_slmsg* records);
    void GPS_SignaltipSlot(QPointF point, bool state);

public:

    // ---- GSM console (gsm/) ----
    int GSM_tcpOpen = 0;

    void GSM_Init_Start();
    void GSMsetComboBoxEnabled(bool enable);

public slots:
    void GSMactionOpen_triggered();
    void GSMreadMyCom(QByteArray data);

public:

    // ---- Unicode tab (tools/) ----
    void Unicode_Init_Start();

public slots:
    void actionStoUpushButton_triggered();
    void actionUtoSpushButton_triggered();
public:

    // ---- Environment console (sensors/) ----
    void ENVironment_Init_Start();
    void ENVsetComboBoxEnabled(bool enable);

public slots:
    void ENVactionOpen_triggered();
    void readENVCom(QByteArray data);

public:

    // ---- Crypty tab (tools/) ----
    void Crypty_Init_Start();

public slots:
    bool DesEncryption_triggered();
    bool DesDecryption_triggered();
    void DEScomboBox_triggered(int index);
    void DeslineEdit_Data_triggered(const QString& text);
    void DeslineEdit_KEY_triggered(const QString& text);
    void base64_encode();
    void base64_decode();
public:
    bool Crypty_runDes(bool encrypt);

    // ---- Oscilloscope console (sensors/) ----
    MWaveView* OSC_waveView = nullptr;

    void Oscilloscope_Init_Start();
    void OSCsetComboBoxEnabled(bool enable);

public slots:
    void OscilloscopeOpen_triggered();
    void readOSCCom(QByteArray data);

public:

    // ---- MQTT client (protocols/) ----
    bool MQTT_isConnected = false;

    void Mqtt_Init_Start();

    // ---- Spectrometer console (sensors/) ----
    void Spectra_Init_Start();
    void SpectrasetsetComboBoxEnabled(bool enable);

public slots:
    void SpectraOpen_triggered();
    void readSpectraCom(QByteArray data);

public:

    // ---- I2C dump console (sensors/) ----
    bool I2Cdump_readOpen = false;
    bool I2Cdump_writeOpen = false;

    void I2Cdump_Init_Start();
    void i2cdumpsetsetComboBoxEnabled(bool enable);

public slots:
    void I2CdumpOpen_triggered();
    void readi2cdumpCom(QByteArray data);

public:

    // ---- Time-of-flight console (sensors/) ----
    void TOF_Init_Start();
    void TOFsetsetComboBoxEnabled(bool enable);

public slots:
    void TOFOpen_triggered();
    void readTOFCom(QByteArray data);

public:

    // ---- Modbus master (protocols/) ----
    void Modbus_Init_Start();
    void ModbussetsetComboBoxEnabled(bool enable);

public slots:
    void ModbusOpen_triggered();

public:

    // ---- CIE colour console (sensors/) ----
    void CIE_Init_Start();
    void CIEsetsetComboBoxEnabled(bool enable);

public slots:
    void CIEOpen_triggered();
    void readCIECom(QByteArray data);

public:

    // ---- IMU console (sensors/) ----
    void IMU_Init_Start();
    void imusetsetComboBoxEnabled(bool enable);

public slots:
    void IMUOpen_triggered();
    void readimuCom(QByteArray data);

public:

public slots:
    // ---- Shell ----
    void on_actionExit_triggered();
    void on_actionAbout_triggered();
    void on_actionHelp_triggered();
    void slotActionConfig();
    void slotActionCheck_Update();
    void setStyleSheets(QString qssFile);
    void msleep(int ms);

    // ---- Shared serial port and port scan ----
    QList<QSerialPortInfo> getFilteredSerialPorts();
    void SerialSacn_new();
    void stop_SerialSacn_new();
    bool testUart(QString uart) const;

    // ---- Serial terminal ----
    void sendMsg();

    // ---- UDP terminal ----
    void UDP_sendMsg();

protected:
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void startTool(const QString& title);
};
