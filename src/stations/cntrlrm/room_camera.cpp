#include "stations/cntrlrm/room_camera.h"

#include <cmath>
#include <numbers>

namespace q71 {

RoomCamera roomCameraWalked(RoomCamera camera, int dx, int dy) {
    const float sx = static_cast<float>(dx) * kRoomWalkPerPixel;
    const float sy = static_cast<float>(dy) * kRoomWalkPerPixel;
    const float h = camera.heading * std::numbers::pi_v<float> / 180.0f;
    camera.x += sy * std::sin(h) - sx * std::cos(h);
    camera.y += sy * std::cos(h) + sx * std::sin(h);
    return camera;
}

RoomCamera roomCameraTurned(RoomCamera camera, int dx, int dy) {
    camera.heading += kRoomTurnPerPixel * static_cast<float>(dx);
    camera.pitch += kRoomTurnPerPixel * static_cast<float>(dy);
    return camera;
}

} // namespace q71
