// The end of a mission: the death screen (twice in one run), the debriefing's result and deck
// log, where it leads, and the victory screen; the end screens written in one hand.
#include "framework/app/app_services.h"
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "frontend/debrief/debrief_layout.h"
#include "frontend/debrief/debrief_result.h"
#include "frontend/debrief/debrief_screen.h"
#include "frontend/frontend_services.h"
#include "frontend/glass_list.h"
#include "frontend/mission/death_screen.h"
#include "frontend/mission/end_layout.h"
#include "frontend/mission/victory_screen.h"
#include "frontend/movie/movie_screen.h"
#include "frontend/selection/sor_tsel.h"
#include "frontend_fixture.h"
#include "sim/radio/comms_queue.h"
#include "sim/scoring/goal_node.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/player_roster.h"
#include "sim/scoring/replay_log.h"
#include "sim/scoring/scoring_state.h"
#include "sim/services/shell_simulation.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/scenario_reader.h"
#include "support/screen_picture.h"
#include "whole_letters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace q71 {
namespace {

class MissionEnd : public test::FrontEndFixture {
protected:
    MissionEnd() {
        appInstallServices({nullptr, nullptr, &simShellSimulation(), &simShellWorldStep(),
                            &frontEndShellServices(), nullptr});
        EXPECT_EQ(playerDbChoose("Narval", 0), RosterStatus::Ok);
        screenEnterMainMenu();
        missionTexts().name = "Exercice";
    }
    ~MissionEnd() override {
        goalTreeClear();
        scoringState() = ScoringState{};
        missionState() = MissionState{};
        missionTexts() = MissionTexts{};
    }

    DebriefScreen& showDebrief() {
        screenCreateDebrief();
        screenSwitch(kSlotDebrief);
        pump();
        return *static_cast<DebriefScreen*>(screenGet(kSlotDebrief));
    }

    /// Writes a replay log of these records, as a finished mission leaves it.
    void writeLog(const std::vector<ReplayEvent>& events, std::size_t tornBytes = 0) {
        std::ofstream file(replayLogPath(), std::ios::binary);
        for (const ReplayEvent& event : events) {
            std::array<std::uint8_t, kReplayEventSize> bytes{};
            replayEventEncode(event, bytes);
            file.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        }
        file.write(std::string(tornBytes, '\x11').data(), static_cast<std::streamsize>(tornBytes));
    }

