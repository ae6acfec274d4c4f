// A glass list given new rows: made from a range of items, or replacing the rows while the
// player's selection stays where it was.
#include "frontend/glass_list.h"
#include "platform/window/window_styles.h"
#include "support/headless_windows.h"

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

} // namespace
} // namespace q71::test
