#include "editor/missioneditor/pro_mission.h"

#include "editor/missioneditor/editor_layout.h"
#include "editor/missioneditor/goal_areas.h"
#include "editor/missioneditor/mission_checks.h"
#include "editor/missioneditor/mission_file.h"
#include "editor/missioneditor/object_dialog.h"
#include "editor/missioneditor/object_form.h"
#include "framework/app/key_matching.h"
#include "framework/app/screen_manager.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/glass_list.h"
#include "frontend/scenario_files/scenario_file_dialog.h"
#include "frontend/screen_art.h"
#include "platform/files/path.h"
#include "platform/msgbox/message_box.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/scenario_reader.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace q71 {
namespace {

enum ControlId : int {
    kAreaListId = 100, // and 101 when a row is chosen by a double click
    kFileNameId = 102, // the file's name on its glass
    kFirstButtonId = 110, // the tool buttons in layout order
    kResumeGoalsId = 130, // posted once a goal area's centre was clicked
};
enum Button : int { kNew, kStart, kShip, kSubmarine, kRoute, kDelete, kSettings, kGoals, kOpen, kSave, kQuit };
constexpr int kButtonDown = 1, kButtonUp = 2; // a button's states

constexpr int kTextCannotWrite = 2606;
constexpr int kTextDamaged = 2607;
constexpr int kTextAskToLeave = 2608;
constexpr int kTextCannotOpen = 2609;
constexpr int kTextNoTerrain = 2611;
constexpr int kTextCaption = 2629;
constexpr int kTextChooseArea = 2632;
constexpr int kTextChooseUnit = 2633;
constexpr int kTextSavedDespite = 2634;
constexpr int kPickPixels = 6;
constexpr const char* kDefaultBoatName = "Orque";
constexpr std::int32_t kNewStartFeet = 100;

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

/// The first record of the object database of a category: what a new unit of that kind is.
std::string firstRecordOf(EntityCategory category) {
    for (int i = 0; i < objdbCount(); ++i)
        if (const ObjectRecord* record = objdbGetByIndex(i); record && record->category() == category)
            return std::string(record->keyName.view());
    return {};
}

} // namespace

ProMission::ProMission(WindowHandle parent) : FrontEndScreen("ProMission", parent) {}

ProMission::~ProMission() {
    close();
}

void ProMission::open() {
    using namespace editor_layout;
    frontEndSelectGroup(kEditorGroup);
    frontEndLoadBackground(background_);
    areas_ = missionAreasLoad().value_or(std::vector<EditorArea>{});
    areaList_ = std::make_unique<GlassList>(window_, kAreaListId, kAreaGlass);
    areaList_->setRowsOf(areas_, &EditorArea::name);
    areaList_->takeKeys();
    fileLine_ = std::make_unique<GlassList>(window_, kFileNameId, kFileGlass);
    setFileName({});
    for (int i = 0; i < static_cast<int>(kButtonTexts.size()); ++i)
        buttons_.push_back(
            frontEndPushButton(window_, kFirstButtonId + i, kButtonX, buttonY(i), kButtonWidth, kButtonHeight));
    setTool(tool_);
    map_ = std::make_unique<EditorMap>(window_, kMap, *this);
}

void ProMission::close() {
    // The map drops the grid before the region goes; the objects leave the map with the document.
    selected_ = nullptr;
    dragged_ = nullptr;
    document_.clear();
    map_.reset();
    if (hasRegion_)
        worldClose();
    hasRegion_ = false;
    buttons_.clear();
    fileLine_.reset();
    areaList_.reset();
    background_.free();
}

