// The logo, the intro movie screen, the main menu and the credits.
#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "framework/widgets/recording_sound.h"
#include "frontend/credits/credits_screen.h"
#include "frontend/login/login_layout.h"
#include "frontend/mainmenu/main_menu.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "frontend/movie/movie_screen.h"
#include "frontend/options/options_screen.h"
#include "frontend/selection/sor_tsel.h"
#include "frontend_fixture.h"
#include "media/audio/music.h"
#include "media/audio/sound_manager.h"
#include "platform/midi/midi_synth.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/sound/sound_device.h"
#include "platform/window/focus.h"
#include "platform/window/virtual_keys.h"
#include "sim/scoring/player_roster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace q71 {
namespace {

using FrontEndScreens = test::FrontEndFixture;

// The main menu's line of the credits.
int creditsEntry() {
    const auto line = std::find_if(kMainMenuEntries.begin(), kMainMenuEntries.end(),
                                   [](const MainMenuEntry& e) { return e.slot == kSlotCredits; });
    return static_cast<int>(line - kMainMenuEntries.begin());
}

TEST_F(FrontEndScreens, TheLogoMovesOnAfterItsTimeAndTakesTheKeyboard) {
    screenCreate(kSlotLogo);
    screenCreateMovie("none.wve", nullptr, kSlotLogin);
    screenSwitch(kSlotLogo);
    pump();
    EXPECT_EQ(focusGet(), screenGet(kSlotLogo)->window());
    run(3900);
    EXPECT_EQ(screenCurrentIndex(), kSlotLogo);
    run(200);
    EXPECT_EQ(screenCurrentIndex(), kSlotMovie);
}

TEST_F(FrontEndScreens, EscOnTheLogoMovesOnAtOnce) {
    screenCreate(kSlotLogo);
    screenCreateMovie("none.wve", nullptr, kSlotLogin);
    screenSwitch(kSlotLogo);
    pump();
    press(static_cast<std::uint8_t>(VK_ESCAPE), 27);
    EXPECT_EQ(screenCurrentIndex(), kSlotMovie);
}

TEST_F(FrontEndScreens, AMovieThatCannotPlayEndsAtOnceAndWaitsForItsNextScreen) {
    auto* movie = static_cast<MovieScreen*>(screenCreateMovie("missing.wve", "missing-too.wve", kSlotLogin));
    ASSERT_NE(movie, nullptr);
    screenSwitch(kSlotMovie);
    pump();
    EXPECT_FALSE(movie->isPlaying());
    EXPECT_EQ(appIdleHook(), &appIdleRun) << "the idle hook runs again";
    run(300);
    EXPECT_EQ(screenCurrentIndex(), kSlotMovie) << "the login is not made yet";
    screenCreate(kSlotLogin);
    run(150);
    EXPECT_EQ(screenCurrentIndex(), kSlotLogin);
}

TEST_F(FrontEndScreens, TheMainMenuHasAButtonForEachScreenThatExists) {
    screenSwitch(kSlotMainMenu);
    auto* menu = static_cast<MainMenu*>(screenGet(kSlotMainMenu));
    ASSERT_NE(menu, nullptr);
    std::vector<int> withScreens;
    for (int i = 0; i < static_cast<int>(kMainMenuEntries.size()); ++i) {
        const int slot = kMainMenuEntries[static_cast<std::size_t>(i)].slot;
        if (slot == kMainMenuQuit || screenHasMaker(slot))
            withScreens.push_back(i);
    }
    EXPECT_EQ(menu->shownEntries(), withScreens);
    EXPECT_LT(withScreens.size(), kMainMenuEntries.size()) << "some screens are not built yet";

    screenDestroy(kSlotMainMenu);
    screenRegisterMaker(kSlotCredits, nullptr);
    screenSwitch(kSlotMainMenu);
    menu = static_cast<MainMenu*>(screenGet(kSlotMainMenu));
    ASSERT_NE(menu, nullptr);
    for (int entry : menu->shownEntries())
        EXPECT_NE(kMainMenuEntries[static_cast<std::size_t>(entry)].slot, kSlotCredits);
}

// Counts the notes it is told to start and the times it is silenced (each load and each start).
class CountingSynth final : public MidiSynth {
public:
    CountingSynth(int& notes, int& silenced) : notes_(notes), silenced_(silenced) {}
    void send(std::uint8_t status, std::uint8_t, std::uint8_t data2) override {
        if ((status & 0xF0) == 0x90 && data2)
            ++notes_;
    }
    void silence() override { ++silenced_; }
    void render(std::span<std::int16_t> stereo) override { std::fill(stereo.begin(), stereo.end(), 0); }

private:
    int& notes_;
    int& silenced_;
};

TEST_F(FrontEndScreens, TheMainMenuPlaysItsThemeAndGoesOnWithItAfterTheCredits) {
    auto owned = std::make_unique<SoundDevice>();
    SoundDevice& device = *owned;
    ASSERT_TRUE(soundInitOnDevice(appMainWindow(), std::move(owned)));
    int notes = 0, silenced = 0;
    musicInitOnSynth(appMainWindow(), std::make_unique<CountingSynth>(notes, silenced));
    auto mixSeconds = [&](int seconds) {
        std::vector<std::int16_t> stereo(static_cast<std::size_t>(seconds * kSoundMixRate) * 2);
        device.mix(stereo);
    };

    screenEnterMainMenu();
    mixSeconds(2);
    EXPECT_GT(notes, 0) << "the theme plays";
    const int silencedInMenu = silenced;
    screenSwitch(kSlotCredits);
    press(static_cast<std::uint8_t>(VK_ESCAPE), 27);
    ASSERT_EQ(screenCurrentIndex(), kSlotMainMenu);
    EXPECT_EQ(silenced, silencedInMenu) << "back in the menu the theme goes on where it was";

    musicShutdown();
    soundShutdown();
}

TEST_F(FrontEndScreens, EachMissionLineMakesItsScreenWithItsArgumentBeforeTheSwitch) {
    ASSERT_EQ(playerDbChoose("Nereide", 0), RosterStatus::Ok);
    struct Case {
        int entry;
        int slot;
        const char* key;
        int argument; // the selection's mode, the options' way back
    };
    const std::vector<Case> cases{
        {0, kSlotMissionSelection, "missionSelection", 1},
        {1, kSlotMissionSelection, "missionSelection", 2},
        {2, kSlotMissionSelection, "campaignSelection", 3},
        {3, kSlotOptions, "options", 0},
    };
    for (const Case& c : cases) {
        screenEnterMainMenu();
        pump();
        clickAt({main_menu_layout::kButtonX + 30, main_menu_layout::buttonY(c.entry) + 10});
        ASSERT_EQ(screenCurrentIndex(), c.slot) << "line " << c.entry;
        const FullScreen* screen = screenGet(c.slot);
        EXPECT_EQ(screen->key(), c.key);
        if (c.slot == kSlotMissionSelection) {
            EXPECT_EQ(static_cast<const SorTsel*>(screen)->mode(), c.argument);
        }
        press(static_cast<std::uint8_t>(VK_ESCAPE), 27);
        EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu) << "back from line " << c.entry;
        pump();
        EXPECT_EQ(screenGet(c.slot), nullptr) << "the screen left goes";
    }
    playerDbRelease();
}

