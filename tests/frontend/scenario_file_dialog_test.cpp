// The scenario file box: the names a typed text gives, the player's files of each ending, and the
// box itself: the switch between endings, a row taken by a click or a double click, the names it
// refuses with the box kept open, and the questions before a save replaces another file or puts
// a scenario of a data-set name into the player's folder.
#include "frontend/scenario_files/scenario_file_dialog.h"
#include "frontend_fixture.h"
#include "framework/app/shell.h"
#include "platform/controls/control_messages.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/message_ids.h"
#include "platform/window/focus.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "sim/support/scoped_folders.h"
#include "support/screen_picture.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

using Fault = ScenarioNameFault;

TEST(ScenarioFileNames, ATypedNameGetsTheChosenEndingUnlessItHasOneAndBadNamesAreRefused) {
    const std::string longest(60, 'a'); // with ".scu", 64 bytes
    struct Case {
        std::string typed;
        ScenarioEnding chosen;
        Fault fault;
        std::string name;
        bool opening = false;
    } cases[] = {
        {"mission", ScenarioEnding::Single, Fault::None, "mission.scu"},
        {"  Golfe nord  ", ScenarioEnding::Network, Fault::None, "Golfe nord.scm"},
        {"Patrouille.SCM", ScenarioEnding::Single, Fault::None, "Patrouille.SCM"},
        {"a.scu", ScenarioEnding::Network, Fault::None, "a.scu"},
        {"notes.txt", ScenarioEnding::Single, Fault::None, "notes.txt.scu"},
        {"Sa1", ScenarioEnding::DataSet, Fault::None, "Sa1.scn"},
        {"Sa1.SCN", ScenarioEnding::DataSet, Fault::None, "Sa1.SCN"},
        {"mine.scu", ScenarioEnding::DataSet, Fault::None, "mine.scu"},
        // A save never writes the data set's kind: the chosen one takes its place.
        {"Sa1.scn", ScenarioEnding::Single, Fault::None, "Sa1.scu"},
        {" Ta3.SCN ", ScenarioEnding::Network, Fault::None, "Ta3.scm"},
        {"Sa1.scn.scm", ScenarioEnding::Single, Fault::None, "Sa1.scn.scm"},
        {longest + "a.scn", ScenarioEnding::Single, Fault::TooLong, ""},
        {longest + ".scn", ScenarioEnding::Network, Fault::None, longest + ".scm"},
        {"Sa1.scn", ScenarioEnding::Network, Fault::None, "Sa1.scn", true}, // an open box takes it
        {"\xE9t\xE9", ScenarioEnding::Single, Fault::None, "\xE9t\xE9.scu"},
        {longest, ScenarioEnding::Single, Fault::None, longest + ".scu"},
        {longest + "a", ScenarioEnding::Single, Fault::TooLong, ""},
        {longest + "a.scm", ScenarioEnding::Single, Fault::TooLong, ""},
        {"", ScenarioEnding::Single, Fault::Empty, ""},
        {"   ", ScenarioEnding::Network, Fault::Empty, ""},
        {"../mission", ScenarioEnding::Single, Fault::BadCharacter, ""},
        {"Scenario\\x", ScenarioEnding::Single, Fault::BadCharacter, ""},
        {"c:x", ScenarioEnding::Single, Fault::BadCharacter, ""},
        {"quoi?", ScenarioEnding::Single, Fault::BadCharacter, ""},
        {"a*", ScenarioEnding::Single, Fault::BadCharacter, ""},
        {"<a>", ScenarioEnding::Single, Fault::BadCharacter, ""},
        {"a|b", ScenarioEnding::Single, Fault::BadCharacter, ""},
        {"\"a\"", ScenarioEnding::Single, Fault::BadCharacter, ""},
        {"tab\tbed", ScenarioEnding::Single, Fault::BadCharacter, ""},
    };
    for (const Case& c : cases) {
        std::string name = "unchanged";
        EXPECT_EQ(scenarioFileNameOf(c.typed, c.chosen, c.opening, name), c.fault) << c.typed;
        EXPECT_EQ(name, c.fault == Fault::None ? c.name : "unchanged") << c.typed;
    }
}

