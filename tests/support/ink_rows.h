#pragma once
// The lines of text a field shows, read off the screen as a player sees them: the runs of rows of
// a rectangle that hold the amber ink of the console's fields. A line the field cuts through shows
// as a run shorter than the others.

#include "platform/geometry/rect.h"
#include "support/png_image.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace q71::test {

struct InkRun {
    int top = 0;    ///< the run's first row on the screen
    int height = 0; ///< its rows
    int right = 0;  ///< one past its rightmost ink column
};

/// The runs of rows of `area` (screen coordinates) that hold amber ink, top first.
inline std::vector<InkRun> amberInkRuns(const RgbImage& picture, const Rect& area) {
    const auto amber = [&](int x, int y) {
        const std::uint8_t* p = &picture.pixels[static_cast<std::size_t>((y * picture.width + x) * 3)];
        return p[0] >= 128 && p[0] >= p[2] + 64;
    };
    std::vector<InkRun> runs;
    bool inRun = false;
    for (int y = area.top; y < area.bottom; ++y) {
        int right = 0;
        for (int x = area.left; x < area.right; ++x)
            if (amber(x, y))
                right = x + 1;
        if (right == 0) {
            inRun = false;
            continue;
        }
        if (!inRun)
            runs.push_back({y, 0, 0});
        inRun = true;
        runs.back().height += 1;
        runs.back().right = std::max(runs.back().right, right);
    }
    return runs;
}

} // namespace q71::test
