// The editor's "Textes et conditions" box as the player opens it over a mission with a long
// briefing: the briefing field shows whole lines at rest, and the wheel over it, its scroll bar
// and the caret reach every line it holds.

#include "editor_screen_fixture.h"

#include "editor/missioneditor/object_dialog.h"
#include "platform/controls/control_messages.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_layout.h"
#include "sim/simulation/scenario_file.h"
#include "support/ink_rows.h"
#include "support/screen_picture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace q71::test {
namespace {

constexpr int kBriefingLines = 12;
constexpr int kBriefingEdit = SettingsDialog::kFirstEdit + kScenarioBriefing;

// What the briefing field shows: its first line and the lines read off the screen in its left
// half, clear of its scroll bar.
struct BriefingView {
    int first = 0;
    std::vector<InkRun> lines;
};

BriefingView viewOf(WindowHandle field) {
    const Rect r = windowGetRect(field);
    return {static_cast<int>(messageSend(field, EM_GETFIRSTVISIBLELINE, 0, 0)),
            amberInkRuns(screenPicture(), {r.left, r.top, r.left + r.width() / 2, r.bottom})};
}

void expectWholeLines(const BriefingView& view, const char* when) {
    ASSERT_GT(view.lines.size(), 1u) << when;
    for (const InkRun& line : view.lines)
        EXPECT_EQ(line.height, view.lines[0].height) << "a line cut short " << when;
}

TEST_F(EditorScreen, TheBriefingShowsWholeLinesAndScrollsToAllItHolds) {
    ProMission& editor = enterEditor();
    ASSERT_TRUE(editor.newMission(0));
    std::string briefing;
    for (int i = 1; i < kBriefingLines; ++i)
        briefing += "CAP AU NORD\r\n";
    editor.document().texts[kScenarioBriefing] = briefing + "FIN";

    std::vector<BriefingView> seen;
    WindowHandle field{};
    // Each answer runs once the box has dealt with what the one before put in.
    modalScriptPush([&](WindowHandle box) {
        field = dialogGetItem(box, kBriefingEdit);
        seen.push_back(viewOf(field));
        saveScreenPicture("editor-settings-long-briefing");
        // The focus is in the first field: the wheel turns the briefing under the pointer.
        const Rect r = windowGetRect(field);
        display.turnWheel({r.left + 20, r.top + 10}, -1);
    });
    modalScriptPush([&](WindowHandle) {
        seen.push_back(viewOf(field));
        const Rect r = windowGetRect(field);
        display.turnWheel({r.left + 20, r.top + 10}, -20);
    });
    modalScriptPush([&](WindowHandle) {
        seen.push_back(viewOf(field));
        // The up arrow of the bar at the field's top right.
        const Rect r = windowGetRect(field);
        display.click({r.right - 4, r.top + 4});
    });
    modalScriptPush([&](WindowHandle) {
        seen.push_back(viewOf(field));
        // A click on the text puts the caret there; Up takes it to the first line, in view.
        const Rect r = windowGetRect(field);
        display.click({r.left + 20, r.top + r.height() / 2});
        for (int i = 0; i < kBriefingLines; ++i)
            display.typeKey(VK_UP);
    });
    modalScriptPush([&](WindowHandle box) {
        seen.push_back({static_cast<int>(messageSend(field, EM_GETFIRSTVISIBLELINE, 0, 0)), {}});
        messageSend(box, WM_COMMAND, kIdCancel, 0);
    });
    clickButton(kSettings);
    ASSERT_EQ(seen.size(), 5u);

    const BriefingView& atRest = seen[0];
    EXPECT_EQ(atRest.first, 0);
    expectWholeLines(atRest, "at rest");
    const int shown = static_cast<int>(atRest.lines.size());
    ASSERT_LT(shown, kBriefingLines) << "the briefing is longer than its field";

    EXPECT_GT(seen[1].first, 0) << "a notch of the wheel";
    expectWholeLines(seen[1], "after a notch");

    const BriefingView& atEnd = seen[2];
    EXPECT_EQ(atEnd.first, kBriefingLines - shown) << "the last line in view, and no further";
    expectWholeLines(atEnd, "at the end");
    ASSERT_EQ(static_cast<int>(atEnd.lines.size()), shown);
    EXPECT_LT(atEnd.lines.back().right, atEnd.lines.front().right) << "the short last line at the bottom";

    EXPECT_EQ(seen[3].first, kBriefingLines - shown - 1) << "the up arrow, a line";
    expectWholeLines(seen[3], "after the arrow");
    EXPECT_EQ(seen[4].first, 0) << "the caret's line in view";
}

} // namespace
} // namespace q71::test
