#include "frontend/model_framing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71 {
namespace {

constexpr double kMargin = 1.08;
constexpr int kRimPoints = 36;

} // namespace

ViewAngles viewAngles(float windowX, float windowY) {
    return {std::atan(windowX), std::atan(windowY)};
}

double modelFramingDistance(const r3d::Vec3& minimum, const r3d::Vec3& maximum, double aimY, double elevation,
                            ViewAngles view, double fallback) {
    if (!(minimum.x <= maximum.x && minimum.y <= maximum.y && minimum.z <= maximum.z))
        return fallback;
    // Turning about its axis the model sweeps a cylinder: its radius, and its top and bottom
    // about the aimed point.
    double radius = 0.0;
    for (const float x : {minimum.x, maximum.x})
        for (const float z : {minimum.z, maximum.z})
            radius = std::max(radius, std::hypot(double(x), double(z)));
    const double tanX = std::tan(std::clamp(view.halfX, 0.05, 1.5)),
                 tanY = std::tan(std::clamp(view.halfY, 0.05, 1.5));
    const double c = std::cos(elevation), s = std::sin(elevation);
    // Each point of the cylinder's rims, in the camera's frame: across, up and along the view
    // from the aimed point; the camera stands back far enough for each to fall in the picture.
    double distance = 0.0;
    for (const double h : {maximum.y - aimY, minimum.y - aimY})
        for (int k = 0; k < kRimPoints; ++k) {
            const double a = 2.0 * std::numbers::pi * k / kRimPoints;
            const double across = radius * std::cos(a), depth = radius * std::sin(a);
            const double up = h * c + depth * s, along = depth * c - h * s;
            distance = std::max({distance, std::fabs(across) / tanX - along, std::fabs(up) / tanY - along});
        }
    distance *= kMargin;
    return std::isfinite(distance) ? distance : fallback;
}

} // namespace q71
