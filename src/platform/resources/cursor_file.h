#pragma once
// Cursor files (".cur"): a directory of images with their hot spots, each image a 32-bit DIB of
// twice the cursor's height (the colour rows with alpha, then the one-bit mask rows). The
// program's cursors are of this kind; a file of any other depth is refused.

#include "platform/display/cursor_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace q71 {

/// The first image of a cursor file; nullopt, with the reason in `error`, when the bytes are not
/// a cursor file the program can show.
std::optional<CursorImage> cursorFileDecode(std::span<const std::uint8_t> bytes, std::string& error);
/// A cursor file of one 32-bit image (the data set's cursors are written with it).
std::string cursorFileEncode(const CursorImage& image);

} // namespace q71