TEST(ScenarioFileNames, AnEndingIsReplacedByTheChosenOneAndANameWithoutOneIsKept) {
    EXPECT_EQ(scenarioNameWithEnding("Golfe.scu", ScenarioEnding::Network), "Golfe.scm");
    EXPECT_EQ(scenarioNameWithEnding("Golfe.SCM", ScenarioEnding::Single), "Golfe.scu");
    EXPECT_EQ(scenarioNameWithEnding("Sa1.scn", ScenarioEnding::Network), "Sa1.scm");
    EXPECT_EQ(scenarioNameWithEnding("Golfe", ScenarioEnding::Network), "Golfe");
    EXPECT_EQ(scenarioNameWithEnding("notes.txt", ScenarioEnding::DataSet), "notes.txt");
    EXPECT_EQ(scenarioNameWithEnding("", ScenarioEnding::Single), "");
}

TEST(ScenarioFileNames, ThePlayersFilesOfAnEndingAreListedWithoutRegardToCase) {
    test::PlayerFolder player;
    for (const char* name : {"b.scu", "A.scu", "c.SCU", "d.scm", "e.scn", "f.scu.bak", "Sub.scu/x.scu"})
        player.dir().write(std::string("q71/Scenario/") + name, "");
    EXPECT_EQ(scenarioFilesWith(ScenarioEnding::Single), (std::vector<std::string>{"A.scu", "b.scu", "c.SCU"}));
    // The data set's network scenarios are listed with the player's.
    EXPECT_EQ(scenarioFilesWith(ScenarioEnding::Network),
              (std::vector<std::string>{"Convoi.scm", "d.scm", "Duel.scm"}));
    test::DataFolder data;
    for (const char* name : {"Sa1.scn", "Ca1.scn", "a.cdf", "mine.scu"})
        data.write(std::string("Scenario/") + name, "");
    EXPECT_EQ(scenarioFilesWith(ScenarioEnding::DataSet), (std::vector<std::string>{"Ca1.scn", "Sa1.scn"}))
        << "the data set's own, never the player's";
}

class ScenarioFileBox : public test::FrontEndFixture {
protected:
    void putScenario(const std::string& name) { player.dir().write("q71/Scenario/" + name, "x"); }

    static int rows(WindowHandle box) {
        return static_cast<int>(messageSend(dialogGetItem(box, ScenarioFileDialog::kList), LB_GETCOUNT, 0, 0));
    }
    static void chooseRow(WindowHandle box, int row, std::uint32_t how) {
        messageSend(dialogGetItem(box, ScenarioFileDialog::kList), LB_SETCURSEL, static_cast<WParam>(row), 0);
        messageSend(box, WM_COMMAND, (static_cast<WParam>(how) << 16) | ScenarioFileDialog::kList, 0);
    }
    static bool checked(WindowHandle box, int id) {
        return messageSend(dialogGetItem(box, id), BM_GETCHECK, 0, 0) == static_cast<LResult>(BST_CHECKED);
    }
    static void typeAndOk(WindowHandle box, const std::string& name) {
        dialogSetItemText(box, ScenarioFileDialog::kName, name);
        messageSend(box, WM_COMMAND, kIdOk, 0);
    }
};

