#pragma once
// Which of a contact's fixes the TMA plot shows: the operator's choice of sensor types, or, until
// the operator chooses, the type with the most recent fix; and how far back the history goes. The
// own boat keeps the choice for the mission; a saved mission does not carry it.

#include "sim/entities/contact_record.h"

#include <array>
#include <cstdint>

namespace q71 {

/// Units of the TMA's history window, game seconds.
inline constexpr double kTmaHistoryUnit = 120.0;

struct TmaSources {
    std::array<bool, kSensorTypeCount> shown{}; ///< per sensor type: its fixes are drawn
    bool explicitSelection = false;             ///< the operator chose the types above
    std::int32_t historyWindow = 5;             ///< units of kTmaHistoryUnit

    /// Back to the most recent type: no type chosen.
    void clear() {
        shown.fill(false);
        explicitSelection = false;
    }
};

} // namespace q71
