#pragma once
// A small library of flat-shaded shapes for the data set's 3-D models: panels, boxes, tapered
// blocks, cylinders and cones along any axis, and hulls of revolution. Everything is written into
// a model record of the 3-D library's format; every triangle gets its own three vertices with the
// face's normal, so that flat shading shows crisp facets. Textured materials get coordinates by
// projecting each face on its main plane, `uvPerUnit` repeats per scene unit.

#include "render3d/format.h"

#include <cstdint>
#include <span>
#include <string>

namespace q71::mkdata::shapes {

using r3d::Vec3;

struct Tint {
    float red = 1.0f, green = 1.0f, blue = 1.0f;
};

/// Builds the geometry of one clump (a model or one of its children).
class Mesh {
public:
    explicit Mesh(r3d::ClumpRecord& clump) : clump_(clump) {}

    /// A flat-shaded material; with a texture name, the texture times the colour.
    std::uint32_t material(Tint tint, const std::string& texture = {}, float uvPerUnit = 1.0f);
    void triangle(Vec3 a, Vec3 b, Vec3 c, std::uint32_t material);
    /// Two triangles a-b-c and a-c-d.
    void quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, std::uint32_t material);

    r3d::ClumpRecord& clump() { return clump_; }

private:
    r3d::ClumpRecord& clump_;
    std::vector<float> uvScale_; ///< per material
};

/// A flat panel from a corner along two edges (a plane, a fin, a blade).
void panel(Mesh& mesh, Vec3 corner, Vec3 edgeU, Vec3 edgeV, std::uint32_t material);
/// An axis-aligned box.
void box(Mesh& mesh, Vec3 min, Vec3 max, std::uint32_t material);
/// A block standing on the rectangle of `base` (x, z half sizes around a centre at `bottom`)
/// whose top rectangle is `top` half sizes, `height` above, moved by `topShiftZ` along Z.
void block(Mesh& mesh, Vec3 bottom, float baseHalfX, float baseHalfZ, float topHalfX, float topHalfZ, float height,
           float topShiftZ, std::uint32_t material);
/// A closed frustum (cylinder when both radii are equal, cone when one is 0) from one point to
/// another, with `sides` faces around.
void frustum(Mesh& mesh, Vec3 from, Vec3 to, float radiusFrom, float radiusTo, int sides, std::uint32_t material);

/// A station of a hull of revolution: its place along the axis and its radius.
struct Station {
    float along = 0.0f;
    float radius = 0.0f;
};

/// A body of revolution about an axis parallel to Z through `centre`, stations from stern to
/// bow; the section is squashed vertically by `heightRatio` (1: round).
void revolution(Mesh& mesh, Vec3 centre, std::span<const Station> stations, int sides, float heightRatio,
                std::uint32_t material);

/// A section of a ship's hull: half-widths at the deck, the waterline and the keel, the deck's
/// height and the keel's depth (below the waterline, positive), at a place along Z.
struct HullSection {
    float along = 0.0f;
    float deckHalfWidth = 0.0f;
    float waterHalfWidth = 0.0f;
    float keelHalfWidth = 0.0f;
    float deck = 0.0f;
    float keel = 0.0f;
};

/// A ship's hull through its sections from stern to bow, closed by its deck and its transom.
void shipHull(Mesh& mesh, std::span<const HullSection> sections, std::uint32_t sideMaterial, std::uint32_t deckMaterial);

/// A child clump of a model with its tag, standing at `at` in its parent (its pivot).
r3d::ClumpRecord& child(r3d::ClumpRecord& parent, std::int32_t tag, Vec3 at);

/// The box of a model's vertices in its own frame, children placed by their translation.
struct Bounds {
    Vec3 min{1e9f, 1e9f, 1e9f};
    Vec3 max{-1e9f, -1e9f, -1e9f};
};
Bounds modelBounds(const r3d::ClumpRecord& clump);

/// Scales a model (its vertices and its children's places) about its origin, axis by axis, and
/// gives the faces their normals anew.
void scaleModel(r3d::ClumpRecord& clump, Vec3 factors);

/// Triangles of a model and all its children.
std::size_t triangleCount(const r3d::ClumpRecord& clump);

} // namespace q71::mkdata::shapes
