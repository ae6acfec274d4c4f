// Marks cut from a strip bitmap built here byte by byte: 16-bit 5-6-5 pixels, two frames of 3 by
// 2 each below a separator row of the key colour. A frame draws every pixel but the key's, centred
// on the point; a strip that does not hold its frames is refused whole.
#include "platform/gdi/bitmap.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/dib_format.h"
#include "platform/files/little_endian.h"
#include "tactical/charts/mark_strip.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace q71 {
namespace {

constexpr std::uint16_t kKey = 0xF81F; // magenta
constexpr std::uint16_t kRed = 0xF800;
constexpr std::uint16_t kGreen = 0x07E0;
constexpr std::uint16_t kWhite = 0xFFFF;
constexpr int kWidth = 3;

// Top row first: separator, frame 0 (two rows), separator, frame 1 (two rows).
const std::vector<std::array<std::uint16_t, kWidth>> kRows{
    {kKey, kKey, kKey}, {kKey, kRed, kKey}, {kKey, kKey, kKey},
    {kKey, kKey, kKey}, {kKey, kKey, kWhite}, {kGreen, kKey, kKey},
};

struct StripFile {
    std::vector<std::uint8_t> info = dibMakeInfo({kWidth, static_cast<int>(kRows.size()), 16, {}, {0xF800, 0x07E0, 0x001F}});
    std::vector<std::uint8_t> bits;
    StripFile() {
        const std::size_t stride = 8; // 3 pixels of 2 bytes, to 4
        bits.assign(stride * kRows.size(), 0);
        for (std::size_t row = 0; row < kRows.size(); ++row) // stored bottom-up
            for (int x = 0; x < kWidth; ++x)
                storeLe16(&bits[(kRows.size() - 1 - row) * stride + 2 * static_cast<std::size_t>(x)], kRows[row][static_cast<std::size_t>(x)]);
    }
};

class MarkStripDrawing : public ::testing::Test {
protected:
    static constexpr ColorRef kSea = rgb(0, 0, 128);
    MarkStripDrawing() {
        dc->selectBitmap(target);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                dc->setPixel(Point{x, y}, kSea);
    }
    /// The pixels that are no longer the sea.
    std::vector<std::pair<Point, ColorRef>> drawn() {
        std::vector<std::pair<Point, ColorRef>> out;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                if (const ColorRef c = dc->getPixel(Point{x, y}); c != kSea)
                    out.push_back({Point{x, y}, c});
        return out;
    }
    BitmapRef target = Bitmap::createCompatible(10, 10);
    std::unique_ptr<DeviceContext> dc = DeviceContext::createMemory();
    StripFile file;
    MarkStrip strip;
};

TEST_F(MarkStripDrawing, EachFrameDrawsAllButTheKeyCentredOnThePoint) {
    ASSERT_TRUE(strip.cut(file.info, file.bits, 2));
    EXPECT_EQ(strip.frames(), 2);
    EXPECT_EQ(strip.frameWidth(), 3);
    EXPECT_EQ(strip.frameHeight(), 2);
    // A 3 by 2 frame centred on (5, 5) spans columns 4-6 and rows 4-5.
    strip.draw(*dc, 0, 5, 5);
    EXPECT_EQ(drawn(), (std::vector<std::pair<Point, ColorRef>>{{Point{5, 4}, colorFrom565(kRed)}}));
    strip.draw(*dc, 1, 5, 5);
    EXPECT_EQ(drawn(), (std::vector<std::pair<Point, ColorRef>>{
                           {Point{5, 4}, colorFrom565(kRed)}, {Point{6, 4}, colorFrom565(kWhite)}, {Point{4, 5}, colorFrom565(kGreen)}}));
}

TEST_F(MarkStripDrawing, FramesItDoesNotHaveAndMarksAtTheEdgeDrawNothingOutside) {
    ASSERT_TRUE(strip.cut(file.info, file.bits, 2));
    strip.draw(*dc, -1, 5, 5);
    strip.draw(*dc, 2, 5, 5);
    EXPECT_TRUE(drawn().empty());
    strip.draw(*dc, 1, 0, 9); // the white pixel falls at (1, 8), the green one off the bitmap
    EXPECT_EQ(drawn(), (std::vector<std::pair<Point, ColorRef>>{{Point{1, 8}, colorFrom565(kWhite)}}));
}

TEST_F(MarkStripDrawing, AStripThatDoesNotHoldItsFramesIsRefusedWhole) {
    ASSERT_TRUE(strip.cut(file.info, file.bits, 2));
    const std::vector<std::uint8_t> shortBits(file.bits.begin(), file.bits.end() - 1);
    const std::vector<std::uint8_t> noHeader(file.info.begin(), file.info.begin() + 20);
    struct Case {
        const char* what;
        std::span<const std::uint8_t> info, bits;
        int frames;
    } cases[] = {
        {"no frames", file.info, file.bits, 0},
        {"a count that does not divide the height", file.info, file.bits, 4},
        {"frames without a row of their own", file.info, file.bits, 6},
        {"short pixel rows", file.info, shortBits, 2},
        {"a short header", noHeader, file.bits, 2},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(strip.cut(c.info, c.bits, c.frames)) << c.what;
        EXPECT_FALSE(strip.loaded()) << c.what;
        strip.draw(*dc, 0, 5, 5);
        EXPECT_TRUE(drawn().empty()) << c.what;
        ASSERT_TRUE(strip.cut(file.info, file.bits, 2));
    }
}

} // namespace
} // namespace q71
