// Mission and campaign selection: the lists of the data set, what the record shows, the
// campaign's progress and its replay question, and a scenario that cannot be started.
#include "framework/app/screen_manager.h"
#include "frontend/selection/mission_catalogue.h"
#include "frontend/selection/selection_layout.h"
#include "frontend/selection/sor_tsel.h"
#include "framework/widgets/simple_button.h"
#include "frontend_fixture.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/virtual_keys.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/scoring/player_roster.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "support/screen_picture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace q71 {
namespace {

class MissionSelection : public test::FrontEndFixture {
protected:
    MissionSelection() { EXPECT_EQ(playerDbChoose("Triton", 0), RosterStatus::Ok); }

    SorTsel& showSelection(int mode) {
        screenCreate(kSlotMissionSelection, mode);
        screenSwitch(kSlotMissionSelection);
        pump();
        return *static_cast<SorTsel*>(screenGet(kSlotMissionSelection));
    }
};

TEST_F(MissionSelection, EachModeListsItsSetInNumberOrderWithNamesAndDescriptions) {
    struct Case {
        std::int32_t mode;
        std::vector<std::string> files;
        std::string firstName;
    };
    const std::vector<Case> cases{
        {kMissionModeTutorial, {"Ta1.scn", "Ta2.scn", "Ta3.scn"}, "Barre et immersion"},
        {kMissionModeSingle,
         {"Sa1.scn", "Sa2.scn", "Sa3.scn", "Sa4.scn", "Sa5.scn", "Sa6.scn"},
         "Chasse au mont Varden"},
        {kMissionModeCampaign, {"Ca1.scn", "Ca2.scn", "Ca3.scn", "Ca4.scn", "Ca5.scn"}, ""},
    };
    for (const Case& c : cases) {
        const auto missions = missionCatalogue(c.mode, 0);
        std::vector<std::string> files;
        for (std::size_t i = 0; i < missions.size(); ++i) {
            files.push_back(missions[i].file);
            EXPECT_EQ(missions[i].index, static_cast<std::int32_t>(i));
            EXPECT_FALSE(missions[i].description.empty()) << missions[i].file;
            EXPECT_NE(missions[i].name, missions[i].file) << "the name comes from the file";
        }
        EXPECT_EQ(files, c.files) << "mode " << c.mode;
        if (!c.firstName.empty() && !missions.empty()) {
            EXPECT_EQ(missions.front().name, c.firstName);
        }
    }
}

class MissionSelectionWithGap : public MissionSelection {
protected:
    test::DataSetWithout data{"Scenario/Sa3.scn"};
};

TEST_F(MissionSelectionWithGap, TheListEndsAtTheFirstMissingNumber) {
    const auto missions = missionCatalogue(kMissionModeSingle, 0);
    ASSERT_EQ(missions.size(), 2u) << "Sa4 to Sa6 stand behind the gap";
    SorTsel& selection = showSelection(kMissionModeSingle);
    EXPECT_EQ(selection.list()->rows().size(), 2u);
}

TEST_F(MissionSelection, TheRecordLineShowsTheScoreAndTheGradeByTheMissionsThresholds) {
    PlayerRecord& record = *playerRecord();
    SorTsel& selection = showSelection(kMissionModeSingle);
    selection.list()->select(0);
    EXPECT_EQ(selection.recordLine(), "Mission jamais accomplie.");
    // Sa1's grades are 150, 300, 450, 600 and 700 (its definition in the data set).
    for (const auto& [score, grade] :
         std::vector<std::pair<int, int>>{{500, 3}, {149, 0}, {700, 5}, {0, 0}}) {
        record.singleScore[0] = score;
        EXPECT_EQ(selection.recordLine(), "Meilleur score : " + std::to_string(score) +
                                              "    Note : " + std::to_string(grade) + " / 5");
    }
    EXPECT_EQ(missionGradeThresholds("Sa1.scn"), (GradeThresholds{150, 300, 450, 600, 700}));
    EXPECT_EQ(missionGradeThresholds("Zz9.scn"), std::nullopt);
}

TEST_F(MissionSelection, TheCampaignOpensOnItsNextMissionAndHoldsBackTheLaterOnes) {
    PlayerRecord& record = *playerRecord();
    record.progress[0] = 1;
    record.campaignScore[0] = 320;
    record.campaignGrade[0] = 4;
    SorTsel& selection = showSelection(kMissionModeCampaign);
    ASSERT_EQ(selection.list()->rows().size(), 5u);
    EXPECT_EQ(selection.key(), "campaignSelection");
    EXPECT_EQ(selection.campaignNext(), 1);
    EXPECT_EQ(selection.list()->selected(), 1) << "the next mission is selected";
    // The data set's campaign has legs of 3 and 2 missions: each row bears its leg and its place.
    const std::vector<std::string> numbers{"1.1", "1.2", "1.3", "2.1", "2.2"};
    for (std::size_t row = 0; row < numbers.size(); ++row)
        EXPECT_EQ(selection.list()->rows()[row].rfind("\xC9tape " + numbers[row] + " \x97 ", 0), 0u)
            << selection.list()->rows()[row];

    selection.list()->select(2);
    auto asked = answerNextBox(kIdYes);
    EXPECT_FALSE(selection.startSelected()) << "a later mission waits";
    EXPECT_FALSE(*asked);

    selection.list()->select(0);
    EXPECT_EQ(selection.recordLine(), "Meilleur score : 320    Note : 4 / 5") << "the campaign's own grade";
    asked = answerNextBox(kIdNo);
    EXPECT_FALSE(selection.startSelected()) << "declined";
    EXPECT_TRUE(*asked) << "a played mission asks first";
    EXPECT_EQ(screenCurrentIndex(), kSlotMissionSelection);
    EXPECT_EQ(record.campaignScore[0], 320) << "nothing cleared";
}

TEST_F(MissionSelection, ALockedLegsStartButtonIsDrawnDisabledAndNeitherClickNorEnterStartsIt) {
    PlayerRecord& record = *playerRecord();
    record.progress[0] = 1;
    SorTsel& selection = showSelection(kMissionModeCampaign);
    using namespace selection_layout;
    const Rect button{kStartX, kButtonY, kStartX + kButtonWidth, kButtonY + kButtonHeight};
    // The button's pixels on the screen, as the player sees it.
    const auto look = [&] {
        pump();
        const test::RgbImage screen = test::screenPicture();
        std::vector<std::uint8_t> pixels;
        for (int y = button.top; y < button.bottom; ++y)
            for (int x = button.left; x < button.right; ++x)
                for (int c = 0; c < 3; ++c)
                    pixels.push_back(screen.pixels[static_cast<std::size_t>((y * screen.width + x) * 3 + c)]);
        return pixels;
    };
    ASSERT_NE(selection.startButton(), nullptr);
    EXPECT_TRUE(selection.startButton()->isClickable()) << "the next mission can be started";
    const auto live = look();

    // Down to the second leg's first mission, as the player goes.
    press(VK_DOWN);
    press(VK_DOWN);
    ASSERT_EQ(selection.list()->selected(), 3);
    test::saveScreenPicture("campaign-locked-leg");
    const SimpleButton& start = *selection.startButton();
    EXPECT_FALSE(start.isClickable());
    ASSERT_EQ(start.frameCount(), 3);
    EXPECT_EQ(start.currentFrame(), start.frame(2)) << "the disabled frame of its strip";
    EXPECT_TRUE(look() != live) << "and the screen shows it";

    auto asked = answerNextBox(kIdYes);
    clickAt(Point{button.left + kButtonWidth / 2, button.top + kButtonHeight / 2});
    press(VK_RETURN, '\r');
    EXPECT_FALSE(*asked) << "nothing is said";
    EXPECT_EQ(screenCurrentIndex(), kSlotMissionSelection);
    EXPECT_EQ(worldOwnShip(), nullptr) << "no mission was started";
    EXPECT_EQ(selection.list()->selected(), 3);

    press(VK_HOME);
    press(VK_DOWN);
    ASSERT_EQ(selection.list()->selected(), 1);
    EXPECT_TRUE(selection.startButton()->isClickable()) << "the next mission's button is live again";
    EXPECT_TRUE(look() == live);
}

// A data set whose Sa1 is damaged: the start is refused with its message, and the screen stays.
class MissionSelectionWithDamagedScenario : public MissionSelection {
protected:
    MissionSelectionWithDamagedScenario() {
        const std::string path = std::string(std::getenv("Q71_DATA")) + "/Scenario/Sa1.scn";
        std::ofstream(path, std::ios::binary) << std::string(40, '\x7F');
        EXPECT_TRUE(objdbLoad());
        entityClassesInstall();
    }
    ~MissionSelectionWithDamagedScenario() override {
        simEndMission();
        objdbFree();
    }
    test::DataSetWithout data{"Scenario/Sa1.scn"};
};

TEST_F(MissionSelectionWithDamagedScenario, ARefusedScenarioIsSaidAndTheScreenStays) {
    SorTsel& selection = showSelection(kMissionModeSingle);
    selection.list()->select(0);
    auto told = answerNextBox(kIdOk);
    EXPECT_FALSE(selection.startSelected());
    EXPECT_TRUE(*told);
    EXPECT_EQ(screenCurrentIndex(), kSlotMissionSelection);
    EXPECT_EQ(screenGet(kSlotGenInfo), nullptr);
    EXPECT_EQ(worldOwnShip(), nullptr) << "the world is left empty";
    EXPECT_EQ(missionState().missionMode, kMissionModeSingle);
}

} // namespace
} // namespace q71
