// The whole program on the headless display: from the start through the logo, the intro movie,
// the login and the main menu to the way out through the credits, as a player goes. A picture of
// each screen is kept in artefacts/ beside the test binary.
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "framework/widgets/widget_sound.h"
#include "frontend/debrief/debrief_layout.h"
#include "frontend/debrief/debrief_screen.h"
#include "frontend/frontend_services.h"
#include "frontend/login/login_layout.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "frontend/selection/selection_layout.h"
#include "frontend/stateroom/stateroom_layout.h"
#include "platform/display/headless_backend.h"
#include "platform/display/input_event.h"
#include "platform/gdi/window_dc.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/clock.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/timers.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"
#include "sim/entities/entity.h"
#include "sim/entities/entity_hooks.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/mission_world.h"
#include "sim/scoring/player_roster.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/scoped_folders.h"
#include "sim/world/terrain_progress.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/fire_panel_parts.h"
#include "stations/geninfo/host_hooks.h"
#include "support/data_set_settings.h"
#include "support/png_image.h"
#include "support/screen_picture.h"
#include "support/shell_reset.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

namespace q71 {
namespace {

// What the player does at one screen, once it shows: the slot it waits for, and the actions.
struct Step {
    int slot;
    std::uint32_t settleMs; ///< how long the screen shows before the picture is taken
    std::string picture;
    std::function<void(HeadlessBackend&)> act;
    std::function<bool()> ready = nullptr; ///< when given, the screen also waits for it
};

/// Types a text on the keyboard, letter by letter.
void type(HeadlessBackend& display, const std::string& text) {
    for (char c : text)
        display.typeKey(static_cast<std::uint8_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c), c);
}

class ProgramRun : public ::testing::Test {
protected:
    ProgramRun() {
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        current_ = this;
    }
    ~ProgramRun() override {
        current_ = nullptr;
        uninstallProgram();
    }

    /// Runs the program with the steps; returns appWinMain's result.
    int run(std::vector<Step> steps) {
        steps_ = std::move(steps);
        test::loadDataSetSettings(); // the player's folder is this test's
        frontEndInstallProgram(nullptr);
        timerSet(WindowHandle{}, 0, 20, &ProgramRun::tick);
        return appWinMain(SW_SHOWDEFAULT);
    }

    void savePicture(const std::string& name) { pictures.push_back(test::saveScreenPicture(name)); }

    SteadyClock clock;
    HeadlessBackend display{true};
    WindowSystemSession session{display, clock};
    test::PlayerFolder player;
    std::vector<int> slotsSeen;
    std::vector<test::RgbImage> pictures;
    std::uint32_t limitMs = 30000; ///< real time the run may take

private:
    // Takes back what the program installed at its start, so that the next test of the process
    // starts from the null services with no screen or station to build.
    static void uninstallProgram() {
        test::resetShell();
        firePanelInstallMakers({});
        genInfoSetLossHooks({});
        simInstallServices({});
        entityClassesUninstall();
        entityControllersUninstall();
        entitySetExplosionMaker(nullptr);
        scoringSetWorld(nullptr);
        worldSetProgressBox(nullptr);
        widgetSetSound(nullptr);
    }

    // Runs on the main thread from the loop, as any timer does.
    static void tick(WindowHandle, std::uint32_t, std::uintptr_t, std::uint32_t now) {
        ProgramRun& self = *current_;
        if (self.startMs_ == 0)
            self.startMs_ = now;
        if (now - self.startMs_ > self.limitMs) {
            ADD_FAILURE() << "the run did not end; it stood at slot " << screenCurrentIndex();
            messagePostQuit(0);
            return;
        }
        if (self.next_ >= self.steps_.size())
            return;
        const Step& step = self.steps_[self.next_];
        const FullScreen* shown = screenGet(step.slot);
        if (!shown || activeFullScreen() != shown) {
            self.since_ = 0;
            return;
        }
        if (self.since_ == 0) {
            self.since_ = now;
            self.slotsSeen.push_back(step.slot);
        }
        if (now - self.since_ < step.settleMs || (step.ready && !step.ready()))
            return;
        self.savePicture(step.picture);
        ++self.next_;
        self.since_ = 0;
        step.act(self.display);
    }

