#include "stations/firectrl/weapon_console.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/edit_box.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/spin_edit.h"
#include "framework/widgets/state_button.h"
#include "framework/widgets/static_text.h"
#include "platform/controls/control_styles.h"
#include "platform/gdi/colour.h"
#include "platform/msgbox/message_box.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/window_paint.h"
#include "sim/simulation/launcher_tables.h"
#include "stations/firectrl/fire_chart.h"
#include "stations/firectrl/launch_waypoint_mark.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/vls_cell.h"
#include "stations/firectrl/weapon_console_layout.h"
#include "stations/firectrl/view_label.h"
#include "stations/nav/nav_layout.h"
#include "tactical/charts/map_object.h"

#include <vector>

namespace q71 {
namespace {

constexpr ColorRef kAccepted = rgb(0, 255, 0);
constexpr ColorRef kRefused = rgb(255, 0, 0);
constexpr int kCellTitle = 192;
constexpr int kTargetTitle = 193;
constexpr int kTubeTitle = 194;
constexpr int kWeaponTitle = 195;
constexpr int kReplotQuestion = 196;
constexpr int kProgramName = 122;
constexpr int kEditChanged = 768;
constexpr int kDisarmCommand = 1;

// Every setting row, in the order of the editors' ids; check boxes are the flag rows.
constexpr const ConsoleSettingRow* kRows[] = {
    &kAdcapCeilingRow, &kAdcapDepth2Row,    &kAdcapFloorRow,    &kAdcapFlagRow,   &kAdcapEnableRow,
    &kAdcapSpeedRow,   &kGyroRow,           &kHarpoonRange1Row, &kHarpoonRange2Row, &kHarpoonFlagRow,
    &kTomahawkRangeRow,
};

bool isCheckBox(const ConsoleSettingRow& row) {
    return &row == &kAdcapFlagRow || &row == &kHarpoonFlagRow;
}


} // namespace

std::string weaponTypeName(std::int32_t type) {
    static constexpr const char* kNames[] = {"ADCAP", "SLMM", "Harpoon", "Tomahawk", "Empty"};
    return type >= 0 && type < static_cast<std::int32_t>(std::size(kNames)) ? kNames[type] : "";
}

/// A setting's caption and its editor or check box.
struct WeaponConsole::Setting {
    const ConsoleSettingRow* row;
    int id; ///< of the editor's field or of the check box
    std::unique_ptr<StaticText> caption;
    std::unique_ptr<SpinEdit> editor;
    std::unique_ptr<StateButton> check;
    bool shown = false;

