#pragma once
// A rotary knob of the station panels. A press (or a drag) around its centre picks the detent
// nearest the pointer's angle; the knob then turns frame by frame to that detent's frame,
// clicks, and tells its parent window WM_COMMAND (control id, detent).

#include "framework/widgets/button_toggle.h"

#include <optional>

namespace q71 {

class DetentSwitch : public ButtonToggle {
public:
    /// A knob of `detents` positions over `range` degrees clockwise from `startAngle` (0 = up),
    /// whose strip of `frameCount` frames of the widget's size it loads from a file.
    DetentSwitch(WindowHandle parentWindow, int controlId, std::string_view fileName, int x, int y, int width,
                 int height, int frameCount, int startAngle, int range, int detents, bool windowed);

    /// Moves the pivot the angles are measured around (relative to the widget; 24, 15 at first).
    void setLimits(int x, int y) { centre_ = {x, y}; }
    /// With a radius, the angle comes from the pointer's height above the pivot alone (0: off).
    void setRadius(int radius) { radius_ = radius; }
    /// Shows detent `position` at once, without turning or notifying; ignored outside the detents.
    void setPosition(int position);
    /// The detent on show.
    int getState() override;

    /// Starts a turn to the detent under the pointer; nothing in the dead zone round the pivot.
    void onLeftDown(int x, int y) override;
    /// Releases the pointer a windowed knob captured.
    void onLeftUp(int x, int y) override;
    /// Dragging round the pivot turns on to each new detent.
    void onMouseMove(int x, int y) override;
    /// One frame of the turn; at the target the knob clicks and reports.
    void onTick() override;
    /// Keeps the frame on show when the strip is read again.
    void buildFrames() override;

    /// A turn to `detent` starts; the base does nothing.
    virtual void onTurnStart(int detent);
    /// The knob came to rest at `detent`; the base tells the parent window.
    virtual void onTurnEnd(int detent);

    int detents() const { return detents_; }
    int targetFrame() const { return targetFrame_; }

private:
    /// The detent for a point of the parent (windowless) or the widget (windowed), if outside
    /// the dead zone.
    std::optional<int> detentAt(int x, int y) const;
    int frameForDetent(int detent) const;
    int detentForFrame(int frame) const;
    void turnTo(int detent);

    int startAngle_;
    int range_;
    int detents_;
    int targetFrame_ = 0;
    int radius_ = 0;
    Point centre_{24, 15};
};

} // namespace q71
