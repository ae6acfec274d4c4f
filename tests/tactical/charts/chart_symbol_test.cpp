// Chart symbols on views: attaching, moving, several views, destruction from either side, and
// the copies drawn on a grid that wraps.

#include "chart_fixture.h"

#include "tactical/charts/chart_symbol.h"
#include "tactical/charts/chart_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace q71::test {
namespace {

// A symbol that notes where it is drawn and may act while drawing.
class NotingSymbol : public ChartSymbol {
public:
    using ChartSymbol::ChartSymbol;
    void draw(DeviceContext&, ChartView&, int x, int y, ChartViewRecord& record) override {
        drawnAt.push_back({x, y});
        record.right = grownRight;
        if (whileDrawing)
            whileDrawing();
    }
    std::vector<Point> drawnAt;
    int grownRight = 10;
    std::function<void()> whileDrawing;
};

class ChartSymbolTest : public ChartFixture {
protected:
    std::unique_ptr<ChartView> makeView(const DemGrid* g, int x = 0) {
        auto view = std::make_unique<ChartView>(mainWindow, x, 0, 300, 150, g);
        settle();
        return view;
    }
    std::unique_ptr<DemGrid> grid = makeHillyGrid(false);
};

TEST_F(ChartSymbolTest, AttachingTwiceShowsTheSymbolOnce) {
    auto view = makeView(grid.get());
    NotingSymbol symbol(30.0, 20.0, nullptr, view.get(), false);
    symbol.attach(view.get());
    symbol.attach(nullptr);
    EXPECT_EQ(symbol.views().size(), 1u);
    settle();
    EXPECT_EQ(symbol.drawnAt.size(), 1u);
    EXPECT_EQ(symbol.drawnAt.front(), view->getTransform().toPixel(30.0, 20.0));
}

TEST_F(ChartSymbolTest, MovingToTheSamePlaceRepaintsNothing) {
    auto view = makeView(grid.get());
    NotingSymbol plain(30.0, 20.0, nullptr, view.get(), false);
    NotingSymbol geographic(46.0, 79.0, nullptr, view.get(), true);
    settle();
    ASSERT_TRUE(nothingInvalid(view->window()));
    plain.moveTo(30.0, 20.0, nullptr);
    geographic.moveTo(46.0, 79.0, nullptr);
    EXPECT_TRUE(nothingInvalid(view->window()));
    // A changed record is a change.
    plain.moveToBox(30.0, 20.0, -10, 10, -10, 12);
    EXPECT_FALSE(nothingInvalid(view->window()));
}

TEST_F(ChartSymbolTest, RecordsChangedWhileDrawingAreKept) {
    auto view = makeView(grid.get());
    NotingSymbol symbol(30.0, 20.0, nullptr, view.get(), false);
    symbol.grownRight = 40; // a label beside it
    settle();
    EXPECT_EQ(symbol.record().right, 40);
}

TEST_F(ChartSymbolTest, OneSymbolOnTwoViews) {
    auto left = makeView(grid.get(), 0);
    auto right = makeView(grid.get(), 320);
    NotingSymbol symbol(30.0, 20.0, nullptr, left.get(), false);
    symbol.attach(right.get());
    settle();
    EXPECT_EQ(symbol.drawnAt.size(), 2u);
    symbol.moveTo(31.0, 20.0, nullptr);
    EXPECT_FALSE(nothingInvalid(left->window()));
    EXPECT_FALSE(nothingInvalid(right->window()));
    settle();
    symbol.detach(left.get());
    symbol.drawnAt.clear();
    left->invalidateImage(false);
    right->invalidateImage(false);
    settle();
    EXPECT_EQ(symbol.drawnAt.size(), 1u);
    EXPECT_EQ(symbol.views(), std::vector<ChartView*>{right.get()});
}

TEST_F(ChartSymbolTest, EitherSideMayGoFirst) {
    {
        auto view = makeView(grid.get());
        auto symbol = std::make_unique<NotingSymbol>(30.0, 20.0, nullptr, view.get(), false);
        view.reset();
        EXPECT_TRUE(symbol->views().empty());
        symbol->moveTo(10.0, 10.0, nullptr); // tells no view
    }
    {
        auto view = makeView(grid.get());
        auto symbol = std::make_unique<NotingSymbol>(30.0, 20.0, nullptr, view.get(), false);
        symbol.reset();
        view->invalidateImage(false);
        settle(); // draws no symbol that is gone
    }
    // A symbol that deletes another one, and then its view, while it is drawn.
    auto view = makeView(grid.get());
    auto victim = std::make_unique<NotingSymbol>(31.0, 20.0, nullptr, view.get(), false);
    NotingSymbol killer(30.0, 20.0, nullptr, nullptr, false);
    killer.attach(view.get()); // drawn first: newest first
    killer.whileDrawing = [&] {
        victim.reset();
        view.reset();
    };
    settle();
    EXPECT_EQ(killer.drawnAt.size(), 1u);
    EXPECT_TRUE(killer.views().empty());
}

TEST_F(ChartSymbolTest, CopiesOnBothSidesOfAWrappingSeam) {
    auto wrapping = makeHillyGrid(true);
    auto view = makeView(wrapping.get());
    // The largest scale over the seam shows more than one period of 60 columns.
    view->setView(0.0, 20.0, 1000.0, 1);
    const ChartTransform t = view->getTransform();
    ASSERT_GT(t.extentX, 60.0);
    NotingSymbol symbol(30.0, 20.0, nullptr, view.get(), false);
    settle();
    ASSERT_EQ(symbol.drawnAt.size(), 2u);
    const int period = static_cast<int>(std::lround(60.0 / t.unitsX));
    EXPECT_NEAR(std::abs(symbol.drawnAt[0].x - symbol.drawnAt[1].x), period, 1);
    EXPECT_EQ(symbol.drawnAt[0].y, symbol.drawnAt[1].y);
}

TEST_F(ChartSymbolTest, AGeographicSymbolThatCannotBePlacedIsNotDrawn) {
    auto view = makeView(grid.get());
    NotingSymbol lost(std::numeric_limits<double>::quiet_NaN(), 79.0, nullptr, view.get(), true);
    NotingSymbol centre(46.0, 79.0, nullptr, view.get(), true);
    settle();
    EXPECT_TRUE(lost.drawnAt.empty());
    ASSERT_EQ(centre.drawnAt.size(), 1u);
    // The grid is centred on 46 N 79 E: the symbol stands at its middle.
    EXPECT_EQ(centre.drawnAt.front(), view->getTransform().toPixel(30.0, 20.0));
}

} // namespace
} // namespace q71::test
