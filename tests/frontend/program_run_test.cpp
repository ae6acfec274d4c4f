// The whole program on the headless display: from the start through the logo, the intro movie,
// the login and the main menu to the way out through the credits, as a player goes. A picture of
// each screen is kept in artefacts/ beside the test binary.
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "frontend/frontend_services.h"
#include "frontend/login/login_layout.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "platform/display/headless_backend.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/window_dc.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/clock.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/timers.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"
#include "sim/scoring/player_roster.h"
#include "sim/support/scoped_folders.h"
#include "support/data_set_settings.h"
#include "support/png_image.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

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
};

class ProgramRun : public ::testing::Test {
protected:
    ProgramRun() {
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        artefacts_ = std::filesystem::current_path() / "artefacts";
        std::filesystem::create_directories(artefacts_);
        current_ = this;
    }
    ~ProgramRun() override { current_ = nullptr; }

    /// Runs the program with the steps; returns appWinMain's result.
    int run(std::vector<Step> steps) {
        steps_ = std::move(steps);
        test::loadDataSetSettings(); // the player's folder is this test's
        frontEndInstallProgram(nullptr);
        timerSet(WindowHandle{}, 0, 20, &ProgramRun::tick);
        return appWinMain(SW_SHOWDEFAULT);
    }

    /// Types a text on the keyboard, letter by letter.
    static void type(HeadlessBackend& display, const std::string& text) {
        for (char c : text)
            display.typeKey(static_cast<std::uint8_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c), c);
    }

    void savePicture(const std::string& name) {
        const ScreenSurface& surface = screenSurface();
        test::RgbImage image{ScreenSurface::kWidth, ScreenSurface::kHeight, {}};
        for (std::uint16_t pixel : surface.pixels) {
            const ColorRef colour = colorFrom565(pixel);
            image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(colorRed(colour)),
                                                     static_cast<std::uint8_t>(colorGreen(colour)),
                                                     static_cast<std::uint8_t>(colorBlue(colour))});
        }
        test::writePng((artefacts_ / (name + ".png")).string(), image);
        pictures.push_back(image);
    }

    SteadyClock clock;
    HeadlessBackend display{true};
    WindowSystemSession session{display, clock};
    test::PlayerFolder player;
    std::vector<int> slotsSeen;
    std::vector<test::RgbImage> pictures;

private:
    // Runs on the main thread from the loop, as any timer does.
    static void tick(WindowHandle, std::uint32_t, std::uintptr_t, std::uint32_t now) {
        ProgramRun& self = *current_;
        if (self.startMs_ == 0)
            self.startMs_ = now;
        if (now - self.startMs_ > 30000) {
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
        if (now - self.since_ < step.settleMs)
            return;
        self.savePicture(step.picture);
        ++self.next_;
        self.since_ = 0;
        step.act(self.display);
    }

    static ProgramRun* current_;
    std::filesystem::path artefacts_;
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

} // namespace
} // namespace q71
