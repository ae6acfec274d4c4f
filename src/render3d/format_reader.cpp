// Reading the format's chunks into records. Nothing here trusts a size, count or number of the
// bytes: each is checked before it is used, and a refused chunk says why.
#include "render3d/format.h"
#include "render3d/format_bytes.h"

#include <cmath>

namespace q71::r3d {

namespace {

// Coordinates beyond this are refused, so that the rasteriser's arithmetic stays in range.
constexpr float kMaxCoordinate = 1.0e6f;
constexpr float kMaxLightingValue = 4.0f;

struct Failure {
    std::string why;
};

bool inRange(float v, float lo, float hi) {
    return std::isfinite(v) && v >= lo && v <= hi;
}

float coordinate(ByteReader& r, const char* what) {
    const float v = r.f32();
    if (!r.ok())
        throw Failure{std::string("truncated ") + what};
    if (!inRange(v, -kMaxCoordinate, kMaxCoordinate))
        throw Failure{std::string("bad number in ") + what};
    return v;
}

float unitValue(ByteReader& r, float hi, const char* what) {
    const float v = r.f32();
    if (!r.ok() || !inRange(v, 0.0f, hi))
        throw Failure{std::string("bad value in ") + what};
    return v;
}

bool isNameCharacter(std::uint8_t c) {
    return c >= 0x20 && c < 0x7F;
}

std::string name(ByteReader& r, bool allowEmpty, const char* what) {
    const int length = r.u8();
    if (!r.ok() || length > kMaxNameLength || (length == 0 && !allowEmpty))
        throw Failure{std::string("bad name length in ") + what};
    const auto b = r.bytes(static_cast<std::size_t>(length));
    if (!r.ok())
        throw Failure{std::string("truncated ") + what};
    std::string out;
    for (const std::uint8_t c : b) {
        if (!isNameCharacter(c))
            throw Failure{std::string("bad name character in ") + what};
        out.push_back(static_cast<char>(c));
    }
    return out;
}

// A chunk of the expected type at the cursor: its payload.
std::span<const std::uint8_t> chunk(ByteReader& r, std::uint32_t type, const char* what) {
    const std::uint32_t found = r.u32();
    const std::uint32_t size = r.u32();
    if (!r.ok())
        throw Failure{std::string("truncated chunk header of ") + what};
    if (found != type)
        throw Failure{std::string("expected ") + what + " chunk"};
    const auto payload = r.bytes(size);
    if (!r.ok())
        throw Failure{std::string(what) + " chunk larger than its bytes"};
    return payload;
}

void expectEnd(const ByteReader& r, const char* what) {
    if (!r.atEnd())
        throw Failure{std::string(what) + " chunk size does not match its content"};
}

// A count whose items of `itemSize` bytes must fill the rest exactly (itemSize 0: unchecked).
std::uint32_t count(ByteReader& r, std::uint32_t limit, std::size_t itemSize, const char* what) {
    const std::uint32_t n = r.u32();
    if (!r.ok())
        throw Failure{std::string("truncated ") + what};
    if (n > limit)
        throw Failure{std::string("too many ") + what};
    if (itemSize != 0 && r.remaining() != itemSize * n)
        throw Failure{std::string(what) + " chunk size does not match its count"};
    return n;
}

Vec3 vector(ByteReader& r, const char* what) {
    const float x = coordinate(r, what);
    const float y = coordinate(r, what);
    return {x, y, coordinate(r, what)};
}

Matrix readMatrix(ByteReader& r) {
    Matrix m;
    for (Vec3* c : {&m.c0, &m.c1, &m.c2, &m.t})
        *c = vector(r, "clump matrix");
    return m;
}

std::vector<VertexRecord> readVertices(std::span<const std::uint8_t> payload) {
    ByteReader r(payload);
    const std::uint32_t n = count(r, kMaxVertices, 32, "vertices");
    std::vector<VertexRecord> out(n);
    for (VertexRecord& v : out) {
        v.position = vector(r, "vertex");
        v.normal = vector(r, "normal");
        v.u = coordinate(r, "texture coordinate");
        v.v = coordinate(r, "texture coordinate");
    }
    return out;
}

std::vector<MaterialRecord> readMaterials(std::span<const std::uint8_t> payload) {
    ByteReader r(payload);
    const std::uint32_t n = count(r, kMaxMaterials, 0, "materials");
    std::vector<MaterialRecord> out(n);
    for (MaterialRecord& m : out) {
        m.red = unitValue(r, 1.0f, "material colour");
        m.green = unitValue(r, 1.0f, "material colour");
        m.blue = unitValue(r, 1.0f, "material colour");
        m.opacity = unitValue(r, 1.0f, "material opacity");
        m.ambient = unitValue(r, kMaxLightingValue, "material ambient");
        m.diffuse = unitValue(r, kMaxLightingValue, "material diffuse");
        m.specular = unitValue(r, kMaxLightingValue, "material specular");
        m.shading = r.u8();
        m.textureMode = r.u8();
        if (!r.ok() || (m.shading != 1 && m.shading != 2))
            throw Failure{"bad material shading"};
        if (m.textureMode != 0 && m.textureMode != 3 && m.textureMode != 4)
            throw Failure{"bad material texture mode"};
        m.texture = name(r, true, "material texture name");
    }
    expectEnd(r, "materials");
    return out;
}

std::vector<TriangleRecord> readTriangles(std::span<const std::uint8_t> payload, std::size_t vertices,
                                          std::size_t materials) {
    ByteReader r(payload);
    const std::uint32_t n = count(r, kMaxTriangles, 16, "triangles");
    std::vector<TriangleRecord> out(n);
    for (TriangleRecord& t : out) {
        t.a = r.u32();
        t.b = r.u32();
        t.c = r.u32();
        t.material = r.u32();
        for (const std::uint32_t v : {t.a, t.b, t.c})
            if (v < 1 || v > vertices)
                throw Failure{"triangle names a vertex past the count"};
        if (t.material >= materials)
            throw Failure{"triangle names a material past the count"};
    }
    return out;
}

ClumpRecord readClump(ByteReader& outer, int depth) {
    if (depth > kMaxClumpDepth)
        throw Failure{"clumps nested too deep"};
    ByteReader r(chunk(outer, kChunkClump, "clump"));
    ClumpRecord c;
    {
        ByteReader info(chunk(r, kChunkInfo, "info"));
        c.tag = info.i32();
        c.matrix = readMatrix(info);
        expectEnd(info, "info");
    }
    c.vertices = readVertices(chunk(r, kChunkVertices, "vertices"));
    c.materials = readMaterials(chunk(r, kChunkMaterials, "materials"));
    c.triangles = readTriangles(chunk(r, kChunkTriangles, "triangles"), c.vertices.size(), c.materials.size());
    while (!r.atEnd())
        c.children.push_back(readClump(r, depth + 1));
    return c;
}

bool isPowerOfTwo(int v) {
    return v > 0 && (v & (v - 1)) == 0;
}

template <class Record, class Read> Decoded<Record> decode(std::span<const std::uint8_t> bytes, Read read) {
    Decoded<Record> out;
    try {
        ByteReader r(bytes);
        out.record = read(r);
        out.consumed = bytes.size() - r.remaining();
    } catch (const Failure& f) {
        out.record.reset();
        out.error = f.why;
    }
    return out;
}

} // namespace

std::optional<std::uint32_t> peekChunkType(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kChunkHeaderSize)
        return std::nullopt;
    ByteReader r(bytes);
    return r.u32();
}

