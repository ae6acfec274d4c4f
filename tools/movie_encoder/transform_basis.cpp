#include "movie_encoder/transform_basis.h"

#include "media/movie/inverse_transform.h"

#include <algorithm>
#include <array>

namespace q71::encoder {

namespace {

// The codec's 1-D basis g(k, i), measured by passing impulses through its own inverse, and the
// squared norm of each basis vector.
struct Basis {
    double g[8][8];
    double norm[8];

    Basis() {
        constexpr double kImpulse = 1 << 16;
        for (int k = 0; k < 8; ++k) {
            std::int32_t block[64] = {};
            block[k] = static_cast<std::int32_t>(kImpulse); // u = 0, v = k: a column profile
            std::int32_t out[64];
            inverseTransform(block, out, 8);
            norm[k] = 0;
            for (int i = 0; i < 8; ++i) {
                g[k][i] = out[i * 8] / kImpulse;
                norm[k] += g[k][i] * g[k][i];
            }
        }
    }
};

const Basis& basis() {
    static const Basis b;
    return b;
}

struct Converted {
    double y, cb, cr;
};

Converted convert(const std::uint8_t* rgb, SampleRange range, int margin) {
    std::uint8_t c[3] = {rgb[0], rgb[1], rgb[2]};
    applyMargin(c, margin);
    double y = 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2];
    double cb = 0.564 * (c[2] - y);
    double cr = 0.713 * (c[0] - y);
    if (range == SampleRange::Studio) // the decoder takes the integer part, so aim half a level up
        return {16 + y * 219.0 / 255.0 + 0.5, 128 + cb * 224.0 / 255.0 + 0.5, 128 + cr * 224.0 / 255.0 + 0.5};
    return {y - 128, cb, cr};
}

} // namespace

void applyMargin(std::uint8_t rgb[3], int margin) {
    for (int i = 0; i < 3; ++i)
        rgb[i] = static_cast<std::uint8_t>(margin + rgb[i] * (255 - 2 * margin) / 255);
}

MacroblockSource macroblockSource(const RgbImage& image, int mx, int my, SampleRange range, int margin) {
    MacroblockSource s{};
    Converted pixels[256];
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c) {
            Converted v = convert(image.at(mx * 16 + c, my * 16 + r), range, margin);
            pixels[r * 16 + c] = v;
            s.blueDifference[(r / 2) * 8 + c / 2] += v.cb / 4;
            s.redDifference[(r / 2) * 8 + c / 2] += v.cr / 4;
        }
    for (int i = 0; i < 256; ++i) {
        double y = pixels[i].y;
        if (range == SampleRange::Centred) {
            // A pixel shares its colour difference with three others; where that shared colour
            // would carry it past the range of a channel (the colour tables do not clamp), its
            // luminance gives way instead.
            double cb = s.blueDifference[(i / 32) * 8 + (i % 16) / 2];
            double cr = s.redDifference[(i / 32) * 8 + (i % 16) / 2];
            double top = 127.0 - margin, bottom = -128.0 + margin;
            double high = std::min({top - 1.402 * cr, top + 0.344 * cb + 0.714 * cr, top - 1.772 * cb});
            double low = std::max({bottom - 1.402 * cr, bottom + 0.344 * cb + 0.714 * cr, bottom - 1.772 * cb});
            if (low <= high)
                y = std::clamp(y, low, high);
        }
        s.luminance[i] = y;
    }
    return s;
}

void forwardTransform(const double* samples, int stride, double coefficients[64]) {
    const Basis& b = basis();
    double rows[8][8]; // rows[i][u]: picture row i projected on horizontal frequency u
    for (int i = 0; i < 8; ++i)
        for (int u = 0; u < 8; ++u) {
            double sum = 0;
            for (int j = 0; j < 8; ++j)
                sum += samples[i * stride + j] * b.g[u][j];
            rows[i][u] = sum / b.norm[u];
        }
    for (int u = 0; u < 8; ++u)
        for (int v = 0; v < 8; ++v) {
            double sum = 0;
            for (int i = 0; i < 8; ++i)
                sum += rows[i][u] * b.g[v][i];
            coefficients[u * 8 + v] = sum / b.norm[v] * 65536.0;
        }
}

} // namespace q71::encoder
