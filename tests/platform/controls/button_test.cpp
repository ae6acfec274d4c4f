#include "control_fixture.h"

#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

namespace q71 {
namespace {

class Buttons : public test::ControlTest {
protected:
    int clicks(int id) const {
        int n = 0;
        for (auto [from, code] : commands())
            n += from == id && code == static_cast<int>(BN_CLICKED);
        return n;
    }
    static bool checked(WindowHandle button) { return messageSend(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
};

TEST_F(Buttons, APushButtonClicksWhenReleasedOverItOrBySpace) {
    WindowHandle ok = make("BUTTON", "OK", BS_DEFPUSHBUTTON, {10, 10, 90, 33}, 1);
    clickAt(ok, {10, 10});
    EXPECT_EQ(clicks(1), 1);
    EXPECT_EQ(focusGet(), ok);
    // Pressed, then dragged off: it comes up without a click, and shows it.
    Point on = windowClientToScreen(ok, {10, 10}), off = windowClientToScreen(ok, {200, 10});
    display.moveMouse(on);
    display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, on));
    pump();
    EXPECT_EQ(messageSend(ok, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    display.moveMouse(off);
    pump();
    EXPECT_EQ(messageSend(ok, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, off));
    pump();
    EXPECT_EQ(clicks(1), 1);
    display.typeKey(VK_SPACE, ' ');
    pump();
    EXPECT_EQ(clicks(1), 2);
    messageSend(ok, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks(1), 3);
    windowEnable(ok, false);
    messageSend(ok, BM_CLICK, 0, 0);
    clickAt(ok, {10, 10});
    EXPECT_EQ(clicks(1), 3);
}

TEST_F(Buttons, CheckBoxesTurnThemselvesOnlyWhenAutomatic) {
    WindowHandle automatic = make("BUTTON", "Sonar actif", BS_AUTOCHECKBOX, {10, 10, 150, 26}, 20);
    WindowHandle manual = make("BUTTON", "Radar", BS_CHECKBOX, {10, 40, 150, 56}, 21);
    clickAt(automatic, {5, 8});
    clickAt(manual, {5, 8});
    EXPECT_TRUE(checked(automatic));
    EXPECT_FALSE(checked(manual)); // its parent decides
    EXPECT_EQ(clicks(20), 1);
    EXPECT_EQ(clicks(21), 1);
    messageSend(manual, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(checked(manual));
    clickAt(automatic, {5, 8});
    EXPECT_FALSE(checked(automatic));
}

TEST_F(Buttons, AnAutomaticRadioButtonIsTheOnlyOneCheckedInItsGroup) {
    WindowHandle a = make("BUTTON", "Lent", BS_AUTORADIOBUTTON | WS_GROUP, {10, 10, 120, 26}, 30);
    WindowHandle b = make("BUTTON", "Moyen", BS_AUTORADIOBUTTON, {10, 30, 120, 46}, 31);
    WindowHandle c = make("BUTTON", "Rapide", BS_AUTORADIOBUTTON, {10, 50, 120, 66}, 32);
    WindowHandle other = make("BUTTON", "Surface", BS_AUTORADIOBUTTON | WS_GROUP, {10, 70, 120, 86}, 33);
    messageSend(other, BM_SETCHECK, BST_CHECKED, 0);
    clickAt(a, {5, 8});
    clickAt(c, {5, 8});
    EXPECT_FALSE(checked(a));
    EXPECT_FALSE(checked(b));
    EXPECT_TRUE(checked(c));
    EXPECT_TRUE(checked(other)); // another group
    clickAt(b, {5, 8});
    EXPECT_TRUE(checked(b));
    EXPECT_FALSE(checked(c));
}

TEST_F(Buttons, EachKindTellsTheDialogManagerWhatItIs) {
    auto codeOf = [&](std::uint32_t style) {
        WindowHandle button = make("BUTTON", "x", style, {10, 10, 50, 30}, 40);
        LResult code = messageSend(button, WM_GETDLGCODE, 0, 0);
        windowDestroy(button);
        return code;
    };
    EXPECT_EQ(codeOf(BS_PUSHBUTTON), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(codeOf(BS_DEFPUSHBUTTON), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(codeOf(BS_AUTORADIOBUTTON), DLGC_BUTTON | DLGC_RADIOBUTTON);
    EXPECT_EQ(codeOf(BS_AUTOCHECKBOX), DLGC_BUTTON);
    EXPECT_EQ(codeOf(BS_GROUPBOX), DLGC_STATIC);
    WindowHandle label = make("STATIC", "Cap", SS_LEFT, {10, 10, 50, 30}, 41);
    EXPECT_EQ(messageSend(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(Buttons, AGroupBoxAndAStaticTakeNoClickNorFocus) {
    WindowHandle group = make("BUTTON", "Armes", BS_GROUPBOX, {10, 10, 200, 100}, 50);
    WindowHandle label = make("STATIC", "Immersion", SS_CENTER, {10, 110, 200, 130}, 51);
    focusSet(panel);
    clickAt(group, {50, 50});
    // Only its frame and label belong to a group box: a click inside reaches what lies under it.
    EXPECT_EQ(receivedBy(panel, WM_LBUTTONDOWN).size(), 1u);
    clickAt(group, {1, 50});
    EXPECT_EQ(receivedBy(panel, WM_LBUTTONDOWN).size(), 1u);
    clickAt(label, {50, 5});
    EXPECT_EQ(focusGet(), panel);
    EXPECT_TRUE(commands().empty());
    received.clear();
    windowSetText(label, "Vitesse");
    EXPECT_EQ(windowGetText(label), "Vitesse");
    EXPECT_TRUE(receivedBy(panel, WM_CTLCOLORSTATIC).empty());
    pump();
    EXPECT_FALSE(receivedBy(panel, WM_CTLCOLORSTATIC).empty()); // the new text was painted
}

} // namespace
} // namespace q71