TEST_F(ScenarioFileBox, OpeningListsOneEndingAtATimeAndTakesAChosenRow) {
    putScenario("Convoi.scu");
    putScenario("alpha.scu");
    putScenario("duel.scm");
    ScenarioFileDialog box(appMainWindow(), ScenarioFileDialog::Purpose::Open, ScenarioEnding::Single);
    modalScriptPush([](WindowHandle window) {
        test::saveScreenPicture("scenario-file");
        EXPECT_EQ(windowGetText(window), "Ouvrir un sc\xE9nario");
        EXPECT_TRUE(checked(window, ScenarioFileDialog::kSingle));
        EXPECT_FALSE(checked(window, ScenarioFileDialog::kNetwork));
        EXPECT_EQ(rows(window), 2);
        chooseRow(window, 1, LBN_SELCHANGE);
        EXPECT_EQ(dialogGetItemText(window, ScenarioFileDialog::kName), "Convoi.scu") << "sorted without case";
        messageSend(dialogGetItem(window, ScenarioFileDialog::kNetwork), BM_CLICK, 0, 0);
        EXPECT_TRUE(checked(window, ScenarioFileDialog::kNetwork));
        EXPECT_FALSE(checked(window, ScenarioFileDialog::kSingle));
        // The player's "duel.scm" stands for the data set's "Duel.scm"; its "Convoi.scm" comes too.
        EXPECT_EQ(rows(window), 2);
        chooseRow(window, 1, LBN_DBLCLK);
    });
    EXPECT_EQ(box.show(), kIdOk);
    EXPECT_EQ(box.fileName(), "duel.scm");
    EXPECT_EQ(box.ending(), ScenarioEnding::Network);
}

TEST_F(ScenarioFileBox, TheWheelTurnsTheListUnderThePointerWhileTheNameFieldHasTheFocus) {
    for (int i = 0; i < 40; ++i)
        putScenario("mission" + std::to_string(100 + i) + ".scu");
    for (const auto purpose : {ScenarioFileDialog::Purpose::Open, ScenarioFileDialog::Purpose::Save}) {
        ScenarioFileDialog box(appMainWindow(), purpose, ScenarioEnding::Single);
        modalScriptPush([this](WindowHandle window) {
            const WindowHandle list = dialogGetItem(window, ScenarioFileDialog::kList);
            const WindowHandle name = dialogGetItem(window, ScenarioFileDialog::kName);
            ASSERT_EQ(focusGet(), name) << "the box opens with the focus in its name field";
            const auto top = [&] { return messageSend(list, LB_GETTOPINDEX, 0, 0); };
            const Rect rows = windowGetRect(list);
            const Point overList{rows.left + 20, rows.top + 10};
            display.moveMouse(overList);
            display.turnWheel(overList, -1);
            pump();
            const LResult down = top();
            EXPECT_GT(down, 0) << "a notch towards the player shows later rows";
            display.turnWheel(overList, 1);
            pump();
            EXPECT_EQ(top(), 0);
            // Over the name field the list stays.
            const Rect field = windowGetRect(name);
            const Point overField{field.left + 5, field.top + 5};
            display.moveMouse(overField);
            display.turnWheel(overField, -1);
            pump();
            EXPECT_EQ(top(), 0);
            EXPECT_EQ(focusGet(), name) << "the wheel takes no focus";
            messageSend(window, WM_COMMAND, kIdCancel, 0);
        });
        EXPECT_EQ(box.show(), kIdCancel);
    }
}

TEST_F(ScenarioFileBox, ABoxThatOpensMayOfferTheDataSetsScenarios) {
    putScenario("alpha.scu");
    ScenarioFileDialog box(appMainWindow(), ScenarioFileDialog::Purpose::Open, ScenarioEnding::Single, "",
                           ScenarioFileDialog::DataSet::Offered);
    modalScriptPush([](WindowHandle window) {
        const WindowHandle dataSet = dialogGetItem(window, ScenarioFileDialog::kDataSet);
        EXPECT_TRUE(windowIsVisible(dataSet));
        messageSend(dataSet, BM_CLICK, 0, 0);
        EXPECT_EQ(rows(window), static_cast<int>(scenarioFilesWith(ScenarioEnding::DataSet).size()));
        EXPECT_GT(rows(window), 1) << "the data set has its missions";
        typeAndOk(window, "Sa1");
    });
    EXPECT_EQ(box.show(), kIdOk);
    EXPECT_EQ(box.fileName(), "Sa1.scn");
    EXPECT_EQ(box.ending(), ScenarioEnding::DataSet);

    // A box that saves never shows them, whatever it is given, and offers a name of their kind
    // as the checked kind.
    ScenarioFileDialog save(appMainWindow(), ScenarioFileDialog::Purpose::Save, ScenarioEnding::DataSet, "Sa1.scn",
                            ScenarioFileDialog::DataSet::Offered);
    modalScriptPush([](WindowHandle window) {
        EXPECT_FALSE(windowIsVisible(dialogGetItem(window, ScenarioFileDialog::kDataSet)));
        EXPECT_TRUE(checked(window, ScenarioFileDialog::kSingle));
        EXPECT_EQ(dialogGetItemText(window, ScenarioFileDialog::kName), "Sa1.scu");
        messageSend(dialogGetItem(window, ScenarioFileDialog::kNetwork), BM_CLICK, 0, 0);
        typeAndOk(window, "Ta3.scn");
    });
    EXPECT_EQ(save.show(), kIdOk);
    EXPECT_EQ(save.fileName(), "Ta3.scm");
    EXPECT_EQ(save.ending(), ScenarioEnding::Network);
}

