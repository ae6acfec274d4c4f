#include "chunk_bytes.h"
#include "render3d/format.h"
#include "render3d/library.h"
#include "render3d/stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace q71::r3d {
namespace {

using test::Bytes;

// A clump (tag 7, moved by (1, 2, 3)) with one triangle in a red material showing `texture`, and
// a child clump tagged 510 with no geometry.
Bytes oneTriangleClump(const std::string& texture = "") {
    Bytes vertices;
    vertices.u32(3)
        .floats({0, 0, 0, 0, 1, 0, 0.0f, 0.0f})
        .floats({1, 0, 0, 0, 1, 0, 1.0f, 0.0f})
        .floats({0, 1, 0, 0, 1, 0, 0.0f, 1.0f});
    Bytes materials;
    materials.u32(1);
    const Bytes m = test::materialBytes(1.0f, 0.0f, 0.0f, texture);
    materials.b.insert(materials.b.end(), m.b.begin(), m.b.end());
    Bytes triangles;
    triangles.u32(1).u32(1).u32(2).u32(3).u32(0);
    Bytes childPayload;
    childPayload.b = test::infoChunk(510).b;
    childPayload.chunk("VERT", Bytes().u32(0)).chunk("MATL", Bytes().u32(0)).chunk("TRIS", Bytes().u32(0));
    Bytes payload;
    payload.b = test::infoChunk(7, 1, 2, 3).b;
    payload.chunk("VERT", vertices).chunk("MATL", materials).chunk("TRIS", triangles).chunk("CLMP", childPayload);
    return Bytes().chunk("CLMP", payload);
}

Bytes textureChunk(const std::string& name, int width, int height, int frames, std::uint8_t alpha = 255) {
    Bytes p;
    p.u8(static_cast<std::uint32_t>(name.size())).text(name);
    p.u16(static_cast<std::uint32_t>(width)).u16(static_cast<std::uint32_t>(height));
    p.u16(static_cast<std::uint32_t>(frames));
    for (int f = 0; f < frames; ++f)
        for (int i = 0; i < width * height; ++i)
            p.u8(10 + f).u8(20).u8(30).u8(alpha);
    return Bytes().chunk("TXTR", p);
}

TEST(Render3dFormat, ChunksBuiltByOffsetReadRight) {
    const Bytes clumpBytes = oneTriangleClump("hull.bmp");
    const auto clump = decodeClump(clumpBytes.b);
    ASSERT_TRUE(clump.record) << clump.error;
    EXPECT_EQ(clump.consumed, clumpBytes.b.size());
    EXPECT_EQ(clump.record->tag, 7);
    EXPECT_EQ(clump.record->matrix.t, (Vec3{1, 2, 3}));
    ASSERT_EQ(clump.record->vertices.size(), 3u);
    EXPECT_EQ(clump.record->vertices[1].position, (Vec3{1, 0, 0}));
    EXPECT_EQ(clump.record->vertices[2].v, 1.0f);
    ASSERT_EQ(clump.record->materials.size(), 1u);
    EXPECT_EQ(clump.record->materials[0].red, 1.0f);
    EXPECT_EQ(clump.record->materials[0].texture, "hull.bmp");
    ASSERT_EQ(clump.record->triangles.size(), 1u);
    EXPECT_EQ(clump.record->triangles[0].c, 3u);
    ASSERT_EQ(clump.record->children.size(), 1u);
    EXPECT_EQ(clump.record->children[0].tag, 510);

    const auto texture = decodeTexture(textureChunk("sea1.bmp", 2, 4, 3).b);
    ASSERT_TRUE(texture.record) << texture.error;
    EXPECT_EQ(texture.record->name, "sea1.bmp");
    EXPECT_EQ(texture.record->width, 2);
    EXPECT_EQ(texture.record->height, 4);
    ASSERT_EQ(texture.record->frames.size(), 3u);
    EXPECT_EQ(texture.record->frames[2][0], 12); // red of the third frame
    EXPECT_EQ(texture.record->frames[2][3], 255);

    Bytes imagePayload;
    imagePayload.u16(2).u16(1).u8(1).u8(2).u8(3).u8(4).u8(5).u8(6);
    const auto image = decodeImage(Bytes().chunk("IMAG", imagePayload).b);
    ASSERT_TRUE(image.record) << image.error;
    EXPECT_EQ(image.record->width, 2);
    EXPECT_EQ(image.record->rgb, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
}

TEST(Render3dFormat, RecordsRoundTripThroughTheWriter) {
    ClumpRecord child;
    child.tag = 511;
    child.matrix = Matrix::rotation(Axis::Y, 30.0f);
    child.vertices = {{{1, 2, 3}, {0, 0, 1}, 0.25f, 31.5f}};
    ClumpRecord clump;
    clump.tag = -4;
    clump.matrix = Matrix::translation({5, 6, 7});
    clump.vertices = {{{0, 0, 0}, {0, 1, 0}, 0, 0}, {{1, 0, 0}, {0, 1, 0}, 1, 0}, {{0, 1, 0}, {0, 1, 0}, 0, 1}};
    MaterialRecord textured;
    textured.texture = "land1.bmp";
    textured.shading = 1;
    textured.textureMode = 4;
    textured.opacity = 0.5f;
    clump.materials = {MaterialRecord{}, textured};
    clump.triangles = {{1, 2, 3, 1}, {3, 2, 1, 0}};
    clump.children = {child, child};

    TextureRecord texture{"smoke.bmp", 4, 2, {std::vector<std::uint8_t>(32, 9), std::vector<std::uint8_t>(32, 200)}};
    ImageRecord image{3, 2, std::vector<std::uint8_t>(18, 77)};

    std::vector<std::uint8_t> bytes;
    encodeClump(clump, bytes);
    encodeTexture(texture, bytes);
    encodeImage(image, bytes);

    std::span<const std::uint8_t> rest(bytes);
    ASSERT_EQ(peekChunkType(rest), kChunkClump);
    const auto c = decodeClump(rest);
    ASSERT_TRUE(c.record) << c.error;
    EXPECT_EQ(*c.record, clump);
    rest = rest.subspan(c.consumed);
    ASSERT_EQ(peekChunkType(rest), kChunkTexture);
    const auto t = decodeTexture(rest);
    ASSERT_TRUE(t.record) << t.error;
    EXPECT_EQ(*t.record, texture);
    rest = rest.subspan(t.consumed);
    const auto i = decodeImage(rest);
    ASSERT_TRUE(i.record) << i.error;
    EXPECT_EQ(*i.record, image);
    EXPECT_EQ(i.consumed, rest.size());
}

// Overwrites the 32-bit value at an offset.
Bytes patched(Bytes b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    return b;
}

TEST(Render3dFormat, DamagedChunksAreRefused) {
    const Bytes good = oneTriangleClump();
    // Offsets in the good clump: CLMP header 8, INFO chunk 8 + 52, VERT header 8 then count.
    const std::size_t vertexCount = 8 + 60 + 8;
    const std::size_t firstVertex = vertexCount + 4;
    const std::size_t triangles = firstVertex + 3 * 32 + 8 + 4 + 31 + 8; // after the MATL chunk
    const std::size_t firstIndex = triangles + 4;

    Bytes deep;
    {
        Bytes leaf;
        leaf.b = test::infoChunk(0).b;
        leaf.chunk("VERT", Bytes().u32(0)).chunk("MATL", Bytes().u32(0)).chunk("TRIS", Bytes().u32(0));
        Bytes c = Bytes().chunk("CLMP", leaf);
        for (int i = 0; i < kMaxClumpDepth + 1; ++i) {
            Bytes p = leaf;
            p.b.insert(p.b.end(), c.b.begin(), c.b.end());
            c = Bytes().chunk("CLMP", p);
        }
        deep = c;
    }

    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"chunk size past the bytes", patched(good, 4, 100000)},
        {"vertex count disagreeing with the size", patched(good, vertexCount, 4)},
        {"not a number in a vertex", patched(good, firstVertex, std::bit_cast<std::uint32_t>(
                                                                 std::numeric_limits<float>::quiet_NaN()))},
        {"infinity in a vertex", patched(good, firstVertex + 4, 0x7F800000u)},
        {"vertex number past the count", patched(good, firstIndex + 8, 4)},
        {"vertex number 0", patched(good, firstIndex, 0)},
        {"material past the count", patched(good, firstIndex + 12, 1)},
        {"wrong chunk type", patched(good, 0, fourCC("CLMQ"))},
        {"clumps nested too deep", deep},
        {"texture side not a power of two", textureChunk("a", 3, 4, 1)},
        {"texture without frames", textureChunk("a", 2, 2, 0)},
        {"texture without a name", textureChunk("", 2, 2, 1)},
        {"texture name with a control character", textureChunk("a\x01", 2, 2, 1)},
    };
    for (const auto& c : cases) {
        const bool texture = peekChunkType(c.bytes.b) == kChunkTexture;
        const std::string error = texture ? decodeTexture(c.bytes.b).error : decodeClump(c.bytes.b).error;
        EXPECT_FALSE(error.empty()) << c.what;
    }
    // Every shortened clump is refused, none read past its bytes.
    for (std::size_t n = 0; n < good.b.size(); ++n)
        EXPECT_FALSE(decodeClump(std::span(good.b).first(n)).record) << n;
}

