#include "own_boat_world.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/motion/station_settings.h"
#include "sim/entities/sensors/track_slot.h"
#include "sim/entities/types/own_submarine.h"

#include <gtest/gtest.h>


namespace q71::test {
namespace {

using StationSettings = OwnBoatWorld;

// The sonar settings start as a new boat keeps them: the divisor 6, the hull array 2 and the
// narrowband scale 5 at their places, every switch in its first position.
TEST_F(StationSettings, NewBoatStartsWithTheSonarDefaults) {
    const std::pair<StationSetting, int> expected[] = {
        {kSettingActivePing, 0},          {kSettingActiveOrientation, 0}, {kSettingActiveRange, 0},
        {kSettingDemonScale, 1},          {kSettingDemonDivisor, 6},      {kSettingArray, 2},
        {kSettingNarrowbandScale, 5},     {kSettingNarrowbandOrientation, 1},
        {kSettingBroadbandListening, 1},  {kSettingBroadbandOrientation, 1},
        {kSettingBroadbandUpperScale, 0}, {kSettingBroadbandLowerScale, 1}};
    for (const auto& [setting, value] : expected)
        EXPECT_EQ(stationSetting(*boat, setting), value) << setting;
}

// A saved mission may hold anything: a value outside a setting's range reads as its default,
// the range's own ends as they stand.
TEST_F(StationSettings, OutOfRangeValuesReadAsTheDefault) {
    struct Case {
        StationSetting setting;
        int stored, read;
    } cases[] = {
        {kSettingActiveRange, 4, 4},   {kSettingActiveRange, 5, 0},   {kSettingActiveRange, -1, 0},
        {kSettingDemonDivisor, 6, 6},  {kSettingDemonDivisor, 30, 30}, {kSettingDemonDivisor, 5, 6},
        {kSettingDemonDivisor, 31, 6}, {kSettingArray, 3, 2},          {kSettingNarrowbandScale, 6, 5},
        {kSettingBroadbandListening, 2, 1}, {kSettingBroadbandLowerScale, 2, 2},
        {kSettingBroadbandUpperScale, 1000000, 0},
    };
    for (const Case& c : cases) {
        setStationSetting(*boat, c.setting, c.stored);
        EXPECT_EQ(stationSetting(*boat, c.setting), c.read) << c.setting << " stored " << c.stored;
        EXPECT_EQ(boat->stationSettings[static_cast<std::size_t>(c.setting)], c.stored);
    }
}

// A tracker's report: a mirror source goes as the mirror's type, the level caps the quality.
TEST(TrackerDetectionReport, CarriesTheTrackersSourceBearingRangeAndLevel) {
    TrackSlot tracker;
    tracker.lock(42, 10.0);
    tracker.bearing = 123.5;
    tracker.range = 4000.0;
    tracker.level = 77;
    tracker.sensorType = 4;
    DetectionReport report = trackerDetectionReport(tracker);
    EXPECT_EQ(report.sensorType, 4);
    EXPECT_EQ(report.entityId, 42);
    EXPECT_DOUBLE_EQ(report.bearing, 123.5);
    EXPECT_DOUBLE_EQ(report.range, 4000.0);
    EXPECT_EQ(report.quality, 77);
    EXPECT_DOUBLE_EQ(report.course, -1.0);

    tracker.source = -42;
    tracker.level = 300;
    report = trackerDetectionReport(tracker);
    EXPECT_EQ(report.sensorType, 3); // the mirror bearing's type
    EXPECT_EQ(report.entityId, -42);
    EXPECT_EQ(report.quality, 100);
}

} // namespace
} // namespace q71::test
