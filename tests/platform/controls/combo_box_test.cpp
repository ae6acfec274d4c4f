#include "control_fixture.h"

#include <algorithm>

#include "platform/controls/control.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/controls/owner_draw.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

namespace q71 {
namespace {

constexpr int kId = 1900;
const char* const kContacts[] = {"Sierra 1", "Sierra 2", "Master 1", "Master 2", "Sierra 3"};

class ComboBoxes : public test::ControlTest {
protected:
    WindowHandle combo(std::uint32_t style, Rect rect = {376, 39, 506, 239}) {
        WindowHandle box = make("COMBOBOX", "", style, rect, kId);
        for (const char* contact : kContacts)
            messageSend(box, CB_ADDSTRING, 0, reinterpret_cast<LParam>(contact));
        pump();
        received.clear();
        return box;
    }
    static WindowHandle dropList() { return windowFind("ComboLBox"); }
    // A point on an item of the dropped list, in screen coordinates.
    static Point onItem(int index) {
        Rect item{};
        messageSend(dropList(), LB_GETITEMRECT, static_cast<WParam>(index), reinterpret_cast<LParam>(&item));
        return windowClientToScreen(dropList(), {item.left + 5, (item.top + item.bottom) / 2});
    }
    static bool dropped(WindowHandle box) { return messageSend(box, CB_GETDROPPEDSTATE, 0, 0) != 0; }
    std::vector<int> notifications() const {
        std::vector<int> codes;
        for (auto [id, code] : commands())
            if (id == kId)
                codes.push_back(code);
        return codes;
    }
};

TEST_F(ComboBoxes, AClickDropsTheListAndAClickOnAnItemChoosesIt) {
    WindowHandle box = combo(CBS_DROPDOWNLIST | WS_VSCROLL);
    EXPECT_LT(windowGetRect(box).height(), 40); // the box is as high as its field
    clickAt(box, {20, 5});
    ASSERT_TRUE(dropped(box));
    WindowHandle list = dropList();
    EXPECT_TRUE(windowIsVisible(list));
    EXPECT_EQ(windowGetRect(list).top, windowGetRect(box).bottom);
    EXPECT_EQ(windowGetRect(list).width(), windowGetRect(box).width());
    EXPECT_EQ(focusGet(), box);
    display.click(onItem(2));
    pump();
    EXPECT_FALSE(dropped(box));
    EXPECT_FALSE(windowIsVisible(list));
    EXPECT_EQ(messageSend(box, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(windowGetText(box), "Master 1");
    EXPECT_EQ(notifications(), (std::vector<int>{CBN_SELCHANGE, CBN_CLOSEUP}));
    EXPECT_EQ(captureGet(), WindowHandle{});
}

TEST_F(ComboBoxes, ThePointerHighlightsWithoutChoosingAndAClickElsewhereCloses) {
    WindowHandle box = combo(CBS_DROPDOWNLIST | WS_VSCROLL);
    messageSend(box, CB_SETCURSEL, 1, 0);
    clickAt(box, {20, 5});
    display.moveMouse(onItem(4));
    pump();
    EXPECT_EQ(messageSend(dropList(), LB_GETCURSEL, 0, 0), 4);
    EXPECT_EQ(messageSend(box, CB_GETCURSEL, 0, 0), 1);
    display.click({5, 5});
    pump();
    EXPECT_FALSE(dropped(box));
    EXPECT_EQ(messageSend(box, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(messageSend(dropList(), LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(notifications(), std::vector<int>{CBN_CLOSEUP}) << "no choice, only the list going up";
    // The click that closed the list went nowhere else.
    EXPECT_TRUE(receivedBy(panel, WM_LBUTTONDOWN).empty());
}

TEST_F(ComboBoxes, DraggingFromTheBoxOntoAnItemChoosesItOnRelease) {
    WindowHandle box = combo(CBS_DROPDOWNLIST | WS_VSCROLL);
    Point field = windowClientToScreen(box, {20, 5});
    display.moveMouse(field);
    display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, field));
    display.moveMouse(field);
    display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, field));
    pump();
    EXPECT_TRUE(dropped(box)); // released on the box: the list stays down
    Point item = onItem(3);
    display.moveMouse(item);
    display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, item));
    display.moveMouse(onItem(0));
    display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, onItem(0)));
    pump();
    EXPECT_FALSE(dropped(box));
    EXPECT_EQ(messageSend(box, CB_GETCURSEL, 0, 0), 0);
}