int ProMission::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    if (id == kAreaListId)
        return 1;
    if (id == kResumeGoalsId) {
        editGoals(std::exchange(placing_, std::nullopt));
        return 1;
    }
    if (id == kAreaListId + 1) {
        newMission(areaList_->selected());
        return 1;
    }
    switch (id - kFirstButtonId) {
    case kNew:
        if (areaList_->selected() < 0)
            say(textCopy(kTextChooseArea));
        else
            newMission(areaList_->selected());
        return 1;
    case kStart:
        chooseTool(Tool::Start);
        return 1;
    case kShip:
        chooseTool(Tool::Ship);
        return 1;
    case kSubmarine:
        chooseTool(Tool::Submarine);
        return 1;
    case kRoute:
        if (tool_ != Tool::Route && (!selected_ || selected_->isStart())) {
            setTool(tool_); // the button shows the tool still in hand
            say(textCopy(kTextChooseUnit));
        } else {
            chooseTool(Tool::Route);
        }
        return 1;
    case kDelete:
        chooseTool(Tool::Delete);
        return 1;
    case kSettings: {
        SettingsDialog box(window_, document_);
        box.show();
        return 1;
    }
    case kGoals:
        editGoals(std::nullopt);
        return 1;
    case kOpen:
        openScenario();
        return 1;
    case kSave:
        save();
        return 1;
    case kQuit:
        leave();
        return 1;
    default:
        return FrontEndScreen::onCommand(wParam, lParam);
    }
}

int ProMission::onKey(int key, int category) {
    if (category != kKeyChar || key != 27)
        return 0;
    leave();
    return 1;
}

void ProMission::setTool(Tool tool) {
    tool_ = tool;
    // The button of the tool in hand stays down; picking, the tool of no button, raises them all.
    const auto buttonOf = [](Tool t) -> int {
        switch (t) {
        case Tool::Start:
            return kStart;
        case Tool::Ship:
            return kShip;
        case Tool::Submarine:
            return kSubmarine;
        case Tool::Route:
            return kRoute;
        case Tool::Delete:
            return kDelete;
        default:
            return -1;
        }
    };
    const int down = buttonOf(tool);
    for (int i = 0; i < static_cast<int>(buttons_.size()); ++i)
        buttons_[static_cast<std::size_t>(i)]->setState(i == down ? kButtonDown : kButtonUp);
}

void ProMission::chooseTool(Tool tool) {
    // A second press on the button of the tool in hand puts it down.
    setTool(tool == tool_ ? Tool::Pick : tool);
}

void ProMission::setFileName(std::string name) {
    fileName_ = std::move(name);
    if (!fileLine_)
        return;
    // Lit in amber as the name the mission goes by.
    fileLine_->setRows(fileName_.empty() ? std::vector<std::string>{} : std::vector<std::string>{fileName_});
    fileLine_->select(fileName_.empty() ? -1 : 0);
}

void ProMission::say(const std::string& text) const {
    messageBox(window_, text, textCopy(kTextCaption), kMbOk | kMbIconExclamation);
}

LeaveAnswer ProMission::askToLeave() const {
    if (ask_)
        return ask_();
    switch (messageBox(window_, textCopy(kTextAskToLeave), textCopy(kTextCaption), kMbYesNoCancel | kMbIconQuestion)) {
    case kIdYes:
        return LeaveAnswer::Save;
    case kIdNo:
        return LeaveAnswer::Drop;
    default:
        return LeaveAnswer::Cancel;
    }
}

bool ProMission::cutRegion(double latitude, double longitude) {
    selected_ = nullptr;
    dragged_ = nullptr;
    if (map_)
        map_->setMapSource(nullptr);
    if (hasRegion_)
        worldClose();
    hasRegion_ = worldLoadRegion(latitude, longitude, kMissionRegionKm, kMissionRegionKm, kMissionGridSamples,
                                 kMissionGridSamples, true);
    if (hasRegion_ && map_) {
        map_->setMapSource(worldGrid());
        map_->showWholeMap(0);
    }
    return hasRegion_;
}

bool ProMission::newMission(int areaIndex) {
    if (areaIndex < 0 || areaIndex >= static_cast<int>(areas_.size()))
        return false;
    if (!missionMayLeave(document_, [this] { return askToLeave(); }, [this] { return save(); }))
        return false;
    document_.clear();
    forgetPlacing();
    const EditorArea& area = areas_[static_cast<std::size_t>(areaIndex)];
    if (!cutRegion(area.latitude, area.longitude)) {
        say(textCopy(kTextNoTerrain));
        return false;
    }
    document_.header.originLatitude = area.latitude;
    document_.header.originLongitude = area.longitude;
    document_.texts[kScenarioMissionName] = area.name;
    setFileName({});
    return true;
}

