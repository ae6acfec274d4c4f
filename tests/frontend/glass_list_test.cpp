// A glass list given new rows: made from a range of items, or replacing the rows while the
// player's selection stays where it was; its scroll bar only while the rows overflow, the wheel
// and the bar moving the rows shown, and the keys moving the selection. The lists of the front
// end's screens write every row whole, in letters a player reads.
#include "frontend/glass_list.h"
#include "framework/app/screen_manager.h"
#include "framework/widgets/scroller.h"
#include "frontend/frontend_services.h"
#include "frontend/login/login_screen.h"
#include "frontend/options/options_screen.h"
#include "frontend/selection/sor_tsel.h"
#include "frontend_fixture.h"
#include "sim/scoring/player_roster.h"
#include "sim/simulation/mission_state.h"
#include "platform/window/message_ids.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"
#include "support/headless_windows.h"
#include "support/screen_picture.h"
#include "whole_letters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace q71::test {
namespace {

std::vector<std::string> numbered(int count) {
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back("row " + std::to_string(i));
    return rows;
}

class GlassListRows : public HeadlessWindows {
protected:
    WindowHandle screen = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    GlassList list{screen, 7, Rect{10, 10, 210, 110}};
};

TEST_F(GlassListRows, RowsAreMadeOneForEachItemByAMemberOrAFunction) {
    struct Item {
        std::string name;
        int number;
    };
    const std::vector<Item> items{{"Akula", 3}, {"Kilo", 1}, {"Oscar", 2}};
    list.select(-1);
    list.setRowsOf(items, &Item::name);
    EXPECT_EQ(list.rows(), (std::vector<std::string>{"Akula", "Kilo", "Oscar"}));
    list.select(2);
    list.setRowsOf(items, [](const Item& item) { return std::to_string(item.number * 10); });
    EXPECT_EQ(list.rows(), (std::vector<std::string>{"30", "10", "20"}));
    EXPECT_EQ(list.selected(), -1) << "new rows start with none selected";
    list.setRowsOf(std::vector<Item>{}, &Item::name);
    EXPECT_TRUE(list.rows().empty());
}

TEST_F(GlassListRows, ReplacedRowsKeepTheSelectedRowInViewWhileItStillExists) {
    const struct Case {
        int before, selected, after;
        int expected;
    } cases[] = {
        {40, 35, 40, 35}, // far down the list: still selected, scrolled into view
        {40, 35, 36, 35}, // the last row of the new ones
        {40, 35, 35, -1}, // the rows end before it
        {5, 0, 5, 0},     {5, -1, 5, -1}, {5, 2, 0, -1},
    };
    for (const Case& c : cases) {
        list.setRows(numbered(c.before));
        list.select(c.selected);
        list.replaceRows(numbered(c.after));
        EXPECT_EQ(list.rows().size(), static_cast<std::size_t>(c.after));
        EXPECT_EQ(list.selected(), c.expected)
            << c.before << " rows, " << c.selected << " selected, " << c.after;
        if (c.expected >= 0) {
            EXPECT_LE(list.firstVisible(), c.expected);
            EXPECT_LT(c.expected, list.firstVisible() + list.visibleRows());
        } else {
            EXPECT_EQ(list.firstVisible(), 0);
        }
    }
}

TEST_F(GlassListRows, OnlyAListOfMoreRowsThanItShowsHasABar) {
    const int shown = list.visibleRows();
    list.setRows(numbered(shown));
    EXPECT_EQ(list.scrollBar(), nullptr) << "every row shows";
    list.setRows(numbered(shown + 1));
    Scroller* bar = list.scrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(windowIsVisible(bar->window()));
    EXPECT_EQ(windowGetParent(bar->window()), screen);
    const Rect barRect = windowGetRect(bar->window());
    EXPECT_TRUE(barRect.left >= 10 && barRect.right <= 210 && barRect.top >= 10 && barRect.bottom <= 110)
        << "inside the list's glass";
    list.hide();
    EXPECT_FALSE(windowIsVisible(bar->window())) << "hidden with its list";
    list.show();
    EXPECT_TRUE(windowIsVisible(bar->window()));
    list.setRows(numbered(2));
    EXPECT_FALSE(windowIsVisible(bar->window())) << "the rows fit again";
}

TEST_F(GlassListRows, TheWheelAndTheBarMoveTheRowsShownAndLeaveTheSelection) {
    list.setRows(numbered(20));
    const int last = 20 - list.visibleRows();
    list.select(1);
    EXPECT_TRUE(list.onMouseWheel(-120));
    EXPECT_EQ(list.firstVisible(), 3) << "three rows a notch towards the user";
    EXPECT_EQ(list.selected(), 1);
    list.onMouseWheel(-1200);
    EXPECT_EQ(list.firstVisible(), last) << "the last page stays full";
    list.onMouseWheel(120);
    EXPECT_EQ(list.firstVisible(), last - 3);
    // The bar's report of its position, and only its own.
    list.onVScroll(2, static_cast<LParam>(99));
    EXPECT_EQ(list.firstVisible(), last - 3);
    list.onVScroll(2, static_cast<LParam>(7));
    EXPECT_EQ(list.firstVisible(), 2);
    list.scrollTo(5);
    EXPECT_EQ(list.scrollBar()->getPosition(), 5) << "the bar follows the rows shown";
}

TEST_F(GlassListRows, TheKeysMoveTheSelectionIntoViewAndTellTheParent) {
    list.setRows(numbered(20));
    const int page = list.visibleRows();
    const std::pair<std::uint32_t, int> walk[] = {
        {VK_DOWN, 0}, {VK_DOWN, 1}, {VK_NEXT, 1 + page}, {VK_END, 19}, {VK_DOWN, 19},
        {VK_PRIOR, 19 - page}, {VK_UP, 18 - page}, {VK_HOME, 0}, {VK_UP, 0},
    };
    for (const auto& [key, row] : walk) {
        EXPECT_TRUE(list.navigate(static_cast<int>(key)));
        EXPECT_EQ(list.selected(), row) << key;
        EXPECT_LE(list.firstVisible(), row);
        EXPECT_LT(row, list.firstVisible() + page);
    }
    pump();
    EXPECT_EQ(receivedBy(screen, WM_COMMAND).size(), std::size(walk)) << "each move is told as a click";
    EXPECT_FALSE(list.navigate(static_cast<int>(VK_LEFT)));
    EXPECT_EQ(list.onKeyDown(VK_DOWN, 0), 0) << "a list takes the keys its screen leaves only when asked to";
    list.takeKeys();
    EXPECT_EQ(list.onKeyDown(VK_DOWN, 0), 1);
    EXPECT_EQ(list.selected(), 1);
    list.setRows({});
    EXPECT_FALSE(list.navigate(static_cast<int>(VK_DOWN))) << "an empty list";
}

using FrontEndLists = FrontEndFixture;

TEST_F(FrontEndLists, TheRosterTheMissionListsAndTheOptionsWriteEveryRowWholeInLettersAPlayerReads) {
    // The roster, with a name as long as the login takes, which no line of the list holds.
    const std::string longName = "Capitaine de fr\xE9gate Jean-Baptiste de La Tour d'Auvergne, dit le Corsaire";
    for (const auto& [name, number] : {std::pair{std::string("Marin"), 42}, {longName, 7}}) {
        ASSERT_EQ(playerDbChoose(name, number), RosterStatus::Ok);
        playerDbRelease();
    }
    const auto settle = [this] { pump(); };
    screenCreate(kSlotLogin);
    screenSwitch(kSlotLogin);
    pump();
    auto& login = *static_cast<LoginScreen*>(screenGet(kSlotLogin));
    expectRowsWholeAndLegible(*login.rosterList(), settle);
    saveScreenPicture("login-long-name");
    EXPECT_GT(login.rosterList()->rowLines(1).size(), 1u) << "the long name on more than one line";
    screenDestroy(kSlotLogin);

    ASSERT_EQ(playerDbChoose("Marin", 42), RosterStatus::Ok);
    for (const int mode : {kMissionModeTutorial, kMissionModeSingle, kMissionModeCampaign}) {
        screenCreate(kSlotMissionSelection, mode);
        screenSwitch(kSlotMissionSelection);
        pump();
        expectRowsWholeAndLegible(*static_cast<SorTsel*>(screenGet(kSlotMissionSelection))->list(), settle);
        screenDestroy(kSlotMissionSelection);
    }
    screenCreateOptions(kOptionsBackToMenu);
    screenSwitch(kSlotOptions);
    pump();
    auto& options = *static_cast<OptionsScreen*>(screenGet(kSlotOptions));
    for (int page = 0; page < kOptionsPageCount; ++page) {
        options.showPage(static_cast<OptionsPage>(page));
        pump();
        expectRowsWholeAndLegible(*options.lines(), settle);
    }
}

} // namespace
} // namespace q71::test
