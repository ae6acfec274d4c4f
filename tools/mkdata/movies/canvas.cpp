#include "mkdata/movies/canvas.h"

#include "platform/gdi/font.h"
#include "platform/text/cp1252.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <unordered_map>

namespace q71::mkdata {

namespace {

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

std::uint8_t toByte(float v) { return static_cast<std::uint8_t>(clamp01(v) * 255.0f + 0.5f); }

// Coverage of a pixel by a shape whose signed distance to its edge is d (negative inside).
float coverage(double d) { return clamp01(static_cast<float>(0.5 - d)); }

double distanceToSegment(PointF p, PointF a, PointF b) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

std::string toCp1252(const std::string& utf8) {
    std::string out;
    std::size_t errorAt = 0;
    if (!utf8ToCp1252(utf8, out, errorAt))
        throw std::runtime_error("a movie text is not in Windows-1252: " + utf8);
    return out;
}

} // namespace

Colour mixColour(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

MovieFont::MovieFont(const std::string& face, int pixelHeight, bool bold) : height_(pixelHeight) {
    LogFont description;
    description.height = -2 * pixelHeight;
    description.weight = bold ? 700 : 400;
    description.faceName = face;
    font_ = Font::create(description);
    if (!font_)
        throw std::runtime_error("no font file can be opened for the movies' texts");
}

MovieFont::~MovieFont() = default;

double MovieFont::width(const std::string& utf8) const { return font_->textWidth(toCp1252(utf8)) / 2.0; }

Canvas::Canvas(int width, int height) : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height) {}

void Canvas::fill(Colour c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Canvas::gradient(Colour top, Colour bottom, double y0, double y1) {
    for (int y = 0; y < height_; ++y) {
        float t = y1 > y0 ? clamp01(static_cast<float>((y - y0) / (y1 - y0))) : 0.0f;
        Colour c = mixColour(top, bottom, t);
        std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_, width_, c);
    }
}

void Canvas::blend(int x, int y, Colour c, float a) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || a <= 0)
        return;
    Colour& p = at(x, y);
    p = mixColour(p, c, std::min(a, 1.0f));
}

