// Writing records as the format's chunks (the layout is in docs/render3d.md).
#include "render3d/format.h"
#include "render3d/format_bytes.h"

#include <algorithm>

namespace q71::r3d {

namespace {

void writeVec(ByteWriter& w, Vec3 v) {
    w.f32(v.x);
    w.f32(v.y);
    w.f32(v.z);
}

void writeName(ByteWriter& w, const std::string& name) {
    const std::size_t n = std::min<std::size_t>(name.size(), 255);
    w.u8(static_cast<std::uint32_t>(n));
    w.bytes({reinterpret_cast<const std::uint8_t*>(name.data()), n});
}

void writeClump(ByteWriter& w, const ClumpRecord& c) {
    const auto clump = w.beginChunk(kChunkClump);

    const auto info = w.beginChunk(kChunkInfo);
    w.u32(static_cast<std::uint32_t>(c.tag));
    for (const Vec3& v : {c.matrix.c0, c.matrix.c1, c.matrix.c2, c.matrix.t})
        writeVec(w, v);
    w.endChunk(info);

    const auto vertices = w.beginChunk(kChunkVertices);
    w.u32(static_cast<std::uint32_t>(c.vertices.size()));
    for (const VertexRecord& v : c.vertices) {
        writeVec(w, v.position);
        writeVec(w, v.normal);
        w.f32(v.u);
        w.f32(v.v);
    }
    w.endChunk(vertices);

    const auto materials = w.beginChunk(kChunkMaterials);
    w.u32(static_cast<std::uint32_t>(c.materials.size()));
    for (const MaterialRecord& m : c.materials) {
        for (const float f : {m.red, m.green, m.blue, m.opacity, m.ambient, m.diffuse, m.specular})
            w.f32(f);
        w.u8(static_cast<std::uint32_t>(m.shading));
        w.u8(static_cast<std::uint32_t>(m.textureMode));
        writeName(w, m.texture);
    }
    w.endChunk(materials);

    const auto triangles = w.beginChunk(kChunkTriangles);
    w.u32(static_cast<std::uint32_t>(c.triangles.size()));
    for (const TriangleRecord& t : c.triangles)
        for (const std::uint32_t v : {t.a, t.b, t.c, t.material})
            w.u32(v);
    w.endChunk(triangles);

    for (const ClumpRecord& child : c.children)
        writeClump(w, child);
    w.endChunk(clump);
}

} // namespace

void encodeClump(const ClumpRecord& clump, std::vector<std::uint8_t>& out) {
    ByteWriter w(out);
    writeClump(w, clump);
}

void encodeTexture(const TextureRecord& texture, std::vector<std::uint8_t>& out) {
    ByteWriter w(out);
    const auto chunk = w.beginChunk(kChunkTexture);
    writeName(w, texture.name);
    w.u16(static_cast<std::uint32_t>(texture.width));
    w.u16(static_cast<std::uint32_t>(texture.height));
    w.u16(static_cast<std::uint32_t>(texture.frames.size()));
    for (const auto& frame : texture.frames)
        w.bytes(frame);
    w.endChunk(chunk);
}

void encodeImage(const ImageRecord& image, std::vector<std::uint8_t>& out) {
    ByteWriter w(out);
    const auto chunk = w.beginChunk(kChunkImage);
    w.u16(static_cast<std::uint32_t>(image.width));
    w.u16(static_cast<std::uint32_t>(image.height));
    w.bytes(image.rgb);
    w.endChunk(chunk);
}

} // namespace q71::r3d
