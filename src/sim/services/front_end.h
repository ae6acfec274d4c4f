#pragma once
// What the simulation asks of the front end: the player's options and the entity viewer's
// camera, from which explosions are heard while the viewer is open.

#include "sim/simulation/geometry.h"

#include <cstdint>

namespace q71 {

/// The fields of the options record the simulation reads (each 0 or 1 unless said otherwise).
enum OptionsField : int {
    kOptionChartShades = 2,       ///< non-zero: chart shading in 9 shades
    kOptionChartCellSize = 3,     ///< chart shading block size − 1
    kOptionAssistStation0 = 4,    ///< crew assistance automatic for stations 0, 1, 2 (fields 4 to 6)
    kOptionNoDamage = 7,          ///< the own boat takes no damage and loses no score by it
    kOptionLoudActiveSonar = 8,   ///< active sonar doubled, cavitation speeds raised
    kOptionSensitiveArrays = 9,   ///< passive-array detection doubled
    kOptionFastBoat = 10,         ///< own boat maximum speed 50 and no crush depth
    kOptionNoMastDamage = 11,     ///< masts, floating wire and towed arrays take no damage
    kOptionUnlimitedWeapons = 12, ///< launching leaves the inventory unchanged
    kOptionReportLevel = 18,      ///< 1: crew report level 1, else −1
    kOptionAssistByRank0 = 19,    ///< crew assistance by rank for stations 0, 1, 2 (fields 19 to 21)
    kOptionPopupTexts = 22,
};

/// The options record's fields, 32 bits each.
inline constexpr int kOptionsFieldCount = 45;

class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    /// A 32-bit field of the options record.
    virtual std::int32_t optionsField(int field) const = 0;
    /// Changes a field of the options record for the running program (a set-up forcing unlimited
    /// weapons for the time of its loading); the record on disk is not written.
    virtual void setOptionsField(int field, std::int32_t value) = 0;
    /// While the entity viewer is open: true, with its camera position in world metres.
    virtual bool entityViewerCamera(WorldPoint& position) const = 0;
};

} // namespace q71
