// The 3D views on a real X server: the time-of-flight surface, and the IMU box as the tab, the
// mouse and the wheel turn it.
#include <Q3DSurface>
#include <QImage>
#include <QMouseEvent>
#include <QSurface3DSeries>
#include <QTest>
#include <QValue3DAxis>
#include <QWheelEvent>
#include <Qt3DCore/QTransform>
#include <Qt3DRender/QCamera>
#include <Qt3DRender/QRenderCapture>

#include <memory>

#include "sensors/cuboidentity.h"
#include "sensors/quenlix_3d_imu.h"
#include "sensors/quenlix_tof.h"
#include "sensors/quenlix_tof_surface.h"
#include "sensors/widget3d.h"
#include "tests/common/consolerig.h"

namespace {

// q and -q are the same rotation.
const auto sameRotation = [](const QQuaternion& a, const QQuaternion& b) {
    return qAbs(QQuaternion::dotProduct(a.normalized(), b.normalized())) > 0.9999f;
};

void sendMouse(QWindow* window, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at)
{
    QMouseEvent event(type, QPointF(at), window->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

} // namespace

class Test3dViews : public QObject
{
    Q_OBJECT
private slots:
    void surfaceGraphFollowsArrangement()
    {
        quenlix_tof view;
        view.resize(500, 400);
        view.change(1);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        quenlix_tof_surface* surface = view.surface;
        QVERIFY2(surface->graph, "Xvfb offers OpenGL: the graph must exist");
        // Every arrangement is drawn at once, without waiting for the window's next frame.
        for (int code : {4, 5, 0, 4}) {
            surface->changeArrangement(code);
            surface->setYRange(2000);
            surface->updateMultipleDataPoints(surface->points, QList<double>(surface->points.size(), 1500.0));
            QVERIFY(!surface->graph->renderToImage(0, QSize(100, 100)).isNull());
        }
        QCOMPARE((QList<float>{surface->graph->axisX()->max(), surface->graph->axisZ()->max(),
                               surface->graph->axisY()->max()}),
                 (QList<float>{47, 31, 2000}));
        QCOMPARE(surface->graph->seriesList(), QList<QSurface3DSeries*>{surface->series});
        QCOMPARE(surface->dataArray->at(31)->at(0).y(), 1500.0f);
    }

    // The IMU tab's box follows every frame the board sends, numbers or not; frames without a
    // rotation leave it as it was instead of collapsing it.
    void attitudeFollowsEveryFrame()
    {
        ConsoleRig rig("IMU");
        Qt3DCore::QTransform* box = rig.w->IMU_attitudeView->window3D()->getCuboidEntity()->transform();
        QVERIFY(sameRotation(box->rotation(), QQuaternion::fromAxisAndAngle(0, 1, 0, 90))); // as built
        ConsoleRig::press(rig.ui->imuopencompushButton);
        // Any length of the identity stands the box upright: its +Y (cyan) face looks at the camera.
        QVERIFY(rig.send("W:2, X:0, Y:0, Z:0\r\n"));
        const QQuaternion upright = QQuaternion::fromAxisAndAngle(1, 0, 0, -90);
        QTRY_VERIFY(sameRotation(box->rotation(), upright));
        // The second frame leaves the numbers but turns the box.
        QVERIFY(rig.send("W:0.8660254, X:0, Y:0.5, Z:0\r\n"));
        const QQuaternion turned = upright * QQuaternion(0.8660254f, 0, 0.5f, 0);
        QTRY_VERIFY(sameRotation(box->rotation(), turned));
        QCOMPARE(rig.ui->label_imu_y->text(), QStringLiteral("0.00"));
        // A frame whose component overflows is shown in numbers but does not turn the box.
        QVERIFY(rig.send("W:1" + QByteArray(400, '0') + ", X:0, Y:0, Z:0\r\n"));
        QTRY_COMPARE(rig.w->IMU_frameToggle, 1);
        QVERIFY(sameRotation(box->rotation(), turned));
        ConsoleRig::press(rig.ui->imuopencompushButton);
    }

    void attitudeIsDrawnAndTurnedByMouseAndWheel()
    {
        quenlix_3d_imu view;
        view.resize(300, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        widget3D* window = view.window3D();
        Qt3DCore::QTransform* transform = window->getCuboidEntity()->transform();
        view.Set_Value(1, 0, 0, 0);
        // Upright, the lit cyan face is drawn: no red, green and blue alike. The window container is
        // not in QWidget::grab(), and the screen is shared with other programs' windows: read the
        // frame the view itself renders, captured at the end of its own frame graph.
        Qt3DRender::QFrameGraphNode* leaf = window->activeFrameGraph();
        for (QList<Qt3DRender::QFrameGraphNode*> below;
             !(below = leaf->findChildren<Qt3DRender::QFrameGraphNode*>(Qt::FindDirectChildrenOnly))
                  .isEmpty();)
            leaf = below.last();
        auto* capture = new Qt3DRender::QRenderCapture(leaf);
        const auto cyan = [capture] {
            std::unique_ptr<Qt3DRender::QRenderCaptureReply> frame(capture->requestCapture());
            if (!QTest::qWaitFor([&frame] { return frame->isComplete(); }, 5000))
                return false;
            const QImage image = frame->image();
            const QColor c = image.pixelColor(image.width() / 2, image.height() / 2);
            return c.green() > 60 && c.red() < 30 && qAbs(c.green() - c.blue()) < 30;
        };
        QTRY_VERIFY_WITH_TIMEOUT(cyan(), 5000);
        const QQuaternion start = transform->rotation();

        // 10 pixels right with the right button: 4 degrees about Y, after the current attitude.
        sendMouse(window, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, QPoint(100, 100));
        sendMouse(window, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, QPoint(110, 100));
        QVERIFY(sameRotation(transform->rotation(), QQuaternion::fromAxisAndAngle(0, 1, 0, 4) * start));
        // 5 pixels down: 2 degrees about X on top of that.
        sendMouse(window, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, QPoint(110, 105));
        QVERIFY(sameRotation(transform->rotation(), QQuaternion::fromAxisAndAngle(1, 0, 0, 2) *
                                                        QQuaternion::fromAxisAndAngle(0, 1, 0, 4) * start));
        sendMouse(window, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, QPoint(110, 105));
        const QQuaternion released = transform->rotation();
        sendMouse(window, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, QPoint(150, 150));
        QVERIFY(sameRotation(transform->rotation(), released));

        // A quaternion replaces whatever the mouse did.
        view.Set_Value(1, 0, 0, 0);
        QVERIFY(sameRotation(transform->rotation(), start));

        // The wheel's steps and limits are in the attitude maths test; here it reaches the camera.
        const auto distance = [&] {
            return (window->sceneCamera()->position() - window->sceneCamera()->viewCenter()).length();
        };
        QCOMPARE(distance(), 300.0f);
        QWheelEvent wheel(QPointF(50, 50), window->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(window, &wheel);
        QVERIFY(qAbs(distance() - 282.0) < 0.01);
        QVERIFY(window->sceneCamera()->position().z() < 0); // still on the same side, looking at the box
    }
};

QTEST_MAIN(Test3dViews)
#include "tst_3d_views.moc"
