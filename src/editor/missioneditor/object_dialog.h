#pragma once
// The editor's boxes: an object's fields (template 120), a route point's (121) and the mission's
// texts and environment (122). OK reads every field and moves the object to the typed latitude and
// longitude; a field that does not read is named and the box stays open with nothing changed.

#include "framework/widgets/dialog.h"

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

private:
    MissionObject& object_;
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
