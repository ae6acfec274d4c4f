// Where a console's engraved label stands: its hot spot grown into the free steel round it, a line
// of the labels' face high, never over the art of the panel, centred on the hot spot.

#include "mkdata/art/look.h"
#include "mkdata/tactical/engraved_labels.h"

#include <gtest/gtest.h>

#include <vector>

namespace q71::test {
namespace {

using mkdata::engravedLabelPlace;
using mkdata::LabelPlace;

constexpr Rect kPanel{3, 3, 537, 417};
constexpr int kGrowth = 40;

int middle(int a, int b) {
    return (a + b) / 2;
}

TEST(EngravedLabelPlace, AHotSpotUnderAControlGrowsDownwardsToALineOfTheFaceAndStaysCentred) {
    // A switch's recess ends on the hot spot's first row; nothing else stands near.
    const Rect spot{368, 176, 472, 187};
    const std::vector<Rect> taken{{358, 127, 482, 177}};
    const LabelPlace place = engravedLabelPlace(spot, taken, kPanel, kGrowth);
    EXPECT_EQ(place.face.top, 177) << "the face starts under the recess";
    EXPECT_EQ(place.face.height(), 16) << "a line of the face with an accent above and a descender below";
    EXPECT_EQ(middle(place.face.left, place.face.right), middle(spot.left, spot.right));
    EXPECT_EQ(place.face.width(), spot.width() + 2 * kGrowth);
    EXPECT_TRUE(place.keepClear.empty());
}

TEST(EngravedLabelPlace, WithFreeRowsOnBothSidesTheFaceIsCentredOnTheHotSpotsMiddleRow) {
    const Rect spot{100, 110, 230, 121};
    const LabelPlace place = engravedLabelPlace(spot, {}, kPanel, kGrowth);
    EXPECT_EQ(middle(place.face.top, place.face.bottom), middle(spot.top, spot.bottom));
    EXPECT_EQ(place.face.height(), 16);
}

TEST(EngravedLabelPlace, ArtBelowMovesTheFaceUpAndFewFreeRowsAreAllTaken) {
    const Rect spot{100, 110, 230, 121};
    const std::vector<Rect> below{{90, 120, 240, 140}};
    const LabelPlace raised = engravedLabelPlace(spot, below, kPanel, kGrowth);
    EXPECT_EQ(raised.face.bottom, 120);
    EXPECT_EQ(raised.face.height(), 16);

    const std::vector<Rect> both{{90, 100, 240, 108}, {90, 120, 240, 140}};
    const LabelPlace squeezed = engravedLabelPlace(spot, both, kPanel, kGrowth);
    EXPECT_EQ(squeezed.face.top, 108);
    EXPECT_EQ(squeezed.face.bottom, 120);
}

TEST(EngravedLabelPlace, ArtBesideTheCapitalsLimitsTheGrowthOnBothSidesAlike) {
    // A display's bezel 10 columns left of the hot spot, the steel free far to its right.
    const Rect spot{200, 100, 260, 111};
    const std::vector<Rect> taken{{20, 40, 190, 300}};
    const LabelPlace place = engravedLabelPlace(spot, taken, kPanel, kGrowth);
    EXPECT_EQ(place.face.left, 190);
    EXPECT_EQ(place.face.right, 270);
    EXPECT_TRUE(place.keepClear.empty());
}

TEST(EngravedLabelPlace, ArtReachingOnlyTheFacesEdgeRowsIsKeptClearOfInsteadOfNarrowingIt) {
    // A button's recess ends two rows into the face, to the right: the accent rows, where a label
    // without accents has no ink.
    const Rect spot{397, 334, 464, 345};
    const std::vector<Rect> taken{{478, 273, 528, 333}, {378, 347, 492, 368}};
    const LabelPlace place = engravedLabelPlace(spot, taken, kPanel, kGrowth);
    EXPECT_EQ(place.face.width(), spot.width() + 2 * kGrowth);
    EXPECT_EQ(place.face.bottom, 347);
    ASSERT_EQ(place.keepClear.size(), 1u);
    EXPECT_EQ(place.keepClear.front(), taken.front());
}

TEST(EngravedLabelPlace, AControlStandingInTheHotSpotsEndCutsItShort) {
    const Rect spot{388, 61, 475, 72};
    const std::vector<Rect> taken{{443, 53, 532, 138}};
    const LabelPlace place = engravedLabelPlace(spot, taken, kPanel, kGrowth);
    EXPECT_LE(place.face.right, 443);
    EXPECT_FALSE(place.face.intersects(taken.front()));
    EXPECT_GE(place.face.width(), 443 - 388);
}

TEST(EngravedLabelPlace, TheFaceStaysOnThePanelAndClearOfItsCornerScrews) {
    const Rect spot{480, 5, 560, 16};
    const std::vector<Rect> screws = mkdata::cornerScrews(Rect{0, 0, 540, 420});
    const LabelPlace place = engravedLabelPlace(spot, screws, kPanel, kGrowth);
    EXPECT_EQ(place.face.intersected(kPanel), place.face);
    for (const Rect& screw : screws)
        EXPECT_FALSE(place.face.intersects(screw));
}

} // namespace
} // namespace q71::test
