#pragma once
// The settings the station screens keep with the own boat (`OwnShipMotion::stationSettings`):
// the sonar displays' switches, knobs and selected array from index 1 on, in the order the
// displays keep them, and the fathometer's knobs further on. A saved mission may hold any
// value, so the displays read them through stationSetting, which gives the default for a value
// outside the setting's range.

#include <array>
#include <cstdint>

namespace q71 {

class OwnShipMotion;

/// The named settings, by their index in `stationSettings`.
enum StationSetting : int {
    kSettingActivePing = 1,         ///< active ping switch, 0 or 1
    kSettingActiveOrientation = 2,  ///< active orientation switch: 0 offset 180, 1 offset 0
    kSettingActiveRange = 3,        ///< active range-scale index, 0 to 4
    kSettingDemonScale = 4,         ///< DEMON frequency-scale index, 0 to 2
    kSettingDemonDivisor = 5,       ///< DEMON rate divisor, 6 to 30
    kSettingArray = 6,              ///< selected array index, 0 to 2
    kSettingNarrowbandScale = 7,    ///< narrowband frequency-scale index, 0 to 5
    kSettingNarrowbandOrientation = 8, ///< 0 offset 0, 1 offset 180
    kSettingBroadbandListening = 9, ///< 0 or 1
    kSettingBroadbandOrientation = 10, ///< 0 offset 0, 1 offset 180
    kSettingBroadbandUpperScale = 11,  ///< upper waterfall's time-scale index, 0 to 2
    kSettingBroadbandLowerScale = 12,  ///< lower waterfall's time-scale index, 0 to 2
};

/// Settings kept with the boat.
inline constexpr int kStationSettingCount = 31;

/// The values a new boat starts with.
inline constexpr std::array<std::int32_t, kStationSettingCount> kStationSettingDefaults{
    1, 0, 0, 0, 1, 6, 2, 5, 1, 1, 1, 0, 1, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2};

/// The value of a named setting; its default when the stored value lies outside its range.
std::int32_t stationSetting(const OwnShipMotion& motion, StationSetting setting);

/// Stores a named setting.
void setStationSetting(OwnShipMotion& motion, StationSetting setting, std::int32_t value);

} // namespace q71
