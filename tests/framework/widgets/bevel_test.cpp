#include "framework/widgets/bevel.h"
#include "support/golden_image.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

using test::Canvas;

constexpr ColorRef kFirst = rgb(248, 0, 0);
constexpr ColorRef kSecond = rgb(0, 0, 248);
constexpr ColorRef kPaper = rgb(248, 248, 248);

Pen pen(ColorRef colour) {
    return createPen(PenStyle::Solid, 1, colour);
}

// The colours of one row of the canvas from x0 to x1.
std::vector<ColorRef> row(const Canvas& c, int y, int x0, int x1) {
    std::vector<ColorRef> out;
    for (int x = x0; x <= x1; ++x)
        out.push_back(c.at(x, y));
    return out;
}

TEST(Shades, AChannelIsScaledByTheLevelOverTheDivisorRoundedAndKeptInRange) {
    EXPECT_EQ(shadeColour(rgb(100, 30, 240), 0, 3), rgb(133, 40, 255));
    EXPECT_EQ(shadeColour(rgb(100, 30, 240), 1, 3), rgb(33, 10, 80));
    EXPECT_EQ(shadeColour(rgb(100, 30, 240), 0, 2), rgb(200, 60, 255));
    EXPECT_EQ(shadeColour(rgb(100, 30, 240), 1, 2), rgb(50, 15, 120));
    EXPECT_EQ(shadeColour(rgb(100, 30, 240), 2, 3), rgb(67, 20, 160));
    EXPECT_EQ(shadeColour(rgb(100, 30, 240), 7, 7), rgb(100, 30, 240));
}

TEST(Shades, PensAndBrushesComeAtLevelsZeroThreeTwoOne) {
    auto pens = makeShadePens(rgb(90, 90, 90), false);
    EXPECT_EQ(pens[0].colour, shadeColour(rgb(90, 90, 90), 0, 3));
    EXPECT_EQ(pens[1].colour, rgb(90, 90, 90));
    EXPECT_EQ(pens[2].colour, shadeColour(rgb(90, 90, 90), 2, 3));
    EXPECT_EQ(pens[3].colour, shadeColour(rgb(90, 90, 90), 1, 3));
    auto brushes = makeShadeBrushes(rgb(90, 90, 90), true);
    EXPECT_EQ(brushes[3].colour, shadeColour(rgb(90, 90, 90), 1, 2));
}

TEST(Bevels, ASunkenBevelIsDarkAboveAndLeftAndStaysInsideItsRectangle) {
    Canvas c(40, 40, kPaper);
    drawBevel(*c.dc, pen(kFirst), pen(kSecond), 10, 10, 29, 29, 2, kBevelSunken);
    EXPECT_EQ(row(c, 20, 9, 12), (std::vector<ColorRef>{kPaper, kSecond, kSecond, kPaper}));
    EXPECT_EQ(row(c, 20, 27, 30), (std::vector<ColorRef>{kPaper, kFirst, kFirst, kPaper}));
    EXPECT_EQ(c.at(20, 10), kSecond);
    EXPECT_EQ(c.at(20, 29), kFirst);
    EXPECT_EQ(c.at(10, 10), kSecond) << "the top-left corner belongs to the left edge";
    EXPECT_EQ(c.at(29, 10), kSecond) << "the top-right corner belongs to the top edge";
    EXPECT_EQ(c.at(29, 29), kFirst);
    EXPECT_EQ(c.at(10, 29), kFirst) << "the bottom-left corner belongs to the bottom edge";
    EXPECT_EQ(c.at(20, 9), kPaper);
    EXPECT_EQ(c.at(20, 30), kPaper);
}

TEST(Bevels, ARaisedBevelIsTheOtherWayRound) {
    Canvas c(40, 40, kPaper);
    drawBevel(*c.dc, pen(kFirst), pen(kSecond), 10, 10, 29, 29, 1, kBevelRaised);
    EXPECT_EQ(c.at(10, 20), kFirst);
    EXPECT_EQ(c.at(29, 20), kSecond);
}

TEST(Bevels, GroovesAndRidgesSwapTheirPensHalfwayIn) {
    Canvas c(40, 40, kPaper);
    drawBevel(*c.dc, pen(kFirst), pen(kSecond), 5, 5, 34, 34, 4, kBevelGroove);
    EXPECT_EQ(row(c, 20, 5, 8), (std::vector<ColorRef>{kSecond, kSecond, kFirst, kFirst}));
    Canvas r(40, 40, kPaper);
    drawBevel(*r.dc, pen(kFirst), pen(kSecond), 5, 5, 34, 34, 4, kBevelRidge);
    EXPECT_EQ(row(r, 20, 5, 8), (std::vector<ColorRef>{kFirst, kFirst, kSecond, kSecond}));
}

TEST(Bevels, AWidthOfFiveOnASixPixelRectangleIsDrawnThreeDeep) {
    Canvas c(40, 60, kPaper);
    drawBevel(*c.dc, pen(kFirst), pen(kSecond), 10, 10, 15, 50, 5, kBevelSunken);
    EXPECT_EQ(row(c, 30, 9, 16),
              (std::vector<ColorRef>{kPaper, kSecond, kSecond, kSecond, kFirst, kFirst, kFirst, kPaper}));
}

TEST(Bevels, AnEmptyRectangleOrWidthDrawsNothing) {
    Canvas c(40, 40, kPaper);
    drawBevel(*c.dc, pen(kFirst), pen(kSecond), 20, 10, 10, 30, 2, kBevelSunken);
    drawBevel(*c.dc, pen(kFirst), pen(kSecond), 10, 10, 30, 30, 0, kBevelSunken);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(c.at(x, y), kPaper);
}

TEST(Bevels, OneColourGivesTheLightAndDarkShades) {
    Canvas c(40, 40, kPaper);
    const ColorRef steel = rgb(96, 120, 144);
    drawBevelWithColour(*c.dc, steel, true, 10, 10, 29, 29, 1, kBevelRaised);
    PixelSurface s = c.bitmap->surface();
    EXPECT_EQ(c.at(10, 20), s.decode(s.encode(shadeColour(steel, 0, 2))));
    EXPECT_EQ(c.at(29, 20), s.decode(s.encode(shadeColour(steel, 1, 2))));
}

} // namespace
} // namespace q71
