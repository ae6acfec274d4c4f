#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"
#include "support/headless_windows.h"

namespace q71 {
namespace {

using test::HeadlessWindows;
using WindowLifetime = HeadlessWindows;
using WindowOwnership = HeadlessWindows;
using WindowShowing = HeadlessWindows;

TEST_F(WindowLifetime, CreationSendsCreateSizeMoveAndShowsWhenVisible) {
    WindowHandle main = makeWindow(WS_POPUP, {0, 0, 640, 480});
    received.clear();
    WindowHandle child = makeWindow(WS_CHILD | WS_VISIBLE, {10, 20, 110, 70}, main);
    EXPECT_EQ(sequence({WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}),
              (std::vector<std::uint32_t>{WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}));
    auto size = receivedBy(child, WM_SIZE);
    ASSERT_EQ(size.size(), 1u);
    EXPECT_EQ(size[0].lParam, makeLParam(100, 50));
    EXPECT_TRUE(windowGetStyle(child) & WS_VISIBLE);
    EXPECT_EQ(windowGetRect(child), (Rect{10, 20, 110, 70}));
}

TEST_F(WindowLifetime, CreateRefusedByTheProcedureLeavesNoWindow) {
    onMessage = [](const test::Received& r) -> std::optional<LResult> {
        return r.message == WM_CREATE ? std::optional<LResult>(-1) : std::nullopt;
    };
    EXPECT_EQ(makeWindow(WS_POPUP, {0, 0, 10, 10}), WindowHandle{});
    EXPECT_EQ(makeWindow(WS_CHILD, {0, 0, 10, 10}), WindowHandle{}); // a child needs a parent
    EXPECT_EQ(makeWindow(WS_POPUP, {0, 0, 10, 10}, {}, 0, "NoSuchClass"), WindowHandle{});
}

TEST_F(WindowLifetime, DestroyReachesParentsBeforeChildrenAndHandlesStayDead) {
    WindowHandle top = makeWindow(WS_POPUP, {0, 0, 100, 100});
    WindowHandle a = makeWindow(WS_CHILD, {0, 0, 10, 10}, top);
    WindowHandle a1 = makeWindow(WS_CHILD, {0, 0, 5, 5}, a);
    WindowHandle b = makeWindow(WS_CHILD, {0, 0, 10, 10}, top);
    received.clear();
    std::vector<bool> validDuring;
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_DESTROY)
            validDuring.push_back(windowIsValid(r.window));
        return std::nullopt;
    };
    EXPECT_TRUE(windowDestroy(top));
    std::vector<WindowHandle> order;
    for (const auto& r : received) {
        if (r.message == WM_DESTROY)
            order.push_back(r.window);
    }
    // Children are kept bottom to top in creation order; each parent comes before its children.
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], top);
    EXPECT_LT(std::find(order.begin(), order.end(), a), std::find(order.begin(), order.end(), a1));
    EXPECT_NE(std::find(order.begin(), order.end(), b), order.end());
    EXPECT_EQ(validDuring, std::vector<bool>(4, true));
    for (WindowHandle h : {top, a, a1, b})
        EXPECT_FALSE(windowIsValid(h));
    // New windows never get an old handle back.
    WindowHandle again = makeWindow(WS_POPUP, {0, 0, 10, 10});
    for (WindowHandle h : {top, a, a1, b})
        EXPECT_NE(again, h);
    EXPECT_FALSE(windowDestroy(top));
}

TEST_F(WindowLifetime, LastMessageComesAfterEveryDestroyChildrenFirst) {
    WindowHandle top = makeWindow(WS_POPUP, {0, 0, 100, 100});
    WindowHandle a = makeWindow(WS_CHILD, {0, 0, 10, 10}, top);
    WindowHandle a1 = makeWindow(WS_CHILD, {0, 0, 5, 5}, a);
    received.clear();
    windowDestroy(top);
    std::vector<std::pair<WindowHandle, std::uint32_t>> order;
    for (const auto& r : received)
        if (r.message == WM_DESTROY || r.message == WM_NCDESTROY)
            order.emplace_back(r.window, r.message);
    std::vector<std::pair<WindowHandle, std::uint32_t>> expected{{top, WM_DESTROY}, {a, WM_DESTROY},
                                                                 {a1, WM_DESTROY},  {a1, WM_NCDESTROY},
                                                                 {a, WM_NCDESTROY}, {top, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
}

TEST_F(WindowLifetime, WindowMayDestroyItselfFromItsOwnProcedure) {
    WindowHandle top = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    WindowHandle button = makeWindow(WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, top);
    windowSetProperty(button, "THIS", &button);
    void* propertyDuringDestroy = nullptr;
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.window == button && r.message == WM_LBUTTONDOWN) {
            windowDestroy(button);
            windowDestroy(button); // a second destroy of a dying window is harmless
            return 0;
        }
        if (r.window == button && r.message == WM_DESTROY)
            propertyDuringDestroy = windowRemoveProperty(button, "this");
        return std::nullopt;
    };
    display.click({20, 20});
    pump();
    EXPECT_FALSE(windowIsValid(button));
    EXPECT_TRUE(windowIsValid(top));
    EXPECT_EQ(propertyDuringDestroy, &button);
    EXPECT_TRUE(windowGetChildren(top).empty());
    // The button-up went to the parent, now under the pointer.
    EXPECT_EQ(receivedBy(top, WM_LBUTTONUP).size(), 1u);
}

