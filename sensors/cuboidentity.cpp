#include "sensors/cuboidentity.h"

#include <Qt3DCore/QTransform>
#include <Qt3DExtras/QPhongMaterial>
#include <Qt3DExtras/QPlaneMesh>

Qt3DCore::QEntity* createFace(Qt3DCore::QNode* parent, float width, float height, const QColor& color,
                              const QVector3D& translation, const QQuaternion& rotation)
{
    auto* face = new Qt3DCore::QEntity(parent);
    auto* mesh = new Qt3DExtras::QPlaneMesh(face);
    mesh->setWidth(width);
    mesh->setHeight(height);
    auto* material = new Qt3DExtras::QPhongMaterial(face);
    material->setDiffuse(color);
    material->setAmbient(QColor::fromRgbF(0.1f, 0.1f, 0.1f, 1.0f));
    material->setShininess(20);
    auto* transform = new Qt3DCore::QTransform(face);
    transform->setTranslation(translation);
    transform->setRotation(rotation);
    face->addComponent(mesh);
    face->addComponent(material);
    face->addComponent(transform);
    return face;
}

ColouredCuboidEntity::ColouredCuboidEntity(float width, float height, float depth, Qt3DCore::QNode* parent)
    : Qt3DCore::QEntity(parent), m_colors{QColor(Qt::red),  QColor(Qt::yellow), QColor(Qt::green),
                                          QColor(Qt::blue), QColor(Qt::cyan),   QColor(Qt::magenta)}
{
    m_transform = new Qt3DCore::QTransform(this);
    addComponent(m_transform);
    m_transform->setRotation(QQuaternion::fromAxisAndAngle(QVector3D(0, 1, 0), 90));

    const float w = width, h = height, d = depth;
    const auto turn = [](float x, float y, float z, float degrees) {
        return QQuaternion::fromAxisAndAngle(QVector3D(x, y, z), degrees);
    };
    createFace(this, w, h, m_colors[0], QVector3D(0, 0, d / 2), turn(1, 0, 0, 90));
    createFace(this, w, h, m_colors[1], QVector3D(0, 0, -d / 2), turn(1, 0, 0, -90));
    createFace(this, d, h, m_colors[2], QVector3D(-w / 2, 0, 0), turn(1, -1, -1, -120));
    createFace(this, d, h, m_colors[3], QVector3D(w / 2, 0, 0), turn(1, 1, 1, 240));
    createFace(this, w, d, m_colors[4], QVector3D(0, h / 2, 0), QQuaternion());
    createFace(this, w, d, m_colors[5], QVector3D(0, -h / 2, 0), turn(1, 0, 0, 180));
}
