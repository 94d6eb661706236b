#pragma once

#include <QPoint>
#include <optional>

// Attitude arithmetic of the IMU console and its 3D view, without the GUI module.
namespace Attitude {

// A quaternion w + xi + yj + zk, in single precision like the toolkit's.
struct Quaternion
{
    float w = 1;
    float x = 0;
    float y = 0;
    float z = 0;
};

// Angles in degrees of the rotation that turns first about Z (roll), then about X (pitch), then
// about Y (yaw), as the toolkit's QQuaternion::getEulerAngles reports them. A quaternion of any
// non-zero length is taken as its normalised rotation.
struct EulerAngles
{
    float pitch = 0; // about X
    float yaw = 0;   // about Y
    float roll = 0;  // about Z
};
EulerAngles eulerAngles(const Quaternion& q);

// The quaternion scaled to length 1, or empty when it describes no rotation: a component that is
// not finite, or all four zero.
std::optional<Quaternion> unitQuaternion(double w, double x, double y, double z);

// Camera distance change of one wheel event: the pixel delta when it is non-zero, else a tenth of
// the angle delta; pushing away (negative y) brings the camera closer. Empty when the event
// carries no movement.
std::optional<double> wheelStep(const QPoint& pixelDelta, const QPoint& angleDelta);

// New camera distance from the view centre after a wheel step, kept between twice the near plane
// and 0.9 times the far plane.
double zoomedDistance(double distance, double step, double nearPlane, double farPlane);

// Mouse-drag rotation: degrees per pixel of movement.
inline constexpr float dragDegreesPerPixel = 0.4f;

} // namespace Attitude
