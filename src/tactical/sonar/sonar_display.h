#pragma once
// What the level-picture displays of the sonar pages share (each in its own window): the
// picture, drawn whole again at each paint and copied into it; the display's timer, started at
// the first paint after the page opened and stopped when it closes; and a drag that holds the
// mouse until the button comes up.

#include "framework/widgets/base_widget.h"
#include "tactical/sonar/display_timer.h"
#include "tactical/sonar/level_dib.h"

namespace q71 {

class SonarDisplay : public BaseWidget {
public:
    /// A display named `name` at (x, y) of a page; a timer id of 0: no timer.
    SonarDisplay(WindowHandle page, const char* name, int x, int y, int width, int height,
                 std::uintptr_t timer, std::uint32_t periodMs);
    ~SonarDisplay() override;

    /// Draws the picture again, copies it into the paint and starts the timer if it is not running.
    void paint(PaintRecord& paint) override;
    /// The display's timer: a tick.
    void onTimer(std::uintptr_t id) override;
    /// Stops the timer (the page closes); the next paint starts it again.
    void stopTimer();

    /// Draws the whole picture again and copies it to the window.
    virtual void redraw() = 0;
    /// One tick of the display's timer.
    virtual void tick() {}

    const LevelDib& picture() const { return picture_; }

protected:
    /// The timer was started by a paint (the first after the page opened).
    virtual void timerStarted() {}
    /// Makes the picture (cleared) unless it is made; false when it cannot be made.
    bool ready();
    /// Copies the picture to the window.
    void blit() { picture_.blitTo(window()); }
    /// A drag starts: the window holds the mouse.
    void beginDrag();
    /// The button came up: true when a drag ended (the mouse is let go).
    bool endDrag();
    bool dragging() const { return dragging_; }

    LevelDib picture_;

private:
    DisplayTimer timer_;
    bool dragging_ = false;
};

} // namespace q71
