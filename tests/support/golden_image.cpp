#include "support/golden_image.h"

#include "support/png_image.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace q71::test {

Canvas::Canvas(int width, int height, ColorRef background)
    : bitmap(Bitmap::createCompatible(width, height)), dc(DeviceContext::createMemory()) {
    dc->selectBitmap(bitmap);
    dc->fillRect({0, 0, width, height}, createSolidBrush(background));
}

ColorRef Canvas::at(int x, int y) const {
    PixelSurface s = bitmap->surface();
    return s.decode(s.read(x, y));
}

RgbImage rgbImageOf(const Bitmap& bitmap) {
    RgbImage image{bitmap.width(), bitmap.height(), {}};
    const PixelSurface s = bitmap.surface();
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const ColorRef c = s.decode(s.read(x, y));
            image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(colorRed(c)),
                                                     static_cast<std::uint8_t>(colorGreen(c)),
                                                     static_cast<std::uint8_t>(colorBlue(c))});
        }
    return image;
}

std::filesystem::path artefactFolder() {
    const auto folder = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "artefacts";
    std::error_code madeByAnother;
    std::filesystem::create_directories(folder, madeByAnother);
    return folder;
}

bool keepArtefact(const Bitmap& bitmap, const std::string& file) {
    return writePng((artefactFolder() / file).string(), rgbImageOf(bitmap));
}

::testing::AssertionResult matchesGoldenIn(const std::string& folder, const Bitmap& bitmap,
                                           const std::string& name) {
    const char* source = std::getenv("Q71_SOURCE_DIR");
    if (!source)
        return ::testing::AssertionFailure() << "Q71_SOURCE_DIR is not set";
    std::string path = std::string(source) + "/" + folder + "/" + name + ".png";
    const RgbImage image = rgbImageOf(bitmap);
    if (const char* update = std::getenv("Q71_UPDATE_GOLDEN"); update && std::string(update) == "1") {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        if (!writePng(path, image))
            return ::testing::AssertionFailure() << "cannot write " << path;
        return ::testing::AssertionSuccess();
    }
    auto golden = readPng(path);
    if (!golden)
        return ::testing::AssertionFailure()
               << "no golden image " << path << " (run with Q71_UPDATE_GOLDEN=1)";
    if (golden->width != image.width || golden->height != image.height)
        return ::testing::AssertionFailure()
               << name << ": size " << image.width << "x" << image.height << " differs from the golden "
               << golden->width << "x" << golden->height;
    int differing = 0, firstX = -1, firstY = -1;
    for (size_t i = 0; i < image.pixels.size(); i += 3)
        if (image.pixels[i] != golden->pixels[i] || image.pixels[i + 1] != golden->pixels[i + 1] ||
            image.pixels[i + 2] != golden->pixels[i + 2]) {
            if (differing++ == 0) {
                firstX = static_cast<int>(i / 3) % image.width;
                firstY = static_cast<int>(i / 3) / image.width;
            }
        }
    if (differing > 0)
        return ::testing::AssertionFailure() << name << ": " << differing << " pixels differ, the first at ("
                                             << firstX << ", " << firstY << ")";
    return ::testing::AssertionSuccess();
}

} // namespace q71::test
