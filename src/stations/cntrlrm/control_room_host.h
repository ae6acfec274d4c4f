#pragma once
// What the control room asks of the in-mission host: whether a station can be selected, and to
// switch to it. In the program the host is the screen that owns the station's parent window;
// tests give a recording one.

#include "platform/window/window_types.h"

#include <memory>

namespace q71 {

class ControlRoomHost {
public:
    virtual ~ControlRoomHost() = default;
    /// True when the host holds a station in that slot and it is not locked.
    virtual bool stationOpen(int station) const = 0;
    /// Switches the host to the station of that slot (its button selected too).
    virtual void selectStation(int station) = 0;
};

/// The gen_info host screen whose window is `hostWindow`; while that window holds no host screen,
/// no station is open and nothing is selected.
std::unique_ptr<ControlRoomHost> controlRoomHostOf(WindowHandle hostWindow);

} // namespace q71
