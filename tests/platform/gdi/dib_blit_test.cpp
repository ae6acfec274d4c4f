#include "golden.h"

#include "platform/gdi/blit.h"

#include <gtest/gtest.h>

#include <vector>

namespace q71 {
namespace {

using test::Canvas;

// A palette whose entry i is a colour that survives the trip to RGB565 unchanged.
std::vector<RgbQuad> distinctPalette(int count) {
    std::vector<RgbQuad> palette;
    for (int i = 0; i < count; ++i)
        palette.push_back(quadFromColor(rgb((i * 8) & 0xF8, (i * 36) & 0xFC, 248 - ((i * 8) & 0xF8))));
    return palette;
}

// An 8-bit DIB whose stored row s (scan line s) holds index 16 * s + x at column x.
struct Dib8 {
    Dib8(int width, int height, bool topDown) : width(width), height(height) {
        palette = distinctPalette(256);
        info = dibMakeInfo({width, topDown ? -height : height, 8, palette, {}});
        stride = static_cast<int>(dibStride(width, 8));
        bits.resize(static_cast<size_t>(stride * height));
        for (int s = 0; s < height; ++s)
            for (int x = 0; x < width; ++x)
                bits[static_cast<size_t>(s * stride + x)] = static_cast<std::uint8_t>(16 * s + x);
    }
    ColorRef colourOf(int scan, int x) const {
        return colorFromQuad(palette[static_cast<size_t>(16 * scan + x)]);
    }