TEST_F(ComboBoxes, KeysChooseWhetherTheListIsUpOrDown) {
    WindowHandle box = combo(CBS_DROPDOWNLIST | WS_VSCROLL);
    focusSet(box);
    display.typeKey(VK_DOWN);
    display.typeKey(VK_DOWN);
    pump();
    EXPECT_EQ(messageSend(box, CB_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(dropped(box));
    EXPECT_EQ(notifications(), (std::vector<int>{CBN_SELCHANGE, CBN_SELCHANGE}));
    display.typeKey(VK_F4);
    pump();
    EXPECT_TRUE(dropped(box));
    display.typeKey(VK_END);
    pump();
    EXPECT_TRUE(dropped(box));
    EXPECT_EQ(messageSend(box, CB_GETCURSEL, 0, 0), 4);
    display.typeKey(VK_RETURN);
    pump();
    EXPECT_FALSE(dropped(box));
    EXPECT_EQ(windowGetText(box), "Sierra 3");
    // Alt+Down opens, Esc closes and keeps the choice.
    display.typeKey(VK_LMENU, -1, true);
    display.typeKey(VK_DOWN);
    display.inject(InputEvent::keyOf(InputKind::KeyUp, VK_LMENU));
    pump();
    EXPECT_TRUE(dropped(box));
    display.typeKey(VK_ESCAPE);
    pump();
    EXPECT_FALSE(dropped(box));
    EXPECT_EQ(messageSend(box, CB_GETCURSEL, 0, 0), 4);
    // Any other system key (a screen's Alt+letter) closes it and goes on.
    received.clear();
    messageSend(box, CB_SHOWDROPDOWN, 1, 0);
    display.typeKey(VK_LMENU, -1, true);
    display.typeKey('A', 'a');
    display.inject(InputEvent::keyOf(InputKind::KeyUp, VK_LMENU));
    pump();
    EXPECT_FALSE(dropped(box));
    EXPECT_EQ(notifications(), std::vector<int>{CBN_CLOSEUP});
    EXPECT_EQ(receivedBy(panel, WM_SYSCHAR).size(), 1u);
    // Losing the focus closes the list too.
    messageSend(box, CB_SHOWDROPDOWN, 1, 0);
    focusSet(panel);
    EXPECT_FALSE(dropped(box));
}

TEST_F(ComboBoxes, AnEditFieldReportsTypingAndShowsChoicesWithoutReportingThem) {
    WindowHandle box = combo(CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL);
    WindowHandle edit = windowGetChildById(box, 1001);
    ASSERT_NE(edit, WindowHandle{});
    messageSend(box, CB_SETCURSEL, 3, 0);
    EXPECT_EQ(windowGetText(edit), "Master 2");
    EXPECT_TRUE(notifications().empty());
    clickAt(box, {10, 5});
    EXPECT_EQ(focusGet(), edit);
    EXPECT_FALSE(dropped(box)); // the field is for typing; only the arrow drops the list
    display.typeKey(VK_END);
    type("b");
    EXPECT_EQ(windowGetText(box), "Master 2b");
    EXPECT_EQ(notifications(), std::vector<int>{CBN_EDITCHANGE});
    EXPECT_EQ(messageSend(box, CB_GETCURSEL, 0, 0), CB_ERR); // the text names no item now
    windowSetText(box, "Libre");
    EXPECT_EQ(windowGetText(edit), "Libre");
    // The arrow drops the list; the keys of the field move through it.
    Rect client = windowGetClientRect(box);
    clickAt(box, {client.right - 5, 5});
    EXPECT_TRUE(dropped(box));
    display.typeKey(VK_DOWN);
    pump();
    EXPECT_EQ(windowGetText(edit), "Sierra 1");
    display.typeKey(VK_RETURN);
    pump();
    EXPECT_FALSE(dropped(box));
    EXPECT_EQ(messageSend(box, CB_GETCURSEL, 0, 0), 0);
}

TEST_F(ComboBoxes, ItemsAreFoundDeletedAndCarryData) {
    WindowHandle box = combo(CBS_DROPDOWNLIST | WS_VSCROLL);
    EXPECT_EQ(messageSend(box, CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(
        messageSend(box, CB_FINDSTRINGEXACT, static_cast<WParam>(-1), reinterpret_cast<LParam>("master 2")),
        3);
    EXPECT_EQ(
        messageSend(box, CB_FINDSTRINGEXACT, static_cast<WParam>(-1), reinterpret_cast<LParam>("Master")),
        CB_ERR);
    EXPECT_EQ(messageSend(box, CB_SETITEMDATA, 3, 0x1234), 0);
    EXPECT_EQ(messageSend(box, CB_GETITEMDATA, 3, 0), 0x1234);
    EXPECT_EQ(messageSend(box, CB_GETLBTEXTLEN, 3, 0), 8);
    char text[16] = {};
    messageSend(box, CB_GETLBTEXT, 3, reinterpret_cast<LParam>(text));
    EXPECT_STREQ(text, "Master 2");
    messageSend(box, CB_SETCURSEL, 3, 0);
    EXPECT_EQ(messageSend(box, CB_DELETESTRING, 1, 0), 4);
    EXPECT_EQ(messageSend(box, CB_GETCURSEL, 0, 0), 2); // still "Master 2"
    EXPECT_EQ(windowGetText(box), "Master 2");
    messageSend(box, CB_DELETESTRING, 2, 0);
    EXPECT_EQ(messageSend(box, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(windowGetText(box), "");
    EXPECT_EQ(messageSend(box, CB_DELETESTRING, 7, 0), CB_ERR);
    EXPECT_EQ(messageSend(box, CB_SETCURSEL, 9, 0), CB_ERR);
    // A drop-down list takes a text only when it names an item.
    EXPECT_EQ(messageSend(box, WM_SETTEXT, 0, reinterpret_cast<LParam>("sierra 3")), 1);
    EXPECT_EQ(windowGetText(box), "Sierra 3");
    EXPECT_EQ(messageSend(box, WM_SETTEXT, 0, reinterpret_cast<LParam>("Inconnu")), CB_ERR);
    messageSend(box, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(messageSend(box, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(messageSend(box, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(ComboBoxes, TheListIsAnOwnedPopupAboveEverythingAndGoesUpNearTheBottom) {
    WindowHandle box = combo(CBS_DROPDOWNLIST | WS_VSCROLL, {100, 440, 230, 640});
    WindowHandle list = dropList();
    EXPECT_EQ(windowGetOwner(list), main);
    EXPECT_TRUE(windowGetExStyle(list) & WS_EX_TOPMOST);
    WindowHandle other = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480}, {}, WS_EX_TOPMOST);
    messageSend(box, CB_SHOWDROPDOWN, 1, 0);
    EXPECT_EQ(windowGetRect(list).bottom, windowGetRect(box).top);
    Point middle = windowClientToScreen(list, {10, 10});
    EXPECT_EQ(windowFromPoint(middle), list);
    windowDestroy(other);
    windowDestroy(box);
    EXPECT_FALSE(windowIsValid(list));
    EXPECT_EQ(captureGet(), WindowHandle{});
}

TEST_F(ComboBoxes, ANewFontResizesTheBoxWhereItStands) {
    WindowHandle box = combo(CBS_DROPDOWNLIST | WS_VSCROLL);
    windowMove(box, 200, 300, 130, windowGetRect(box).height(), true);
    FontRef small = Font::create({-9, 0, 0, 0, 400, false, false, false, 0, 0, 0, 0, 0, "Liberation Sans"});
    int before = windowGetRect(box).height();
    messageSend(box, WM_SETFONT, fontToWParam(small), 1);
    Rect after = windowGetRect(box);
    EXPECT_EQ(after.left, 200);
    EXPECT_EQ(after.top, 300);
    EXPECT_LT(after.height(), before);
    EXPECT_NE(messageSend(box, WM_GETFONT, 0, 0), 0);
    EXPECT_EQ(fontFromWParam(static_cast<WParam>(messageSend(box, WM_GETFONT, 0, 0))), small);
}

TEST_F(ComboBoxes, TheWheelScrollsTheDroppedList) {
    WindowHandle box = make("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, {376, 39, 506, 120}, kId);
    for (int i = 0; i < 20; ++i)
        messageSend(box, CB_ADDSTRING, 0, reinterpret_cast<LParam>(("contact " + std::to_string(i)).c_str()));
    focusSet(box);
    messageSend(box, CB_SHOWDROPDOWN, 1, 0);
    display.turnWheel(windowClientToScreen(dropList(), {5, 5}), -1);
    pump();
    EXPECT_EQ(messageSend(dropList(), LB_GETTOPINDEX, 0, 0), 3);
    EXPECT_TRUE(dropped(box));
}

// The game's own combo box: a registered superclass of the system class, each box's procedure
// replaced in front of the class one, drawing its items itself and telling its parent of a new
// choice with message 5.
WindowProc systemCombo = nullptr;
int drawnBySubclass = 0;
int measuredBySubclass = 0;

LResult superListProc(WindowHandle box, std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_MEASUREITEM:
        ++measuredBySubclass;
        reinterpret_cast<MeasureItemStruct*>(lParam)->itemHeight = 17;
        return 1;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DrawItemStruct*>(lParam);
        EXPECT_EQ(item->controlType, ODT_COMBOBOX);
        EXPECT_EQ(item->control, box);
        EXPECT_EQ(item->controlId, static_cast<std::uint32_t>(kId));
        ++drawnBySubclass;
        return 1;
    }
    case WM_COMMAND: {
        auto code = static_cast<std::uint32_t>(hiWord(wParam));
        if (code != CBN_SELCHANGE && code != CBN_EDITCHANGE)
            break;
        LResult result = systemCombo(box, message, wParam, lParam);
        messageSend(windowGetParent(box), WM_SIZE, (code << 16) | kId, lParam);
        return result;
    }
    default:
        break;
    }
    return systemCombo(box, message, wParam, lParam);
}

TEST_F(ComboBoxes, TheSystemClassCanBeSuperclassedAndEachBoxSubclassed) {
    WindowClass combo;
    ASSERT_TRUE(classGetInfo("combobox", combo));
    EXPECT_EQ(combo.style & 0x4080u, 0x4080u);
    WindowClass super = combo;
    super.name = "SuperListBox";
    super.style &= ~0x4080u;
    ASSERT_NE(classRegister(super), 0);
    drawnBySubclass = measuredBySubclass = 0;
    std::uint32_t style =
        WS_VSCROLL | CBS_DROPDOWN | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_NOINTEGRALHEIGHT;
    WindowHandle box = make("SuperListBox", "COMBOBOX", style, {376, 39, 506, 239}, kId);
    systemCombo = windowSetProc(box, superListProc);
    messageSend(box, WM_SETFONT, 0, 0);
    EXPECT_EQ(measuredBySubclass, 2); // the field and the items, asked again with the new font
    for (const char* contact : kContacts)
        messageSend(box, CB_ADDSTRING, 0, reinterpret_cast<LParam>(contact));
    messageSend(box, CB_SHOWDROPDOWN, 1, 0);
    EXPECT_EQ(messageSend(dropList(), LB_GETITEMHEIGHT, 0, 0), 17);
    received.clear();
    pump();
    EXPECT_GE(drawnBySubclass, 5);
    EXPECT_TRUE(receivedBy(panel, WM_DRAWITEM).empty());
    display.click(onItem(1));
    pump();
    auto relayed = receivedBy(panel, WM_SIZE);
    ASSERT_EQ(relayed.size(), 1u);
    EXPECT_EQ(relayed[0].wParam, (WParam{1} << 16) | kId);
    EXPECT_EQ(windowGetText(box), "Sierra 2");
    windowDestroy(box);
}

TEST_F(ComboBoxes, OwnerDrawnItemsReachTheParentAsTheBoxsOwn) {
    std::vector<std::uint32_t> kinds;
    std::vector<LParam> deleted;
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_DRAWITEM) {
            auto* item = reinterpret_cast<DrawItemStruct*>(r.lParam);
            kinds.push_back(item->itemState & ODS_COMBOBOXEDIT);
            EXPECT_EQ(item->controlType, ODT_COMBOBOX);
            return 1;
        }
        if (r.message == WM_DELETEITEM)
            deleted.push_back(reinterpret_cast<DeleteItemStruct*>(r.lParam)->itemData);
        return std::nullopt;
    };
    WindowHandle box = make("COMBOBOX", "", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, {10, 10, 140, 200}, kId);
    for (LParam data : {101, 102, 103})
        messageSend(box, CB_ADDSTRING, 0, data);
    messageSend(box, CB_SETCURSEL, 1, 0);
    pump();
    EXPECT_EQ(kinds, std::vector<std::uint32_t>{ODS_COMBOBOXEDIT}); // the chosen item in the field
    messageSend(box, CB_SHOWDROPDOWN, 1, 0);
    pump();
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), 0u), 3); // and the three items of the list
    windowDestroy(box);
    EXPECT_EQ(deleted, (std::vector<LParam>{101, 102, 103}));
}

} // namespace
} // namespace q71
