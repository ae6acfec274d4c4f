#include "golden.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/pen_stroke.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace q71 {
namespace {

using test::Canvas;

constexpr ColorRef kWhite = rgb(248, 252, 248);
constexpr ColorRef kRed = rgb(248, 0, 0);
constexpr ColorRef kGreen = rgb(0, 252, 0);
constexpr ColorRef kBlue = rgb(0, 0, 248);

int countColour(const Canvas& canvas, ColorRef colour) {
    int n = 0;
    for (int y = 0; y < canvas.bitmap->height(); ++y)
        for (int x = 0; x < canvas.bitmap->width(); ++x)
            n += canvas.at(x, y) == colour;
    return n;
}

TEST(Lines, EndPointIsLeftOutAndBecomesTheCurrentPosition) {
    Canvas canvas(10, 10);
    canvas.dc->selectPen(createPen(PenStyle::Solid, 1, kWhite));
    canvas.dc->moveTo({1, 1});
    canvas.dc->lineTo({6, 1});
    EXPECT_EQ(canvas.at(1, 1), kWhite);
    EXPECT_EQ(canvas.at(5, 1), kWhite);
    EXPECT_EQ(canvas.at(6, 1), 0u);
    EXPECT_EQ(canvas.dc->currentPosition(), (Point{6, 1}));
    canvas.dc->lineTo({6, 8});
    EXPECT_EQ(canvas.at(6, 1), kWhite);
    EXPECT_EQ(canvas.at(6, 7), kWhite);
    EXPECT_EQ(canvas.at(6, 8), 0u);
    // A line drawn backwards covers its start and leaves out its end as well.
    canvas.dc->lineTo({2, 8});
    EXPECT_EQ(canvas.at(3, 8), kWhite);
    EXPECT_EQ(canvas.at(2, 8), 0u);
    EXPECT_EQ(countColour(canvas, kWhite), 5 + 7 + 4);
}

TEST(Lines, PolylineLeavesOutOnlyItsLastPointAndKeepsThePosition) {
    Canvas canvas(10, 10);
    canvas.dc->selectPen(createPen(PenStyle::Solid, 1, kWhite));
    canvas.dc->moveTo({9, 9});
    std::vector<Point> points{{0, 0}, {4, 0}, {4, 4}};
    canvas.dc->polyline(points);
    EXPECT_EQ(countColour(canvas, kWhite), 8);
    EXPECT_EQ(canvas.at(4, 4), 0u);
    EXPECT_EQ(canvas.dc->currentPosition(), (Point{9, 9}));
}

TEST(Lines, XorPenDrawnTwiceRestoresThePicture) {
    Canvas canvas(16, 16, kBlue);
    canvas.dc->selectPen(createPen(PenStyle::Solid, 3, kWhite));
    canvas.dc->setRop2(kRop2XorPen);
    for (int pass = 0; pass < 2; ++pass) {
        canvas.dc->moveTo({2, 3});
        canvas.dc->lineTo({13, 11});
        EXPECT_EQ(countColour(canvas, kBlue) == 256, pass == 1);
    }
}

TEST(Lines, StylesWidthsAndGapsMatchTheirGoldenImage) {
    Canvas canvas(72, 48, rgb(24, 32, 40));
    PenStyle styles[] = {PenStyle::Solid, PenStyle::Dash, PenStyle::Dot, PenStyle::DashDot,
                         PenStyle::DashDotDot};
    for (int i = 0; i < 5; ++i) {
        canvas.dc->selectPen(createPen(styles[i], 1, kGreen));
        canvas.dc->setBkMode(i % 2 ? kOpaque : kTransparent);
        canvas.dc->setBkColor(kRed);
        canvas.dc->moveTo({2, 2 + 3 * i});
        canvas.dc->lineTo({62, 2 + 3 * i});
    }
    // A star of solid lines in every octant, then wide pens.
    canvas.dc->selectPen(createPen(PenStyle::Solid, 1, kWhite));
    for (Point end : {Point{30, 20}, Point{30, 46}, Point{4, 33}, Point{56, 33}, Point{8, 22}, Point{52, 44},
                      Point{10, 46}, Point{50, 22}, Point{40, 21}, Point{20, 45}})
        canvas.dc->moveTo({30, 33}), canvas.dc->lineTo(end);
    for (int width = 2; width <= 3; ++width) {
        canvas.dc->selectPen(createPen(PenStyle::Dash, width, kBlue));
        canvas.dc->moveTo({50 + 6 * width, 20});
        canvas.dc->lineTo({56 + 6 * width, 44});
    }
    EXPECT_TRUE(test::matchesGolden(*canvas.bitmap, "lines"));
}

TEST(Shapes, RectangleWithoutPenIsOnePixelSmaller) {
    Canvas canvas(12, 12);
    canvas.dc->selectBrush(createSolidBrush(kRed));
    canvas.dc->selectPen(stockPen(StockObject::NullPen));
    canvas.dc->rectangle({2, 2, 8, 6});
    EXPECT_EQ(countColour(canvas, kRed), 5 * 3);
    canvas.dc->selectPen(createPen(PenStyle::Solid, 1, kWhite));
    canvas.dc->rectangle({2, 2, 8, 6});
    EXPECT_EQ(countColour(canvas, kWhite), 6 * 4 - 4 * 2);
    EXPECT_EQ(countColour(canvas, kRed), 4 * 2);
    EXPECT_EQ(canvas.at(7, 5), kWhite);
    EXPECT_EQ(canvas.at(8, 6), 0u);
}

TEST(Shapes, FillFrameAndInvertCoverExactlyTheirRectangle) {
    Canvas canvas(10, 10);
    canvas.dc->fillRect({1, 1, 9, 9}, createSolidBrush(kGreen));
    canvas.dc->frameRect({1, 1, 9, 9}, createSolidBrush(kRed));
    EXPECT_EQ(countColour(canvas, kRed), 28);
    EXPECT_EQ(countColour(canvas, kGreen), 36);
    canvas.dc->invertRect({0, 0, 10, 10});
    EXPECT_EQ(canvas.at(0, 0), rgb(248, 252, 248));
    EXPECT_EQ(canvas.at(4, 4), rgb(248, 0, 248));
}

TEST(Shapes, EllipsesPolygonsHatchesAndPatternsMatchTheirGoldenImage) {
    Canvas canvas(96, 64, rgb(24, 32, 40));
    DeviceContext& dc = *canvas.dc;
    dc.selectPen(createPen(PenStyle::Solid, 1, kWhite));
    dc.selectBrush(createSolidBrush(kBlue));
    dc.ellipse({2, 2, 30, 20});
    dc.selectPen(createPen(PenStyle::Solid, 3, kGreen));
    dc.selectBrush(stockBrush(StockObject::NullBrush));
    dc.ellipse({34, 4, 54, 24});
    dc.selectPen(createPen(PenStyle::InsideFrame, 3, kRed));
    dc.rectangle({58, 2, 92, 22});
    dc.selectPen(createPen(PenStyle::Dot, 1, kWhite));
    dc.setBkMode(kTransparent);
    dc.ellipse({62, 6, 88, 18});
    dc.selectPen(createPen(PenStyle::Solid, 1, kWhite));
    dc.selectBrush(createHatchBrush(HatchStyle::DiagonalCross, kGreen));
    dc.setBkMode(kOpaque);
    dc.setBkColor(rgb(0, 0, 96));
    dc.rectangle({2, 26, 30, 50});
    std::vector<Point> star{{46, 26}, {52, 60}, {34, 38}, {58, 38}, {40, 60}};
    dc.selectBrush(createSolidBrush(kRed));
    dc.polygon(star, PolygonFillMode::Alternate);
    std::vector<Point> shifted;
    for (Point p : star)
        shifted.push_back({p.x + 34, p.y});
    dc.polygon(shifted, PolygonFillMode::Winding);
    // A 4 x 4 checker pattern brush, aligned to the brush origin.
    Canvas patternCanvas(4, 4, kBlue);
    patternCanvas.dc->fillRect({0, 0, 2, 2}, createSolidBrush(kWhite));
    patternCanvas.dc->fillRect({2, 2, 4, 4}, createSolidBrush(kWhite));
    dc.setBrushOrigin({1, 0});
    dc.fillRect({4, 52, 30, 62}, createPatternBrush(patternCanvas.bitmap.get()));
    EXPECT_TRUE(test::matchesGolden(*canvas.bitmap, "shapes"));
}

TEST(Shapes, FullArcClosesIntoACircleAroundTheSymbol) {
    // The ring of a tactical symbol: an arc from (cx + 9, cy) to (cx + 9, cy + 1).
    Canvas canvas(40, 40);
    canvas.dc->selectPen(createPen(PenStyle::Solid, 0, kWhite));
    canvas.dc->arc({12, 12, 29, 29}, {29, 20}, {29, 21});
    EXPECT_TRUE(test::matchesGolden(*canvas.bitmap, "ring"));
    // Left-right symmetric about the centre column pair, and closed: every row of the box is hit.
    for (int y = 12; y < 29; ++y) {
        bool hit = false;
        for (int x = 0; x < 40; ++x)
            hit |= canvas.at(x, y) == kWhite;
        EXPECT_TRUE(hit) << y;
    }
    // A quarter arc keeps to its quadrant (counterclockwise from east to north).
    Canvas quarter(40, 40);
    quarter.dc->selectPen(createPen(PenStyle::Solid, 1, kWhite));
    quarter.dc->arc({10, 10, 30, 30}, {30, 20}, {20, 0});
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            if (quarter.at(x, y) == kWhite) {
                EXPECT_TRUE(x >= 19 && y <= 20) << x << "," << y;
            }
        }
    EXPECT_GT(countColour(quarter, kWhite), 10);
}

