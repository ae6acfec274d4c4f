// Golden images of each control in its normal, focused and disabled states, one above the other.
// Run with Q71_UPDATE_GOLDEN=1 to write them again (and look at each before committing it).

#include "control_fixture.h"
#include "support/golden_image.h"

#include "platform/controls/control.h"
#include "platform/controls/control_look.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/gdi/blit.h"
#include "platform/window/focus.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <algorithm>
#include <functional>

namespace q71 {
namespace {

constexpr const char* kFolder = "tests/platform/controls/golden";
constexpr int kGap = 4;

class ControlLooks : public test::ControlTest {
protected:
    // Controls in the interface font, as dialogs and screens give them.
    WindowHandle make(std::string_view className, std::string_view text, std::uint32_t style, Rect rect,
                      int id) {
        WindowHandle control = ControlTest::make(className, text, style, rect, id);
        messageSend(control, WM_SETFONT, fontToWParam(font), 1);
        return control;
    }
    FontRef font = look::interfaceFont(-12, kFontWeightNormal);

    // The control as it shows unfocused, focused and disabled, stacked with a gap between.
    BitmapRef threeStates(WindowHandle control, WindowHandle focusTarget = {}) {
        std::vector<BitmapRef> shots;
        pump();
        shots.push_back(capture(control));
        focusSet(focusTarget != WindowHandle{} ? focusTarget : control);
        pump();
        shots.push_back(capture(control));
        focusSet(panel);
        windowEnable(control, false);
        pump();
        shots.push_back(capture(control));
        return stacked(shots);
    }
    static BitmapRef stacked(const std::vector<BitmapRef>& shots) {
        int width = 0, height = 0;
        for (const BitmapRef& shot : shots) {
            width = std::max(width, shot->width());
            height += shot->height() + kGap;
        }
        test::Canvas canvas(width, height - kGap);
        auto source = DeviceContext::createMemory();
        int y = 0;
        for (const BitmapRef& shot : shots) {
            source->selectBitmap(shot);
            bitBlt(*canvas.dc, 0, y, shot->width(), shot->height(), source.get(), 0, 0, kSrcCopy);
            y += shot->height() + kGap;
        }
        return canvas.bitmap;
    }
};

TEST_F(ControlLooks, EditField) {
    WindowHandle edit = make("EDIT", "Cap 270", ES_AUTOHSCROLL | WS_BORDER, {10, 10, 130, 30}, 1);
    messageSend(edit, EM_SETSEL, 4, 7);
    EXPECT_TRUE(test::matchesGoldenIn(kFolder, *threeStates(edit), "edit"));
}

TEST_F(ControlLooks, ListBox) {
    WindowHandle list = make("LISTBOX", "", LBS_NOTIFY | WS_BORDER | WS_VSCROLL, {10, 10, 150, 80}, 1);
    for (const char* contact : {"Sierra 1", "Sierra 2", "Master 1", "Master 2", "Sierra 3", "Sierra 4"})
        messageSend(list, LB_ADDSTRING, 0, reinterpret_cast<LParam>(contact));
    messageSend(list, LB_SETCURSEL, 1, 0);
    EXPECT_TRUE(test::matchesGoldenIn(kFolder, *threeStates(list), "list_box"));
}

TEST_F(ControlLooks, ComboBoxClosedAndDropped) {
    WindowHandle box = make("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, {10, 10, 140, 90}, 1);
    for (const char* contact : {"Sierra 1", "Sierra 2", "Master 1", "Master 2", "Sierra 3", "Sierra 4"})
        messageSend(box, CB_ADDSTRING, 0, reinterpret_cast<LParam>(contact));
    messageSend(box, CB_SETCURSEL, 1, 0);
    EXPECT_TRUE(test::matchesGoldenIn(kFolder, *threeStates(box), "combo_box"));
    windowEnable(box, true);
    messageSend(box, CB_SHOWDROPDOWN, 1, 0);
    pump();
    WindowHandle list = windowFind("ComboLBox");
    EXPECT_TRUE(test::matchesGoldenIn(kFolder, *stacked({capture(box), capture(list)}), "combo_box_dropped"));
}

TEST_F(ControlLooks, ComboBoxWithAnEditField) {
    WindowHandle box = make("COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL, {10, 10, 140, 90}, 1);
    messageSend(box, CB_ADDSTRING, 0, reinterpret_cast<LParam>("Sierra 1"));
    messageSend(box, CB_SETCURSEL, 0, 0);
    EXPECT_TRUE(test::matchesGoldenIn(kFolder, *threeStates(box), "combo_box_edit"));
}

TEST_F(ControlLooks, Buttons) {
    struct Kind {
        const char* name;
        const char* text;
        std::uint32_t style;
        bool check;
    };
    const Kind kinds[] = {{"push_button", "Annuler", BS_PUSHBUTTON, false},
                          {"default_button", "OK", BS_DEFPUSHBUTTON, false},
                          {"check_box", "Sonar actif", BS_AUTOCHECKBOX, true},
                          {"radio_button", "Surface", BS_AUTORADIOBUTTON, true}};
    for (const Kind& kind : kinds) {
        WindowHandle button = make("BUTTON", kind.text, kind.style, {10, 10, 110, 33}, 1);
        if (kind.check)
            messageSend(button, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_TRUE(test::matchesGoldenIn(kFolder, *threeStates(button), kind.name)) << kind.name;
        windowDestroy(button);
    }
    WindowHandle pushed = make("BUTTON", "Feu", BS_PUSHBUTTON, {10, 10, 110, 33}, 1);
    messageSend(pushed, BM_SETSTATE, 1, 0);
    pump();
    EXPECT_TRUE(test::matchesGoldenIn(kFolder, *capture(pushed), "push_button_pushed"));
}

TEST_F(ControlLooks, GroupBoxAndStatics) {
    WindowHandle group = make("BUTTON", "R\xE9glages", BS_GROUPBOX, {10, 10, 190, 110}, 1);
    make("STATIC", "Gauche", SS_LEFT, {20, 30, 180, 46}, 2);
    make("STATIC", "Au centre", SS_CENTER, {20, 50, 180, 66}, 3);
    make("STATIC", "Droite", SS_RIGHT, {20, 70, 180, 86}, 4);
    WindowHandle dimmed = make("STATIC", "Inactif", SS_LEFT, {20, 90, 180, 106}, 5);
    windowEnable(dimmed, false);
    pump();
    EXPECT_TRUE(test::matchesGoldenIn(kFolder, *capture(group), "group_and_statics"));
}

} // namespace
} // namespace q71
