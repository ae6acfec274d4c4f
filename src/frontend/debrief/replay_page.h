#pragma once
// The debriefing's replay page: the replay map of the mission with its time control, a play and
// pause button, a time bar that a click or a drag moves the replay along, and the time it stands
// at. It plays on a timer of the screen's window (the whole mission in about 30 seconds, never
// slower than the game ran); a story without anything to show says so instead.

#include "frontend/debrief/replay_map.h"

#include <memory>

namespace q71 {

class SimpleButton;

class ReplayPage {
public:
    /// The screen window's timer the replay plays on.
    static constexpr std::uintptr_t kPlayTimer = 2;

    /// The map and the play button (control id `playId`) in the screen's window, over the grid.
    ReplayPage(WindowHandle screen, const ReplayStory& story, const DemGrid* grid, int playId);
    ~ReplayPage();
    ReplayPage(const ReplayPage&) = delete;
    ReplayPage& operator=(const ReplayPage&) = delete;

    void show(bool on);
    /// Starts or stops the play; played to its end, it starts again from the beginning.
    void togglePlay();
    bool playing() const { return playing_; }
    /// One step of the play (the timer's).
    void playStep();
    /// A press of the left button on the screen: on the time bar, the replay moves there and
    /// follows the pointer until the button is released (true).
    bool pressTimeBar(Point at);
    /// While the time bar is held, the replay moves to the pointer's place along it.
    void dragTimeBar(Point at);
    /// Lets the time bar go.
    void releaseTimeBar();
    bool timeBarHeld() const { return timeBarHeld_; }
    /// The time control, or the words that there is nothing to replay.
    void paint(DeviceContext& dc) const;

    ReplayMap& map() { return *map_; }

private:
    bool hasStory() const;
    /// Moves the replay to the time under a point's x on the bar.
    void moveToBar(Point at);
    void repaintTimeControl();

    WindowHandle screen_;
    const ReplayStory& story_;
    bool playing_ = false;
    bool timeBarHeld_ = false;
    std::unique_ptr<ReplayMap> map_;
    std::unique_ptr<SimpleButton> play_;
};

} // namespace q71
