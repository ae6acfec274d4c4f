#include "frontend/portcall/portof_call.h"

#include "framework/app/key_matching.h"
#include "framework/app/screen_manager.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/portcall/portcall_layout.h"
#include "frontend/screen_art.h"
#include "media/audio/crew_speech.h"
#include "media/audio/sound_manager.h"
#include "platform/window/window_paint.h"
#include "sim/scoring/campaign_names.h"
#include "sim/scoring/mission_flow.h"
#include "sim/scoring/player_roster.h"
#include "sim/scoring/upgrades.h"
#include "sim/services/weapon_stations.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace q71 {
namespace {

enum ControlId : int {
    kConfirmId = 1,
    kLeaveId = 2,
    kFirstSellId = 10, // + category
    kFirstBuyId = 20,  // + category
};

constexpr int kEscape = 27;
constexpr int kTopLevel = 4;

constexpr int kCategoryTexts = 2960; // + category
constexpr int kTitleText = 2965;
constexpr int kPointsText = 2966;
constexpr int kLevelText = 2967;
constexpr int kResuppliedText = 2972;
constexpr int kSavedText = 2973;
constexpr int kSaveFailedText = 2974;
constexpr int kNoPlayerText = 2975;
constexpr int kShortOfPointsText = 2976;
constexpr int kPricesText = 2977;
constexpr int kNoPriceText = 2978;
constexpr int kNothingToSellText = 2979;
constexpr int kNothingToBuyText = 2980;

// The captain's boat in the calls: the campaign leg, counted from 1 (calls 1 to 9).
int captainBoat() {
    return std::clamp(campaignPlay().leg + 1, 1, 9);
}

// A launcher's load kept as it is when it names a weapon; a damaged record's other values empty it.
std::int32_t keptLoad(std::int32_t type) {
    return type >= kWeaponAdcap && type <= kWeaponEmpty ? type : kWeaponEmpty;
}

} // namespace

PortofCall::PortofCall(WindowHandle parent, int argument)
    : FrontEndScreen("PortofCall", parent), argument_(argument) {}

PortofCall::~PortofCall() {
    freeVoices();
}

void PortofCall::open() {
    using namespace portcall_layout;
    frontEndSelectGroup(kPortCallGroup);
    frontEndLoadBackground(background_);
    for (int c = 0; c < kCategoryCount; ++c) {
        rowButtons_[static_cast<std::size_t>(c)] =
            frontEndPushButton(window_, kFirstSellId + c, kSellX, rowY(c), kRowButtonWidth, kRowHeight);
        rowButtons_[static_cast<std::size_t>(kCategoryCount + c)] =
            frontEndPushButton(window_, kFirstBuyId + c, kBuyX, rowY(c), kRowButtonWidth, kRowHeight);
    }
    confirm_ = frontEndPushButton(window_, kConfirmId, kConfirmX, kButtonY, kButtonWidth, kButtonHeight);
    leave_ = frontEndPushButton(window_, kLeaveId, kLeaveX, kButtonY, kButtonWidth, kButtonHeight);
    upgradePointsBegin();
    say(playerRecord() ? kResuppliedText : kNoPlayerText);
    confirm_->setEnabled(playerRecord() != nullptr);
    if (argument_ == kPortAfterCampaignLeg && !announce_ && !captain_) {
        const std::string port = campaignPortAnnounceName();
        if (!port.empty())
            announce_ = soundPlayByName(port.c_str(), 0, 1, 1);
        captain_ = crewAnnounceCaptain(captainBoat(), 0);
    }
}

void PortofCall::close() {
    for (auto& button : rowButtons_)
        button.reset();
    confirm_.reset();
    leave_.reset();
    background_.free();
}

void PortofCall::freeVoices() {
    for (SoundVoice** voice : {&announce_, &captain_})
        if (*voice) {
            soundFreeVoice(*voice);
            *voice = nullptr;
        }
}

std::int32_t PortofCall::balance() const {
    return upgradePointsAdd(0);
}

std::int32_t PortofCall::level(int category) const {
    return upgradePointsLevel(category);
}

std::string PortofCall::priceLine(int category) const {
    const auto price = [](std::int32_t points) { return points < 0 ? textCopy(kNoPriceText) : std::to_string(points); };
    char line[160];
    textFormat(line, kPricesText, price(upgradePointsBuyCost(category)).c_str(),
               price(upgradePointsSellRefund(category)).c_str());
    return line;
}

bool PortofCall::buy(int category) {
    // What a level costs before the purchase says why one was refused: none at the top, else the points.
    const std::int32_t cost = upgradePointsBuyCost(category);
    if (upgradePointsBuy(category) >= 0) {
        say(kResuppliedText);
        return true;
    }
    const std::string name = textCopy(kCategoryTexts + category);
    if (cost < 0)
        say(kNothingToBuyText, textFormatted(kNothingToBuyText, name.c_str()));
    else
        say(kShortOfPointsText, textFormatted(kShortOfPointsText, name.c_str(), cost));
    return false;
}