    static ProgramRun* current_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    std::uint32_t since_ = 0;
    std::uint32_t startMs_ = 0;
};

ProgramRun* ProgramRun::current_ = nullptr;

std::size_t litPixels(const test::RgbImage& image) {
    std::size_t lit = 0;
    for (std::size_t i = 0; i < image.pixels.size(); i += 3)
        lit += image.pixels[i] + image.pixels[i + 1] + image.pixels[i + 2] > 48;
    return lit;
}

Point centreOfButton(int x, int y, int width, int height) {
    return {x + width / 2, y + height / 2};
}

void clickMenuLine(HeadlessBackend& d, int entry) {
    using namespace main_menu_layout;
    d.click(centreOfButton(kButtonX, buttonY(entry), kButtonWidth, kButtonHeight));
}

// From the start to the main menu as the player "Ondine", the pictures named by `prefix`.
std::vector<Step> toTheMainMenu(const std::string& prefix) {
    return {
        {kSlotLogo, 100, prefix + "logo",
         [](HeadlessBackend& d) {
             d.click({320, 240});
         }},
        {kSlotMovie, 100, prefix + "movie",
         [](HeadlessBackend& d) {
             d.click({320, 240});
         }},
        {kSlotLogin, 100, prefix + "login",
         [](HeadlessBackend& d) {
             type(d, "Ondine");
             d.typeKey(static_cast<std::uint8_t>(VK_RETURN), '\r');
         }},
    };
}

// From the main menu out through the credits.
std::vector<Step> outOfTheProgram(const std::string& prefix) {
    return {
        {kSlotMainMenu, 100, prefix + "menu-again",
         [](HeadlessBackend& d) {
             modalScriptPush([](WindowHandle box) { modalLoopEnd(box, kIdYes); });
             clickMenuLine(d, static_cast<int>(kMainMenuEntries.size()) - 1);
         }},
        {kSlotCredits, 100, prefix + "credits",
         [](HeadlessBackend& d) {
             d.click({320, 240});
         }},
    };
}

std::vector<Step> joined(std::initializer_list<std::vector<Step>> parts) {
    std::vector<Step> steps;
    for (const auto& part : parts)
        steps.insert(steps.end(), part.begin(), part.end());
    return steps;
}

void clickButton(HeadlessBackend& d, int x, int y, int width, int height) {
    d.click(centreOfButton(x, y, width, height));
}

// From the main menu through the selection to the start of its first mission, by a menu line.
std::vector<Step> startAMission(const std::string& prefix, int menuLine) {
    return {
        {kSlotMainMenu, 100, prefix + "menu", [menuLine](HeadlessBackend& d) { clickMenuLine(d, menuLine); }},
        {kSlotMissionSelection, 100, prefix + "selection",
         [](HeadlessBackend& d) {
             using namespace selection_layout;
             clickButton(d, kStartX, kButtonY, kButtonWidth, kButtonHeight);
         }},
    };
}

/// Alt and a letter: the host's key of a station.
void altKey(HeadlessBackend& d, char letter) {
    d.typeKey(static_cast<std::uint8_t>(VK_MENU), -1, true);
    d.typeKey(static_cast<std::uint8_t>(letter - 'a' + 'A'), letter);
    d.inject(InputEvent::keyOf(InputKind::KeyUp, static_cast<std::uint8_t>(VK_MENU)));
}

/// The host goes to the state room, whose button ends the mission for the debriefing.
void endTheMission(HeadlessBackend& d) {
    using namespace stateroom_layout;
    altKey(d, 'l');
    clickButton(d, kEndX, kButtonY, kButtonWidth, kButtonHeight);
}

TEST_F(ProgramRun, FromTheLogoThroughTheLoginAndTheMainMenuToTheWayOut) {
    using namespace main_menu_layout;
    const int quitEntry = static_cast<int>(kMainMenuEntries.size()) - 1;
    ASSERT_EQ(kMainMenuEntries[static_cast<std::size_t>(quitEntry)].slot, kMainMenuQuit);
    const std::vector<Step> steps{
        {kSlotLogo, 300, "1-logo",
         [](HeadlessBackend& d) {
             d.click({320, 240});
         }},
        {kSlotMovie, 1500, "2-movie",
         [](HeadlessBackend& d) {
             d.click({320, 240});
         }},
        {kSlotLogin, 300, "3-login", [](HeadlessBackend& d) { type(d, "Ondine"); }},
        {kSlotLogin, 700, "4-login-named",
         [](HeadlessBackend& d) { d.typeKey(static_cast<std::uint8_t>(VK_RETURN), '\r'); }},
        {kSlotMainMenu, 300, "5-main-menu",
         [&](HeadlessBackend& d) {
             modalScriptPush([](WindowHandle box) { modalLoopEnd(box, kIdYes); });
             d.click(centreOfButton(kButtonX, buttonY(quitEntry), kButtonWidth, kButtonHeight));
         }},
        {kSlotCredits, 2500, "6-credits",
         [](HeadlessBackend& d) {
             d.click({320, 240});
         }},
    };
    EXPECT_EQ(run(steps), 0);
    EXPECT_EQ(slotsSeen,
              (std::vector<int>{kSlotLogo, kSlotMovie, kSlotLogin, kSlotLogin, kSlotMainMenu, kSlotCredits}));

    ASSERT_EQ(pictures.size(), 6u);
    for (std::size_t i = 0; i < pictures.size(); ++i)
        EXPECT_GT(litPixels(pictures[i]), 640u * 480u / 4) << "picture " << i << " is mostly black";
    EXPECT_NE(pictures[2], pictures[3]) << "the typed name shows";
    EXPECT_NE(pictures[0], pictures[4]);

    // The player now exists, and the options were written at the first start.
    auto roster = playerDbList();
    ASSERT_TRUE(roster);
    ASSERT_EQ(roster->size(), 1u);
    EXPECT_EQ(roster->front().name, "Ondine");
    EXPECT_EQ(test::readFile(player.file("options.db")).size(), 180u);
}

TEST_F(ProgramRun, ATutorialRunsFiveGameMinutesEndsAndIsDebriefed) {
    limitMs = 90000;
    const std::vector<Step> steps = joined({
        toTheMainMenu("tutorial-"),
        {
            {kSlotMainMenu, 100, "tutorial-menu", [](HeadlessBackend& d) { clickMenuLine(d, 0); }},
            {kSlotMissionSelection, 300, "mission-selection",
             [](HeadlessBackend& d) {
                 using namespace selection_layout;
                 clickButton(d, kStartX, kButtonY, kButtonWidth, kButtonHeight);
             }},
            {kSlotGenInfo, 100, "tutorial-running", [](HeadlessBackend&) { simSetTimeCompression(60.0); }},
            {kSlotGenInfo, 100, "tutorial-five-minutes",
             [](HeadlessBackend& d) { endTheMission(d); }, [] { return simClock().gameClock >= 300.0; }},
            {kSlotDebrief, 300, "debrief-result",
             [](HeadlessBackend& d) {
                 using namespace debrief_layout;
                 clickButton(d, kTabX[1], kTabY, kTabWidth, kTabHeight);
             }},
            {kSlotDebrief, 300, "debrief-log",
             [](HeadlessBackend& d) {
                 using namespace debrief_layout;
                 clickButton(d, kTabX[2], kTabY, kTabWidth, kTabHeight);
             }},
            {kSlotDebrief, 300, "debrief-replay-start",
             [](HeadlessBackend& d) {
                 using namespace debrief_layout;
                 // On to nine tenths of the mission, and play from there.
                 d.click({kTimeBar.left + kTimeBar.width() * 9 / 10, kTimeBar.top + kTimeBar.height() / 2});
                 clickButton(d, kPlayX, kButtonY, kPlayWidth, kButtonHeight);
             }},
            {kSlotDebrief, 1500, "debrief-replay",
             [](HeadlessBackend& d) {
                 using namespace debrief_layout;
                 clickButton(d, kContinueX, kButtonY, kButtonWidth, kButtonHeight);
             }},
        },
        outOfTheProgram("tutorial-"),
    });
    EXPECT_EQ(run(steps), 0);
    EXPECT_EQ(slotsSeen.size(), steps.size()) << "every screen showed";
    ASSERT_EQ(pictures.size(), steps.size());
    EXPECT_NE(pictures[5], pictures[6]) << "the clock runs";
    EXPECT_NE(pictures[7], pictures[8]) << "the deck log is another page";
    EXPECT_NE(pictures[9], pictures[10]) << "the replay plays";
    // The mission was booked into the player's record on disk.
    ASSERT_EQ(playerDbChoose("Ondine", 0), RosterStatus::Ok);
    EXPECT_GE(playerRecord()->tutorialScore[0], 0);
    playerDbRelease();
    EXPECT_EQ(missionState().missionMode, kMissionModeTutorial);
    EXPECT_EQ(worldOwnShip(), nullptr) << "the mission was ended";
}

DebriefScreen& debriefing() {
    return *static_cast<DebriefScreen*>(screenGet(kSlotDebrief));
}

/// Where a time bar's share lies on the screen.
Point onTheTimeBar(double share, int below = 0) {
    using namespace debrief_layout;
    return {kTimeBar.left + static_cast<int>(share * kTimeBar.width()),
            kTimeBar.top + kTimeBar.height() / 2 + below};
}

/// The replay stands at a share of the mission, within a pixel of the time bar.
void expectReplayAt(double share, const char* why) {
    const double end = debriefing().story().endTime;
    EXPECT_NEAR(debriefing().replay()->map().time(), share * end, end / debrief_layout::kTimeBar.width())
        << why;
}

void leftButton(HeadlessBackend& d, InputKind kind, Point at) {
    d.inject(InputEvent::buttonAt(kind, MouseButton::Left, at));
}

TEST_F(ProgramRun, ASingleMissionsPenaltyAndLongRunAreToldApartAndReplayedWhole) {
    limitMs = 120000;
    double runFrom = 0.0;
    const std::string sunkTrawler = "vous avez coul\xE9 un chalutier civil ! (-300 points)";
    const std::vector<Step> steps = joined({
        toTheMainMenu("run-"),
        startAMission("run-", 1),
        {
            {kSlotGenInfo, 100, "run-start",
             [&](HeadlessBackend&) {
                 // The first single mission: hunting a submarine among trawlers, whose loss costs.
                 OwnShipEntity* own = worldOwnSubmarineWithMotion();
                 ASSERT_NE(own, nullptr);
                 Entity* trawler = nullptr;
                 goalTreeForEach(goalTreeRoot(), [&](GoalNode& goal) {
                     if (goal.points < 0 && goal.kind == kGoalDestroy && !trawler)
                         trawler = worldFindEntity(goal.targetId);
                 });
                 ASSERT_NE(trawler, nullptr) << "a neutral trawler whose loss costs points";
                 trawler->applyDamage(1.0e9, own, false, false, true);
                 // Flank speed due north for ten game minutes: kilometres up the chart.
                 own->ownMotion->setOrderedCourse(0.0);
                 own->ownMotion->setEngineOrder(5);
                 runFrom = simClock().gameClock;
                 simSetTimeCompression(60.0);
             }},
            {kSlotGenInfo, 100, "run-far", [](HeadlessBackend& d) { endTheMission(d); },
             [&] { return simClock().gameClock >= runFrom + 600.0; }},
            {kSlotDebrief, 300, "run-debrief",
             [&](HeadlessBackend& d) {
                 const std::string& text = debriefing().resultText();
                 const std::size_t goals = text.find("Objectifs atteints :");
                 const std::size_t penalties = text.find("P\xE9nalit\xE9s :");
                 ASSERT_NE(goals, std::string::npos) << text;
                 ASSERT_NE(penalties, std::string::npos) << text;
                 EXPECT_LT(goals, penalties) << text;
                 EXPECT_GT(text.find(sunkTrawler), penalties) << "the penalty with its points, in\n" << text;
                 EXPECT_EQ(text.substr(goals, penalties - goals).find("chalutier"), std::string::npos)
                     << "not among the objectives met:\n"
                     << text;
                 using namespace debrief_layout;
                 clickButton(d, kTabX[2], kTabY, kTabWidth, kTabHeight);
             }},
            {kSlotDebrief, 300, "run-replay",
             [&](HeadlessBackend& d) {
                 using namespace debrief_layout;
                 const ReplayStory& story = debriefing().story();
                 ASSERT_GE(story.track.size(), 2u);
                 const auto [south, north] =
                     std::minmax_element(story.track.begin(), story.track.end(),
                                         [](const TrackPoint& a, const TrackPoint& b) { return a.y < b.y; });
                 EXPECT_GT(north->y - south->y, 6000.0) << "the boat ran far north";
                 // The whole track and every marker stand on the map, and fill it.
                 const ChartTransform t = debriefing().replay()->map().getTransform();
                 std::vector<TrackPoint> places = story.track;
                 for (const ReplayMarker& m : story.markers)
                     places.push_back({m.time, m.x, m.y});
                 Rect span{kReplayMap.width(), kReplayMap.height(), 0, 0};
                 for (const TrackPoint& p : places) {
                     double column = 0, row = 0;
                     ASSERT_TRUE(worldToGrid(p.x, p.y, &column, &row));
                     const Point at = t.toPixel(column, row);
                     EXPECT_TRUE(at.x >= 0 && at.x < kReplayMap.width() && at.y >= 0 &&
                                 at.y < kReplayMap.height())
                         << "a place at " << at.x << ", " << at.y << " off the map";
                     span = {std::min(span.left, at.x), std::min(span.top, at.y), std::max(span.right, at.x),
                             std::max(span.bottom, at.y)};
                 }
                 EXPECT_TRUE(span.width() > kReplayMap.width() / 2 || span.height() > kReplayMap.height() / 2)
                     << "the map zooms onto them";
                 // The time bar held at its start and dragged to its middle, and below it.
                 leftButton(d, InputKind::ButtonDown, onTheTimeBar(0.0));
                 d.moveMouse(onTheTimeBar(0.25));
                 d.moveMouse(onTheTimeBar(0.5, 30));
             }},
            {kSlotDebrief, 100, "run-replay-dragged",
             [&](HeadlessBackend& d) {
                 expectReplayAt(0.5, "the replay follows the drag");
                 leftButton(d, InputKind::ButtonUp, onTheTimeBar(0.5, 30));
                 d.moveMouse(onTheTimeBar(0.9));
             }},
            {kSlotDebrief, 100, "run-replay-let-go",
             [&](HeadlessBackend& d) {
                 expectReplayAt(0.5, "let go, the bar stays");
                 using namespace debrief_layout;
                 clickButton(d, kContinueX, kButtonY, kButtonWidth, kButtonHeight);
             }},
        },
        outOfTheProgram("run-"),
    });
    EXPECT_EQ(run(steps), 0);
    EXPECT_EQ(slotsSeen.size(), steps.size()) << "every screen showed";
}

TEST_F(ProgramRun, AWonMissionGoesThroughTheVictoryMovieToTheVictoryScreen) {
    limitMs = 90000;
    const std::vector<Step> steps = joined({
        toTheMainMenu("won-"),
        startAMission("won-", 0),
        {
            {kSlotGenInfo, 100, "won-running",
             [](HeadlessBackend& d) {
                 // Every goal of the tutorial reached, as the boat would have reached them.
                 goalTreeForEach(goalTreeRoot(), [](GoalNode& goal) { goal.achieved = 1; });
                 endTheMission(d);
             }},
            {kSlotDebrief, 300, "won-debrief",
             [](HeadlessBackend& d) { d.typeKey(static_cast<std::uint8_t>(VK_RETURN), '\r'); }},
            {kSlotMovie, 500, "won-movie",
             [](HeadlessBackend& d) {
                 d.click({320, 240});
             }},
            {kSlotVictory, 300, "victory",
             [](HeadlessBackend& d) {
                 d.click({320, 240});
             }},
        },
        outOfTheProgram("won-"),
    });
    EXPECT_EQ(run(steps), 0);
    EXPECT_EQ(slotsSeen.size(), steps.size()) << "every screen showed";
    ASSERT_EQ(playerDbChoose("Ondine", 0), RosterStatus::Ok);
    EXPECT_EQ(playerRecord()->tutorialScore[0], 0) << "booked (marked reached, the goals gave no points)";
    playerDbRelease();
}

TEST_F(ProgramRun, TheOwnBoatLostInASingleMissionLeadsToTheDeathScreenAndTheDebriefing) {
    limitMs = 90000;
    const std::vector<Step> steps = joined({
        toTheMainMenu("loss-"),
        startAMission("loss-", 1),
        {
            {kSlotGenInfo, 100, "loss-running",
             [](HeadlessBackend&) {
                 // Rammed: the collision's cause, and damage beyond the hull through the entity.
                 ASSERT_NE(worldOwnShip(), nullptr);
                 missionState().ownBoatLossCause = kLossCollision;
                 worldOwnShip()->applyDamage(1.0e9, nullptr, false, false, false);
                 simSetTimeCompression(60.0);
             }},
            {kSlotDeath, 300, "death",
             [](HeadlessBackend& d) {
                 d.click({320, 240});
             }},
            {kSlotDebrief, 300, "loss-debrief",
             [](HeadlessBackend& d) { d.typeKey(static_cast<std::uint8_t>(VK_RETURN), '\r'); }},
        },
        outOfTheProgram("loss-"),
    });
    EXPECT_EQ(run(steps), 0);
    EXPECT_EQ(slotsSeen.size(), steps.size()) << "every screen showed";
    EXPECT_EQ(missionState().missionMode, kMissionModeSingle);
    EXPECT_EQ(screenGet(kSlotDeath), nullptr);
}

} // namespace
} // namespace q71
