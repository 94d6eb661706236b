#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "sensors/i2cframe.h"
#include "sensors/quenlix_i2c_tools.h"

namespace {

QGridLayout* grid(quenlix_i2c_tools& tools)
{
    return tools.findChild<QGridLayout*>(QStringLiteral("gridLayout"));
}

QString cellText(quenlix_i2c_tools& tools, int row, int column)
{
    QLayoutItem* item = grid(tools)->itemAtPosition(row, column);
    if (!item)
        return QStringLiteral("<empty>");
    auto* label = qobject_cast<QLabel*>(item->widget());
    return label ? label->text() : QStringLiteral("<not a label>");
}

QString background(QLabel* label)
{
    return label->palette().color(QPalette::Window).name();
}

QByteArray registerFrame(const QByteArray& values)
{
    return I2cFrame::encode(I2cFrame::Start, values);
}

} // namespace

class TestI2cTools : public QObject
{
    Q_OBJECT
private slots:
    void gridAddressing();
    void addressList();
    void registerFrames_data();
    void registerFrames();
    void changeColours();
    void repliesReachSignals();
};

void TestI2cTools::gridAddressing()
{
    quenlix_i2c_tools tools;
    QCOMPARE(grid(tools)->itemAtPosition(0, 0), nullptr);
    QCOMPARE(cellText(tools, 0, 1), QStringLiteral("00"));
    QCOMPARE(cellText(tools, 0, 11), QStringLiteral("0A"));
    QCOMPARE(cellText(tools, 0, 16), QStringLiteral("0F"));
    QCOMPARE(cellText(tools, 1, 0), QStringLiteral("00"));
    QCOMPARE(cellText(tools, 11, 0), QStringLiteral("A0"));
    QCOMPARE(cellText(tools, 16, 0), QStringLiteral("F0"));
    QCOMPARE(grid(tools)->rowCount(), 17);
    QCOMPARE(grid(tools)->columnCount(), 17);

    // Register 16 (r - 1) + (c - 1) sits in row r, column c.
    QCOMPARE(tools.valueLabels.size(), 256);
    for (int reg : {0x00, 0x0F, 0x10, 0x5C, 0xAB, 0xFF}) {
        QLabel* label = tools.valueLabels.at(reg);
        QCOMPARE(grid(tools)->itemAtPosition(reg / 16 + 1, reg % 16 + 1)->widget(), label);
        QCOMPARE(label->text(), QStringLiteral("00"));
    }
    auto* header = qobject_cast<QLabel*>(grid(tools)->itemAtPosition(0, 1)->widget());
    QVERIFY(header->font().bold());
    QVERIFY(!tools.valueLabels.first()->font().bold());
    QCOMPARE(tools.valueLabels.first()->font().pointSize(), 10);
}

void TestI2cTools::addressList()
{
    quenlix_i2c_tools tools;
    QComboBox* list = tools.findChild<QComboBox*>(QStringLiteral("comboBox"));
    QVERIFY(list);
    QCOMPARE(list->count(), 128);
    QCOMPARE(list->currentText(), QStringLiteral("0x00"));
    QCOMPARE(list->itemText(0x7F), QStringLiteral("0x7F"));
    QCOMPARE(list->itemText(0x3C), QStringLiteral("0x3C"));

    QSignalSpy spy(&tools, &quenlix_i2c_tools::Channge_Addr);
    list->setCurrentIndex(list->findText(QStringLiteral("0x68")));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.first().first().toInt(), 104);
}

void TestI2cTools::registerFrames_data()
{
    QTest::addColumn<int>("payloadSize");
    QTest::addColumn<int>("updated");
    QTest::newRow("full-block") << 256 << 256;
    QTest::newRow("oversized-300-bytes") << 300 << 256;
    QTest::newRow("first-row-only") << 16 << 16;
    QTest::newRow("empty") << 0 << 0;
}

void TestI2cTools::registerFrames()
{
    QFETCH(int, payloadSize);
    QFETCH(int, updated);
    quenlix_i2c_tools tools;
    QByteArray payload;
    for (int i = 0; i < payloadSize; ++i)
        payload.append(char(0xFF - (i & 0xFF)));
    const QByteArray frame = registerFrame(payload);
    // Delivered in two uneven chunks, as a serial port would.
    tools.updateValues(frame.left(7));
    tools.updateValues(frame.mid(7));
    for (int reg = 0; reg < 256; ++reg) {
        const QString expected = reg < updated
                                     ? QStringLiteral("%1").arg(0xFF - reg, 2, 16, QLatin1Char('0')).toUpper()
                                     : QStringLiteral("00");
        QCOMPARE(tools.valueLabels.at(reg)->text(), expected);
    }
}

void TestI2cTools::changeColours()
{
    quenlix_i2c_tools tools;
    QLabel* label = tools.valueLabels.at(0x42);
    const auto show = [&](unsigned char value) {
        QByteArray block(256, '\0');
        block[0x42] = char(value);
        tools.updateValues(registerFrame(block));
        return background(label);
    };
    // Changing three times in a row: green, pink, green; then unchanged: white.
    QCOMPARE(show(0x01), QStringLiteral("#00cd66"));
    QCOMPARE(show(0x02), QStringLiteral("#ff69b4"));
    QCOMPARE(show(0xAB), QStringLiteral("#00cd66"));
    QCOMPARE(label->text(), QStringLiteral("AB"));
    QCOMPARE(show(0xAB), QStringLiteral("#ffffff"));
    // Cells that never changed turn white on their first update.
    QCOMPARE(background(tools.valueLabels.at(0)), QStringLiteral("#ffffff"));
    QVERIFY(label->autoFillBackground());

    tools.updateLabelValues(256, 0x11);
    tools.updateLabelValues(-1, 0x11);
    tools.updateLabelValues(5, 0x0C);
    QCOMPARE(tools.valueLabels.at(5)->text(), QStringLiteral("0C"));
}

void TestI2cTools::repliesReachSignals()
{
    quenlix_i2c_tools tools;
    QSignalSpy addresses(&tools, &quenlix_i2c_tools::Get_Addr);
    QSignalSpy data(&tools, &quenlix_i2c_tools::Get_Data);

    QByteArray corrupt = I2cFrame::encode(I2cFrame::Read, QByteArray::fromHex("99"));
    corrupt[corrupt.size() - 1] = 0x00;
    tools.updateValues(QByteArray::fromHex("00ff") +
                       I2cFrame::encode(I2cFrame::Scan, QByteArray::fromHex("3c68")) + corrupt +
                       I2cFrame::encode(I2cFrame::Read, QByteArray::fromHex("0102")));
    QCOMPARE(addresses.size(), 1);
    QCOMPARE(addresses.first().first().toByteArray(), QByteArray::fromHex("3c68"));
    QCOMPARE(data.size(), 1);
    QCOMPARE(data.first().first().toByteArray(), QByteArray::fromHex("0102"));
}

QTEST_MAIN(TestI2cTools)
#include "tst_i2c_tools.moc"
