#include "platform/geometry/region.h"

#include <gtest/gtest.h>

#include <array>

namespace q71 {
namespace {

int pixelCount(const Region& r) {
    int n = 0;
    for (const Rect& rect : r.rects())
        n += rect.width() * rect.height();
    return n;
}

TEST(RectBasics, RightAndBottomAreExclusive) {
    Rect r{10, 20, 30, 40};
    EXPECT_TRUE(r.contains({10, 20}));
    EXPECT_TRUE(r.contains({29, 39}));
    EXPECT_FALSE(r.contains({30, 39}));
    EXPECT_FALSE(r.contains({29, 40}));
    EXPECT_FALSE(r.intersects({30, 20, 40, 40}));
    EXPECT_EQ(r.intersected({0, 0, 15, 25}), (Rect{10, 20, 15, 25}));
    EXPECT_EQ(r.intersected({50, 50, 60, 60}), Rect{});
}

TEST(RectBasics, UnionIgnoresEmptyOperands) {
    Rect a{5, 5, 10, 10};
    EXPECT_EQ(a.united({0, 0, 0, 0}), a);
    EXPECT_EQ((Rect{100, 100, 100, 120}).united(a), a);
    EXPECT_EQ(a.united({20, 0, 30, 6}), (Rect{5, 0, 30, 10}));
}

TEST(RegionBoolean, UnionOfOverlappingRectanglesIsCanonical) {
    Region a(Rect{0, 0, 10, 10});
    Region b(Rect{5, 5, 15, 15});
    Region u = a.united(b);
    EXPECT_EQ(pixelCount(u), 100 + 100 - 25);
    EXPECT_EQ(u.boundingBox(), (Rect{0, 0, 15, 15}));
    // Three bands: the top of a, the overlap rows, the bottom of b.
    ASSERT_EQ(u.rects().size(), 3u);
    EXPECT_EQ(u.rects()[1], (Rect{0, 5, 15, 10}));
    // The same pixels built another way compare equal.
    Region again =
        Region(Rect{0, 0, 10, 5}).united(Region(Rect{0, 5, 15, 10})).united(Region(Rect{5, 10, 15, 15}));
    EXPECT_EQ(u, again);
}

TEST(RegionBoolean, AdjacentRectanglesMergeIntoOne) {
    Region side = Region(Rect{0, 0, 10, 10}).united(Region(Rect{10, 0, 20, 10}));
    ASSERT_EQ(side.rects().size(), 1u);
    EXPECT_EQ(side.rects()[0], (Rect{0, 0, 20, 10}));
    Region stacked = Region(Rect{0, 0, 10, 10}).united(Region(Rect{0, 10, 10, 20}));
    ASSERT_EQ(stacked.rects().size(), 1u);
    EXPECT_EQ(stacked.rects()[0], (Rect{0, 0, 10, 20}));
}

TEST(RegionBoolean, SubtractPunchesAHole) {
    Region frame = Region(Rect{0, 0, 30, 30}).subtracted(Region(Rect{10, 10, 20, 20}));
    EXPECT_EQ(pixelCount(frame), 900 - 100);
    EXPECT_FALSE(frame.contains({15, 15}));
    EXPECT_TRUE(frame.contains({9, 15}));
    EXPECT_TRUE(frame.contains({20, 15}));
    EXPECT_FALSE(frame.intersects({11, 11, 19, 19}));
    EXPECT_TRUE(frame.intersects({19, 19, 21, 21}));
    // Filling the hole again gives back the plain square.
    EXPECT_EQ(frame.united(Region(Rect{10, 10, 20, 20})), Region(Rect{0, 0, 30, 30}));
}

TEST(RegionBoolean, IntersectAndXorOfDisjointAndOverlapping) {
    Region a(Rect{0, 0, 10, 10});
    Region b(Rect{20, 20, 30, 30});
    EXPECT_TRUE(a.intersected(b).isEmpty());
    EXPECT_EQ(a.intersected(b).boundingBox(), Rect{});
    Region c(Rect{5, 0, 15, 10});
    EXPECT_EQ(a.intersected(c), Region(Rect{5, 0, 10, 10}));
    Region x = a.xored(c);
    EXPECT_EQ(pixelCount(x), 100);
    EXPECT_FALSE(x.contains({7, 5}));
    EXPECT_TRUE(x.contains({2, 5}));
    EXPECT_TRUE(x.contains({12, 5}));
}

TEST(RegionBoolean, EmptyOperandsAndReversedCorners) {
    Region empty;
    Region a(Rect{0, 0, 10, 10});
    EXPECT_EQ(a.united(empty), a);
    EXPECT_EQ(empty.united(a), a);
    EXPECT_TRUE(a.intersected(empty).isEmpty());
    EXPECT_EQ(a.subtracted(empty), a);
    EXPECT_EQ(Region(Rect{10, 10, 0, 0}), a);
    EXPECT_TRUE(Region(Rect{5, 5, 5, 50}).isEmpty());
}

TEST(RegionBoolean, OffsetMovesEveryRectangleAndTheBounds) {
    Region r = Region(Rect{0, 0, 10, 10}).united(Region(Rect{20, 0, 30, 5})).offsetBy(-5, 100);
    EXPECT_EQ(r.boundingBox(), (Rect{-5, 100, 25, 110}));
    EXPECT_TRUE(r.contains({-5, 100}));
    EXPECT_TRUE(r.contains({24, 104}));
    EXPECT_FALSE(r.contains({24, 105}));
}

TEST(RegionShapes, EllipseIsSymmetricAndInscribed) {
    Region e = Region::ellipse({0, 0, 100, 60});
    EXPECT_EQ(e.boundingBox(), (Rect{0, 0, 100, 60}));
    EXPECT_TRUE(e.contains({50, 30}));
    EXPECT_FALSE(e.contains({0, 0}));
    EXPECT_FALSE(e.contains({99, 59}));
    EXPECT_TRUE(e.contains({0, 30}));
    EXPECT_TRUE(e.contains({99, 29}));
    for (const Rect& r : e.rects()) {
        EXPECT_EQ(r.left, 100 - r.right) << "row " << r.top;
        // Mirror rows exist with the same span.
        EXPECT_TRUE(e.contains({r.left, 59 - r.top}));
        EXPECT_FALSE(e.contains({r.left - 1, 59 - r.top}));
    }
    // Area close to pi * a * b.
    EXPECT_NEAR(pixelCount(e), 3.14159265 * 50 * 30, 100);
}

TEST(RegionShapes, EllipseOfAnEmptyRectangleIsEmpty) {
    EXPECT_TRUE(Region::ellipse({10, 10, 10, 40}).isEmpty());
    EXPECT_EQ(Region::ellipse({40, 40, 0, 0}), Region::ellipse({0, 0, 40, 40}));
}

TEST(RegionShapes, RectanglePolygonCoversExactlyTheRectangle) {
    std::array<Point, 4> square{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}};
    EXPECT_EQ(Region::polygon(square, PolygonFillMode::Alternate), Region(Rect{0, 0, 10, 10}));
    EXPECT_EQ(Region::polygon(square, PolygonFillMode::Winding), Region(Rect{0, 0, 10, 10}));
}

TEST(RegionShapes, NotchedPolygonLeavesItsNotchOut) {
    // A wide shape with a raised notch in the middle of its top edge.
    std::array<Point, 10> notch{{{0, 10},
                                 {98, 10},
                                 {98, 82},
                                 {102, 86},
                                 {180, 86},
                                 {184, 82},
                                 {184, 10},
                                 {281, 10},
                                 {281, 123},
                                 {0, 123}}};
    Region r = Region::polygon(notch, PolygonFillMode::Winding);
    EXPECT_EQ(r.boundingBox(), (Rect{0, 10, 281, 123}));
    EXPECT_TRUE(r.contains({10, 20}));
    EXPECT_TRUE(r.contains({270, 20}));
    EXPECT_FALSE(r.contains({140, 20}));
    EXPECT_FALSE(r.contains({140, 85}));
    EXPECT_TRUE(r.contains({140, 87}));
    EXPECT_FALSE(r.contains({5, 5}));
}

TEST(RegionShapes, FillModesDifferOnSelfOverlap) {
    // A pentagram: its centre is wound twice, so only the winding rule fills it.
    std::array<Point, 5> star{{{50, 0}, {79, 90}, {2, 34}, {98, 34}, {21, 90}}};
    Region alternate = Region::polygon(star, PolygonFillMode::Alternate);
    Region winding = Region::polygon(star, PolygonFillMode::Winding);
    EXPECT_FALSE(alternate.contains({50, 50}));
    EXPECT_TRUE(winding.contains({50, 50}));
    EXPECT_TRUE(alternate.contains({50, 10}));
    EXPECT_TRUE(winding.contains({50, 10}));
    EXPECT_TRUE(alternate.subtracted(winding).isEmpty());
}

TEST(RegionShapes, DegeneratePolygonsAreEmpty) {
    std::array<Point, 2> line{{{0, 0}, {10, 10}}};
    EXPECT_TRUE(Region::polygon(line, PolygonFillMode::Alternate).isEmpty());
    std::array<Point, 3> flat{{{0, 5}, {10, 5}, {20, 5}}};
    EXPECT_TRUE(Region::polygon(flat, PolygonFillMode::Winding).isEmpty());
}

} // namespace
} // namespace q71