void Canvas::disc(PointF centre, double radius, Colour c, float alpha) {
    int x0 = static_cast<int>(std::floor(centre.x - radius - 1)), x1 = static_cast<int>(std::ceil(centre.x + radius + 1));
    int y0 = static_cast<int>(std::floor(centre.y - radius - 1)), y1 = static_cast<int>(std::ceil(centre.y + radius + 1));
    for (int y = std::max(0, y0); y <= std::min(height_ - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(width_ - 1, x1); ++x)
            blend(x, y, c, alpha * coverage(std::hypot(x + 0.5 - centre.x, y + 0.5 - centre.y) - radius));
}

void Canvas::ring(PointF centre, double radius, double lineWidth, Colour c, float alpha) {
    arc(centre, radius, lineWidth, 0, 2 * M_PI, c, alpha);
}

void Canvas::arc(PointF centre, double radius, double lineWidth, double a0, double a1, Colour c, float alpha) {
    double reach = radius + lineWidth + 1;
    for (int y = std::max(0, static_cast<int>(centre.y - reach)); y <= std::min(height_ - 1, static_cast<int>(centre.y + reach)); ++y)
        for (int x = std::max(0, static_cast<int>(centre.x - reach)); x <= std::min(width_ - 1, static_cast<int>(centre.x + reach)); ++x) {
            double dx = x + 0.5 - centre.x, dy = y + 0.5 - centre.y;
            double angle = std::atan2(dx, -dy);
            if (angle < 0)
                angle += 2 * M_PI;
            if (angle < a0 || angle > a1)
                continue;
            blend(x, y, c, alpha * coverage(std::abs(std::hypot(dx, dy) - radius) - lineWidth / 2));
        }
}

void Canvas::line(PointF from, PointF to, double lineWidth, Colour c, float alpha) {
    double reach = lineWidth / 2 + 1;
    int x0 = static_cast<int>(std::min(from.x, to.x) - reach), x1 = static_cast<int>(std::max(from.x, to.x) + reach);
    int y0 = static_cast<int>(std::min(from.y, to.y) - reach), y1 = static_cast<int>(std::max(from.y, to.y) + reach);
    for (int y = std::max(0, y0); y <= std::min(height_ - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(width_ - 1, x1); ++x)
            blend(x, y, c, alpha * coverage(distanceToSegment({x + 0.5, y + 0.5}, from, to) - lineWidth / 2));
}

void Canvas::polygon(const std::vector<PointF>& points, Colour c, float alpha) {
    if (points.size() < 3)
        return;
    constexpr int kSub = 4; // sample rows per pixel
    double top = points[0].y, bottom = points[0].y;
    for (const PointF& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    std::vector<float> row(static_cast<std::size_t>(width_));
    for (int y = std::max(0, static_cast<int>(top)); y <= std::min(height_ - 1, static_cast<int>(bottom)); ++y) {
        std::fill(row.begin(), row.end(), 0.0f);
        for (int s = 0; s < kSub; ++s) {
            double sy = y + (s + 0.5) / kSub;
            std::vector<double> crossings;
            for (std::size_t i = 0; i < points.size(); ++i) {
                PointF a = points[i], b = points[(i + 1) % points.size()];
                if ((a.y <= sy) != (b.y <= sy))
                    crossings.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
                for (int x = std::max(0, static_cast<int>(crossings[i])); x <= std::min(width_ - 1, static_cast<int>(crossings[i + 1])); ++x) {
                    double covered = std::min(crossings[i + 1], x + 1.0) - std::max(crossings[i], static_cast<double>(x));
                    if (covered > 0)
                        row[static_cast<std::size_t>(x)] += static_cast<float>(covered) / kSub;
                }
        }
        for (int x = 0; x < width_; ++x)
            blend(x, y, c, alpha * row[static_cast<std::size_t>(x)]);
    }
}

void Canvas::glow(PointF centre, double radius, Colour c, float strength) {
    double reach = radius * 3;
    for (int y = std::max(0, static_cast<int>(centre.y - reach)); y <= std::min(height_ - 1, static_cast<int>(centre.y + reach)); ++y)
        for (int x = std::max(0, static_cast<int>(centre.x - reach)); x <= std::min(width_ - 1, static_cast<int>(centre.x + reach)); ++x) {
            double d2 = (x + 0.5 - centre.x) * (x + 0.5 - centre.x) + (y + 0.5 - centre.y) * (y + 0.5 - centre.y);
            float k = strength * static_cast<float>(std::exp(-d2 / (2 * radius * radius)));
            Colour& p = at(x, y);
            p = {p.r + c.r * k, p.g + c.g * k, p.b + c.b * k};
        }
}

void Canvas::text(const MovieFont& font, const std::string& utf8, double x, double y, Align align, Colour c,
                  float alpha) {
    const std::string bytes = toCp1252(utf8);
    double penX = x;
    if (align != Align::Left)
        penX -= font.width(utf8) * (align == Align::Centre ? 0.5 : 1.0);
    // Glyphs are drawn at twice the size: each pixel takes the ink of a 2 by 2 block of theirs.
    std::vector<float> ink(pixels_.size(), 0.0f);
    double pen2 = penX * 2;
    const double baseline2 = y * 2;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const Glyph& g = font.font_->glyph(static_cast<std::uint8_t>(bytes[i]));
        for (int gy = 0; gy < g.height; ++gy)
            for (int gx = 0; gx < g.width; ++gx) {
                if (!g.mask[static_cast<std::size_t>(gy) * g.width + gx])
                    continue;
                int px = static_cast<int>(std::floor((pen2 + g.left + gx) / 2));
                int py = static_cast<int>(std::floor((baseline2 - g.top + gy) / 2));
                if (px >= 0 && py >= 0 && px < width_ && py < height_)
                    ink[static_cast<std::size_t>(py) * width_ + px] += 0.25f;
            }
        pen2 += font.font_->stepAfter(bytes, i);
    }
    for (int py = 0; py < height_; ++py)
        for (int px = 0; px < width_; ++px)
            blend(px, py, c, alpha * ink[static_cast<std::size_t>(py) * width_ + px]);
}

void Canvas::place(const Canvas& picture, int left, int top) {
    for (int y = 0; y < picture.height_; ++y)
        for (int x = 0; x < picture.width_; ++x)
            blend(left + x, top + y, picture.pixels_[static_cast<std::size_t>(y) * picture.width_ + x], 1);
}

void Canvas::darken(float k) {
    for (Colour& p : pixels_)
        p = {p.r * k, p.g * k, p.b * k};
}

void Canvas::grain(std::uint32_t seed, float strength) {
    std::uint32_t state = seed ? seed : 1;
    for (Colour& p : pixels_) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        float n = (static_cast<float>(state & 0xFFFF) / 65535.0f - 0.5f) * strength;
        p = {p.r + n, p.g + n, p.b + n};
    }
}

encoder::RgbImage Canvas::toImage() const {
    encoder::RgbImage image(width_, height_);
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        image.rgb[i * 3] = toByte(pixels_[i].r);
        image.rgb[i * 3 + 1] = toByte(pixels_[i].g);
        image.rgb[i * 3 + 2] = toByte(pixels_[i].b);
    }
    return image;
}

encoder::IndexedImage Canvas::toIndexed(const std::array<std::uint8_t, 768>& palette, int colours) const {
    encoder::IndexedImage image(width_, height_);
    image.palette = palette;
    image.colours = colours;
    std::unordered_map<std::uint32_t, std::uint8_t> nearest; // flat pictures repeat their colours
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        int r = toByte(pixels_[i].r), g = toByte(pixels_[i].g), b = toByte(pixels_[i].b);
        auto key = static_cast<std::uint32_t>(r << 16 | g << 8 | b);
        auto [found, added] = nearest.try_emplace(key, 0);
        if (added) {
            int bestDistance = 1 << 30;
            for (int k = 0; k < colours; ++k) {
                int dr = r - palette[k * 3], dg = g - palette[k * 3 + 1], db = b - palette[k * 3 + 2];
                int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (d < bestDistance) {
                    bestDistance = d;
                    found->second = static_cast<std::uint8_t>(k);
                }
            }
        }
        image.pixels[i] = found->second;
    }
    return image;
}

} // namespace q71::mkdata
