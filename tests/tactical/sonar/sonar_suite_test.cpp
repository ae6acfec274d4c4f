// The sonar suite on a mission of the data set: the pages and their buttons, the shared array
// selection and digits, the contact label rule, and what the active and broadband pages do
// with the own boat's receivers.
#include "tactical/support/station_mission.h"

#include "framework/widgets/read_out_strips.h"
#include "sim/entities/contact_record.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/active_sonar.h"
#include "sim/entities/sensors/intercept_receivers.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "tactical/sonar/active_page.h"
#include "tactical/sonar/broadband_page.h"
#include "tactical/sonar/sonar_label.h"
#include "tactical/sonar/sonar_suite.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class SonarSuite : public StationMission {
protected:
    SonarSuiteScreen& openSuite() {
        auto& suite = buildStation<SonarSuiteScreen>(kStationSonar, "sonarsuite");
        showStation(kStationSonar);
        return suite;
    }
    OwnShipEntity& own() { return *worldOwnSubmarine(); }
    // An entity of the mission other than the own boat.
    Entity& someone() {
        for (auto* node = worldList().head(); node; node = node->next)
            if (node->item != worldOwnShip())
                return *node->item;
        throw std::runtime_error("no entity");
    }
    // A contact record of the own boat numbered for a slot, merged or not.
    ContactRecord& ownContact(int slot, int number, int merged) {
        auto* record = new ContactRecord;
        record->designation.numbers[static_cast<std::size_t>(slot)] = static_cast<std::uint8_t>(number);
        record->designation.numbers[13] = static_cast<std::uint8_t>(merged);
        own().contacts.appendItem(record);
        return *record;
    }
    static int dataPixels(const LevelDib& picture) {
        int count = 0;
        for (int y = 26; y <= 162; ++y) {
            auto row = const_cast<LevelDib&>(picture).row(y);
            for (int x = 17; x <= 252; ++x)
                count += row[static_cast<std::size_t>(x)] > 0 ? 1 : 0;
        }
        return count;
    }
};

TEST_F(SonarSuite, OpensOnBroadbandAndTheButtonsSwitchPages) {
    startMission("Sa1.scn");
    SonarSuiteScreen& suite = openSuite();
    EXPECT_EQ(suite.currentPage(), 3);
    EXPECT_TRUE(suite.page(3)->isVisible());
    // The active page's button, as every page carries it.
    clickAt({347 + 18, 8 + 20});
    EXPECT_EQ(suite.currentPage(), 0);
    EXPECT_TRUE(suite.page(0)->isVisible());
    EXPECT_FALSE(suite.page(3)->isVisible());
    // The button of the page on show does nothing; an empty page's slot keeps the page shown.
    clickAt({347 + 18, 8 + 20});
    EXPECT_EQ(suite.currentPage(), 0);
    EXPECT_TRUE(suite.page(0)->isVisible());
    clickAt({450 + 16, 8 + 20});
    EXPECT_EQ(suite.currentPage(), 3);
    EXPECT_TRUE(suite.page(3)->isVisible());
    keepPicture("broadband");
}

TEST_F(SonarSuite, SelectsArraysByTheTable) {
    // Without an own boat nothing changes.
    sonarState().selectedArray = 2;
    EXPECT_FALSE(sonarSelectArray(1));
    EXPECT_EQ(sonarState().selectedArray, 2);
    startMission("Sa1.scn");
    ASSERT_EQ(ownShipSensorByType(0), nullptr) << "the towed array is housed at the start";
    struct Case {
        int index;
        bool result;
        Sensor* array;
    } cases[] = {
        {0, false, nullptr},       {1, true, own().array1}, {2, true, own().array2}, {3, false, nullptr},
        {4, false, nullptr},       {5, true, own().interceptUnit}, {6, false, nullptr}, {-1, false, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sonarSelectArray(c.index), c.result) << c.index;
        EXPECT_EQ(sonarCurrentArray(), c.array) << c.index;
    }
}

TEST_F(SonarSuite, DigitsShowWithLeadingZeros) {
    SmallReadOut readout(host().window(), 0, 10, 10, 5, false, false);
    sonarSetDigits(readout, 5, 42);
    const int expected[] = {0, 0, 0, 4, 2};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(readout.digit(i), expected[i]) << i;
    // Only the lowest digits, into the first cells.
    sonarSetDigits(readout, 3, 123456);
    EXPECT_EQ(readout.getValue(), 45642);
}

