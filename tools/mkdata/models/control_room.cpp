// The control room's models: "Control-Room", the room round the station's nine viewpoints with a
// console where each viewpoint's camera looks, every console a child tagged with its object id;
// and "MockRoom", a bare stand-in of the same room. The room's frame is the station's: x, y across
// the floor, z up, put into scene space as (x, z, -y) (docs/render3d.md).
#include "mkdata/models/recipes.h"
#include "mkdata/models/shapes.h"
#include "stations/cntrlrm/cntrlrm_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace q71::mkdata {
namespace {

using shapes::Mesh;
using shapes::Tint;
using shapes::Vec3;

constexpr float kFloor = -5.9f;
constexpr float kCeiling = -0.6f;
// The walls: x from port to starboard, y from aft to forward.
constexpr float kPort = -6.6f, kStarboard = 8.6f, kAft = -11.6f, kForward = 8.6f;
// How far ahead of its camera a console's face stands, its half width and its depth.
constexpr float kReach = 1.8f;
constexpr float kHalfWidth = 0.55f;
constexpr float kDepth = 0.6f;
// The cabinet rises this far above the camera's line of sight where it meets the face.
constexpr float kAboveSight = 0.55f;
// A display that hangs from the deckhead reaches this far below the line of sight.
constexpr float kBelowSight = 0.2f;
constexpr int kTagShell = 1;
constexpr int kTagLadder = 5;
constexpr int kTagTable = 7;
constexpr int kTagPipes = 9;
constexpr int kTagLamps = 10;
constexpr int kTagSecondPeriscope = 4;

const Tint kSteel{0.32f, 0.40f, 0.48f};
const Tint kSteelDark{0.18f, 0.23f, 0.28f};
const Tint kWall{0.30f, 0.36f, 0.42f};
const Tint kDeck{0.22f, 0.24f, 0.26f};
const Tint kDeckhead{0.55f, 0.58f, 0.60f};
const Tint kGlass{0.03f, 0.05f, 0.06f};
const Tint kPhosphor{0.30f, 0.91f, 0.45f};
const Tint kAmber{1.0f, 0.70f, 0.14f};
const Tint kChart{0.62f, 0.72f, 0.85f};
const Tint kDoor{0.42f, 0.36f, 0.30f};

// A room point in scene space.
Vec3 at(float x, float y, float z) {
    return {x, z, -y};
}

// A quad whose face turns towards `outward` (its winding is flipped when it does not).
void face(Mesh& mesh, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 outward, std::uint32_t material) {
    const Vec3 n = r3d::cross(b - a, c - a);
    if (n.x * outward.x + n.y * outward.y + n.z * outward.z >= 0.0f)
        mesh.quad(a, b, c, d, material);
    else
        mesh.quad(a, d, c, b, material);
}

// A box standing on the floor plan, its front face centred on (x, y) and facing `facing` (a
// direction of the floor, room frame), from z `bottom` to `top`.
void standingBox(Mesh& mesh, float x, float y, float facingX, float facingY, float halfWidth, float depth,
                 float bottom, float top, std::uint32_t material) {
    const Vec3 f = at(facingX, facingY, 0.0f);
    const Vec3 side{f.z, 0.0f, -f.x};
    const Vec3 front = at(x, y, 0.0f);
    Vec3 corners[8];
    for (int i = 0; i < 8; ++i) {
        const Vec3 base = front + side * (i & 1 ? halfWidth : -halfWidth) - f * (i & 2 ? depth : 0.0f);
        corners[i] = {base.x, i & 4 ? top : bottom, base.z};
    }
    const Vec3 centre = front - f * (depth / 2) + Vec3{0.0f, (bottom + top) / 2, 0.0f};
    constexpr int kFaces[6][4] = {{0, 1, 5, 4}, {2, 3, 7, 6}, {0, 2, 6, 4},
                                  {1, 3, 7, 5}, {0, 1, 3, 2}, {4, 5, 7, 6}};
    for (const auto& q : kFaces) {
        const Vec3 mid = (corners[q[0]] + corners[q[2]]) * 0.5f;
        face(mesh, corners[q[0]], corners[q[1]], corners[q[2]], corners[q[3]], mid - centre, material);
    }
}

// A lit pane just in front of a face: displays and lamps glow whatever the light.
std::uint32_t glowing(Mesh& mesh, Tint tint) {
    const std::uint32_t m = mesh.material(tint);
    mesh.clump().materials[m].ambient = 1.0f;
    mesh.clump().materials[m].diffuse = 0.0f;
    return m;
}

void pane(Mesh& mesh, float x, float y, float facingX, float facingY, float halfWidth, float bottom,
          float top, std::uint32_t material) {
    const Vec3 f = at(facingX, facingY, 0.0f);
    const Vec3 side{f.z, 0.0f, -f.x};
    const Vec3 c = at(x, y, 0.0f) + f * 0.01f;
    const Vec3 lo{0.0f, bottom, 0.0f}, hi{0.0f, top, 0.0f};
    face(mesh, c - side * halfWidth + lo, c + side * halfWidth + lo, c + side * halfWidth + hi,
         c - side * halfWidth + hi, f, material);
}

struct Sight {
    float x, y;             ///< where the line of sight meets the console's face
    float facingX, facingY; ///< back towards the camera
    float z;                ///< the line's height there
};

Sight sightOf(const RoomViewpoint& v) {
    const float h = v.camera.heading * std::numbers::pi_v<float> / 180.0f;
    const float dx = std::sin(h), dy = std::cos(h);
    return {v.camera.x + kReach * dx, v.camera.y + kReach * dy, -dx, -dy,
            v.camera.z + kReach * std::tan(v.camera.pitch * std::numbers::pi_v<float> / 180.0f)};
}

// The display colour of a station button's console.
Tint displayOf(int button) {
    switch (button) {
    case 1:
    case 5:
        return kAmber;
    case 8:
        return kChart;
    default:
        return kPhosphor;
    }
}

void console(r3d::ClumpRecord& room, int tag, int button, const Sight& s) {
    Mesh mesh(shapes::child(room, tag, {}));
    const std::uint32_t steel = mesh.material(kSteel);
    const Tint lit = displayOf(button);
    const std::uint32_t display = glowing(mesh, {lit.red * 0.3f, lit.green * 0.3f, lit.blue * 0.3f});
    const std::uint32_t trace = glowing(mesh, lit);
    const std::uint32_t glass = mesh.material(kGlass);
    float bottom = kFloor;
    if (button == 4) {
        // Hangs from the deckhead, clear of the sonar operator's line of sight below it.
        bottom = s.z - kBelowSight;
        standingBox(mesh, s.x, s.y, s.facingX, s.facingY, kHalfWidth, kDepth * 0.5f, bottom,
                    s.z + kAboveSight, steel);
        standingBox(mesh, s.x - s.facingX * 0.15f, s.y - s.facingY * 0.15f, s.facingX, s.facingY, 0.05f,
                    0.05f, s.z + kAboveSight, kCeiling, steel);
    } else {
        standingBox(mesh, s.x, s.y, s.facingX, s.facingY, kHalfWidth, kDepth, kFloor, s.z + kAboveSight,
                    steel);
        // The desk that sticks out under the display.
        standingBox(mesh, s.x + s.facingX * 0.3f, s.y + s.facingY * 0.3f, s.facingX, s.facingY, kHalfWidth,
                    0.3f, s.z - 0.55f, s.z - 0.5f, steel);
    }
    const float glassBottom = std::max(s.z - 0.3f, bottom + 0.03f);
    pane(mesh, s.x, s.y, s.facingX, s.facingY, kHalfWidth - 0.1f, glassBottom, s.z + 0.35f, glass);
    pane(mesh, s.x + s.facingX * 0.005f, s.y + s.facingY * 0.005f, s.facingX, s.facingY, kHalfWidth - 0.15f,
         glassBottom + 0.05f, s.z + 0.3f, display);
    // A few lines of readout on the glass.
    for (int k = 0; k < 4; ++k) {
        const float z = s.z - 0.17f + 0.12f * static_cast<float>(k);
        pane(mesh, s.x + s.facingX * 0.01f, s.y + s.facingY * 0.01f, s.facingX, s.facingY,
             (kHalfWidth - 0.25f) * (k % 2 ? 0.6f : 1.0f), z, z + 0.025f, trace);
    }
}

// A periscope's column from deck to deckhead, and its eyepiece turned to the camera.
void periscope(r3d::ClumpRecord& room, int tag, const Sight& s, float columnX, float columnY) {
    Mesh mesh(shapes::child(room, tag, {}));
    const std::uint32_t steel = mesh.material(kSteelDark);
    shapes::frustum(mesh, at(columnX, columnY, kFloor), at(columnX, columnY, kCeiling), 0.25f, 0.25f, 12,
                    steel);
    standingBox(mesh, columnX + s.facingX * 0.4f, columnY + s.facingY * 0.4f, s.facingX, s.facingY, 0.2f,
                0.2f, s.z - 0.25f, s.z + 0.1f, mesh.material(kSteel));
}

void stateroomDoor(r3d::ClumpRecord& room, int tag, const Sight& s) {
    Mesh mesh(shapes::child(room, tag, {}));
    const std::uint32_t frame = mesh.material(kSteel);
    const std::uint32_t door = mesh.material(kDoor);
    const std::uint32_t lamp = glowing(mesh, {0.9f, 0.2f, 0.15f});
    standingBox(mesh, s.x, s.y, s.facingX, s.facingY, 0.8f, 0.2f, kFloor, kCeiling, frame);
    pane(mesh, s.x, s.y, s.facingX, s.facingY, 0.5f, kFloor + 0.1f, s.z + 0.6f, door);
    pane(mesh, s.x + s.facingX * 0.005f, s.y + s.facingY * 0.005f, s.facingX, s.facingY, 0.06f, s.z + 0.75f,
         s.z + 0.85f, lamp);
}

// The walls, deck and deckhead, their faces turned into the room.
void shell(r3d::ClumpRecord& room) {
    Mesh mesh(shapes::child(room, kTagShell, {}));
    const std::uint32_t wall = mesh.material(kWall);
    const std::uint32_t deck = mesh.material(kDeck);
    const std::uint32_t deckhead = mesh.material(kDeckhead);
    const Vec3 a = at(kPort, kAft, kFloor), b = at(kStarboard, kAft, kFloor),
               c = at(kStarboard, kForward, kFloor), d = at(kPort, kForward, kFloor);
    const Vec3 up{0.0f, kCeiling - kFloor, 0.0f};
    face(mesh, a, b, c, d, {0, 1, 0}, deck);
    face(mesh, a + up, b + up, c + up, d + up, {0, -1, 0}, deckhead);
    face(mesh, a, b, b + up, a + up, {0, 0, -1}, wall);
    face(mesh, b, c, c + up, b + up, {-1, 0, 0}, wall);
    face(mesh, c, d, d + up, c + up, {0, 0, 1}, wall);
    face(mesh, d, a, a + up, d + up, {1, 0, 0}, wall);
}

void fittings(r3d::ClumpRecord& room) {
    {
        Mesh ladder(shapes::child(room, kTagLadder, {}));
        const std::uint32_t m = ladder.material(kSteel);
        for (float x : {-5.5f, -4.9f})
            shapes::box(ladder, at(x - 0.04f, -1.0f, kFloor) + Vec3{0, 0, -0.04f},
                        at(x + 0.04f, -1.0f, kCeiling) + Vec3{0, 0, 0.04f}, m);
        for (float z = kFloor + 0.4f; z < kCeiling; z += 0.45f)
            shapes::box(ladder, at(-5.5f, -1.0f, z) + Vec3{0, 0, -0.03f},
                        at(-4.9f, -1.0f, z + 0.05f) + Vec3{0, 0, 0.03f}, m);
    }
    {
        Mesh table(shapes::child(room, kTagTable, {}));
        standingBox(table, 1.0f, -0.5f, 0.0f, -1.0f, 0.8f, 1.0f, kFloor, -4.95f, table.material(kSteel));
        const std::uint32_t chart = glowing(table, kChart);
        face(table, at(0.3f, -0.4f, -4.94f), at(1.7f, -0.4f, -4.94f), at(1.7f, 0.4f, -4.94f),
             at(0.3f, 0.4f, -4.94f), {0, 1, 0}, chart);
    }
    {
        Mesh pipes(shapes::child(room, kTagPipes, {}));
        const std::uint32_t m = pipes.material({0.55f, 0.45f, 0.30f});
        for (float z : {-1.2f, -1.5f, -1.8f})
            shapes::frustum(pipes, at(kPort + 0.2f, kAft + 0.5f, z), at(kPort + 0.2f, kForward - 0.5f, z),
                            0.08f, 0.08f, 6, m);
    }
    {
        Mesh lamps(shapes::child(room, kTagLamps, {}));
        const std::uint32_t m = glowing(lamps, {0.95f, 0.95f, 0.85f});
        for (float y = kAft + 2.0f; y < kForward; y += 4.0f)
            for (float x : {-2.5f, 4.5f})
                shapes::box(lamps, {x - 0.6f, kCeiling - 0.08f, -y - 0.15f}, {x + 0.6f, kCeiling, -y + 0.15f},
                            m);
    }
}

r3d::ClumpRecord controlRoom(const ModelSize&) {
    r3d::ClumpRecord room;
    shell(room);
    for (int i = 0; i < kRoomViewpointCount; ++i) {
        const RoomViewpoint& v = kRoomViewpoints[static_cast<std::size_t>(i)];
        const int button = i + 1;
        int tag = 0;
        for (const RoomObjectRow& row : kRoomObjects)
            if (row.button == button && tag == 0)
                tag = row.objectId;
        const Sight s = sightOf(v);
        if (button == 7) {
            periscope(room, tag, s, s.x - s.facingX * 0.25f, s.y - s.facingY * 0.25f);
            periscope(room, kTagSecondPeriscope, s, s.x - 1.1f, s.y - 0.5f);
        } else if (button == 2) {
            stateroomDoor(room, tag, s);
        } else {
            console(room, tag, button, s);
        }
    }
    fittings(room);
    return room;
}

// The bare room: walls and a block where each post stands, untagged.
r3d::ClumpRecord mockRoom(const ModelSize&) {
    r3d::ClumpRecord room;
    Mesh mesh(room);
    const std::uint32_t m = mesh.material(kSteelDark);
    shapes::box(mesh, {kPort, kFloor, -kForward}, {kStarboard, kCeiling, -kAft}, m);
    for (const RoomViewpoint& v : kRoomViewpoints) {
        const Sight s = sightOf(v);
        standingBox(mesh, s.x, s.y, s.facingX, s.facingY, kHalfWidth, kDepth, kFloor, s.z, m);
    }
    return room;
}

constexpr ModelRecipe kRecipes[] = {
    {kRoomModel, controlRoom},
    {kRoomMockModel, mockRoom},
};

} // namespace

std::span<const ModelRecipe> roomRecipes() {
    return kRecipes;
}

} // namespace q71::mkdata
