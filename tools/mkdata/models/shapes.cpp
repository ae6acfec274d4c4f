#include "mkdata/models/shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace q71::mkdata::shapes {
namespace {

Vec3 faceNormal(Vec3 a, Vec3 b, Vec3 c) {
    return r3d::normalised(r3d::cross(b - a, c - a));
}

// Coordinates of a point projected on the face's main plane.
void projectUV(Vec3 p, Vec3 normal, float scale, float& u, float& v) {
    const float ax = std::fabs(normal.x), ay = std::fabs(normal.y), az = std::fabs(normal.z);
    if (ax >= ay && ax >= az) {
        u = p.z * scale;
        v = -p.y * scale;
    } else if (ay >= az) {
        u = p.x * scale;
        v = p.z * scale;
    } else {
        u = p.x * scale;
        v = -p.y * scale;
    }
}

void boundsOf(const r3d::ClumpRecord& clump, Vec3 offset, Bounds& b) {
    for (const r3d::VertexRecord& v : clump.vertices) {
        const Vec3 p = v.position + offset;
        b.min = {std::min(b.min.x, p.x), std::min(b.min.y, p.y), std::min(b.min.z, p.z)};
        b.max = {std::max(b.max.x, p.x), std::max(b.max.y, p.y), std::max(b.max.z, p.z)};
    }
    for (const r3d::ClumpRecord& c : clump.children)
        boundsOf(c, offset + c.matrix.t, b);
}

} // namespace

std::uint32_t Mesh::material(Tint tint, const std::string& texture, float uvPerUnit) {
    r3d::MaterialRecord m;
    m.red = tint.red;
    m.green = tint.green;
    m.blue = tint.blue;
    m.ambient = 0.45f;
    m.diffuse = 0.75f;
    m.shading = 1;
    m.textureMode = texture.empty() ? 0 : 4;
    m.texture = texture;
    clump_.materials.push_back(m);
    uvScale_.push_back(uvPerUnit);
    return static_cast<std::uint32_t>(clump_.materials.size() - 1);
}

void Mesh::triangle(Vec3 a, Vec3 b, Vec3 c, std::uint32_t material) {
    const Vec3 n = faceNormal(a, b, c);
    const float scale = material < uvScale_.size() ? uvScale_[material] : 1.0f;
    const auto first = static_cast<std::uint32_t>(clump_.vertices.size() + 1);
    for (Vec3 p : {a, b, c}) {
        r3d::VertexRecord v{p, n, 0.0f, 0.0f};
        projectUV(p, n, scale, v.u, v.v);
        clump_.vertices.push_back(v);
    }
    clump_.triangles.push_back({first, first + 1, first + 2, material});
}

void Mesh::quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, std::uint32_t material) {
    triangle(a, b, c, material);
    triangle(a, c, d, material);
}

void panel(Mesh& mesh, Vec3 corner, Vec3 edgeU, Vec3 edgeV, std::uint32_t material) {
    mesh.quad(corner, corner + edgeU, corner + edgeU + edgeV, corner + edgeV, material);
}

void box(Mesh& mesh, Vec3 min, Vec3 max, std::uint32_t material) {
    const Vec3 c = {(min.x + max.x) / 2, min.y, (min.z + max.z) / 2};
    const float hx = (max.x - min.x) / 2, hz = (max.z - min.z) / 2;
    block(mesh, c, hx, hz, hx, hz, max.y - min.y, 0.0f, material);
}

void block(Mesh& mesh, Vec3 bottom, float baseHalfX, float baseHalfZ, float topHalfX, float topHalfZ, float height,
           float topShiftZ, std::uint32_t material) {
    const Vec3 t = bottom + Vec3{0.0f, height, topShiftZ};
    const Vec3 b0 = bottom + Vec3{-baseHalfX, 0, -baseHalfZ}, b1 = bottom + Vec3{baseHalfX, 0, -baseHalfZ};
    const Vec3 b2 = bottom + Vec3{baseHalfX, 0, baseHalfZ}, b3 = bottom + Vec3{-baseHalfX, 0, baseHalfZ};
    const Vec3 t0 = t + Vec3{-topHalfX, 0, -topHalfZ}, t1 = t + Vec3{topHalfX, 0, -topHalfZ};
    const Vec3 t2 = t + Vec3{topHalfX, 0, topHalfZ}, t3 = t + Vec3{-topHalfX, 0, topHalfZ};
    mesh.quad(b0, b1, t1, t0, material);
    mesh.quad(b1, b2, t2, t1, material);
    mesh.quad(b2, b3, t3, t2, material);
    mesh.quad(b3, b0, t0, t3, material);
    mesh.quad(t0, t1, t2, t3, material);
    mesh.quad(b3, b2, b1, b0, material);
}

