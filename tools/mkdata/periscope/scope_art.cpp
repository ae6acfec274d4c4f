#include "mkdata/periscope/scope_art.h"

#include "mkdata/graphics/archives.h"
#include "mkdata/models/texels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

namespace q71::mkdata {
namespace {

constexpr const char* kGroup = "scope";
constexpr int kSide = 128;
constexpr int kColours = 256;

void put16(std::string& s, std::uint32_t v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8 & 0xFF));
}
void put32(std::string& s, std::uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

// Water from the dark of a wave's body (index 0) to the white of foam (index 255).
texels::Rgba waterColour(int index) {
    const float t = static_cast<float>(index) / (kColours - 1);
    const texels::Rgba deep{0.05f, 0.16f, 0.2f, 1.0f}, body{0.16f, 0.36f, 0.4f, 1.0f}, foam{0.86f, 0.92f, 0.94f, 1.0f};
    return t < 0.6f ? texels::mix(deep, body, t / 0.6f) : texels::mix(body, foam, (t - 0.6f) / 0.4f);
}

// An 8-bit bitmap file of the water palette, rows stored bottom-up.
std::string washFile(const std::array<std::uint8_t, kSide * kSide>& pixels) {
    const std::uint32_t offset = 14 + 40 + kColours * 4;
    const std::uint32_t bits = kSide * kSide;
    std::string s = "BM";
    put32(s, offset + bits);
    put32(s, 0);
    put32(s, offset);
    put32(s, 40);
    put32(s, kSide);
    put32(s, kSide);
    put16(s, 1);
    put16(s, 8);
    for (std::uint32_t v : {0u, bits, 2835u, 2835u, 256u, 0u})
        put32(s, v);
    for (int i = 0; i < kColours; ++i) {
        const texels::Rgba c = waterColour(i);
        s.push_back(static_cast<char>(std::lround(c.blue * 255)));
        s.push_back(static_cast<char>(std::lround(c.green * 255)));
        s.push_back(static_cast<char>(std::lround(c.red * 255)));
        s.push_back(0);
    }
    for (int row = kSide - 1; row >= 0; --row)
        s.append(reinterpret_cast<const char*>(pixels.data() + row * kSide), kSide);
    return s;
}

// Heavy water (washes 1 to 3): a sheet of churning water flecked with foam. Thin run-off (4 and
// 5): mostly the dark film, with bright runs of water in it.
std::array<std::uint8_t, kSide * kSide> washPixels(int wash) {
    std::array<std::uint8_t, kSide * kSide> pixels{};
    const bool heavy = wash < 3;
    const auto seed = static_cast<std::uint32_t>(7100 + wash * 31);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const float u = (x + 0.5f) / kSide, v = (y + 0.5f) / kSide;
            const float streak = texels::tileFractal(seed, u, v, 16, 2);
            const float body = texels::tileFractal(seed + 1, u, v, 4, 4);
            float level;
            if (heavy)
                level = 0.35f + 0.45f * body + 0.35f * texels::smoothstep(0.55f, 0.8f, streak);
            else
                level = 0.08f + 0.15f * body + 0.55f * texels::smoothstep(0.62f, 0.78f, streak);
            pixels[static_cast<std::size_t>(y * kSide + x)] =
                static_cast<std::uint8_t>(std::clamp(std::lround(texels::clamp01(level) * 255.0f), 0L, 255L));
        }
    return pixels;
}

} // namespace

void generateScopeArt(const Context& context) {
    for (int wash = 0; wash < 5; ++wash)
        stageArchiveMember(context, kGraphicsFolder, kGroup, "wash" + std::to_string(wash + 1) + ".bmp",
                           washFile(washPixels(wash)));
}

} // namespace q71::mkdata
