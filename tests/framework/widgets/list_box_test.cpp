#include "framework/widgets/list_box.h"
#include "platform/controls/control_messages.h"
#include "platform/window/message_ids.h"
#include "platform/window/focus.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "widget_fixture.h"

#include <string>

namespace q71 {
namespace {

using test::kBlue;
using test::kGreen;
using test::kRed;

constexpr int kId = 31;
constexpr ColorRef kBlack = rgb(0, 0, 0);
constexpr ColorRef kWhite = rgb(248, 252, 248);
constexpr WParam kSelChange = (LBN_SELCHANGE << 16) | kId;

class ListBoxes : public test::WidgetFixture {
protected:
    ListBox& list(bool bitmaps = false, bool highlight = true, bool check = false) {
        auto* l = new ListBox(mainWindow, kId, 50, 50, 200, 150, nullptr, nullptr, bitmaps, highlight, check);
        pump();
        return *l;
    }
    // Where an item lies on the screen.
    Rect itemOnScreen(const ListBox& l, int index) {
        Rect r;
        messageSend(l.listWindow(), LB_GETITEMRECT, static_cast<WParam>(index), reinterpret_cast<LParam>(&r));
        return r.offsetBy(50, 50);
    }
    std::vector<test::Received> commandsReceived() {
        auto out = receivedBy(mainWindow, WM_COMMAND);
        received.clear();
        return out;
    }
    static int extent(const ListBox& l) {
        return static_cast<int>(messageSend(l.listWindow(), LB_GETHORIZONTALEXTENT, 0, 0));
    }
};

TEST_F(ListBoxes, ItemsKeepTheirTextsAndValuesAndAChosenItemIsReported) {
    ListBox& l = list();
    EXPECT_EQ(l.addItem("alpha", "", false, 0, 0, 11), 0);
    EXPECT_EQ(l.addItem("bravo", "", false, 0, 0, 22), 1);
    EXPECT_EQ(l.addItem("charlie", "", false, 0, 0, 33), 2);
    EXPECT_EQ(l.getItemValue(1), 22u);
    EXPECT_EQ(l.getItemValue(3), 0u);
    EXPECT_EQ(l.getItemValue(-1), 0u);

    std::string text = "untouched";
    EXPECT_EQ(l.getSelectedText(text), 0);
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(l.getCurSel(), -1);

    received.clear();
    l.setCurSel(2);
    auto said = commandsReceived();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].wParam, kSelChange);
    EXPECT_EQ(said[0].lParam, 0);
    EXPECT_EQ(l.getSelectedText(text), 1);
    EXPECT_EQ(text, "charlie");

    l.deleteItem(0);
    EXPECT_EQ(l.getItemValue(0), 22u);
    EXPECT_EQ(l.count(), 2);
    l.clear();
    EXPECT_EQ(l.count(), 0);
    EXPECT_EQ(l.getSelectedText(text), 0);
}

TEST_F(ListBoxes, AClickOnAnItemReachesTheParentAsTheListSaidIt) {
    ListBox& l = list();
    l.addItem("alpha", "", false, 0, 0, 1);
    l.addItem("bravo", "", false, 0, 0, 2);
    received.clear();
    Rect second = itemOnScreen(l, 1);
    clickAt({second.left + 5, second.top + 2});
    auto said = commandsReceived();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].wParam, kSelChange);
    EXPECT_EQ(said[0].lParam, static_cast<LParam>(static_cast<std::uint32_t>(l.listWindow())));
    EXPECT_EQ(l.getCurSel(), 1);

    // The pointer over the list gives it the keys.
    display.moveMouse({60, 60});
    pump();
    ASSERT_EQ(focusGet(), l.listWindow());
    display.typeKey(VK_UP);
    pump();
    EXPECT_EQ(l.getCurSel(), 0);
    EXPECT_EQ(commandsReceived().size(), 1u);
}

TEST_F(ListBoxes, TheScrollWidthFollowsTheWidestItem) {
    ListBox& plain = list();
    plain.addItem("i", "", false, 0, 0, 0);
    const int narrow = extent(plain);
    plain.addItem("a much longer line of text", "", false, 7, 0, 0);
    const int wide = extent(plain);
    EXPECT_GT(wide, narrow + 7);
    plain.addItem("i", "", false, 0, 0, 0);
    EXPECT_EQ(extent(plain), wide);
    plain.deleteItem(1);
    EXPECT_EQ(extent(plain), narrow);

    ListBox& checks = list(false, true, true);
    checks.addItem("i", "", false, 0, 0, 0);
    EXPECT_EQ(extent(checks), narrow + 30);
}

TEST_F(ListBoxes, ItemsShowTheirCheckBoxesBitmapsAndTheHighlightedSelection) {
    writeBitmap("tall.bmp", 20, 30, 24, [](int, int) { return kRed; });
    writeBitmap("low.bmp", 20, 10, 24, [](int, int) { return kGreen; });
    ListBox& l = list(true, true, true);
    l.addItem("tall", "tall.bmp", true, 25, ListBox::kBitmapCentred, 0);
    l.addItem("top", "low.bmp", false, 25, ListBox::kBitmapTop, 0);
    l.loadResources();
    EXPECT_EQ(l.itemHeight(), 30);
    l.addItem("bottom", "low.bmp", false, 25, ListBox::kBitmapBottom, 0);
    pump();

    const Rect tall = itemOnScreen(l, 0);
    const Rect top = itemOnScreen(l, 1);
    const Rect bottom = itemOnScreen(l, 2);
    EXPECT_EQ(top.height(), 30);
    EXPECT_EQ(inkBounds(tall, kRed), (Rect{tall.left + 31, tall.top, tall.left + 51, tall.top + 30}));
    EXPECT_EQ(inkBounds(top, kGreen), (Rect{top.left + 31, top.top, top.left + 51, top.top + 10}));
    EXPECT_EQ(inkBounds(bottom, kGreen), (Rect{bottom.left + 31, bottom.top + 20, bottom.left + 51, bottom.top + 30}));

    // The check boxes: 10 by 10 in the middle of the item's height, ticked when checked.
    const auto inside = [](Rect item) {
        const int boxTop = item.top + 15 - 5;
        return Rect{item.left + 3, boxTop + 1, item.left + 11, boxTop + 9};
    };
    EXPECT_FALSE(inkBounds(inside(tall), kBlack).isEmpty());
    EXPECT_TRUE(inkBounds(inside(top), kBlack).isEmpty());
    EXPECT_FALSE(inkBounds(inside(top), kWhite).isEmpty());

    EXPECT_TRUE(inkBounds(top, kBlue).isEmpty());
    l.setCurSel(1);
    pump();
    EXPECT_EQ(screenPixel(top.left + 25, top.top + 25), kBlue);
    EXPECT_NE(screenPixel(tall.left + 25, tall.top + 25), kBlue);
}

TEST_F(ListBoxes, WithoutHighlightingASelectedItemLooksLikeTheOthers) {
    ListBox& l = list(false, false);
    l.addItem("alpha", "", false, 0, 0, 0);
    l.setCurSel(0);
    pump();
    EXPECT_TRUE(inkBounds(itemOnScreen(l, 0), kBlue).isEmpty());
}

} // namespace
} // namespace q71
