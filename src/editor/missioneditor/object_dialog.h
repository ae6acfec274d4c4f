#pragma once
// The editor's boxes for what stands on the map: an object's fields (template 120) and a route
// point's (template 121). OK reads every field and moves the object to the typed latitude and
// longitude; a field that does not read is named and the box stays open with nothing changed.

#include "framework/widgets/dialog.h"

namespace q71 {

class MapWaypoint;
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

} // namespace q71
