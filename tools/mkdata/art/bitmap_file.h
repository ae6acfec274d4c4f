#pragma once
// Pictures of the drawing board saved as the bitmap files the screens load: 16-bit 5-6-5 bit
// fields, stored bottom-up; and strips of button frames in the layout the button family cuts.

#include "mkdata/movies/canvas.h"

#include <span>
#include <string>

namespace q71::mkdata {

/// The file of a picture.
std::string bitmapFile(const Canvas& picture);
/// The file of a strip of equally sized frames, frame 0 at the top, each frame below one
/// separator row of the separator's colour.
std::string frameStripFile(std::span<const Canvas> frames, Colour separator = Colour{});

} // namespace q71::mkdata
