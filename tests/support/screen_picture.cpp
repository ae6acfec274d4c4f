#include "support/screen_picture.h"

#include "platform/gdi/colour.h"
#include "platform/window/window_system.h"
#include "support/golden_image.h"

#include <filesystem>

namespace q71::test {

RgbImage screenPicture() {
    const ScreenSurface& surface = screenSurface();
    RgbImage image{ScreenSurface::kWidth, ScreenSurface::kHeight, {}};
    for (std::uint16_t pixel : surface.pixels) {
        const ColorRef colour = colorFrom565(pixel);
        image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(colorRed(colour)),
                                                 static_cast<std::uint8_t>(colorGreen(colour)),
                                                 static_cast<std::uint8_t>(colorBlue(colour))});
    }
    return image;
}

RgbImage saveScreenPicture(const std::string& name) {
    // Beside the test binary: the tests of the program make the data set their current folder.
    RgbImage image = screenPicture();
    writePng((artefactFolder() / (name + ".png")).string(), image);
    return image;
}

} // namespace q71::test
