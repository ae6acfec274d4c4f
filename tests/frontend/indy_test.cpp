// The campaign's movies: what each kind plays as the campaign stands, and the road through them
// with the data set: a campaign mission's news and briefing skipped by a click onto the host, the
// debriefing of a won mission, its victory and its report back to the campaign, and the last
// mission's end movie with the record's victory code.
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "frontend/debrief/debrief_layout.h"
#include "frontend/movie/indy_screen.h"
#include "frontend/selection/sor_tsel.h"
#include "host_mission_fixture.h"
#include "media/movie/movie_player.h"
#include "platform/sound/sound_device.h"
#include "sim/scoring/campaign_file.h"
#include "sim/scoring/mission_flow.h"
#include "sim/scoring/player_roster.h"
#include "sim/scoring/scoring_state.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace q71 {
namespace {

class CampaignMovies : public test::HostMissionFixture {
protected:
    ~CampaignMovies() override {
        scoringState() = ScoringState{};
        campaignPlay() = CampaignPlay{};
    }

    /// The campaign as it stands at a mission (0-based) of a leg.
    static void standAt(std::int32_t mission, std::int32_t leg, bool firstOfLeg) {
        missionState().missionMode = kMissionModeCampaign;
        missionState().missionIndex = mission;
        campaignPlay().leg = leg;
        campaignPlay().firstOfLeg = firstOfLeg;
    }
    /// The first mission after a leg (0-based), from the data set's campaign.
    static std::int32_t firstAfterLeg(int leg) {
        std::int32_t n = 0;
        for (int l = 0; l <= leg; ++l)
            n += campaign().header.legMissions[static_cast<std::size_t>(l)];
        return n;
    }
};

TEST_F(CampaignMovies, EachKindPlaysItsMoviesAsTheCampaignStands) {
    ASSERT_GE(campaign().header.legCount, 2) << "the data set's campaign has legs";
    standAt(0, 0, true);
    EXPECT_EQ(indyPlan(kIndyBriefing).movies, (std::vector<std::string>{"velmsa0.wve", "a1a.ndy"}));
    standAt(1, 0, false);
    EXPECT_EQ(indyPlan(kIndyBriefing).movies, std::vector<std::string>{"a2a.ndy"});

    const std::int32_t lastOfLeg = firstAfterLeg(0) - 1;
    standAt(lastOfLeg, 0, lastOfLeg == 0);
    IndyPlan report = indyPlan(kIndyReport);
    EXPECT_EQ(report.movies, std::vector<std::string>{"a" + std::to_string(lastOfLeg + 1) + "b.ndy"});
    EXPECT_TRUE(report.legOver);
    EXPECT_FALSE(report.campaignOver);
    if (lastOfLeg > 0) {
        standAt(lastOfLeg - 1, 0, false);
        EXPECT_FALSE(indyPlan(kIndyReport).legOver);
    }

    const std::int32_t last = campaign().totalMissions - 1;
    standAt(last, campaign().header.legCount - 1, false);
    campaignPlay().rating = 3;
    playerRecord()->endMovieVariant[3] = 6;
    report = indyPlan(kIndyReport);
    EXPECT_TRUE(report.campaignOver);
    EXPECT_EQ(report.movies,
              (std::vector<std::string>{"a" + std::to_string(last + 1) + "b.ndy", "nuke3g.wve"}));
    EXPECT_EQ(playerRecord()->endMovieVariant[3], 0) << "the next end movie of the rating";
}

// No movie player is open here: each movie screen passes over its movies at once, as it does
// with a movie that cannot play, and goes on.
TEST_F(CampaignMovies, ACampaignMissionOpensOnItsNewsAndBriefingAndAWinIsReportedBackToTheCampaign) {
    screenCreateCampaignSelection(0);
    screenSwitch(kSlotMissionSelection);
    pump();
    auto& selection = *static_cast<SorTsel*>(screenGet(kSlotMissionSelection));
    ASSERT_TRUE(selection.startSelected());
    const auto* briefing = static_cast<IndyScreen*>(screenGet(kSlotIndy));
    ASSERT_NE(briefing, nullptr) << "the mission opened on its movies";
    EXPECT_EQ(briefing->movies(), (std::vector<std::string>{"velmsa0.wve", "a1a.ndy"}));
    EXPECT_EQ(screenCurrentIndex(), kSlotGenInfo) << "then the host";
    EXPECT_TRUE(simClock().running);
    pump();
    EXPECT_EQ(screenGet(kSlotIndy), nullptr) << "the movies' screen went";

    // The mission is won: the debriefing, the victory, then the mission's report.
    screenShowDebrief();
    pump();
    scoringState().won = true;
    using namespace debrief_layout;
    clickAt({kContinueX + 20, kButtonY + 10});
    run(300);
    EXPECT_EQ(screenCurrentIndex(), kSlotVictory);
    clickAt({320, 240}); // the report passes over its movie here and leads on
    run(300);
    const bool legOver = firstAfterLeg(0) == 1;
    EXPECT_EQ(screenCurrentIndex(), legOver ? kSlotPortOfCall : kSlotMissionSelection);
    EXPECT_EQ(screenGet(kSlotGenInfo), nullptr) << "the mission was left";
}

/// The same road with the movie player open on the main window: the movies play until a click.
class CampaignMoviesPlaying : public CampaignMovies {
protected:
    CampaignMoviesPlaying() {
        EXPECT_EQ(init_movie_player(appMainWindow(), &device, nullptr), 0);
        EXPECT_EQ(set_display_mode(640, 480, 16), 1);
        EXPECT_EQ(init_display(), 0);
    }
    ~CampaignMoviesPlaying() override { close_movie_player(); }

