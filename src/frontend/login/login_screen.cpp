#include "frontend/login/login_screen.h"

#include "framework/app/key_matching.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/login/login_layout.h"
#include "frontend/screen_art.h"
#include "platform/files/locations.h"
#include "platform/files/path.h"
#include "platform/msgbox/message_box.h"

#include <algorithm>

namespace q71 {
namespace {

enum ControlId : int {
    kValidateId = 1,
    kQuitId = 2,
    kRosterId = 3, // and kRosterId + 1 when a row is chosen
    kNameId = 5,
};

// The longest name a player record keeps.
constexpr std::size_t kMaxNameLength = 77;
// The campaign every login loads.
constexpr const char* kFirstCampaign = "\\Scenario\\a.cdf";

constexpr int kRosterDamagedText = 1916;
constexpr int kRosterUnreadableText = 1917;
constexpr int kCampaignMissingText = 1918;
constexpr int kLoginCaptionText = 1919;

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

LoginScreen::LoginScreen(WindowHandle parent) : FrontEndScreen("login", parent) {}

LoginScreen::~LoginScreen() = default;

void LoginScreen::open() {
    using namespace login_layout;
    frontEndSelectGroup(kLoginGroup);
    frontEndLoadBackground(background_);
    roster_ = std::make_unique<RosterList>(window_, kRosterId, kRosterGlass);
    roster_->takeKeys();
    name_ = std::make_unique<NameField>(window_, kNameId, kNameGlass, kMaxNameLength);
    validate_ = frontEndPushButton(window_, kValidateId, kButtonX, kValidateY, kButtonWidth, kButtonHeight);
    quit_ = frontEndPushButton(window_, kQuitId, kButtonX, kQuitY, kButtonWidth, kButtonHeight);
    // A roster that cannot be read lists nobody; choosing a player then says why.
    roster_->setEntries(playerDbList().value_or(std::vector<RosterEntry>{}));
    name_->show();
}

void LoginScreen::close() {
    validate_.reset();
    quit_.reset();
    name_.reset();
    roster_.reset();
    background_.free();
}

int LoginScreen::onCommand(WParam wParam, LParam lParam) {
    switch (static_cast<int>(wParam)) {
    case kValidateId:
        logIn();
        return 1;
    case kQuitId:
        appAskToQuit();
        return 1;
    case kRosterId:
        if (const RosterEntry* entry = roster_->selectedEntry())
            name_->setText(entry->name);
        return 1;
    case kRosterId + 1:
        logIn();
        return 1;
    default:
        return FrontEndScreen::onCommand(wParam, lParam);
    }
}

int LoginScreen::onKey(int key, int category) {
    if (!name_)
        return 0;
    if (category == kKeyChar) {
        switch (key) {
        case '\r':
            logIn();
            return 1;
        case '\b':
            name_->erase();
            return 1;
        default:
            return name_->type(key) ? 1 : 0;
        }
    }
    return 0;
}

bool LoginScreen::logIn() {
    const std::string name = trimmed(name_->text());
    if (name.empty())
        return false;
    // The campaign is loaded with the player, and a campaign that is not there ends the program:
    // better to say so and stay.
    if (!fileExists(locationDataRoot() + kFirstCampaign)) {
        showMessage(kCampaignMissingText);
        return false;
    }
    switch (playerDbChoose(name, numberFor(name))) {
    case RosterStatus::Ok:
        // The login is gone after this: nothing of it may be touched.
        screenEnterMainMenu();
        return true;
    case RosterStatus::Damaged:
        showMessage(kRosterDamagedText);
        return false;
    case RosterStatus::Unreadable:
    case RosterStatus::BadNumber:
        showMessage(kRosterUnreadableText);
        return false;
    }
    return false;
}

int LoginScreen::numberFor(const std::string& name) const {
    if (const RosterEntry* entry = roster_->selectedEntry(); entry && entry->name == name)
        return std::max(entry->number, 0);
    for (const RosterEntry& entry : roster_->entries())
        if (entry.name == name)
            return std::max(entry.number, 0);
    return 0;
}

void LoginScreen::showMessage(int textId) {
    messageBox(window_, textCopy(textId), textCopy(kLoginCaptionText), kMbOk | kMbIconExclamation);
}

} // namespace q71
