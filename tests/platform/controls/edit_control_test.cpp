#include "control_fixture.h"

#include "platform/controls/control.h"
#include "platform/controls/control_look.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/gdi/font.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <algorithm>
#include <set>

namespace q71 {
namespace {

using Edits = test::ControlTest;

constexpr int kId = 1300;

std::pair<int, int> selectionOf(WindowHandle edit) {
    std::uint32_t start = 99, end = 99;
    messageSend(edit, EM_GETSEL, reinterpret_cast<WParam>(&start), reinterpret_cast<LParam>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

int changesIn(const std::vector<std::pair<int, int>>& commands) {
    return static_cast<int>(
        std::count(commands.begin(), commands.end(), std::pair<int, int>(kId, EN_CHANGE)));
}

TEST_F(Edits, TypedTextArrivesWithAChangeNotificationForEachCharacter) {
    WindowHandle edit = make("EDIT", "", ES_AUTOHSCROLL | WS_BORDER, {10, 10, 150, 30}, kId);
    focusSet(edit);
    type("cap 270");
    EXPECT_EQ(windowGetText(edit), "cap 270");
    auto sent = commands();
    EXPECT_EQ(sent.front(), (std::pair<int, int>(kId, EN_SETFOCUS)));
    EXPECT_EQ(changesIn(sent), 7);
    // The control is named in lParam.
    EXPECT_EQ(static_cast<WindowHandle>(receivedBy(panel, WM_COMMAND).back().lParam), edit);
    // Enter, Esc, Tab and Ctrl letters add nothing to a single line.
    display.typeKey(VK_RETURN);
    display.typeKey(VK_ESCAPE);
    display.typeKey(VK_TAB);
    display.typeKey(VK_LCONTROL, -1, true);
    display.typeKey('A');
    display.inject(InputEvent::keyOf(InputKind::KeyUp, VK_LCONTROL));
    pump();
    EXPECT_EQ(windowGetText(edit), "cap 270");
    EXPECT_EQ(changesIn(commands()), 7);
}

TEST_F(Edits, CaretKeysMoveAndShiftSelectsWhatTypingThenReplaces) {
    WindowHandle edit = make("EDIT", "immersion", ES_AUTOHSCROLL, {10, 10, 150, 30}, kId);
    focusSet(edit);
    display.typeKey(VK_END);
    typeShifted(VK_LEFT);
    typeShifted(VK_LEFT);
    pump();
    EXPECT_EQ(selectionOf(edit), (std::pair<int, int>(7, 9)));
    type("X");
    EXPECT_EQ(windowGetText(edit), "immersiX");
    display.typeKey(VK_HOME);
    display.typeKey(VK_DELETE);
    display.typeKey(VK_RIGHT);
    display.typeKey(VK_BACK, 8);
    pump();
    EXPECT_EQ(windowGetText(edit), "mersiX");
    // Left with a selection goes to its start.
    messageSend(edit, EM_SETSEL, 2, 5);
    display.typeKey(VK_LEFT);
    pump();
    EXPECT_EQ(selectionOf(edit), (std::pair<int, int>(2, 2)));
}

TEST_F(Edits, TheLimitStopsTypingAndSetTextStillNotifies) {
    WindowHandle edit = make("EDIT", "", ES_AUTOHSCROLL, {10, 10, 150, 30}, kId);
    messageSend(edit, EM_LIMITTEXT, 3, 0);
    focusSet(edit);
    type("1234");
    EXPECT_EQ(windowGetText(edit), "123");
    EXPECT_EQ(changesIn(commands()), 3);
    windowSetText(edit, "56789");
    EXPECT_EQ(windowGetText(edit), "56789");
    EXPECT_EQ(changesIn(commands()), 4);
    char small[4];
    EXPECT_EQ(messageSend(edit, WM_GETTEXT, sizeof small, reinterpret_cast<LParam>(small)), 3);
    EXPECT_STREQ(small, "567");
}

TEST_F(Edits, WithoutSideScrollingTheTextStopsAtTheRightEdge) {
    WindowHandle edit = make("EDIT", "", 0, {10, 10, 40, 30}, kId);
    focusSet(edit);
    type("0123456789012345");
    std::string shown = windowGetText(edit);
    EXPECT_FALSE(shown.empty());
    EXPECT_LT(shown.size(), 16u);
    EXPECT_EQ(std::string("0123456789012345").substr(0, shown.size()), shown);
}

TEST_F(Edits, SideScrollingFollowsTheCaretSoAClickAtTheLeftFindsALaterCharacter) {
    WindowHandle edit = make("EDIT", "", ES_AUTOHSCROLL, {10, 10, 60, 30}, kId);
    focusSet(edit);
    type("abcdefghijklmnopqrstuvwxyz");
    clickAt(edit, {1, 10});
    int clicked = selectionOf(edit).first;
    EXPECT_GT(clicked, 5);
    EXPECT_LT(clicked, 26);
    display.typeKey(VK_HOME);
    pump();
    clickAt(edit, {1, 10});
    EXPECT_EQ(selectionOf(edit).first, 0);
}

TEST_F(Edits, DraggingAndShiftClickingSelect) {
    WindowHandle edit = make("EDIT", "profondeur", ES_AUTOHSCROLL, {10, 10, 200, 30}, kId);
    Point left = windowClientToScreen(edit, {1, 10});
    Point right = windowClientToScreen(edit, {185, 10});
    display.moveMouse(left);
    display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, left));
    // Held, the field keeps the pointer beyond its edge.
    Point beyond = windowClientToScreen(edit, {260, 40});
    display.moveMouse(beyond);
    display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, beyond));
    pump();
    EXPECT_EQ(focusGet(), edit);
    EXPECT_EQ(selectionOf(edit), (std::pair<int, int>(0, 10)));
    clickAt(edit, {1, 10});
    EXPECT_EQ(selectionOf(edit), (std::pair<int, int>(0, 0)));
    display.typeKey(VK_LSHIFT, -1, true);
    display.click(right);
    display.inject(InputEvent::keyOf(InputKind::KeyUp, VK_LSHIFT));
    pump();
    EXPECT_EQ(selectionOf(edit), (std::pair<int, int>(0, 10)));
}

