#pragma once

#include <QColor>
#include <QQuaternion>
#include <QVector3D>
#include <Qt3DCore/QEntity>

namespace Qt3DCore {
class QTransform;
}

// One face of the box: a plane with its colour, placed by a translation and rotation.
Qt3DCore::QEntity* createFace(Qt3DCore::QNode* parent, float width, float height, const QColor& color,
                              const QVector3D& translation, const QQuaternion& rotation);

// A box with six differently coloured faces, turned by its own transform.
class ColouredCuboidEntity : public Qt3DCore::QEntity
{
    Q_OBJECT
public:
    ColouredCuboidEntity(float width, float height, float depth, Qt3DCore::QNode* parent = nullptr);

    Qt3DCore::QTransform* transform() const { return m_transform; }

private:
    Qt3DCore::QTransform* m_transform = nullptr;
    QColor m_colors[6];
};
