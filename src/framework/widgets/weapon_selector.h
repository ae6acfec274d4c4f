#pragma once
// A selector of the fire-control panel that steps through its positions on each click and
// blinks to confirm. The press shows the next position it may take; the release tells the parent
// window WM_COMMAND (control id, 1) and blinks between the frames either side; after the blinks
// it settles one position on and reports (control id, 2). The position is the state; frame i
// shows position i. Selectors of one strip share it: the first loads it, the last frees it.

#include "framework/widgets/button_toggle.h"

namespace q71 {

class WeaponSelector : public ButtonToggle {
public:
    /// A windowless selector at position 1; the first selector of a strip loads it, and a strip
    /// that cannot be read is fatal.
    WeaponSelector(WindowHandle parentWindow, std::string_view fileName, int controlId, int x, int y,
                   int width, int height, int frameCount);
    /// The last selector of its strip frees it.
    ~WeaponSelector() override;

    /// Shows position `index` (ignored outside the strip).
    void select(int index);
    /// Shows the last position.
    void selectLast();
    /// The state is the position: shows position `value` as `select` does.
    void setState(int value) override;
    /// The station's value for the selector: how many blinks confirm a selection (7 at first).
    void setUserValue(int blinkCount) { blinkCount_ = blinkCount; }

    /// Whether position `index` may be selected; the base takes any.
    virtual bool acceptPosition(int index);
    /// A selection is confirmed, with the position + 1; the base does nothing.
    virtual void confirmPosition(int positionPlusOne);

    /// Shows the next position it may take; ignored while blinking.
    void onLeftDown(int x, int y) override;
    /// Confirms the selection: reports and starts the blinks.
    void onLeftUp(int x, int y) override;
    /// One blink; after the last it settles one position on.
    void onTick() override;
    /// Cuts the strip into a ring of frames and shows the position.
    void buildFrames() override;

    int position() const { return state_; }
    bool isBlinking() const { return blinking_; }

protected:
    /// Moves to the next accepted position; false (and no move) when none is.
    bool selectNextAvailable();
    void showPosition(int index);
    /// Ends the blinks where they stand (the timer is the caller's).
    void stopBlinking();
    /// The next blink shows the frame before the position.
    void resetBlinkPhase() { blinkPhase_ = 1; }

private:
    /// The position after `index`, back to 0 past the last.
    int wrapped(int index) const { return index >= frameCount_ ? 0 : index; }

    int blinkCount_ = 7;
    int blinkCounter_ = 0;
    bool blinking_ = false;
    int blinkPhase_ = 1;
    int blinkInterval_ = 250;
};

} // namespace q71
