#pragma once
// The camera's drags in the room: the left button walks it across the floor (the cursor's
// movement turned by the heading), the right button turns and tilts it.

#include "stations/cntrlrm/cntrlrm_layout.h"

namespace q71 {

/// Room units walked per pixel of a left drag.
inline constexpr float kRoomWalkPerPixel = 0.03f;
/// Degrees turned per pixel of a right drag (0.02 radians).
inline constexpr float kRoomTurnPerPixel = 1.1459156f;

/// The camera after a left drag of (dx, dy) pixels: dragging down walks along the heading,
/// dragging right steps to the left of it, as if the floor were pulled.
RoomCamera roomCameraWalked(RoomCamera camera, int dx, int dy);
/// The camera after a right drag of (dx, dy) pixels: right turns clockwise, down looks up.
RoomCamera roomCameraTurned(RoomCamera camera, int dx, int dy);

} // namespace q71
