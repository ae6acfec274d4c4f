#include "editor/missioneditor/object_dialog.h"

#include "editor/missioneditor/editor_layout.h"
#include "editor/missioneditor/mission_object.h"
#include "editor/missioneditor/object_form.h"
#include "editor/missioneditor/form_numbers.h"
#include "editor/missioneditor/settings_form.h"
#include "framework/textmngr/text_manager.h"
#include "platform/controls/control_messages.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/msgbox/message_box.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <algorithm>
#include <array>

namespace q71 {
namespace {

constexpr int kTextBadField = 2635;
constexpr int kTextCaption = 2629;
constexpr int kFirstLabel = 1100;

/// Says which field does not read, by its label.
void refuse(WindowHandle dialog, int editId) {
    std::array<char, 256> text{};
    textFormat(text, kTextBadField, dialogGetItemText(dialog, editId - ObjectDialog::kFirstEdit + kFirstLabel).c_str());
    messageBox(dialog, text.data(), textCopy(kTextCaption), kMbOk | kMbIconExclamation);
}

} // namespace

ObjectDialog::ObjectDialog(WindowHandle owner, MissionObject& object) : Dialog(owner, kTemplate, true), object_(object) {}

void ObjectDialog::onFirstShow() {
    Dialog::onFirstShow();
    const WindowHandle box = dialogWindow();
    ObjectFormTexts texts = objectFormTexts(object_.fields);
    object_.formatLatLong(texts[kFieldLatitude], texts[kFieldLongitude]);
    // The template's labels first: each text set shows the fields again.
    boxLabels_ = {dialogGetItemText(box, kFirstLabel + kFieldBoxEast), dialogGetItemText(box, kFirstLabel + kFieldBoxNorth)};
    for (int field = 0; field < kObjectFieldCount; ++field)
        dialogSetItemText(box, kFirstEdit + field, texts[static_cast<size_t>(field)]);
    showFields();
}

void ObjectDialog::showFields() {
    const WindowHandle box = dialogWindow();
    const auto mode = formWhole(dialogGetItemText(box, kFirstEdit + kFieldMode), 0, 99);
    for (int i = 0; i < kObjectFieldCount; ++i) {
        const auto field = static_cast<ObjectField>(i);
        // A start has no side, level, patrol, buoys or delay.
        const bool shown = object_.isStart() ? objectFieldOfStart(field) : objectFieldOfMode(field, mode);
        windowShow(dialogGetItem(box, kFirstEdit + field), shown ? SW_SHOW : SW_HIDE);
        windowShow(dialogGetItem(box, kFirstLabel + field), shown ? SW_SHOW : SW_HIDE);
    }
    for (const ObjectField field : {kFieldBoxEast, kFieldBoxNorth})
        dialogSetItemText(box, kFirstLabel + field,
                          objectModeLabel(field, mode).value_or(boxLabels_[field == kFieldBoxEast ? 0 : 1]));
}

int ObjectDialog::onCommand(WParam wParam, LParam lParam) {
    if (static_cast<int>(wParam & 0xFFFF) == kFirstEdit + kFieldMode &&
        static_cast<std::uint32_t>((wParam >> 16) & 0xFFFF) == EN_CHANGE)
        showFields();
    return Dialog::onCommand(wParam, lParam);
}

int ObjectDialog::onOk() {
    const WindowHandle box = dialogWindow();
    ObjectFormTexts texts;
    for (int field = 0; field < kObjectFieldCount; ++field)
        texts[static_cast<size_t>(field)] = dialogGetItemText(box, kFirstEdit + field);
    ScenarioRecord fields = object_.fields;
    ObjectField bad = kFieldName;
    if (!objectFormRead(texts, fields, bad)) {
        refuse(box, kFirstEdit + bad);
        return 0;
    }
    std::string latitude, longitude;
    object_.formatLatLong(latitude, longitude);
    // An unchanged position is not typed again: the text rounds to a thousandth of a minute.
    if ((texts[kFieldLatitude] != latitude || texts[kFieldLongitude] != longitude) &&
        !object_.setLatLong(texts[kFieldLatitude], texts[kFieldLongitude])) {
        refuse(box, kFirstEdit + kFieldLatitude);
        return 0;
    }
    object_.fields = std::move(fields);
    object_.notifyViews();
    return 1;
}

WaypointDialog::WaypointDialog(WindowHandle owner, MapWaypoint& point) : Dialog(owner, kTemplate, true), point_(point) {}

void WaypointDialog::onFirstShow() {
    Dialog::onFirstShow();
    const WindowHandle box = dialogWindow();
    std::string latitude, longitude;
    point_.formatLatLong(latitude, longitude);
    const auto values = waypointFormTexts(point_.depth, point_.speed);
    dialogSetItemText(box, kFirstEdit, latitude);
    dialogSetItemText(box, kFirstEdit + 1, longitude);
    dialogSetItemText(box, kFirstEdit + 2, values[0]);
    dialogSetItemText(box, kFirstEdit + 3, values[1]);
}

int WaypointDialog::onOk() {
    const WindowHandle box = dialogWindow();
    int depth = 0, speed = 0;
    if (!waypointFormRead({dialogGetItemText(box, kFirstEdit + 2), dialogGetItemText(box, kFirstEdit + 3)}, depth,
                          speed)) {
        refuse(box, kFirstEdit + 2);
        return 0;
    }
    std::string latitude, longitude;
    point_.formatLatLong(latitude, longitude);
    const std::string typedLatitude = dialogGetItemText(box, kFirstEdit), typedLongitude = dialogGetItemText(box, kFirstEdit + 1);
    if ((typedLatitude != latitude || typedLongitude != longitude) && !point_.setLatLong(typedLatitude, typedLongitude)) {
        refuse(box, kFirstEdit);
        return 0;
    }
    point_.depth = depth;
    point_.speed = speed;
    return 1;
}

SettingsDialog::SettingsDialog(WindowHandle owner, MissionDocument& document)
    : Dialog(owner, kTemplate, true), document_(document) {}

int SettingsDialog::editOf(int field) {
    // The thresholds' edits follow a gap after the environment's.
    return kFirstEdit + field + (field >= kSettingsTextFields + kSettingsEnvironmentFields ? 1 : 0);
}

void SettingsDialog::onFirstShow() {
    Dialog::onFirstShow();
    windowSetText(dialogWindow(), textCopy(editor_layout::kSettingsText));
    const SettingsTexts texts = missionSettingsTexts(document_);
    for (int field = 0; field < kSettingsFieldCount; ++field)
        dialogSetItemText(dialogWindow(), editOf(field), texts[static_cast<size_t>(field)]);
}

int SettingsDialog::onOk() {
    SettingsTexts texts;
    for (int field = 0; field < kSettingsFieldCount; ++field)
        texts[static_cast<size_t>(field)] = dialogGetItemText(dialogWindow(), editOf(field));
    int bad = 0;
    if (!missionSettingsRead(texts, document_, bad)) {
        // The thresholds share one label.
        refuse(dialogWindow(), std::min(editOf(bad), kFirstEdit + kSettingsTextFields + kSettingsEnvironmentFields));
        return 0;
    }
    return 1;
}

} // namespace q71
