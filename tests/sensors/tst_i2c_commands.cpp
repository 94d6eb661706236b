// Commands the I2C dump tab builds for the adapter, and the byte lists typed for a write.
#include <QTest>

#include "sensors/i2cframe.h"

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

} // namespace

class TestI2cCommands : public QObject
{
    Q_OBJECT
private slots:
    void byteLists_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("two-bytes") << "0x12,0xab" << true << hex("12ab");
        QTest::newRow("mixed-case-digits") << "0x01,0x34,0xAb" << true << hex("0134ab");
        QTest::newRow("one-byte") << "0xff" << true << hex("ff");
        QTest::newRow("empty") << "" << false << QByteArray();
        QTest::newRow("lone-digit") << "0x1" << false << QByteArray();
        QTest::newRow("three-digits") << "0x123" << false << QByteArray();
        QTest::newRow("trailing-comma") << "0x12," << false << QByteArray();
        QTest::newRow("no-prefix") << "12,34" << false << QByteArray();
        QTest::newRow("semicolon") << "0x12;0x34" << false << QByteArray();
        QTest::newRow("upper-case-prefix") << "0X12" << false << QByteArray();
        QTest::newRow("blank-after-comma") << "0x12, 0x34" << false << QByteArray();
        QTest::newRow("trailing-line-feed") << "0x12\n" << false << QByteArray();
        QTest::newRow("not-hex") << "0xzz" << false << QByteArray();
    }
    void byteLists()
    {
        QFETCH(QString, text);
        QByteArray bytes("untouched");
        QTEST(I2cFrame::parseByteList(text, &bytes), "accepted");
        QFETCH(bool, accepted);
        if (accepted)
            QTEST(bytes, "bytes");
        else
            QCOMPARE(bytes, QByteArray("untouched"));
    }

    void commandFrames()
    {
        QCOMPARE(I2cFrame::simpleCommand(I2cFrame::Stop), hex("51 55 00 00 01 FF FF"));
        QCOMPARE(I2cFrame::simpleCommand(I2cFrame::Start), hex("51 55 02 00 01 FF FF"));
        QCOMPARE(I2cFrame::setAddress(0x68), hex("51 55 03 00 01 68 68"));
        QCOMPARE(I2cFrame::writeRegisters(0x05, hex("1234")), hex("51 55 04 00 03 05 12 34 4B"));
        QCOMPARE(I2cFrame::readRegisters(0xF8, 0x10), hex("51 55 05 00 02 F8 10 08"));
        // The largest write fills the adapter's 512-byte buffer; one byte more is refused.
        const QByteArray largest = I2cFrame::writeRegisters(0x00, QByteArray(505, '\x01'));
        QCOMPARE(largest.size(), 512);
        QCOMPARE(largest.mid(3, 2), hex("01 FA")); // 506 payload bytes
        QCOMPARE(quint8(largest.back()), quint8(505 % 256));
        QVERIFY(I2cFrame::writeRegisters(0x00, QByteArray(506, '\x01')).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestI2cCommands)
#include "tst_i2c_commands.moc"