TEST(Pixels, SetAndGetRoundTripThroughTheScreenFormat) {
    Canvas canvas(4, 4);
    EXPECT_EQ(canvas.dc->setPixel({1, 2}, rgb(255, 255, 255)), rgb(248, 252, 248));
    EXPECT_EQ(canvas.dc->getPixel({1, 2}), rgb(248, 252, 248));
    EXPECT_EQ(canvas.dc->setPixel({4, 0}, kRed), kInvalidColor);
    EXPECT_EQ(canvas.dc->getPixel({-1, 0}), kInvalidColor);
    auto empty = DeviceContext::createMemory();
    EXPECT_EQ(empty->getPixel({0, 0}), kInvalidColor);
}

TEST(Clipping, RegionsLimitEveryPrimitive) {
    Canvas canvas(32, 32);
    Region round = Region::ellipse({4, 4, 28, 28});
    EXPECT_EQ(canvas.dc->selectClipRegion(&round), kComplexRegion);
    canvas.dc->fillRect({0, 0, 32, 32}, createSolidBrush(kRed));
    canvas.dc->selectPen(createPen(PenStyle::Solid, 1, kWhite));
    canvas.dc->moveTo({0, 16});
    canvas.dc->lineTo({32, 16});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            ColorRef expected = !round.contains({x, y}) ? 0u : y == 16 ? kWhite : kRed;
            EXPECT_EQ(canvas.at(x, y), expected) << x << "," << y;
        }
    Rect box;
    EXPECT_EQ(canvas.dc->getClipBox(box), kComplexRegion);
    EXPECT_EQ(box, (Rect{4, 4, 28, 28}));
    EXPECT_EQ(canvas.dc->intersectClipRect({0, 0, 10, 32}), kComplexRegion);
    EXPECT_EQ(canvas.dc->selectClipRegion(nullptr), kSimpleRegion);
    EXPECT_EQ(canvas.dc->excludeClipRect({0, 0, 32, 32}), kNullRegion);
}

