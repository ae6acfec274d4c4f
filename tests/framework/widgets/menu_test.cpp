#include "framework/widgets/edit_box.h"
#include "framework/widgets/menu_bar.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"
#include "widget_fixture.h"

#include <memory>

namespace q71 {
namespace {

using Commands = test::WidgetFixture::Commands;

enum : std::uint16_t { kFile = 100, kOpen, kSave, kQuit, kOne = 111, kTwo, kEdit = 200, kUndo, kRedo };

// Leaves the command switch on whatever a test did.
struct CommandSwitch {
    ~CommandSwitch() { menuEnableCommands(1); }
};

class Menus : public test::WidgetFixture {
protected:
    Menus() {
        auto recent = std::make_unique<MenuNode>();
        recent->addItems("One", kOne, nullptr, "", true, false);
        recent->addItems("Two", kTwo, nullptr, "", true, false);
        auto file = std::make_unique<MenuNode>();
        file->addItems("Open", kOpen, nullptr, "Open a mission", true, false);
        file->addItems("Save", kSave, nullptr, "", false, true);
        file->addItems("Recent", 0, std::move(recent), "Missions opened lately", true, false);
        file->addItems("Quit", kQuit, nullptr, "", true, false);
        auto edit = std::make_unique<MenuNode>();
        edit->addItems("Undo", kUndo, nullptr, "", true, false);
        edit->addItems("Redo", kRedo, nullptr, "", true, false);
        bar->addMenu("File", kFile, std::move(file));
        bar->addMenu("Edit", kEdit, std::move(edit));
        pump();
        received.clear();
    }
    MenuNode* file() const { return bar->dropDown(0); }
    MenuNode* editMenu() const { return bar->dropDown(1); }
    void click(const MenuNode* node, int item) {
        messageSend(node->window(), WM_LBUTTONDOWN, 0, makeLParam(10, item * node->itemHeight() + 3));
        pump();
    }
    void hover(const MenuNode* node, int item) {
        messageSend(node->window(), WM_MOUSEMOVE, 0, makeLParam(10, item * node->itemHeight() + 3));
    }
    void key(const MenuNode* node, std::uint32_t vk) { messageSend(node->window(), WM_KEYDOWN, vk, 0); }

