// The multi-line edit: wrapping at the field's width, Return typing "\r\n" taken and erased as
// one, the caret moving by lines, the text scrolling vertically to keep the caret in view, whole
// lines only drawn, and the scroll bar and the wheel reaching every line.

#include "control_fixture.h"

#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/controls/text_lines.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"
#include "support/ink_rows.h"
#include "support/screen_picture.h"

#include <string>

namespace q71 {
namespace {

using MultiLineEdits = test::ControlTest;
constexpr int kId = 1310;

// `count` lines of capitals (no accent above, no tail below), the last one shorter.
std::string capitalLines(int count) {
    std::string text;
    for (int i = 1; i < count; ++i)
        text += "CAP AU NORD\r\n";
    return text + "FIN";
}

// The lines a field shows on the screen, read in its left half (clear of its scroll bar).
std::vector<test::InkRun> linesShown(WindowHandle field) {
    const Rect r = windowGetRect(field);
    return test::amberInkRuns(test::screenPicture(), {r.left, r.top, r.left + r.width() / 2, r.bottom});
}

// Every character 10 pixels wide.
int tenEach(std::string_view run) {
    return static_cast<int>(run.size()) * 10;
}

TEST(TextLines, BreaksAtReturnsAndWrapsBeforeWordsThatPassTheWidth) {
    struct Case {
        const char* what;
        std::string text;
        int width;
        std::vector<TextLine> lines;
    };
    const std::vector<Case> cases{
        {"empty", "", 100, {{0, 0}}},
        {"one short line", "cap 270", 100, {{0, 7}}},
        {"a paragraph break", "ab\r\ncd", 100, {{0, 2}, {4, 6}}},
        {"a break at the end", "ab\r\n", 100, {{0, 2}, {4, 4}}},
        {"two breaks", "a\r\n\r\nb", 100, {{0, 1}, {3, 3}, {5, 6}}},
        {"wrapped after a space", "route nord", 60, {{0, 6}, {6, 10}}},
        {"a word longer than the field", "abcdefgh", 30, {{0, 3}, {3, 6}, {6, 8}}},
        {"nothing fits", "ab", 5, {{0, 1}, {1, 2}}},
        {"a number's groups held together", "de 1 000 km", 80, {{0, 3}, {3, 11}}},
        {"a number longer than the field", "1 000 000", 50, {{0, 5}, {5, 9}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(textLinesLayout(c.text, c.width, tenEach), c.lines) << c.what;

    const auto lines = textLinesLayout("route nord\r\nsud", 60, tenEach); // {0,6} {6,10} {12,15}
    EXPECT_EQ(textLineOf(lines, 6), 1u) << "at a soft wrap the caret starts the later line";
    EXPECT_EQ(textLineOf(lines, 10), 1u) << "at a break it ends the earlier one";
    EXPECT_EQ(textLineOf(lines, 12), 2u);
    EXPECT_EQ(textLineOf(lines, 15), 2u);
}

TEST_F(MultiLineEdits, ReturnTypesABreakThatBackspaceTakesAwayWhole) {
    WindowHandle edit = make("EDIT", "", ES_MULTILINE | WS_BORDER, {10, 10, 200, 80}, kId);
    focusSet(edit);
    type("cap");
    display.typeKey(VK_RETURN);
    type("nord");
    pump();
    EXPECT_EQ(windowGetText(edit), "cap\r\nnord");
    EXPECT_EQ(messageSend(edit, EM_GETLINECOUNT, 0, 0), 2);
    // Left from the second line's start crosses the break as one step.
    display.typeKey(VK_HOME);
    display.typeKey(VK_LEFT);
    type("!");
    EXPECT_EQ(windowGetText(edit), "cap!\r\nnord");
    display.typeKey(VK_RIGHT);
    display.typeKey(VK_BACK);
    pump();
    EXPECT_EQ(windowGetText(edit), "cap!nord");
    display.typeKey(VK_LEFT);
    display.typeKey(VK_RETURN); // "cap\r\n!nord"
    pump();
    EXPECT_EQ(windowGetText(edit), "cap\r\n!nord");
    display.typeKey(VK_LEFT);
    display.typeKey(VK_DELETE);
    pump();
    EXPECT_EQ(windowGetText(edit), "cap!nord") << "Delete before a break takes it whole";
}

TEST_F(MultiLineEdits, UpAndDownKeepTheColumnAndTheTextScrollsToTheCaret) {
    WindowHandle edit = make("EDIT", "", ES_MULTILINE, {10, 10, 200, 40}, kId);
    std::string text;
    for (int i = 0; i < 8; ++i)
        text += (i ? "\r\n" : "") + std::string("ligne ") + std::to_string(i);
    windowSetText(edit, text);
    focusSet(edit);
    EXPECT_EQ(messageSend(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    display.typeKey(VK_RIGHT);
    display.typeKey(VK_RIGHT);
    for (int i = 0; i < 7; ++i)
        display.typeKey(VK_DOWN);
    type("X");
    EXPECT_NE(windowGetText(edit).find("liXgne 7"), std::string::npos) << "down keeps the column";
    const auto top = messageSend(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(top, 0) << "the last line is in view";
    for (int i = 0; i < 7; ++i)
        display.typeKey(VK_UP);
    pump();
    EXPECT_EQ(messageSend(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    // A single-line field keeps Return out of its text.
    WindowHandle single = make("EDIT", "", ES_AUTOHSCROLL, {10, 60, 200, 80}, kId + 1);
    focusSet(single);
    type("a");
    display.typeKey(VK_RETURN);
    pump();
    EXPECT_EQ(windowGetText(single), "a");
}

TEST_F(MultiLineEdits, AFieldOfAnyHeightShowsWholeLinesOnly) {
    for (int height = 30; height <= 90; height += 3) {
        WindowHandle edit = make("EDIT", capitalLines(12), ES_MULTILINE | WS_BORDER | WS_VSCROLL,
                                 {10, 10, 300, 10 + height}, kId);
        pump();
        const std::vector<test::InkRun> lines = linesShown(edit);
        ASSERT_FALSE(lines.empty()) << height;
        for (const test::InkRun& line : lines)
            EXPECT_EQ(line.height, lines[0].height) << "a line cut short, field " << height << " high";
        windowDestroy(edit);
    }
}

TEST_F(MultiLineEdits, TheTextGoesNoFurtherThanItsLastLineAndTheBarsArrowRepeatsWhileHeld) {
    WindowHandle edit =
        make("EDIT", capitalLines(12), ES_MULTILINE | WS_BORDER | WS_VSCROLL, {10, 10, 300, 75}, kId);
    pump();
    const auto first = [&] { return static_cast<int>(messageSend(edit, EM_GETFIRSTVISIBLELINE, 0, 0)); };
    const int last = 12 - static_cast<int>(linesShown(edit).size());
    ASSERT_GT(last, 3);
    messageSend(edit, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(first(), last);
    messageSend(edit, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(first(), last) << "no further than the last line";

    // The up arrow at the top right: a step, then repeats while held, and stops when let go.
    const Rect client = windowGetClientRect(edit);
    const Point up = windowClientToScreen(edit, {client.right - 4, client.top + 4});
    display.moveMouse(up);
    display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, up));
    pump();
    EXPECT_EQ(first(), last - 1);
    clock.advance(400);
    pump();
    clock.advance(50);
    pump();
    EXPECT_EQ(first(), last - 3);
    display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, up));
    pump();
    clock.advance(500);
    pump();
    EXPECT_EQ(first(), last - 3);
}

TEST_F(MultiLineEdits, InADialogReturnBreaksTheLineButTabStillMovesOn) {
    WindowHandle edit = make("EDIT", "", ES_MULTILINE, {10, 10, 200, 60}, kId);
    EXPECT_TRUE(messageSend(edit, WM_GETDLGCODE, VK_RETURN, 0) & DLGC_WANTALLKEYS);
    EXPECT_FALSE(messageSend(edit, WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTALLKEYS);
    EXPECT_FALSE(messageSend(edit, WM_GETDLGCODE, VK_ESCAPE, 0) & DLGC_WANTALLKEYS);
}

} // namespace
} // namespace q71
