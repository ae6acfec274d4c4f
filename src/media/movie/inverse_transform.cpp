// The inverse is the forward transform of Arai, Agui and Nakajima with its flow graph
// transposed: the same butterflies run backwards with the same constants. Its outputs come
// scaled by sqrt(2) cos(k pi / 16) per frequency k; the prescale factors folded into the
// dequantisation tables undo that. Arithmetic wraps like the 32-bit registers it was made for,
// so that hostile coefficients cannot make it undefined.
#include "media/movie/inverse_transform.h"

#include <cstring>

namespace q71 {
namespace {

std::int32_t add(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t sub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

// x * sqrt(1/2): the high 32 bits of x times sqrt(1/2) in 1.31 fixed point, doubled.
std::int32_t timesSqrtHalf(std::int32_t x) {
    auto high = static_cast<std::int32_t>((static_cast<std::int64_t>(x) * 0x5A82799A) >> 32);
    return add(high, high);
}

// x * factor rounded to the nearest integer (ties to even) by the 1.5 * 2^52 bias.
std::int32_t roundedTimes(std::int32_t x, double factor) {
    double biased = static_cast<double>(x) * factor + 6755399441055744.0;
    std::uint64_t bits;
    std::memcpy(&bits, &biased, sizeof bits);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
}

void transformEight(const std::int32_t* in, std::int32_t* out, int outStep) {
    const std::int32_t y0 = in[0], y1 = in[1], y2 = in[2], y3 = in[3];
    const std::int32_t y4 = in[4], y5 = in[5], y6 = in[6], y7 = in[7];

    // Even part.
    std::int32_t t10 = add(y0, y4);
    std::int32_t t11 = sub(y0, y4);
    std::int32_t z1 = timesSqrtHalf(sub(y2, y6));
    std::int32_t t13 = add(add(y2, y6), z1);
    std::int32_t e0 = add(t10, t13), e3 = sub(t10, t13);
    std::int32_t e1 = add(t11, z1), e2 = sub(t11, z1);

    // Odd part.
    std::int32_t z13 = add(y5, y3), z2 = sub(y5, y3);
    std::int32_t z11 = add(y1, y7), z4 = sub(y1, y7);
    std::int32_t o11 = timesSqrtHalf(sub(z11, z13));
    std::int32_t z5 = roundedTimes(add(z2, z4), 0.3826834);
    std::int32_t o10 = add(roundedTimes(z2, 0.5411961), z5);
    std::int32_t o12 = sub(roundedTimes(z4, 1.306563), z5);
    std::int32_t o7 = add(add(z11, z13), o12);
    std::int32_t o6 = add(o11, o12);
    std::int32_t o5 = add(o10, o11);
    std::int32_t o4 = o10;

    out[0] = add(e0, o7);
    out[7 * outStep] = sub(e0, o7);
    out[outStep] = add(e1, o6);
    out[6 * outStep] = sub(e1, o6);
    out[2 * outStep] = add(e2, o5);
    out[5 * outStep] = sub(e2, o5);
    out[3 * outStep] = add(e3, o4);
    out[4 * outStep] = sub(e3, o4);
}

} // namespace

void inverseTransform(const std::int32_t block[64], std::int32_t* out, int stride) {
    // First pass: each stored row (one horizontal frequency) becomes a column of the picture.
    std::int32_t columns[64];
    for (int u = 0; u < 8; ++u) {
        const std::int32_t* row = block + u * 8;
        bool onlyFirst = (row[1] | row[2] | row[3] | row[4] | row[5] | row[6] | row[7]) == 0;
        if (onlyFirst) {
            for (int i = 0; i < 8; ++i)
                columns[i * 8 + u] = row[0];
        } else {
            transformEight(row, columns + u, 8);
        }
    }
    for (int i = 0; i < 8; ++i)
        transformEight(columns + i * 8, out + i * stride, 1);
}

} // namespace q71
