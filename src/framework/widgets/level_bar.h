#pragma once
// A bevelled horizontal bar gauge: a raised bar from the left edge as long as the level, in steps
// of 1/steps of the width, over a sunken background. Progress boxes show their progress in one.

#include "framework/widgets/base_widget.h"
#include "platform/gdi/colour.h"

namespace q71 {

class LevelBar : public BaseWidget {
public:
    static constexpr ColorRef kDefaultBarColour = 0x000080;
    static constexpr ColorRef kDefaultBackgroundColour = 0x505050;

    /// A windowed bar in `parentWindow` at a level from 0 to 1.
    LevelBar(WindowHandle parentWindow, int x, int y, int width, int height, double fraction,
             ColorRef barColour = kDefaultBarColour, ColorRef backgroundColour = kDefaultBackgroundColour);

    /// Draws the border, the bar and the rest.
    void paint(PaintRecord& paint) override;

    // Each setter repaints, at once unless `noUpdate`; setLevel only when the bar's length changes.
    /// The level, kept within 0 to 1.
    void setLevel(double fraction, bool noUpdate = false);
    void setBarColour(ColorRef colour, bool noUpdate = false);
    /// The number of steps the bar moves in (1 and more).
    void setSteps(int steps, bool noUpdate = false);
    void setOuterBevel(int width, bool noUpdate = false);
    void setInnerBevel(int width, bool noUpdate = false);
    void setBorderWidth(int width, bool noUpdate = false);

    double level() const { return fraction_; }
    /// The bar's length in pixels.
    int barLength() const { return length_; }

private:
    int computeLength() const;
    void changed(bool noUpdate);

    double fraction_;
    int length_ = 0;
    int steps_ = 50;
    int border_ = 0;
    int outerBevel_ = 2;
    int innerBevel_ = 2;
    ColorRef barColour_;
    ColorRef backgroundColour_;
};

} // namespace q71
