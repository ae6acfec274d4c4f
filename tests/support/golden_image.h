#pragma once
// Golden images of the drawing tests: a bitmap's pixels are compared, one by one, with a PNG file
// of the source tree. Run with Q71_UPDATE_GOLDEN=1 to write the files instead (and look at each
// new one before committing it).

#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"
#include "support/png_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace q71::test {

/// The bitmap's pixels as 8-bit channels.
RgbImage rgbImageOf(const Bitmap& bitmap);
/// The folder artefacts/ beside the test binary, made if need be. Tests run side by side may
/// make it at the same moment; one finding it made is no failure (a write into it tells).
std::filesystem::path artefactFolder();
/// Writes the bitmap as a PNG file into artefacts/ beside the test binary; false when it cannot.
bool keepArtefact(const Bitmap& bitmap, const std::string& file);

/// Checks the bitmap against <source tree>/<folder>/<name>.png.
::testing::AssertionResult matchesGoldenIn(const std::string& folder, const Bitmap& bitmap,
                                           const std::string& name);

/// A memory context with a fresh screen-format bitmap of the size, cleared to `background`.
struct Canvas {
    Canvas(int width, int height, ColorRef background = 0);
    BitmapRef bitmap;
    std::unique_ptr<DeviceContext> dc;
    /// The colour of a pixel of the bitmap.
    ColorRef at(int x, int y) const;
};

} // namespace q71::test
