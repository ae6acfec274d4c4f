// The stadimeter's arithmetic: range from the split, the readouts, the angle on the bow, the
// ship types it lists, and the limits of the split and of the pan.
#include "tactical/stadimeter/stadimeter_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace q71::test {
namespace {

TEST(StadimeterRange, HalfTheMastOverTheSineOfTheSplitsShareOfTheField) {
    // A 46-yard mast split by 30 of 300 rows at a field of 8 degrees: 0.8 degree.
    const auto range = stadimeterRange(30, 300, 8.0, 46.0);
    ASSERT_TRUE(range);
    EXPECT_NEAR(*range, 23.0 / std::sin(0.8 * std::numbers::pi / 180.0), 1e-6);
    EXPECT_NEAR(*range, 1647.3, 0.1);
    EXPECT_EQ(stadimeterRange(-30, 300, 8.0, 46.0), range) << "either half may be raised";
    struct NoRange {
        int split, height;
        double mast;
    };
    for (const NoRange& c : {NoRange{0, 300, 46.0}, NoRange{30, 0, 46.0}, NoRange{30, -5, 46.0}, NoRange{30, 300, 0.0}})
        EXPECT_FALSE(stadimeterRange(c.split, c.height, 8.0, c.mast)) << c.split << " " << c.height << " " << c.mast;
}

TEST(StadimeterRange, ReadoutsInTheirUnitsWithOneDecimal) {
    EXPECT_EQ(stadimeterRangeText(1852.0), "1760.0");
    EXPECT_EQ(stadimeterRangeText(std::nullopt), "");
    EXPECT_EQ(stadimeterMastText(1852.0 / 3.0), "1760.0");
    EXPECT_EQ(stadimeterMastText(0.0), "0.0");
}

TEST(StadimeterAspect, AngleOnTheBowFromTheYaw) {
    struct Case {
        double yaw;
        const char* text;
    };
    for (const Case& c : {Case{90.0, "Tribord 90"}, Case{-90.0, "Bâbord 90"}, Case{0.0, "180"}, Case{180.0, "0"},
                          Case{-180.0, "0"}, Case{135.0, "Tribord 45"}, Case{-30.0, "Bâbord 150"},
                          Case{450.0, "Tribord 90"}})
        EXPECT_EQ(stadimeterAspectText(c.yaw, "Bâbord", "Tribord"), c.text) << c.yaw;
    // A word of any length is taken whole.
    const std::string longWord(300, 'x');
    EXPECT_EQ(stadimeterAspectText(90.0, "", longWord), longWord + " 90");
}

TEST(StadimeterAspect, TurnsBroughtIntoTheirRanges) {
    struct Case {
        double in, half, full;
    };
    for (const Case& c : {Case{0.0, 0.0, 0.0}, Case{180.0, 180.0, 180.0}, Case{-180.0, 180.0, 180.0},
                          Case{190.0, -170.0, 190.0}, Case{-190.0, 170.0, 170.0}, Case{725.0, 5.0, 5.0},
                          Case{-725.0, -5.0, 355.0}, Case{360.0, 0.0, 0.0}}) {
        EXPECT_DOUBLE_EQ(stadimeterHalfTurn(c.in), c.half) << c.in;
        EXPECT_DOUBLE_EQ(stadimeterFullTurn(c.in), c.full) << c.in;
    }
    EXPECT_DOUBLE_EQ(stadimeterFullTurn(-1e-17), 0.0) << "never 360";
    EXPECT_DOUBLE_EQ(stadimeterFullTurn(NAN), 0.0);
}

TEST(StadimeterShipTypes, NamedTypesFirstThenEveryRecordWithAMast) {
    const std::vector<StadimeterRecord> records = {
        {"Sub", "Sous-marin", 0.0}, {"burke", "Destroyer", 46.0}, {"Tanker", "Pétrolier", 30.0},
        {"Merchant", "Cargo", 0.0}};
    const auto types = stadimeterShipTypes({{"Burke", "Le Burke"}, {"Merchant", "Le cargo"}, {"Tanker", ""}}, records);
    // The merchant's record has no mast and the tanker's label is missing: both named ones are left out.
    ASSERT_EQ(types.size(), 3u);
    EXPECT_EQ(types[0].key, "Burke");
    EXPECT_EQ(types[0].label, "Le Burke");
    EXPECT_EQ(types[1].key, "burke") << "the named type shows again in the records' order";
    EXPECT_EQ(types[1].label, "Destroyer");
    EXPECT_EQ(types[2].key, "Tanker");

    std::vector<std::string> keys;
    for (int i = 0; i < 130; ++i)
        keys.push_back("Ship" + std::to_string(i));
    std::vector<StadimeterRecord> many;
    for (const std::string& key : keys)
        many.push_back({key, key, 10.0});
    const auto capped = stadimeterShipTypes({}, many);
    ASSERT_EQ(capped.size(), 120u);
    EXPECT_EQ(capped.back().key, "Ship119");
}

TEST(StadimeterLimits, TheSplitStaysInsideThePicture) {
    EXPECT_EQ(stadimeterClampSplit(5, 0), 0) << "no picture";
    EXPECT_EQ(stadimeterClampSplit(400, 300), 299);
    EXPECT_EQ(stadimeterClampSplit(-400, 300), -299);
    EXPECT_EQ(stadimeterClampSplit(-7, 300), -7);
}

TEST(StadimeterLimits, ThePanShowsNoMoreThanThePicture) {
    // A 300 by 300 picture in a 301 by 200 window: no room across, 50 rows up and down.
    struct Case {
        StadimeterPan in;
        int split;
        StadimeterPan out;
    };
    for (const Case& c : {Case{{40, 80}, 0, {0, 50}}, Case{{0, -80}, 0, {0, -50}}, Case{{0, -80}, 20, {0, -30}},
                          Case{{0, 80}, -20, {0, 30}}, Case{{0, 10}, 0, {0, 10}}})
        EXPECT_EQ(stadimeterClampPan(c.in, 300, 300, c.split, 301, 200).y, c.out.y) << c.in.y << " " << c.split;
    // Wider than the window: 50 columns either way; a split past the spare rows centres it.
    EXPECT_EQ(stadimeterClampPan({-90, 0}, 400, 300, 0, 300, 200).x, -50);
    EXPECT_EQ(stadimeterClampPan({0, 80}, 300, 300, 120, 301, 200).y, 60) << "between 70 and 50";
    EXPECT_EQ(stadimeterClampPan({0, 7}, 0, 0, 0, 301, 200).y, 0) << "no picture: centred";
}

} // namespace
} // namespace q71::test
