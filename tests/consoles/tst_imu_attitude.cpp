// The IMU tab's 3D view follows every frame the board sends (needs a real X server).
#include <QQuaternion>
#include <QTest>
#include <Qt3DCore/QTransform>

#include "sensors/cuboidentity.h"
#include "sensors/quenlix_3d_imu.h"
#include "sensors/widget3d.h"
#include "tests/common/consolerig.h"

static bool sameRotation(const QQuaternion& a, const QQuaternion& b)
{
    return std::abs(QQuaternion::dotProduct(a.normalized(), b.normalized())) > 0.9999f;
}

class TestImuAttitude : public QObject
{
    Q_OBJECT
private slots:
    void viewFollowsEveryFrame()
    {
        ConsoleRig rig("IMU");
        MainWindow& w = *rig.w;
        widget3D* window = w.IMU_attitudeView->window3D();
        QVERIFY2(window, "no OpenGL on this display");
        Qt3DCore::QTransform* box = window->getCuboidEntity()->transform();
        const QQuaternion upright = QQuaternion::fromAxisAndAngle(1, 0, 0, -90);
        ConsoleRig::press(rig.ui->imuopencompushButton);

        QVERIFY(rig.send("W:1, X:0, Y:0, Z:0\r\n"));
        QTRY_VERIFY(sameRotation(box->rotation(), upright));
        // The second frame leaves the numbers but turns the box.
        QVERIFY(rig.send("W:0.8660254, X:0, Y:0.5, Z:0\r\n"));
        const QQuaternion turned = upright * QQuaternion(0.8660254f, 0, 0.5f, 0);
        QTRY_VERIFY(sameRotation(box->rotation(), turned));
        QCOMPARE(w.ui->label_imu_y->text(), QStringLiteral("0.00"));
        // A frame whose component overflows is shown in numbers but does not turn the box.
        QVERIFY(rig.send("W:1" + QByteArray(400, '0') + ", X:0, Y:0, Z:0\r\n"));
        QTRY_COMPARE(w.IMU_frameToggle, 1);
        QVERIFY(sameRotation(box->rotation(), turned));
        ConsoleRig::press(rig.ui->imuopencompushButton);
    }
};

QTEST_MAIN(TestImuAttitude)
#include "tst_imu_attitude.moc"
