#pragma once
// The arithmetic of a 3-D view's frame that does not touch the library: which objects are in
// view, how far distant ships sink below the horizon, where the sky backdrop stands, and the
// seaway's roll and pitch.

#include "render3d/camera.h"
#include "render3d/math.h"

namespace q71 {

/// Objects this near the camera (scene units) are drawn whatever their bearing.
inline constexpr float kAlwaysShownRange = 50.0f;
/// The bearing cone of the views: 24 degrees either side of the look.
inline constexpr float kViewConeHalfAngle = 0.4188790169f;

/// v brought into [0, period) by whole periods.
double wrapInto(double v, double period);
/// b − a brought into −π ... π.
float bearingDifference(float a, float b);
/// Compass bearing (radians, −π ... π) of a scene direction: 0 north (−Z), π/2 east (+X).
float sceneBearing(float dx, float northward);
/// Visible: inside the range and the cone about the look, or close by.
bool objectInView(float distance, float range, float offBearing, float coneHalfAngle);
/// How far (scene units) an object of the kind at the distance sinks for a camera at height H
/// (nothing without hull-down, or with the camera at or below the surface).
float hullDownDrop(int kind, float distance, float cameraHeight, bool hullDown);
/// The visibility range of an object of the kind.
float visibilityRange(int kind, bool hullDown, float farClip);

struct BackdropPlacement {
    int offsetX = 0;
    int offsetY = 0;
    r3d::Viewport viewport;
};
/// Where the sky backdrop stands for a look vector in a W × H view showing the fields of view
/// (radians) at the zoom; withBackdrop false gives the whole viewport.
BackdropPlacement placeBackdrop(r3d::Vec3 look, int width, int height, double fieldX, double fieldY,
                                double zoom, bool withBackdrop);

/// The seaway's pitch (about X) and roll (about Z) in degrees of a hull of the size at half
/// the sea state, from its two phases (whole degrees of the cosine table).
struct SeawayAngles {
    double pitch = 0.0;
    double roll = 0.0;
};
SeawayAngles seawayAngles(double halfSeaState, double size, double phase1, double phase2);
/// The two phases advanced by a step of dt seconds, wrapped into [0, 360).
void advanceSeaway(double size, double dt, double& phase1, double& phase2);

} // namespace q71
