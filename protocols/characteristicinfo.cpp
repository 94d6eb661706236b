#include "protocols/characteristicinfo.h"

CharacteristicInfo::CharacteristicInfo(const QString& serviceUuid, const BleCharacteristic& characteristic)
    : serviceUuid(serviceUuid), m_characteristic(characteristic)
{
}

void CharacteristicInfo::setCharacteristic(const BleCharacteristic& characteristic)
{
    m_characteristic = characteristic;
    emit characteristicChanged();
}

QString CharacteristicInfo::getUuid() const
{
    return m_characteristic.uuid.toString();
}

QString CharacteristicInfo::getName() const
{
    if (!m_characteristic.name.isEmpty())
        return m_characteristic.name;
    const BleDescriptor description =
        m_characteristic.descriptor(QBluetoothUuid::DescriptorType::CharacteristicUserDescription);
    const QString text = QString::fromUtf8(description.value);
    return text.isEmpty() ? QStringLiteral("Unknown") : text;
}

QString CharacteristicInfo::getPermission() const
{
    using C = QLowEnergyCharacteristic;
    static const struct
    {
        C::PropertyType flag;
        const char* word;
    } words[] = {
        {C::Read, " Read"},
        {C::Write, " Write"},
        {C::Notify, " Notify"},
        {C::Indicate, " Indicate"},
        {C::ExtendedProperty, " ExtendedProperty"},
        {C::Broadcasting, " Broadcast"},
        {C::WriteNoResponse, " WriteNoResp"},
        {C::WriteSigned, " WriteSigned"},
    };
    QString text = QStringLiteral("( ");
    for (const auto& w : words) {
        if (m_characteristic.properties.testFlag(w.flag))
            text += QLatin1String(w.word);
    }
    return text + QStringLiteral(" )");
}

QString CharacteristicInfo::getValue() const
{
    const QByteArray& value = m_characteristic.value;
    if (value.isEmpty())
        return QStringLiteral("<none>");
    return QString::fromUtf8(value) + QLatin1Char('\n') + QString::fromLatin1(value.toHex());
}

// Own moc unit: the library-wide one repeats a class the application also compiles.
#include "moc_characteristicinfo.cpp"