    int width, height, stride;
    std::vector<RgbQuad> palette;
    std::vector<std::uint8_t> info;
    std::vector<std::uint8_t> bits;
};

constexpr ColorRef kBlank = rgb(8, 8, 8);

TEST(SetDIBits, BottomUpDibIsDrawnWithItsLastStoredRowOnTop) {
    Dib8 dib(5, 4, false);
    Canvas canvas(8, 8, kBlank);
    EXPECT_EQ(setDIBitsToDevice(*canvas.dc, 1, 2, 5, 4, 0, 0, 0, 4, dib.bits, dib.info), 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(canvas.at(1 + x, 2 + y), dib.colourOf(3 - y, x)) << x << "," << y;
    EXPECT_EQ(canvas.at(0, 2), kBlank);
    EXPECT_EQ(canvas.at(6, 5), kBlank);
}

TEST(SetDIBits, TopDownDibIsDrawnInStoredOrder) {
    Dib8 dib(5, 4, true);
    Canvas canvas(8, 8, kBlank);
    setDIBitsToDevice(*canvas.dc, 0, 0, 5, 4, 0, 0, 0, 4, dib.bits, dib.info);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(canvas.at(x, y), dib.colourOf(y, x));
}

TEST(SetDIBits, SourceCornerIsLowerLeftForBottomUpAndUpperLeftForTopDown) {
    Dib8 bottomUp(6, 6, false), topDown(6, 6, true);
    Canvas a(4, 4, kBlank), b(4, 4, kBlank);
    setDIBitsToDevice(*a.dc, 0, 0, 2, 2, 3, 1, 0, 6, bottomUp.bits, bottomUp.info);
    setDIBitsToDevice(*b.dc, 0, 0, 2, 2, 3, 1, 0, 6, topDown.bits, topDown.info);
    // Bottom-up: the block holds scan lines 1 and 2, scan 2 on top.
    EXPECT_EQ(a.at(0, 0), bottomUp.colourOf(2, 3));
    EXPECT_EQ(a.at(1, 1), bottomUp.colourOf(1, 4));
    // Top-down: rows 1 and 2 from the top, in order.
    EXPECT_EQ(b.at(0, 0), topDown.colourOf(1, 3));
    EXPECT_EQ(b.at(1, 1), topDown.colourOf(2, 4));
}

TEST(SetDIBits, BandsSetWithStartScansComposeTheWholePicture) {
    for (bool topDown : {false, true}) {
        Dib8 dib(4, 6, topDown);
        Canvas whole(4, 6, kBlank), banded(4, 6, kBlank);
        setDIBitsToDevice(*whole.dc, 0, 0, 4, 6, 0, 0, 0, 6, dib.bits, dib.info);
        for (int start = 0; start < 6; start += 2) {
            std::span<const std::uint8_t> band(dib.bits.data() + start * dib.stride,
                                               static_cast<size_t>(2 * dib.stride));
            EXPECT_EQ(setDIBitsToDevice(*banded.dc, 0, 0, 4, 6, 0, 0, start, 2, band, dib.info), 2);
            // A band leaves the rows of other scan lines untouched.
            int row = topDown ? start : 5 - start;
            EXPECT_EQ(banded.at(0, row), dib.colourOf(start, 0));
        }
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(banded.at(x, y), whole.at(x, y))
                    << "top-down " << topDown << " at " << x << "," << y;
    }
}

TEST(SetDIBits, OneFrameOfAStripFromTheWholeHeaderAndAPointerIntoItsBits) {
    // Three frames of 3 rows, each followed in storage by a separator row: 12 rows bottom-up.
    constexpr int kFrameWidth = 5, kFrameHeight = 3, kFrames = 3;
    Dib8 strip(kFrameWidth, kFrames * (kFrameHeight + 1), false);
    for (int frame = 0; frame < kFrames; ++frame) {
        size_t offset = static_cast<size_t>((kFrameHeight + 1) * strip.stride * frame);
        std::span<const std::uint8_t> frameBits(strip.bits.data() + offset, strip.bits.size() - offset);
        Canvas canvas(kFrameWidth, kFrameHeight, kBlank);
        EXPECT_EQ(setDIBitsToDevice(*canvas.dc, 0, 0, kFrameWidth, kFrameHeight, 0, 0, 0, kFrameHeight,
                                    frameBits, strip.info),
                  kFrameHeight);
        int firstScan = (kFrameHeight + 1) * frame;
        for (int y = 0; y < kFrameHeight; ++y)
            for (int x = 0; x < kFrameWidth; ++x)
                EXPECT_EQ(canvas.at(x, y), strip.colourOf(firstScan + kFrameHeight - 1 - y, x)) << frame;
    }
}

TEST(SetDIBits, NeverReadsPastTheBitsHandedOver) {
    Dib8 dib(4, 8, false);
    // Only two scan lines are given although four are claimed: the rest stay untouched.
    std::vector<std::uint8_t> twoRows(dib.bits.begin(), dib.bits.begin() + 2 * dib.stride);
    Canvas canvas(4, 8, kBlank);
    EXPECT_EQ(setDIBitsToDevice(*canvas.dc, 0, 0, 4, 8, 0, 0, 0, 4, twoRows, dib.info), 2);
    EXPECT_EQ(canvas.at(0, 7), dib.colourOf(0, 0));
    EXPECT_EQ(canvas.at(0, 6), dib.colourOf(1, 0));
    EXPECT_EQ(canvas.at(0, 5), kBlank);
    // A start scan past the picture, or a short header, sets nothing.
    EXPECT_EQ(setDIBitsToDevice(*canvas.dc, 0, 0, 4, 8, 0, 0, 8, 1, dib.bits, dib.info), 0);
    std::vector<std::uint8_t> shortInfo(dib.info.begin(), dib.info.begin() + 40 + 100 * 4);
    EXPECT_EQ(setDIBitsToDevice(*canvas.dc, 0, 0, 4, 8, 0, 0, 0, 8, dib.bits, shortInfo), 0);
}

TEST(SetDIBits, BlocksAreClippedAtEveryEdge) {
    Dib8 dib(6, 6, true);
    for (Point at : {Point{-3, 1}, Point{1, -3}, Point{5, 1}, Point{1, 5}, Point{-2, -2}, Point{5, 5}}) {
        Canvas canvas(8, 8, kBlank);
        setDIBitsToDevice(*canvas.dc, at.x, at.y, 6, 6, 0, 0, 0, 6, dib.bits, dib.info);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                int sx = x - at.x, sy = y - at.y;
                bool inside = sx >= 0 && sx < 6 && sy >= 0 && sy < 6;
                EXPECT_EQ(canvas.at(x, y), inside ? dib.colourOf(sy, sx) : kBlank);
            }
    }
    // A source block reaching past the DIB draws only the part that exists.
    Canvas canvas(8, 8, kBlank);
    setDIBitsToDevice(*canvas.dc, 0, 0, 8, 8, 4, 4, 0, 6, dib.bits, dib.info);
    EXPECT_EQ(canvas.at(1, 1), dib.colourOf(5, 5));
    EXPECT_EQ(canvas.at(2, 1), kBlank);
    EXPECT_EQ(canvas.at(1, 2), kBlank);
}

TEST(SetDIBits, ClipRegionOfTheContextLimitsTheBlock) {
    Dib8 dib(8, 8, true);
    Canvas canvas(8, 8, kBlank);
    Region diamond =
        Region::polygon(std::vector<Point>{{4, 0}, {8, 4}, {4, 8}, {0, 4}}, PolygonFillMode::Winding);
    canvas.dc->selectClipRegion(&diamond);
    setDIBitsToDevice(*canvas.dc, 0, 0, 8, 8, 0, 0, 0, 8, dib.bits, dib.info);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(canvas.at(x, y), diamond.contains({x, y}) ? dib.colourOf(y, x) : kBlank);
}

TEST(SetDIBits, PaletteDepthsAndColourMasksAllGiveTheSameColours) {
    const std::vector<ColorRef> colours = {rgb(248, 0, 0), rgb(0, 252, 0), rgb(0, 0, 248),
                                           rgb(248, 252, 248)};
    std::vector<RgbQuad> palette;
    for (ColorRef c : colours)
        palette.push_back(quadFromColor(c));
    auto check = [&](const std::vector<std::uint8_t>& info, const std::vector<std::uint8_t>& bits,
                     const char* what, std::vector<ColorRef> expected = {}) {
        if (expected.empty())
            expected = colours;
        Canvas canvas(4, 1, kBlank);
        ASSERT_EQ(setDIBitsToDevice(*canvas.dc, 0, 0, 4, 1, 0, 0, 0, 1, bits, info), 1) << what;
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(canvas.at(x, 0), expected[static_cast<size_t>(x)]) << what << " pixel " << x;
    };
    check(dibMakeInfo({4, 1, 1, std::span(palette).first(2), {}}), {0b0101'0000, 0, 0, 0}, "1 bit",
          {colours[0], colours[1], colours[0], colours[1]});
    check(dibMakeInfo({4, 1, 4, palette, {}}), {0x01, 0x23, 0, 0}, "4 bits");
    check(dibMakeInfo({4, 1, 8, palette, {}}), {0, 1, 2, 3}, "8 bits");
    auto pack16 = [](std::initializer_list<std::uint16_t> values) {
        std::vector<std::uint8_t> out;
        for (auto v : values)
            out.insert(out.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
        return out;
    };
    check(dibMakeInfo({4, 1, 16, {}, {}}), pack16({0x7C00, 0x03E0, 0x001F, 0x7FFF}), "5-5-5",
          {rgb(248, 0, 0), rgb(0, 248, 0), rgb(0, 0, 248), rgb(248, 248, 248)});
    check(dibMakeInfo({4, 1, 16, {}, {0xF800, 0x07E0, 0x001F}}), pack16({0xF800, 0x07E0, 0x001F, 0xFFFF}),
          "5-6-5");
    check(dibMakeInfo({4, 1, 24, {}, {}}), {0, 0, 248, 0, 252, 0, 248, 0, 0, 248, 252, 248}, "24 bits");
    check(dibMakeInfo({4, 1, 32, {}, {}}), {0, 0, 248, 0, 0, 252, 0, 0, 248, 0, 0, 0, 248, 252, 248, 0},
          "32 bits");
}

TEST(SetDIBits, EightBitPictureThroughA64EntryPalette) {
    // The radar scope's table: level i runs from near black to orange.
    std::vector<RgbQuad> palette;
    for (int i = 0; i < 64; ++i)
        palette.push_back(quadFromColor(rgb(24 + 230 * i / 64, 33 + 95 * i / 64, 41)));
    constexpr int kSize = 32;
    auto info = dibMakeInfo({kSize, kSize, 8, palette, {}});
    std::vector<std::uint8_t> bits(dibStride(kSize, 8) * kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            bits[static_cast<size_t>(y * kSize + x)] =
                static_cast<std::uint8_t>((x + y) * 63 / (2 * kSize - 2));
    Canvas canvas(kSize, kSize);
    setDIBitsToDevice(*canvas.dc, 0, 0, kSize, kSize, 0, 0, 0, kSize, bits, info);
    EXPECT_EQ(canvas.at(0, kSize - 1), colorFrom565(colorTo565(colorFromQuad(palette[0]))));
    EXPECT_EQ(canvas.at(kSize - 1, 0), colorFrom565(colorTo565(colorFromQuad(palette[63]))));
    EXPECT_TRUE(test::matchesGolden(*canvas.bitmap, "dib_palette64"));
}

TEST(CreateDIBitmap, HoldsTheDibsPixelsInScreenFormat) {
    Dib8 dib(5, 4, false);
    BitmapRef bitmap = createDIBitmap(dib.info, dib.bits);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->format(), PixelFormat::Rgb565);
    PixelSurface s = bitmap->surface();
    EXPECT_EQ(s.decode(s.read(2, 0)), dib.colourOf(3, 2));
    EXPECT_FALSE(createDIBitmap(dib.info, std::span(dib.bits).first(10)));
}

} // namespace
} // namespace q71
