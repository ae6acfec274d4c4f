#include "framework/widgets/simple_button.h"
#include "framework/widgets/super_list_box.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"
#include "widget_fixture.h"

#include <string>

namespace q71 {
namespace {

using test::kBlue;
using test::kGrey;
using test::kRed;
using test::kYellow;

constexpr int kId = 41;
const char* const kNames[] = {"Akula", "Victor", "Oscar", "Kilo"};

class SuperListBoxes : public test::WidgetFixture {
protected:
    SuperListBoxes() { writeStrip("drop.bmp", 16, 20, {kGrey, kBlue, kYellow}); }

    SuperListBox& box(std::uint32_t style = CBS_DROPDOWNLIST) {
        auto* b = new SuperListBox(mainWindow, kId, style | WS_VSCROLL, 50, 50, 150, 120, nullptr, nullptr,
                                   "drop.bmp", 16, 20, false, false);
        for (const char* name : kNames)
            b->addString(name);
        pump();
        received.clear();
        return *b;
    }
    static WindowHandle dropList() { return windowFind("ComboLBox"); }
    static bool dropped(const SuperListBox& b) {
        return messageSend(b.comboWindow(), CB_GETDROPPEDSTATE, 0, 0) != 0;
    }
    // A point on an item of the dropped list, on the screen.
    static Point onItem(int index) {
        Rect item{};
        messageSend(dropList(), LB_GETITEMRECT, static_cast<WParam>(index), reinterpret_cast<LParam>(&item));
        return windowClientToScreen(dropList(), {item.left + 5, (item.top + item.bottom) / 2});
    }
    // The notifications that reached the parent since the last call, as (wParam, lParam).
    Commands said() {
        Commands out = commands();
        received.clear();
        return out;
    }
    static constexpr Point kButton{50 + 150 - 8, 60};
};

TEST_F(SuperListBoxes, ItemsAreFoundByTextAndByData) {
    SuperListBox& b = box();
    EXPECT_EQ(b.getCount(), 4);
    EXPECT_EQ(b.getItemText(1), "Victor");
    EXPECT_EQ(b.getItemText(9), "");
    for (int i = 0; i < 4; ++i)
        b.setItemData(i, i % 2 ? 7 : 8);
    EXPECT_EQ(b.getItemData(2), 8);
    EXPECT_EQ(b.findItemData(7, 0), 1);
    EXPECT_EQ(b.findItemData(7, 2), 3);
    EXPECT_EQ(b.findItemData(7, 4), -1);
    EXPECT_EQ(b.findItemData(7, 40), -1);
    EXPECT_EQ(b.findItemData(9, 0), -1);

    EXPECT_EQ(b.findStringExact("Oscar"), 2);
    EXPECT_EQ(b.findStringExact("Osc"), -1);
    EXPECT_TRUE(b.removeString("Victor"));
    EXPECT_FALSE(b.removeString("Victor"));
    EXPECT_EQ(b.getItemText(1), "Oscar");
    b.deleteString(0);
    EXPECT_EQ(b.getCount(), 2);

    // Choosing by program shows the item and tells no one.
    b.setCurSel(1);
    EXPECT_EQ(b.getCurSel(), 1);
    EXPECT_EQ(b.getText(), "Kilo");
    pump();
    EXPECT_TRUE(said().empty());
    b.resetContent();
    EXPECT_EQ(b.getCount(), 0);
    EXPECT_EQ(b.getCurSel(), -1);
}

TEST_F(SuperListBoxes, TheButtonDropsTheListAndAChoiceReachesTheParent) {
    SuperListBox& b = box();
    ASSERT_NE(b.dropButton(), nullptr);
    EXPECT_EQ(screenPixel(kButton.x, kButton.y), kGrey);
    clickAt(kButton);
    ASSERT_TRUE(dropped(b));
    EXPECT_EQ(screenPixel(kButton.x, kButton.y), kBlue); // down while the list is open
    clickAt(onItem(2));
    EXPECT_FALSE(dropped(b));
    EXPECT_EQ(b.getText(), "Oscar");
    const auto combo = static_cast<LParam>(static_cast<std::uint32_t>(b.comboWindow()));
    EXPECT_EQ(said(), (Commands{{(CBN_SELCHANGE << 16) | kId, combo}}));
    EXPECT_EQ(screenPixel(kButton.x, kButton.y), kGrey);

    // Closed without a choice, the list says nothing; the button comes up when the pointer
    // comes back over the box.
    clickAt(kButton);
    ASSERT_TRUE(dropped(b));
    clickAt({600, 400});
    EXPECT_FALSE(dropped(b));
    EXPECT_TRUE(said().empty());
    display.moveMouse({60, 60});
    pump();
    EXPECT_EQ(screenPixel(kButton.x, kButton.y), kGrey);
}

TEST_F(SuperListBoxes, ADropListTakesNoTypingAndADropDownReportsEdits) {
    SuperListBox& list = box();
    list.setCurSel(0);
    focusSet(list.editWindow());
    display.typeKey('X', 'x');
    display.typeKey(VK_BACK);
    display.typeKey(VK_DOWN);
    pump();
    EXPECT_EQ(list.getText(), "Akula");
    EXPECT_EQ(list.getCurSel(), 0);
    EXPECT_TRUE(said().empty());
    delete &list;

    SuperListBox& edit = box(CBS_DROPDOWN);
    ASSERT_TRUE(windowIsValid(edit.editWindow()));
    focusSet(edit.editWindow());
    display.typeKey('K', 'K');
    pump();
    EXPECT_EQ(edit.getText(), "K");
    const auto combo = static_cast<LParam>(static_cast<std::uint32_t>(edit.comboWindow()));
    EXPECT_EQ(said(), (Commands{{(CBN_EDITCHANGE << 16) | kId, combo}}));
}

TEST_F(SuperListBoxes, EnterAndTabCanGoToTheWidgetInsteadOfTheField) {
    SuperListBox& b = box(CBS_DROPDOWN);
    b.setForwardEnterTab(true);
    focusSet(b.editWindow());
    received.clear();
    display.typeKey(VK_TAB);
    display.typeKey(VK_RETURN);
    pump();
    // The widget leaves keys it does not use to its parent.
    std::vector<WParam> keys;
    for (const auto& r : receivedBy(mainWindow, WM_KEYDOWN))
        keys.push_back(r.wParam);
    EXPECT_EQ(keys, (std::vector<WParam>{VK_TAB, VK_RETURN}));
}

TEST_F(SuperListBoxes, ItemsAreDrawnInTheBoxsColoursWithItsFrame) {
    SuperListBox& b = box();
    b.setTextColour(kYellow);
    b.setFrameColour(kRed);
    b.setCurSel(1);
    clickAt(kButton);
    ASSERT_TRUE(dropped(b));
    display.moveMouse(onItem(1));
    pump();
    Rect first{};
    messageSend(dropList(), LB_GETITEMRECT, 0, reinterpret_cast<LParam>(&first));
    const Point corner = windowClientToScreen(dropList(), {first.left, first.top});
    EXPECT_EQ(screenPixel(corner.x, corner.y + 3), kRed);              // the frame's left edge
    EXPECT_EQ(screenPixel(corner.x + 40, corner.y), kRed);             // and its top over item 0
    EXPECT_EQ(screenPixel(corner.x + 100, corner.y + 3), rgb(0, 0, 0)); // the black background
    const Point second = onItem(1);
    EXPECT_EQ(screenPixel(second.x + 100, second.y), kBlue); // the highlighted item
    const Rect ink = inkBounds({corner.x, corner.y, corner.x + 150, corner.y + first.height()}, kYellow);
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left, corner.x + 1);

    // Deleted with its list down, the box takes the list with it.
    delete &b;
    pump();
    EXPECT_FALSE(windowIsValid(dropList()));
}

} // namespace
} // namespace q71