TEST_F(Edits, TheParentChoosesTheColoursAndADisabledFieldAsksAsAStatic) {
    static const Brush green = createSolidBrush(rgb(0, 248, 0));
    std::vector<std::uint32_t> asked;
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_CTLCOLOREDIT || r.message == WM_CTLCOLORSTATIC) {
            asked.push_back(r.message);
            deviceContextFromWParam(r.wParam)->setTextColor(rgb(248, 0, 0));
            return static_cast<LResult>(classBackgroundBrush(&green));
        }
        return std::nullopt;
    };
    WindowHandle edit = make("EDIT", "MMMM", ES_AUTOHSCROLL, {10, 10, 100, 30}, kId);
    pump();
    ASSERT_EQ(asked, std::vector<std::uint32_t>{WM_CTLCOLOREDIT});
    BitmapRef shot = capture(edit);
    PixelSurface s = shot->surface();
    int red = 0, green_ = 0;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            ColorRef c = s.decode(s.read(x, y));
            red += c == rgb(248, 0, 0);
            green_ += c == rgb(0, 248, 0);
        }
    EXPECT_GT(red, 20);
    EXPECT_GT(green_, 1000);
    windowEnable(edit, false);
    pump();
    EXPECT_EQ(asked.back(), WM_CTLCOLORSTATIC);
}