TEST(DibSections, DrawingIntoEightBitsPicksTheExactOrNearestEntry) {
    std::vector<RgbQuad> palette{quadFromColor(0), quadFromColor(rgb(24, 33, 41)),
                                 quadFromColor(rgb(0, 240, 0)), quadFromColor(rgb(0, 250, 0))};
    auto info = dibMakeInfo({8, -4, 8, palette, {}});
    BitmapRef section = Bitmap::createDibSection(info);
    ASSERT_TRUE(section);
    auto dc = DeviceContext::createMemory();
    dc->selectBitmap(section);
    dc->fillRect({0, 0, 8, 4}, createSolidBrush(rgb(24, 33, 41)));
    dc->selectPen(createPen(PenStyle::Solid, 1, rgb(0, 250, 0)));
    dc->moveTo({0, 1});
    dc->lineTo({8, 1});
    dc->setPixel({3, 3}, rgb(0, 236, 0));
    // Top-down: row 1 is the second stored row; bits are reachable directly.
    EXPECT_EQ(section->bits()[0], 1);
    EXPECT_EQ(section->bits()[8 + 5], 3);
    EXPECT_EQ(section->bits()[3 * 8 + 3], 2);
    EXPECT_EQ(dc->getPixel({5, 1}), rgb(0, 250, 0));
}

