#include "mkdata/models/textures.h"
#include "mkdata/models/texels.h"

#include <array>
#include <cmath>

namespace q71::mkdata {
namespace {

using texels::Rgba;

// The views' horizon colour by sky variant and day phase (day, night, dusk): the fog and the
// background of a view meet the sky on its horizon rows.
constexpr std::array<std::array<Rgba, 3>, 3> kHorizon = {{
    {{{0.5f, 0.7f, 1.0f}, {0.09f, 0.09f, 0.29f}, {0.9f, 0.22f, 0.22f}}},
    {{{0.58f, 0.74f, 1.0f}, {0.09f, 0.13f, 0.26f}, {0.71f, 0.22f, 0.22f}}},
    {{{0.71f, 0.71f, 0.75f}, {0.09f, 0.13f, 0.22f}, {0.42f, 0.19f, 0.19f}}},
}};
constexpr std::array<Rgba, 3> kZenith = {{{0.12f, 0.28f, 0.68f}, {0.01f, 0.01f, 0.05f}, {0.16f, 0.1f, 0.3f}}};
constexpr std::array<Rgba, 3> kCloud = {{{0.95f, 0.95f, 0.97f}, {0.06f, 0.07f, 0.1f}, {0.85f, 0.5f, 0.45f}}};
constexpr std::array<const char*, 3> kPhaseNames = {"day", "night", "dusk"};

// Rows (counted up from the bottom row) that hold the horizon colour.
constexpr int kBandBelow = 4;
constexpr int kBandAbove = 4;

r3d::ImageRecord sky(int phase, int variant, bool magnified) {
    const Rgba horizon = kHorizon[static_cast<std::size_t>(variant)][static_cast<std::size_t>(phase)];
    const int bandLow = (magnified ? kSkyMagnifiedHorizonRow : kSkyHorizonRow) - kBandBelow;
    const int bandHigh = (magnified ? kSkyMagnifiedHorizonTop : kSkyHorizonRow) + kBandAbove;
    Rgba zenith = kZenith[static_cast<std::size_t>(phase)];
    if (variant == 2) // overcast: a grey lid, darker above
        zenith = texels::mix(horizon, {horizon.red * 0.6f, horizon.green * 0.6f, horizon.blue * 0.62f, 1.0f}, 1.0f);
    const Rgba cloud = kCloud[static_cast<std::size_t>(phase)];
    const auto seed = static_cast<std::uint32_t>(300 + phase * 10 + variant);

    r3d::ImageRecord image{kSkyWidth, kSkyHeight, {}};
    image.rgb.reserve(static_cast<std::size_t>(kSkyWidth * kSkyHeight * 3));
    for (int y = 0; y < kSkyHeight; ++y) {
        const int row = kSkyHeight - 1 - y;
        for (int x = 0; x < kSkyWidth; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / kSkyWidth;
            const float v = static_cast<float>(row) / kSkyHeight;
            Rgba c = horizon;
            if (row < bandLow) {
                // Below the horizon: haze over the sea, or in the magnified forms a band of
                // distant sea darkening towards the viewer.
                if (magnified) {
                    const float near = 1.0f - static_cast<float>(row) / static_cast<float>(bandLow);
                    const float swell = texels::tileNoise(seed + 5u, u, v * 4.0f, 64) * 0.08f;
                    const Rgba sea{horizon.red * 0.35f, horizon.green * 0.45f + 0.05f, horizon.blue * 0.55f + 0.05f, 1};
                    c = texels::mix(texels::mix(horizon, sea, texels::smoothstep(0.0f, 0.3f, near)),
                                    {0, 0, 0, 1}, swell);
                } else {
                    c = texels::mix(horizon, {0, 0, 0, 1}, 0.1f);
                }
            } else if (row > bandHigh) {
                const float t = static_cast<float>(row - bandHigh) / static_cast<float>(kSkyHeight - bandHigh);
                c = texels::mix(horizon, zenith, std::pow(texels::smoothstep(0.0f, 1.0f, t), 0.7f));
                const float fadeIn = texels::smoothstep(0.0f, 0.1f, t);
                if (phase == 1 && variant < 2 && texels::hash01(seed, x, y) > 0.9965f) {
                    const float star = 0.5f + 0.5f * texels::hash01(seed + 1u, x, y);
                    c = texels::mix(c, {1, 1, 0.95f, 1}, star * fadeIn);
                }
                if (variant > 0) {
                    // Clouds: scattered puffs, or the overcast's texture; flattened near the horizon.
                    const float n = texels::tileFractal(seed + 2u, u, v * 2.0f, 6, 4);
                    const float cover = variant == 1 ? texels::smoothstep(0.46f, 0.6f, n) : 0.35f + 0.4f * n;
                    const Rgba shade = texels::mix(cloud, {cloud.red * 0.7f, cloud.green * 0.7f, cloud.blue * 0.75f, 1},
                                                   texels::clamp01((n - 0.5f) * 3.0f));
                    c = texels::mix(c, variant == 1 ? shade : texels::mix(c, shade, 0.5f), cover * fadeIn);
                }
            }
            for (float channel : {c.red, c.green, c.blue})
                image.rgb.push_back(static_cast<std::uint8_t>(std::lround(texels::clamp01(channel) * 255.0f)));
        }
    }
    return image;
}

} // namespace

std::vector<SkyImage> skyImages() {
    std::vector<SkyImage> out;
    for (int phase = 0; phase < 3; ++phase)
        for (int variant = 0; variant < 3; ++variant)
            for (bool magnified : {false, true})
                out.push_back({std::string(kPhaseNames[static_cast<std::size_t>(phase)]) + std::to_string(variant + 1) +
                                   (magnified ? "m" : "") + ".bmp",
                               sky(phase, variant, magnified)});
    return out;
}

} // namespace q71::mkdata
