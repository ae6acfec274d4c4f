#include "framework/widgets/weapon_selector.h"
#include "switch_fixture.h"

#include <filesystem>
#include <set>
#include <vector>

namespace q71 {
namespace {

using Commands = test::WidgetFixture::Commands;

// Six frames of distinct colours.
const std::vector<ColorRef> kSix{test::kRed,    test::kGreen, test::kBlue,
                                 test::kYellow, test::kGrey,  rgb(248, 248, 248)};

// A selector that takes only the positions it is told and logs its confirmations.
class Choosy : public WeaponSelector {
public:
    using WeaponSelector::WeaponSelector;
    bool acceptPosition(int index) override { return accepted.empty() || accepted.count(index) > 0; }
    void confirmPosition(int positionPlusOne) override { confirmed.push_back(positionPlusOne); }
    std::set<int> accepted;
    std::vector<int> confirmed;
};

class Selectors : public test::SwitchFixture {
protected:
    Selectors() { writeStrip("weapon.bmp", 30, 20, kSix); }
    Choosy* selector(int id = 51, int x = 100) {
        return new Choosy(screen->window(), "weapon.bmp", id, x, 100, 30, 20, 6);
    }
    // A click and the whole blink after it.
    void clickAndSettle(Point at) {
        clickAt(at);
        run(500 + 7 * 250);
    }
};

TEST_F(Selectors, EvenPositionsStepByTwoOddOnesByOneAndEachReleaseSettlesOnePositionOn) {
    Choosy* s = selector();
    EXPECT_EQ(s->position(), 1);
    s->select(0);
    std::vector<int> pressed;
    std::vector<int> settled;
    for (int i = 0; i < 3; ++i) {
        press({110, 110});
        pressed.push_back(s->position());
        EXPECT_EQ(screenPixel(110, 110), kSix[static_cast<std::size_t>(s->position())]);
        release({110, 110});
        run(500 + 7 * 250);
        settled.push_back(s->position());
    }
    EXPECT_EQ(pressed, (std::vector<int>{2, 4, 0}));
    EXPECT_EQ(settled, (std::vector<int>{3, 5, 1}));
    EXPECT_EQ(s->confirmed, (std::vector<int>{3, 5, 1}));
    EXPECT_EQ(commands(), (Commands{{51, 1}, {51, 2}, {51, 1}, {51, 2}, {51, 1}, {51, 2}}));
    clickAt({110, 110});
    EXPECT_EQ(s->position(), 2) << "from 1 it goes to 2";
}

TEST_F(Selectors, TheBlinkAlternatesTheFramesEitherSideAndIgnoresClicks) {
    Choosy* s = selector();
    s->select(4);
    clickAt({110, 110}); // to 0, whose frame before is the last
    EXPECT_TRUE(s->isBlinking());
    std::vector<ColorRef> seen;
    advance(500);
    seen.push_back(screenPixel(110, 110));
    for (int i = 0; i < 6; ++i) {
        clickAt({110, 110});
        advance(250);
        seen.push_back(screenPixel(110, 110));
    }
    EXPECT_EQ(seen, (std::vector<ColorRef>{kSix[5], kSix[1], kSix[5], kSix[1], kSix[5], kSix[1], kSix[5]}));
    EXPECT_EQ(commands(), (Commands{{51, 1}}));
    advance(250);
    EXPECT_FALSE(s->isBlinking());
    EXPECT_EQ(s->position(), 1);
    EXPECT_EQ(screenPixel(110, 110), kSix[1]);
    EXPECT_EQ(commands(), (Commands{{51, 1}, {51, 2}}));
}

TEST_F(Selectors, RefusedPositionsAreSkippedAndAClickWithNoneToTakeDoesNothing) {
    Choosy* s = selector();
    s->accepted = {1, 4};
    s->select(0);
    press({110, 110});
    EXPECT_EQ(s->position(), 4) << "2 is refused";
    release({110, 110});
    run(3000);
    s->accepted = {3};
    s->select(0);
    clickAndSettle({110, 110});
    EXPECT_EQ(s->position(), 0) << "odd positions are never reached from an even one";
    EXPECT_EQ(commands(), (Commands{{51, 1}, {51, 2}}));
}

TEST_F(Selectors, FromTheLastPositionAClickWrapsToTheFirst) {
    Choosy* s = selector();
    s->setUserValue(1);
    s->selectLast();
    EXPECT_EQ(s->position(), 5);
    clickAt({110, 110});
    EXPECT_EQ(s->position(), 0);
    run(500 + 250);
    EXPECT_EQ(s->position(), 1);
    EXPECT_EQ(commands(), (Commands{{51, 1}, {51, 2}}));
}

TEST_F(Selectors, ASetStateShowsTheFrameOfThePositionItSets) {
    Choosy* s = selector();
    s->setState(2);
    EXPECT_EQ(s->position(), 2);
    EXPECT_EQ(s->currentFrame(), s->frame(2));
    s->setState(1);
    EXPECT_EQ(s->currentFrame(), s->frame(1));
    s->setState(6);
    EXPECT_EQ(s->position(), 1) << "no such position";
}

TEST_F(Selectors, AllSelectorsShowOneStripLoadedByTheFirstAndFreedWithTheLast) {
    Choosy* first = selector(51, 100);
    std::filesystem::remove(art.file("weapon.bmp"));
    Choosy* second = selector(52, 200); // no file to read: it shares the first one's strip
    delete first;
    second->select(2);
    clickAt({210, 110});
    EXPECT_EQ(screenPixel(210, 110), kSix[4]);
    delete second;
    writeStrip("weapon.bmp", 30, 20,
               {test::kBlue, test::kBlue, test::kBlue, test::kBlue, test::kBlue, test::kBlue});
    selector(53, 300);
    clickAt({310, 110});
    EXPECT_EQ(screenPixel(310, 110), test::kBlue) << "the last one freed the old strip, the next reads anew";
}

TEST_F(Selectors, SelectorsOfAnotherStripShowTheirOwn) {
    writeStrip("decoy.bmp", 30, 20,
               {test::kBlue, test::kBlue, test::kBlue, test::kBlue, test::kBlue, test::kBlue});
    Choosy* weapon = selector(51, 100);
    auto* decoy = new Choosy(screen->window(), "decoy.bmp", 52, 200, 100, 30, 20, 6);
    weapon->select(2);
    decoy->select(2);
    clickAt({110, 110});
    clickAt({210, 110});
    EXPECT_EQ(screenPixel(110, 110), kSix[4]);
    EXPECT_EQ(screenPixel(210, 110), test::kBlue) << "not the first selector's strip";
}

using SelectorsDeathTest = Selectors;

TEST_F(SelectorsDeathTest, AStripThatCannotBeReadIsFatal) {
    std::filesystem::remove(art.file("weapon.bmp"));
    EXPECT_DEATH(selector(), "");
}

} // namespace
} // namespace q71