bool ProMission::save() {
    const MissionCheck check = missionCheck(document_);
    if (!check.mayBeSaved()) {
        say(joined(check.refusals));
        return false;
    }
    ScenarioFileDialog box(window_, ScenarioFileDialog::Purpose::Save,
                           scenarioEndingOf(fileName_).value_or(ScenarioEnding::Single), fileName_);
    if (box.show() != kIdOk)
        return false;
    if (!check.warnings.empty())
        say(textCopy(kTextSavedDespite) + "\n" + joined(check.warnings));
    const std::string path = scenarioPath(box.fileName());
    if (!missionSave(document_, path)) {
        say(textFormatted(kTextCannotWrite, fileResolvePath(path).c_str()));
        return false;
    }
    setFileName(box.fileName());
    return true;
}

bool ProMission::openScenario() {
    ScenarioFileDialog box(window_, ScenarioFileDialog::Purpose::Open,
                           scenarioEndingOf(fileName_).value_or(ScenarioEnding::Single), {},
                           ScenarioFileDialog::DataSet::Offered);
    if (box.show() != kIdOk)
        return false;
    // A scenario is read where it lies: the player's own, or the data set's of that name.
    const std::string path = scenarioReadPath(box.fileName());
    MissionFileContents contents;
    if (!missionRead(path, contents)) {
        say(textFormatted(fileExists(path) ? kTextDamaged : kTextCannotOpen, fileResolvePath(path).c_str()));
        return false;
    }
    if (!missionMayLeave(document_, [this] { return askToLeave(); }, [this] { return save(); }))
        return false;
    const ScenarioHeader& header = contents.scenario.header;
    const bool sameRegion = hasRegion_ && header.originLatitude == document_.header.originLatitude &&
                            header.originLongitude == document_.header.originLongitude;
    if (!sameRegion) {
        document_.clear();
        if (!cutRegion(header.originLatitude, header.originLongitude)) {
            say(textCopy(kTextNoTerrain));
            return false;
        }
    }
    selected_ = nullptr;
    dragged_ = nullptr;
    forgetPlacing();
    missionApply(document_, std::move(contents), map_.get());
    // The goal areas are drawn under the objects, over the whole map: a region kept from the
    // last mission is drawn again whole, not only where objects came and went.
    if (map_)
        map_->invalidate(nullptr, false);
    // The list shows the area the scenario lies in, when it is one of them.
    const auto area = std::find_if(areas_.begin(), areas_.end(), [&](const EditorArea& a) {
        return a.latitude == document_.header.originLatitude && a.longitude == document_.header.originLongitude;
    });
    areaList_->select(area == areas_.end() ? -1 : static_cast<int>(area - areas_.begin()));
    // A scenario of the data set is only read. One of the data set's own kind (".scn") becomes a
    // copy, not yet saved, that goes by its name until a save, which never writes that kind, puts
    // it in the player's folder under one of his kinds; one of a player's kind keeps its name,
    // which a save writes into the player's folder.
    setFileName(box.fileName());
    document_.changed = !scenarioIsPlayers(box.fileName());
    return true;
}

void ProMission::leave() {
    if (!missionMayLeave(document_, [this] { return askToLeave(); }, [this] { return save(); }))
        return;
    document_.changed = false;
    screenSwitch(kSlotMainMenu);
    screenDestroyLater(kSlotMissionEditor);
}

void ProMission::editGoals(std::optional<GoalPlacing> placed) {
    GoalsDialog box(window_, document_);
    if (placed)
        box.resume(std::move(*placed));
    const LResult result = box.show();
    if (map_)
        map_->invalidate(nullptr, false);
    if (result == GoalsDialog::kPlacingCentre && box.placing()) {
        placing_ = box.placing();
        setTool(Tool::GoalCentre);
    }
}

void ProMission::forgetPlacing() {
    placing_.reset();
    if (tool_ == Tool::GoalCentre)
        setTool(Tool::Pick);
}

void ProMission::drawMapOverlay(DeviceContext& dc, const ChartView& view) {
    drawGoalAreas(dc, view, document_.goals);
}

void ProMission::place(std::int32_t type, double worldX, double worldY) {
    ScenarioRecord fields;
    fields.type = type;
    fields.level = 2;
    if (type == kScenarioOwnShipStart) {
        fields.typeName = kDefaultBoatName;
        fields.depth = startRecordDepth(kNewStartFeet);
        fields.speed = 5;
    } else {
        const bool submarine = type == kScenarioSubmarine;
        fields.typeName = firstRecordOf(submarine ? kCategorySub : kCategoryShip);
        fields.side = 2;
        fields.patrolMode = 3; // its route, out and back (a unit without one holds its place)
        fields.depth = submarine ? -200 : 0;
        fields.speed = submarine ? 6 : 10;
    }
    auto* object = new MissionObject(worldX, worldY, fields, map_.get());
    document_.addObject(object);
    select(object);
}

