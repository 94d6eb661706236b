#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QMetaObject>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QSerialPortInfo>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QTextDecoder>

#include <memory>

#include "app/aboutdialog.h"
#include "app/guardeddialog.h"
#include "app/toolswitches.h"
#include "gps/nmea.h"
#include "gsm/atexchange.h"
#include "gsm/atreply.h"
#include "protocols/Quenlix_ModbusClient.h"
#include "protocols/mqttclient.h"
#include "sensors/envline.h"
#include "sensors/gbktext.h"
#include "sensors/lineassembler.h"
#include "sensors/tof_frame.h"
#include "serial/portscan.h"
#include "widgets/filechooser.h"

class Callout;
struct ConfigState;
class CThermometer;
class DashBoard;
class GPS_Signal;
class LineFileSender;
class MWaveView;
class ProgressBarPercent;
class ScreenRate;
class QBarCategoryAxis;
class QBarSet;
class QChart;
class QCheckBox;
class QComboBox;
class QDialog;
class QEvent;
class QLCDNumber;
class QPlainTextEdit;
class QPolarChart;
class QPushButton;
class QRadioButton;
class QResizeEvent;
class QScatterSeries;
class QSpinBox;
class QSettings;
class QStackedBarSeries;
class QTcpServer;
class QTcpSocket;
class QTimer;
class QUdpSocket;
class quenlix_3d_imu;
class quenlix_cie_widget;
class quenlix_i2c_tools;
class quenlix_spectroscopy;
class quenlix_tof;
class QValueAxis;
class QWebEngineView;
class ThreadSerial;
class Ui_COM_Expand;
class Ui_Config;
class Ui_GPScalculate;
class Ui_GPSsignal;
class Ui_Help;
class Ui_I2CDump_ReadREG;
class Ui_I2CDump_WriteREG;
class Ui_MainWindow;
class Ultraviolet;
class WebSocketIODevice;

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
    QWebEngineView* webView = nullptr; // made when "More" is first current
    // Titles of the tools whose start-up ran, in the order they ran.
    QStringList startedTools;

    int Config();
    void startInit();

    // Preferences dialog: at most one at a time; its form goes with it.
    GuardedDialog<Ui_Config> config;
    QDialog*& configDialog = config.dialog;
    Ui_Config*& configUi = config.form;
    void configToggle(int tool);
    void configShowState(const ConfigState& state);

    // Help dialog: valid while helpOpen is true.
    GuardedDialog<Ui_Help> help;
    bool& helpOpen = help.open;
    QDialog*& helpDialog = help.dialog;
    Ui_Help*& helpUi = help.form;

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
    // The rescan enumerates the ports only when these names changed.
    PortScan::DeviceNames Serial_deviceNames;

    void SerialSacn();
    // At exit: the worker cut off from the window, its port closed and the worker joined.
    void Serial_shutDown();

    // The eleven tabs that share the port, in tab order.
    enum class SerialTab { Com, Gps, Gsm, Env, Osc, Spectra, I2cdump, Tof, Modbus, Cie, Imu };
    static constexpr int serialTabCount = 11;
    // One tab's row of the open/close and lock tables.
    struct SerialTabControls
    {
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
        // Empties the tab's receive buffers once a port was named, whether it opened or not.
        void (MainWindow::*clearOnOpen)() = nullptr;
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

    // ---- The three terminals' shared controls (serial/terminals.cpp) ----
    // Asks for file names (Export, Import, Send File); tests put a fake here.
    std::unique_ptr<FileChooser> fileChooser = std::make_unique<FileChooser>();
    enum class Terminal { Com, Udp, Tcp };
    // One terminal's row of the controls table.
    struct TerminalControls
    {
        QPlainTextEdit* textView;
        QPlainTextEdit* hexView;
        QCheckBox* hexBox;
        QCheckBox* stampBox;
        QPlainTextEdit* sendBox;
        QPushButton* sendButton;
        QCheckBox* keepBox;
        QSpinBox* delayBox;
        QLCDNumber* sentCounter;
        QLCDNumber* receivedCounter;
        QTimer* sendTimer;
        int* sendInterval;
        void (MainWindow::*sendOnce)();
    };
    TerminalControls Terminal_controls(Terminal terminal);
    void Terminal_sendClicked(Terminal terminal);
    void Terminal_keepSendingToggled(Terminal terminal);
    void Terminal_setInterval(Terminal terminal, int ms);
    void Terminal_showHex(Terminal terminal);
    void Terminal_clearCounters(Terminal terminal);
    void Terminal_clearReceived(Terminal terminal);
    void Terminal_clearSend(Terminal terminal);
    void Terminal_export(Terminal terminal);
    void Terminal_import(Terminal terminal);

    // ---- Serial terminal (serial/) ----
    QTimer* COM_sendTimer = nullptr;
    int COM_sendInterval = 0;
    QMetaObject::Connection COM_dtrConnection;
    QMetaObject::Connection COM_rtsConnection;
    // The preset dialog ("Advanced").
    GuardedDialog<Ui_COM_Expand> COM_expand;
    bool& COM_expandOpen = COM_expand.open;
    QDialog*& COM_expandDialog = COM_expand.dialog;
    Ui_COM_Expand*& COM_expandUi = COM_expand.form;
    QStringDecoder COM_decoder{QStringDecoder::Utf8};
    LineFileSender* COM_fileSender = nullptr;

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
    QUdpSocket* UDP_sendSocket = nullptr;
    QUdpSocket* UDP_recvSocket = nullptr;

    void getLocalIP();
    void UDP_Init_Start();
    void UDP_setFieldsEnabled(bool enable);

public slots:
    void UDPopencompushButton_triggered();
    bool UDP_WorkOpen();
    void UDP_WorkClose();
    void UDPsendmsgBtn_clicked();
    void readUDP();
    void UDP_obocheckBox_clicked();
    void UDPdelayspinBox_valueChanged(int value);
    void UDPHideHex_pushButton_clicked();
    void actionClearBytes_UDP_triggered();
    void actionCleanData_UDP_triggered();
    void cleanSendData_UDP_clicked();
    void actionSave_UDP_triggered();
    void actionLoadfile_UDP_triggered();

public:
    // ---- TCP terminal (network/) ----
    QTimer* TCP_sendTimer = nullptr;
    int TCP_sendInterval = 0;
    bool TCP_isOpen = false;
    QList<QTcpSocket*> TCP_serverClients;
    QTcpServer* TCP_server = nullptr;
    QTcpSocket* TCP_clientSocket = nullptr;
    QString TCP_address;
    QString TCP_port;
    void TCP_Init_Start();
    void TCP_setStopped(const QString& status);
    void TCP_releaseClientSocket();
    void TCP_showChunk(QTcpSocket* socket, bool fromServer);
    void TCP_showRest(QTcpSocket* socket, bool fromServer);
    bool TCP_payload(QByteArray* payload);
    void TCP_sendOnce();
    void TCP_sendTo(QTcpSocket* socket, const QByteArray& payload);

public slots:
    void TCPopencompushButton_triggered();
    bool TCP_Server_WorkOpen();
    void TCP_Server_WorkClose();
    bool TCP_Client_WorkOpen();
    void TCP_ClientDisconnect();
    void displayError(QAbstractSocket::SocketError error);
    void TCP_updateserver();
    void TCP_updateSendStatus();
    void TCP_Server_ReadMessage();
    void TCP_Client_ReadMessage();
    void TCP_Server_WorkSendMessage();
    void TCP_Client_WorkSendMessage();
    void TCPsendmsgBtn_clicked();
    void TCP_obocheckBox_clicked();
    void TCPdelayspinBox_valueChanged(int value);
    void TCPHideHex_pushButton_clicked();
    void actionClearBytes_TCP_triggered();
    void actionCleanData_TCP_triggered();
    void cleanSendData_TCP_clicked();
    void actionSave_TCP_triggered();
    void actionLoadfile_TCP_triggered();

public:
    // ---- GPS console (gps/) ----
    QTcpServer* GPS_tcpServer = nullptr;
    QList<QTcpSocket*> GPS_tcpClients;
    QHash<QTcpSocket*, QByteArray> GPS_tcpBuffers; // each client's unfinished line
    int GPS_tcpOpen = 0;
    QWebEngineView* GPS_mapView = nullptr; // made when the tab is first current
    bool GPS_mapLoaded = false;
    // Map calls made before the page could run them; applied, in order, once it loaded.
    QStringList GPS_pendingScripts;
    static constexpr int GPS_pendingScriptCap = 3000;
    QStringList GPS_pendingMove; // the newest marker move asked for before the page loaded
    int GPS_mapType = 0;
    QMetaObject::Connection GPS_mapConnection;
    QByteArray GPS_rxBuffer;
    QStringDecoder GPS_decoder{QStringDecoder::Utf8};
    nmea_msg GPS_nmea;
    int GPS_fixValid = 0;
    qint64 GPS_lastMapUpdate = 0;
    // The TCP source's map moves reach the page one at a time, the newest waiting behind one.
    QElapsedTimer GPS_mapMoveSent; // valid while the page has not run the last move yet
    int GPS_mapMoveWaiting = -1;   // centre flag (0 or 1) of the move waiting, or -1
    // Calculator dialog: valid while GPS_calculateOpen is true.
    GuardedDialog<Ui_GPScalculate> GPS_calculate;
    bool& GPS_calculateOpen = GPS_calculate.open;
    QDialog*& GPS_calculateDialog = GPS_calculate.dialog;
    Ui_GPScalculate*& GPS_calculateUi = GPS_calculate.form;
    // Satellite dialog and its worker: valid while GPS_signalOpen is true.
    GuardedDialog<Ui_GPSsignal> GPS_signal;
    bool& GPS_signalOpen = GPS_signal.open;
    bool GPS_signalBusy = false;
    QDialog*& GPS_signalDialog = GPS_signal.dialog;
    Ui_GPSsignal*& GPS_signalUi = GPS_signal.form;
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
    struct GPS_SignalGroup
    {
        QList<double> values;
        QStringList categories;
        QChart* chart = nullptr;
        QStackedBarSeries* series = nullptr;
        QBarCategoryAxis* axis = nullptr;
        QBarSet* set = nullptr;
    };
    GPS_SignalGroup GPS_signalGroups[6];
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
    bool GPSTCP_Server_ReadLine(const QByteArray& line);
    void GPSTCP_Server_clientGone(QTcpSocket* client);
    void GPSSavefile(QString latitude, QString longitude);
    void GPS_createMap();
    void GPS_runJavaScript(const QString& script);
    void GPS_moveMap(const QString& latitude, const QString& longitude, bool centre);
    void GPS_moveMapPaced(bool centre);
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
    QByteArray GSM_rxBuffer;
    bool GSM_ringing = false;
    bool GSM_inCall = false;
    bool GSM_ringSeen = false;
    bool GSM_clipSeen = false;
    int GSM_tcpOpen = 0;
    int GSM_clipOn = 0;
    int GSM_ringerOn = 0;
    int GSM_smsTextMode = 0;
    // Unsolicited results an action's own reads took in, handed to the reader when it ends.
    QByteArray GSM_heldResults;
    // Decodes the GPRS link's text; kept across chunks so a character split between two survives.
    std::unique_ptr<QTextDecoder> GSM_linkDecoder;

    void GSM_Init_Start();
    void GSMsetComboBoxEnabled(bool enable);
    void GSMUI_EnDisable(bool on);
    void GSMsetReadComINT(bool on);
    void Phone_Status();
    // One AT transaction on the port the GSM tab holds now (see gsm/atexchange.h).
    AtExchange GSM_exchange();
    void GSM_setSwitchIcon(QPushButton* button, bool on);
    bool GSM_toggleSwitch(QPushButton* button, int& flag, const QByteArray& onCommand,
                          const QByteArray& offCommand, bool warnOnSilentOff);
    void GSM_keypad(char key);
    void GSM_dialOnce(const QByteArray& command, AtExchange& at);
    void GSM_dialWithRedial(const QByteArray& command, AtExchange& at);
    void GSM_showUnsolicited(const QList<AtReply::Unsolicited>& results);
    void GSM_replayHeldResults(bool samePort);
    void GSM_dialRefused();
    void GSM_setLinkGroupsEnabled(bool enabled);
    void GSM_linkClosed();
    QString GSM_askBoxNumber(const QString& title, const QString& label, bool* accepted);

public slots:
    void GSMactionOpen_triggered();
    void GSMreadMyCom(QByteArray data);
    void GSMGPRSreadMyCom(QByteArray data);
    void GSMTestSignalpushButton_triggered();
    void GSMLaidianKaiguanpushButton_triggered();
    void GSMLaidianYingKaiguanpushButton_triggered();
    void GSMDuanXinWenBenKaiguanpushButton_triggered();
    void GSMANJIANpushButton0_triggered();
    void GSMANJIANpushButton1_triggered();
    void GSMANJIANpushButton2_triggered();
    void GSMANJIANpushButton3_triggered();
    void GSMANJIANpushButton4_triggered();
    void GSMANJIANpushButton5_triggered();
    void GSMANJIANpushButton6_triggered();
    void GSMANJIANpushButton7_triggered();
    void GSMANJIANpushButton8_triggered();
    void GSMANJIANpushButton9_triggered();
    void GSMANJIANpushButton10_triggered();
    void GSMANJIANpushButton11_triggered();
    void GSMactionCleanNumData_triggered();
    void GSMguadianhuapushButton_triggered();
    void GSMbodianhuapushButton_triggered();
    void slotGSMtextBrowser();
    void GSMSendpushButton_triggered();
    void GSMReadTextpushButton_triggered();
    void GSMDelTextpushButton_triggered();
    void GSMDelALLTextpushButton_triggered();
    void GSMTCPopencompushButton_triggered();
    void GSMTCPsendmsgBtn_triggered();

public:
    // ---- Unicode tab (tools/) ----
    void Unicode_Init_Start();

public slots:
    void actionStoUpushButton_triggered();
    void actionUtoSpushButton_triggered();

public:
    // ---- Environment console (sensors/) ----
    ByteLineAssembler ENV_rxBuffer{QByteArrayLiteral("\r\n"), 4096};
    GbkTextDecoder ENV_logDecoder;
    ProgressBarPercent* ENV_humidityGauge = nullptr;
    CThermometer* ENV_temperatureGauge = nullptr;
    DashBoard* ENV_barometerGauge = nullptr;
    Ultraviolet* ENV_ultravioletGauge = nullptr;
    DashBoard* ENV_co2Gauge = nullptr;
    DashBoard* ENV_tvocGauge = nullptr;

    void ENVironment_Init_Start();
    void ENVsetComboBoxEnabled(bool enable);
    void ENV_showReading(const EnvLine::Reading& reading);
    void ENV_appendLog(const QByteArray& chunk);

public slots:
    void ENVactionOpen_triggered();
    void readENVCom(QByteArray data);
    void ENVactionClear_triggered();

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
    static constexpr int OSC_pointCap = 20000; // per channel, newest kept
    MWaveView* OSC_waveView = nullptr;
    ByteLineAssembler OSC_rxBuffer{QByteArrayLiteral("\r\n"), 4096};
    QList<QPointF> OSC_points[16];
    double OSC_lineNumber = 0; // counts handled lines for the whole run

    void Oscilloscope_Init_Start();
    void OSCsetComboBoxEnabled(bool enable);
    void Oscilloscope_Setting_Value(double* values);
    void OSC_appendSample(const double* values);
    void OSC_showSamples();
    void OSC_showChannel(int channel, int state);
    void OSC_clearBuffers() { OSC_rxBuffer.clear(); }

public slots:
    void OscilloscopeOpen_triggered();
    void readOSCCom(QByteArray data);
    void on_checkBox_0_stateChanged(int state);
    void on_checkBox_1_stateChanged(int state);
    void on_checkBox_2_stateChanged(int state);
    void on_checkBox_3_stateChanged(int state);

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
    // At exit: the connection ends without a word to the window (the WebSocket is no child of it).
    void MQTT_shutDown();

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
    void Spectra_clearBuffers() { Spectra_rxText.clear(); }
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
    GuardedDialog<Ui_I2CDump_ReadREG> I2Cdump_read;
    GuardedDialog<Ui_I2CDump_WriteREG> I2Cdump_write;
    QDialog*& I2Cdump_readDialog = I2Cdump_read.dialog;
    QDialog*& I2Cdump_writeDialog = I2Cdump_write.dialog;
    Ui_I2CDump_ReadREG*& I2Cdump_readUi = I2Cdump_read.form;
    Ui_I2CDump_WriteREG*& I2Cdump_writeUi = I2Cdump_write.form;
    bool& I2Cdump_readOpen = I2Cdump_read.open;
    bool& I2Cdump_writeOpen = I2Cdump_write.open;
    // Register of the last read request, printed with the read reply.
    int I2Cdump_lastReadRegister = 0;
    // Frames go to the adapter only while this tab holds the shared port.
    bool I2Cdump_holdsPort = false;

    void I2Cdump_Init_Start();
    void i2cdumpsetsetComboBoxEnabled(bool enable);
    void I2Cdump_sendFrame(const QByteArray& frame);
    void I2Cdump_setActionsEnabled(bool enable);
    void I2Cdump_appendLog(const QString& text);

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
    void TOF_clearBuffers() { TOF_rxText.clear(); }
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
    static constexpr int ModbusLogMaxBlocks = 10000;
    Quenlix_ModbusClient* Modbus_client = nullptr;
    int Modbus_tcpOpen = 0;
    QTcpSocket* Modbus_tcpSocket = nullptr;
    // True while this tab holds the shared serial port (RTU goes only there).
    bool Modbus_serialOpen = false;

    void Modbus_Init_Start();
    void ModbussetsetComboBoxEnabled(bool enable);
    bool Modbus_isValidHexInput(const QString& text);
    QByteArray Modbus_convertHexStringToByteArray(const QByteArray& text);
    void Modbus_onReadButtonClicked(int slaveId, Quenlix_ModbusClient::FunctionCode functionCode,
                                    int startAddress, int quantity, Quenlix_ModBus_Mode mode);
    void Modbus_onWriteButtonClicked(int slaveId, Quenlix_ModbusClient::FunctionCode functionCode,
                                     int startAddress, int quantity, QByteArray data,
                                     Quenlix_ModBus_Mode mode);
    Quenlix_ModbusClient* Modbus_engine();
    void Modbus_releaseEngine();
    void Modbus_transaction(int slaveId, Quenlix_ModbusClient::FunctionCode functionCode, int startAddress,
                            int quantity, const QByteArray& data, Quenlix_ModBus_Mode mode, bool write);
    void Modbus_log(bool reply, const QByteArray& frame);
    void Modbus_setTcpIdle();
    void Modbus_showMode(bool tcp);

public slots:
    void ModbusOpen_triggered();
    void Modbus_function_comboBoxIndexChanged(int index);
    void ModbusPortModeChanged();
    void ModbusTCPopencompushButton_triggered();
    void Modbus_displayError(QAbstractSocket::SocketError error);
    void Modbus_Read_write_Button();
    void actionModbus_revice_CleanData_triggered();
    void actionModbus_send_CleanData_triggered();

public:
    // ---- CIE colour console (sensors/) ----
    LineAssembler CIE_rxText;
    quenlix_cie_widget* CIE_widget = nullptr;

    void CIE_Init_Start();
    void CIE_clearBuffers() { CIE_rxText.clear(); }
    void CIEsetsetComboBoxEnabled(bool enable);
    void CIE_extractValuesFromQString(const QString& line);

public slots:
    void CIEOpen_triggered();
    void readCIECom(QByteArray data);
    void CIEactionClear_triggered();

public:
    // ---- IMU console (sensors/) ----
    ByteLineAssembler IMU_rxBuffer{QByteArrayLiteral("\r\n"), 4096};
    quenlix_3d_imu* IMU_attitudeView = nullptr;
    int IMU_frameToggle = 0; // the number labels follow every other recognised frame
    // Drawn at screen rate: the newest numbers (pitch, yaw, roll, w, x, y, z) and the newest
    // quaternion (w, x, y, z), each empty once shown.
    ScreenRate* IMU_screen = nullptr;
    QList<double> IMU_dueNumbers;
    QList<double> IMU_dueAttitude;

    void IMU_Init_Start();
    void imusetsetComboBoxEnabled(bool enable);
    void imu_processData(const QByteArray& line);
    void IMU_clearBuffers() { IMU_rxBuffer.clear(); }
    void IMU_showDue();

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
    // Run first by the destructor: nothing of the window may run once its destruction has begun.
    void shutDownTools();
};
