#include "mkdata/models/textures.h"
#include "mkdata/models/texels.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71::mkdata {
namespace {

using texels::Rgba;

constexpr int kBoomFrames = 15;

float distanceFromCentre(float u, float v) {
    return std::hypot(u - 0.5f, v - 0.5f);
}

// The wake: a V of foam from the apex (u 0.5, v 0) opening to the tail corners, with churned
// water along its middle; the foam thins towards the tail.
r3d::TextureRecord wake() {
    return texels::paint("wake.bmp", 64, 64, 1, [](float u, float v, int) {
        const float arm = 0.4f * v;                         // the arms' distance from the middle
        const float off = std::fabs(std::fabs(u - 0.5f) - arm);
        const float n = texels::tileNoise(31u, u, v, 16);
        const float foam = (1.0f - texels::smoothstep(0.0f, 0.05f + 0.03f * v, off)) * (0.6f + 0.4f * n);
        const float churn = (1.0f - texels::smoothstep(0.0f, 0.06f + 0.1f * v, std::fabs(u - 0.5f))) * 0.6f * n;
        const float alpha = std::max(foam, churn) * (1.0f - texels::smoothstep(0.6f, 1.0f, v));
        return Rgba{0.9f, 0.94f, 0.95f, alpha};
    });
}

// A soft puff: full in its middle, clear at its rim, broken by noise.
float puff(std::uint32_t seed, float u, float v, float radius) {
    const float d = distanceFromCentre(u, v) + (texels::tileNoise(seed, u, v, 6) - 0.5f) * 0.12f;
    return 1.0f - texels::smoothstep(radius * 0.4f, radius, d);
}

r3d::TextureRecord bubbles(const std::string& name, std::uint32_t seed, int count) {
    return texels::paint(name, 32, 32, 1, [=](float u, float v, int) {
        float alpha = 0.0f;
        for (int k = 0; k < count; ++k) {
            const float cx = 0.25f + 0.5f * texels::hash01(seed, k, 0);
            const float cy = 0.25f + 0.5f * texels::hash01(seed, k, 1);
            const float r = 0.06f + 0.12f * texels::hash01(seed, k, 2);
            const float d = std::hypot(u - cx, v - cy);
            // A bright rim and a faint inside, as a bubble shows.
            alpha = std::max(alpha, (1.0f - texels::smoothstep(0.0f, 0.04f, std::fabs(d - r))) * 0.9f +
                                        (d < r ? 0.15f : 0.0f));
        }
        return Rgba{0.85f, 0.92f, 0.95f, alpha * (1.0f - texels::smoothstep(0.42f, 0.5f, distanceFromCentre(u, v)))};
    });
}

// An explosion's frame t (0 ... 1): a ball growing from the middle, its edge ragged, the whole
// thinning in the second half; clear at the texture's edges throughout.
float burst(std::uint32_t seed, float u, float v, float t) {
    const float radius = 0.1f + 0.3f * std::sqrt(t);
    const float ragged = (texels::tileFractal(seed, u, v, 4, 3) - 0.5f) * 0.16f;
    const float inside = 1.0f - texels::smoothstep(radius * 0.7f, radius, distanceFromCentre(u, v) + ragged);
    return inside * (1.0f - texels::smoothstep(0.35f, 1.0f, t) * 0.95f);
}

r3d::TextureRecord surfaceBoom(int number) {
    const auto seed = static_cast<std::uint32_t>(100 + number);
    return texels::paint("sboom" + std::to_string(number) + ".bmp", 64, 64, kBoomFrames, [=](float u, float v, int f) {
        const float t = static_cast<float>(f) / (kBoomFrames - 1);
        const float alpha = burst(seed, u, v, t);
        const float heat = (1.0f - distanceFromCentre(u, v) * 3.0f) * (1.0f - t * 1.4f) +
                           texels::tileNoise(seed + 1u, u, v, 8) * 0.3f;
        const Rgba smoke{0.22f, 0.2f, 0.19f, alpha};
        const Rgba fire{1.0f, 0.55f, 0.12f, alpha};
        const Rgba core{1.0f, 0.95f, 0.7f, alpha};
        return texels::mix(texels::mix(smoke, fire, texels::smoothstep(0.0f, 0.35f, heat)), core,
                           texels::smoothstep(0.45f, 0.8f, heat));
    });
}

r3d::TextureRecord underwaterBoom(int number) {
    const auto seed = static_cast<std::uint32_t>(200 + number);
    return texels::paint("uboom" + std::to_string(number) + ".bmp", 64, 64, kBoomFrames, [=](float u, float v, int f) {
        const float t = static_cast<float>(f) / (kBoomFrames - 1);
        const float froth = texels::tileFractal(seed + 1u, u, v, 8, 3);
        const float alpha = burst(seed, u, v, t) * (0.6f + 0.4f * froth);
        const float w = 0.75f + 0.25f * froth;
        return Rgba{w * 0.9f, w * 0.95f, w, alpha};
    });
}

} // namespace

std::vector<r3d::TextureRecord> effectTextures() {
    std::vector<r3d::TextureRecord> out;
    out.push_back(wake());
    out.push_back(bubbles("bubbles1.bmp", 51u, 1));
    out.push_back(bubbles("bubbles2.bmp", 52u, 5));
    out.push_back(texels::paint("smoke.bmp", 32, 32, 1, [](float u, float v, int) {
        const float n = texels::tileNoise(53u, u, v, 4);
        return Rgba{0.35f + 0.2f * n, 0.34f + 0.2f * n, 0.33f + 0.2f * n, puff(53u, u, v, 0.45f) * 0.85f};
    }));
    for (int n = 2; n <= 7; ++n)
        out.push_back(surfaceBoom(n));
    for (int n = 1; n <= 6; ++n)
        out.push_back(underwaterBoom(n));
    return out;
}

} // namespace q71::mkdata
