#pragma once
// The ground of the toolkit's tests: a window system on the headless backend with a recording
// main window of 640 by 480, the drawing layer installed, and a folder of bitmaps written by the
// test, from which widgets and screens load their pictures as loose files.

#include "platform/gdi/colour.h"
#include "support/headless_windows.h"
#include "support/temp_dir.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace q71::test {

class WidgetFixture : public HeadlessWindows {
protected:
    WidgetFixture();
    ~WidgetFixture() override;

    /// Writes a bitmap file of the art folder with the colour of each pixel (8 bits: a table of
    /// the colours used; 16, 24 or 32 bits: plain pixels); `topDown` stores the top row first.
    void writeBitmap(const std::string& name, int width, int height, int bitCount,
                     const std::function<ColorRef(int x, int y)>& colour, bool topDown = false);
    /// Writes a strip of frames, each of one colour, stacked as the button family cuts them, with
    /// separator rows of `separator`.
    void writeStrip(const std::string& name, int frameWidth, int frameHeight,
                    const std::vector<ColorRef>& colours, int bitCount = 24, bool topDown = false,
                    ColorRef separator = rgb(8, 8, 8));
    /// The colour shown on the screen at a point.
    ColorRef screenPixel(int x, int y) const;
    /// The smallest rectangle holding every pixel of a colour shown within an area (empty: none).
    Rect inkBounds(Rect area, ColorRef colour) const;
    /// Moves the clock and handles what fell due (a timer that fell due several times runs once).
    void advance(std::uint64_t ms);
    /// Moves the clock 10 ms at a time, handling what falls due after each step.
    void run(std::uint64_t ms);
    /// Presses and releases the left button at a screen point.
    void clickAt(Point at);

public:
    using Commands = std::vector<std::pair<WParam, LParam>>;

protected:
    /// The WM_COMMAND messages that reached the main window, as (id, value).
    Commands commands() const;

    TempDir art;
    WindowHandle mainWindow{};
};

/// Distinct colours that survive the screen's 16-bit pixels unchanged.
constexpr ColorRef kRed = rgb(248, 0, 0);
constexpr ColorRef kGreen = rgb(0, 248, 0);
constexpr ColorRef kBlue = rgb(0, 0, 248);
constexpr ColorRef kYellow = rgb(248, 248, 0);
constexpr ColorRef kGrey = rgb(96, 96, 96);

} // namespace q71::test