TEST_F(WindowLifetime, ReplacedProcedureChainsToTheOldOne) {
    static WindowProc previous = nullptr;
    static int seen = 0;
    seen = 0;
    WindowHandle w = makeWindow(WS_POPUP, {0, 0, 10, 10});
    previous = windowSetProc(w, [](WindowHandle h, std::uint32_t m, WParam wp, LParam lp) -> LResult {
        if (m == WM_USER)
            ++seen;
        return previous(h, m, wp, lp);
    });
    ASSERT_NE(previous, nullptr);
    received.clear();
    messageSend(w, WM_USER, 0, 0);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(receivedBy(w, WM_USER).size(), 1u);
}

TEST_F(WindowLifetime, ClassesAreLookedUpAndSuperclassed) {
    WindowClass info;
    ASSERT_TRUE(classGetInfo("RECORDERDBL", info));
    EXPECT_EQ(info.style, CS_DBLCLKS);
    info.name = "Super";
    EXPECT_NE(classRegister(info), 0);
    EXPECT_EQ(classRegister(info), 0); // the name is taken
    WindowHandle w = makeWindow(WS_POPUP, {0, 0, 10, 10}, {}, 0, "super");
    EXPECT_EQ(windowGetClassName(w), "Super");
    EXPECT_EQ(windowFind("SUPER"), w);
    EXPECT_FALSE(classGetInfo("Missing", info));
}

TEST_F(WindowLifetime, TextGoesThroughTheTextMessages) {
    WindowHandle w = windowCreate(0, "Recorder", "first", WS_POPUP, 0, 0, 10, 10, {});
    EXPECT_EQ(windowGetText(w), "first");
    EXPECT_TRUE(windowSetText(w, "second title"));
    EXPECT_EQ(windowGetText(w), "second title");
    EXPECT_EQ(receivedBy(w, WM_SETTEXT).size(), 1u);
    EXPECT_EQ(windowFind("Recorder", "second title"), w);
}

TEST_F(WindowOwnership, PopupOwnedThroughAChildBelongsToItsTopLevelWindow) {
    WindowHandle main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    WindowHandle screen = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 640, 480}, main);
    WindowHandle box = makeWindow(WS_POPUP, {100, 100, 300, 200}, screen);
    EXPECT_EQ(windowGetOwner(box), main);
    EXPECT_EQ(windowGetParent(box), main);
    EXPECT_EQ(windowGetParent(screen), main);
    EXPECT_EQ(windowGetParent(main), WindowHandle{});
    EXPECT_EQ(windowGetTopLevel(screen), main);
    // Owned windows go before their owner.
    received.clear();
    windowDestroy(main);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.front().window, box);
    EXPECT_FALSE(windowIsValid(box));
}

TEST_F(WindowOwnership, ChildrenAreDescendantsNotOwnedPopupsNorTheWindowItself) {
    WindowHandle main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    WindowHandle screen = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 640, 480}, main);
    WindowHandle button = makeWindow(WS_CHILD | WS_VISIBLE, {10, 10, 50, 30}, screen);
    WindowHandle sibling = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 640, 480}, main);
    WindowHandle box = makeWindow(WS_POPUP, {100, 100, 300, 200}, screen);
    EXPECT_TRUE(windowIsChild(main, screen));
    EXPECT_TRUE(windowIsChild(main, button)) << "a grandchild";
    EXPECT_TRUE(windowIsChild(screen, button));
    EXPECT_FALSE(windowIsChild(sibling, button));
    EXPECT_FALSE(windowIsChild(button, screen)) << "not upwards";
    EXPECT_FALSE(windowIsChild(screen, screen));
    EXPECT_FALSE(windowIsChild(main, box)) << "an owned popup is no child";
    EXPECT_FALSE(windowIsChild(main, WindowHandle{}));
}

TEST_F(WindowOwnership, OwnedPopupsHideWithAMinimisedOwnerAndReturn) {
    WindowHandle main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    WindowHandle child = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, main);
    WindowHandle tip = makeWindow(WS_POPUP | WS_VISIBLE, {10, 10, 60, 30}, main);
    pump();
    received.clear();
    windowShow(main, SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(display.minimized());
    EXPECT_TRUE(windowIsMinimized(main));
    auto closing = receivedBy(tip, WM_SHOWWINDOW);
    ASSERT_EQ(closing.size(), 1u);
    EXPECT_EQ(closing[0].wParam, 0u);
    EXPECT_EQ(closing[0].lParam, static_cast<LParam>(SW_PARENTCLOSING));
    EXPECT_TRUE(receivedBy(main, WM_SHOWWINDOW).empty());
    EXPECT_TRUE(receivedBy(child, WM_SHOWWINDOW).empty());
    EXPECT_FALSE(windowIsVisible(tip));

    received.clear();
    windowShow(main, SW_RESTORE);
    EXPECT_FALSE(display.minimized());
    auto opening = receivedBy(tip, WM_SHOWWINDOW);
    ASSERT_EQ(opening.size(), 1u);
    EXPECT_EQ(opening[0].wParam, 1u);
    EXPECT_EQ(opening[0].lParam, static_cast<LParam>(SW_PARENTOPENING));
    EXPECT_TRUE(windowIsVisible(tip));
}

