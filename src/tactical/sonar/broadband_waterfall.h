#pragma once
// A bearing-time waterfall of the broadband page (256 by 163 in its own window): the received
// level over the whole circle, newest row on top, from the selected array's fine, medium or
// coarse ring; above it the bearing scale and a strip with the cursor tick, the own heading's
// chevron and the trackers' letters. Timer 2002 adds the rows that came in since the last tick.

#include "framework/widgets/base_widget.h"
#include "tactical/sonar/level_dib.h"

#include <functional>

namespace q71 {

class ReceiverSensor;
struct BroadbandRow;
template <class Row> class SoundRing;

/// What the broadband page and its two waterfalls share.
struct BroadbandState {
    int listening = 1;
    int offset = 180;      ///< degrees added to every bearing drawn
    int pickedTracker = -1; ///< the tracker being handed a contact; -1 none
};

/// The ring of a time scale (0 fine, 1 medium, 2 coarse) of an array, or null.
const SoundRing<BroadbandRow>* broadbandRing(const ReceiverSensor& array, int scale);

class BroadbandWaterfall : public BaseWidget {
public:
    static constexpr std::uintptr_t kTimer = 2002;

    /// A waterfall named `name` at (x, y) of a page; `cursorMoved` is told when the player moved
    /// the cursor, `ticked` after a tick drew new rows.
    BroadbandWaterfall(WindowHandle page, const char* name, int x, int y, BroadbandState& state,
                       std::function<void()> cursorMoved, std::function<void()> ticked);
    ~BroadbandWaterfall() override;

    void setPartner(BroadbandWaterfall* partner) { partner_ = partner; }
    void setScale(int scale) { scale_ = scale; }
    int scale() const { return scale_; }

    void paint(PaintRecord& paint) override;
    void onTimer(std::uintptr_t id) override;
    void onLeftDown(int x, int y) override;
    void onMouseMove(int x, int y) override;
    void onLeftUp(int x, int y) override;

    /// Draws the whole picture again and copies it to the window.
    void redraw();
    /// One tick of timer 2002.
    void tick();
    /// Redraws the letter strip (cursor tick, heading chevron, letters) and copies it to the window.
    void refreshStrip();
    /// Stops timer 2002 (the page closes); the next paint starts it again.
    void stopTimer();

    const LevelDib& picture() const { return picture_; }

private:
    bool ensurePicture();
    void drawFrame();
    void drawStrip();
    void drawRows(const SoundRing<BroadbandRow>& ring, int count, int top);
    void drawTimeLabels();
    void blit();
    /// The selected array when it has data to show; re-selects a housed towed array.
    ReceiverSensor* arrayToShow();
    void pick(int x, int y, bool press);

    BroadbandState& state_;
    LevelDib picture_;
    BroadbandWaterfall* partner_ = nullptr;
    int scale_ = 0;
    double lastDrawn_ = 0.0;
    bool timerRunning_ = false;
    bool dragging_ = false;
    std::function<void()> cursorMoved_;
    std::function<void()> ticked_;
};

} // namespace q71
