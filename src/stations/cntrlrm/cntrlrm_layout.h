#pragma once
// The control room station's tables: its buttons, the nine viewpoints with their places on the
// room plan and their cameras, the host stations the buttons lead to and the stations the room
// model's parts stand for. The station reads them, and the data set draws its art and builds the
// room model from the same rows.

#include "platform/geometry/rect.h"

#include <array>

namespace q71 {

inline constexpr const char* kRoomGroup = "cntrlrm";
inline constexpr const char* kRoomBackground = "screen30.bmp";
/// Two dots stacked bottom-up with one row between: the lit one below, the dim one above.
inline constexpr const char* kRoomMarker = "bdot.bmp";
inline constexpr int kRoomMissingText = 606;
inline constexpr const char* kRoomFatalSource = "Cntrlrm";
/// The fatal report's lines: the group, the background, the marker.
inline constexpr int kRoomLineGroup = 222;
inline constexpr int kRoomLineBackground = 225;
inline constexpr int kRoomLineMarker = 227;

/// One button: command id, strip, place, size and frames.
struct RoomButtonRow {
    int id;
    const char* bitmap;
    int x, y, width, height, frames;
};
inline constexpr int kRoomStationButtonCount = 9;
/// The station buttons, commands 1-9; button i belongs to viewpoint i. Three frames: up, down and
/// dimmed (a station the host has not built).
inline constexpr std::array<RoomButtonRow, kRoomStationButtonCount> kRoomStationButtons{{
    {1, "X229Y284.bmp", 229, 284, 85, 11, 3},
    {2, "X229Y296.bmp", 229, 296, 110, 11, 3},
    {3, "X229Y308.bmp", 229, 308, 85, 11, 3},
    {4, "X229Y320.bmp", 229, 320, 110, 11, 3},
    {5, "X229Y332.bmp", 229, 332, 110, 11, 3},
    {6, "X229Y344.bmp", 229, 344, 85, 11, 3},
    {7, "X229Y356.bmp", 229, 356, 85, 11, 3},
    {8, "X229Y368.bmp", 229, 368, 85, 11, 3},
    {9, "X229Y380.bmp", 229, 380, 85, 11, 3},
}};
inline constexpr int kRoomPreviousCommand = 11;
inline constexpr int kRoomNextCommand = 12;
inline constexpr std::array<RoomButtonRow, 2> kRoomArrowButtons{{
    {kRoomPreviousCommand, "X369Y315.bmp", 369, 315, 32, 38, 2},
    {kRoomNextCommand, "X430Y315.bmp", 430, 315, 31, 37, 2},
}};

/// The host station each command 1-9 leads to (index = command id - 1).
inline constexpr std::array<int, kRoomStationButtonCount> kRoomStationColumn{0, 11, 1, 4, 5, 2, 6, 10, 3};

/// A camera of the room, in the room's frame (docs/render3d.md): x, y across the floor, z up,
/// heading clockwise from +y in degrees, pitch up in degrees.
struct RoomCamera {
    float x = 0.0f, y = 0.0f, z = 0.0f, heading = 0.0f, pitch = 0.0f;
};

struct RoomViewpoint {
    int planX, planY; ///< the marker's top-left corner on the screen
    RoomCamera camera;
};
inline constexpr int kRoomViewpointCount = 9;
inline constexpr std::array<RoomViewpoint, kRoomViewpointCount> kRoomViewpoints{{
    {94, 295, {-4.1f, 6.1f, -4.4f, 165.0f, -10.0f}},
    {138, 281, {-0.6f, 6.7f, -3.9f, 191.0f, -2.0f}},
    {179, 288, {3.8f, 4.9f, -3.9f, 215.0f, 0.0f}},
    {188, 315, {5.3f, 4.7f, -3.0f, 257.0f, -17.0f}},
    {188, 340, {5.2f, 1.1f, -3.0f, 270.0f, -8.0f}},
    {184, 381, {6.4f, -5.2f, -3.9f, 295.0f, -13.0f}},
    {143, 338, {0.6f, -5.3f, -3.0f, 180.0f, 0.0f}},
    {139, 373, {1.6f, -9.0f, -4.2f, 120.0f, -16.0f}},
    {99, 380, {-1.8f, -5.2f, -3.9f, 45.0f, 2.0f}},
}};

/// A part of the room model (its object id) and the station button it stands for (-1: none).
struct RoomObjectRow {
    int objectId;
    int button;
};
inline constexpr std::array<RoomObjectRow, 15> kRoomObjects{{
    {1, -1},
    {2, 8},
    {3, 7},
    {4, 7},
    {5, -1},
    {6, 1},
    {7, -1},
    {8, 2},
    {9, -1},
    {10, -1},
    {11, 6},
    {12, 5},
    {13, 4},
    {14, 3},
    {15, 9},
}};

/// The 3-D view on the screen, its models and its lens.
inline constexpr const char* kRoomViewName = "ControlRoom";
inline constexpr Rect kRoomViewRect{69, 27, 69 + 400, 27 + 225};
inline constexpr const char* kRoomModel = "Control-Room";
inline constexpr const char* kRoomMockModel = "MockRoom";
inline constexpr float kRoomFieldOfView = 45.0f;
inline constexpr float kRoomCameraSetting = 60.0f;

} // namespace q71
