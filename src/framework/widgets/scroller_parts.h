#pragma once
// The parts of the toolkit's scroll bar: its two arrow buttons and its draggable thumb. Both are
// windowed children of the bar. A part without a bitmap is drawn as a grey bevelled box.

#include "framework/widgets/simple_button.h"

namespace q71 {

/// An arrow button: a push button repeating while held; its commands (id 1 for the decrement
/// arrow, 2 for the increment arrow) move the bar a line.
class ScrollerArrow : public SimpleButton {
public:
    /// Direction 0 decrements, 1 increments; `fileName` "" draws the grey box.
    ScrollerArrow(WindowHandle scrollerWindow, int direction, int x, int y, int width, int height,
                  std::string_view fileName);

    /// The button's frame, or the grey box (sunken while held) when it has no bitmap.
    void paint(PaintRecord& paint) override;
    /// A grey box is drawn again as it goes down and up.
    void onLeftDown(int x, int y) override;
    void onLeftUp(int x, int y) override;
    /// Loads the strip when the button has one.
    void loadResources() override;
};

/// The thumb: pressed, it hands the mouse to the bar, which drags it.
class ScrollerThumb : public ButtonToggle {
public:
    /// A thumb of `width` by `height` until its bitmap (when it has one) gives its size.
    ScrollerThumb(WindowHandle scrollerWindow, int width, int height, std::string_view fileName);

    /// The bitmap when plain, else a grey box with a raised bevel.
    void paint(PaintRecord& paint) override;
    /// Starts a drag: the bar captures the mouse and the grab point is kept.
    void onLeftDown(int x, int y) override;
    void onLeftUp(int x, int y) override;
    void onKillFocus(WindowHandle gaining) override;
    /// Loads the bitmap when the thumb has one; its frame size becomes the thumb's.
    void loadResources() override;

    /// The size of the loaded bitmap (false when none is loaded).
    bool bitmapSize(int& width, int& height) const;
    void setPlain(bool plain);
    bool isPlain() const { return plain_; }
    bool isDragging() const { return dragging_; }
    void stopDragging() { dragging_ = false; }
    int grabX() const { return grabX_; }
    int grabY() const { return grabY_; }

private:
    bool dragging_ = false;
    int grabX_ = 0;
    int grabY_ = 0;
    bool plain_ = true;
};

} // namespace q71
