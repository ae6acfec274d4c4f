// The settings box's fields: the texts, the environment in its ranges and rising grade
// thresholds, taken whole or not at all.

#include "editor/missioneditor/mission_document.h"
#include "editor/missioneditor/settings_form.h"

#include <gtest/gtest.h>

#include <vector>

namespace q71 {
namespace {

SettingsTexts sound() {
    return {"Une ligne", "Le nom", "Briefing\r\nSuite", "", "Ordres", "3", "5", "2", "1", "100", "200", "300", "400", "500"};
}

TEST(SettingsForm, TheFieldsBecomeTheDocumentsAndAnEmptyTextIsNone) {
    MissionDocument document;
    int bad = -1;
    ASSERT_TRUE(missionSettingsRead(sound(), document, bad));
    EXPECT_TRUE(document.changed);
    EXPECT_EQ(document.texts[kScenarioBriefing], std::optional<std::string>("Briefing\r\nSuite"));
    EXPECT_EQ(document.texts[kScenarioIntelligence], std::nullopt);
    EXPECT_EQ(document.header.timeOfDay, 3);
    EXPECT_EQ(document.header.seaState, 5);
    EXPECT_EQ(document.header.soundProfile, 2);
    EXPECT_EQ(document.header.bottomType, 1);
    EXPECT_EQ(document.thresholds, (GradeThresholds{100, 200, 300, 400, 500}));
    EXPECT_EQ(missionSettingsTexts(document), sound()) << "shown again as typed";
}

TEST(SettingsForm, AFieldOutOfItsRangeIsNamedAndNothingChanges) {
    struct Case {
        int field;
        const char* text;
    };
    const std::vector<Case> cases{{5, "5"}, {5, "midi"}, {6, "6"}, {6, "-1"}, {7, "3"}, {8, "3"},
                                  {9, "-1"}, {11, "200"}, {13, "350"}, {12, ""}};
    for (const Case& c : cases) {
        MissionDocument document;
        SettingsTexts texts = sound();
        texts[static_cast<size_t>(c.field)] = c.text;
        int bad = -1;
        EXPECT_FALSE(missionSettingsRead(texts, document, bad)) << c.field << " " << c.text;
        EXPECT_EQ(bad, c.field) << c.text;
        EXPECT_FALSE(document.changed);
        EXPECT_EQ(document.thresholds, kDefaultGradeThresholds);
        EXPECT_EQ(document.texts[kScenarioMissionName], std::nullopt);
    }
}

} // namespace
} // namespace q71
