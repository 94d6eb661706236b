#pragma once

#include <QWidget>

class QGridLayout;
class widget3D;

// The IMU attitude view: a coloured box that takes the orientation of each received quaternion.
// Without OpenGL (a headless session) it shows a notice instead and ignores the quaternions.
class quenlix_3d_imu : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_3d_imu(QWidget* parent = nullptr);
    ~quenlix_3d_imu() override;

    // Turns the box to the normalised quaternion, after a fixed -90 degree turn about X that
    // stands the board upright. A quaternion with a non-finite component or of zero length is
    // no rotation and is ignored.
    void Set_Value(double w, double x, double y, double z);

    widget3D* window3D() const { return m_window; }

private:
    QGridLayout* m_layout = nullptr;
    widget3D* m_window = nullptr; // owned by its container
};
