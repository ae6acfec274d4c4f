#include "frontend/debrief/replay_page.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/debrief/debrief_layout.h"
#include "frontend/game_time_text.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/screen_art.h"
#include "platform/gdi/device_context.h"
#include "platform/window/focus.h"
#include "platform/window/timers.h"
#include "platform/window/window_paint.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr int kEmptyMapText = 2462;
constexpr std::uint32_t kPlayMs = 100;
constexpr double kReplaySeconds = 30.0;
constexpr ColorRef kTimeBarColour = rgb(0x3A, 0x4A, 0x5A);

} // namespace

ReplayPage::ReplayPage(WindowHandle screen, const ReplayStory& story, const DemGrid* grid, int playId)
    : screen_(screen), story_(story) {
    using namespace debrief_layout;
    map_ = std::make_unique<ReplayMap>(screen, kReplayMap, grid, story);
    play_ = frontEndPushButton(screen, playId, kPlayX, kButtonY, kPlayWidth, kButtonHeight);
    // The replay opens on everything it will show: the track and the markers.
    std::vector<TrackPoint> places = story.track;
    for (const ReplayMarker& marker : story.markers)
        places.push_back({marker.time, marker.x, marker.y});
    chartZoomOntoTrack(*map_, trackOnGrid(places), 0);
}

ReplayPage::~ReplayPage() {
    releaseTimeBar();
    timerKill(screen_, kPlayTimer);
}

bool ReplayPage::hasStory() const {
    return !story_.empty() && map_->hasGrid();
}

void ReplayPage::show(bool on) {
    if (on && hasStory()) {
        map_->show();
        play_->show();
    } else {
        map_->hide();
        play_->hide();
    }
}

void ReplayPage::togglePlay() {
    if (!hasStory())
        return;
    playing_ = !playing_;
    if (!playing_) {
        timerKill(screen_, kPlayTimer);
        return;
    }
    if (map_->time() >= story_.endTime)
        map_->setTime(0.0);
    timerSet(screen_, kPlayTimer, kPlayMs);
}

void ReplayPage::playStep() {
    if (!playing_)
        return;
    const double perStep = std::max(story_.endTime / kReplaySeconds, 1.0) * kPlayMs / 1000.0;
    map_->setTime(map_->time() + perStep);
    repaintTimeControl();
    if (map_->time() >= story_.endTime)
        togglePlay();
}

bool ReplayPage::pressTimeBar(Point at) {
    if (!hasStory() || !debrief_layout::kTimeBar.inflatedBy(0, 4).contains(at))
        return false;
    // The screen keeps the pointer while the bar is held, wherever it is dragged.
    captureSet(screen_);
    timeBarHeld_ = true;
    moveToBar(at);
    return true;
}

void ReplayPage::dragTimeBar(Point at) {
    if (timeBarHeld_)
        moveToBar(at);
}

void ReplayPage::releaseTimeBar() {
    if (!timeBarHeld_)
        return;
    timeBarHeld_ = false;
    if (captureGet() == screen_)
        captureRelease();
}

void ReplayPage::moveToBar(Point at) {
    const Rect& bar = debrief_layout::kTimeBar;
    const double share =
        std::clamp(static_cast<double>(at.x - bar.left) / std::max(bar.width(), 1), 0.0, 1.0);
    map_->setTime(share * story_.endTime);
    repaintTimeControl();
}

void ReplayPage::repaintTimeControl() {
    using namespace debrief_layout;
    Rect control{kTimeBar.left, kTimeText.top, kTimeText.right, kTimeText.bottom};
    windowInvalidate(screen_, &control, false);
}

void ReplayPage::paint(DeviceContext& dc) const {
    using namespace debrief_layout;
    if (!hasStory()) {
        glassParagraph(dc, kReplayMap.inflatedBy(-10, -8), textCopy(kEmptyMapText), kTextFont,
                       glass_colours::kAmber);
        return;
    }
    dc.fillRect(kTimeBar, createSolidBrush(kTimeBarColour));
    const double share = story_.endTime > 0.0 ? map_->time() / story_.endTime : 1.0;
    Rect played = kTimeBar.inflatedBy(-2, -2);
    played.right = played.left + static_cast<int>(share * played.width());
    dc.fillRect(played, createSolidBrush(glass_colours::kAmber));
    glassLine(dc, kTimeText, gameTimeText(map_->time()) + " / " + gameTimeText(story_.endTime), kTextFont,
              glass_colours::kPhosphor, true);
}

} // namespace q71
