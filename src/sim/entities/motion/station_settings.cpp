#include "sim/entities/motion/station_settings.h"

#include "sim/entities/motion/own_boat_motion.h"

namespace q71 {

namespace {

struct SettingRange {
    std::int32_t low, high;
};

// By StationSetting, from index 1.
constexpr SettingRange kRanges[] = {{0, 1}, {0, 1}, {0, 4}, {0, 2}, {6, 30}, {0, 2},
                                    {0, 5}, {0, 1}, {0, 1}, {0, 1}, {0, 2}, {0, 2}};

} // namespace

std::int32_t stationSetting(const OwnShipMotion& motion, StationSetting setting) {
    const auto index = static_cast<std::size_t>(setting);
    const SettingRange range = kRanges[index - 1];
    const std::int32_t value = motion.stationSettings[index];
    return value < range.low || value > range.high ? kStationSettingDefaults[index] : value;
}

void setStationSetting(OwnShipMotion& motion, StationSetting setting, std::int32_t value) {
    motion.stationSettings[static_cast<std::size_t>(setting)] = value;
}

} // namespace q71