TEST(DibSections, ThirtyTwoBitBitsAreBlueGreenRedInBottomUpRows) {
    auto info = dibMakeInfo({2, 2, 32, {}, {}});
    BitmapRef section = Bitmap::createDibSection(info);
    ASSERT_TRUE(section);
    auto dc = DeviceContext::createMemory();
    dc->selectBitmap(section);
    dc->setPixel({1, 0}, rgb(10, 20, 30));
    // The top row is stored last.
    std::span<std::uint8_t> bits = section->bits();
    EXPECT_EQ(bits[8 + 4], 30);
    EXPECT_EQ(bits[8 + 5], 20);
    EXPECT_EQ(bits[8 + 6], 10);
    EXPECT_FALSE(Bitmap::createDibSection(dibMakeInfo({2, 2, 4, std::vector<RgbQuad>(16), {}})));
    EXPECT_FALSE(Bitmap::createDibSection(dibMakeInfo({2, 2, 16, {}, {0xF000, 0x0F00, 0x00F0}})));
}

TEST(FarCoordinates, AWalkCutToAWindowGivesTheSamePixelsAsTheWholeWalk) {
    const Rect window{-7, 3, 25, 40};
    for (auto [a, b] :
         {std::pair{Point{-300, -17}, Point{400, 260}}, std::pair{Point{350, 90}, Point{-41, -5}},
          std::pair{Point{3, -500}, Point{20, 600}}, std::pair{Point{60, 7}, Point{-60, 18}}}) {
        std::vector<std::pair<Point, long long>> whole, cut;
        forEachLinePixel(a, b, Rect{-100000, -100000, 100000, 100000}, [&](Point p, long long step) {
            bool steep = std::abs(b.y - a.y) > std::abs(b.x - a.x);
            int along = steep ? p.y : p.x;
            if (along >= (steep ? window.top : window.left) && along < (steep ? window.bottom : window.right))
                whole.emplace_back(p, step);
        });
        forEachLinePixel(a, b, window, [&](Point p, long long step) { cut.emplace_back(p, step); });
        EXPECT_FALSE(cut.empty());
        EXPECT_EQ(cut, whole) << a.x << "," << a.y << " to " << b.x << "," << b.y;
    }
}

TEST(FarCoordinates, HugeShapesDrawOnlyWhatShowsAndQuickly) {
    test::Canvas canvas(32, 32);
    DeviceContext& dc = *canvas.dc;
    dc.selectPen(createPen(PenStyle::Dash, 1, kWhite));
    dc.setBkMode(kTransparent);
    dc.moveTo({-1'000'000'000, -1'000'000'000});
    dc.lineTo({1'000'000'000, 1'000'000'000});
    // Along the diagonal the pattern of 18 drawn and 6 left out runs from the far start.
    long long start = 1'000'000'000LL;
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(canvas.at(i, i) == kWhite, (start + i) % 24 < 18) << i;
    dc.selectPen(createPen(PenStyle::Solid, 3, kRed));
    dc.moveTo({-2'000'000'000, 20});
    dc.lineTo({2'000'000'000, 20});
    EXPECT_EQ(canvas.at(0, 19), kRed);
    EXPECT_EQ(canvas.at(31, 21), kRed);
    dc.selectBrush(createSolidBrush(kBlue));
    dc.selectPen(stockPen(StockObject::NullPen));
    std::vector<Point> vast{{-1'000'000'000, 28}, {1'000'000'000, 28}, {0, 2'000'000'000}};
    dc.polygon(vast);
    EXPECT_EQ(canvas.at(16, 30), kBlue);
    EXPECT_FALSE(dc.ellipse({-1'000'000'000, -1'000'000'000, 1'000'000'000, 1'000'000'000}));
    EXPECT_TRUE(patBlt(dc, -2'000'000'000, 24, 2'100'000'000, 2'000'000'000, kWhiteness));
    EXPECT_EQ(canvas.at(31, 31), kWhite);
}

} // namespace
} // namespace q71
