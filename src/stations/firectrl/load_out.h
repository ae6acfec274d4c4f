#pragma once
// What the load-out page shows, worked out from the launchers and the own boat's stock: a lamp
// per cell, per tube and per rack place, and the totals by weapon type and countermeasure kind.

#include "stations/firectrl/fire_layout.h"

#include <array>
#include <cstdint>

namespace q71 {

/// The frames of the weapon lamps.
enum LoadOutLamp : int {
    kLampEmpty = 0,
    kLampTomahawk = 1,
    kLampHarpoon = 2,
    kLampAdcap = 3,
    kLampSlmm = 4,
};

struct LoadOutPicture {
    std::array<int, 12> cells{};
    std::array<int, 4> tubes{};
    std::array<int, kLoadOutRackLamps> rack{};
    /// Tomahawk, Harpoon, ADCAP, SLMM, countermeasures A and B.
    std::array<std::int32_t, 6> totals{};
};

/// The stock the picture is drawn from: the own boat's weapon counters by weapon type (ADCAP,
/// SLMM, Harpoon, Tomahawk), its countermeasures A and B, and the launchers' weapon types.
struct LoadOutSource {
    std::array<std::int32_t, 4> stock{};
    std::array<std::int32_t, 2> countermeasures{};
    std::array<std::int32_t, 12> cellTypes{};
    std::array<std::int32_t, 4> tubeTypes{};
};

/// The rack fills Tomahawks, Harpoons, ADCAPs and SLMMs in that order and stops at its last lamp;
/// a negative counter counts as none, in the lamps and in the totals.
LoadOutPicture loadOutPicture(const LoadOutSource& source);

/// The running mission's launchers and own boat (all empty without them).
LoadOutSource loadOutSourceNow();

} // namespace q71
