#pragma once
// The 3-D library's file format (docs/render3d.md): little-endian chunks of a four-character
// type, a 32-bit payload size and the payload. A model is a clump chunk, a texture a texture
// chunk, a backdrop an image chunk. These are the plain records the chunks hold; the reader
// checks every size, count, index and number, and the writer is what the data-set generator
// calls to make the files.

#include "render3d/math.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace q71::r3d {

/// A chunk type: four ASCII characters read as a little-endian 32-bit number.
constexpr std::uint32_t fourCC(const char (&s)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[3])) << 24;
}

constexpr std::uint32_t kChunkClump = fourCC("CLMP");
constexpr std::uint32_t kChunkTexture = fourCC("TXTR");
constexpr std::uint32_t kChunkImage = fourCC("IMAG");
constexpr std::uint32_t kChunkInfo = fourCC("INFO");
constexpr std::uint32_t kChunkVertices = fourCC("VERT");
constexpr std::uint32_t kChunkMaterials = fourCC("MATL");
constexpr std::uint32_t kChunkTriangles = fourCC("TRIS");

/// Bytes of a chunk header: type and payload size.
constexpr std::size_t kChunkHeaderSize = 8;
/// Limits the reader enforces.
constexpr int kMaxNameLength = 63;
constexpr int kMaxTextureSide = 1024;
constexpr int kMaxTextureFrames = 64;
constexpr int kMaxImageSide = 4096;
constexpr int kMaxClumpDepth = 16;
constexpr std::uint32_t kMaxVertices = 65535;
constexpr std::uint32_t kMaxTriangles = 131070;
constexpr std::uint32_t kMaxMaterials = 256;

struct VertexRecord {
    Vec3 position;
    Vec3 normal;
    float u = 0.0f;
    float v = 0.0f;
    friend bool operator==(const VertexRecord&, const VertexRecord&) = default;
};

struct MaterialRecord {
    float red = 1.0f, green = 1.0f, blue = 1.0f;
    float opacity = 1.0f;
    float ambient = 0.3f, diffuse = 0.7f, specular = 0.0f;
    /// 1 flat, 2 smooth.
    int shading = 2;
    /// 0, 3 or 4 (docs/render3d.md).
    int textureMode = 3;
    /// The registered texture the material shows; empty for none.
    std::string texture;
    friend bool operator==(const MaterialRecord&, const MaterialRecord&) = default;
};

struct TriangleRecord {
    /// 1-based vertex numbers.
    std::uint32_t a = 1, b = 1, c = 1;
    /// 0-based index into the clump's materials.
    std::uint32_t material = 0;
    friend bool operator==(const TriangleRecord&, const TriangleRecord&) = default;
};

struct ClumpRecord {
    std::int32_t tag = 0;
    /// The clump's place in its parent.
    Matrix matrix;
    std::vector<VertexRecord> vertices;
    std::vector<MaterialRecord> materials;
    std::vector<TriangleRecord> triangles;
    std::vector<ClumpRecord> children;
    friend bool operator==(const ClumpRecord&, const ClumpRecord&) = default;
};

struct TextureRecord {
    std::string name;
    /// Powers of two, 1 ... 1024.
    int width = 0, height = 0;
    /// Each frame width x height texels of red, green, blue, alpha bytes, rows top first.
    std::vector<std::vector<std::uint8_t>> frames;
    friend bool operator==(const TextureRecord&, const TextureRecord&) = default;
};

struct ImageRecord {
    int width = 0, height = 0;
    /// Red, green, blue bytes, rows top first.
    std::vector<std::uint8_t> rgb;
    friend bool operator==(const ImageRecord&, const ImageRecord&) = default;
};

/// The outcome of reading one chunk: the record, or why it was refused.
template <class Record> struct Decoded {
    std::optional<Record> record;
    std::string error;
    /// Bytes the chunk took, header included (0 when refused).
    std::size_t consumed = 0;
};

/// The type of the chunk at the start of the bytes; nullopt when fewer than a header remain.
std::optional<std::uint32_t> peekChunkType(std::span<const std::uint8_t> bytes);
Decoded<ClumpRecord> decodeClump(std::span<const std::uint8_t> bytes);
Decoded<TextureRecord> decodeTexture(std::span<const std::uint8_t> bytes);
Decoded<ImageRecord> decodeImage(std::span<const std::uint8_t> bytes);

/// The chunk of a record, appended to `out`. Records the reader would refuse (see the limits
/// above) are written as they are; the reader is the one that checks.
void encodeClump(const ClumpRecord& clump, std::vector<std::uint8_t>& out);
void encodeTexture(const TextureRecord& texture, std::vector<std::uint8_t>& out);
void encodeImage(const ImageRecord& image, std::vector<std::uint8_t>& out);

} // namespace q71::r3d
