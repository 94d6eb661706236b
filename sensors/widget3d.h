#pragma once

#include <QPoint>
#include <Qt3DExtras/Qt3DWindow>

class ColouredCuboidEntity;
namespace Qt3DCore {
class QEntity;
}
namespace Qt3DRender {
class QCamera;
}

// The 3D scene of the attitude view: a coloured box under a point light. The right mouse button
// turns the box, the wheel moves the camera nearer or farther.
class widget3D : public Qt3DExtras::Qt3DWindow
{
    Q_OBJECT
public:
    widget3D(float width, float height, float depth, QScreen* screen = nullptr);
    ~widget3D() override;

    ColouredCuboidEntity* getCuboidEntity() const { return cuboid; }
    Qt3DRender::QCamera* sceneCamera() const { return camera; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    Qt3DCore::QEntity* rootEntity = nullptr;
    Qt3DRender::QCamera* camera = nullptr;
    ColouredCuboidEntity* cuboid = nullptr;
    QPoint lastMousePos;
    bool rotating = false;
};
