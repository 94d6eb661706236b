#include "sensors/quenlix_3d_imu.h"

#include <QGridLayout>
#include <QLabel>
#include <QQuaternion>
#include <Qt3DCore/QTransform>

#include "sensors/attitude_math.h"
#include "sensors/cuboidentity.h"
#include "sensors/glcheck.h"
#include "sensors/widget3d.h"

quenlix_3d_imu::quenlix_3d_imu(QWidget* parent) : QWidget(parent)
{
    m_layout = new QGridLayout(this);
    QWidget* content;
    if (GlCheck::openGlAvailable()) {
        m_window = new widget3D(50, 100, 20);
        content = QWidget::createWindowContainer(m_window);
    } else {
        auto* notice = new QLabel(tr("The 3D view needs OpenGL, which this display does not offer."));
        notice->setAlignment(Qt::AlignCenter);
        notice->setWordWrap(true);
        content = notice;
    }
    m_layout->addWidget(content, 0, 0);
    setLayout(m_layout);
}

quenlix_3d_imu::~quenlix_3d_imu() = default;

void quenlix_3d_imu::Set_Value(double w, double x, double y, double z)
{
    if (!m_window || !m_window->getCuboidEntity())
        return;
    const std::optional<Attitude::Quaternion> unit = Attitude::unitQuaternion(w, x, y, z);
    if (!unit)
        return;
    const QQuaternion board(unit->w, unit->x, unit->y, unit->z);
    const QQuaternion upright = QQuaternion::fromAxisAndAngle(QVector3D(1, 0, 0), -90.0f);
    m_window->getCuboidEntity()->transform()->setRotation(upright * board);
}
