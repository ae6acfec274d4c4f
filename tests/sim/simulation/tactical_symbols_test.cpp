// Tactical symbols: colours and frames by affiliation and category, the leader, ring, label and
// shadow, compared with golden images and checked pixel by pixel where the rules are exact.
#include "sim/simulation/tactical_symbols.h"

#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "sim/world/object_record.h"
#include "support/golden_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace q71 {
namespace {

using test::Canvas;

constexpr ColorRef kSea = rgb(16, 40, 72);

// A colour as the screen-format canvas holds it.
ColorRef onScreen(ColorRef colour) {
    return colorFrom565(colorTo565(colour));
}

const ColorRef kFriend = onScreen(0xFAFA00);
const ColorRef kHostile = onScreen(0x0000FA);
const ColorRef kNeutral = onScreen(0x00FA00);
const ColorRef kUnknown = onScreen(0x00FAFA);
const ColorRef kWhite = onScreen(0xFFFFFF);
const ColorRef kBlack = 0;

// The box holding every pixel of a colour (or, `other`, of any other colour) within an area of the
// canvas (none: all of it), or an empty rectangle.
Rect inkBox(const Canvas& canvas, ColorRef ink, Rect area = {}, bool other = false) {
    const Rect whole{0, 0, canvas.bitmap->width(), canvas.bitmap->height()};
    area = area.isEmpty() ? whole : area.intersected(whole);
    Rect box{};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if ((canvas.at(x, y) == ink) != other)
                box = box.united({x, y, x + 1, y + 1});
    return box;
}

::testing::AssertionResult matchesGolden(const Bitmap& bitmap, const std::string& name) {
    return test::matchesGoldenIn("tests/sim/simulation/golden", bitmap, name);
}

class TacticalSymbols : public ::testing::Test {
protected:
    TacticalSymbols() {
        EXPECT_EQ(textOpen(), 1);
        appCreateFonts();
    }
    ~TacticalSymbols() override {
        appDeleteFonts();
        textClose();
    }

