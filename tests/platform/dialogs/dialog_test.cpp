#include "dialog_fixture.h"
#include "support/golden_image.h"

#include "platform/controls/control.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

namespace q71 {
namespace {

using Dialogs = test::DialogTest;

constexpr const char* kFolder = "tests/platform/dialogs/golden";

constexpr DialogItemTemplate kSettingsItems[] = {
    {"STATIC", "Nom :", 100, WS_VISIBLE | SS_LEFT, 7, 7, 40, 10},
    {"EDIT", "Dallas", 101, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 50, 6, 100, 12},
    {"BUTTON", "Lent", 102, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 7, 24, 60, 10},
    {"BUTTON", "Rapide", 103, WS_VISIBLE | BS_AUTORADIOBUTTON, 7, 36, 60, 10},
    {"BUTTON", "Actif", 104, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 80, 24, 60, 10},
    {"BUTTON", "OK", 1, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 50, 52, 40, 14},
    {"BUTTON", "Annuler", 2, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 95, 52, 40, 14},
    {"BUTTON", "Aide", 3, WS_TABSTOP | BS_PUSHBUTTON, 140, 52, 40, 14}, // hidden: Tab passes it by
};
constexpr DialogTemplate kSettings{900,
                                   WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER,
                                   0,
                                   0,
                                   190,
                                   72,
                                   "R\xE9glages",
                                   "Liberation Sans",
                                   9,
                                   kSettingsItems};

Point centreOf(WindowHandle window) {
    Rect r = windowGetRect(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(Dialogs, TheProgressBoxesHaveTheirMessageTheirBarsPlaceAndOnlyOneABUtton) {
    WindowHandle withButton = dialogCreate(113, panel, procedure);
    ASSERT_NE(withButton, WindowHandle{});
    EXPECT_TRUE(windowIsVisible(withButton));
    EXPECT_EQ(windowGetOwner(withButton), main);
    EXPECT_EQ(windowGetText(withButton), "Chargement");
    EXPECT_NEAR(centreOf(withButton).x, 320, 1);
    EXPECT_NEAR(centreOf(withButton).y, 240, 1);
    WindowHandle message = dialogGetItem(withButton, 1001);
    WindowHandle barPlace = dialogGetItem(withButton, 1002);
    WindowHandle button = dialogGetItem(withButton, 1);
    ASSERT_NE(message, WindowHandle{});
    ASSERT_NE(barPlace, WindowHandle{});
    ASSERT_NE(button, WindowHandle{});
    EXPECT_EQ(windowGetClassName(message), "STATIC");
    EXPECT_TRUE(windowIsVisible(message));
    EXPECT_FALSE(windowIsVisible(barPlace)); // a place for the bar, not something to see
    EXPECT_FALSE(windowGetRect(barPlace).isEmpty());
    EXPECT_TRUE(windowGetRect(withButton).intersected(windowGetRect(barPlace)) == windowGetRect(barPlace));
    EXPECT_EQ(messageSend(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(focusGet(), button);
    // Each control speaks in the dialog's font.
    EXPECT_NE(messageSend(message, WM_GETFONT, 0, 0), 0);
    EXPECT_TRUE(dialogSetItemText(withButton, 1001, "Chargement du relief"));
    EXPECT_EQ(dialogGetItemText(withButton, 1001), "Chargement du relief");
    WindowHandle withoutButton = dialogCreate(114, panel, procedure);
    ASSERT_NE(withoutButton, WindowHandle{});
    EXPECT_EQ(dialogGetItem(withoutButton, 1), WindowHandle{});
    EXPECT_NE(dialogGetItem(withoutButton, 1002), WindowHandle{});
    EXPECT_LT(windowGetRect(withoutButton).height(), windowGetRect(withButton).height());
}

TEST_F(Dialogs, AModalDialogAnswersEnterEscapeAndAClick) {
    endOnCommand();
    bool ownerEnabled = true;
    unsigned firstStop = 0;
    modalScriptPush([&](WindowHandle) {
        ownerEnabled = windowIsEnabled(main);
        firstStop =
            static_cast<unsigned>(windowGetId(static_cast<WindowHandle>(dialogGot(WM_INITDIALOG)[0].wParam)));
        display.typeKey(VK_RETURN);
    });
    focusSet(panel);
    EXPECT_EQ(dialogBoxIndirect(kSettings, panel, procedure, 42), 1);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(windowIsEnabled(main));
    EXPECT_EQ(focusGet(), panel);
    auto init = dialogGot(WM_INITDIALOG);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(init[0].lParam, 42);
    EXPECT_EQ(firstStop, 101u); // the first tab stop
    modalScriptPush([&](WindowHandle) { display.typeKey(VK_ESCAPE); });
    EXPECT_EQ(dialogBoxIndirect(kSettings, panel, procedure), 2);
    modalScriptPush([&](WindowHandle dialog) { display.click(centreOf(dialogGetItem(dialog, 2))); });
    EXPECT_EQ(dialogBoxIndirect(kSettings, panel, procedure), 2);
    EXPECT_EQ(modalLoopDepth(), 0);
    EXPECT_FALSE(windowIsValid(init[0].window));
}

TEST_F(Dialogs, EnterGivesTheDefaultButtonUnlessAnotherPushButtonHasTheFocus) {
    endOnCommand();
    modalScriptPush([&](WindowHandle dialog) {
        EXPECT_EQ(windowGetId(focusGet()), 101u); // in the edit field
        display.typeKey(VK_RETURN);
        EXPECT_TRUE(windowIsValid(dialog));
    });
    EXPECT_EQ(dialogBoxIndirect(kSettings, panel, procedure), 1);
    modalScriptPush([&](WindowHandle dialog) { focusSet(dialogGetItem(dialog, 2)); });
    modalScriptPush([&](WindowHandle) { display.typeKey(VK_RETURN); });
    EXPECT_EQ(dialogBoxIndirect(kSettings, panel, procedure), 2);
    // Another default set by the dialog, then disabled: Enter does nothing.
    onDialog = [](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_INITDIALOG) {
            messageSend(r.window, DM_SETDEFID, 2, 0);
            windowEnable(dialogGetItem(r.window, 2), false);
        }
        if (r.message == WM_COMMAND)
            dialogEnd(r.window, loWord(r.wParam));
        return std::nullopt;
    };
    modalScriptPush([&](WindowHandle) { display.typeKey(VK_RETURN); });
    modalScriptPush([&](WindowHandle dialog) { dialogEnd(dialog, 77); });
    EXPECT_EQ(dialogBoxIndirect(kSettings, panel, procedure), 77);
}

TEST_F(Dialogs, TabGoesThroughTheTabStopsAndTheArrowsThroughAGroup) {
    // Each answer of the script runs once the dialog's loop has handled the keys of the one before.
    std::vector<unsigned> visited;
    auto focusedId = [] { return static_cast<unsigned>(windowGetId(focusGet())); };
    for (int i = 0; i < 6; ++i)
        modalScriptPush([&, i](WindowHandle) {
            if (i > 0)
                visited.push_back(focusedId());
            display.typeKey(VK_TAB);
        });
    std::string selectedOnArrival;
    modalScriptPush([&](WindowHandle dialog) {
        visited.push_back(focusedId());
        std::uint32_t start = 0, end = 0;
        messageSend(dialogGetItem(dialog, 101), EM_GETSEL, reinterpret_cast<WParam>(&start),
                    reinterpret_cast<LParam>(&end));
        selectedOnArrival = std::to_string(start) + "-" + std::to_string(end);
        display.typeKey(VK_LSHIFT, -1, true);
        display.typeKey(VK_TAB);
        display.inject(InputEvent::keyOf(InputKind::KeyUp, VK_LSHIFT));
    });
    modalScriptPush([&](WindowHandle dialog) {
        visited.push_back(focusedId());
        dialogEnd(dialog, 0);
    });
    dialogBoxIndirect(kSettings, panel, procedure);
    EXPECT_EQ(visited, (std::vector<unsigned>{102, 104, 1, 2, 101, 102, 101}));
    EXPECT_EQ(selectedOnArrival, "0-6"); // a field reached by Tab is selected whole
    std::vector<unsigned> focused;
    std::vector<bool> checks;
    auto record = [&](WindowHandle dialog) {
        focused.push_back(focusedId());
        checks.push_back(messageSend(dialogGetItem(dialog, 102), BM_GETCHECK, 0, 0) == BST_CHECKED);
        checks.push_back(messageSend(dialogGetItem(dialog, 103), BM_GETCHECK, 0, 0) == BST_CHECKED);
    };
    modalScriptPush([&](WindowHandle dialog) {
        focusSet(dialogGetItem(dialog, 102));
        display.typeKey(VK_DOWN);
    });
    modalScriptPush([&](WindowHandle dialog) {
        record(dialog);
        display.typeKey(VK_DOWN); // round to the first of the group
    });
    modalScriptPush([&](WindowHandle dialog) {
        record(dialog);
        dialogEnd(dialog, 0);
    });
    dialogBoxIndirect(kSettings, panel, procedure);
    EXPECT_EQ(focused, (std::vector<unsigned>{103, 102}));
    EXPECT_EQ(checks, (std::vector<bool>{false, true, true, false}));
}

TEST_F(Dialogs, AModelessDialogLeavesTheMainLoopRunningAndEndingOnlyHidesIt) {
    endOnCommand();
    WindowHandle dialog = dialogCreateIndirect(kSettings, panel, procedure);
    ASSERT_NE(dialog, WindowHandle{});
    windowShow(dialog, SW_SHOWNORMAL);
    // The program's loop: messages, with the dialog's first, and the idle hook whenever none is left.
    int idlePasses = 0;
    auto runLoop = [&](int passes) {
        for (int i = 0; i < passes; ++i) {
            Message m;
            if (!messagePeek(m, PeekMode::Remove)) {
                ++idlePasses;
                continue;
            }
            if (!dialogRouteMessage(m)) {
                messageTranslate(m);
                messageDispatch(m);
            }
        }
    };
    runLoop(50);
    EXPECT_EQ(windowGetId(focusGet()), 101u);
    type("X");
    display.typeKey(VK_ESCAPE);
    runLoop(50);
    EXPECT_GT(idlePasses, 50);
    std::vector<WParam> clicks;
    for (const test::Received& r : dialogGot(WM_COMMAND))
        if (hiWord(r.wParam) == BN_CLICKED)
            clicks.push_back(r.wParam);
    EXPECT_EQ(clicks, std::vector<WParam>{commandWParam(2, BN_CLICKED)});
    EXPECT_TRUE(windowIsValid(dialog));
    EXPECT_FALSE(windowIsVisible(dialog));
    EXPECT_EQ(dialogGetItemText(dialog, 101), "X"); // the whole field was selected, typing replaced it
    // The panel's own keys are not the dialog's.
    Message enter;
    enter.window = panel;
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    EXPECT_FALSE(dialogRouteMessage(enter));
}

TEST_F(Dialogs, ADialogEndedWhileItStartsRunsNoLoop) {
    onDialog = [](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_INITDIALOG)
            dialogEnd(r.window, 7);
        return std::nullopt;
    };
    EXPECT_EQ(dialogBox(113, panel, procedure), 7); // a loop would have asked the script
    EXPECT_EQ(dialogBox(555, panel, procedure), -1);
    EXPECT_EQ(dialogCreate(555, panel, procedure), WindowHandle{});
    EXPECT_FALSE(dialogEnd(panel, 1));
}

TEST_F(Dialogs, ClosingIsCancelAndTheDialogChoosesItsBackground) {
    static const Brush navy = createSolidBrush(rgb(0, 0, 96));
    onDialog = [](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_CTLCOLORDLG)
            return static_cast<LResult>(classBackgroundBrush(&navy));
        return std::nullopt;
    };
    WindowHandle dialog = dialogCreate(114, panel, procedure);
    pump();
    Rect r = windowGetRect(dialog);
    auto screen = createDisplayDC();
    EXPECT_EQ(screen->getPixel({r.left + 5, r.bottom - 5}), rgb(0, 0, 96));
    EXPECT_EQ(screen->getPixel({r.left, r.top}), rgb(136, 148, 160)); // the frame, painted after
    messageSend(dialog, WM_CLOSE, 0, 0);
    auto commands = dialogGot(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(loWord(commands[0].wParam), 2);
    EXPECT_TRUE(windowIsValid(dialog)); // the dialog decides what Cancel does
}

TEST_F(Dialogs, NumbersInControlsAreReadStrictly) {
    WindowHandle edit = make("EDIT", "", ES_AUTOHSCROLL, {10, 10, 100, 30}, 5);
    auto read = [&](const char* text, bool isSigned, bool& ok) {
        windowSetText(edit, text);
        return dialogGetItemInt(panel, 5, &ok, isSigned);
    };
    bool ok = false;
    EXPECT_EQ(read(" 485 ", true, ok), 485);
    EXPECT_TRUE(ok);
    EXPECT_EQ(read("-12", true, ok), -12);
    EXPECT_TRUE(ok);
    EXPECT_EQ(read("-12", false, ok), 0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(read("12a", true, ok), 0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(read("", true, ok), 0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(read("2147483648", true, ok), 0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(read("-2147483648", true, ok), -2147483648L);
    EXPECT_TRUE(ok);
    EXPECT_EQ(read("4294967295", false, ok), 4294967295L);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(dialogSetItemInt(panel, 5, -300, true));
    EXPECT_EQ(windowGetText(edit), "-300");
    EXPECT_FALSE(dialogSetItemInt(panel, 6, 1, true));
    EXPECT_EQ(dialogGetItemInt(panel, 6, &ok, true), 0);
    EXPECT_FALSE(ok);
}

TEST_F(Dialogs, TheProgressBoxesLookTheirPart) {
    WindowHandle withButton = dialogCreate(113, panel, procedure);
    pump();
    EXPECT_TRUE(test::matchesGoldenIn(kFolder, *capture(withButton), "progress_113"));
    windowDestroy(withButton);
    WindowHandle withoutButton = dialogCreate(114, panel, procedure);
    pump();
    EXPECT_TRUE(test::matchesGoldenIn(kFolder, *capture(withoutButton), "progress_114"));
}

TEST_F(Dialogs, ADialogOfEveryKindOfControlLooksItsPart) {
    WindowHandle dialog = dialogCreateIndirect(kSettings, panel, procedure);
    windowShow(dialog, SW_SHOWNORMAL);
    pump();
    EXPECT_TRUE(test::matchesGoldenIn(kFolder, *capture(dialog), "settings"));
}

} // namespace
} // namespace q71