TEST_F(Edits, AReplacedProcedureSeesTypingFirstAndChainsToTheEditOnes) {
    static WindowProc editProcedure = nullptr;
    WindowHandle edit = make("EDIT", "", ES_AUTOHSCROLL, {10, 10, 150, 30}, kId);
    // As the game's edit boxes do: some characters are kept from the field.
    editProcedure = windowSetProc(edit, [](WindowHandle w, std::uint32_t m, WParam wp, LParam lp) -> LResult {
        if (m == WM_CHAR && !(wp >= '0' && wp <= '9') && wp != 8)
            return 0;
        return editProcedure(w, m, wp, lp);
    });
    focusSet(edit);
    type("a1b2");
    display.typeKey(VK_BACK, 8);
    type("34");
    EXPECT_EQ(windowGetText(edit), "134");
    windowDestroy(edit); // the edit's state goes with its last message, through the chain
    EXPECT_FALSE(windowIsValid(edit));
}

TEST_F(Edits, AParentMayDestroyTheFieldInAnswerToItsNotification) {
    WindowHandle edit = make("EDIT", "", ES_AUTOHSCROLL, {10, 10, 150, 30}, kId);
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_COMMAND && hiWord(r.wParam) == EN_CHANGE)
            windowDestroy(edit);
        return std::nullopt;
    };
    focusSet(edit);
    type("ab");
    EXPECT_FALSE(windowIsValid(edit));
    EXPECT_EQ(changesIn(commands()), 1);
}

TEST_F(Edits, TheCaretBlinksWhileTheFieldHasTheFocus) {
    WindowHandle edit = make("EDIT", "", ES_AUTOHSCROLL, {10, 10, 100, 30}, kId);
    auto caretPixels = [&] {
        BitmapRef shot = capture(edit);
        PixelSurface s = shot->surface();
        int amber = 0;
        for (int y = 0; y < s.height; ++y)
            amber += s.decode(s.read(1, y)) == colorFrom565(colorTo565(rgb(240, 176, 0)));
        return amber;
    };
    pump();
    EXPECT_EQ(caretPixels(), 0);
    focusSet(edit);
    pump();
    EXPECT_GT(caretPixels(), 5);
    clock.advance(500);
    pump();
    EXPECT_EQ(caretPixels(), 0);
    clock.advance(500);
    pump();
    EXPECT_GT(caretPixels(), 5);
}

TEST_F(Edits, ASelectionRedrawsItsTextWhereTheFieldDrawsIt) {
    // In a narrow face at a small size figures are set apart where their inks would touch, and a
    // word space is widened by what the letters on both sides of it leave; a selection painted over
    // the text must place them as the field does, at every start and end.
    constexpr ColorRef kInk = rgb(248, 0, 0);
    static const Brush paper = createSolidBrush(rgb(0, 0, 0));
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message != WM_CTLCOLOREDIT)
            return std::nullopt;
        deviceContextFromWParam(r.wParam)->setTextColor(kInk);
        return static_cast<LResult>(classBackgroundBrush(&paper));
    };
    LogFont narrow;
    narrow.height = -9;
    narrow.weight = 500;
    narrow.faceName = "Liberation Sans Narrow";
    const std::string text = "4973 faut une";
    WindowHandle edit = make("EDIT", text, ES_AUTOHSCROLL | ES_NOHIDESEL, {10, 10, 150, 30}, kId);
    messageSend(edit, WM_SETFONT, fontToWParam(Font::create(narrow)), 1);
    const ColorRef glass = colorFrom565(colorTo565(look::kGlass));
    // The pixels of the text, in the field's ink or, selected, in the selection's.
    auto letters = [&] {
        pump();
        BitmapRef shot = capture(edit);
        PixelSurface s = shot->surface();
        std::set<std::pair<int, int>> ink;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                if (const ColorRef c = s.decode(s.read(x, y)); c == kInk || c == glass)
                    ink.emplace(x, y);
        return ink;
    };
    const auto unselected = letters();
    ASSERT_GT(unselected.size(), 40u);
    for (std::size_t from = 0; from < text.size(); ++from)
        for (std::size_t to = from + 1; to <= text.size(); ++to) {
            messageSend(edit, EM_SETSEL, from, static_cast<LParam>(to));
            EXPECT_EQ(letters(), unselected) << "selected from " << from << " to " << to;
        }
}

} // namespace
} // namespace q71
