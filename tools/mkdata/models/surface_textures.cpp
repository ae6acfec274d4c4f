#include "mkdata/models/textures.h"
#include "mkdata/models/texels.h"

#include <cmath>
#include <numbers>

namespace q71::mkdata {
namespace {

using texels::Rgba;

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr int kSeaFrames = 8;

// Water: swells of whole wave numbers across the tile moving a whole number of periods over
// the frames (so both the tile and the loop close), whitecaps on the crests growing with the sea
// state. The sea materials tint the texture with their own blue-green about its mid-grey, so the
// water is a light grey of swells (troughs darker) and the foam is white.
r3d::TextureRecord sea(int state) {
    struct Wave {
        int kx, ky, speed;
        float phase;
    };
    const Wave waves[] = {{1, 2, 1, 0.3f}, {2, -1, 1, 1.7f}, {3, 1, 2, 4.1f}, {-2, 3, 2, 2.2f}, {4, -3, 3, 5.0f}};
    const float rough = static_cast<float>(state) / 5.0f;
    return texels::paint("sea" + std::to_string(state) + ".bmp", 128, 128, kSeaFrames, [&](float u, float v, int f) {
        float h = 0.0f;
        for (const Wave& w : waves)
            h += std::sin(kTwoPi * (static_cast<float>(w.kx) * u + static_cast<float>(w.ky) * v -
                                    static_cast<float>(w.speed * f) / kSeaFrames) +
                          w.phase);
        h = h / 5.0f * 0.5f + 0.5f;
        const float grain = texels::tileFractal(40u + static_cast<std::uint32_t>(state), u, v, 8, 3);
        const float crest = texels::smoothstep(0.9f - rough * 0.32f, 0.98f - rough * 0.32f, h * 0.75f + grain * 0.35f);
        const Rgba trough{0.4f, 0.43f, 0.45f, 1.0f};
        const Rgba swell{0.66f, 0.68f, 0.68f, 1.0f};
        const Rgba foam{1.0f, 1.0f, 1.0f, 1.0f};
        return texels::mix(texels::mix(trough, swell, h * 0.8f + grain * 0.2f), foam, crest * (0.4f + rough * 0.6f));
    });
}

// A ground of two colours blended by tiling noise, with a finer grain.
r3d::TextureRecord ground(const std::string& name, std::uint32_t seed, Rgba a, Rgba b, int period) {
    return texels::paint(name, 64, 64, 1, [=](float u, float v, int) {
        const float n = texels::tileFractal(seed, u, v, period, 4);
        const float grain = texels::tileNoise(seed + 7u, u, v, 32);
        Rgba c = texels::mix(a, b, texels::smoothstep(0.3f, 0.7f, n));
        const float g = 0.9f + grain * 0.2f;
        return Rgba{c.red * g, c.green * g, c.blue * g, 1.0f};
    });
}

// The coast: u along the shore, v from the waterline (0, and again at 1, the texture wrapping)
// up the slope: foam, wet sand, dry sand, then grass in the middle rows. Its material is a light
// grey (0.7) taken twice over, so the texels are the shore's colours at 1 / 1.4.
r3d::TextureRecord coast() {
    return texels::paint("coast.bmp", 64, 64, 1, [](float u, float v, int) {
        const float up = 1.0f - std::fabs(v * 2.0f - 1.0f); // 0 at the waterline, 1 half way
        const float n = texels::tileFractal(61u, u, v, 4, 3);
        const float edge = up + (n - 0.5f) * 0.25f;
        const Rgba foam{0.64f, 0.66f, 0.65f, 1.0f}, wet{0.36f, 0.32f, 0.24f, 1.0f}, sand{0.56f, 0.5f, 0.36f, 1.0f},
            grass{0.24f, 0.3f, 0.16f, 1.0f};
        Rgba c = texels::mix(foam, wet, texels::smoothstep(0.02f, 0.12f, edge));
        c = texels::mix(c, sand, texels::smoothstep(0.2f, 0.35f, edge));
        return texels::mix(c, grass, texels::smoothstep(0.6f, 0.8f, edge));
    });
}

} // namespace

std::vector<r3d::TextureRecord> surfaceTextures() {
    std::vector<r3d::TextureRecord> out;
    for (int state = 1; state <= 5; ++state)
        out.push_back(sea(state));
    out.push_back(coast());
    // The land materials are a strong green (0.2, 0.7, 0.2) taken twice over: these texels hold
    // more red and blue than green, so that the ground shows a muted green and an olive brown.
    out.push_back(ground("land1.bmp", 11u, {0.7f, 0.42f, 0.45f, 1}, {0.85f, 0.46f, 0.55f, 1}, 4));
    out.push_back(ground("land2.bmp", 12u, {1.0f, 0.4f, 0.6f, 1}, {0.85f, 0.36f, 0.55f, 1}, 4));
    out.push_back(ground("Rock06.bmp", 13u, {0.3f, 0.3f, 0.3f, 1}, {0.5f, 0.48f, 0.45f, 1}, 8));
    out.push_back(ground("mud02.bmp", 14u, {0.25f, 0.22f, 0.16f, 1}, {0.35f, 0.3f, 0.22f, 1}, 4));
    out.push_back(ground("sand01.bmp", 15u, {0.62f, 0.56f, 0.4f, 1}, {0.75f, 0.68f, 0.5f, 1}, 8));
    return out;
}

std::vector<r3d::TextureRecord> modelTextures() {
    std::vector<r3d::TextureRecord> out;
    // Hull plating: plates with darker seams about the mid-grey that leaves each hull's colour
    // as it is.
    out.push_back(texels::paint("hullplt.bmp", 32, 32, 1, [](float u, float v, int) {
        const bool seam = std::fmod(u * 4.0f, 1.0f) < 0.06f || std::fmod(v * 2.0f, 1.0f) < 0.06f;
        const float n = 0.46f + texels::tileNoise(21u, u, v, 8) * 0.08f;
        const float c = seam ? 0.38f : n;
        return Rgba{c, c, c, 1.0f};
    }));
    // Anechoic tiles of a submarine's skin.
    out.push_back(texels::paint("subtile.bmp", 32, 32, 1, [](float u, float v, int) {
        const bool joint = std::fmod(u * 8.0f, 1.0f) < 0.1f || std::fmod(v * 8.0f, 1.0f) < 0.1f;
        const float c = joint ? 0.4f : 0.47f + texels::hash01(22u, static_cast<int>(u * 8), static_cast<int>(v * 8)) * 0.06f;
        return Rgba{c, c, c, 1.0f};
    }));
    return out;
}

} // namespace q71::mkdata
