#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QVBoxLayout;

// The characteristics of one GATT service: one framed block each, with the
// buttons its permissions allow and one value field. It only emits requests;
// results come back through updateCharacteristicValue.
class CharacteristicWidget : public QWidget
{
    Q_OBJECT
public:
    CharacteristicWidget(const QString& serviceUuid, QWidget* parent);

    // Adds one block; a uuid already shown is ignored. value is not shown.
    void setCharacteristicInfo(const QString& name, const QString& uuid, const QString& value,
                               const QString& permission);
    // Shows a read or notified value, as text or as hexadecimal bytes by the block's mode.
    void updateCharacteristicValue(const QString& uuid, const QByteArray& value);
    // Shows whether the peripheral sends the characteristic's notifications.
    void setNotifyState(const QString& uuid, bool subscribed);
    // A failed request of this service, shown above its blocks until a request succeeds
    // (empty message).
    void showProblem(const QString& message);

signals:
    void readCharacteristicRequested(QString uuid);
    void notifyCharacteristicRequested(QString uuid, bool subscribe);
    void writeCharacteristicRequested(QString uuid, QString data, bool isHex);

private slots:
    void onDisplayModeChanged(const QString& uuid, int index);
    void onNotifyButtonClicked(const QString& uuid);

private:
    void onWriteButtonClicked(const QString& uuid);
    void showValue(const QString& uuid);

    QSet<QString> m_shown;
    QVBoxLayout* m_mainLayout;
    QLabel* m_problem = nullptr;
    QHash<QString, QLineEdit*> m_valueFields;
    QHash<QString, bool> m_notifyStates;
    // The bytes behind each field, so switching the mode never loses any.
    QHash<QString, QByteArray> m_values;
};
