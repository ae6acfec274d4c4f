#pragma once
// Fog, shared by every view: while switched on, the current fog blends what is drawn toward the
// camera's background colour, from nothing at the fog distance to full at the far clip.

namespace q71::r3d {

struct Fog {
    /// Kept; the blend goes toward each camera's background colour.
    float red = 0.0f, green = 0.0f, blue = 0.0f;
    float distance = 0.0f;
};

Fog* createFog(float red, float green, float blue);
/// Destroying the current fog leaves no fog current.
void destroyFog(Fog* fog);
void makeFogCurrent(Fog* fog);
/// Non-finite or negative distances are ignored.
void setFogDistance(Fog& fog, float distance);
void switchFog(bool on);
/// The fog in force (current and switched on), or null.
const Fog* fogInForce();

} // namespace q71::r3d
