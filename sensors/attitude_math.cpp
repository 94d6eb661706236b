#include "sensors/attitude_math.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace Attitude {

EulerAngles eulerAngles(const Quaternion& q)
{
    float xx = q.x * q.x, xy = q.x * q.y, xz = q.x * q.z, xw = q.x * q.w;
    float yy = q.y * q.y, yz = q.y * q.z, yw = q.y * q.w;
    float zz = q.z * q.z, zw = q.z * q.w;
    const float lengthSquared = xx + yy + zz + q.w * q.w;
    if (!qFuzzyIsNull(lengthSquared - 1.0f) && !qFuzzyIsNull(lengthSquared)) {
        xx /= lengthSquared;
        xy /= lengthSquared;
        xz /= lengthSquared;
        xw /= lengthSquared;
        yy /= lengthSquared;
        yz /= lengthSquared;
        yw /= lengthSquared;
        zz /= lengthSquared;
        zw /= lengthSquared;
    }

    // Matrix of R = Ry(yaw) Rx(pitch) Rz(roll): m12 = -sin(pitch), m02/m22 give yaw, m10/m11 roll.
    const float pi2 = float(M_PI_2);
    EulerAngles e;
    const float sinPitch = std::clamp(-2.0f * (yz - xw), -1.0f, 1.0f);
    float pitch = std::asin(sinPitch);
    float yaw, roll;
    if (pitch < pi2 && pitch > -pi2) {
        yaw = std::atan2(2.0f * (xz + yw), 1.0f - 2.0f * (xx + yy));
        roll = std::atan2(2.0f * (xy + zw), 1.0f - 2.0f * (xx + zz));
    } else if (pitch >= pi2) {
        // Looking straight up or down only yaw - roll (or yaw + roll) is defined: report roll 0.
        roll = 0.0f;
        yaw = std::atan2(2.0f * (xy - zw), 1.0f - 2.0f * (yy + zz));
    } else {
        roll = 0.0f;
        yaw = std::atan2(-2.0f * (xy - zw), 1.0f - 2.0f * (yy + zz));
    }
    const float toDegrees = float(180.0 / M_PI);
    e.pitch = pitch * toDegrees;
    e.yaw = yaw * toDegrees;
    e.roll = roll * toDegrees;
    return e;
}

std::optional<Quaternion> unitQuaternion(double w, double x, double y, double z)
{
    if (!std::isfinite(w) || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
        return std::nullopt;
    // Scaled by the largest component first, so neither huge nor tiny inputs over- or underflow.
    const double largest = std::max({std::abs(w), std::abs(x), std::abs(y), std::abs(z)});
    if (largest == 0.0)
        return std::nullopt;
    w /= largest;
    x /= largest;
    y /= largest;
    z /= largest;
    const double length = std::sqrt(w * w + x * x + y * y + z * z);
    return Quaternion{float(w / length), float(x / length), float(y / length), float(z / length)};
}

std::optional<double> wheelStep(const QPoint& pixelDelta, const QPoint& angleDelta)
{
    double step;
    if (!pixelDelta.isNull())
        step = -pixelDelta.y();
    else if (!angleDelta.isNull())
        step = -angleDelta.y() * 0.1;
    else
        return std::nullopt;
    if (std::abs(step) <= 0.00001)
        return std::nullopt;
    return step;
}

double zoomedDistance(double distance, double step, double nearPlane, double farPlane)
{
    double next = distance + distance * (step * 0.05) * 0.1;
    next = std::min(next, 0.9 * farPlane);
    next = std::max(next, 2.0 * nearPlane);
    return next;
}

} // namespace Attitude
