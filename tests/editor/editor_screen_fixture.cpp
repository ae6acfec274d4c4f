#include "editor_screen_fixture.h"

#include "editor/missioneditor/editor_layout.h"
#include "editor/missioneditor/editor_screens.h"
#include "framework/app/screen_manager.h"
#include "frontend/mainmenu/main_menu.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "sim/world/terrain_world.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace q71::test {

EditorScreen::EditorScreen() : MissionWorldFixture("Triton") {
    editorInstallScreens();
}

EditorScreen::~EditorScreen() {
    screenDestroy(kSlotMissionEditor); // its map goes before any region is freed
}

ProMission& EditorScreen::enterEditor() {
    screenSwitch(kSlotMainMenu);
    pump();
    const auto line = std::find_if(kMainMenuEntries.begin(), kMainMenuEntries.end(),
                                   [](const MainMenuEntry& e) { return e.slot == kSlotMissionEditor; });
    const int entry = static_cast<int>(line - kMainMenuEntries.begin());
    const auto shown = static_cast<MainMenu*>(screenGet(kSlotMainMenu))->shownEntries();
    EXPECT_NE(std::find(shown.begin(), shown.end(), entry), shown.end()) << "the menu shows the editor's line";
    clickAt(Point{main_menu_layout::kButtonX + 20, main_menu_layout::buttonY(entry) + 10});
    EXPECT_EQ(screenCurrentIndex(), kSlotMissionEditor);
    return *static_cast<ProMission*>(screenGet(kSlotMissionEditor));
}

void EditorScreen::clickButton(int index) {
    clickAt(Point{editor_layout::kButtonX + 20, editor_layout::buttonY(index) + 10});
}

void EditorScreen::clickMap(ProMission& editor, double worldX, double worldY) {
    double column = 0, row = 0;
    ASSERT_TRUE(worldToGrid(worldX, worldY, &column, &row));
    const Point pixel = editor.map()->getTransform().toPixel(column, row);
    clickAt(Point{editor_layout::kMap.left + pixel.x, editor_layout::kMap.top + pixel.y});
}

GlassList& EditorScreen::areaList() const {
    return static_cast<ProMission*>(screenGet(kSlotMissionEditor))->areaList();
}

int EditorScreen::areaIndex(const ProMission& editor, const std::string& name) {
    const auto& areas = editor.areas();
    const auto at = std::find_if(areas.begin(), areas.end(), [&](const EditorArea& a) { return a.name == name; });
    return at == areas.end() ? -1 : static_cast<int>(at - areas.begin());
}

} // namespace q71::test