bool PortofCall::sell(int category) {
    // Selling costs nothing: it is refused only at level 0.
    if (upgradePointsSell(category) >= 0) {
        say(kResuppliedText);
        return true;
    }
    say(kNothingToSellText, textFormatted(kNothingToSellText, textCopy(kCategoryTexts + category).c_str()));
    return false;
}

bool PortofCall::confirm() {
    PlayerRecord* record = playerRecord();
    if (!record)
        return false;
    const PlayerRecord before = *record;
    // A category left where it was keeps its level as the record holds it (a fraction included).
    for (int c = 0; c < kStationCount; ++c) {
        float& stored = record->stationLevels[static_cast<std::size_t>(c)];
        if (upgradePointsLevel(c) != static_cast<std::int32_t>(std::isfinite(stored) ? stored : 0.0f))
            stored = static_cast<float>(upgradePointsLevel(c));
    }
    record->careerPoints = balance();
    record->inventory = playerFullStock();
    for (std::int32_t& cell : record->cells)
        cell = keptLoad(cell);
    for (std::int32_t& tube : record->tubes)
        tube = keptLoad(tube);
    if (!playerDbSave()) {
        // The record in memory stays as the file holds it.
        *record = before;
        say(kSaveFailedText);
        return false;
    }
    say(kSavedText);
    leave();
    return true;
}

void PortofCall::announceDeparture() {
    if (argument_ != kPortAfterCampaignLeg)
        return;
    freeVoices();
    captain_ = crewAnnounceCaptain(captainBoat(), 1);
}

void PortofCall::leave() {
    announceDeparture();
    if (argument_ == kPortAfterCampaignLeg) {
        screenCreateCampaignSelectionQuiet();
        screenSwitch(kSlotMissionSelection);
    } else {
        screenSwitch(kSlotMainMenu);
    }
    screenDestroyLater(kSlotPortOfCall);
}

void PortofCall::say(int text) {
    say(text, textCopy(text));
}

void PortofCall::say(int text, std::string line) {
    saidText_ = text;
    said_ = std::move(line);
    windowInvalidate(window_, nullptr, false);
}

bool PortofCall::saidRefusal() const {
    switch (saidText_) {
    case kSaveFailedText:
    case kShortOfPointsText:
    case kNothingToSellText:
    case kNothingToBuyText:
    case kNoPlayerText:
        return true;
    default:
        return false;
    }
}

void PortofCall::paint(DeviceContext& dc) {
    using namespace portcall_layout;
    FrontEndScreen::paint(dc);
    glassTitle(dc, kTitle, textCopy(kTitleText));
    char line[160];
    textFormat(line, kPointsText, balance());
    glassLine(dc, kPointsGlass, line, kLargeFont, glass_colours::kAmber, true);
    // The names, the levels and the prices each stand as a column, every line of a column in one
    // font: the level above, the prices of a level bought and sold below, on each level's glass.
    std::vector<GlassRow> names, levels, prices;
    for (int c = 0; c < kCategoryCount; ++c) {
        names.push_back(
            {nameGlass(c).inflatedBy(-10, 0), textCopy(kCategoryTexts + c), glass_colours::kPhosphor});
        textFormat(line, kLevelText, level(c), kTopLevel);
        const Rect glass = levelGlass(c).inflatedBy(-4, -2);
        const int middle = (glass.top + glass.bottom) / 2;
        levels.push_back({{glass.left, glass.top, glass.right, middle}, line, glass_colours::kAmber});
        prices.push_back(
            {{glass.left, middle, glass.right, glass.bottom}, priceLine(c), glass_colours::kPhosphor});
    }
    glassLines(dc, names, kTextFont);
    glassLines(dc, levels, kTextFont, true);
    glassLines(dc, prices, kTextFont, true);
    if (saidText_)
        glassParagraph(dc, kStatusGlass.inflatedBy(-10, -6), said_, kTextFont,
                       saidRefusal() ? glass_colours::kWarningRed : glass_colours::kPhosphor);
}

int PortofCall::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam);
    if (id >= kFirstSellId && id < kFirstSellId + portcall_layout::kCategoryCount) {
        sell(id - kFirstSellId);
        return 1;
    }
    if (id >= kFirstBuyId && id < kFirstBuyId + portcall_layout::kCategoryCount) {
        buy(id - kFirstBuyId);
        return 1;
    }
    switch (id) {
    case kConfirmId:
        confirm();
        return 1;
    case kLeaveId:
        leave();
        return 1;
    default:
        return FrontEndScreen::onCommand(wParam, lParam);
    }
}

int PortofCall::onKey(int key, int category) {
    if (category == kKeyChar && key == kEscape) {
        leave();
        return 1;
    }
    return 0;
}

} // namespace q71
