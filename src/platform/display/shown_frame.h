#pragma once
// The frame a window shows: a copy of the screen as it was last sent to the window, so that only
// what changed since is scaled and sent again. The screen is compared with it in tiles of 32 by
// 16 pixels; the changed tiles are taken into the copy and given back merged into rectangles.
// Pixels drawn again as they were count as unchanged, so a repaint of what did not move costs the
// window nothing.

#include "platform/display/screen_surface.h"
#include "platform/geometry/rect.h"

#include <cstdint>
#include <vector>

namespace q71 {

class ShownFrame {
public:
    static constexpr int kTileWidth = 32;
    static constexpr int kTileHeight = 16;

    /// Takes the screen's changes into the shown frame and returns the areas they lie in (whole
    /// tiles, as few rectangles as runs of tiles allow); empty when nothing changed.
    std::vector<Rect> takeChanges(const ScreenSurface& screen);
    /// The frame as last taken, row-major RGB565 of the screen's size.
    const std::uint16_t* pixels() const { return pixels_.data(); }

private:
    std::vector<std::uint16_t> pixels_ =
        std::vector<std::uint16_t>(static_cast<std::size_t>(ScreenSurface::kWidth) * ScreenSurface::kHeight);
};

} // namespace q71
