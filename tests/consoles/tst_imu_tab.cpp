// The "IMU" tab against a pseudo-terminal playing the board (the 3D view is off headless).
#include <QLabel>
#include <QTest>

#include "tests/common/consolerig.h"

namespace {

QStringList labels(const Ui_MainWindow* ui)
{
    QStringList texts;
    for (const QLabel* l : {ui->label_imu_x, ui->label_imu_y, ui->label_imu_z, ui->label_imu_euler_w,
                            ui->label_imu_euler_x, ui->label_imu_euler_y, ui->label_imu_euler_z})
        texts << l->text();
    return texts;
}

const QStringList atRest{"0.00", "0.00", "0.00", "1.00", "0.00", "0.00", "0.00"};

} // namespace

class TestImuTab : public QObject
{
    Q_OBJECT
private slots:
    void labelsShowEveryOtherFrame()
    {
        ConsoleRig rig("IMU");
        MainWindow& w = *rig.w;
        QCOMPARE(rig.ui->imubaudRateComboBox->currentText(), QStringLiteral("115200"));
        QCOMPARE(labels(rig.ui), QStringList(7, "0.00"));
        ConsoleRig::press(rig.ui->imuopencompushButton);
        QVERIFY(w.Serial_isOpen);

        QVERIFY(rig.send("W:1.0, X:0, Y:0, Z:0\r\n"));
        QTRY_COMPARE(labels(rig.ui), atRest);
        QCOMPARE(w.IMU_frameToggle, 1);

        // The second frame leaves the numbers; a line that is no frame does not count.
        QVERIFY(rig.send("W:0.7071068, X:0.7071068, Y:0, Z:0\r\nW:1;X:0;Y:0;Z:0\r\n"));
        QTRY_COMPARE(w.IMU_frameToggle, 0);
        QCOMPARE(labels(rig.ui), atRest);

        // The third shows, here a quarter turn about Z (the toolkit's roll, on "Yaw:"), and
        // arrives in two pieces.
        QVERIFY(rig.send("W:0.7071068, X:0, "));
        QTRY_COMPARE(w.IMU_rxBuffer.pending(), QByteArray("W:0.7071068, X:0, "));
        QVERIFY(rig.send("Y:0, Z:-0.7071068\r\n"));
        QTRY_COMPARE(labels(rig.ui),
                     (QStringList{"0.00", "0.00", "-90.00", "0.71", "0.00", "0.00", "-0.71"}));

        // Reopening starts the count again: the first frame after it shows.
        QVERIFY(rig.send("W:0.5, X:0.5, Y:0.5, Z:0.5\r\n"));
        QTRY_COMPARE(w.IMU_frameToggle, 0);
        ConsoleRig::press(rig.ui->imuopencompushButton);
        QVERIFY(!w.Serial_isOpen);
        QVERIFY(rig.send("W:0.2"));
        QCoreApplication::processEvents();
        ConsoleRig::press(rig.ui->imuopencompushButton);
        QVERIFY(w.IMU_rxBuffer.pending().isEmpty());
        QVERIFY(rig.send("W:1, X:0, Y:0, Z:0\r\n"));
        QTRY_COMPARE(w.IMU_frameToggle, 1);
        QCOMPARE(labels(rig.ui), atRest);
        ConsoleRig::press(rig.ui->imuopencompushButton);
    }

    void everyFrameOfAChunkCounts()
    {
        ConsoleRig rig("IMU");
        MainWindow& w = *rig.w;
        w.readimuCom("W:1, X:0, Y:0, Z:0\r\nW:0.5, X:0.5, Y:0.5, Z:0.5\r\nW:0.8660254, X:0.5");
        QCOMPARE(w.IMU_frameToggle, 0);
        QCOMPARE(labels(rig.ui), atRest);
        w.readimuCom("000, Y:0, Z:0\r\n");
        QCOMPARE(w.IMU_frameToggle, 1);
        QCOMPARE(labels(rig.ui), (QStringList{"60.00", "0.00", "0.00", "0.87", "0.50", "0.00", "0.00"}));
    }
};

QTEST_MAIN(TestImuTab)
#include "tst_imu_tab.moc"