TEST_F(WindowOwnership, RestoreByTheUserReachesTheMainWindowAsSystemCommand) {
    WindowHandle main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, main);
    windowShow(main, SW_SHOWMINNOACTIVE);
    received.clear();
    display.inject(InputEvent::windowChange(InputKind::Restored));
    pump();
    auto commands = receivedBy(main, WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, SC_RESTORE);
    EXPECT_FALSE(windowIsMinimized(main));
}

TEST_F(WindowOwnership, CloseRequestClosesTheMainWindow) {
    WindowHandle main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    display.inject(InputEvent::windowChange(InputKind::CloseRequested));
    pump();
    EXPECT_EQ(sequence({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
              (std::vector<std::uint32_t>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(windowIsValid(main));
}

TEST_F(WindowShowing, ShowWindowGoesOnlyToTheWindowWhoseVisibilityChanges) {
    WindowHandle main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    WindowHandle screen = makeWindow(WS_CHILD, {0, 0, 640, 480}, main);
    WindowHandle page = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, screen);
    received.clear();
    EXPECT_FALSE(windowShow(screen, SW_SHOWDEFAULT));
    EXPECT_TRUE(windowShow(screen, SW_SHOW)); // already visible: no message
    EXPECT_EQ(receivedBy(screen, WM_SHOWWINDOW).size(), 1u);
    EXPECT_TRUE(receivedBy(page, WM_SHOWWINDOW).empty());
    EXPECT_TRUE(windowIsVisible(page));
    EXPECT_TRUE(windowShow(screen, SW_HIDE));
    EXPECT_EQ(receivedBy(screen, WM_SHOWWINDOW).size(), 2u);
    EXPECT_FALSE(windowIsVisible(page));
    EXPECT_TRUE(windowGetStyle(page) & WS_VISIBLE);
}

TEST_F(WindowShowing, ZOrderKeepsTopmostWindowsAndOwnersInPlace) {
    WindowHandle main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480}, {}, WS_EX_TOPMOST);
    WindowHandle other = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    WindowHandle owned = makeWindow(WS_POPUP | WS_VISIBLE, {100, 100, 200, 200}, main);
    // The topmost main window and its popup stay above the plain window.
    EXPECT_EQ(windowFromPoint({150, 150}), owned);
    EXPECT_EQ(windowFromPoint({10, 10}), main);
    windowSetPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(windowFromPoint({10, 10}), main);
    // Lifting the owner takes its popup along above it.
    windowSetPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(windowFromPoint({10, 10}), other);
    windowSetPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(windowFromPoint({10, 10}), main);
    EXPECT_EQ(windowFromPoint({150, 150}), owned);
}

TEST_F(WindowShowing, EarlierChildrenStayAboveLaterOnesUntilRestacked) {
    WindowHandle main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    WindowHandle first = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, main);
    WindowHandle second = makeWindow(WS_CHILD | WS_VISIBLE, {50, 50, 150, 150}, main);
    EXPECT_EQ(windowFromPoint({75, 75}), first);
    windowSetPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(windowFromPoint({75, 75}), second);
    windowSetPos(second, first, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(windowFromPoint({75, 75}), first);
    EXPECT_EQ(windowGetChildren(main), (std::vector<WindowHandle>{first, second}));
}

TEST_F(WindowShowing, MoveSendsSizeAndMoveAndMapsCoordinates) {
    WindowHandle main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    WindowHandle child = makeWindow(WS_CHILD | WS_VISIBLE, {10, 10, 20, 20}, main);
    WindowHandle grandchild = makeWindow(WS_CHILD | WS_VISIBLE, {1, 2, 5, 5}, child);
    received.clear();
    windowMove(child, 100, 200, 50, 40, true);
    EXPECT_EQ(receivedBy(child, WM_SIZE).size(), 1u);
    EXPECT_EQ(receivedBy(child, WM_MOVE).size(), 1u);
    EXPECT_EQ(windowGetRect(grandchild), (Rect{101, 202, 105, 205}));
    EXPECT_EQ(windowClientToScreen(grandchild, {1, 1}), (Point{102, 203}));
    EXPECT_EQ(windowScreenToClient(grandchild, {100, 200}), (Point{-1, -2}));
    EXPECT_EQ(windowGetClientRect(child), (Rect{0, 0, 50, 40}));
}

} // namespace
} // namespace q71
