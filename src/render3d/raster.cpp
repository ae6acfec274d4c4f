// Triangles are walked row by row; each row's attributes start from the triangle's plane
// equations (never carried from row to row), and step along the row: depth and texture in float,
// light and fog in 16.16 fixed point. No operation here depends on the compiler's choices (no
// fused or reordered arithmetic), so every machine draws the same pixels.
#include "render3d/raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace q71::r3d {

namespace {

constexpr int kCoarseStep = 16;

struct Pixel {
    int r, g, b;
};

// Float to int without undefined behaviour: out-of-range values are clamped, not-a-number is 0.
inline int toInt(float v, float limit) {
    if (!(v > -limit))
        return v == v ? static_cast<int>(-limit) : 0;
    return v < limit ? static_cast<int>(v) : static_cast<int>(limit);
}

// 16.16 fixed point in 64 bits: steps along a long span of a degenerate sliver cannot overflow.
inline std::int64_t toFixed(float v) {
    constexpr float kLimit = 1.0e15f;
    const float f = v * 65536.0f;
    if (!(f > -kLimit))
        return f == f ? static_cast<std::int64_t>(-kLimit) : 0;
    return f < kLimit ? static_cast<std::int64_t>(f) : static_cast<std::int64_t>(kLimit);
}

// The whole part of a 16.16 value, limited to 0 ... hi.
inline int wholePart(std::int64_t v, int hi) {
    const std::int64_t w = v >> 16;
    return w < 0 ? 0 : (w > hi ? hi : static_cast<int>(w));
}

// Light is at most 16 times full (4096 in 8.8).
constexpr int kMaxLight = 4096;

// A texel index before masking; far-off values only come from degenerate slivers.
inline int texelIndex(float v) {
    return toInt(v, 1.0e9f);
}

inline std::uint16_t pack(int r, int g, int b) {
    return static_cast<std::uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

inline int saturate(int v) {
    return v > 255 ? 255 : (v < 0 ? 0 : v);
}

// The shading shared by every pixel kind: fog toward the target colour, then night vision.
inline Pixel finish(const RasterTarget& t, Pixel p, int fog, bool night) {
    if (fog > 0) {
        p.r += ((t.fogRed - p.r) * fog) >> 8;
        p.g += ((t.fogGreen - p.g) * fog) >> 8;
        p.b += ((t.fogBlue - p.b) * fog) >> 8;
    }
    if (night) {
        const int luminance = (p.r * 77 + p.g * 150 + p.b * 29) >> 8;
        p = {0, luminance, 0};
    }
    return p;
}

inline void store(std::uint16_t& out, Pixel p, int alpha) {
    if (alpha >= 255) {
        out = pack(p.r, p.g, p.b);
        return;
    }
    const int dr = (out >> 11) << 3, dg = ((out >> 5) & 0x3F) << 2, db = (out & 0x1F) << 3;
    out = pack((p.r * alpha + dr * (255 - alpha)) / 255, (p.g * alpha + dg * (255 - alpha)) / 255,
               (p.b * alpha + db * (255 - alpha)) / 255);
}

// Values of the attributes at one point, and their steps along x and y.
struct Attributes {
    float depth, q, uq, vq, red, green, blue, fog;
};

Attributes valuesOf(const ScreenVertex& v) {
    return {v.depth, v.q, v.uq, v.vq, v.red, v.green, v.blue, v.fog};
}

struct Walk {
    const RasterTarget& target;
    const TriangleStyle& style;
    Attributes dx;
    // Texture walk.
    const std::uint32_t* texels = nullptr;
    int uMask = 0, vMask = 0, uShift = 0;
};

template <bool Textured, bool Blend, bool Coarse>
void drawSpan(const Walk& w, int y, int x0, int x1, Attributes a) {
    const RasterTarget& t = w.target;
    std::uint16_t* row = t.pixels + y * t.rowStep;
    float* depthRow = t.depth + y * t.depthStep;
    std::int64_t red = toFixed(a.red), green = toFixed(a.green), blue = toFixed(a.blue), fog = toFixed(a.fog);
    const std::int64_t dRed = toFixed(w.dx.red), dGreen = toFixed(w.dx.green), dBlue = toFixed(w.dx.blue),
              dFog = toFixed(w.dx.fog);
    float depth = a.depth, q = a.q, uq = a.uq, vq = a.vq;
    const bool night = w.style.nightVision;
    const int opacity = w.style.opacity;

    // Coarse perspective: exact texture coordinates every kCoarseStep pixels, straight between.
    std::int64_t u = 0, v = 0, du = 0, dv = 0;
    int left = 0;

    for (int x = x0; x < x1; ++x) {
        if constexpr (Textured && Coarse) {
            if (left == 0) {
                left = std::min(kCoarseStep, x1 - x);
                const float iq0 = 1.0f / q;
                const float q1 = q + w.dx.q * static_cast<float>(left);
                const float iq1 = 1.0f / q1;
                u = toFixed(uq * iq0);
                v = toFixed(vq * iq0);
                du = (toFixed((uq + w.dx.uq * static_cast<float>(left)) * iq1) - u) / left;
                dv = (toFixed((vq + w.dx.vq * static_cast<float>(left)) * iq1) - v) / left;
            }
            --left;
        }
        if (depth > depthRow[x]) {
            Pixel p;
            int alpha = opacity;
            const int fogNow = wholePart(fog, 256);
            if constexpr (Textured) {
                int tu, tv;
                if constexpr (Coarse) {
                    tu = static_cast<int>((u >> 16) & w.uMask);
                    tv = static_cast<int>((v >> 16) & w.vMask);
                } else {
                    const float iq = 1.0f / q;
                    tu = texelIndex(uq * iq) & w.uMask;
                    tv = texelIndex(vq * iq) & w.vMask;
                }
                const std::uint32_t texel = w.texels[(tv << w.uShift) + tu];
                p = {saturate(static_cast<int>((texel >> 16) & 0xFF) * wholePart(red, kMaxLight) >> 8),
                     saturate(static_cast<int>((texel >> 8) & 0xFF) * wholePart(green, kMaxLight) >> 8),
                     saturate(static_cast<int>(texel & 0xFF) * wholePart(blue, kMaxLight) >> 8)};
                if constexpr (Blend)
                    alpha = (static_cast<int>(texel >> 24) * opacity + 255) >> 8;
            } else {
                p = {wholePart(red, 255), wholePart(green, 255), wholePart(blue, 255)};
            }
            p = finish(t, p, fogNow, night);
            if constexpr (Blend) {
                if (alpha > 0)
                    store(row[x], p, alpha);
            } else {
                row[x] = pack(p.r, p.g, p.b);
                depthRow[x] = depth;
            }
        }
        depth += w.dx.depth;
        red += dRed;
        green += dGreen;
        blue += dBlue;
        fog += dFog;
        if constexpr (Textured) {
            if constexpr (Coarse) {
                u += du;
                v += dv;
            }
            q += w.dx.q;
            uq += w.dx.uq;
            vq += w.dx.vq;
        }
    }
}

using SpanFunction = void (*)(const Walk&, int, int, int, Attributes);

SpanFunction spanFor(const TriangleStyle& s) {
    const bool blend = s.translucent;
    if (!s.texture)
        return blend ? drawSpan<false, true, false> : drawSpan<false, false, false>;
    if (s.coarsePerspective)
        return blend ? drawSpan<true, true, true> : drawSpan<true, false, true>;
    return blend ? drawSpan<true, true, false> : drawSpan<true, false, false>;
}

int log2Of(int v) {
    int s = 0;
    while ((1 << s) < v)
        ++s;
    return s;
}

// Pixel index of the first centre at or right of x (centres at i + 0.5), within [lo, hi].
int firstCentre(float x, int lo, int hi) {
    const float c = x - 0.5f;
    if (!(c > static_cast<float>(lo)))
        return lo; // not a number too
    if (!(c < static_cast<float>(hi)))
        return hi;
    return static_cast<int>(std::ceil(c));
}

} // namespace

RasterTarget rasterTarget(Camera& camera) {
    const ImagePixels image = lockCameraImage(camera);
    RasterTarget t;
    t.pixels = image.pixels;
    t.rowStep = image.rowStep / static_cast<std::ptrdiff_t>(sizeof(std::uint16_t));
    t.depth = camera.depth().data();
    t.depthStep = camera.width();
    t.clip = camera.viewport;
    t.fogRed = camera.backgroundRed;
    t.fogGreen = camera.backgroundGreen;
    t.fogBlue = camera.backgroundBlue;
    return t;
}

void rasteriseTriangle(const RasterTarget& target, const ScreenVertex (&v)[3], const TriangleStyle& style) {
    const ScreenVertex* a = &v[0];
    const ScreenVertex* b = &v[1];
    const ScreenVertex* c = &v[2];
    if (b->y < a->y)
        std::swap(a, b);
    if (c->y < b->y)
        std::swap(b, c);
    if (b->y < a->y)
        std::swap(a, b);

    const Viewport& clip = target.clip;
    const int yStart = firstCentre(a->y, clip.y, clip.y + clip.height);
    const int yEnd = firstCentre(c->y, clip.y, clip.y + clip.height);
    if (yStart >= yEnd)
        return; // no row's centre inside
    const float dx1 = b->x - a->x, dy1 = b->y - a->y, dx2 = c->x - a->x, dy2 = c->y - a->y;
    const float area = dx1 * dy2 - dx2 * dy1;
    if (!(std::fabs(area) > 1e-6f))
        return; // degenerate, or not a number
    const float inv = 1.0f / area;
    const Attributes A = valuesOf(*a), B = valuesOf(*b), C = valuesOf(*c);
    Attributes ddx, ddy;
    auto gradient = [&](float a0, float b0, float c0, float& x, float& y) {
        const float d1 = b0 - a0, d2 = c0 - a0;
        x = (d1 * dy2 - d2 * dy1) * inv;
        y = (d2 * dx1 - d1 * dx2) * inv;
    };
    gradient(A.depth, B.depth, C.depth, ddx.depth, ddy.depth);
    gradient(A.red, B.red, C.red, ddx.red, ddy.red);
    gradient(A.green, B.green, C.green, ddx.green, ddy.green);
    gradient(A.blue, B.blue, C.blue, ddx.blue, ddy.blue);
    gradient(A.fog, B.fog, C.fog, ddx.fog, ddy.fog);
    if (style.texture) {
        gradient(A.q, B.q, C.q, ddx.q, ddy.q);
        gradient(A.uq, B.uq, C.uq, ddx.uq, ddy.uq);
        gradient(A.vq, B.vq, C.vq, ddx.vq, ddy.vq);
    } else {
        ddx.q = ddy.q = ddx.uq = ddy.uq = ddx.vq = ddy.vq = 0.0f;
    }

    Walk walk{target, style, ddx};
    if (style.texture) {
        walk.texels = style.texture->texels();
        walk.uMask = style.texture->width() - 1;
        walk.vMask = style.texture->height() - 1;
        walk.uShift = log2Of(style.texture->width());
    }
    const SpanFunction span = spanFor(style);

    const float longSlope = (c->x - a->x) / dy2;
    const float upperSlope = dy1 > 0.0f ? (b->x - a->x) / dy1 : 0.0f;
    const float lowerSlope = c->y > b->y ? (c->x - b->x) / (c->y - b->y) : 0.0f;
    for (int y = yStart; y < yEnd; ++y) {
        const float yc = static_cast<float>(y) + 0.5f;
        const float xLong = a->x + (yc - a->y) * longSlope;
        const float xShort = yc < b->y ? a->x + (yc - a->y) * upperSlope : b->x + (yc - b->y) * lowerSlope;
        const int x0 = firstCentre(std::min(xLong, xShort), clip.x, clip.x + clip.width);
        const int x1 = firstCentre(std::max(xLong, xShort), clip.x, clip.x + clip.width);
        if (x0 >= x1)
            continue;
        const float ox = static_cast<float>(x0) + 0.5f - a->x, oy = yc - a->y;
        Attributes start;
        start.depth = A.depth + ddx.depth * ox + ddy.depth * oy;
        start.q = A.q + ddx.q * ox + ddy.q * oy;
        start.uq = A.uq + ddx.uq * ox + ddy.uq * oy;
        start.vq = A.vq + ddx.vq * ox + ddy.vq * oy;
        start.red = A.red + ddx.red * ox + ddy.red * oy;
        start.green = A.green + ddx.green * ox + ddy.green * oy;
        start.blue = A.blue + ddx.blue * ox + ddy.blue * oy;
        start.fog = A.fog + ddx.fog * ox + ddy.fog * oy;
        span(walk, y, x0, x1, start);
    }
}

void rasteriseLine(const RasterTarget& target, const ScreenVertex& a, const ScreenVertex& b,
                   const TriangleStyle& style) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float steps = std::ceil(std::max(std::fabs(dx), std::fabs(dy)));
    if (!(steps <= 65536.0f) || !std::isfinite(a.x + a.y + b.x + b.y))
        return; // clipped lines stay short; anything else is not a number
    const int n = static_cast<int>(steps);
    const Viewport& clip = target.clip;
    for (int i = 0; i <= n; ++i) {
        const float f = n == 0 ? 0.0f : static_cast<float>(i) / static_cast<float>(n);
        const int x = static_cast<int>(std::floor(a.x + dx * f));
        const int y = static_cast<int>(std::floor(a.y + dy * f));
        if (x < clip.x || y < clip.y || x >= clip.x + clip.width || y >= clip.y + clip.height)
            continue;
        const float depth = a.depth + (b.depth - a.depth) * f;
        float& stored = target.depth[y * target.depthStep + x];
        if (!(depth > stored))
            continue;
        Pixel p{saturate(toInt(a.red + (b.red - a.red) * f, 4096.0f)),
                saturate(toInt(a.green + (b.green - a.green) * f, 4096.0f)),
                saturate(toInt(a.blue + (b.blue - a.blue) * f, 4096.0f))};
        p = finish(target, p, toInt(a.fog + (b.fog - a.fog) * f, 256.0f), style.nightVision);
        store(target.pixels[y * target.rowStep + x], p, style.opacity);
        if (!style.translucent)
            stored = depth;
    }
}

} // namespace q71::r3d