TEST_F(ScenarioFileBox, WhatCannotBeTakenIsSaidAndTheBoxStaysOpen) {
    putScenario("present.scu");
    struct Case {
        ScenarioFileDialog::Purpose purpose;
        std::string typed;
    } refused[] = {
        {ScenarioFileDialog::Purpose::Open, "absent"},
        {ScenarioFileDialog::Purpose::Open, "present.scm"},
        {ScenarioFileDialog::Purpose::Save, ""},
        {ScenarioFileDialog::Purpose::Save, "dossier/mission"},
        {ScenarioFileDialog::Purpose::Save, std::string(70, 'x')},
    };
    for (const Case& c : refused) {
        ScenarioFileDialog box(appMainWindow(), c.purpose, ScenarioEnding::Single);
        auto said = std::make_shared<bool>(false);
        modalScriptPush([&](WindowHandle window) { typeAndOk(window, c.typed); });
        modalScriptPush([said](WindowHandle window) {
            *said = true;
            modalLoopEnd(window, kIdOk);
        });
        modalScriptPush([](WindowHandle window) { messageSend(window, WM_COMMAND, kIdCancel, 0); });
        EXPECT_EQ(box.show(), kIdCancel) << c.typed;
        EXPECT_TRUE(*said) << c.typed;
        EXPECT_EQ(box.fileName(), "") << c.typed;
    }
}

TEST_F(ScenarioFileBox, ASaveUnderTheOpenDocumentsNameAsksNothingAndOverAnotherFileAsksFirst) {
    putScenario("ancien.scu");
    putScenario("courant.scu");
    ScenarioFileDialog box(appMainWindow(), ScenarioFileDialog::Purpose::Save, ScenarioEnding::Single, "courant.scu");
    auto asked = std::make_shared<int>(0);
    modalScriptPush([](WindowHandle window) {
        EXPECT_EQ(windowGetText(window), "Enregistrer le sc\xE9nario");
        EXPECT_EQ(dialogGetItemText(window, ScenarioFileDialog::kName), "courant.scu");
        messageSend(window, WM_COMMAND, kIdOk, 0);
    });
    modalScriptSetUnansweredHandler([asked](WindowHandle window) {
        ++*asked;
        modalLoopEnd(window, kIdNo);
    });
    EXPECT_EQ(box.show(), kIdOk);
    modalScriptSetUnansweredHandler(nullptr);
    EXPECT_EQ(*asked, 0) << "the document's own file";
    EXPECT_EQ(box.fileName(), "courant.scu");

    ScenarioFileDialog other(appMainWindow(), ScenarioFileDialog::Purpose::Save, ScenarioEnding::Single, "courant.scu");
    modalScriptPush([](WindowHandle window) { typeAndOk(window, "ANCIEN"); });
    modalScriptPush([asked](WindowHandle window) {
        ++*asked;
        modalLoopEnd(window, kIdNo);
    });
    modalScriptPush([](WindowHandle window) {
        EXPECT_TRUE(windowIsVisible(window)) << "No keeps the box";
        typeAndOk(window, "ancien");
    });
    modalScriptPush([asked](WindowHandle window) {
        ++*asked;
        modalLoopEnd(window, kIdYes);
    });
    EXPECT_EQ(other.show(), kIdOk);
    EXPECT_EQ(*asked, 2);
    EXPECT_EQ(other.fileName(), "ancien.scu");
}

