#include "frontend/mainmenu/main_menu.h"

#include "framework/app/shell.h"
#include "framework/widgets/simple_button.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "frontend/screen_art.h"
#include "media/audio/music.h"

namespace q71 {
namespace {

// Buttons are told apart by their entry: control id = kFirstButtonId + entry.
constexpr int kFirstButtonId = 100;

constexpr const char* kMainMenuTheme = "Prog.mid";

bool entryExists(const MainMenuEntry& entry) {
    return entry.slot == kMainMenuQuit || screenHasMaker(entry.slot);
}

} // namespace

MainMenu::MainMenu(WindowHandle parent) : FrontEndScreen("mainmenu", parent) {}

MainMenu::~MainMenu() = default;

void MainMenu::open() {
    using namespace main_menu_layout;
    frontEndSelectGroup(kMainMenuGroup);
    frontEndLoadBackground(background_);
    // The theme plays endlessly under the menu; coming back to it does not start it again.
    musicLoad(kMainMenuTheme, 1);
    musicPlay();
    for (int i = 0; i < static_cast<int>(kMainMenuEntries.size()); ++i) {
        if (!entryExists(kMainMenuEntries[static_cast<std::size_t>(i)]))
            continue;
        buttons_.push_back(frontEndPushButton(window_, kFirstButtonId + i, kButtonX, buttonY(i), kButtonWidth,
                                              kButtonHeight));
    }
}

void MainMenu::close() {
    buttons_.clear();
    background_.free();
}

int MainMenu::onCommand(WParam wParam, LParam lParam) {
    const int entry = static_cast<int>(wParam) - kFirstButtonId;
    if (entry < 0 || entry >= static_cast<int>(kMainMenuEntries.size()))
        return FrontEndScreen::onCommand(wParam, lParam);
    const MainMenuEntry& line = kMainMenuEntries[static_cast<std::size_t>(entry)];
    if (line.slot == kMainMenuQuit) {
        appAskToQuit();
        return 1;
    }
    if (line.transition)
        line.transition();
    screenSwitch(line.slot);
    return 1;
}

std::vector<int> MainMenu::shownEntries() const {
    std::vector<int> entries;
    for (const auto& button : buttons_)
        entries.push_back(button->controlId() - kFirstButtonId);
    return entries;
}

} // namespace q71
