#include "golden.h"

#include "platform/gdi/blit.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

using test::Canvas;

// Fills each pixel with a colour unique to its position.
void paintGradient(Canvas& canvas) {
    for (int y = 0; y < canvas.bitmap->height(); ++y)
        for (int x = 0; x < canvas.bitmap->width(); ++x)
            canvas.dc->setPixel({x, y}, rgb(x * 8, y * 4, 64));
}

ColorRef gradient(int x, int y) {
    return rgb(x * 8, y * 4, 64);
}

TEST(BitBlt, CopiesABlockBetweenContextsAndLeavesWhatLiesOutsideTheSource) {
    Canvas source(8, 8), target(12, 12, rgb(0, 0, 248));
    paintGradient(source);
    EXPECT_TRUE(bitBlt(*target.dc, 2, 3, 6, 6, source.dc.get(), 4, 4, kSrcCopy));
    EXPECT_EQ(target.at(2, 3), gradient(4, 4));
    EXPECT_EQ(target.at(5, 6), gradient(7, 7));
    // Source columns and rows 8 and beyond do not exist: those target pixels keep their colour.
    EXPECT_EQ(target.at(6, 3), rgb(0, 0, 248));
    EXPECT_EQ(target.at(2, 7), rgb(0, 0, 248));
    EXPECT_EQ(target.at(1, 3), rgb(0, 0, 248));
}

TEST(BitBlt, OverlappingCopiesWithinOneBitmapScrollInEveryDirection) {
    struct Shift {
        int dx, dy;
    };
    for (Shift shift : {Shift{1, 0}, Shift{-1, 0}, Shift{0, 1}, Shift{0, -1}, Shift{3, 2}, Shift{-2, -3}}) {
        Canvas canvas(10, 10);
        paintGradient(canvas);
        bitBlt(*canvas.dc, shift.dx, shift.dy, 10, 10, canvas.dc.get(), 0, 0, kSrcCopy);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) {
                int sx = x - shift.dx, sy = y - shift.dy;
                bool moved = sx >= 0 && sx < 10 && sy >= 0 && sy < 10;
                EXPECT_EQ(canvas.at(x, y), moved ? gradient(sx, sy) : gradient(x, y))
                    << shift.dx << "," << shift.dy << " at " << x << "," << y;
            }
    }
}

TEST(BitBlt, ConvertsBetweenFormatsThroughColours) {
    std::vector<RgbQuad> palette{quadFromColor(rgb(0, 0, 0)), quadFromColor(rgb(248, 120, 16))};
    BitmapRef indexed = Bitmap::createDibSection(dibMakeInfo({4, 4, 8, palette, {}}));
    ASSERT_TRUE(indexed);
    auto source = DeviceContext::createMemory();
    source->selectBitmap(indexed);
    indexed->bits()[0] = 1; // bottom-left pixel
    Canvas target(4, 4);
    bitBlt(*target.dc, 0, 0, 4, 4, source.get(), 0, 0, kSrcCopy);
    EXPECT_EQ(target.at(0, 3), rgb(248, 120, 16));
    // And back: the screen colour finds its palette entry again.
    indexed->bits()[0] = 0;
    bitBlt(*source, 0, 0, 4, 4, target.dc.get(), 0, 0, kSrcCopy);
    EXPECT_EQ(indexed->bits()[0], 1);
}

TEST(BitBlt, RasterOperationsCombinePatternSourceAndDestination) {
    Canvas source(4, 1), target(4, 1, rgb(0, 252, 0));
    source.dc->setPixel({0, 0}, rgb(248, 0, 0));
    bitBlt(*target.dc, 0, 0, 4, 1, source.dc.get(), 0, 0, kSrcInvert);
    EXPECT_EQ(target.at(0, 0), rgb(248, 252, 0));
    EXPECT_EQ(target.at(1, 0), rgb(0, 252, 0));
    patBlt(*target.dc, 0, 0, 2, 1, kDstInvert);
    EXPECT_EQ(target.at(0, 0), rgb(0, 0, 248));
    target.dc->selectBrush(createSolidBrush(rgb(0, 0, 248)));
    patBlt(*target.dc, 2, 0, 2, 1, kPatCopy);
    EXPECT_EQ(target.at(3, 0), rgb(0, 0, 248));
    patBlt(*target.dc, 0, 0, 1, 1, kWhiteness);
    patBlt(*target.dc, 1, 0, 1, 1, kBlackness);
    EXPECT_EQ(target.at(0, 0), rgb(248, 252, 248));
    EXPECT_EQ(target.at(1, 0), 0u);
    EXPECT_EQ(applyRop3(kSrcAnd, 0, 0b1100, 0b1010), 0b1000u);
    EXPECT_EQ(applyRop3(kSrcPaint, 0, 0b1100, 0b1010), 0b1110u);
    EXPECT_FALSE(patBlt(*target.dc, 0, 0, 1, 1, kSrcCopy));
}

TEST(BitBlt, DestinationClipRegionLimitsTheCopy) {
    Canvas source(16, 16), target(16, 16);
    paintGradient(source);
    Region ring = Region::ellipse({0, 0, 16, 16}).subtracted(Region::ellipse({4, 4, 12, 12}));
    target.dc->selectClipRegion(&ring);
    bitBlt(*target.dc, 0, 0, 16, 16, source.dc.get(), 0, 0, kSrcCopy);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(target.at(x, y), ring.contains({x, y}) ? gradient(x, y) : 0u);
}

} // namespace
} // namespace q71