TEST_F(ScenarioFileBox, ASaveAsksWhenItWouldReplaceAnotherFileOrTakeADataSetScenariosPlace) {
    using Question = ScenarioSaveQuestion;
    putScenario("courant.scu");
    putScenario("ancien.scm");
    test::DataFolder data;
    data.write("Scenario/Port.scm", "x");
    data.write("Scenario/Sa1.scn", "x");
    struct Case {
        std::string name, ownName;
        Question question;
    } cases[] = {
        {"neuf.scu", "courant.scu", Question::None},
        {"courant.scu", "courant.scu", Question::None},
        {"COURANT.SCU", "courant.scu", Question::None},
        {"courant.scu", "", Question::Replace},
        {"courant.scu", "ancien.scm", Question::Replace},
        {"ancien.scm", "courant.scu", Question::Replace},
        // The data set's network scenario, opened from there or not: the player's copy would
        // be read in its place.
        {"Port.scm", "Port.scm", Question::TakesDataSetsPlace},
        {"port.scm", "", Question::TakesDataSetsPlace},
        {"Port.scu", "", Question::None},
        {"Sa1.scu", "", Question::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scenarioSaveQuestion(c.name, c.ownName), c.question) << c.name << " over " << c.ownName;

    // The box asks before the data set's name goes into the player's folder; No keeps it open.
    ScenarioFileDialog box(appMainWindow(), ScenarioFileDialog::Purpose::Save, ScenarioEnding::Network, "Port.scm");
    auto asked = std::make_shared<int>(0);
    modalScriptPush([](WindowHandle window) { messageSend(window, WM_COMMAND, kIdOk, 0); });
    modalScriptPush([asked](WindowHandle window) {
        ++*asked;
        modalLoopEnd(window, kIdNo);
    });
    modalScriptPush([](WindowHandle window) {
        EXPECT_TRUE(windowIsVisible(window)) << "No keeps the box";
        messageSend(window, WM_COMMAND, kIdCancel, 0);
    });
    EXPECT_EQ(box.show(), kIdCancel);
    EXPECT_EQ(*asked, 1);

    putScenario("Port.scm");
    EXPECT_EQ(scenarioSaveQuestion("Port.scm", "Port.scm"), Question::None) << "the player's copy, saved again";
    EXPECT_EQ(scenarioSaveQuestion("Port.scm", "courant.scu"), Question::Replace);
}

TEST_F(ScenarioFileBox, TheKindChosenGivesTheOfferedNameItsEnding) {
    putScenario("patrouille.scu");
    ScenarioFileDialog box(appMainWindow(), ScenarioFileDialog::Purpose::Save, ScenarioEnding::Single,
                           "patrouille.scu");
    auto asked = std::make_shared<bool>(false);
    modalScriptPush([](WindowHandle window) {
        messageSend(dialogGetItem(window, ScenarioFileDialog::kNetwork), BM_CLICK, 0, 0);
        EXPECT_EQ(dialogGetItemText(window, ScenarioFileDialog::kName), "patrouille.scm");
        messageSend(dialogGetItem(window, ScenarioFileDialog::kSingle), BM_CLICK, 0, 0);
        EXPECT_EQ(dialogGetItemText(window, ScenarioFileDialog::kName), "patrouille.scu");
        messageSend(dialogGetItem(window, ScenarioFileDialog::kNetwork), BM_CLICK, 0, 0);
        messageSend(window, WM_COMMAND, kIdOk, 0);
    });
    modalScriptPush([asked](WindowHandle window) {
        *asked = true;
        modalLoopEnd(window, kIdNo);
    });
    EXPECT_EQ(box.show(), kIdOk);
    EXPECT_FALSE(*asked) << "no network file of that name to replace";
    EXPECT_EQ(box.fileName(), "patrouille.scm");
    EXPECT_EQ(box.ending(), ScenarioEnding::Network);
}

} // namespace
} // namespace q71