void frustum(Mesh& mesh, Vec3 from, Vec3 to, float radiusFrom, float radiusTo, int sides, std::uint32_t material) {
    const Vec3 axis = r3d::normalised(to - from);
    // Two directions across the axis.
    const Vec3 helper = std::fabs(axis.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    const Vec3 u = r3d::normalised(r3d::cross(axis, helper));
    const Vec3 w = r3d::cross(axis, u);
    std::vector<Vec3> ringA, ringB;
    for (int k = 0; k < sides; ++k) {
        const float a = 2.0f * std::numbers::pi_v<float> * static_cast<float>(k) / static_cast<float>(sides);
        const Vec3 dir = u * std::cos(a) + w * std::sin(a);
        ringA.push_back(from + dir * radiusFrom);
        ringB.push_back(to + dir * radiusTo);
    }
    for (int k = 0; k < sides; ++k) {
        const int n = (k + 1) % sides;
        if (radiusFrom > 0.0f && radiusTo > 0.0f)
            mesh.quad(ringA[k], ringA[n], ringB[n], ringB[k], material);
        else if (radiusFrom > 0.0f)
            mesh.triangle(ringA[k], ringA[n], to, material);
        else
            mesh.triangle(from, ringB[n], ringB[k], material);
        if (radiusFrom > 0.0f)
            mesh.triangle(from, ringA[n], ringA[k], material);
        if (radiusTo > 0.0f)
            mesh.triangle(to, ringB[k], ringB[n], material);
    }
}

void revolution(Mesh& mesh, Vec3 centre, std::span<const Station> stations, int sides, float heightRatio,
                std::uint32_t material) {
    auto point = [&](const Station& s, int k) {
        const float a = 2.0f * std::numbers::pi_v<float> * static_cast<float>(k) / static_cast<float>(sides);
        return centre + Vec3{std::cos(a) * s.radius, std::sin(a) * s.radius * heightRatio, s.along};
    };
    for (std::size_t i = 0; i + 1 < stations.size(); ++i)
        for (int k = 0; k < sides; ++k) {
            const Station &s0 = stations[i], &s1 = stations[i + 1];
            const Vec3 a = point(s0, k), b = point(s0, k + 1), c = point(s1, k + 1), d = point(s1, k);
            if (s0.radius <= 0.0f)
                mesh.triangle(a, c, d, material);
            else if (s1.radius <= 0.0f)
                mesh.triangle(a, b, c, material);
            else
                mesh.quad(a, b, c, d, material);
        }
    // Close blunt ends.
    for (const Station* s : {&stations.front(), &stations.back()})
        if (s->radius > 0.0f)
            for (int k = 0; k < sides; ++k)
                mesh.triangle(centre + Vec3{0, 0, s->along}, point(*s, k), point(*s, k + 1), material);
}

void shipHull(Mesh& mesh, std::span<const HullSection> sections, std::uint32_t sideMaterial, std::uint32_t deckMaterial) {
    // Each section as a ring: port deck, port waterline, port keel, starboard keel, starboard
    // waterline, starboard deck (port is +X).
    auto ring = [](const HullSection& s) {
        return std::vector<Vec3>{{s.deckHalfWidth, s.deck, s.along},   {s.waterHalfWidth, 0.0f, s.along},
                                 {s.keelHalfWidth, -s.keel, s.along},  {-s.keelHalfWidth, -s.keel, s.along},
                                 {-s.waterHalfWidth, 0.0f, s.along},   {-s.deckHalfWidth, s.deck, s.along}};
    };
    for (std::size_t i = 0; i + 1 < sections.size(); ++i) {
        const auto a = ring(sections[i]), b = ring(sections[i + 1]);
        for (std::size_t k = 0; k + 1 < a.size(); ++k)
            mesh.quad(a[k], a[k + 1], b[k + 1], b[k], sideMaterial);
        mesh.quad(a[5], a[0], b[0], b[5], deckMaterial);
    }
    const auto stern = ring(sections.front());
    mesh.quad(stern[0], stern[1], stern[4], stern[5], sideMaterial);
    mesh.quad(stern[1], stern[2], stern[3], stern[4], sideMaterial);
    const auto bow = ring(sections.back());
    if (sections.back().deckHalfWidth > 0.0f) {
        mesh.quad(bow[0], bow[1], bow[4], bow[5], sideMaterial);
        mesh.quad(bow[1], bow[2], bow[3], bow[4], sideMaterial);
    }
}

r3d::ClumpRecord& child(r3d::ClumpRecord& parent, std::int32_t tag, Vec3 at) {
    parent.children.emplace_back();
    r3d::ClumpRecord& c = parent.children.back();
    c.tag = tag;
    c.matrix = r3d::Matrix::translation(at);
    return c;
}

Bounds modelBounds(const r3d::ClumpRecord& clump) {
    Bounds b;
    boundsOf(clump, Vec3{}, b);
    return b;
}

void scaleModel(r3d::ClumpRecord& clump, Vec3 f) {
    for (r3d::VertexRecord& v : clump.vertices)
        v.position = {v.position.x * f.x, v.position.y * f.y, v.position.z * f.z};
    for (const r3d::TriangleRecord& t : clump.triangles) {
        auto& a = clump.vertices[t.a - 1];
        auto& b = clump.vertices[t.b - 1];
        auto& c = clump.vertices[t.c - 1];
        const Vec3 n = faceNormal(a.position, b.position, c.position);
        a.normal = b.normal = c.normal = n;
    }
    for (r3d::ClumpRecord& c : clump.children) {
        c.matrix.t = {c.matrix.t.x * f.x, c.matrix.t.y * f.y, c.matrix.t.z * f.z};
        scaleModel(c, f);
    }
}

std::size_t triangleCount(const r3d::ClumpRecord& clump) {
    std::size_t n = clump.triangles.size();
    for (const r3d::ClumpRecord& c : clump.children)
        n += triangleCount(c);
    return n;
}

} // namespace q71::mkdata::shapes
