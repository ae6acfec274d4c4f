#include "mkdata/models/texels.h"

#include <algorithm>
#include <cmath>

namespace q71::mkdata::texels {

Rgba mix(Rgba a, Rgba b, float t) {
    return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t, a.blue + (b.blue - a.blue) * t,
            a.alpha + (b.alpha - a.alpha) * t};
}

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

float smoothstep(float edge0, float edge1, float v) {
    const float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float hash01(std::uint32_t seed, std::int32_t x, std::int32_t y) {
    std::uint32_t h = seed * 0x9E3779B9u ^ static_cast<std::uint32_t>(x) * 0x85EBCA6Bu ^
                      static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFFFF) / 16777215.0f;
}

float tileNoise(std::uint32_t seed, float u, float v, int period) {
    const float x = u * static_cast<float>(period), y = v * static_cast<float>(period);
    const float fx = std::floor(x), fy = std::floor(y);
    const auto wrap = [period](float c) {
        const int i = static_cast<int>(c) % period;
        return i < 0 ? i + period : i;
    };
    const int x0 = wrap(fx), y0 = wrap(fy), x1 = (x0 + 1) % period, y1 = (y0 + 1) % period;
    const float tx = smoothstep(0.0f, 1.0f, x - fx), ty = smoothstep(0.0f, 1.0f, y - fy);
    const float a = hash01(seed, x0, y0), b = hash01(seed, x1, y0);
    const float c = hash01(seed, x0, y1), d = hash01(seed, x1, y1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float tileFractal(std::uint32_t seed, float u, float v, int period, int octaves) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += tileNoise(seed + static_cast<std::uint32_t>(o) * 131u, u, v, period << o) * weight;
        total += weight;
        weight *= 0.5f;
    }
    return sum / total;
}

r3d::TextureRecord paint(const std::string& name, int width, int height, int frames,
                         const std::function<Rgba(float u, float v, int frame)>& painter) {
    r3d::TextureRecord record{name, width, height, {}};
    const auto byte = [](float c) { return static_cast<std::uint8_t>(std::lround(clamp01(c) * 255.0f)); };
    for (int f = 0; f < frames; ++f) {
        std::vector<std::uint8_t> bytes;
        bytes.reserve(static_cast<std::size_t>(width * height * 4));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const Rgba c = painter((static_cast<float>(x) + 0.5f) / static_cast<float>(width),
                                       (static_cast<float>(y) + 0.5f) / static_cast<float>(height), f);
                bytes.insert(bytes.end(), {byte(c.red), byte(c.green), byte(c.blue), byte(c.alpha)});
            }
        record.frames.push_back(std::move(bytes));
    }
    return record;
}

} // namespace q71::mkdata::texels