    SoundDevice device;
};

TEST_F(CampaignMoviesPlaying, TheNewsAndTheBriefingPlayUntilAClickSkipsThemToTheHost) {
    screenCreateCampaignSelection(0);
    screenSwitch(kSlotMissionSelection);
    pump();
    auto& selection = *static_cast<SorTsel*>(screenGet(kSlotMissionSelection));
    ASSERT_TRUE(selection.startSelected());
    EXPECT_EQ(screenCurrentIndex(), kSlotIndy);
    const auto* movies = static_cast<IndyScreen*>(screenGet(kSlotIndy));
    ASSERT_NE(movies, nullptr);
    EXPECT_TRUE(movies->isPlaying()) << "the leg's news";
    EXPECT_FALSE(simClock().running) << "the mission waits for its movies";
    run(500);
    EXPECT_EQ(screenCurrentIndex(), kSlotIndy) << "still playing";
    clickAt({320, 240});
    // The player ends at its next frame, which waits for the sound: the device is played on.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (screenCurrentIndex() != kSlotGenInfo && std::chrono::steady_clock::now() < until) {
        std::vector<std::int16_t> out(147 * 2);
        device.mix(out);
        pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(screenCurrentIndex(), kSlotGenInfo) << "the click skipped both movies";
    EXPECT_TRUE(simClock().running);
}

TEST_F(CampaignMovies, TheLastMissionsReportEndsOnTheEndMovieAndTheVictoryCodeIsSaved) {
    standAt(campaign().totalMissions - 1, campaign().header.legCount - 1, false);
    campaignPlay().rating = 5;
    ASSERT_EQ(playerRecord()->victoryCode(), 0);
    screenCreate(kSlotIndy, kIndyReport);
    screenSwitch(kSlotIndy);
    const auto* report = static_cast<IndyScreen*>(screenGet(kSlotIndy));
    ASSERT_NE(report, nullptr);
    ASSERT_EQ(report->movies().size(), 2u);
    EXPECT_EQ(report->movies()[1].substr(0, 5), "nuke5");
    run(300);
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    playerDbRelease();
    ASSERT_EQ(playerDbChoose("Narval", 0), RosterStatus::Ok);
    EXPECT_EQ(playerRecord()->victoryCode(), 1);
}

} // namespace
} // namespace q71
