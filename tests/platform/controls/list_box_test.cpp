#include "control_fixture.h"

#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/controls/owner_draw.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <map>

namespace q71 {
namespace {

constexpr int kId = 700;
// The game's own list: bordered, both bars, owner-drawn items of their own heights, with data
// and without strings, notifying.
constexpr std::uint32_t kGameListStyle = 0x50B00021;

struct DrawnItem {
    int id;
    std::uint32_t state;
    Rect rect;
    LParam data;
};

class ListBoxes : public test::ControlTest {
protected:
    // The panel measures items by their data (the data is the height) and records what it draws.
    void answerOwnerDraw() {
        onMessage = [this](const test::Received& r) -> std::optional<LResult> {
            if (r.message == WM_MEASUREITEM) {
                auto* m = reinterpret_cast<MeasureItemStruct*>(r.lParam);
                measured.push_back(m->itemId);
                if (m->itemData != 0)
                    m->itemHeight = static_cast<int>(m->itemData);
                return 1;
            }
            if (r.message == WM_DRAWITEM) {
                auto* d = reinterpret_cast<DrawItemStruct*>(r.lParam);
                EXPECT_EQ(d->controlType, ODT_LISTBOX);
                EXPECT_NE(d->dc, nullptr);
                drawn.push_back({d->itemId, d->itemState, d->item, d->itemData});
                return 1;
            }
            if (r.message == WM_DELETEITEM)
                deleted.push_back(reinterpret_cast<DeleteItemStruct*>(r.lParam)->itemData);
            return std::nullopt;
        };
    }
    std::map<int, DrawnItem> lastDrawn() const {
        std::map<int, DrawnItem> byItem;
        for (const DrawnItem& d : drawn)
            byItem[d.id] = d;
        return byItem;
    }
    // A plain list of texts.
    WindowHandle textList(int count, std::uint32_t style = LBS_NOTIFY | WS_VSCROLL) {
        WindowHandle list = make("LISTBOX", "", style, {20, 20, 220, 120}, kId);
        for (int i = 0; i < count; ++i)
            messageSend(list, LB_ADDSTRING, 0,
                        reinterpret_cast<LParam>(("contact " + std::to_string(i)).c_str()));
        pump();
        return list;
    }
    int selectionChanges() const {
        int n = 0;
        for (auto [id, code] : commands())
            n += id == kId && code == static_cast<int>(LBN_SELCHANGE);
        return n;
    }
    std::vector<int> measured;
    std::vector<DrawnItem> drawn;
    std::vector<LParam> deleted;
};

TEST_F(ListBoxes, OwnerDrawnItemsAreMeasuredOneByOneAndDrawnWithTheirState) {
    answerOwnerDraw();
    WindowHandle list = windowCreate(0, "LISTBOX", "", kGameListStyle, 20, 20, 200, 100, panel, kId);
    for (LParam height : {12, 20, 16})
        EXPECT_GE(messageSend(list, LB_ADDSTRING, 0, height), 0);
    EXPECT_EQ(measured, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(messageSend(list, LB_GETITEMDATA, 1, 0), 20);
    messageSend(list, LB_SETCURSEL, 1, 0);
    pump();
    auto items = lastDrawn();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].state, 0u);
    EXPECT_EQ(items[1].state, ODS_SELECTED);
    EXPECT_EQ(items[1].rect.top - items[0].rect.top, 12);
    EXPECT_EQ(items[2].rect.height(), 16);
    EXPECT_EQ(items[2].data, 16);
    drawn.clear();
    focusSet(list);
    pump();
    EXPECT_EQ(lastDrawn()[1].state, ODS_SELECTED | ODS_FOCUS);
    drawn.clear();
    windowEnable(list, false);
    pump();
    EXPECT_EQ(lastDrawn()[0].state, ODS_DISABLED);
    EXPECT_TRUE(commands().empty()); // choosing by message tells nobody
}

TEST_F(ListBoxes, AFixedOwnerDrawnListAsksItsHeightOnceAndAgainForANewFont) {
    answerOwnerDraw();
    onMessage = [inner = onMessage](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_MEASUREITEM)
            reinterpret_cast<MeasureItemStruct*>(r.lParam)->itemHeight = 18;
        return inner(r);
    };
    WindowHandle list = make("LISTBOX", "", LBS_OWNERDRAWFIXED, {20, 20, 220, 120}, kId);
    messageSend(list, LB_ADDSTRING, 0, 5);
    messageSend(list, LB_ADDSTRING, 0, 6);
    EXPECT_EQ(measured.size(), 1u);
    EXPECT_EQ(messageSend(list, LB_GETITEMHEIGHT, 1, 0), 18);
    messageSend(list, WM_SETFONT, 0, 0);
    EXPECT_EQ(measured.size(), 2u);
    Rect second{};
    EXPECT_EQ(messageSend(list, LB_GETITEMRECT, 1, reinterpret_cast<LParam>(&second)), 1);
    EXPECT_EQ(second.top, 18);
    EXPECT_EQ(messageSend(list, LB_SETITEMHEIGHT, 0, 300), LB_ERR);
}

