#include "mkdata/movies/scene_parts.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace q71::mkdata {

namespace {

PointF rotated(PointF p, PointF centre, double angle) {
    double s = std::sin(angle), c = std::cos(angle);
    double dx = p.x - centre.x, dy = p.y - centre.y;
    return {centre.x + dx * c - dy * s, centre.y + dx * s + dy * c};
}

// A small seeded random source for scenes.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
    double unit() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return (state_ & 0xFFFFFF) / static_cast<double>(0x1000000);
    }

private:
    std::uint32_t state_;
};

// How far the coast reaches into the chart from the left at height y (0-1 of the chart).
double coastReach(std::uint32_t seed, double y) {
    Dice d(seed);
    double a = 0.15 + 0.1 * d.unit(), b = 0.05 * d.unit(), p1 = 6.28 * d.unit(), p2 = 6.28 * d.unit();
    return a + 0.08 * std::sin(y * 5 + p1) + b * std::sin(y * 13 + p2);
}

} // namespace

float ease(double t) { return static_cast<float>(std::clamp(t, 0.0, 1.0)); }

std::array<std::uint8_t, 768> blendedPalette(std::initializer_list<Colour> grounds, std::initializer_list<Colour> inks,
                                             int steps, std::initializer_list<Colour> extras, int& colours) {
    std::array<std::uint8_t, 768> palette{};
    colours = 0;
    auto add = [&](Colour c) {
        if (colours == 256)
            throw std::length_error("a palette holds 256 colours");
        palette[colours * 3] = static_cast<std::uint8_t>(std::lround(std::clamp(c.r, 0.0f, 1.0f) * 255));
        palette[colours * 3 + 1] = static_cast<std::uint8_t>(std::lround(std::clamp(c.g, 0.0f, 1.0f) * 255));
        palette[colours * 3 + 2] = static_cast<std::uint8_t>(std::lround(std::clamp(c.b, 0.0f, 1.0f) * 255));
        ++colours;
    };
    for (Colour ground : grounds) {
        add(ground);
        for (Colour ink : inks)
            for (int step = 1; step <= steps; ++step)
                add(mixColour(ground, ink, static_cast<float>(step) / static_cast<float>(steps)));
    }
    for (Colour extra : extras)
        add(extra);
    return palette;
}

std::vector<std::vector<PointF>> submarineSide(PointF centre, double length, double tilt) {
    const double r = length / 18;
    const double left = centre.x - length / 2;
    std::vector<PointF> top, bottom;
    for (int i = 0; i <= 40; ++i) {
        double u = i / 40.0;
        double radius = r;
        if (u < 0.3)
            radius = r * (0.12 + 0.88 * std::pow(u / 0.3, 0.7)); // the tapering stern
        else if (u > 0.86)
            radius = r * std::sqrt(std::max(0.0, 1 - std::pow((u - 0.86) / 0.14, 2))); // the round bow
        double x = left + u * length;
        top.push_back({x, centre.y - radius});
        bottom.push_back({x, centre.y + radius});
    }
    std::vector<PointF> hull(top.begin(), top.end());
    hull.insert(hull.end(), bottom.rbegin(), bottom.rend());
    std::vector<PointF> sail = {{left + 0.60 * length, centre.y - r * 0.9},
                                {left + 0.615 * length, centre.y - r * 2.5},
                                {left + 0.70 * length, centre.y - r * 2.5},
                                {left + 0.73 * length, centre.y - r * 0.9}};
    std::vector<PointF> planes = {{left + 0.63 * length, centre.y - r * 1.9},
                                  {left + 0.68 * length, centre.y - r * 1.9},
                                  {left + 0.68 * length, centre.y - r * 1.65},
                                  {left + 0.63 * length, centre.y - r * 1.7}};
    std::vector<PointF> rudder = {{left + 0.01 * length, centre.y - r * 1.5},
                                  {left + 0.06 * length, centre.y - r * 1.5},
                                  {left + 0.10 * length, centre.y},
                                  {left + 0.06 * length, centre.y + r * 1.5},
                                  {left + 0.01 * length, centre.y + r * 1.5}};
    std::vector<std::vector<PointF>> parts = {hull, sail, planes, rudder};
    for (auto& part : parts)
        for (PointF& p : part)
            p = rotated(p, centre, tilt);
    return parts;
}