TEST(Render3dFormat, StreamsMakeObjectsAndRefuseUnknownTextures) {
    ASSERT_TRUE(openLibrary("MSWindows", {}));
    const Bytes model = oneTriangleClump("hull.bmp");
    Bytes both = textureChunk("HULL.BMP", 2, 2, 1);
    both.b.insert(both.b.end(), model.b.begin(), model.b.end());

    Stream* alone = openMemoryStream(model.b.data(), model.b.size());
    ASSERT_NE(alone, nullptr);
    EXPECT_EQ(readChunkType(*alone), kChunkClump);
    EXPECT_EQ(readClump(*alone), nullptr);
    EXPECT_NE(streamError(*alone).find("hull.bmp"), std::string::npos);
    EXPECT_EQ(readChunkType(*alone), kChunkClump); // nothing consumed
    closeStream(alone);

    Stream* s = openMemoryStream(both.b.data(), both.b.size());
    EXPECT_EQ(readClump(*s), nullptr); // a texture comes first
    Texture* t = readTexture(*s);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(findTexture("hull.bmp"), t);
    Clump* c = readClump(*s);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->polygons[0]->material->texture.get(), t);
    EXPECT_EQ(readChunkType(*s), 0u);
    closeStream(s);
    destroyClump(c);
    closeLibrary();
    EXPECT_EQ(findTexture("hull.bmp"), nullptr);
    EXPECT_FALSE(openLibrary("X11", {}));

    // Records made in code are checked as the reader checks bytes.
    EXPECT_EQ(registerTexture({"odd", 3, 4, {std::vector<std::uint8_t>(48)}}), nullptr);
    EXPECT_EQ(registerTexture({"short", 4, 4, {std::vector<std::uint8_t>(63)}}), nullptr);
    EXPECT_EQ(registerTexture({"", 4, 4, {std::vector<std::uint8_t>(64)}}), nullptr);
    EXPECT_EQ(createImage({2, 2, std::vector<std::uint8_t>(11)}), nullptr);
}

} // namespace
} // namespace q71::r3d
