#include "frontend_fixture.h"

#include "support/data_set_settings.h"
#include "support/shell_reset.h"
#include "support/shell_window.h"

#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "framework/app/shell_fonts.h"
#include "framework/app/shell_state.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/scroller.h"
#include "framework/widgets/widget_bitmap.h"
#include "frontend/frontend_services.h"
#include "frontend/mainmenu/main_menu.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "platform/controls/standard_controls.h"
#include "platform/gdi/window_dc.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/modal_loop.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"
#include "sim/scoring/player_roster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace q71::test {

FrontEndFixture::FrontEndFixture() {
    installWindowDrawing();
    controlsRegisterClasses();
    frontEndRegisterScreens();
    EXPECT_EQ(textOpen(), 1);
    loadDataSetSettings(); // the player's paths in them are this test's folder
    appReadInstallPaths();
    // The install paths are relative to the data set, which the program makes its folder.
    std::filesystem::current_path(rootInstallPath);
    openShellWindow();
    textBoxSetScrollerFactory(&makeTextBoxScroller); // as the program installs it at start-up
    pump();
}

FrontEndFixture::~FrontEndFixture() {
    resetShell();
    textBoxSetScrollerFactory(nullptr);
    playerDbRelease(); // the player a test logged in is no one's in the next
    appDeleteFonts();
    grpFreeAll();
    textClose();
}

void FrontEndFixture::run(std::uint64_t ms) {
    for (std::uint64_t t = 0; t < ms; t += 10) {
        clock.advance(10);
        pump();
    }
}

void FrontEndFixture::clickAt(Point at) {
    display.click(at);
    pump();
}

void FrontEndFixture::type(const std::string& text) {
    for (char c : text)
        display.typeKey(static_cast<std::uint8_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c), c);
    pump();
}

void FrontEndFixture::press(std::uint8_t virtualKey, int character) {
    display.typeKey(virtualKey, character);
    pump();
}

bool FrontEndFixture::clickMainMenuLine(int slot) {
    const auto line = std::find_if(kMainMenuEntries.begin(), kMainMenuEntries.end(),
                                   [&](const MainMenuEntry& e) { return e.slot == slot; });
    const int entry = static_cast<int>(line - kMainMenuEntries.begin());
    const auto* menu = dynamic_cast<const MainMenu*>(screenGet(kSlotMainMenu));
    if (!menu || line == kMainMenuEntries.end())
        return false;
    const auto shown = menu->shownEntries();
    if (std::find(shown.begin(), shown.end(), entry) == shown.end())
        return false;
    clickAt(Point{main_menu_layout::kButtonX + 20, main_menu_layout::buttonY(entry) + 10});
    return true;
}

std::shared_ptr<bool> FrontEndFixture::answerNextBox(int answer) {
    auto shown = std::make_shared<bool>(false);
    modalScriptPush([shown, answer](WindowHandle box) {
        *shown = true;
        modalLoopEnd(box, answer);
    });
    return shown;
}

DataSetWithout::DataSetWithout(const std::string& missing) {
    namespace fs = std::filesystem;
    const char* data = std::getenv("Q71_DATA");
    old_ = data ? data : "";
    const fs::path real = fs::absolute(old_);
    const fs::path skipped = real / missing;
    // Folders on the way to the missing file are made anew; everything else is a link.
    for (auto it = fs::recursive_directory_iterator(real); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path relative = fs::relative(it->path(), real);
        const fs::path copy = dir_.path() / relative;
        const bool onTheWay = skipped.string().rfind(it->path().string() + "/", 0) == 0;
        if (onTheWay) {
            fs::create_directories(copy);
            continue;
        }
        it.disable_recursion_pending();
        if (it->path() != skipped)
            fs::create_symlink(it->path(), copy);
    }
    ::setenv("Q71_DATA", dir_.path().c_str(), 1);
}

DataSetWithout::~DataSetWithout() {
    ::setenv("Q71_DATA", old_.c_str(), 1);
}

} // namespace q71::test
