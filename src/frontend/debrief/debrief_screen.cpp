#include "frontend/debrief/debrief_screen.h"

#include "framework/app/key_matching.h"
#include "framework/app/screen_manager.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/captlog/captain_log_file.h"
#include "frontend/debrief/debrief_layout.h"
#include "frontend/debrief/debrief_result.h"
#include "frontend/debrief/deck_log_lines.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/screen_art.h"
#include "platform/gdi/device_context.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_types.h"
#include "sim/entities/entity.h"
#include "sim/radio/comms_queue.h"
#include "sim/scoring/mission_event.h"
#include "sim/scoring/replay_log.h"
#include "sim/scoring/scoring_state.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/scenario_reader.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"

#include <algorithm>

namespace q71 {
namespace {

enum ControlId : int {
    kContinueId = 1,
    kPreviousId = 2,
    kNextId = 3,
    kLogId = 4,
    kPlayId = 6, // after the log's two ids
    kFirstTabId = 10,
};

constexpr int kTitleText = 2460;
constexpr int kEmptyLogText = 2461;

// The track plot grows on this timer of the window (the replay plays on its own).
constexpr std::uintptr_t kGrowTimer = 1;
static_assert(kGrowTimer != ReplayPage::kPlayTimer);
constexpr std::uint32_t kGrowMs = 50;
// The track is drawn in about 80 steps (four seconds); the plot zooms in over 40 of its own.
constexpr std::size_t kGrowSteps = 80;
constexpr int kZoomSteps = 40;

// The own boat of the log: the world's while it stands, else the one reporting under its name.
std::int32_t ownBoatId(const std::vector<ReplayEvent>& events) {
    if (const Entity* own = worldOwnShip())
        return own->id;
    for (const ReplayEvent& e : events)
        if (e.kind == kEventOwnBoatMoved && replayName(e.subjectName) == commsQueueShipName())
            return e.subjectId;
    return 0;
}

} // namespace

DebriefScreen::DebriefScreen(WindowHandle parent) : FrontEndScreen("DeBrief", parent) {}

DebriefScreen::~DebriefScreen() = default;

void DebriefScreen::open() {
    using namespace debrief_layout;
    frontEndSelectGroup(kDebriefGroup);
    frontEndLoadBackground(background_);
    tabs_ = frontEndTabButtons(window_, kFirstTabId, kDebriefPageCount);
    continue_ = frontEndPushButton(window_, kContinueId, kContinueX, kButtonY, kButtonWidth, kButtonHeight);
    previous_ = frontEndPushButton(window_, kPreviousId, kPreviousX, kButtonY, kButtonWidth, kButtonHeight);
    next_ = frontEndPushButton(window_, kNextId, kNextX, kButtonY, kButtonWidth, kButtonHeight);
    log_ = std::make_unique<GlassList>(window_, kLogId, kLogList);
    log_->takeKeys();

    result_ = debriefResultText();
    missionTexts().flowText = result_;
    // The captain's log keeps every mission's result, written before the mission ends and frees it.
    if (!inCaptainsLog_)
        inCaptainsLog_ = captLogAddMissionFlow(missionTexts().name.value_or(""), result_);
    // A torn log reads as far as it holds; what could not be read is simply not told.
    const std::vector<ReplayEvent> events = replayLogRead();
    std::vector<std::string> lines = deckLogLines(events);
    logEmpty_ = lines.empty();
    log_->setRows(std::move(lines));
    story_ = replayStory(events, ownBoatId(events));
    // The mission's grid still stands: the charts show it until the screen closes.
    plot_ = std::make_unique<TrackPlot>(window_, kTrackPlot, worldGrid(), story_);
    replay_ = std::make_unique<ReplayPage>(window_, story_, worldGrid(), kPlayId);
    plot_->zoomOntoTrack(kZoomSteps);
    timerSet(window_, kGrowTimer, kGrowMs);
    showPage(DebriefPage::Result);
}

void DebriefScreen::close() {
    timerKill(window_, kGrowTimer);
    plot_.reset();
    replay_.reset();
    log_.reset();
    tabs_.clear();
    previous_.reset();
    next_.reset();
    continue_.reset();
    background_.free();
}

void DebriefScreen::showPage(DebriefPage page) {
    page_ = page;
    showWidgets();
    windowInvalidate(window_, nullptr, false);
}

void DebriefScreen::showWidgets() {
    const auto showIf = [](BaseWidget& widget, bool on) {
        if (on)
            widget.show();
        else
            widget.hide();
    };
    const bool log = page_ == DebriefPage::DeckLog;
    const bool replay = page_ == DebriefPage::Replay;
    showIf(*log_, log);
    showIf(*previous_, log);
    showIf(*next_, log);
    showIf(*plot_, page_ == DebriefPage::Result && plot_->hasGrid());
    replay_->show(replay);
}

void DebriefScreen::growTrack() {
    const std::size_t step = std::max<std::size_t>(1, plot_->trackPoints() / kGrowSteps);
    plot_->showPoints(plot_->shownPoints() + step);
    if (plot_->shownPoints() >= plot_->trackPoints())
        timerKill(window_, kGrowTimer);
}

LResult DebriefScreen::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                     LParam lParam) {
    if (message == WM_TIMER && wParam == kGrowTimer) {
        growTrack();
        return 0;
    }
    if (message == WM_TIMER && wParam == ReplayPage::kPlayTimer) {
        replay_->playStep();
        return 0;
    }
    if (replay_ && page_ == DebriefPage::Replay) {
        const Point at{pointXFromLParam(lParam), pointYFromLParam(lParam)};
        if (message == WM_LBUTTONDOWN && replay_->pressTimeBar(at))
            return 0;
        if (replay_->timeBarHeld() && message == WM_MOUSEMOVE) {
            // A release that never came (the pointer was taken away) lets the bar go.
            if ((wParam & MK_LBUTTON) != 0)
                replay_->dragTimeBar(at);
            else
                replay_->releaseTimeBar();
            return 0;
        }
        if (replay_->timeBarHeld() && message == WM_LBUTTONUP) {
            replay_->releaseTimeBar();
            return 0;
        }
    }
    return FrontEndScreen::handleMessage(window, message, wParam, lParam);
}

void DebriefScreen::paint(DeviceContext& dc) {
    using namespace debrief_layout;
    FrontEndScreen::paint(dc);
    glassTitle(dc, kTitle, textCopy(kTitleText));
    switch (page_) {
    case DebriefPage::Result:
        glassParagraph(dc, kResultText, result_, kTextFont, glass_colours::kPhosphor);
        break;
    case DebriefPage::DeckLog:
        if (logEmpty_)
            glassParagraph(dc, kLogList.inflatedBy(-10, -8), textCopy(kEmptyLogText), kTextFont,
                           glass_colours::kAmber);
        break;
    case DebriefPage::Replay:
        replay_->paint(dc);
        break;
    }
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
    case kPlayId:
        replay_->togglePlay();
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
    return 0;
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
