#include <Q3DSurface>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <QSurface3DSeries>
#include <QTest>
#include <QValue3DAxis>
#include <QWheelEvent>
#include <Qt3DCore/QTransform>
#include <Qt3DRender/QCamera>

#include "sensors/cuboidentity.h"
#include "sensors/quenlix_3d_imu.h"
#include "sensors/quenlix_tof.h"
#include "sensors/quenlix_tof_surface.h"
#include "sensors/widget3d.h"

namespace {

bool sameRotation(const QQuaternion& a, const QQuaternion& b)
{
    // q and -q are the same rotation.
    return qAbs(QQuaternion::dotProduct(a.normalized(), b.normalized())) > 0.9999f;
}

void sendMouse(QWindow* window, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at)
{
    QMouseEvent event(type, QPointF(at), window->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

void sendWheel(QWindow* window, QPoint angleDelta)
{
    QWheelEvent event(QPointF(50, 50), window->mapToGlobal(QPointF(50, 50)), QPoint(), angleDelta,
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window, &event);
}

double cameraDistance(widget3D* window)
{
    return (window->sceneCamera()->position() - window->sceneCamera()->viewCenter()).length();
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
        QCOMPARE(surface->graph->axisX()->max(), 7.0f);
        QTest::qWait(100); // let it render once

        for (int code : {4, 5, 0, 4}) {
            surface->changeArrangement(code);
            surface->setYRange(2000);
            surface->updateMultipleDataPoints(surface->points, QList<double>(surface->points.size(), 1500.0));
            QTest::qWait(50);
        }
        QCOMPARE((QList<float>{surface->graph->axisX()->max(), surface->graph->axisZ()->max(),
                               surface->graph->axisY()->max()}),
                 (QList<float>{47, 31, 2000}));
        QCOMPARE(surface->graph->seriesList(), QList<QSurface3DSeries*>{surface->series});
        QCOMPARE(surface->dataArray->at(31)->at(0).y(), 1500.0f);
    }

    // Frames turning the box are on the IMU tab's test; here the start and the refusals.
    void attitudeFollowsQuaternion()
    {
        quenlix_3d_imu view;
        Qt3DCore::QTransform* transform = view.window3D()->getCuboidEntity()->transform();
        QVERIFY(sameRotation(transform->rotation(), QQuaternion::fromAxisAndAngle(0, 1, 0, 90))); // as built
        // Any length of the identity stands the box upright: its +Y (cyan) face looks at the camera.
        view.Set_Value(2, 0, 0, 0);
        QVERIFY(sameRotation(transform->rotation(), QQuaternion::fromAxisAndAngle(1, 0, 0, -90)));
        // No rotation at all (all zero, not finite) leaves the box as it was instead of collapsing it.
        view.Set_Value(0, 0, 0, 0);
        view.Set_Value(std::nan(""), 0, 0, 1);
        QVERIFY(sameRotation(transform->rotation(), QQuaternion::fromAxisAndAngle(1, 0, 0, -90)));
    }

    void attitudeIsDrawn()
    {
        quenlix_3d_imu view;
        view.resize(300, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.Set_Value(1, 0, 0, 0);
        // The window container is not in QWidget::grab(); read the screen instead.
        const QPoint centre = view.mapToGlobal(QPoint(150, 150));
        const auto centreColour = [&] {
            return QGuiApplication::primaryScreen()
                ->grabWindow(0, centre.x(), centre.y(), 1, 1)
                .toImage()
                .pixelColor(0, 0);
        };
        // The cyan face, lit: no red, green and blue alike. Read in one grab, retried: another
        // test's window on the same display may cover the spot for a moment.
        const auto cyan = [&] {
            const QColor c = centreColour();
            return c.green() > 60 && c.red() < 30 && qAbs(c.green() - c.blue()) < 30;
        };
        QTRY_VERIFY_WITH_TIMEOUT(cyan(), 5000);
    }

    void mouseTurnsBox()
    {
        quenlix_3d_imu view;
        widget3D* window = view.window3D();
        Qt3DCore::QTransform* transform = window->getCuboidEntity()->transform();
        view.Set_Value(1, 0, 0, 0);
        const QQuaternion start = transform->rotation();

        // A left-button drag does nothing.
        sendMouse(window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(100, 100));
        sendMouse(window, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(110, 100));
        sendMouse(window, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(110, 100));
        QVERIFY(sameRotation(transform->rotation(), start));

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
    }

    // The steps and their limits are in the attitude maths test; here the wheel reaches the camera.
    void wheelZoomStops()
    {
        quenlix_3d_imu view;
        widget3D* window = view.window3D();
        QCOMPARE(cameraDistance(window), 300.0);
        sendWheel(window, QPoint(0, 120));
        QVERIFY(qAbs(cameraDistance(window) - 282.0) < 0.01);
        for (int i = 0; i < 300; ++i)
            sendWheel(window, QPoint(0, 120));
        QVERIFY(qAbs(cameraDistance(window) - 0.2) < 1e-4);
        QVERIFY(window->sceneCamera()->position().z() < 0); // still on the same side, looking at the box
    }
};

QTEST_MAIN(Test3dViews)
#include "tst_3d_views.moc"
