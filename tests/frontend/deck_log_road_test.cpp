// The deck log of a mission played on the host, as the debriefing reads it: the options of the
// start once, at the start; the navigation chart's hidden word told in words at the time it was
// typed; and a mission saved and loaded through the state room keeps its log as it was saved.
#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "frontend/debrief/debrief_screen.h"
#include "frontend/glass_list.h"
#include "frontend/options/options_record.h"
#include "frontend/stateroom/stateroom.h"
#include "frontend/stateroom/stateroom_layout.h"
#include "host_mission_fixture.h"
#include "platform/window/window_layout.h"
#include "sim/scoring/mission_world.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_mission_facts.h"
#include "stations/geninfo/gen_info.h"
#include "stations/nav/nav_chart_page.h"
#include "stations/nav/nav_chart_window.h"
#include "stations/nav/nav_screen.h"
#include "support/screen_picture.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace q71 {
namespace {

Point centreOf(int x, int y, int width, int height) {
    return Point{x + width / 2, y + height / 2};
}

// The clock as the log's lines begin: hours, minutes and seconds.
std::string clockText(double seconds) {
    const long whole = static_cast<long>(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

class DeckLogRoad : public test::HostMissionFixture {
protected:
    DeckLogRoad() {
        scoringSetWorld(&worldMissionFacts()); // the replay log names the own boat, as in the program
        navRegisterStation();
        stateroomRegister();
    }
    ~DeckLogRoad() override {
        screenDestroy(kSlotDebrief); // its charts show the mission's grid: they go before it
        screenDestroy(kSlotGenInfo);
        stationRegisterMaker(kStationNavigation, nullptr);
        stationRegisterMaker(kStationStateroom, nullptr);
        optionsRecord() = optionsDefaults();
        scoringSetWorld(nullptr);
    }

    GenInfo& host() { return *static_cast<GenInfo*>(screenGet(kSlotGenInfo)); }
    void openStation(int station) {
        host().selectStation(station);
        pump();
    }
    void clickInRoom(int x, int y, int width, int height) {
        openStation(kStationStateroom);
        clickAt(centreOf(x, y, width, height));
    }
    /// The pointer over the navigation page onto its chart, a click there, and the hidden word
    /// typed as the player types it.
    void typeTheHiddenWord() {
        openStation(kStationNavigation);
        auto* nav = static_cast<NavScreen*>(host().child(kStationNavigation));
        ASSERT_NE(nav, nullptr);
        const bool before = nav->chartPage().display().truth;
        display.moveMouse(windowClientToScreen(nav->chartPage().window(), {2, 2}));
        pump();
        clickAt(windowClientToScreen(nav->chartPage().chart()->window(), {200, 150}));
        type("VRAI");
        ASSERT_NE(nav->chartPage().display().truth, before) << "the word was taken";
    }
    /// The lines of the deck log that hold `words`.
    static std::vector<std::string> linesWith(const std::vector<std::string>& lines, const std::string& words) {
        std::vector<std::string> found;
        for (const std::string& line : lines)
            if (line.find(words) != std::string::npos)
                found.push_back(line);
        return found;
    }
};

TEST_F(DeckLogRoad, TheHiddenWordIsToldAtItsTimeAndALoadedMissionLogsNoSecondStart) {
    // Two options on: sensitive passive arrays (field 9) and masts that take no damage (field 11).
    optionsRecord().setField(9, 1);
    optionsRecord().setField(11, 1);
    startOnHost("Sa1.scn");
    const std::string start = clockText(simClock().gameClock);
    play(95000);
    const std::string typed = clockText(simClock().gameClock);
    typeTheHiddenWord();
    play(5000);
    {
        using namespace stateroom_layout;
        clickInRoom(kSaveX, kToggleY, kToggleWidth, kToggleHeight);
        play(60000);
        clickInRoom(kLoadX, kToggleY, kToggleWidth, kToggleHeight);
    }
    ASSERT_EQ(screenCurrentIndex(), kSlotGenInfo) << "the loaded mission runs";
    const std::string loaded = clockText(simClock().gameClock);
    ASSERT_NE(loaded, start);
    play(3000);
    typeTheHiddenWord(); // the chart built again shows the contacts: the word turns the truth on
    const std::string typedAgain = clockText(simClock().gameClock);
    {
        using namespace stateroom_layout;
        clickInRoom(kEndX, kButtonY, kButtonWidth, kButtonHeight);
    }
    ASSERT_EQ(screenCurrentIndex(), kSlotDebrief);
    auto& debrief = *static_cast<DebriefScreen*>(screenGet(kSlotDebrief));
    debrief.showPage(DebriefPage::DeckLog);
    pump();
    test::saveScreenPicture("debrief-deck-log-hidden-word");
    const std::vector<std::string>& lines = debrief.deckLog()->rows();

    EXPECT_EQ(linesWith(lines, "au d\xE9part"),
              (std::vector<std::string>{start + "  Orque : option active au d\xE9part, m\xE2ts et antennes indestructibles.",
                                        start + "  Orque : option active au d\xE9part, antennes passives sensibles."}))
        << "the start's options once, at the start, not again at the load (" << loaded << ")";
    EXPECT_EQ(linesWith(lines, "situation r\xE9" "elle"),
              (std::vector<std::string>{typed + "  Orque : la carte de navigation montre la situation r\xE9" "elle.",
                                        typedAgain + "  Orque : la carte de navigation montre la situation r\xE9" "elle."}));
    EXPECT_TRUE(linesWith(lines, "option 12").empty());
}

} // namespace
} // namespace q71
