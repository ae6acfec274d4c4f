#pragma once
// A windowless area of a screen with a pop-up text: when the pointer enters it, it shows its
// cursor and, after a delay, pops up its ToolTip. One hot spot at a time is the current one.
// Screens place hot spots over the labels of their pictures; BaseWidget::setToolTip gives any
// widget one of its own.

#include "framework/widgets/base_widget.h"

#include <memory>

namespace q71 {

class ToolTip;

class HotSpot : public BaseWidget {
public:
    /// A hot spot over a rectangle of the parent's client area; windowless, it joins the parent's
    /// WidgetContainer. A null font is the system font, a null background the default tip background.
    HotSpot(WindowHandle parentWindow, int controlId, const char* text, CursorHandle cursor, const Rect& rect,
            bool windowless, std::shared_ptr<const Font> font = nullptr,
            std::shared_ptr<Bitmap> background = nullptr);
    ~HotSpot() override;

    /// The pointer entered the hot spot (the container's move): see enter.
    void onMouseMove(int x, int y) override;

    /// The tip's display time and pop-up delay in milliseconds.
    void setToolTipTimes(int displayTime, int popUpDelay);
    /// Switches the pop-up texts of every hot spot on or off.
    static void enableToolTips(bool on);
    static bool toolTipsEnabled();
    /// Follows the pointer at a client point: entering starts the delayed tip (when enabled) and
    /// shows the cursor; a point outside leaves the hot spot.
    void trackMouse(int x, int y);
    /// Leaves the current hot spot unless it is `keep`.
    static void leaveOthers(const BaseWidget* keep);
    /// Not inside any more; the tip hides at once.
    void leave();
    /// Moves the pointer to the middle of the hot spot.
    void centreCursor();
    /// Starts the delayed tip unless the pointer is already inside or tips are off.
    void popUpToolTip();
    /// Shows the cursor; inside.
    void applyCursor();
    void hideToolTip();
    /// Shows the tip at the middle of the hot spot.
    void showToolTip();
    bool isToolTipShown() const;
    bool isInside() const { return inside_; }
    ToolTip& toolTip() { return *tip_; }
    /// The current hot spot, or null.
    static HotSpot* current();

private:
    /// Leaves any other current hot spot and becomes current; starts the tip when entering.
    void enter();

    Rect rect_;
    CursorHandle cursor_;
    std::unique_ptr<ToolTip> tip_;
    bool inside_ = false;
    Rect screenRect_;
};

} // namespace q71
