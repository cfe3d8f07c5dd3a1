// Three single-precision floats: a point (x, y, z) or a colour (r, g, b).
#pragma once

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    void Set(float newX, float newY, float newZ);
    // Componentwise this - other, each component rounded to float.
    Vector3 Minus(const Vector3& other) const;
    // Square root of the sum of squares, formed in double precision.
    double Length() const;
};
