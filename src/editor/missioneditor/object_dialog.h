#pragma once
// The editor's boxes: an object's fields (template 120), a route point's (121) and the mission's
// texts and environment (122). OK reads every field and moves the object to the typed latitude and
// longitude; a field that does not read is named and the box stays open with nothing changed.
// A unit's box shows the patrol fields of the mode typed in it, as it is typed.

#include "framework/widgets/dialog.h"

#include <array>
#include <string>

namespace q71 {

class MapWaypoint;
class MissionDocument;
class MissionObject;

class ObjectDialog : public Dialog {
public:
    static constexpr int kTemplate = 120;
    /// The edit of the first field; the others follow in the form's field order.
    static constexpr int kFirstEdit = 1000;

    ObjectDialog(WindowHandle owner, MissionObject& object);
    void onFirstShow() override;
    int onOk() override;
    int onCommand(WParam wParam, LParam lParam) override;

private:
    /// Shows the fields of the start or of the typed patrol mode, labelled for it.
    void showFields();

    MissionObject& object_;
    std::array<std::string, 2> boxLabels_; ///< the template's east and north labels
};

class WaypointDialog : public Dialog {
public:
    static constexpr int kTemplate = 121;
    static constexpr int kFirstEdit = 1000; ///< latitude, longitude, depth, speed

    WaypointDialog(WindowHandle owner, MapWaypoint& point);
    void onFirstShow() override;
    int onOk() override;

private:
    MapWaypoint& point_;
};

/// The mission's texts, environment and grade thresholds (template 122).
class SettingsDialog : public Dialog {
public:
    static constexpr int kTemplate = 122;
    static constexpr int kFirstEdit = 1000; ///< the texts 1000-1004, the environment 1005-1008, the thresholds 1010-1014

    SettingsDialog(WindowHandle owner, MissionDocument& document);
    void onFirstShow() override;
    int onOk() override;

private:
    /// The edit of a field of the form.
    static int editOf(int field);

    MissionDocument& document_;
};

} // namespace q71
