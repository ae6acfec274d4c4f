#include "render3d/clump.h"
#include "render3d/scene.h"

#include <algorithm>
#include <cmath>

namespace q71::r3d {

namespace {

bool finite(Vec3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

Vertex* vertexAt(Clump& clump, int number) {
    if (number < 1 || number > vertexCount(clump))
        return nullptr;
    return &clump.vertices[static_cast<std::size_t>(number - 1)];
}

void copyInto(Clump& to, const Clump& from) {
    to.tag = from.tag;
    to.setting = from.setting;
    to.visible = from.visible;
    to.sprite = from.sprite;
    to.joint = from.joint;
    to.matrix = from.matrix;
    to.vertices = from.vertices;
    for (const auto& p : from.polygons) {
        auto copy = std::make_unique<Polygon>(*p);
        copy->clump = &to;
        to.polygons.push_back(std::move(copy));
    }
    for (const auto& child : from.children()) {
        Clump* c = createClump();
        copyInto(*c, *child);
        addChild(to, c);
    }
}

} // namespace

Matrix Clump::world() const {
    return parent_ ? compose(parent_->world(), local()) : local();
}

Clump* createClump() {
    return new Clump;
}

Clump* duplicateClump(const Clump& clump) {
    Clump* copy = createClump();
    copyInto(*copy, clump);
    return copy;
}

void destroyClump(Clump* clump) {
    if (!clump)
        return;
    if (clump->scene_)
        clump->scene_->removeClump(clump);
    if (clump->parent_) {
        removeChild(clump);
    }
    delete clump;
}

void addChild(Clump& parent, Clump* child) {
    if (!child || child == &parent)
        return;
    for (const Clump* p = &parent; p; p = p->parent_)
        if (p == child)
            return; // a clump cannot hang below itself
    if (child->scene_)
        child->scene_->removeClump(child);
    if (child->parent_)
        removeChild(child);
    child->parent_ = &parent;
    parent.children_.emplace_back(child);
}

Clump* removeChild(Clump* child) {
    if (!child || !child->parent_)
        return child;
    auto& siblings = child->parent_->children_;
    const auto it = std::find_if(siblings.begin(), siblings.end(), [&](const auto& c) { return c.get() == child; });
    it->release();
    siblings.erase(it);
    child->parent_ = nullptr;
    return child;
}

Clump* findByTag(Clump& clump, std::int32_t tag) {
    for (const auto& child : clump.children()) {
        if (child->tag == tag)
            return child.get();
        if (Clump* found = findByTag(*child, tag))
            return found;
    }
    return nullptr;
}

void forAllClumps(Clump& clump, const std::function<void(Clump&)>& visit) {
    visit(clump);
    for (const auto& child : clump.children())
        forAllClumps(*child, visit);
}

int polygonCount(const Clump& clump) {
    return static_cast<int>(clump.polygons.size());
}

bool clumpBounds(const Clump& clump, Vec3& minimum, Vec3& maximum) {
    if (clump.vertices.empty())
        return false;
    minimum = maximum = clump.vertices.front().position;
    for (const Vertex& v : clump.vertices) {
        minimum = {std::min(minimum.x, v.position.x), std::min(minimum.y, v.position.y),
                   std::min(minimum.z, v.position.z)};
        maximum = {std::max(maximum.x, v.position.x), std::max(maximum.y, v.position.y),
                   std::max(maximum.z, v.position.z)};
    }
    return true;
}

void transformClump(Clump& clump, const Matrix& m, Combine how) {
    clump.matrix = combine(clump.matrix, m, how);
}

void transformJoint(Clump& clump, const Matrix& m, Combine how) {
    clump.joint = combine(clump.joint, m, how);
}

int addVertex(Clump& clump, Vec3 position) {
    if (clump.vertices.size() >= kMaxVertices || !finite(position))
        return 0;
    clump.vertices.push_back({position, {0.0f, 1.0f, 0.0f}, 0.0f, 0.0f});
    return vertexCount(clump);
}

int vertexCount(const Clump& clump) {
    return static_cast<int>(clump.vertices.size());
}

bool vertexPosition(const Clump& clump, int number, Vec3& position) {
    if (number < 1 || number > vertexCount(clump))
        return false;
    position = clump.vertices[static_cast<std::size_t>(number - 1)].position;
    return true;
}

bool setVertexPosition(Clump& clump, int number, Vec3 position) {
    Vertex* v = vertexAt(clump, number);
    if (!v || !finite(position))
        return false;
    v->position = position;
    return true;
}

bool setVertexNormal(Clump& clump, int number, Vec3 normal) {
    Vertex* v = vertexAt(clump, number);
    if (!v || !finite(normal))
        return false;
    v->normal = normalised(normal);
    return true;
}

int setVertexUV(Clump& clump, int number, float u, float v) {
    Vertex* vertex = vertexAt(clump, number);
    if (!vertex)
        return 0;
    // Non-finite coordinates would poison the texture walk; they read as 0.
    vertex->u = std::isfinite(u) ? u : 0.0f;
    vertex->v = std::isfinite(v) ? v : 0.0f;
    return 1;
}

Polygon* addTriangle(Clump& clump, int a, int b, int c) {
    for (const int n : {a, b, c})
        if (n < 1 || n > vertexCount(clump))
            return nullptr;
    if (!clump.plain_)
        clump.plain_ = std::make_shared<Material>();
    auto p = std::make_unique<Polygon>();
    p->a = a - 1;
    p->b = b - 1;
    p->c = c - 1;
    p->material = clump.plain_;
    p->clump = &clump;
    clump.polygons.push_back(std::move(p));
    return clump.polygons.back().get();
}

void setPolygonMaterial(Polygon& polygon, Material* material) {
    if (material)
        polygon.material = material->shared_from_this();
}

void setPolygonOpacity(Polygon& polygon, float opacity) {
    polygon.opacity = std::isfinite(opacity) ? std::clamp(opacity, 0.0f, 1.0f) : 0.0f;
}

void forAllPolygons(Clump& clump, const std::function<void(Polygon&)>& visit) {
    std::vector<Polygon*> list;
    for (const auto& p : clump.polygons)
        list.push_back(p.get());
    for (Polygon* p : list)
        visit(*p);
}

void destroyPolygon(Polygon* polygon) {
    if (!polygon || !polygon->clump)
        return;
    std::erase_if(polygon->clump->polygons, [&](const auto& p) { return p.get() == polygon; });
}

namespace {

Clump* build(const ClumpRecord& record, std::string& error) {
    std::vector<MaterialRef> materials;
    for (const MaterialRecord& m : record.materials) {
        auto material = std::make_shared<Material>();
        material->red = m.red;
        material->green = m.green;
        material->blue = m.blue;
        material->opacity = m.opacity;
        material->ambient = m.ambient;
        material->diffuse = m.diffuse;
        material->specular = m.specular;
        material->shading = m.shading;
        material->textureMode = m.textureMode;
        if (!m.texture.empty()) {
            Texture* t = findTexture(m.texture);
            if (!t) {
                error = "unknown texture \"" + m.texture + "\"";
                return nullptr;
            }
            material->texture = t->shared_from_this();
        }
        materials.push_back(std::move(material));
    }
    Clump* clump = createClump();
    clump->tag = record.tag;
    clump->matrix = record.matrix;
    for (const VertexRecord& v : record.vertices)
        clump->vertices.push_back({v.position, normalised(v.normal), v.u, v.v});
    for (const TriangleRecord& t : record.triangles) {
        Polygon* p = addTriangle(*clump, static_cast<int>(t.a), static_cast<int>(t.b), static_cast<int>(t.c));
        p->material = materials[t.material];
    }
    for (const ClumpRecord& child : record.children) {
        Clump* c = build(child, error);
        if (!c) {
            destroyClump(clump);
            return nullptr;
        }
        addChild(*clump, c);
    }
    return clump;
}

} // namespace

Clump* buildClump(const ClumpRecord& record, std::string& error) {
    return build(record, error);
}

} // namespace q71::r3d
