#pragma once
// Marks drawn on a chart from a bitmap of the data set: a strip of equal frames stacked from the
// top, each below one separator row, as the button family lays them out. The separator rows are
// the strip's key colour: the pixels of a frame in that colour are not drawn, so the chart shows
// through around the mark.

#include "platform/gdi/colour.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace q71 {

class DeviceContext;

class MarkStrip {
public:
    /// Reads the named bitmap of the selected group and cuts it; false (nothing kept) when it is
    /// missing, damaged or does not hold `frames` frames.
    bool load(std::string_view name, int frames);
    /// Cuts a bitmap given as its header block and pixel rows into `frames` frames; false, and
    /// nothing kept, when it cannot be drawn or its height is not `frames` times a frame and its
    /// separator.
    bool cut(std::span<const std::uint8_t> header, std::span<const std::uint8_t> bits, int frames);

    bool loaded() const { return frames_ > 0; }
    int frames() const { return frames_; }
    int frameWidth() const { return width_; }
    int frameHeight() const { return height_; }
    /// Draws a frame with its centre pixel at (x, y); nothing for a frame it does not have.
    void draw(DeviceContext& dc, int frame, int x, int y) const;

private:
    int frames_ = 0;
    int width_ = 0;
    int height_ = 0;
    ColorRef key_ = 0;
    std::vector<ColorRef> pixels_; ///< the frames' rows, top-down, separators left out
};

} // namespace q71
