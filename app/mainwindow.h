#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QMetaObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "app/aboutdialog.h"
#include "app/toolswitches.h"
#include "protocols/mqttclient.h"

class MWaveView;
struct ConfigState;
class QDialog;
class QEvent;
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

    // ---- Serial terminal (serial/) ----
    QTimer* COM_sendTimer = nullptr;
    int COM_sendInterval = 0;
    bool COM_expandOpen = false;
    QMetaObject::Connection COM_dtrConnection;
    QMetaObject::Connection COM_rtsConnection;

    void Serial_Init_Start();

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

    // ---- GSM console (gsm/) ----
    int GSM_tcpOpen = 0;

    void GSM_Init_Start();

    // ---- Unicode tab (tools/) ----
    void Unicode_Init_Start();

public slots:
    void actionStoUpushButton_triggered();
    void actionUtoSpushButton_triggered();

public:
    // ---- Environment console (sensors/) ----
    void ENVironment_Init_Start();

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

    // ---- MQTT client (protocols/) ----
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
    void Spectra_Init_Start();

    // ---- I2C dump console (sensors/) ----
    bool I2Cdump_readOpen = false;
    bool I2Cdump_writeOpen = false;

    void I2Cdump_Init_Start();

    // ---- Time-of-flight console (sensors/) ----
    void TOF_Init_Start();

    // ---- Modbus master (protocols/) ----
    void Modbus_Init_Start();

    // ---- CIE colour console (sensors/) ----
    void CIE_Init_Start();

    // ---- IMU console (sensors/) ----
    void IMU_Init_Start();

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
    void SerialSacn_new();

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