void drawSubmarine(Canvas& c, PointF centre, double length, double tilt, Colour colour, float alpha) {
    for (const auto& part : submarineSide(centre, length, tilt))
        c.polygon(part, colour, alpha);
}

void drawSkyAndSea(Canvas& c, Colour top, Colour horizon, Colour sea, double horizonY, double time) {
    c.gradient(top, horizon, 0, horizonY);
    for (int y = static_cast<int>(horizonY); y < c.height(); ++y) {
        double depth = (y - horizonY) / (c.height() - horizonY);
        Colour water = mixColour(mixColour(sea, horizon, 0.35f), sea, static_cast<float>(std::sqrt(depth)));
        for (int x = 0; x < c.width(); ++x) {
            // Glints: bright crests that drift with the waves, more of them near the horizon.
            double wave = std::sin(x * 0.09 + time * 1.7 + y * 0.7) * std::sin(x * 0.031 - time * 0.9 + y * 1.3);
            float glint = wave > 0.86 ? static_cast<float>((wave - 0.86) * 4 * (1 - depth)) : 0.0f;
            c.blend(x, y, water, 1);
            c.blend(x, y, horizon, glint);
        }
    }
}

void drawUnderwater(Canvas& c, double time, float light) {
    c.gradient(mixColour(rgb(20, 70, 90), rgb(60, 120, 130), light), rgb(2, 10, 18), 0, c.height());
    for (int shaft = 0; shaft < 5; ++shaft) {
        double x = 40 + shaft * 62 + 12 * std::sin(time * 0.4 + shaft);
        c.polygon({{x, 0}, {x + 18, 0}, {x + 60, static_cast<double>(c.height())}, {x + 30, static_cast<double>(c.height())}},
                  rgb(120, 180, 190), 0.05f * light);
    }
    Dice d(77);
    for (int i = 0; i < 70; ++i) {
        double x = std::fmod(d.unit() * c.width() + time * 4, c.width());
        double y = std::fmod(d.unit() * c.height() - time * 3 + c.height(), c.height());
        c.disc({x, y}, 0.7, rgb(150, 190, 190), 0.35f);
    }
}

void drawBubbles(Canvas& c, PointF source, double start, double time, int count, std::uint32_t seed) {
    Dice d(seed);
    for (int i = 0; i < count; ++i) {
        double born = start + d.unit() * 2.5, drift = (d.unit() - 0.5) * 50, speed = 25 + 35 * d.unit();
        double size = 1 + 3.5 * d.unit();
        double age = time - born;
        if (age < 0)
            continue;
        PointF p{source.x + drift * std::min(age, 1.0) + 3 * std::sin(age * 5 + i), source.y - speed * age};
        if (p.y < -10)
            continue;
        c.ring(p, size, 0.8, rgb(190, 225, 230), 0.7f);
        c.disc(p, size * 0.6, rgb(120, 170, 180), 0.15f);
    }
}

void drawChart(Canvas& c, std::uint32_t seed) {
    c.fill(kChartBlue);
    for (int y = 0; y < c.height(); ++y) {
        double reach = coastReach(seed, static_cast<double>(y) / c.height()) * c.width();
        for (int x = 0; x < c.width(); ++x) {
            if (x < reach)
                c.blend(x, y, kSand, 1);
            else if (x < reach + 34)
                c.blend(x, y, kShelf, 1);
        }
    }
    for (int g = 40; g < c.width(); g += 40)
        c.line({static_cast<double>(g), 0}, {static_cast<double>(g), static_cast<double>(c.height())}, 1, kShelf, 0.6f);
    for (int g = 40; g < c.height(); g += 40)
        c.line({0, static_cast<double>(g)}, {static_cast<double>(c.width()), static_cast<double>(g)}, 1, kShelf, 0.6f);
    PointF rose{c.width() - 34.0, 34.0};
    c.ring(rose, 20, 1.5, kWhite, 0.8f);
    c.polygon({{rose.x, rose.y - 26}, {rose.x + 5, rose.y}, {rose.x, rose.y + 6}, {rose.x - 5, rose.y}}, kWhite, 0.9f);
}

PointF chartPoint(const Canvas& c, std::uint32_t seed, int which) {
    Dice d(seed * 31 + static_cast<std::uint32_t>(which) * 7919);
    double y = 0.2 + 0.6 * d.unit();
    double minX = coastReach(seed, y) + 0.18;
    return {(minX + (0.85 - minX) * d.unit()) * c.width(), y * c.height()};
}

} // namespace q71::mkdata
