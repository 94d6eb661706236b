#pragma once

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QWidget>

#include "sensors/i2cframe.h"

class QLabel;
class ScreenRate;
class Ui_quenlix_i2c_tools;

// The I2C register grid: the 256 registers of the chosen device in a 16 x 16 table, a value that
// changed since the last update shown on green (pink when it changed again), and the device address
// list. It also cuts the adapter's frames out of the received bytes.
class quenlix_i2c_tools : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_i2c_tools(QWidget* parent = nullptr);
    ~quenlix_i2c_tools() override;

    // Register `index` now holds `value`; the grid shows it at the next screen refresh (every
    // update counts for the colours, also those that are never drawn). Other indexes are ignored.
    void updateLabelValues(int index, unsigned char value);
    // How many times the grid was brought up to date.
    int framesShown() const;
    static QFont set_label_font(bool bold);
    static unsigned char calculateChecksum(const unsigned char* data, unsigned long length);

    Ui_quenlix_i2c_tools* ui = nullptr;
    // Register i is shown by valueLabels[i].
    QList<QLabel*> valueLabels;

signals:
    void Channge_Addr(const int& address);
    void Get_Addr(const QByteArray& addresses);
    void Get_Data(const QByteArray& data);

public slots:
    // Bytes from the adapter, in chunks of any size.
    void updateValues(QByteArray chunk);
    void onCurrentIndexChanged(int index);

private:
    void drawRegisters();

    I2cFrameReceiver m_receiver;
    // What each register holds and the background it is due to show.
    QList<int> m_values = QList<int>(256, 0);
    QList<QRgb> m_backgrounds;
    QList<QRgb> m_shownBackgrounds;
    ScreenRate* m_screen = nullptr;
};
