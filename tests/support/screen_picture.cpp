#include "support/screen_picture.h"

#include "platform/gdi/colour.h"
#include "platform/window/window_system.h"

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
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "artefacts";
    std::filesystem::create_directories(folder);
    RgbImage image = screenPicture();
    writePng((folder / (name + ".png")).string(), image);
    return image;
}

} // namespace q71::test
