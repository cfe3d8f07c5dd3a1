#include "common/Vector3.h"

#include <cmath>

void Vector3::Set(float newX, float newY, float newZ) {
    x = newX;
    y = newY;
    z = newZ;
}

Vector3 Vector3::Minus(const Vector3& other) const {
    Vector3 difference;
    difference.x = float(double(x) - double(other.x));
    difference.y = float(double(y) - double(other.y));
    difference.z = float(double(z) - double(other.z));
    return difference;
}

double Vector3::Length() const {
    double dx = x, dy = y, dz = z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}
