// The editor's files as the player meets them: every scenario of the data set, opened through
// the file box and saved unchanged, is the same file byte for byte; a game mission opened goes by
// its name, and a save writes it as one of the player's kinds; the save box asks nothing
// when the open document is saved again under its own name, asks before it replaces another
// file, and asks before a scenario of the data set's name goes into the player's folder, where
// it takes the data set's place; what a scenario opened brings shows on the map at once.

#include "editor_screen_fixture.h"

#include "editor/missioneditor/editor_layout.h"
#include "editor/missioneditor/goal_form.h"
#include "frontend/scenario_files/scenario_file_dialog.h"
#include "platform/controls/control_messages.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/files/path.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "sim/simulation/scenario_reader.h"
#include "support/screen_picture.h"
#include "whole_letters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace q71::test {
namespace {

std::vector<char> bytesOf(const std::string& programPath) {
    std::ifstream in(fileResolvePath(programPath), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int switchOf(ScenarioEnding ending) {
    switch (ending) {
    case ScenarioEnding::Network:
        return ScenarioFileDialog::kNetwork;
    case ScenarioEnding::DataSet:
        return ScenarioFileDialog::kDataSet;
    default:
        return ScenarioFileDialog::kSingle;
    }
}

class EditorFiles : public EditorScreen {
protected:
    /// Opens a scenario through the open box, its kind switched on and its name typed.
    bool open(ProMission& editor, const std::string& name, ScenarioEnding ending) {
        modalScriptPush([name, ending](WindowHandle box) {
            messageSend(dialogGetItem(box, switchOf(ending)), BM_CLICK, 0, 0);
            dialogSetItemText(box, ScenarioFileDialog::kName, name);
            messageSend(box, WM_COMMAND, kIdOk, 0);
        });
        return editor.openScenario();
    }
    /// Saves through the save box under the name typed (none: the name it offers), answering
    /// each question of the box with `answer`; returns how many it asked.
    int save(ProMission& editor, const std::string& typed, int answer = kIdYes) {
        auto asked = std::make_shared<int>(0);
        modalScriptPush([typed](WindowHandle box) {
            if (!typed.empty())
                dialogSetItemText(box, ScenarioFileDialog::kName, typed);
            messageSend(box, WM_COMMAND, kIdOk, 0);
        });
        // The box's questions, and the editor's warnings once it is saved.
        modalScriptSetUnansweredHandler([asked, answer](WindowHandle box) {
            ++*asked;
            modalLoopEnd(box, answer);
        });
        editor.save();
        modalScriptSetUnansweredHandler(nullptr);
        return *asked;
    }
};

TEST_F(EditorFiles, EveryScenarioOfTheDataSetOpenedAndSavedUnchangedIsTheSameFile) {
    ProMission& editor = enterEditor();
    // The scenarios as the open box lists them, taken before the player's folder holds any.
    std::vector<std::pair<std::string, ScenarioEnding>> scenarios;
    for (const ScenarioEnding ending : {ScenarioEnding::DataSet, ScenarioEnding::Network, ScenarioEnding::Single})
        for (const std::string& name : scenarioFilesWith(ending))
            scenarios.emplace_back(name, ending);
    EXPECT_GT(scenarios.size(), 2u) << "the data set's missions and its network scenarios";
    for (const auto& [name, ending] : scenarios) {
        const std::string source = scenarioDataSetFolder() + "\\" + name;
        const std::vector<char> before = bytesOf(source);
        ASSERT_FALSE(before.empty()) << name;
        ASSERT_TRUE(open(editor, name, ending)) << name;
        EXPECT_EQ(editor.fileName(), name);
        // A data set's own kind is saved under a name of the player's; his kinds under their own.
        const bool copy = ending == ScenarioEnding::DataSet;
        const std::string savedAs = copy ? "copie-" + name + ".scu" : name;
        save(editor, copy ? savedAs : std::string());
        ASSERT_EQ(editor.fileName(), savedAs) << name;
        EXPECT_FALSE(editor.document().changed) << name;
        const std::vector<char> after = bytesOf(scenarioPlayersFolder() + "\\" + savedAs);
        ASSERT_EQ(after.size(), before.size()) << name;
        std::size_t differing = 0;
        for (std::size_t i = 0; i < before.size(); ++i)
            differing += before[i] != after[i];
        EXPECT_EQ(differing, 0u) << name << ": bytes changed by a save of what was opened";
        EXPECT_EQ(bytesOf(source), before) << name << ": the data set's file is only read";
    }
}

TEST_F(EditorFiles, ADataSetsNetworkScenarioGoesIntoThePlayersFolderOnlyOnceHeAgreesAndThenSavesAsHis) {
    ProMission& editor = enterEditor();
    ASSERT_TRUE(open(editor, "Convoi.scm", ScenarioEnding::Network));
    const std::string copy = scenarioPlayersFolder() + "\\Convoi.scm";

    // No keeps the box open, and nothing is written.
    modalScriptPush([](WindowHandle box) { messageSend(box, WM_COMMAND, kIdOk, 0); });
    const auto asked = answerNextBox(kIdNo);
    modalScriptPush([](WindowHandle box) { messageSend(box, WM_COMMAND, kIdCancel, 0); });
    EXPECT_FALSE(editor.save());
    EXPECT_TRUE(*asked);
    EXPECT_FALSE(fileExists(copy));

    EXPECT_EQ(save(editor, ""), 1) << "asked once, then saved";
    EXPECT_TRUE(fileExists(copy));
    EXPECT_EQ(save(editor, ""), 0) << "the player's copy saved again under its name";

    // Another mission saved under that name asks before it replaces the copy.
    ASSERT_TRUE(editor.newMission(0));
    clickButton(kStart);
    clickMap(editor, kCentre, kCentre);
    EXPECT_EQ(save(editor, "autre.scm"), 0) << "a new file";
    EXPECT_EQ(save(editor, "Convoi.scm", kIdNo), 2) << "the question, then the box ended";
    EXPECT_EQ(editor.fileName(), "autre.scm");
    EXPECT_EQ(save(editor, "Convoi.scm"), 1);
    EXPECT_EQ(editor.fileName(), "Convoi.scm");
}

TEST_F(EditorFiles, AGameMissionOpensUnderItsNameAndASaveWritesItAsTheKindChosen) {
    ProMission& editor = enterEditor();
    const std::string shipped = scenarioDataSetFolder() + "\\Ta3.scn";
    const std::vector<char> shippedBytes = bytesOf(shipped);
    ASSERT_FALSE(shippedBytes.empty());
    DrawnTexts drawn;
    // The name on the file glass, as the screen draws it once things settle.
    const auto glassShows = [&](const std::string& name) {
        run(200);
        const bool shown = spellOut(drawn.in(editor_layout::kFileGlass), name);
        drawn.clear();
        return shown;
    };

    ASSERT_TRUE(open(editor, "Ta3.scn", ScenarioEnding::DataSet));
    EXPECT_TRUE(glassShows("Ta3.scn")) << "an opened game mission goes by its name, as the others do";
    EXPECT_TRUE(editor.document().changed) << "a copy not yet saved";

    // Saved through the box: the kind chosen, then the game mission's name typed with its ending.
    const auto saveAs = [&](int kind, const std::string& typed, const std::string& offered) {
        modalScriptPush([=](WindowHandle box) {
            EXPECT_EQ(dialogGetItemText(box, ScenarioFileDialog::kName), offered);
            messageSend(dialogGetItem(box, kind), BM_CLICK, 0, 0);
            dialogSetItemText(box, ScenarioFileDialog::kName, typed);
            messageSend(box, WM_COMMAND, kIdOk, 0);
        });
        modalScriptSetUnansweredHandler([](WindowHandle box) { modalLoopEnd(box, kIdOk); }); // any warning
        const bool saved = editor.save();
        modalScriptSetUnansweredHandler(nullptr);
        return saved;
    };
    ASSERT_TRUE(saveAs(ScenarioFileDialog::kNetwork, "Ta3.scn", "Ta3.scu"));
    EXPECT_EQ(editor.fileName(), "Ta3.scm");
    EXPECT_TRUE(glassShows("Ta3.scm"));
    EXPECT_FALSE(editor.document().changed);
    ASSERT_TRUE(saveAs(ScenarioFileDialog::kSingle, " Ta3.SCN ", "Ta3.scm"));
    EXPECT_EQ(editor.fileName(), "Ta3.scu");
    EXPECT_TRUE(glassShows("Ta3.scu"));

    std::vector<std::string> written = fileNamesIn(scenarioPlayersFolder());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"Ta3.scm", "Ta3.scu"})) << "the player's two kinds, nothing else";
    EXPECT_EQ(bytesOf(scenarioPlayersFolder() + "\\Ta3.scu"), shippedBytes) << "the mission as it was opened";
    EXPECT_EQ(bytesOf(shipped), shippedBytes) << "the data set's file is only read";
}

