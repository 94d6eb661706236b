#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QMetaObject>
#include <QPoint>
#include <QPointer>
#include <QSerialPortInfo>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include "app/aboutdialog.h"
#include "app/toolswitches.h"
#include "protocols/mqttclient.h"
#include "sensors/lineassembler.h"
#include "sensors/tof_frame.h"

class MWaveView;
class quenlix_tof;
class quenlix_spectroscopy;
class quenlix_i2c_tools;
class Ui_I2CDump_ReadREG;
class Ui_I2CDump_WriteREG;
class quenlix_cie_widget;
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
class WebSocketIODevice;
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
    int GPS_mapType = 0;
    bool GPS_calculateOpen = false;
    bool GPS_signalOpen = false;
    int GPS_fixValid = 0;
    int GPS_tcpOpen = 0;
    qint64 GPS_lastMapUpdate = 0;

    void GPS_Init_Start();
    void GPSsetComboBoxEnabled(bool enable);

public slots:
    void GPSactionOpen_triggered();
    void readGPSCom(QByteArray data);

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
    static constexpr int MqttLogMaxLines = 10000;
    bool MQTT_isConnected = false;
    MqttClient* MQTT_client = nullptr;
    WebSocketIODevice* MQTT_webSocket = nullptr;
    // Client signals and the Subscribe/Publish buttons, attached per connection.
    QList<QMetaObject::Connection> MQTT_clientLinks;
    // The WebSocket's disconnected/error and the device's socketConnected.
    QList<QMetaObject::Connection> MQTT_socketLinks;

    void Mqtt_Init_Start();
    void MQTT_Connect();
    void MQTT_startOverWebSocket();
    void MQTT_attachClient();
    void MQTT_detach(QList<QMetaObject::Connection>& links);
    void MQTT_setIdle();
    void MQTT_releaseConnection();

public slots:
    void actionMQTT_Open_triggered();
    void MQTT_Get_Status(MqttClient::ClientState state);
    void Quenlix_Mqtt_onMessage(const QByteArray& message, const MqttTopicName& topic);
    void Quenlix_Mqtt_on_sub_clicked();
    void Quenlix_Mqtt_on_pub_clicked();
    void onWebSocketDisconnected();
    void onWebSocketError(QAbstractSocket::SocketError error);
    void actionMQTT_Save_triggered();
    void MQTT_slot_textmenu(QPoint pos);
    void MQTT_Sub_Edit_Clear();

public:
    // ---- Spectrometer console (sensors/) ----
    static constexpr int SpectraLogMaxLines = 10000;
    quenlix_spectroscopy* Spectra_view = nullptr;
    // Lines for the log (cut at line feeds) and for the readings (cut at CR LF).
    LineAssembler Spectra_rxBuffer{QStringLiteral("\n")};
    LineAssembler Spectra_rxText;

    void Spectra_Init_Start();
    void SpectrasetsetComboBoxEnabled(bool enable);

public slots:
    void SpectraOpen_triggered();
    void readSpectraCom(QByteArray data);
    void extractValuesFromQString(const QString& text);
    void onSpectraTYPEComboBoxChanged(int index);
    void onSpectraportChartComboBoxChanged(int index);
    void onSpectracheckBoxChanged(int state);
    void Spectra_pushButton_Clear_Log_triggered();

public:

    // ---- I2C dump console (sensors/) ----
    quenlix_i2c_tools* I2Cdump_tools = nullptr;
    QDialog* I2Cdump_readDialog = nullptr;
    QDialog* I2Cdump_writeDialog = nullptr;
    Ui_I2CDump_ReadREG* I2Cdump_readUi = nullptr;
    Ui_I2CDump_WriteREG* I2Cdump_writeUi = nullptr;
    bool I2Cdump_readOpen = false;
    bool I2Cdump_writeOpen = false;
    // Register of the last read request, printed with the read reply.
    int I2Cdump_lastReadRegister = 0;
    // Frames go to the adapter only while this tab holds the shared port.
    bool I2Cdump_holdsPort = false;
    // Cuts the open dialogs off from this window before the window's children go.
    struct I2Cdump_DialogGuard {
        MainWindow* window;
        ~I2Cdump_DialogGuard();
    } I2Cdump_dialogGuard{this};

    void I2Cdump_Init_Start();
    void i2cdumpsetsetComboBoxEnabled(bool enable);
    void I2Cdump_sendFrame(const QByteArray& frame);
    void I2Cdump_setActionsEnabled(bool enable);
    void I2Cdump_appendLog(const QString& text);
    QDialog* I2Cdump_makeDialog(const char* closedSlot);

public slots:
    void I2CdumpOpen_triggered();
    void readi2cdumpCom(QByteArray data);
    void I2CdumpactionScanf_triggered();
    void I2Cdump_Stop();
    void I2Cdump_Setaddr(int address);
    void slotI2Cdump_read_ui();
    void I2Cdump_Read();
    void slotI2Cdump_read_ui_dialogclose();
    void slotI2Cdump_write_ui();
    void I2Cdump_Send();
    void slotI2Cdump_write_ui_dialogclose();
    void I2Cdump_printscanf(QByteArray addresses);
    void I2Cdump_printread(QByteArray data);
    void I2CdumpactionClear_triggered();

public:

    // ---- Time-of-flight console (sensors/) ----
    LineAssembler TOF_rxText;
    quenlix_tof* TOF_view = nullptr;
    // Pixels in image order, always TofFrame::maxZones entries; frames write them in place.
    QList<int> TOF_pixels;
    // Last filtered value per zone of the VL53L9 filter; 0 is no history.
    int TOF_filterState[TofFrame::maxZones] = {};

    void TOF_Init_Start();
    void TOFsetsetComboBoxEnabled(bool enable);
    void TOFprocessFrame(const QByteArray& line);
    void TOF_rearrange_image(const int* in, int* out);
    int TOF_get8829CorrectedIndex(int index, int width);
    void TOFmirrorPixels(QList<int>& list, int rows, int width);

public slots:
    void TOFOpen_triggered();
    void readTOFCom(QByteArray data);
    void TOFchangeArrangement();
    void onTOFTYPEComboBoxChanged(int index);
    void onTOFChartComboBoxChanged(int index);
    void TOFactionClear_triggered();

public:

    // ---- Modbus master (protocols/) ----
    void Modbus_Init_Start();
    void ModbussetsetComboBoxEnabled(bool enable);

public slots:
    void ModbusOpen_triggered();

public:

    // ---- CIE colour console (sensors/) ----
    LineAssembler CIE_rxText;
    quenlix_cie_widget* CIE_widget = nullptr;

    void CIE_Init_Start();
    void CIEsetsetComboBoxEnabled(bool enable);
    void CIE_extractValuesFromQString(const QString& line);

public slots:
    void CIEOpen_triggered();
    void readCIECom(QByteArray data);
    void CIEactionClear_triggered();

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
