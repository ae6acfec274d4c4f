#pragma once
// A picture being drawn for the data set: 32-bit pixels that both the program's own drawing
// calls (through dc()) and direct pixel work reach, saved as the 16-bit 5-6-5 bitmap files the
// screens load. Strips of button frames are put together in the layout the button family reads.

#include "platform/gdi/device_context.h"

#include <memory>
#include <span>
#include <string>

namespace q71::mkdata {

class Canvas {
public:
    /// A black picture.
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    /// A device context drawing into the picture.
    DeviceContext& dc() { return *dc_; }

    /// The colour at a pixel (black outside).
    ColorRef pixel(int x, int y) const;
    /// Sets a pixel (nothing outside).
    void setPixel(int x, int y, ColorRef colour);
    /// Mixes a colour into a pixel: 0 keeps it, 1 replaces it.
    void blend(int x, int y, ColorRef colour, double amount);
    /// Copies another picture with its top-left corner at (x, y).
    void paste(const Canvas& source, int x, int y);

    /// The file of the picture: a 16-bit 5-6-5 bitmap, stored bottom-up.
    std::string bitmapFile() const;

private:
    int width_;
    int height_;
    BitmapRef bitmap_;
    std::unique_ptr<DeviceContext> dc_;
};

/// The file of a strip of equally sized frames, frame 0 at the top, each frame below one
/// separator row, as the bitmap buttons cut them.
std::string frameStripFile(std::span<const Canvas> frames);

/// Mixes two colours: 0 gives a, 1 gives b.
ColorRef mixColour(ColorRef a, ColorRef b, double amount);
/// A colour made lighter (amount > 0, towards white) or darker (amount < 0, towards black).
ColorRef shade(ColorRef colour, double amount);

} // namespace q71::mkdata