TEST_F(ListBoxes, TheParentHearsOfEveryItemThatGoes) {
    answerOwnerDraw();
    WindowHandle list = windowCreate(0, "LISTBOX", "", kGameListStyle, 20, 20, 200, 100, panel, kId);
    for (LParam data : {11, 12, 13, 14, 15})
        messageSend(list, LB_ADDSTRING, 0, data);
    EXPECT_EQ(messageSend(list, LB_DELETESTRING, 1, 0), 4);
    EXPECT_EQ(messageSend(list, LB_DELETESTRING, 9, 0), LB_ERR);
    EXPECT_EQ(deleted, (std::vector<LParam>{12}));
    messageSend(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(deleted, (std::vector<LParam>{12, 11, 13, 14, 15}));
    messageSend(list, LB_ADDSTRING, 0, 16);
    windowDestroy(list);
    EXPECT_EQ(deleted.back(), 16);
}

TEST_F(ListBoxes, TextsAreKeptAndFoundAndDataSetAlongside) {
    WindowHandle list = textList(3);
    EXPECT_EQ(messageSend(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(messageSend(list, LB_GETTEXTLEN, 2, 0), 9);
    char text[16] = {};
    EXPECT_EQ(messageSend(list, LB_GETTEXT, 2, reinterpret_cast<LParam>(text)), 9);
    EXPECT_STREQ(text, "contact 2");
    EXPECT_EQ(
        messageSend(list, LB_FINDSTRINGEXACT, static_cast<WParam>(-1), reinterpret_cast<LParam>("CONTACT 1")),
        1);
    EXPECT_EQ(messageSend(list, LB_SETITEMDATA, 1, 77), 0);
    EXPECT_EQ(messageSend(list, LB_GETITEMDATA, 1, 0), 77);
    EXPECT_EQ(messageSend(list, LB_GETITEMDATA, 3, 0), LB_ERR);
    EXPECT_EQ(messageSend(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(messageSend(list, LB_SETCURSEL, 5, 0), LB_ERR);
    // Item data given to a list that keeps texts comes back to its parent when the item goes.
    std::vector<LParam> gone;
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_DELETEITEM)
            gone.push_back(reinterpret_cast<DeleteItemStruct*>(r.lParam)->itemData);
        return std::nullopt;
    };
    messageSend(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(gone, (std::vector<LParam>{77}));
}

TEST_F(ListBoxes, TheParentGivesTheBackgroundAndTheTextColourOfPlainItems) {
    static const Brush navy = createSolidBrush(rgb(0, 0, 96));
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message != WM_CTLCOLORLISTBOX)
            return std::nullopt;
        deviceContextFromWParam(r.wParam)->setTextColor(rgb(0, 248, 0));
        return static_cast<LResult>(classBackgroundBrush(&navy));
    };
    WindowHandle list = textList(2, LBS_NOTIFY);
    BitmapRef shot = capture(list);
    PixelSurface s = shot->surface();
    int navyPixels = 0, greenPixels = 0;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            ColorRef c = s.decode(s.read(x, y));
            navyPixels += c == rgb(0, 0, 96);
            greenPixels += c == rgb(0, 248, 0);
        }
    EXPECT_GT(navyPixels, s.width * s.height / 2);
    EXPECT_GT(greenPixels, 20);
    EXPECT_EQ(static_cast<WindowHandle>(receivedBy(panel, WM_CTLCOLORLISTBOX).back().lParam), list);
}

TEST_F(ListBoxes, ClicksAndKeysChooseAndTellTheParentOnlyOfChanges) {
    WindowHandle list = textList(12);
    int itemHeight = static_cast<int>(messageSend(list, LB_GETITEMHEIGHT, 0, 0));
    clickAt(list, {30, itemHeight * 2 + 1});
    EXPECT_EQ(focusGet(), list);
    EXPECT_EQ(messageSend(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(selectionChanges(), 1);
    clickAt(list, {30, itemHeight * 2 + 1});
    EXPECT_EQ(selectionChanges(), 1);
    display.typeKey(VK_DOWN);
    pump();
    EXPECT_EQ(messageSend(list, LB_GETCURSEL, 0, 0), 3);
    display.typeKey(VK_END);
    pump();
    EXPECT_EQ(messageSend(list, LB_GETCURSEL, 0, 0), 11);
    EXPECT_GT(messageSend(list, LB_GETTOPINDEX, 0, 0), 0); // scrolled to show it
    display.typeKey(VK_PRIOR);
    display.typeKey(VK_HOME);
    display.typeKey(VK_UP);
    pump();
    EXPECT_EQ(messageSend(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(messageSend(list, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(selectionChanges(), 5);
    messageSend(list, LB_SETCURSEL, 4, 0);
    EXPECT_EQ(selectionChanges(), 5);
}

TEST_F(ListBoxes, ADoubleClickOnAnItemIsReported) {
    WindowHandle list = textList(3);
    clickAt(list, {30, 2});
    clock.advance(100);
    clickAt(list, {30, 2});
    auto sent = commands();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), (std::pair<int, int>(kId, LBN_DBLCLK)));
    WindowHandle quiet = make("LISTBOX", "", LBS_HASSTRINGS, {300, 20, 400, 120}, kId + 1);
    messageSend(quiet, LB_ADDSTRING, 0, reinterpret_cast<LParam>("seul"));
    received.clear();
    clickAt(quiet, {30, 2});
    clickAt(quiet, {30, 2});
    EXPECT_TRUE(commands().empty()); // without LBS_NOTIFY
}

TEST_F(ListBoxes, DraggingMovesTheSelectionAndScrollsPastTheEdge) {
    WindowHandle list = textList(30);
    Point inside = windowClientToScreen(list, {30, 5});
    display.moveMouse(inside);
    display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, inside));
    for (int step = 0; step < 4; ++step)
        display.moveMouse(windowClientToScreen(list, {30, 150 + step}));
    pump();
    display.moveMouse(windowClientToScreen(list, {30, 151}));
    display.inject(
        InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, windowClientToScreen(list, {30, 151})));
    pump();
    int selection = static_cast<int>(messageSend(list, LB_GETCURSEL, 0, 0));
    int top = static_cast<int>(messageSend(list, LB_GETTOPINDEX, 0, 0));
    EXPECT_GT(selection, 6);
    EXPECT_GT(top, 0);
    EXPECT_EQ(captureGet(), WindowHandle{});
}

TEST_F(ListBoxes, TheWheelAndTheScrollBarMoveTheFirstItemShown) {
    WindowHandle list = textList(40);
    Rect client = windowGetClientRect(list);
    focusSet(list);
    display.turnWheel(windowClientToScreen(list, {20, 20}), -1);
    pump();
    EXPECT_EQ(messageSend(list, LB_GETTOPINDEX, 0, 0), 3);
    display.turnWheel(windowClientToScreen(list, {20, 20}), 2);
    pump();
    EXPECT_EQ(messageSend(list, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(messageSend(list, LB_GETCURSEL, 0, 0), LB_ERR); // the wheel chooses nothing
    // The down arrow of the bar at the bottom right: a step, then repeats while held.
    Point arrow = windowClientToScreen(list, {client.right - 8, client.bottom - 8});
    display.moveMouse(arrow);
    display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, arrow));
    pump();
    EXPECT_EQ(messageSend(list, LB_GETTOPINDEX, 0, 0), 1);
    clock.advance(400);
    pump();
    clock.advance(50);
    pump();
    EXPECT_EQ(messageSend(list, LB_GETTOPINDEX, 0, 0), 3);
    display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, arrow));
    pump();
    clock.advance(500);
    pump();
    EXPECT_EQ(messageSend(list, LB_GETTOPINDEX, 0, 0), 3);
    // A click on the track below the thumb turns a page.
    clickAt(list, {client.right - 8, client.bottom - 24});
    EXPECT_GT(messageSend(list, LB_GETTOPINDEX, 0, 0), 6);
    messageSend(list, WM_VSCROLL, SB_BOTTOM, 0);
    int last = static_cast<int>(messageSend(list, LB_GETTOPINDEX, 0, 0));
    EXPECT_EQ(messageSend(list, LB_GETTOPINDEX, 0, 0), last);
    messageSend(list, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(messageSend(list, LB_GETTOPINDEX, 0, 0), last);
    Rect lastItem{};
    messageSend(list, LB_GETITEMRECT, 39, reinterpret_cast<LParam>(&lastItem));
    EXPECT_LE(lastItem.bottom, client.bottom);
}

TEST_F(ListBoxes, AWideListScrollsSidewaysWhenItsExtentPassesItsWidth) {
    answerOwnerDraw();
    WindowHandle list = windowCreate(0, "LISTBOX", "", kGameListStyle, 20, 20, 200, 100, panel, kId);
    messageSend(list, LB_ADDSTRING, 0, 14);
    pump();
    EXPECT_EQ(lastDrawn()[0].rect.left, 1); // inside the border, no bar: from the left edge
    EXPECT_EQ(lastDrawn()[0].rect.right, 199);
    messageSend(list, LB_SETHORIZONTALEXTENT, 500, 0);
    EXPECT_EQ(messageSend(list, LB_GETHORIZONTALEXTENT, 0, 0), 500);
    messageSend(list, WM_HSCROLL, SB_PAGEDOWN, 0);
    drawn.clear();
    pump();
    DrawnItem item = lastDrawn()[0];
    EXPECT_EQ(item.rect.width(), 500);
    EXPECT_EQ(item.rect.left, 1 - 198);
    messageSend(list, WM_HSCROLL, SB_BOTTOM, 0);
    drawn.clear();
    pump();
    EXPECT_EQ(lastDrawn()[0].rect.right, 199); // the end of the extent meets the right edge
}

} // namespace
} // namespace q71
