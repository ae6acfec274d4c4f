#pragma once
// A sonar display the player sets a cursor on, drawing from the state its page shares with it:
// the page is told when the cursor moved, and the display keeps the time of the newest row it
// drew from its array's ring.

#include "tactical/sonar/sonar_display.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <utility>

namespace q71 {

template <class State> class SonarCursorDisplay : public SonarDisplay {
protected:
    SonarCursorDisplay(WindowHandle page, const char* name, int x, int y, int width, int height,
                       std::uintptr_t timer, std::uint32_t periodMs, State& state, std::function<void()> cursorMoved)
        : SonarDisplay(page, name, x, y, width, height, timer, periodMs), state_(state),
          cursorMoved_(std::move(cursorMoved)) {}

    /// Tells the page the player moved the cursor.
    void tellCursorMoved() {
        if (cursorMoved_)
            cursorMoved_();
    }
    /// The rows of a fine ring (2.5 a second) that came in since the newest drawn, at least one;
    /// after a pause or at high compression no more than the area or the ring holds.
    int newFineRows(double headTime, std::size_t ringCount, int areaRows) const {
        const int rows = std::max(1, static_cast<int>(std::trunc((headTime - lastDrawn_) * 2.5)));
        return std::min({rows, areaRows, static_cast<int>(ringCount)});
    }

    State& state_;
    double lastDrawn_ = -1.0; ///< the time of the newest row drawn; -1 none yet

private:
    std::function<void()> cursorMoved_;
};

} // namespace q71