    MenuBar* bar = new MenuBar(mainWindow, 0, 0, 640, 24, nullptr, nullptr, false);
    CommandSwitch restore;
};

TEST_F(Menus, TitlesStandInARowAndEachMenuOpensBelowItsTitle) {
    const MenuNode* first = bar->title(0);
    const MenuNode* second = bar->title(1);
    EXPECT_EQ(first->x(), 10);
    EXPECT_EQ(first->y(), 3);
    EXPECT_EQ(second->x(), first->right() + 10);
    EXPECT_TRUE(windowIsValid(first->window()));
    EXPECT_FALSE(file()->isOpen());
    click(first, 0);
    ASSERT_TRUE(file()->isOpen());
    EXPECT_EQ(windowGetRect(file()->window()),
              (Rect{first->x(), first->bottom(), file()->right(), file()->bottom()}));
    EXPECT_EQ(file()->bottom() - file()->y(), 4 * file()->itemHeight() + 6);
    const MenuNode* recent = file()->submenu(2);
    EXPECT_EQ(recent->x(), file()->right());
    EXPECT_EQ(recent->y(), file()->y() + 2 * file()->itemHeight());
    click(first, 0);
    EXPECT_FALSE(file()->isOpen()) << "a second click closes it";
    EXPECT_TRUE(commands().empty());
}

TEST_F(Menus, ChoosingAnItemClosesTheMenusAndSendsItsCommand) {
    click(bar->title(0), 0);
    const WindowHandle popup = file()->window();
    click(file(), 3);
    EXPECT_FALSE(file()->isOpen());
    EXPECT_FALSE(windowIsValid(popup));
    EXPECT_EQ(commands(), (Commands{{kQuit, 0}}));
    click(bar->title(0), 0);
    click(file(), 99);
    EXPECT_EQ(commands().back(), (std::pair<WParam, LParam>{kQuit, 0})) << "below the last item is the last";
}

TEST_F(Menus, ADisabledItemSendsNothingAndLeavesTheMenuOpen) {
    click(bar->title(0), 0);
    click(file(), 1);
    EXPECT_TRUE(file()->isOpen());
    EXPECT_TRUE(commands().empty());
    EXPECT_TRUE(bar->setItemEnabled("Save", true));
    click(file(), 1);
    EXPECT_EQ(commands(), (Commands{{kSave, 0}}));
}

TEST_F(Menus, WithTheCommandSwitchOffClicksNeitherSendNorOpen) {
    menuEnableCommands(0);
    click(bar->title(0), 0);
    EXPECT_FALSE(file()->isOpen());
    menuEnableCommands(1);
    click(bar->title(0), 0);
    menuEnableCommands(0);
    click(file(), 2);
    EXPECT_FALSE(file()->submenu(2)->isOpen());
    click(file(), 0);
    hover(file(), 0);
    key(file(), VK_RETURN);
    EXPECT_TRUE(file()->isOpen());
    EXPECT_TRUE(commands().empty());
}

TEST_F(Menus, TheArrowKeysMoveTheHighlightAndSwitchBetweenMenus) {
    click(bar->title(0), 0);
    key(file(), VK_UP);
    EXPECT_EQ(file()->highlighted(), 0);
    key(file(), VK_UP);
    EXPECT_EQ(file()->highlighted(), 0) << "up stops at the first item";
    for (int i = 0; i < 3; ++i)
        key(file(), VK_DOWN);
    EXPECT_EQ(file()->highlighted(), 3);
    key(file(), VK_DOWN);
    EXPECT_EQ(file()->highlighted(), 0) << "down wraps to the first item";
    key(file(), VK_LEFT);
    EXPECT_TRUE(file()->isOpen()) << "no title before the first";
    key(file(), VK_RIGHT);
    EXPECT_FALSE(file()->isOpen());
    ASSERT_TRUE(editMenu()->isOpen());
    key(editMenu(), VK_RIGHT);
    EXPECT_TRUE(editMenu()->isOpen()) << "no title after the last";
    key(editMenu(), VK_DOWN);
    key(editMenu(), VK_DOWN);
    key(editMenu(), VK_RETURN);
    EXPECT_EQ(commands(), (Commands{{kRedo, 0}}));
    EXPECT_FALSE(editMenu()->isOpen());
}

TEST_F(Menus, HoveringHighlightsShowsTheStatusTextAndOpensSubmenus) {
    EditBox* status = new EditBox(mainWindow, 90, 0, 400, 200, 20, nullptr, nullptr, false, 0x50000000);
    menuSetStatusField(status);
    click(bar->title(0), 0);
    hover(file(), 0);
    EXPECT_EQ(file()->highlighted(), 0);
    EXPECT_EQ(status->getText(), "Open a mission");
    hover(file(), 2);
    ASSERT_TRUE(file()->submenu(2)->isOpen());
    EXPECT_EQ(focusGet(), file()->submenu(2)->window());
    EXPECT_TRUE(file()->isOpen()) << "the submenu taking the focus leaves its parent open";
    EXPECT_EQ(status->getText(), "Missions opened lately");
    hover(file(), 3);
    EXPECT_FALSE(file()->submenu(2)->isOpen());
    click(file()->submenu(2), 0);
    focusSet(mainWindow);
    EXPECT_EQ(status->getText(), "") << "leaving the menus clears the status";
    menuSetStatusField(nullptr);
}

TEST_F(Menus, FocusLeavingTheMenusClosesThemAndTellsTheOwner) {
    click(bar->title(0), 0);
    focusSet(bar->title(1)->window());
    EXPECT_TRUE(file()->isOpen()) << "the focus stayed within the menus";
    EXPECT_TRUE(commands().empty());
    focusSet(mainWindow);
    EXPECT_FALSE(file()->isOpen());
    EXPECT_EQ(commands(), (Commands{{MenuNode::kMenusClosedCommand, static_cast<LParam>(-1)}}));
}

TEST_F(Menus, HoveringAnotherTitleSwitchesMenusOnlyWhileOneIsOpen) {
    messageSend(bar->title(1)->window(), WM_SETCURSOR, 0, 0);
    EXPECT_FALSE(editMenu()->isOpen());
    click(bar->title(0), 0);
    messageSend(bar->title(1)->window(), WM_SETCURSOR, 0, 0);
    EXPECT_FALSE(file()->isOpen());
    EXPECT_TRUE(editMenu()->isOpen());
    messageSend(bar->window(), WM_MOUSEMOVE, 0, makeLParam(0, 12));
    EXPECT_FALSE(editMenu()->isOpen()) << "the pointer left the bar";
}

TEST_F(Menus, ItemsAreFoundByTextThroughTheSubmenus) {
    EXPECT_EQ(bar->getItemEnabled("Two"), 1);
    EXPECT_TRUE(bar->setItemEnabled("Two", false));
    EXPECT_EQ(bar->getItemEnabled("Two"), 0);
    EXPECT_EQ(file()->submenu(2)->item(1).enabled, false);
    EXPECT_TRUE(bar->setItemChecked("Redo", true));
    EXPECT_TRUE(editMenu()->item(1).checked);
    EXPECT_EQ(bar->getItemEnabled("Paste"), -1);
    EXPECT_FALSE(bar->setItemChecked("Paste", true));
}

TEST_F(Menus, AStationsPopUpHasHeadersThatNeitherLightNorSend) {
    // A plot's pop-up as a station builds it: headers (id 0) over indented items.
    MenuNode popup;
    popup.init("plot", 100, 100, Brush{}, nullptr, nullptr);
    popup.addItems("Source", 0);
    popup.addItems("  Visual", 19);
    popup.addItems("History", 0);
    popup.addItems("  10 Min", 25);
    popup.setOwnerWindow(mainWindow);
    EXPECT_TRUE(popup.setItemState("  10 Min", true));
    EXPECT_FALSE(popup.setItemState("  1 Hour", true));
    popup.createWindow();
    ASSERT_TRUE(popup.isOpen());
    hover(&popup, 1);
    EXPECT_EQ(popup.highlighted(), 1);
    hover(&popup, 2);
    EXPECT_EQ(popup.highlighted(), -1) << "a header takes the highlight away";
    click(&popup, 0);
    click(&popup, 2);
    EXPECT_TRUE(popup.isOpen());
    EXPECT_TRUE(commands().empty());
    EXPECT_TRUE(popup.item(3).checked);
    EXPECT_FALSE(popup.item(1).checked);
    click(&popup, 3);
    EXPECT_FALSE(popup.isOpen());
    EXPECT_EQ(commands(), (Commands{{25, 0}}));
}

TEST_F(Menus, AFreePopUpGivesTheKeyboardBackHoweverItClosesUnlessAWindowWasGivenIt) {
    const WindowHandle field = makeWindow(WS_CHILD | WS_VISIBLE, {0, 40, 200, 80}, mainWindow);
    const WindowHandle other = makeWindow(WS_CHILD | WS_VISIBLE, {0, 100, 200, 140}, mainWindow);
    MenuNode popup;
    popup.init("plot", 100, 100, Brush{}, nullptr, nullptr);
    popup.addItems("  Visual", 19);
    popup.setOwnerWindow(field);
    const auto openFromField = [&] {
        focusSet(field);
        received.clear();
        popup.createWindow();
        ASSERT_EQ(focusGet(), popup.window()) << "the pop-up has the keys while it is open";
    };
    openFromField();
    display.typeKey(VK_ESCAPE, 27);
    pump();
    EXPECT_FALSE(popup.isOpen()) << "Escape closes it";
    EXPECT_EQ(focusGet(), field);
    openFromField();
    click(&popup, 0);
    ASSERT_EQ(receivedBy(field, WM_COMMAND).size(), 1u);
    EXPECT_EQ(receivedBy(field, WM_COMMAND)[0].wParam, 19u);
    EXPECT_EQ(focusGet(), field) << "after a choice";
    openFromField();
    display.click({300, 300}); // elsewhere: the top-level window is activated and takes over
    pump();
    EXPECT_FALSE(popup.isOpen());
    EXPECT_EQ(focusGet(), field) << "after a click elsewhere";
    openFromField();
    focusSet(other);
    EXPECT_FALSE(popup.isOpen());
    EXPECT_EQ(focusGet(), other) << "a window given the keys keeps them";
}

TEST_F(Menus, ACheckedItemShowsATick) {
    click(bar->title(1), 0);
    const Rect area = windowGetRect(editMenu()->window());
    const Rect tickArea{area.left + 4, area.top + 3, area.left + 12, area.top + editMenu()->itemHeight() + 6};
    EXPECT_TRUE(inkBounds(tickArea, rgb(0, 0, 0)).isEmpty());
    bar->setItemChecked("Undo", true);
    windowInvalidate(editMenu()->window(), nullptr, true);
    pump();
    EXPECT_FALSE(inkBounds(tickArea, rgb(0, 0, 0)).isEmpty());
}

TEST_F(Menus, TheBarTakesItsMenusWithItAlsoFromItsOwnCommand) {
    const int nodes = menuNodeCount();
    EXPECT_GE(nodes, 5) << "two titles, two menus and a submenu";
    click(bar->title(0), 0);
    const WindowHandle popup = file()->window();
    const WindowHandle title = bar->title(0)->window();
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_COMMAND && r.wParam == kOpen)
            delete bar;
        return std::nullopt;
    };
    click(file(), 0);
    EXPECT_FALSE(windowIsValid(popup));
    EXPECT_FALSE(windowIsValid(title));
    EXPECT_EQ(menuNodeCount(), nodes - 5);
}

TEST_F(Menus, ClosingTheOwnerWithAMenuOpenLeavesNothing) {
    const int nodes = menuNodeCount();
    click(bar->title(0), 0);
    hover(file(), 2);
    windowDestroy(mainWindow);
    EXPECT_EQ(menuNodeCount(), nodes - 5);
}

} // namespace
} // namespace q71
