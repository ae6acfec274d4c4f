#pragma once
// The acoustic environment of a mission: a profile of 24 depths with water temperature and
// sound speed, the depth of the sonic layer, the bottom under the own boat and the ambient
// noise the acoustic sensors compare against. Built at mission start and after a load; the
// layer then follows the bottom under the own boat in every pass of the main loop.

#include <array>
#include <cstdint>
#include <optional>

namespace q71 {

struct SoundProfile {
    static constexpr int kLevels = 24;
    std::array<double, kLevels> depth{};       ///< metres, negative, index 0 at the surface
    std::array<double, kLevels> temperature{}; ///< degrees Fahrenheit
    std::array<double, kLevels> speed{};       ///< yards per second
    double layerDepth = 0.0;                   ///< metres, negative; 0 for isothermal water
    double layerDepthBase = -1.0;              ///< −1 until chosen; a saved mission keeps it
    double bottomDepth = 0.0;                  ///< under the own boat, metres, not below −1524
    double background = 0.0;                   ///< the ambient noise of the water
    double ambientNoise = 0.0;                 ///< the ambient noise now (explosions raise it)
};

/// The mission's acoustic environment.
SoundProfile& soundProfile();

/// Builds the profile for a scenario's sound-profile kind (1 isothermal, 2 a deep layer, any other
/// a layer down to the bottom) at the map origin's latitude, over the bottom under the own boat
/// (terrain height with noise; nothing when the terrain does not know it, taken as deep water).
void simBuildSoundProfile(std::uint32_t kind, std::optional<double> bottomUnderOwnShip);

/// The profile of the mission's water over another bottom, without touching the mission's: the
/// levels, layer and bottom worked out from the mission's layer base and background as
/// simBuildSoundProfile works them out, drawing nothing from the world's random sequence and
/// leaving the ambient noise as it is. A probe launched from the boat reads this.
SoundProfile simSoundProfileFor(std::uint32_t kind, std::optional<double> bottomUnderOwnShip);

/// Moves the layer with the bottom under the own boat; isothermal water keeps no layer.
void simUpdateLayerDepth(std::optional<double> bottomUnderOwnShip);

} // namespace q71