TEST_F(EditorFiles, AnOpenedScenariosGoalAreaShowsOnTheMapAtOnce) {
    ProMission& editor = enterEditor();
    // A mission with a start and a goal area far from it, in a corner of the map that the file
    // box does not cover.
    ASSERT_TRUE(editor.newMission(0));
    clickButton(kStart);
    clickMap(editor, kCentre + 60000.0, kCentre + 60000.0);
    GoalNode reach;
    reach.kind = kGoalReachArea;
    reach.centreX = kCentre - 220000.0;
    reach.centreY = kCentre - 220000.0;
    reach.radius = 10000.0;
    editor.document().goals.addNode(reach, nullptr);
    save(editor, "zone");
    ASSERT_EQ(editor.fileName(), "zone.scu");

    // Opened over a new mission of its area, which cuts no new region.
    ASSERT_TRUE(editor.newMission(0));
    run(200);
    ASSERT_TRUE(open(editor, "zone.scu", ScenarioEnding::Single));
    run(200);
    const RgbImage opened = screenPicture();
    int amber = 0;
    const Rect& map = editor_layout::kMap;
    for (int y = map.top; y < map.bottom; ++y)
        for (int x = map.left; x < map.right; ++x) {
            // The area's colour, 255, 176, 48, as the screen holds it.
            const std::uint8_t* p = &opened.pixels[static_cast<std::size_t>((y * opened.width + x) * 3)];
            amber += p[0] >= 247 && std::abs(p[1] - 176) <= 8 && std::abs(p[2] - 48) <= 8;
        }
    EXPECT_GT(amber, 0) << "the goal area's circle";
    editor.map()->invalidate(nullptr, false);
    run(200);
    EXPECT_TRUE(screenPicture() == opened) << "the map as opened is the map drawn whole";
}

} // namespace
} // namespace q71::test