    static ReplayEvent record(std::int32_t kind, const char* subject, double time) {
        ReplayEvent event;
        event.kind = kind;
        event.time = time;
        replaySetName(event.subjectName, subject);
        return event;
    }
};

TEST_F(MissionEnd, TwoDeathsInOneRunShowTheDeathScreenTwiceAndAWeaponPlaysTheMovieFirst) {
    for (const int cause : {kLossWeapon, kLossCollision}) {
        missionState().ownBoatLossCause = cause;
        screenDestroy(kSlotMovie);
        screenShowDeath();
        ASSERT_NE(screenGet(kSlotDeath), nullptr) << "cause " << cause;
        // The movie cannot play here: it ends at once, on to the death screen it was made for.
        const auto* movie = static_cast<const MovieScreen*>(screenGet(kSlotMovie));
        if (cause == kLossWeapon) {
            ASSERT_NE(movie, nullptr) << "the death movie first";
            EXPECT_EQ(movie->movies(), std::vector<std::string>{"death.wve"});
            EXPECT_EQ(movie->nextScreenSlot(), kSlotDeath);
        } else {
            EXPECT_EQ(movie, nullptr) << "no movie for this cause";
        }
        EXPECT_EQ(screenCurrentIndex(), kSlotDeath) << "cause " << cause;
        clickAt({320, 240});
        EXPECT_EQ(screenCurrentIndex(), kSlotDebrief);
        pump();
        EXPECT_EQ(screenGet(kSlotDeath), nullptr) << "left, the death screen goes";
    }
}

TEST_F(MissionEnd, TheDeathScreenTellsEachCauseInFrench) {
    const std::vector<std::pair<int, std::string>> causes{
        {1, "Touch\xE9 par une torpille ennemie, le b\xE2timent a coul\xE9."},
        {2, "Les grenades anti-sous-marines ont eu raison de la coque."},
        {3, "Le b\xE2timent a saut\xE9 sur une mine."},
        {4, "Un abordage a ouvert la coque : le b\xE2timent a coul\xE9."},
        {5, "Le b\xE2timent s'est fracass\xE9 sur le fond."},
        {6, "Le b\xE2timent est descendu sous l'immersion de destruction : la coque a c\xE9"
            "d\xE9."},
        {0, "Le b\xE2timent est perdu corps et biens."},
        {7, "Le b\xE2timent est perdu corps et biens."},
    };
    for (const auto& [cause, text] : causes)
        EXPECT_EQ(DeathScreen::causeText(cause), text) << "cause " << cause;
}

TEST_F(MissionEnd, TheResultNamesTheMissionItsScoreGradeGoalsAndCareerAndBecomesTheFlowText) {
    commsQueueSetShipName("Orque");
    GoalNode reached;
    reached.achieved = 1;
    reached.message = "[ship name] a ralli\xE9 la bou\xE9"
                      "e.";
    goalTreeAddNode(reached, nullptr);
    GoalNode missed;
    missed.message = "Jamais lu.";
    goalTreeAddNode(missed, nullptr);
    scoringState().score = 420;
    scoringState().grade = 2;
    playerRecord()->careerPoints = 1234;
    DebriefScreen& debrief = showDebrief();
    const std::string& text = debrief.resultText();
    for (const char* part : {"Exercice\n", "Mission non accomplie.", "Score : 420", "Note : 2 / 5",
                             "Points de carri\xE8re : 1234",
                             "- Orque a ralli\xE9 la bou\xE9"
                             "e."})
        EXPECT_NE(text.find(part), std::string::npos) << part << " in\n" << text;
    EXPECT_EQ(text.find("Jamais lu."), std::string::npos) << "only reached goals";
    EXPECT_EQ(missionTexts().flowText, text);
}

TEST_F(MissionEnd, PenaltiesReachedAreListedApartWithTheirPointsAndWrittenWholeOnTheGlass) {
    commsQueueSetShipName("Orque");
    GoalNode spotted;
    spotted.achieved = 1;
    spotted.kind = kGoalTargetMeets;
    spotted.points = -150;
    spotted.message = "[ship name], la Grisha vous a d\xE9tect\xE9. L'op\xE9ration est compromise.";
    goalTreeAddNode(spotted, nullptr);
    GoalNode survived;
    survived.achieved = 1;
    survived.kind = kGoalSurvive;
    survived.points = 0;
    goalTreeAddNode(survived, nullptr);
    GoalNode rammed; // a penalty without a message of its own
    rammed.achieved = 1;
    rammed.kind = kGoalDestroy;
    rammed.points = -300;
    goalTreeAddNode(rammed, nullptr);
    test::DrawnTexts drawn;
    DebriefScreen& debrief = showDebrief();
    const std::string spottedLine =
        "- Orque, la Grisha vous a d\xE9tect\xE9. L'op\xE9ration est compromise. (-150 points)";
    const std::string rammedLine = "- Destruction de l'objectif (-300 points)";
    const std::string& text = debrief.resultText();
    const std::size_t penalties = text.find("\nP\xE9nalit\xE9s :\n");
    ASSERT_NE(penalties, std::string::npos) << text;
    EXPECT_NE(text.find("Objectifs atteints :\n- Survie jusqu'\xE0 la fin de la mission\n"),
              std::string::npos)
        << "a goal of no points is an objective met:\n"
        << text;
    EXPECT_GT(text.find(spottedLine), penalties) << text;
    EXPECT_GT(text.find(rammedLine), penalties) << text;
    EXPECT_EQ(text.find("Grisha"), text.rfind("Grisha")) << "listed once:\n" << text;

    const std::vector<TextDrawn> shown = drawn.in(debrief_layout::kResultText);
    for (const std::string& line : {spottedLine, rammedLine})
        EXPECT_TRUE(test::spellOut(shown, line)) << line << " is written whole";
    for (const TextDrawn& t : shown)
        EXPECT_TRUE(test::inside(t.ink, debrief_layout::kResultText)) << t.text << " on the glass";
    // A blank line stands between the objectives met and the penalties' heading.
    const auto heading = std::find_if(shown.begin(), shown.end(),
                                      [](const TextDrawn& t) { return t.text == "P\xE9nalit\xE9s :"; });
    ASSERT_NE(heading, shown.end());
    ASSERT_NE(heading, shown.begin());
    const int line = heading->font->metrics().height;
    EXPECT_GT(heading->ink.top - std::prev(heading)->ink.top, line * 3 / 2)
        << "\"" << std::prev(heading)->text << "\" right above the heading";
    test::saveScreenPicture("debrief-penalties");

    // Penalties alone: no objective met.
    goalTreeClear();
    goalTreeAddNode(spotted, nullptr);
    const std::string alone = debriefResultText();
    EXPECT_NE(alone.find("Objectifs atteints :\naucun.\n"), std::string::npos) << alone;
    EXPECT_NE(alone.find(spottedLine), std::string::npos) << alone;
}

TEST_F(MissionEnd, TheDeckLogTellsTheLogReadAsFarAsItHolds) {
    ReplayEvent launch = record(18, "Orque", 75.0);
    replaySetName(launch.objectName, "Victor III");
    launch.range = 4210.4;
    launch.bearing = 47.6;
    writeLog({record(2, "Orque", 10.0), launch, record(1, "Victor III", 3725.0)}, 100);
    DebriefScreen& debrief = showDebrief();
    EXPECT_FALSE(debrief.logEmpty());
    EXPECT_EQ(
        debrief.deckLog()->rows(),
        (std::vector<std::string>{
            "00:01:15  Orque lance une arme. Cible : Victor III, distance 4210 yards, rel\xE8vement 048.",
            "01:02:05  Victor III d\xE9truit."}))
        << "the position report makes no line; the torn end is left out";
    clickAt({debrief_layout::kTabX[1] + 20, debrief_layout::kTabY + 10});
    EXPECT_EQ(debrief.page(), DebriefPage::DeckLog);
}

TEST_F(MissionEnd, TheDeckLogWritesItsLongLinesWholeInLettersAPlayerReads) {
    // A strike between two of the longest names of the data set, at a range that takes digits.
    ReplayEvent launch = record(18, "Croiseur nucl\xE9""aire classe Kirov", 3725.0);
    replaySetName(launch.objectName, "Corvette lance-missiles Nanuchka");
    launch.range = 104210.4;
    launch.bearing = 347.6;
    std::vector<ReplayEvent> records{launch};
    for (int i = 0; i < 30; ++i)
        records.push_back(record(1, "Destroyer classe Arleigh Burke", 4000.0 + 60.0 * i));
    writeLog(records);
    DebriefScreen& debrief = showDebrief();
    debrief.showPage(DebriefPage::DeckLog);
    pump();
    test::saveScreenPicture("debrief-long-log");
    test::expectRowsWholeAndLegible(*debrief.deckLog(), [this] { pump(); });
}

TEST_F(MissionEnd, AnEmptyLogIsSaid) {
    writeLog({});
    DebriefScreen& debrief = showDebrief();
    EXPECT_TRUE(debrief.logEmpty());
    EXPECT_TRUE(debrief.deckLog()->rows().empty());
}

TEST_F(MissionEnd, ALostCampaignMissionGoesBackToTheCampaignSelection) {
    missionState().missionMode = kMissionModeCampaign;
    DebriefScreen& debrief = showDebrief();
    debrief.continueOn();
    pump();
    EXPECT_EQ(screenCurrentIndex(), kSlotMissionSelection);
    EXPECT_EQ(screenGet(kSlotMissionSelection)->key(), "campaignSelection");
    EXPECT_EQ(screenGet(kSlotDebrief), nullptr);
}

TEST_F(MissionEnd, AWonMissionGoesThroughTheVictoryMovieToTheVictoryAndTheMainMenu) {
    scoringState().won = true;
    scoringState().score = 820;
    scoringState().grade = 4;
    playerRecord()->careerPoints = 1500;
    showDebrief();
    press(static_cast<std::uint8_t>('\r'), '\r');
    const auto* movie = static_cast<const MovieScreen*>(screenGet(kSlotMovie));
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->movies(), std::vector<std::string>{"victory.wve"});
    EXPECT_EQ(movie->nextScreenSlot(), kSlotVictory);
    run(300);
    ASSERT_EQ(screenCurrentIndex(), kSlotVictory);
    EXPECT_EQ(static_cast<VictoryScreen*>(screenGet(kSlotVictory))->body(),
              "Note : 4 / 5\nScore : 820\nPoints de carri\xE8re : 1500");
    EXPECT_EQ(screenGet(kSlotDebrief), nullptr);
    clickAt({320, 240});
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    pump();
    EXPECT_EQ(screenGet(kSlotVictory), nullptr);
}

