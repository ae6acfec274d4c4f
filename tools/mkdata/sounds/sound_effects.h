#pragma once
// The sound effects of the data set, each made by code from its name's seed, and the
// generator that writes them into the effects folder.

#include "mkdata/generator.h"
#include "mkdata/sounds/dsp.h"

#include <span>

namespace q71::mkdata {

struct SoundEffect {
    const char* name; ///< the wave's file name, as the program asks for it
    Signal (*make)(Noise& noise);
    double loopSeconds = 0.0; ///< a looping sound's length; it is made that much plus the crossfade
};

/// Clicks of buttons, switches and levers, and the torpedo tube's and cells' valves.
std::span<const SoundEffect> controlEffects();
/// Pings, the sonar's background, the intercept receivers' tones and the probe.
std::span<const SoundEffect> sonarEffects();
/// The boat: engine, ballast, hull, launches, masts and winches, and the captain's bells.
std::span<const SoundEffect> boatEffects();
/// Explosions, implosions and collisions.
std::span<const SoundEffect> explosionEffects();
/// What the sonar hears of each kind of platform.
std::span<const SoundEffect> platformEffects();

/// The crossfade that joins a looping sound's end to its start.
inline constexpr double kLoopCrossfade = 0.15;

/// Writes every effect into the data set's effects folder.
void generateSounds(const Context& context);

} // namespace q71::mkdata