    void show(bool on) {
        shown = on;
        if (on) {
            caption->show();
            if (editor)
                editor->show();
            if (check)
                check->show();
        } else {
            caption->hide();
            if (editor)
                editor->hide();
            if (check)
                check->hide();
        }
    }
    void set(std::int32_t value) {
        if (check)
            check->setFrameIndex(value);
        else if (EditBox* box = editor->editBox())
            box->setInt(value);
    }
    std::int32_t get(std::int32_t otherwise) const {
        if (check)
            return check->getState();
        int value = otherwise;
        if (EditBox* box = editor->editBox(); box && box->getInt(value))
            return value;
        return otherwise;
    }
};

WeaponConsole::WeaponConsole(WindowHandle page, int x, int y, FireChart& chart)
    : page_(page), x_(x), y_(y), chart_(chart) {
    for (int dy : kConsoleTitleDy)
        titles_.push_back(makeViewLabel(page, x, y + dy, ""));
    int id = kConsoleEditorIds;
    for (const ConsoleSettingRow* row : kRows) {
        auto setting = std::make_unique<Setting>();
        setting->row = row;
        setting->id = id;
        setting->caption = makeViewLabel(page, x, y + row->dy, row->caption);
        if (isCheckBox(*row)) {
            setting->check = std::make_unique<StateButton>(page, id, kConsoleCheckBox, 2, x + kConsoleControlDx,
                                                           y + row->dy, kConsoleCheckSize, kConsoleCheckSize, true);
            setting->check->hide();
        } else {
            setting->editor = std::make_unique<SpinEdit>(page, id, x + kConsoleControlDx, y + row->dy, nullptr,
                                                         nullptr, true);
            setting->editor->setRange(row->minimum, row->maximum);
            if (EditBox* box = setting->editor->editBox())
                box->setTextColour(kViewGreen);
            setting->editor->hide();
        }
        id += 3;
        settings_.push_back(std::move(setting));
    }
    plotCaption_ = makeViewLabel(page, x + kConsolePlotCaptionDx, y, kConsolePlotCaption, StaticText::kAlignCentre);
    plotButton_ = std::make_unique<SimpleButton>(page, kConsolePlotCommand, x + kConsolePlotButtonDx, y,
                                                 kConsolePlotWidth, kConsolePlotHeight, kConsolePlotButton, 2,
                                                 SimpleButton::kPush, false);
    plotButton_->hide();
    const int positionY = y + kConsolePositionDy;
    positionCaptions_.push_back(makeViewLabel(page, x, positionY, kConsolePositionCaptions[0]));
    positionCaptions_.push_back(makeViewLabel(page, x, positionY + 20, kConsolePositionCaptions[1]));
    positionCaptions_.push_back(makeViewLabel(page, x, positionY + 40, kConsolePositionCaptions[2]));
    const auto box = [&](int boxId, int boxY) {
        auto made = std::make_unique<EditBox>(page, boxId, x + kConsoleBoxDx, boxY, kConsoleBoxWidth,
                                              kConsoleBoxHeight, nullptr, nullptr, true, ES_AUTOHSCROLL);
        made->setTextColour(kAccepted);
        made->hide();
        return made;
    };
    latitude_ = box(kConsoleLatitudeBox, positionY);
    longitude_ = box(kConsoleLongitudeBox, positionY + 20);
}

WeaponConsole::~WeaponConsole() {
    chart_.setReports(nullptr);
}

WeaponConsole::Setting& WeaponConsole::setting(const ConsoleSettingRow& row) const {
    for (const auto& s : settings_)
        if (s->row == &row)
            return *s;
    return *settings_.front();
}

SpinEdit* WeaponConsole::editor(const ConsoleSettingRow& row) const {
    if (&row == &kSlmmDepthRow)
        return setting(kAdcapCeilingRow).editor.get();
    return setting(row).editor.get();
}

StateButton* WeaponConsole::checkBox(const ConsoleSettingRow& row) const {
    return setting(row).check.get();
}

bool WeaponConsole::rowShown(const ConsoleSettingRow& row) const {
    return setting(&row == &kSlmmDepthRow ? kAdcapCeilingRow : row).shown;
}

bool WeaponConsole::plotShown() const {
    return plotButton_->isVisible();
}

const StaticText& WeaponConsole::caption(const ConsoleSettingRow& row) const {
    return *setting(&row == &kSlmmDepthRow ? kAdcapCeilingRow : row).caption;
}

std::vector<const StaticText*> WeaponConsole::shownLabels() const {
    std::vector<const StaticText*> labels;
    if (!shown_)
        return labels;
    for (const auto& title : titles_)
        labels.push_back(title.get());
    for (const auto& s : settings_)
        if (s->shown)
            labels.push_back(s->caption.get());
    if (plotShown())
        labels.push_back(plotCaption_.get());
    if (latitude_->isVisible())
        for (const auto& caption : positionCaptions_)
            labels.push_back(caption.get());
    return labels;
}

Launcher* WeaponConsole::launcher() const {
    if (index_ < 0)
        return nullptr;
    // Looked up each time: the launchers go with their mission.
    const auto tables = launcherTables();
    if (!tables)
        return nullptr;
    WeaponLauncher* shown = isCell_ ? tables->cells[static_cast<std::size_t>(index_)]
                                    : tables->tubes[static_cast<std::size_t>(index_)];
    return static_cast<Launcher*>(shown);
}

TorpedoTube* WeaponConsole::tube() const {
    return isCell_ ? nullptr : static_cast<TorpedoTube*>(launcher());
}

VlsCell* WeaponConsole::cell() const {
    return isCell_ ? static_cast<VlsCell*>(launcher()) : nullptr;
}

void WeaponConsole::showLauncher(int index, bool isCell) {
    if (index < 0 || index >= (isCell ? kVlsCellCount : kTorpedoTubeCount))
        return;
    index_ = index;
    isCell_ = isCell;
    Launcher* shown = launcher();
    if (!shown) {
        index_ = -1;
        return;
    }
    char line[256];
    textFormat(line, isCell ? kCellTitle : kTubeTitle, shown->number());
    titles_[0]->setText(line);
    textFormat(line, kTargetTitle, shown->targetName.data());
    titles_[1]->setText(line);
    const std::string weapon = weaponTypeName(shown->weaponType());
    loadEditors();
    textFormat(line, kWeaponTitle, weapon.c_str());
    titles_[2]->setText(line);
    for (auto& title : titles_)
        title->show();
    shown_ = true;
    chart_.setReports(this);
}

void WeaponConsole::showPlot(int captionDy) {
    plotCaption_->moveTo(x_ + kConsolePlotCaptionDx, y_ + captionDy);
    plotButton_->moveTo(x_ + kConsolePlotButtonDx, y_ + captionDy + kConsolePlotButtonBelowCaption);
    plotCaption_->show();
    plotButton_->show();
}

void WeaponConsole::hidePlot() {
    plotCaption_->hide();
    plotButton_->hide();
}

std::vector<WeaponConsole::Field> WeaponConsole::fields() const {
    std::vector<Field> list;
    if (!launcher())
        return list;
    TorpedoTube* shownTube = tube();
    switch (shownType_) {
    case kWeaponAdcap:
        list = {{&kAdcapCeilingRow, &shownTube->adcapCeiling}, {&kAdcapDepth2Row, &shownTube->adcapDepth2},
                {&kAdcapFloorRow, &shownTube->adcapFloor},     {&kAdcapFlagRow, &shownTube->adcapFlag},
                {&kAdcapEnableRow, &shownTube->adcapEnableRange}, {&kAdcapSpeedRow, &shownTube->adcapSpeed}};
        break;
    case kWeaponSlmm:
        // The SLMM depth shares the first ADCAP editor.
        list = {{&kAdcapCeilingRow, &shownTube->slmmDepth}};
        break;
    case kWeaponHarpoon:
        list = {{&kHarpoonRange1Row, &shownTube->harpoonRange1},
                {&kHarpoonRange2Row, &shownTube->harpoonRange2},
                {&kHarpoonFlagRow, &shownTube->harpoonFlag}};
        break;
    case kWeaponTomahawk:
        list = {{&kTomahawkRangeRow, isCell_ ? &cell()->tomahawkRange : &shownTube->tomahawkRange}};
        break;
    default:
        break;
    }
    if (gyroShown_)
        list.push_back({&kGyroRow, &shownTube->gyroCourse});
    return list;
}

void WeaponConsole::loadEditors() {
    Launcher* shown = launcher();
    shownType_ = isCell_ ? kWeaponTomahawk : shown->weaponType();
    const bool routed = shownType_ == kWeaponSlmm || shownType_ == kWeaponTomahawk;
    gyroShown_ = !isCell_ && tube()->target == -1 && (shownType_ == kWeaponAdcap || shownType_ == kWeaponHarpoon);
    if (shownType_ == kWeaponSlmm)
        setting(kAdcapCeilingRow).caption->setText(kSlmmDepthRow.caption);
    for (const Field& field : fields()) {
        setting(*field.row).set(*field.value);
        setting(*field.row).show(true);
    }
    if (shownType_ == kWeaponSlmm)
        showPlot(kConsolePlotCaptionDySlmm);
    else if (shownType_ == kWeaponTomahawk)
        showPlot(kConsolePlotCaptionDyTomahawk);
    else
        hidePlot();
    if (routed)
        shown->showAllWaypoints();
}

void WeaponConsole::storeSettings() {
    // By the type the editors were loaded for: the launcher may hold another one by now.
    if (!launcher())
        return;
    for (const Field& field : fields())
        *field.value = setting(*field.row).get(*field.value);
}

void WeaponConsole::hideEditors() {
    for (auto& s : settings_)
        s->show(false);
    setting(kAdcapCeilingRow).caption->setText(kAdcapCeilingRow.caption);
    hidePlot();
    if (Launcher* shown = launcher(); shown && (shownType_ == kWeaponSlmm || shownType_ == kWeaponTomahawk))
        shown->hideWaypoints();
    shownType_ = kWeaponEmpty;
    gyroShown_ = false;
}

void WeaponConsole::hide() {
    shown_ = false;
    storeSettings();
    hideEditors();
    titles_[0]->hide();
    titles_[1]->hide();
    index_ = -1;
    titles_[2]->hide();
    showPosition(false);
    chart_.setReports(nullptr);
}

void WeaponConsole::showPosition(bool show) {
    for (auto& caption : positionCaptions_)
        show ? caption->show() : caption->hide();
    for (EditBox* box : {latitude_.get(), longitude_.get()})
        show ? box->show() : box->hide();
}

void WeaponConsole::waypointPicked(MapObject& waypoint) {
    if (shown_)
        showPosition(true);
    std::string latitude, longitude;
    if (!waypoint.formatLatLong(latitude, longitude))
        return;
    latitude_->setText(latitude);
    longitude_->setText(longitude);
}

void WeaponConsole::plot() {
    Launcher* picked = launcher();
    if (!picked)
        return;
    // A launcher that holds a route or target is asked first; a tube that fired is not.
    const bool ask = picked->isReady() && (isCell_ || picked->launched == 0);
    if (ask) {
        if (messageBox(page_, textGetString(kReplotQuestion), textGetString(kProgramName),
                       kMbYesNo | kMbIconQuestion) == kIdNo)
            return;
        picked->clearWaypoints();
        chart_.unselect();
    }
    if (isCell_)
        chart_.armForCell(picked);
    else
        chart_.armForTube(picked);
}

void WeaponConsole::typedPosition(int box) {
    MapObject* selected = chart_.selectedMark();
    EditBox& changed = box == kConsoleLatitudeBox ? *latitude_ : *longitude_;
    // With no waypoint selected, a typed position moves nothing.
    const bool moved = selected && selected->setLatLong(latitude_->getText(), longitude_->getText());
    changed.setTextColour(moved ? kAccepted : kRefused);
    changed.invalidate(nullptr, true);
    if (selected)
        selected->notifyViews(); // the chart repaints the point, keeping it selected
}

int WeaponConsole::onCommand(int first, int second) {
    if (!shown_)
        return 0;
    if (first == kConsolePlotCommand) {
        plot();
        return 1;
    }
    if (first == kDisarmCommand) {
        // "Return" disarms the chart; the display then leaves the console.
        chart_.disarm();
        return 0;
    }
    if (first == kEditChanged && (second == kConsoleLatitudeBox || second == kConsoleLongitudeBox)) {
        typedPosition(second);
        return 1;
    }
    // A setting typed, stepped or ticked reaches the launcher at once, so that a shot fired
    // before the console is left flies with it.
    const int control = first == kEditChanged ? second : first;
    for (const Field& field : fields())
        if (control == setting(*field.row).id) {
            storeSettings();
            return 1;
        }
    return 0;
}

void WeaponConsole::paint(DeviceContext& dc) {
    PaintRecord record{&dc, {0, 0, kNavPageWidth, kNavPageHeight}};
    for (auto& title : titles_)
        title->paint(record);
    for (auto& s : settings_)
        s->caption->paint(record);
    plotCaption_->paint(record);
    for (auto& caption : positionCaptions_)
        caption->paint(record);
}

void WeaponConsole::loadResources() {
    for (auto& s : settings_) {
        if (s->editor)
            s->editor->loadResources();
        if (s->check)
            s->check->loadResources();
    }
    plotButton_->loadResources();
}

void WeaponConsole::freeResources() {
    for (auto& s : settings_) {
        if (s->editor)
            s->editor->freeResources();
        if (s->check)
            s->check->freeResources();
    }
    plotButton_->freeResources();
}

} // namespace q71