Decoded<ClumpRecord> decodeClump(std::span<const std::uint8_t> bytes) {
    return decode<ClumpRecord>(bytes, [](ByteReader& r) { return readClump(r, 0); });
}

Decoded<TextureRecord> decodeTexture(std::span<const std::uint8_t> bytes) {
    return decode<TextureRecord>(bytes, [](ByteReader& outer) {
        ByteReader r(chunk(outer, kChunkTexture, "texture"));
        TextureRecord t;
        t.name = name(r, false, "texture name");
        t.width = r.u16();
        t.height = r.u16();
        const int frames = r.u16();
        if (!r.ok())
            throw Failure{"truncated texture"};
        if (!isPowerOfTwo(t.width) || !isPowerOfTwo(t.height) || t.width > kMaxTextureSide ||
            t.height > kMaxTextureSide)
            throw Failure{"texture sides must be powers of two up to 1024"};
        if (frames < 1 || frames > kMaxTextureFrames)
            throw Failure{"bad texture frame count"};
        const auto frameBytes = static_cast<std::size_t>(t.width) * static_cast<std::size_t>(t.height) * 4;
        if (r.remaining() != frameBytes * static_cast<std::size_t>(frames))
            throw Failure{"texture chunk size does not match its frames"};
        for (int i = 0; i < frames; ++i) {
            const auto b = r.bytes(frameBytes);
            t.frames.emplace_back(b.begin(), b.end());
        }
        return t;
    });
}

Decoded<ImageRecord> decodeImage(std::span<const std::uint8_t> bytes) {
    return decode<ImageRecord>(bytes, [](ByteReader& outer) {
        ByteReader r(chunk(outer, kChunkImage, "image"));
        ImageRecord image;
        image.width = r.u16();
        image.height = r.u16();
        if (!r.ok() || image.width < 1 || image.height < 1 || image.width > kMaxImageSide ||
            image.height > kMaxImageSide)
            throw Failure{"bad image size"};
        const auto size = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3;
        if (r.remaining() != size)
            throw Failure{"image chunk size does not match its pixels"};
        const auto b = r.bytes(size);
        image.rgb.assign(b.begin(), b.end());
        return image;
    });
}

} // namespace q71::r3d