TEST_F(FrontEndScreens, TheButtonsOfTheLoginAndTheMainMenuClick) {
    test::RecordingSound sound;
    screenCreate(kSlotLogin);
    screenSwitch(kSlotLogin);
    pump();
    type("Nereide");
    clickAt({login_layout::kButtonX + 20, login_layout::kValidateY + 10});
    ASSERT_EQ(screenCurrentIndex(), kSlotMainMenu);
    const auto buttons =
        static_cast<long>(static_cast<MainMenu*>(screenGet(kSlotMainMenu))->shownEntries().size());
    clickAt({main_menu_layout::kButtonX + 30, main_menu_layout::buttonY(creditsEntry()) + 10});
    ASSERT_EQ(screenCurrentIndex(), kSlotCredits);
    EXPECT_EQ(std::count(sound.log.begin(), sound.log.end(), "prepare pushbtn.wav"), 2 + buttons)
        << "each button has its click";
    EXPECT_EQ(std::count(sound.log.begin(), sound.log.end(), "restart"), 2) << "one click on each screen";
}

TEST_F(FrontEndScreens, TheCreditsOfTheMainMenuGoBackToIt) {
    using namespace main_menu_layout;
    screenEnterMainMenu();
    pump();
    clickAt({kButtonX + 30, buttonY(creditsEntry()) + 10});
    ASSERT_EQ(screenCurrentIndex(), kSlotCredits);
    auto* credits = static_cast<CreditsScreen*>(screenGet(kSlotCredits));
    EXPECT_FALSE(credits->endsProgram());
    EXPECT_GT(credits->contentHeight(), 0);
    run(1000);
    EXPECT_NEAR(credits->risen(), 32, 4) << "the lines rise 32 pixels a second";
    press(static_cast<std::uint8_t>(VK_ESCAPE), 27);
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    EXPECT_FALSE(quitRead);
}

TEST_F(FrontEndScreens, TheCreditsOnTheWayOutEndTheProgramWhenTheyHavePassed) {
    screenEnterMainMenu();
    screenShowCredits();
    auto* credits = static_cast<CreditsScreen*>(screenGet(kSlotCredits));
    ASSERT_TRUE(credits->endsProgram());
    const int travel = credits_layout::kGlass.height() + credits->contentHeight();
    run(static_cast<std::uint64_t>(travel) * 1000 / 32 - 500);
    EXPECT_FALSE(quitRead);
    run(1000);
    EXPECT_TRUE(quitRead);
    EXPECT_EQ(screenGet(kSlotCredits), nullptr) << "every screen is gone";
}

TEST_F(FrontEndScreens, TheQuitButtonOfTheMainMenuAsksFirst) {
    using namespace main_menu_layout;
    screenEnterMainMenu();
    pump();
    const int quit = static_cast<int>(kMainMenuEntries.size()) - 1;
    auto asked = answerNextBox(kIdYes);
    clickAt({kButtonX + 30, buttonY(quit) + 10});
    EXPECT_TRUE(*asked);
    EXPECT_EQ(screenCurrentIndex(), kSlotCredits);
    EXPECT_TRUE(static_cast<CreditsScreen*>(screenGet(kSlotCredits))->endsProgram());
}

} // namespace
} // namespace q71