TEST_F(SonarSuite, LabelsAContactByItsNumberOrItsMergedTrack) {
    startMission("Sa1.scn");
    Entity& entity = someone();
    EXPECT_EQ(sonarContactLabel(entity.id, 2, SonarLabelStyle::plain), "") << "no number yet";
    EXPECT_EQ(sonarContactLabel(30000, 2, SonarLabelStyle::plain), "") << "no such entity";
    entity.designation[2] = 7;
    entity.designation[3] = 9;
    entity.designation[4] = 5;
    EXPECT_EQ(sonarContactLabel(entity.id, 2, SonarLabelStyle::plain), "S7");
    EXPECT_EQ(sonarContactLabel(entity.id, 4, SonarLabelStyle::active), "  S5   ");
    EXPECT_EQ(sonarContactLabel(entity.id, 2, SonarLabelStyle::demon, 'B'), "B-S7");
    // Known by its general number only: slot 3, whatever the display's.
    EXPECT_EQ(sonarContactLabel(-entity.id, 2, SonarLabelStyle::plain), "S9");
    // The first record of that number decides; its merged number makes the label "M".
    ownContact(2, 7, 0);
    ownContact(2, 7, 4);
    EXPECT_EQ(sonarContactLabel(entity.id, 2, SonarLabelStyle::plain), "S7");
    ownContact(3, 9, 12);
    ownContact(4, 5, 3);
    // The walk leaves the list's cursor where it was.
    ContactRecord& marked = ownContact(0, 1, 0);
    own().contacts.rewind();
    const auto* before = own().contacts.cursor();
    EXPECT_EQ(sonarContactLabel(-entity.id, 2, SonarLabelStyle::plain), "M12");
    EXPECT_EQ(sonarContactLabel(entity.id, 4, SonarLabelStyle::active), "M3");
    EXPECT_EQ(sonarContactLabel(entity.id, 4, SonarLabelStyle::demon, 'A'), "A-M3");
    EXPECT_EQ(own().contacts.cursor(), before);
    EXPECT_NE(&marked, nullptr);
}

TEST_F(SonarSuite, ThePingIntervalFollowsTheKnobAtTheNextTransmit) {
    startMission("Sa1.scn");
    SonarSuiteScreen& suite = openSuite();
    sonarShowPage(0);
    pump();
    auto& active = *dynamic_cast<ActiveSonarPage*>(suite.page(0));
    ActiveSonar& sonar = *own().activeUnit;
    active.pageCommand(8, 1);
    EXPECT_EQ(sonar.transmitInterval, 103);
    EXPECT_NEAR(sonar.lastTransmit, simClock().gameClock - 103, 1e-9) << "the first ping is due at once";
    run(2000, 100);
    EXPECT_NEAR(sonar.lastTransmit, 0.0, 0.2) << "it pinged";
    // The knob between pings: nothing changes until the next ping, which pulls a cursor beyond
    // the new scale in to 0.66 of it.
    active.state().cursorRange = 20000.0;
    setStationSetting(*own().ownMotion, kSettingActiveRange, 4);
    run(1000, 100);
    EXPECT_DOUBLE_EQ(active.state().scale, 80000.0);
    EXPECT_DOUBLE_EQ(active.state().cursorRange, 20000.0);
    active.pageCommand(8, 1);
    EXPECT_EQ(sonar.transmitInterval, 7);
    EXPECT_DOUBLE_EQ(active.state().scale, 5000.0);
    EXPECT_DOUBLE_EQ(active.state().cursorRange, 3300.0);
    // Single pings: the interval word goes silent, the switch's setting turns over.
    const int stored = own().ownMotion->stationSettings[kSettingActivePing];
    active.pageCommand(6, 1);
    EXPECT_EQ(sonar.transmitInterval, -1);
    EXPECT_EQ(own().ownMotion->stationSettings[kSettingActivePing], 1 - stored);
    active.pageCommand(8, 1);
    EXPECT_EQ(sonar.transmitInterval, 0);
    sonarShowPage(3);
}

TEST_F(SonarSuite, TheOrientationSwapsTheHalvesOfTheEchoPicture) {
    startMission("Sa1.scn");
    SonarSuiteScreen& suite = openSuite();
    sonarShowPage(0);
    pump();
    auto& active = *dynamic_cast<ActiveSonarPage*>(suite.page(0));
    auto& picture = const_cast<LevelDib&>(active.display().picture());
    ASSERT_TRUE(picture.valid());
    auto row = picture.row(200);
    for (int x = 0; x < 268; ++x)
        row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(x % 100);
    const int offset = active.state().offset;
    active.pageCommand(7, 1);
    EXPECT_EQ(active.state().offset, 180 - offset);
    EXPECT_EQ(row[5], 134 % 100);
    EXPECT_EQ(row[133], 262 % 100);
    EXPECT_EQ(row[134], 5);
    EXPECT_EQ(row[262], 133 % 100);
    EXPECT_EQ(row[4], 4);
    EXPECT_EQ(row[263], 263 % 100);
    sonarShowPage(3);
}

TEST_F(SonarSuite, AHousedTowedArrayShowsEmptyWaterfallsAndTheHullArrayTicksBoth) {
    startMission("Sa1.scn");
    SonarSuiteScreen& suite = openSuite();
    auto& broadband = *dynamic_cast<BroadbandPage*>(suite.page(3));
    run(20000, 100);
    EXPECT_GT(dataPixels(broadband.upper().picture()), 0);
    EXPECT_GT(dataPixels(broadband.lower().picture()), 0) << "the medium ring's rows came in";
    broadband.pageCommand(10, 1);
    run(1000, 100);
    EXPECT_EQ(sonarCurrentArray(), nullptr);
    EXPECT_EQ(dataPixels(broadband.upper().picture()), 0);
    EXPECT_EQ(dataPixels(broadband.lower().picture()), 0);
    keepPicture("housed-towed-array");
    broadband.pageCommand(12, 1);
    run(1000, 100);
    EXPECT_EQ(sonarCurrentArray(), own().array2);
    EXPECT_GT(dataPixels(broadband.upper().picture()), 0);
}

} // namespace
} // namespace q71::test
