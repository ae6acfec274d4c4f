#pragma once
// The mission editor as the player reaches it: the front end's ground with the editor's screen
// registered, the object database, the world and a player chosen; the editor entered from the
// main menu's line, its buttons and its map clicked where they show.

#include "mission_world_fixture.h"

#include "editor/missioneditor/pro_mission.h"
#include "frontend/glass_list.h"

#include <string>

namespace q71::test {

inline constexpr double kCentre = 268800.0; // the map origin in world metres

enum EditorButton { kNew, kStart, kShip, kSubmarine, kRoute, kDelete, kSettings, kGoals, kOpen, kSave, kQuit };

class EditorScreen : public MissionWorldFixture {
protected:
    EditorScreen();
    ~EditorScreen() override;

    /// Opens the editor from the main menu's line.
    ProMission& enterEditor();
    void clickButton(int index);
    /// Clicks the map where a world position shows.
    void clickMap(ProMission& editor, double worldX, double worldY);

    GlassList& areaList() const;
    int firstAreaShown() const { return areaList().firstVisible(); }
    int visibleAreas() const { return areaList().visibleRows(); }

    static int areaIndex(const ProMission& editor, const std::string& name);
};

} // namespace q71::test
