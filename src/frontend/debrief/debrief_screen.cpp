#include "frontend/debrief/debrief_screen.h"

#include "framework/app/key_matching.h"
#include "framework/app/screen_manager.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/debrief/debrief_layout.h"
#include "frontend/debrief/debrief_result.h"
#include "frontend/debrief/deck_log_lines.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/screen_art.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_paint.h"
#include "sim/scoring/replay_log.h"
#include "sim/scoring/scoring_state.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/scenario_reader.h"

namespace q71 {
namespace {

enum ControlId : int {
    kContinueId = 1,
    kPreviousId = 2,
    kNextId = 3,
    kLogId = 4,
    kFirstTabId = 10,
};

constexpr int kTitleText = 2460;
constexpr int kEmptyLogText = 2461;

} // namespace

DebriefScreen::DebriefScreen(WindowHandle parent) : FrontEndScreen("DeBrief", parent) {}

DebriefScreen::~DebriefScreen() = default;

void DebriefScreen::open() {
    using namespace debrief_layout;
    frontEndSelectGroup(kDebriefGroup);
    frontEndLoadBackground(background_);
    for (int i = 0; i < kDebriefPageCount; ++i)
        tabs_[static_cast<std::size_t>(i)] = frontEndPushButton(
            window_, kFirstTabId + i, kTabX[static_cast<std::size_t>(i)], kTabY, kTabWidth, kTabHeight);
    continue_ = frontEndPushButton(window_, kContinueId, kContinueX, kButtonY, kButtonWidth, kButtonHeight);
    previous_ = frontEndPushButton(window_, kPreviousId, kPreviousX, kButtonY, kButtonWidth, kButtonHeight);
    next_ = frontEndPushButton(window_, kNextId, kNextX, kButtonY, kButtonWidth, kButtonHeight);
    log_ = std::make_unique<GlassList>(window_, kLogId, kLogList);

    result_ = debriefResultText();
    missionTexts().flowText = result_;
    // A torn log reads as far as it holds; what could not be read is simply not told.
    std::vector<std::string> lines = deckLogLines(replayLogRead());
    logEmpty_ = lines.empty();
    log_->setRows(std::move(lines));
    showPage(DebriefPage::Result);
}

void DebriefScreen::close() {
    log_.reset();
    for (auto& tab : tabs_)
        tab.reset();
    previous_.reset();
    next_.reset();
    continue_.reset();
    background_.free();
}

void DebriefScreen::showPage(DebriefPage page) {
    page_ = page;
    const bool log = page == DebriefPage::DeckLog;
    if (log) {
        log_->show();
        previous_->show();
        next_->show();
    } else {
        log_->hide();
        previous_->hide();
        next_->hide();
    }
    windowInvalidate(window_, nullptr, false);
}

void DebriefScreen::paint(DeviceContext& dc) {
    using namespace debrief_layout;
    FrontEndScreen::paint(dc);
    glassLine(dc, kTitle, textCopy(kTitleText), kTitleFont, glass_colours::kLabel, true);
    if (page_ == DebriefPage::Result)
        glassParagraph(dc, kResultText, result_, kTextFont, glass_colours::kPhosphor);
    else if (logEmpty_)
        glassParagraph(dc, kLogList.inflatedBy(-10, -8), textCopy(kEmptyLogText), kTextFont,
                       glass_colours::kAmber);
}

void DebriefScreen::scrollLog(int pages) {
    const int rows = static_cast<int>(log_->rows().size());
    if (rows == 0)
        return;
    const int from = log_->selected() < 0 ? 0 : log_->selected();
    log_->select(std::clamp(from + pages * log_->visibleRows(), 0, rows - 1));
}

int DebriefScreen::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam);
    if (id >= kFirstTabId && id < kFirstTabId + kDebriefPageCount) {
        showPage(static_cast<DebriefPage>(id - kFirstTabId));
        return 1;
    }
    switch (id) {
    case kContinueId:
        continueOn();
        return 1;
    case kPreviousId:
        scrollLog(-1);
        return 1;
    case kNextId:
        scrollLog(1);
        return 1;
    case kLogId:
    case kLogId + 1:
        return 1;
    default:
        return FrontEndScreen::onCommand(wParam, lParam);
    }
}

int DebriefScreen::onKey(int key, int category) {
    if (!log_)
        return 0;
    if (category == kKeyChar && key == '\r') {
        continueOn();
        return 1;
    }
    if (category != kKeySpecialDown || page_ != DebriefPage::DeckLog)
        return 0;
    switch (key) {
    case static_cast<int>(VK_UP):
        return log_->step(-1) ? 1 : 0;
    case static_cast<int>(VK_DOWN):
        return log_->step(1) ? 1 : 0;
    case static_cast<int>(VK_PRIOR):
        scrollLog(-1);
        return 1;
    case static_cast<int>(VK_NEXT):
        scrollLog(1);
        return 1;
    default:
        return 0;
    }
}

void DebriefScreen::continueOn() {
    if (scoringState().won) {
        screenPlayVictory();
        screenSwitch(kSlotMovie);
    } else {
        const bool campaign = missionState().missionMode == kMissionModeCampaign;
        screenExitToMainMenu();
        if (campaign) {
            screenCreateCampaignSelectionQuiet();
            screenSwitch(kSlotMissionSelection);
        }
    }
    screenDestroyLater(kSlotDebrief);
}

} // namespace q71