    // One symbol at (20, 20) of a 40 by 40 sea.
    static Canvas symbol(int affiliation, int category, double course = 0.0, double speed = 0.0, int ring = 0,
                         const char* label = nullptr) {
        Canvas canvas(40, 40, kSea);
        worldDrawTacticalSymbol(*canvas.dc, ring, 20, 20, affiliation, category, course, speed, label);
        return canvas;
    }
};

TEST_F(TacticalSymbols, EveryAffiliationAndCategoryMatchesItsGoldenImage) {
    // Rows: affiliations 0 to 7; columns: categories 0 to 12, each heading 45 degrees at 3 knots.
    constexpr int kCell = 28;
    Canvas canvas(13 * kCell, 8 * kCell, kSea);
    for (int affiliation = 0; affiliation < 8; ++affiliation)
        for (int category = 0; category < 13; ++category)
            worldDrawTacticalSymbol(*canvas.dc, 0, category * kCell + kCell / 2,
                                    affiliation * kCell + kCell / 2, affiliation, category, 45.0, 3.0,
                                    nullptr);
    EXPECT_TRUE(matchesGolden(*canvas.bitmap, "symbols_by_affiliation_and_category"));
}

TEST_F(TacticalSymbols, RingsLabelsAndLeadersMatchTheirGoldenImage) {
    Canvas canvas(240, 60, kSea);
    worldDrawTacticalSymbol(*canvas.dc, 1, 20, 20, 2, kCategorySub, 300.0, 10.0, "S7");
    worldDrawTacticalSymbol(*canvas.dc, 0, 80, 20, 6, kCategoryOther, 90.0, 4.0, "Q71");
    worldDrawTacticalSymbol(*canvas.dc, 1, 140, 20, 4, kCategoryFloat, 0.0, 0.0, "R12");
    worldDrawSymbolForKind(*canvas.dc, 1, 200, 20, 1, 0, 200.0, 7.5, "V3");
    EXPECT_TRUE(matchesGolden(*canvas.bitmap, "symbols_with_ring_label_and_leader"));
}

TEST_F(TacticalSymbols, AHostileSubmarineIsARedLowerHalfDiamond) {
    Canvas c = symbol(2, kCategorySub);
    EXPECT_EQ(c.at(25, 20), kHostile); // the stroke's first point
    EXPECT_EQ(c.at(20, 25), kHostile); // its lowest point
    EXPECT_EQ(c.at(15, 20), kHostile); // the open end, set as a pixel of its own
    EXPECT_EQ(c.at(20, 15), kSea);     // no upper half
    EXPECT_EQ(inkBox(c, kHostile), (Rect{15, 20, 26, 26}));
}

TEST_F(TacticalSymbols, AFriendlyAircraftIsAnUpperHalfOctagon) {
    Canvas c = symbol(1, kCategoryPlane);
    EXPECT_EQ(inkBox(c, kFriend), (Rect{15, 15, 26, 21}));
    EXPECT_EQ(c.at(22, 15), kFriend);
    EXPECT_EQ(c.at(25, 20), kFriend); // the open end
    EXPECT_EQ(c.at(20, 25), kSea);
}

TEST_F(TacticalSymbols, AnUnknownAffiliationDrawsTheDefaultShapeInWhite) {
    for (int affiliation : {0, 7, -1, 1000}) {
        Canvas c = symbol(affiliation, kCategoryShip);
        EXPECT_EQ(inkBox(c, kWhite), (Rect{15, 15, 26, 26})) << affiliation;
        EXPECT_EQ(c.at(24, 18), kWhite) << affiliation; // the bar's upper edge
        EXPECT_EQ(c.at(20, 20), kWhite) << affiliation; // its centre, from the leader
    }
}

TEST_F(TacticalSymbols, TheOwnBoatIsAnOctagonWithACrossWhateverItsCategory) {
    for (int category : {0, 8, 6, 40}) { // sub, plane, mine, none
        Canvas c = symbol(6, category);
        EXPECT_EQ(c.at(15, 20), kFriend) << category; // the cross
        EXPECT_EQ(c.at(20, 15), kFriend) << category;
        EXPECT_EQ(c.at(24, 23), kFriend) << category; // the octagon's lower right edge
        EXPECT_EQ(c.at(17, 17), kSea) << category;
    }
}

TEST_F(TacticalSymbols, FixedObjectsHaveTicksExceptWhenTheirAffiliationIsUnknown) {
    Canvas neutral = symbol(4, kCategoryRock);
    EXPECT_EQ(neutral.at(13, 20), kNeutral); // the west tick, outside the frame
    EXPECT_EQ(neutral.at(20, 27), kNeutral); // the south tick
    EXPECT_EQ(neutral.at(17, 22), kNeutral); // the notched frame
    Canvas unknown = symbol(5, kCategoryRock);
    EXPECT_EQ(unknown.at(13, 20), kSea);
    EXPECT_EQ(unknown.at(24, 18), kUnknown); // the default shape in yellow
}

TEST_F(TacticalSymbols, TheLeaderGrowsWithSpeedUpToFifteenPixels) {
    Canvas stationary = symbol(1, kCategoryShip);
    EXPECT_EQ(stationary.at(20, 20), kFriend); // the centre pixel is set all the same
    EXPECT_EQ(stationary.at(20, 14), kSea);

    Canvas slow = symbol(1, kCategoryShip, 0.0, 4.0); // 8 pixels up
    EXPECT_EQ(slow.at(20, 12), kFriend);
    EXPECT_EQ(slow.at(20, 11), kSea);

    for (double speed : {7.5, 30.0}) {
        Canvas fast = symbol(1, kCategoryShip, 90.0, speed); // 15 pixels east
        EXPECT_EQ(fast.at(35, 20), kFriend) << speed;
        EXPECT_EQ(fast.at(36, 20), kSea) << speed;
    }
}

TEST_F(TacticalSymbols, WildSpeedsAndCoursesNeverDrawBeyondTheLongestLeader) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (auto [course, speed] :
         {std::pair{45.0, 1e300}, {180.0, -1e300}, {10.0, nan}, {nan, 5.0}, {inf, inf}}) {
        Canvas c = symbol(1, kCategoryShip, course, speed);
        Rect box = inkBox(c, kFriend);
        EXPECT_GE(box.left, 5);
        EXPECT_GE(box.top, 5);
        EXPECT_LE(box.right, 36);
        EXPECT_LE(box.bottom, 36);
    }
}

