#pragma once
// Clumps: the library's models. A clump holds vertices and triangles in its own frame, a place
// in its parent (the joint, applied first, then the clump matrix), a tag, user data and
// children, which it owns. A clump without a parent belongs to whoever made it.

#include "render3d/format.h"
#include "render3d/material.h"
#include "render3d/math.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace q71::r3d {

class Clump;
class Scene;

struct Vertex {
    Vec3 position;
    Vec3 normal;
    float u = 0.0f;
    float v = 0.0f;
};

struct Polygon {
    /// 0-based vertex indices.
    int a = 0, b = 0, c = 0;
    MaterialRef material;
    /// Multiplies the material's opacity (sprites fade through it).
    float opacity = 1.0f;
    Clump* clump = nullptr;
};

/// Called each time a shown clump is rendered, instead of drawing it; the callback may draw it
/// (renderClump) and immediate geometry in its frame.
using RenderCallback = std::function<void(Clump&)>;

class Clump {
public:
    std::int32_t tag = 0;
    void* userData = nullptr;
    /// A value callers set with no meaning here; kept.
    float setting = 0.0f;
    bool visible = true;
    /// Drawn as a square facing the camera (made by makeSprite).
    bool sprite = false;
    Matrix joint;
    Matrix matrix;
    std::vector<Vertex> vertices;
    std::vector<std::unique_ptr<Polygon>> polygons;
    RenderCallback renderCallback;

    Clump* parent() const { return parent_; }
    Scene* scene() const { return scene_; }
    const std::vector<std::unique_ptr<Clump>>& children() const { return children_; }

    /// Where a point of this clump lies in its parent's frame.
    Matrix local() const { return compose(matrix, joint); }
    /// Where a point of this clump lies in the scene.
    Matrix world() const;

private:
    friend void addChild(Clump& parent, Clump* child);
    friend Clump* removeChild(Clump* child);
    friend void destroyClump(Clump* clump);
    friend class Scene;

    friend Polygon* addTriangle(Clump& clump, int a, int b, int c);

    Clump* parent_ = nullptr;
    Scene* scene_ = nullptr;
    /// The plain material of triangles added without one.
    MaterialRef plain_;
    std::vector<std::unique_ptr<Clump>> children_;
};

Clump* createClump();
/// A deep copy: own vertices, triangles, children, tags and transforms; materials and textures
/// shared; user data, callbacks and scene membership not copied.
Clump* duplicateClump(const Clump& clump);
/// Destroys the clump and everything below it, taking it out of its parent or scene first.
void destroyClump(Clump* clump);
/// Makes `child` (taken from its parent or scene) the parent's last child.
void addChild(Clump& parent, Clump* child);
/// Takes the child from its parent; the caller owns it again. Returns it.
Clump* removeChild(Clump* child);
/// The first clump below this one (depth first, itself excluded) with the tag, or null.
Clump* findByTag(Clump& clump, std::int32_t tag);
/// Calls the visitor for the clump and every clump below it, parents first.
void forAllClumps(Clump& clump, const std::function<void(Clump&)>& visit);
/// The clump's own triangles.
int polygonCount(const Clump& clump);
/// The box around the clump's own vertices in its frame; false without vertices.
bool clumpBounds(const Clump& clump, Vec3& minimum, Vec3& maximum);

void transformClump(Clump& clump, const Matrix& m, Combine how);
void transformJoint(Clump& clump, const Matrix& m, Combine how);

/// Adds a vertex; returns its 1-based number.
int addVertex(Clump& clump, Vec3 position);
int vertexCount(const Clump& clump);
/// Vertex numbers are 1-based; each returns false for a number outside 1 ... count.
bool vertexPosition(const Clump& clump, int number, Vec3& position);
bool setVertexPosition(Clump& clump, int number, Vec3 position);
bool setVertexNormal(Clump& clump, int number, Vec3 normal);
/// 1 on success, 0 for a bad vertex number.
int setVertexUV(Clump& clump, int number, float u, float v);

/// A triangle of three vertex numbers in a plain white material; null for a bad number.
Polygon* addTriangle(Clump& clump, int a, int b, int c);
void setPolygonMaterial(Polygon& polygon, Material* material);
void setPolygonOpacity(Polygon& polygon, float opacity);
/// Calls the visitor for each triangle; the visitor may destroy the triangle it is given.
void forAllPolygons(Clump& clump, const std::function<void(Polygon&)>& visit);
void destroyPolygon(Polygon* polygon);

/// A clump hierarchy from a model record; the materials' textures must be registered. Null,
/// with the reason, when a texture name is unknown.
Clump* buildClump(const ClumpRecord& record, std::string& error);

} // namespace q71::r3d