void ProMission::select(MissionObject* object) {
    if (selected_ == object)
        return;
    if (selected_) {
        selected_->selected = false;
        selected_->notifyViews();
    }
    selected_ = object;
    if (selected_) {
        selected_->selected = true;
        selected_->notifyViews();
    }
}

MapObject* ProMission::hitAt(Point pixel) const {
    if (!map_)
        return nullptr;
    MapObject* hit = nullptr;
    document_.forEachMissionObject([&](MissionObject& object) {
        for (MapWaypoint* point = object.firstWaypoint(); point && !hit; point = point->next())
            if (point->hitTest(*map_, pixel))
                hit = point;
        Point at;
        if (!hit && object.viewPosition(*map_, at) && std::abs(at.x - pixel.x) <= kPickPixels &&
            std::abs(at.y - pixel.y) <= kPickPixels)
            hit = &object;
    });
    return hit;
}

void ProMission::mapPressed(double worldX, double worldY, Point pixel) {
    switch (tool_) {
    case Tool::Start:
        place(kScenarioOwnShipStart, worldX, worldY);
        setTool(Tool::Pick);
        return;
    case Tool::Ship:
        place(kScenarioSurfaceShip, worldX, worldY);
        setTool(Tool::Pick);
        return;
    case Tool::Submarine:
        place(kScenarioSubmarine, worldX, worldY);
        setTool(Tool::Pick);
        return;
    case Tool::Route:
        if (selected_ && !selected_->isStart()) {
            const MapWaypoint* last = selected_->firstWaypoint();
            while (last && last->next())
                last = last->next();
            const int depth = static_cast<int>(std::lround(selected_->fields.depth * kFeetToMetres));
            selected_->appendWaypoint(worldX, worldY, depth, last ? last->speed : selected_->fields.speed);
            document_.changed = true;
        }
        return;
    case Tool::GoalCentre:
        setTool(Tool::Pick);
        if (placing_) {
            const MapObject centre(worldX, worldY, nullptr, nullptr);
            centre.formatLatLong(placing_->texts[kGoalFieldLatitude], placing_->texts[kGoalFieldLongitude]);
            // The box opens again once the click is over (the map holds the mouse till then).
            messagePost(window_, WM_COMMAND, kResumeGoalsId, 0);
        }
        return;
    case Tool::Delete:
        if (MapObject* hit = hitAt(pixel)) {
            if (auto* point = dynamic_cast<MapWaypoint*>(hit)) {
                static_cast<MissionObject*>(point->owner())->deleteWaypoint(point);
                document_.changed = true;
            } else {
                if (hit == selected_)
                    selected_ = nullptr;
                document_.deleteObject(hit);
            }
        }
        return;
    case Tool::Pick:
        dragged_ = hitAt(pixel);
        if (auto* object = dynamic_cast<MissionObject*>(dragged_))
            select(object);
        else if (auto* point = dynamic_cast<MapWaypoint*>(dragged_))
            select(static_cast<MissionObject*>(point->owner()));
        return;
    }
}

void ProMission::mapDragged(double worldX, double worldY) {
    if (!dragged_)
        return;
    dragged_->moveTo(worldX, worldY, nullptr);
    document_.changed = true;
}

void ProMission::mapReleased() {
    dragged_ = nullptr;
}

void ProMission::mapEdit(Point pixel) {
    editAt(pixel);
}

bool ProMission::editAt(Point pixel) {
    MapObject* hit = hitAt(pixel);
    LResult result = kIdCancel;
    if (auto* object = dynamic_cast<MissionObject*>(hit)) {
        select(object);
        ObjectDialog box(window_, *object);
        result = box.show();
    } else if (auto* point = dynamic_cast<MapWaypoint*>(hit)) {
        WaypointDialog box(window_, *point);
        result = box.show();
    }
    if (result != kIdOk)
        return false;
    document_.changed = true;
    return true;
}

} // namespace q71
