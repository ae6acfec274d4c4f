#pragma once
// Chunks built byte by byte, as docs/render3d.md lays them out, so that the reader is checked
// against the documented layout rather than against our writer.

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace q71::r3d::test {

struct Bytes {
    std::vector<std::uint8_t> b;

    Bytes& u8(std::uint32_t v) {
        b.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Bytes& u16(std::uint32_t v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }
    Bytes& floats(std::initializer_list<float> vs) {
        for (float v : vs)
            f32(v);
        return *this;
    }
    Bytes& text(const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    /// A chunk: the four characters, the payload's size, the payload.
    Bytes& chunk(const std::string& type, const Bytes& payload) {
        text(type).u32(static_cast<std::uint32_t>(payload.b.size()));
        b.insert(b.end(), payload.b.begin(), payload.b.end());
        return *this;
    }
};

/// The info chunk of a clump: tag and an identity matrix moved by (tx, ty, tz).
inline Bytes infoChunk(std::int32_t tag, float tx = 0, float ty = 0, float tz = 0) {
    Bytes p;
    p.u32(static_cast<std::uint32_t>(tag)).floats({1, 0, 0, 0, 1, 0, 0, 0, 1, tx, ty, tz});
    return Bytes().chunk("INFO", p);
}

/// One material: colour, opacity, ambient, diffuse, specular, shading, texture mode, texture.
inline Bytes materialBytes(float r, float g, float b, const std::string& texture = "", int shading = 2,
                           int mode = 3, float opacity = 1.0f, float ambient = 0.3f, float diffuse = 0.7f) {
    Bytes m;
    m.floats({r, g, b, opacity, ambient, diffuse, 0.0f}).u8(static_cast<std::uint32_t>(shading));
    m.u8(static_cast<std::uint32_t>(mode)).u8(static_cast<std::uint32_t>(texture.size())).text(texture);
    return m;
}

} // namespace q71::r3d::test
