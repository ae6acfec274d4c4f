#pragma once
// The mission editor's screen (slot 10, "ProMission"): a mission area chosen by its name is cut
// as a mission's grid and shown on the map; the tools place the own boat's starts, ships and
// submarines, lay a unit's route point by point, pick and drag what stands on the map and delete
// it; the mission is saved under a name in the player's "Scenario" folder and opened from there,
// both through the scenario file box.

#include "editor/missioneditor/editor_map.h"
#include "editor/missioneditor/goals_dialog.h"
#include "editor/missioneditor/mission_areas.h"
#include "editor/missioneditor/mission_document.h"
#include "editor/missioneditor/mission_leaving.h"
#include "frontend/front_end_screen.h"

#include <memory>
#include <string>
#include <vector>

namespace q71 {

class GlassList;
class SimpleButton;

class ProMission : public FrontEndScreen, public MapEditing {
public:
    /// GoalCentre: the next click is the centre of the goal area the goals box closed for.
    enum class Tool { Pick, Start, Ship, Submarine, Route, Delete, GoalCentre };

    explicit ProMission(WindowHandle parent);
    ~ProMission() override;

    void open() override;
    void close() override;
    int onCommand(WParam wParam, LParam lParam) override;
    int onKey(int key, int category) override;

    /// A new mission in an area of the list; false when the player kept the old one or the
    /// terrain could not be cut.
    bool newMission(int areaIndex);
    /// Saves under a name chosen in the scenario file box; false when refused (the reason shown),
    /// not named or not written.
    bool save();
    /// Opens a scenario chosen in the scenario file box, the player's or (as an unsaved copy) one
    /// of the data set's; false (the document as it was, the reason shown) when none was chosen
    /// or it cannot be opened.
    bool openScenario();
    /// Leaves for the main menu once the player agrees.
    void leave();

    /// Takes up a tool; its button stays down while it is in hand.
    void setTool(Tool tool);
    Tool tool() const { return tool_; }
    /// The tool buttons, in layout order.
    const std::vector<std::unique_ptr<SimpleButton>>& buttons() const { return buttons_; }
    /// The file the mission was last opened from or saved to ("" for a new one).
    const std::string& fileName() const { return fileName_; }
    MissionDocument& document() { return document_; }
    EditorMap* map() const { return map_.get(); }
    const std::vector<EditorArea>& areas() const { return areas_; }
    /// The list of the areas.
    GlassList& areaList() const { return *areaList_; }
    /// How the player answers the question on leaving a changed mission (a message box by default).
    void setLeaveQuestion(std::function<LeaveAnswer()> ask) { ask_ = std::move(ask); }

    /// The map's pointer: what the tool does at a press, a drag and a release.
    void mapPressed(double worldX, double worldY, Point pixel) override;
    void mapDragged(double worldX, double worldY) override;
    void mapReleased() override;
    /// Opens the box of the object or route point under the pixel; true when it was changed.
    void mapEdit(Point pixel) override;
    /// The goal areas on the map.
    void drawMapOverlay(DeviceContext& dc, const ChartView& view) override;
    bool editAt(Point pixel);

private:

    /// A tool's button pressed: takes the tool up, or puts it down when it was in hand.
    void chooseTool(Tool tool);
    void place(std::int32_t type, double worldX, double worldY);
    /// The goals box, resumed after a centre was clicked when `placed` is given.
    void editGoals(std::optional<GoalPlacing> placed);
    /// Drops a goal centre still to be clicked (its document went).
    void forgetPlacing();
    /// The object or route point under a pixel of the map, or null.
    MapObject* hitAt(Point pixel) const;
    void select(MissionObject* object);
    void say(const std::string& text) const;
    LeaveAnswer askToLeave() const;
    void setFileName(std::string name);
    /// Replaces the terrain with the region around an origin, the map dropping the old grid first.
    bool cutRegion(double latitude, double longitude);

    MissionDocument document_;
    std::unique_ptr<EditorMap> map_;
    std::unique_ptr<GlassList> areaList_;
    std::unique_ptr<GlassList> fileLine_;
    std::string fileName_;
    std::vector<std::unique_ptr<SimpleButton>> buttons_;
    std::vector<EditorArea> areas_;
    std::function<LeaveAnswer()> ask_;
    Tool tool_ = Tool::Pick;
    std::optional<GoalPlacing> placing_;
    MissionObject* selected_ = nullptr;
    MapObject* dragged_ = nullptr;
    bool hasRegion_ = false;
};

} // namespace q71
