#include "sensors/widget3d.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <Qt3DCore/QEntity>
#include <Qt3DCore/QTransform>
#include <Qt3DExtras/QForwardRenderer>
#include <Qt3DRender/QCamera>
#include <Qt3DRender/QCameraLens>
#include <Qt3DRender/QPointLight>
#include <Qt3DRender/QRenderSettings>

#include "sensors/attitude_math.h"
#include "sensors/cuboidentity.h"

widget3D::widget3D(float width, float height, float depth, QScreen* screen) : Qt3DExtras::Qt3DWindow(screen)
{
    rootEntity = new Qt3DCore::QEntity();

    camera = Qt3DExtras::Qt3DWindow::camera();
    if (!camera)
        return;
    camera->setProjectionType(Qt3DRender::QCameraLens::PerspectiveProjection);
    camera->setViewCenter(QVector3D(0, 0, 0));
    camera->setUpVector(QVector3D(0, 1, 0));
    camera->setNearPlane(0.1f);
    camera->setFarPlane(2000.0f);

    auto* lightEntity = new Qt3DCore::QEntity(rootEntity);
    auto* light = new Qt3DRender::QPointLight(lightEntity);
    light->setColor(Qt::white);
    light->setIntensity(1.2f);
    auto* lightTransform = new Qt3DCore::QTransform(lightEntity);
    lightTransform->setTranslation(QVector3D(50, 50, -250));
    lightEntity->addComponent(light);
    lightEntity->addComponent(lightTransform);

    cuboid = new ColouredCuboidEntity(width, height, depth, rootEntity);

    setRootEntity(rootEntity);
    defaultFrameGraph()->setClearColor(Qt::black);
    // A frame only when the scene changed (a new attitude, a camera move): drawn continuously,
    // a still cube costs a core's worth of frames wherever OpenGL is done in software.
    renderSettings()->setRenderPolicy(Qt3DRender::QRenderSettings::OnDemand);
    camera->setPosition(QVector3D(0, 0, -300));
}

widget3D::~widget3D()
{
    // The window adopts the scene only once it has been shown.
    if (rootEntity && !rootEntity->parent())
        delete rootEntity;
}

void widget3D::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        Qt3DExtras::Qt3DWindow::mousePressEvent(event);
        return;
    }
    rotating = true;
    lastMousePos = event->position().toPoint();
    event->accept();
}

void widget3D::mouseMoveEvent(QMouseEvent* event)
{
    if (!rotating || !(event->buttons() & Qt::RightButton)) {
        Qt3DExtras::Qt3DWindow::mouseMoveEvent(event);
        return;
    }
    if (!cuboid || !cuboid->transform()) {
        rotating = false;
        event->ignore();
        return;
    }
    const QPoint position = event->position().toPoint();
    const QPoint delta = position - lastMousePos;
    const QQuaternion qx =
        QQuaternion::fromAxisAndAngle(QVector3D(1, 0, 0), delta.y() * Attitude::dragDegreesPerPixel);
    const QQuaternion qy =
        QQuaternion::fromAxisAndAngle(QVector3D(0, 1, 0), delta.x() * Attitude::dragDegreesPerPixel);
    Qt3DCore::QTransform* transform = cuboid->transform();
    transform->setRotation((qy * qx * transform->rotation()).normalized());
    lastMousePos = position;
    event->accept();
}

void widget3D::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && rotating) {
        rotating = false;
        event->accept();
        return;
    }
    Qt3DExtras::Qt3DWindow::mouseReleaseEvent(event);
}

void widget3D::wheelEvent(QWheelEvent* event)
{
    if (!camera)
        return;
    const std::optional<double> step = Attitude::wheelStep(event->pixelDelta(), event->angleDelta());
    if (!step) {
        event->ignore();
        return;
    }
    QVector3D direction = camera->position() - camera->viewCenter();
    double distance = direction.length();
    if (distance > 0.00001) {
        direction.normalize();
    } else {
        direction = camera->viewVector().normalized();
        if (direction.isNull())
            direction = QVector3D(0, 0, -1);
        distance = 0.1;
    }
    const double next = Attitude::zoomedDistance(distance, *step, camera->nearPlane(), camera->farPlane());
    camera->setPosition(camera->viewCenter() + direction * float(next));
    event->accept();
}
