#pragma once
// The high-frequency sonar's rules: which entities show on its display as echoes, how bright,
// and which of them a click or the crew designates as contacts.

#include "render3d/math.h"

#include <optional>
#include <vector>

namespace q71 {

class Entity;
class OwnShipEntity;

/// How far the sonar sees, in scene units (0.1 m).
inline constexpr float kHfSonarReach = 600.0f;

/// The box an echo shows as, in scene units: across, along and high.
struct HfEchoBox {
    float width = 0.0f, length = 0.0f, height = 0.0f;
};

/// The box of an entity category; none for the categories the sonar does not show (aircraft,
/// missiles, anything else).
std::optional<HfEchoBox> hfEchoBox(int category);

struct HfEcho {
    Entity* entity = nullptr;
    r3d::Vec3 at;          ///< scene position
    float distance = 0.0f; ///< from the camera, scene units
    HfEchoBox box;
};

/// The world's entities, the own boat left out, that show within reach of a camera at a scene
/// position; farthest first, so that nearer echoes are drawn over farther ones.
std::vector<HfEcho> hfSonarEchoes(const Entity* own, r3d::Vec3 camera);

/// An echo's brightness: 1 at the camera, 0.5 at the reach.
float hfEchoBrightness(float distance);

/// How far designation reaches this frame: the crew's reach by their level (0-5) when crew
/// assistance is on, else 450 after a click; none without either.
std::optional<float> hfDesignationReach(bool clicked, bool crewAssist, int crewLevel);

/// Designates every echo nearer than the reach that lies within 90 degrees of the boat's
/// heading: the active sonar's position is brought to the boat, the contact registered and a
/// meeting posted to scoring. Returns how many were designated.
int hfSonarDesignate(OwnShipEntity& own, const std::vector<HfEcho>& echoes, float reach);

} // namespace q71
