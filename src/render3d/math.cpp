#include "render3d/math.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71::r3d {

float dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float length(Vec3 a) {
    return std::sqrt(dot(a, a));
}

Vec3 normalised(Vec3 a) {
    const float l = length(a);
    return l > 0.0f ? a * (1.0f / l) : Vec3{};
}

Matrix Matrix::translation(Vec3 by) {
    Matrix m;
    m.t = by;
    return m;
}

Matrix Matrix::scaling(Vec3 by) {
    Matrix m;
    m.c0.x = by.x;
    m.c1.y = by.y;
    m.c2.z = by.z;
    return m;
}

namespace {

// Rodrigues' rotation from a cosine and sine, in double so that whole-degree turns come out exact.
Matrix rotationFrom(Vec3 axis, double c, double s) {
    const Vec3 n = normalised(axis);
    if (n == Vec3{})
        return {};
    const double x = n.x, y = n.y, z = n.z, k = 1.0 - c;
    auto f = [](double v) { return static_cast<float>(v); };
    Matrix m;
    m.c0 = {f(c + x * x * k), f(y * x * k + z * s), f(z * x * k - y * s)};
    m.c1 = {f(x * y * k - z * s), f(c + y * y * k), f(z * y * k + x * s)};
    m.c2 = {f(x * z * k + y * s), f(y * z * k - x * s), f(c + z * z * k)};
    return m;
}

// Sine and cosine of whole quarter turns are exact, so that a model turned by 90 degrees keeps
// its vertices on the grid.
void sinCosDegrees(double degrees, double& s, double& c) {
    const double quarters = degrees / 90.0;
    if (quarters == std::floor(quarters)) {
        static constexpr double kSin[] = {0.0, 1.0, 0.0, -1.0};
        const auto q = static_cast<long long>(std::fmod(quarters, 4.0) + 4.0) % 4;
        s = kSin[q];
        c = kSin[(q + 1) % 4];
        return;
    }
    const double r = degrees * std::numbers::pi / 180.0;
    s = std::sin(r);
    c = std::cos(r);
}

Vec3 axisVector(Axis axis) {
    switch (axis) {
    case Axis::X:
        return {1.0f, 0.0f, 0.0f};
    case Axis::Y:
        return {0.0f, 1.0f, 0.0f};
    case Axis::Z:
        break;
    }
    return {0.0f, 0.0f, 1.0f};
}

} // namespace

Matrix Matrix::rotation(Axis axis, float degrees) {
    return rotation(axisVector(axis), degrees);
}

Matrix Matrix::rotation(Vec3 axis, float degrees) {
    double s = 0.0, c = 1.0;
    if (std::isfinite(degrees))
        sinCosDegrees(degrees, s, c);
    return rotationFrom(axis, c, s);
}

Matrix Matrix::rotationByCosine(Vec3 axis, float cosine) {
    const double c = std::isfinite(cosine) ? std::clamp(static_cast<double>(cosine), -1.0, 1.0) : 1.0;
    return rotationFrom(axis, c, std::sqrt(1.0 - c * c));
}

Vec3 Matrix::apply(Vec3 p) const {
    return applyDirection(p) + t;
}

Vec3 Matrix::applyDirection(Vec3 d) const {
    return {c0.x * d.x + c1.x * d.y + c2.x * d.z, c0.y * d.x + c1.y * d.y + c2.y * d.z,
            c0.z * d.x + c1.z * d.y + c2.z * d.z};
}

Matrix compose(const Matrix& a, const Matrix& b) {
    Matrix m;
    m.c0 = a.applyDirection(b.c0);
    m.c1 = a.applyDirection(b.c1);
    m.c2 = a.applyDirection(b.c2);
    m.t = a.apply(b.t);
    return m;
}

Matrix combine(const Matrix& standing, const Matrix& added, Combine how) {
    switch (how) {
    case Combine::Precat:
        return compose(standing, added);
    case Combine::Postcat:
        return compose(added, standing);
    case Combine::Replace:
        break;
    }
    return added;
}

Matrix inverse(const Matrix& m) {
    // Rows of the inverse are the cross products of the columns, over the determinant.
    const Vec3 r0 = cross(m.c1, m.c2);
    const Vec3 r1 = cross(m.c2, m.c0);
    const Vec3 r2 = cross(m.c0, m.c1);
    const float det = dot(m.c0, r0);
    if (det == 0.0f || !std::isfinite(det))
        return {};
    const float k = 1.0f / det;
    Matrix inv;
    inv.c0 = {r0.x * k, r1.x * k, r2.x * k};
    inv.c1 = {r0.y * k, r1.y * k, r2.y * k};
    inv.c2 = {r0.z * k, r1.z * k, r2.z * k};
    inv.t = inv.applyDirection(m.t) * -1.0f;
    return inv;
}

} // namespace q71::r3d
