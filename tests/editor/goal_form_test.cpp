// The goals box's list and fields: children indented under their parents, a goal's fields read
// back whole (moving it under another goal) or refused by the field that does not read.

#include "editor/missioneditor/goal_form.h"
#include "editor/missioneditor/mission_document.h"
#include "sim/support/terrain_grid.h"
#include "tactical/charts/map_object.h"

#include <gtest/gtest.h>

#include <vector>

namespace q71::test {
namespace {

class GoalForm : public ::testing::Test {
protected:
    // 101 x 101 samples a kilometre apart.
    TerrainGrid terrain{101, 101, 1000.0, [](int, int) -> std::int16_t { return -500; }};
    MissionDocument document;

    GoalNode* add(std::int32_t kind, GoalNode* parent, const char* message) {
        GoalNode goal;
        goal.kind = kind;
        goal.message = std::string(message);
        return document.goals.addNode(goal, parent);
    }

    /// The latitude and longitude texts of a world position.
    static std::pair<std::string, std::string> at(double x, double y) {
        std::pair<std::string, std::string> texts;
        MapObject(x, y, nullptr, nullptr).formatLatLong(texts.first, texts.second);
        return texts;
    }
};

TEST_F(GoalForm, TheListIndentsChildrenUnderTheirParents) {
    GoalNode* sink = add(kGoalDestroy, nullptr, "Couler");
    add(kGoalReachArea, sink, "Rallier");
    const auto lines = goalListLines(document);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "1  D\xE9truire : Couler");
    EXPECT_EQ(lines[1].text, "    2  Atteindre : Rallier");
    EXPECT_EQ(lines[1].goal->parent, sink);
}

TEST_F(GoalForm, FieldsAreTakenAndTheGoalMovesUnderItsNewParent) {
    GoalNode* survive = add(kGoalSurvive, nullptr, "Survivre");
    GoalNode* reach = add(kGoalReachArea, nullptr, "Rallier");
    GoalFormTexts texts = goalFormTexts(*reach);
    const auto [latitude, longitude] = at(40000.0, 60000.0);
    texts[kGoalFieldKind] = "Stopper";
    texts[kGoalFieldPoints] = "250";
    texts[kGoalFieldRequired] = "1";
    texts[kGoalFieldParent] = std::to_string(survive->id);
    texts[kGoalFieldRadius] = "1500";
    texts[kGoalFieldLatitude] = latitude;
    texts[kGoalFieldLongitude] = longitude;
    texts[kGoalFieldMessage] = "Stoppez au point.";
    GoalField bad = kGoalFieldMessage;
    ASSERT_TRUE(goalFormRead(texts, document, *reach, bad));
    EXPECT_TRUE(document.changed);
    EXPECT_EQ(reach->kind, kGoalRecover);
    EXPECT_EQ(reach->points, 250);
    EXPECT_EQ(reach->required, 1);
    EXPECT_EQ(reach->parent, survive);
    EXPECT_EQ(reach->radius, 1500.0);
    EXPECT_NEAR(reach->centreX, 40000.0, 2.0);
    EXPECT_NEAR(reach->centreY, 60000.0, 2.0);
    EXPECT_EQ(goalFormTexts(*reach)[kGoalFieldLatitude], latitude) << "shown again as typed";
    // Back to the root level.
    texts[kGoalFieldParent] = "0";
    ASSERT_TRUE(goalFormRead(texts, document, *reach, bad));
    EXPECT_EQ(reach->parent, nullptr);
}

TEST_F(GoalForm, KindsAreOfferedAndReadByTheirNamesTheirNumbersUnchanged) {
    EXPECT_EQ(goalKindNames(), (std::vector<std::string>{"D\xE9truire", "Atteindre", "Stopper", "Survivre"}));
    const std::pair<const char*, int> stored[] = {{"D\xE9truire", 1}, {"Atteindre", 2}, {"Stopper", 4}, {"Survivre", 9}};
    for (const auto& [name, number] : stored) {
        GoalNode* goal = add(number, nullptr, "But");
        EXPECT_EQ(goalFormTexts(*goal)[kGoalFieldKind], name);
        EXPECT_EQ(goalKindOf(name), number);
    }
    // A kind the editor does not make (damage, from a file) is shown as none and cannot be applied.
    GoalNode* damage = add(3, nullptr, "Endommager");
    const GoalFormTexts texts = goalFormTexts(*damage);
    EXPECT_EQ(texts[kGoalFieldKind], "");
    GoalField bad = kGoalFieldCount;
    EXPECT_FALSE(goalFormRead(texts, document, *damage, bad));
    EXPECT_EQ(bad, kGoalFieldKind);
    EXPECT_EQ(damage->kind, 3);
}

TEST_F(GoalForm, AFieldThatDoesNotReadIsNamedAndNothingChanges) {
    GoalNode* top = add(kGoalDestroy, nullptr, "Haut");
    GoalNode* below = add(kGoalReachArea, top, "Bas");
    below->radius = 1000.0;
    below->centreX = below->centreY = 50000.0;
    struct Case {
        GoalField field;
        std::string text;
    };
    const std::vector<Case> cases{
        {kGoalFieldKind, "4"},          {kGoalFieldKind, "vite"},        {kGoalFieldPoints, "1e9"},
        {kGoalFieldRequired, "2"},      {kGoalFieldParent, "99"},        {kGoalFieldRadius, "0"},
        {kGoalFieldLatitude, "10-00.000 N"}, {kGoalFieldMessage, std::string(201, 'm')},
    };
    for (const Case& c : cases) {
        document.changed = false;
        GoalFormTexts texts = goalFormTexts(*below);
        texts[c.field] = c.text;
        GoalField bad = kGoalFieldCount;
        EXPECT_FALSE(goalFormRead(texts, document, *below, bad)) << c.text;
        EXPECT_EQ(bad, c.field) << c.text;
        EXPECT_FALSE(document.changed);
        EXPECT_EQ(below->kind, kGoalReachArea);
        EXPECT_EQ(below->parent, top);
    }
    // A goal cannot go under itself or under its own child.
    GoalFormTexts texts = goalFormTexts(*top);
    texts[kGoalFieldParent] = std::to_string(below->id);
    GoalField bad = kGoalFieldCount;
    EXPECT_FALSE(goalFormRead(texts, document, *top, bad));
    EXPECT_EQ(bad, kGoalFieldParent);
    EXPECT_EQ(below->parent, top);
}

} // namespace
} // namespace q71::test