TEST_F(MissionEnd, TheVictoryAndDeathScreensAskForTheClickInTheFaceOfTheirOwnText) {
    const auto expectOneHand = [](const test::DrawnTexts& drawn, const std::string& body) {
        const std::vector<TextDrawn> texts = drawn.in(end_layout::kGlass);
        const auto hint = std::find_if(texts.begin(), texts.end(), [](const TextDrawn& t) {
            return t.text == "Cliquez pour continuer.";
        });
        const auto told = std::find_if(texts.begin(), texts.end(),
                                       [&](const TextDrawn& t) { return t.text.starts_with(body); });
        ASSERT_NE(hint, texts.end());
        ASSERT_NE(told, texts.end()) << body;
        EXPECT_EQ(hint->font->familyName(), told->font->familyName()) << body;
    };
    scoringState().won = true;
    scoringState().score = 820;
    scoringState().grade = 4;
    showDebrief();
    test::DrawnTexts drawn;
    press(static_cast<std::uint8_t>('\r'), '\r');
    run(300);
    ASSERT_EQ(screenCurrentIndex(), kSlotVictory);
    expectOneHand(drawn, "Score : 820");
    test::saveScreenPicture("victory");
    clickAt({320, 240});
    pump();

    missionState().ownBoatLossCause = kLossCollision;
    drawn.clear();
    screenShowDeath();
    pump();
    ASSERT_EQ(screenCurrentIndex(), kSlotDeath);
    expectOneHand(drawn, "Un abordage a ouvert la coque");
    test::saveScreenPicture("death-collision");
}

} // namespace
} // namespace q71
