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
#include "stations/firectrl/tube_panel.h"
#include "stations/firectrl/vls_cell.h"
#include "stations/firectrl/weapon_console_layout.h"
#include "stations/firectrl/view_label.h"
#include "stations/nav/nav_layout.h"
#include "tactical/charts/map_object.h"

#include <array>

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
constexpr std::array kAdcapRows{&kAdcapCeilingRow, &kAdcapDepth2Row, &kAdcapFloorRow,
                                &kAdcapFlagRow,    &kAdcapEnableRow, &kAdcapSpeedRow};
constexpr std::array kHarpoonRows{&kHarpoonRange1Row, &kHarpoonRange2Row, &kHarpoonFlagRow};

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

Launcher* WeaponConsole::launcher() const {
    if (tube_)
        return tube_;
    return cell_;
}

void WeaponConsole::showLauncher(int index, bool isCell) {
    const auto tables = launcherTables();
    if (!tables)
        return;
    char line[256];
    if (isCell) {
        if (index < 0 || index >= kVlsCellCount)
            return;
        cell_ = static_cast<VlsCell*>(tables->cells[static_cast<std::size_t>(index)]);
        tube_ = nullptr;
        textFormat(line, kCellTitle, cell_->number());
    } else {
        tube_ = tableTube(index);
        if (!tube_)
            return;
        cell_ = nullptr;
        textFormat(line, kTubeTitle, tube_->number());
    }
    titles_[0]->setText(line);
    textFormat(line, kTargetTitle, launcher()->targetName.data());
    titles_[1]->setText(line);
    const std::string weapon = weaponTypeName(launcher()->weaponType());
    loadEditors();
    textFormat(line, kWeaponTitle, weapon.c_str());
    titles_[2]->setText(line);
    for (auto& title : titles_)
        title->show();
    shown_ = true;
    chart_.setReports(this);
}

void WeaponConsole::showRows(std::initializer_list<const ConsoleSettingRow*> rows, bool show) {
    for (const ConsoleSettingRow* row : rows)
        setting(*row).show(show);
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

void WeaponConsole::loadEditors() {
    const std::int32_t type = cell_ ? kWeaponTomahawk : tube_->weaponType();
    const bool gyro = tube_ && tube_->target == -1;
    switch (type) {
    case kWeaponAdcap: {
        const std::int32_t values[] = {tube_->adcapCeiling, tube_->adcapDepth2,      tube_->adcapFloor,
                                       tube_->adcapFlag,    tube_->adcapEnableRange, tube_->adcapSpeed};
        for (std::size_t i = 0; i < kAdcapRows.size(); ++i) {
            setting(*kAdcapRows[i]).set(values[i]);
            setting(*kAdcapRows[i]).show(true);
        }
        hidePlot();
        break;
    }
    case kWeaponSlmm:
        setting(kAdcapCeilingRow).set(tube_->slmmDepth);
        setting(kAdcapCeilingRow).caption->setText(kSlmmDepthRow.caption);
        setting(kAdcapCeilingRow).show(true);
        showPlot(kConsolePlotCaptionDySlmm);
        tube_->showAllWaypoints();
        break;
    case kWeaponHarpoon: {
        const std::int32_t values[] = {tube_->harpoonRange1, tube_->harpoonRange2, tube_->harpoonFlag};
        for (std::size_t i = 0; i < kHarpoonRows.size(); ++i) {
            setting(*kHarpoonRows[i]).set(values[i]);
            setting(*kHarpoonRows[i]).show(true);
        }
        break;
    }
    case kWeaponTomahawk:
        setting(kTomahawkRangeRow).set(cell_ ? cell_->tomahawkRange : tube_->tomahawkRange);
        setting(kTomahawkRangeRow).show(true);
        showPlot(kConsolePlotCaptionDyTomahawk);
        launcher()->showAllWaypoints();
        break;
    default:
        return;
    }
    if (gyro && (type == kWeaponAdcap || type == kWeaponHarpoon)) {
        setting(kGyroRow).set(tube_->gyroCourse);
        setting(kGyroRow).show(true);
    }
}

void WeaponConsole::storeEditors() {
    const std::int32_t type = cell_ ? kWeaponTomahawk : tube_->weaponType();
    const bool gyro = tube_ && tube_->target == -1;
    switch (type) {
    case kWeaponAdcap: {
        std::int32_t* values[] = {&tube_->adcapCeiling, &tube_->adcapDepth2,      &tube_->adcapFloor,
                                  &tube_->adcapFlag,    &tube_->adcapEnableRange, &tube_->adcapSpeed};
        for (std::size_t i = 0; i < kAdcapRows.size(); ++i) {
            *values[i] = setting(*kAdcapRows[i]).get(*values[i]);
            setting(*kAdcapRows[i]).show(false);
        }
        break;
    }
    case kWeaponSlmm:
        tube_->slmmDepth = setting(kAdcapCeilingRow).get(tube_->slmmDepth);
        setting(kAdcapCeilingRow).caption->setText(kAdcapCeilingRow.caption);
        setting(kAdcapCeilingRow).show(false);
        hidePlot();
        tube_->hideWaypoints();
        break;
    case kWeaponHarpoon: {
        std::int32_t* values[] = {&tube_->harpoonRange1, &tube_->harpoonRange2, &tube_->harpoonFlag};
        for (std::size_t i = 0; i < kHarpoonRows.size(); ++i) {
            *values[i] = setting(*kHarpoonRows[i]).get(*values[i]);
            setting(*kHarpoonRows[i]).show(false);
        }
        break;
    }
    case kWeaponTomahawk: {
        std::int32_t& range = cell_ ? cell_->tomahawkRange : tube_->tomahawkRange;
        range = setting(kTomahawkRangeRow).get(range);
        setting(kTomahawkRangeRow).show(false);
        hidePlot();
        launcher()->hideWaypoints();
        break;
    }
    default:
        break;
    }
    if (gyro && setting(kGyroRow).shown)
        tube_->gyroCourse = setting(kGyroRow).get(tube_->gyroCourse);
    setting(kGyroRow).show(false);
}

void WeaponConsole::hide() {
    shown_ = false;
    if (launcher())
        storeEditors();
    for (auto& s : settings_)
        s->show(false);
    hidePlot();
    titles_[0]->hide();
    titles_[1]->hide();
    tube_ = nullptr;
    cell_ = nullptr;
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
    const bool ask = picked->isReady() && (cell_ || picked->launched == 0);
    if (ask) {
        if (messageBox(page_, textGetString(kReplotQuestion), textGetString(kProgramName),
                       kMbYesNo | kMbIconQuestion) == kIdNo)
            return;
        picked->clearWaypoints();
        chart_.unselect();
    }
    if (cell_)
        chart_.armForCell(cell_);
    else
        chart_.armForTube(tube_);
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