TEST_F(TacticalSymbols, TheLabelStandsBelowAndRightOfTheShapesAndItsShadowOnePixelLeftAndBelow) {
    Canvas plain(200, 200, kSea), labelled(200, 200, kSea);
    worldDrawTacticalSymbol(*plain.dc, 0, 100, 100, 1, kCategoryShip, 0.0, 0.0, nullptr);
    worldDrawTacticalSymbol(*labelled.dc, 0, 100, 100, 1, kCategoryShip, 0.0, 0.0, "W");
    Rect label{}, shadow{};
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (plain.at(x, y) != labelled.at(x, y)) {
                Rect& box = labelled.at(x, y) == kBlack ? shadow : label;
                box = box.united({x, y, x + 1, y + 1});
            }
    ASSERT_FALSE(label.isEmpty());
    EXPECT_GE(label.left, 106);
    EXPECT_GE(label.top, 106);
    EXPECT_LT(label.left, 110);
    // The shadow's text is the same glyph moved one pixel left and down (partly under the label).
    EXPECT_GE(shadow.left, 105);
    EXPECT_GE(shadow.top, 107);
    EXPECT_EQ(shadow.left, label.left - 1);
}

TEST_F(TacticalSymbols, TheRingIsACircleSeventeenPixelsAcrossWithItsShadow) {
    Canvas c = symbol(2, kCategoryShip, 0.0, 0.0, 1);
    EXPECT_EQ(inkBox(c, kHostile), (Rect{12, 12, 29, 29}));
    EXPECT_EQ(inkBox(c, kBlack), (Rect{11, 13, 28, 30}));
    // Closed: the rows of its widest part reach both sides, the east point where the arc starts
    // and ends included.
    for (int y = 18; y <= 22; ++y) {
        const Rect row = inkBox(c, kHostile, {0, y, 40, y + 1});
        EXPECT_EQ(row.left, 12) << y;
        EXPECT_EQ(row.right, 29) << y;
    }
}

TEST_F(TacticalSymbols, KindsAreDrawnAsTheirCategories) {
    const int expected[] = {kCategoryPlane, kCategoryPlane, kCategoryShip, kCategorySub,
                            kCategorySub,   kCategoryRock,  kCategoryOther};
    for (int kind = 0; kind < 9; ++kind) {
        const int category = kind < 7 ? expected[kind] : kind;
        Canvas byKind(40, 40, kSea), byCategory(40, 40, kSea);
        worldDrawSymbolForKind(*byKind.dc, 0, 20, 20, 4, kind, 30.0, 3.0, nullptr);
        worldDrawTacticalSymbol(*byCategory.dc, 0, 20, 20, 4, category, 30.0, 3.0, nullptr);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(byKind.at(x, y), byCategory.at(x, y)) << "kind " << kind << " at " << x << "," << y;
    }
}

// A chart repaints a symbol's bounds when it moves: they hold all it draws, whatever its course and
// speed, its label and shadow too, and no more than it draws heading each way at full leader.
TEST_F(TacticalSymbols, TheBoundsHoldEveryPixelOfTheSymbolAtAnyCourseAndSpeed) {
    for (int affiliation = 0; affiliation < 8; ++affiliation)
        for (int category = 0; category < 13; ++category)
            for (const char* label : {static_cast<const char*>(nullptr), "S255"}) {
                const Rect bounds = worldTacticalSymbolBounds(affiliation, category, label).offsetBy(40, 40);
                Rect everyWay{};
                for (double course = 0.0; course < 360.0; course += 45.0)
                    for (double speed : {0.0, 3.0, 30.0}) {
                        Canvas c(80, 80, kSea);
                        worldDrawTacticalSymbol(*c.dc, 0, 40, 40, affiliation, category, course, speed,
                                                label);
                        const Rect drawn = inkBox(c, kSea, {}, true);
                        ASSERT_EQ(drawn.united(bounds), bounds)
                            << affiliation << " " << category << " " << (label ? label : "") << " at "
                            << course << " degrees, " << speed << " knots";
                        everyWay = everyWay.united(drawn);
                    }
                EXPECT_EQ(everyWay, bounds) << affiliation << " " << category << " " << (label ? label : "");
            }
}

TEST_F(TacticalSymbols, ThePenAndAlignmentAreGivenBackAndTheSymbolFontStays) {
    Canvas c(40, 40, kSea);
    const Pen pen = createPen(PenStyle::Dash, 1, rgb(1, 2, 3));
    c.dc->selectPen(pen);
    c.dc->setTextAlign(kTaRight | kTaBottom);
    worldDrawTacticalSymbol(*c.dc, 1, 20, 20, 1, kCategoryShip, 0.0, 5.0, "A");
    EXPECT_EQ(c.dc->pen(), pen);
    EXPECT_EQ(c.dc->textAlign(), kTaRight | kTaBottom);
    EXPECT_EQ(c.dc->font(), appInterfaceFont(3));
}

} // namespace
} // namespace q71
