// The object and route-point boxes' fields: what the player types in feet, knots, yards and
// minutes becomes the record's fields, and what does not read is named, changing nothing.

#include "editor/missioneditor/object_form.h"
#include "sim/simulation/own_ship_starts.h"
#include "sim/support/world_harness.h"
#include "stations/geninfo/order_read_out.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace q71::test {
namespace {

class ObjectForm : public ::testing::Test {
protected:
    RecordTable records{harnessRecords()}; // "Frigate" (ship), "Hunter" (sub), "Patrol" (plane)

    static ScenarioRecord unit() {
        ScenarioRecord r;
        r.type = kScenarioSurfaceShip;
        r.typeName = "Frigate";
        r.side = 2;
        r.level = 2;
        r.patrolMode = 3;
        r.speed = 10;
        return r;
    }
};

TEST_F(ObjectForm, TheTypedFieldsBecomeTheRecordsInItsUnits) {
    ScenarioRecord record = unit();
    ObjectFormTexts texts = objectFormTexts(record);
    texts[kFieldName] = "hunter"; // records are found without regard to case
    texts[kFieldSide] = "4";
    texts[kFieldLevel] = "3";
    texts[kFieldCourse] = "275";
    texts[kFieldDepth] = "-400";
    texts[kFieldSpeed] = "8";
    texts[kFieldMode] = "5";
    texts[kFieldBoxWest] = "-8000";
    texts[kFieldBoxSouth] = "-6000.5";
    texts[kFieldBoxEast] = "8000";
    texts[kFieldBoxNorth] = "6000";
    texts[kFieldBuoys] = "12";
    texts[kFieldDelay] = "7.5";
    texts[kFieldSpreadWidth] = "2000";
    texts[kFieldSpreadHeight] = "0";
    ObjectField bad = kFieldLatitude;
    ASSERT_TRUE(objectFormRead(texts, record, bad));
    EXPECT_EQ(record.typeName, "Hunter");
    EXPECT_EQ(record.type, kScenarioSubmarine) << "the record's kind gives the unit's type";
    EXPECT_EQ(record.side, 4);
    EXPECT_EQ(record.course, 275);
    EXPECT_EQ(record.depth, -400);
    EXPECT_EQ(record.patrolMode, 5);
    EXPECT_EQ(record.boxSouth, -6000.5);
    EXPECT_EQ(record.areaFlag, 12);
    EXPECT_EQ(record.entryDelay, 450.0) << "minutes become game seconds";
    EXPECT_EQ(record.randomPlacement, 1);
    EXPECT_EQ(record.randomWidth, 2000.0);

    // Written back, the texts read to the same record.
    ScenarioRecord again = unit();
    ASSERT_TRUE(objectFormRead(objectFormTexts(record), again, bad));
    EXPECT_EQ(again.entryDelay, record.entryDelay);
    EXPECT_EQ(again.boxSouth, record.boxSouth);
    EXPECT_EQ(again.type, record.type);
}

TEST_F(ObjectForm, ModeEightsPatternIsKeptInMetresAndShownInYards) {
    ScenarioRecord record = unit();
    record.patrolMode = 8;
    record.boxEast = 914.4; // 1000 yd
    record.boxNorth = 500.0;
    ObjectFormTexts texts = objectFormTexts(record);
    EXPECT_EQ(texts[kFieldBoxEast], "1000");
    EXPECT_EQ(texts[kFieldBoxNorth], "546.807");
    ObjectField bad = kFieldLatitude;

    struct Case {
        const char* mode;
        const char* east;
        const char* north;
        double boxEast, boxNorth;
    } cases[] = {
        {"8", "1000", "546.807", 914.4, 500.0},  // as shown: the metres stay as they were
        {"8", "2000", "546.807", 1828.8, 500.0}, // a side typed anew, in yards
        {"3", "1000", "546.807", 1000.0, 546.807}, // another mode keeps yards
    };
    for (const Case& c : cases) {
        ScenarioRecord edited = record;
        texts[kFieldMode] = c.mode;
        texts[kFieldBoxEast] = c.east;
        texts[kFieldBoxNorth] = c.north;
        ASSERT_TRUE(objectFormRead(texts, edited, bad)) << c.mode << " " << c.east;
        EXPECT_NEAR(edited.boxEast, c.boxEast, 1e-9) << c.mode << " " << c.east;
        EXPECT_NEAR(edited.boxNorth, c.boxNorth, 1e-9) << c.mode << " " << c.east;
    }

    // A unit that takes mode 8 has its typed yards made metres.
    ScenarioRecord patrol = unit();
    texts = objectFormTexts(patrol);
    texts[kFieldMode] = "8";
    texts[kFieldBoxEast] = "500";
    ASSERT_TRUE(objectFormRead(texts, patrol, bad));
    EXPECT_NEAR(patrol.boxEast, 457.2, 1e-9);
}

TEST(ObjectFormModes, EachPatrolModeShowsTheFieldsItUsesLabelledForIt) {
    // The record's fields by mode (docs/scenarios.md): sides 4, 5; area width, height and buoys 6;
    // pattern width and height 8; pattern size 9.
    struct Case {
        std::optional<long> mode;
        bool west, south, east, north, buoys;
        const char* eastLabel;
        const char* northLabel;
    } cases[] = {
        {3, false, false, false, false, false, nullptr, nullptr},
        {4, true, true, true, true, false, nullptr, nullptr},
        {5, true, true, true, true, false, nullptr, nullptr},
        {6, false, false, true, true, true, "Largeur zone (yards)", "Hauteur zone (yards)"},
        {8, false, false, true, true, false, "Largeur motif (yards)", "Hauteur motif (yards)"},
        {9, false, false, true, false, false, "Taille motif (yards)", nullptr},
        {std::nullopt, true, true, true, true, true, nullptr, nullptr}, // a mode that does not read
    };
    const auto label = [](const char* text) { return text ? std::optional<std::string>(text) : std::nullopt; };
    for (const Case& c : cases) {
        const long shown = c.mode.value_or(-1);
        EXPECT_EQ(objectFieldOfMode(kFieldBoxWest, c.mode), c.west) << shown;
        EXPECT_EQ(objectFieldOfMode(kFieldBoxSouth, c.mode), c.south) << shown;
        EXPECT_EQ(objectFieldOfMode(kFieldBoxEast, c.mode), c.east) << shown;
        EXPECT_EQ(objectFieldOfMode(kFieldBoxNorth, c.mode), c.north) << shown;
        EXPECT_EQ(objectFieldOfMode(kFieldBuoys, c.mode), c.buoys) << shown;
        EXPECT_TRUE(objectFieldOfMode(kFieldDelay, c.mode) && objectFieldOfMode(kFieldSpeed, c.mode)) << shown;
        EXPECT_EQ(objectModeLabel(kFieldBoxEast, c.mode), label(c.eastLabel)) << shown;
        EXPECT_EQ(objectModeLabel(kFieldBoxNorth, c.mode), label(c.northLabel)) << shown;
    }
}

TEST_F(ObjectForm, AStartShowsTheFeetShipControlWillShowAndKeepsOnlyItsOwnFields) {
    // What ship control reads for the boat placed from a start record.
    const auto shipControlFeet = [](const ScenarioRecord& record) {
        return depthFeetOf(ownShipStartFromRecord(record).depth);
    };
    ScenarioRecord start;
    start.type = kScenarioOwnShipStart;
    start.typeName = "Orque";
    for (const int depth : {-128, -300, -28}) {
        start.depth = depth;
        EXPECT_EQ(objectFormTexts(start)[kFieldDepth], std::to_string(shipControlFeet(start))) << depth;
    }
    ObjectFormTexts texts = objectFormTexts(start);
    texts[kFieldName] = "Nautile";
    texts[kFieldSide] = "nothing a start reads";
    for (const int feet : {60, 100, 128, 450}) {
        texts[kFieldDepth] = std::to_string(feet);
        ObjectField bad = kFieldLatitude;
        ASSERT_TRUE(objectFormRead(texts, start, bad));
        EXPECT_EQ(shipControlFeet(start), feet) << "a start saved at " << feet << " ft starts there";
    }
    EXPECT_EQ(start.typeName, "Nautile") << "a boat's name is no record";
    EXPECT_EQ(start.type, kScenarioOwnShipStart);
    EXPECT_FALSE(objectFieldOfStart(kFieldMode));
    EXPECT_TRUE(objectFieldOfStart(kFieldSpreadHeight));
}

TEST_F(ObjectForm, AFieldThatDoesNotReadIsNamedAndNothingChanges) {
    struct Case {
        ObjectField field;
        const char* text;
    };
    const std::vector<Case> cases{
        {kFieldName, "Yamato"},     {kFieldName, ""},          {kFieldSide, "5"},
        {kFieldLevel, "0"},         {kFieldCourse, "360"},     {kFieldCourse, "nord"},
        {kFieldDepth, "-40000"},    {kFieldSpeed, "-1"},       {kFieldSpeed, "12 nds"},
        {kFieldMode, "20"},         {kFieldBoxWest, "inf"},    {kFieldBoxNorth, "1e9"},
        {kFieldBuoys, "256"},       {kFieldDelay, "-1"},       {kFieldSpreadWidth, "-5"},
    };
    for (const Case& c : cases) {
        const ScenarioRecord before = unit();
        ScenarioRecord record = before;
        ObjectFormTexts texts = objectFormTexts(record);
        texts[c.field] = c.text;
        ObjectField bad = kFieldLatitude;
        EXPECT_FALSE(objectFormRead(texts, record, bad)) << c.text;
        EXPECT_EQ(bad, c.field) << c.text;
        EXPECT_EQ(record.typeName, before.typeName);
        EXPECT_EQ(record.speed, before.speed) << c.text;
    }
    ScenarioRecord start;
    start.type = kScenarioOwnShipStart;
    ObjectFormTexts texts = objectFormTexts(start);
    texts[kFieldName] = std::string(32, 'n');
    ObjectField bad = kFieldLatitude;
    EXPECT_FALSE(objectFormRead(texts, start, bad));
    EXPECT_EQ(bad, kFieldName) << "a name of 32 bytes does not fit its field";
}

TEST_F(ObjectForm, ARoutePointShowsFeetAndKnotsAndKeepsMetres) {
    const auto texts = waypointFormTexts(-30, 12);
    EXPECT_EQ(texts[0], "-98");
    EXPECT_EQ(texts[1], "12");
    int depth = 0, speed = 0;
    ASSERT_TRUE(waypointFormRead({"-100", "7"}, depth, speed));
    EXPECT_EQ(depth, -30);
    EXPECT_EQ(speed, 7);
    EXPECT_FALSE(waypointFormRead({"-100", "vite"}, depth, speed));
    EXPECT_FALSE(waypointFormRead({"", "7"}, depth, speed));
    EXPECT_EQ(depth, -30) << "unchanged";
}

} // namespace
} // namespace q71::test
