#pragma once
// Vectors and affine matrices of the 3-D library. Scene space is right-handed with Y up; a
// matrix maps a point p to R·p + t (column vectors), and rotations by positive angles turn
// counterclockwise when seen looking down the axis towards the origin.

namespace q71::r3d {

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
    friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
    friend Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
    friend bool operator==(const Vec3&, const Vec3&) = default;
};

float dot(Vec3 a, Vec3 b);
Vec3 cross(Vec3 a, Vec3 b);
float length(Vec3 a);
/// The vector scaled to length 1; the zero vector stays zero.
Vec3 normalised(Vec3 a);

/// How a new transform meets the one standing: it takes its place, it is applied before the
/// standing one (pre-concatenation), or after it (post-concatenation).
enum class Combine { Replace = 0, Precat = 1, Postcat = 2 };

enum class Axis { X, Y, Z };

/// An affine transform: columns of the rotation part, then the translation.
struct Matrix {
    Vec3 c0{1.0f, 0.0f, 0.0f};
    Vec3 c1{0.0f, 1.0f, 0.0f};
    Vec3 c2{0.0f, 0.0f, 1.0f};
    Vec3 t{};

    static Matrix identity() { return {}; }
    static Matrix translation(Vec3 by);
    static Matrix scaling(Vec3 by);
    /// A rotation about a principal axis by degrees.
    static Matrix rotation(Axis axis, float degrees);
    /// A rotation about any axis (normalised here) by degrees; the identity for a zero axis.
    static Matrix rotation(Vec3 axis, float degrees);
    /// A rotation by the angle whose cosine is given (clamped to -1 ... 1; 0 ... 180 degrees).
    static Matrix rotationByCosine(Vec3 axis, float cosine);

    Vec3 apply(Vec3 p) const;
    /// The rotation-and-scale part applied to a direction.
    Vec3 applyDirection(Vec3 d) const;

    friend bool operator==(const Matrix&, const Matrix&) = default;
};

/// a∘b: the transform that applies b first, then a.
Matrix compose(const Matrix& a, const Matrix& b);
/// The standing transform combined with a new one.
Matrix combine(const Matrix& standing, const Matrix& added, Combine how);
/// The inverse of a rigid or uniformly scaled transform (general 3x3 inverse; the identity for a
/// singular matrix).
Matrix inverse(const Matrix& m);

} // namespace q71::r3d
