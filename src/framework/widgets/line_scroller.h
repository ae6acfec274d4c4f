#pragma once
// The scroll bar a text box shows when its lines overflow. The toolkit's bitmap scroll bar fills
// this by installing its factory at start-up; until one is installed a text box has no bar and
// scrolls by its keys alone.

#include "platform/window/window_types.h"

#include <string>

namespace q71 {

class BaseWidget;

/// The lines a turn of the mouse wheel scrolls: three a notch (WHEEL_DELTA, 120), away from the
/// user positive; a part of a notch scrolls one line.
constexpr int wheelLines(int delta) {
    constexpr int kNotch = 120, kLinesPerNotch = 3;
    const int lines = delta * kLinesPerNotch / kNotch;
    return lines != 0 ? lines : (delta > 0) - (delta < 0);
}

/// How a text box's scroll bar looks: its bitmaps (background, decrement and increment arrows,
/// thumb; "" for none), the size of each arrow, whether it has a thumb, and the graphics group
/// that holds the bitmaps (null: the shared group of the screens' glass).
struct ScrollerLook {
    std::string background;
    std::string decrement;
    std::string increment;
    std::string thumb;
    int arrowWidth = 16;
    int arrowHeight = 16;
    bool hasThumb = true;
    const char* group = nullptr;
};

/// A vertical scroll bar over a range of lines. It is a windowed widget in the text box's window
/// (it goes with that window) and tells the box each change of its position with WM_VSCROLL
/// (position, id).
class LineScroller {
public:
    virtual ~LineScroller() = default;
    /// The bar's widget.
    virtual BaseWidget& widget() = 0;
    /// The steps and the range of positions.
    virtual void setRange(int lineStep, int pageStep, int minimum, int maximum) = 0;
    /// Moves to a position (kept in the range) and reports it.
    virtual void setPosition(int position) = 0;
    virtual int getPosition() = 0;
    virtual void lineUp() = 0;
    virtual void lineDown() = 0;
    virtual void pageUp() = 0;
    virtual void pageDown() = 0;
};

/// The bar of the screens' glass: the track, arrows and thumb of the graphics group "shared".
ScrollerLook sharedScrollerLook();
/// The graphics group of that look.
inline constexpr const char* kSharedScrollerGroup = "shared";
/// Selects the group of a look's bitmaps in the graphics folder, wherever the last reads left the
/// folder (a model's read leaves it at the objects'); false when the data set lacks it. The caller
/// keeps its own selection (`GroupSelectionKept`).
bool selectScrollerGroup(const ScrollerLook& look);

/// Makes a vertical bar with tracking on and its bitmaps loaded, in `parent` at (x, y), width by
/// height; null when it cannot be made.
using LineScrollerFactory = LineScroller* (*)(WindowHandle parent, int x, int y, int width, int height,
                                              const ScrollerLook& look);

/// Installs the factory of text-box scroll bars (null: text boxes get none).
void textBoxSetScrollerFactory(LineScrollerFactory factory);
/// The installed factory, or null.
LineScrollerFactory textBoxScrollerFactory();

} // namespace q71
