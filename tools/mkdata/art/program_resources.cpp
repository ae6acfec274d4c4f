#include "mkdata/art/program_resources.h"

#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/look.h"
#include "mkdata/files.h"
#include "platform/resources/cursor_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace q71::mkdata {
namespace {

constexpr int kCursorSize = 32;
constexpr int kSamples = 4; // per pixel side, for smooth edges
constexpr double kPi = 3.14159265358979;

using Inside = std::function<bool(double x, double y)>;

struct Layer {
    Inside inside;
    Colour colour;
};

// A shape and its dark rim one pixel wide around it.
std::array<Layer, 2> outlined(Inside inside, Colour colour) {
    Inside rim = [inside](double x, double y) {
        for (double dy = -1.0; dy <= 1.0; dy += 1.0)
            for (double dx = -1.0; dx <= 1.0; dx += 1.0)
                if (inside(x + dx, y + dy))
                    return true;
        return false;
    };
    return {Layer{rim, rgb(0x08, 0x0C, 0x10)}, Layer{std::move(inside), colour}};
}

std::uint32_t byteOf(float value) {
    return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255));
}

CursorImage drawCursor(Point hotSpot, std::initializer_list<Layer> layers) {
    CursorImage image;
    image.width = image.height = kCursorSize;
    image.hotSpot = hotSpot;
    image.argb.assign(kCursorSize * kCursorSize, 0);
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x < kCursorSize; ++x) {
            // Each layer covers what lies under it by the share of the pixel it fills.
            float alpha = 0.0f;
            Colour colour;
            for (const Layer& layer : layers) {
                int covered = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx)
                        covered += layer.inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
                const float a = static_cast<float>(covered) / (kSamples * kSamples);
                colour = mixColour(colour, layer.colour, alpha > 0 ? a : 1.0f);
                alpha = a + alpha * (1.0f - a);
            }
            image.argb[static_cast<std::size_t>(y * kCursorSize + x)] =
                byteOf(alpha) << 24 | byteOf(colour.r) << 16 | byteOf(colour.g) << 8 | byteOf(colour.b);
        }
    return image;
}

bool insidePolygon(std::span<const std::array<double, 2>> points, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const auto [xi, yi] = points[i];
        const auto [xj, yj] = points[j];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

// The pointer: a pale arrow with its tip at the hot spot.
CursorImage pointer() {
    static constexpr std::array<std::array<double, 2>, 7> kArrow{
        {{1, 1}, {1, 19}, {5.5, 14.8}, {8.8, 22}, {11.6, 20.8}, {8.4, 13.8}, {14.2, 13.8}}};
    auto arrow = outlined([](double x, double y) { return insidePolygon(kArrow, x, y); }, palette::kLabel);
    Inside tip = [](double x, double y) { return insidePolygon(kArrow, x, y) && x + y < 8.5; };
    return drawCursor({1, 1}, {arrow[0], arrow[1], Layer{tip, palette::kAmber}});
}

// Busy at start-up: an hourglass of steel with amber sand.
CursorImage hourglass() {
    auto glass = outlined(
        [](double x, double y) {
            const double half = std::abs(y - 16.0) < 1.5 ? 1.5 : 1.5 + (std::abs(y - 16.0) - 1.5) * 0.62;
            return y >= 4 && y <= 28 && std::abs(x - 16.0) <= std::min(half, 8.5);
        },
        palette::kSteelHighlight);
    Inside sand = [](double x, double y) {
        const double top = y >= 9 && y < 15 && std::abs(x - 16.0) <= (15.0 - y) * 0.62;
        const double bottom = y >= 21 && y <= 27 && std::abs(x - 16.0) <= 7.0;
        return top || bottom || (y >= 15 && y < 21 && std::abs(x - 16.0) < 0.7);
    };
    Inside caps = [](double x, double y) {
        return (y >= 3 && y < 5.5) || (y > 26.5 && y <= 29) ? std::abs(x - 16) <= 10 : false;
    };
    return drawCursor({16, 16},
                      {glass[0], glass[1], Layer{sand, palette::kAmber}, Layer{caps, palette::kSteelLight}});
}

// Busy: a sonar scope with its sweep.
CursorImage sonarSweep() {
    auto ring = outlined(
        [](double x, double y) {
            const double d = std::hypot(x - 16.0, y - 16.0);
            return d <= 12.5 && d >= 10.0;
        },
        palette::kSteelHighlight);
    Inside sweep = [](double x, double y) {
        const double d = std::hypot(x - 16.0, y - 16.0);
        const double angle = std::atan2(y - 16.0, x - 16.0);
        return d < 9.5 && angle > -kPi / 2 && angle < -kPi / 2 + 1.1;
    };
    Inside echo = [](double x, double y) { return std::hypot(x - 20.5, y - 11.0) < 1.4; };
    Inside glass = [](double x, double y) { return std::hypot(x - 16.0, y - 16.0) < 10.0; };
    return drawCursor({16, 16},
                      {ring[0], ring[1], Layer{glass, palette::kGlass},
                       Layer{sweep, shade(palette::kPhosphor, -0.35)}, Layer{echo, palette::kPhosphor}});
}

// The cross-hair of the periscope: a fine cross with a gap at its centre, and a ring.
CursorImage crossHair() {
    auto cross = outlined(
        [](double x, double y) {
            const double dx = std::abs(x - 16.0), dy = std::abs(y - 16.0);
            const bool arm = (dx < 0.6 && dy > 3 && dy < 13) || (dy < 0.6 && dx > 3 && dx < 13);
            const double d = std::hypot(x - 16.0, y - 16.0);
            return arm || (d > 7.2 && d < 8.4);
        },
        palette::kLabel);
    Inside dot = [](double x, double y) { return std::hypot(x - 16.0, y - 16.0) < 0.9; };
    return drawCursor({16, 16}, {cross[0], cross[1], Layer{dot, palette::kRed}});
}

// The hand over the control room's consoles: a pointing finger, its tip at the hot spot.
CursorImage hand() {
    Inside shape = [](double x, double y) {
        const bool finger = x >= 10.5 && x <= 15.5 && y >= 3.5 && y <= 17 &&
                            (y >= 6 || std::hypot(x - 13.0, y - 6.0) <= 2.5);
        // The folded fingers: three rounded knuckles beside the pointing one.
        const bool knuckles = std::hypot(x - 17.5, y - 15.5) <= 2.2 || std::hypot(x - 20.5, y - 16.0) <= 2.2 ||
                              std::hypot(x - 23.0, y - 17.0) <= 1.9;
        const bool palm = x >= 10.5 && x <= 24.5 && y >= 16 && y <= 27.5;
        const bool thumb = x >= 6 && x <= 11 && y >= 15 && y <= 23 && x + 0.6 * y >= 16.5;
        return finger || knuckles || palm || thumb;
    };
    auto body = outlined(shape, palette::kLabel);
    Inside cuff = [](double x, double y) { return x >= 11 && x <= 24 && y >= 25 && y <= 27.5; };
    return drawCursor({13, 4}, {body[0], body[1], Layer{cuff, palette::kSteelHighlight}});
}

// The chart's zoom: a magnifier with a plus in its lens, the lens centre at the hot spot.
CursorImage magnifier() {
    constexpr double kCentre = 12.0;
    auto frame = outlined(
        [](double x, double y) {
            const double d = std::hypot(x - kCentre, y - kCentre);
            const bool handle = x - y < 2.3 && y - x < 2.3 && x + y > 2 * kCentre + 12 && x + y < 54;
            return (d >= 7.2 && d <= 9.6) || handle;
        },
        palette::kSteelHighlight);
    Inside lens = [](double x, double y) { return std::hypot(x - kCentre, y - kCentre) < 7.2; };
    Inside plus = [](double x, double y) {
        const double dx = std::abs(x - kCentre), dy = std::abs(y - kCentre);
        return (dx < 0.9 && dy < 4.2) || (dy < 0.9 && dx < 4.2);
    };
    return drawCursor({12, 12}, {frame[0], frame[1], Layer{lens, palette::kChartBlue}, Layer{plus, palette::kLabel}});
}

// The ground of tool tips: pale card with a faint grain, repeated by a pattern brush.
Canvas tipGround() {
    Canvas tile(16, 16);
    fillRect(tile, Rect{0, 0, 16, 16}, rgb(0xF4, 0xEE, 0xC8), rgb(0xF4, 0xEE, 0xC8), 102, 0.025f);
    return tile;
}

// The ground of the plot and navigation menus: pale brushed steel, repeated by a pattern brush;
// the menus letter their items in black with a white shadow, which a dark ground would swallow.
Canvas steelTile() {
    Canvas tile(16, 16);
    fillRect(tile, Rect{0, 0, 16, 16}, palette::kSteelHighlight, palette::kSteelHighlight, 103, 0.06f);
    return tile;
}

// The ground of the host's message log: black glass with a faint phosphor dot every fourth pixel.
Canvas logPattern() {
    Canvas tile(8, 8);
    fillRect(tile, Rect{0, 0, 8, 8}, palette::kGlass, palette::kGlass, 106, 0.0f);
    for (int y = 0; y < 8; y += 4)
        for (int x = (y / 4) * 2; x < 8; x += 4)
            tile.blend(x, y, shade(palette::kPhosphor, -0.8f), 1.0f);
    return tile;
}

// The ground of the fire-control contact selector: steel with fine engraved rows.
Canvas selectorPattern() {
    Canvas tile(8, 8);
    fillRect(tile, Rect{0, 0, 8, 8}, palette::kSteel, palette::kSteel, 152, 0.04f);
    for (int x = 0; x < 8; ++x) {
        tile.blend(x, 3, palette::kSteelDark, 0.7f);
        tile.blend(x, 7, palette::kSteelDark, 0.7f);
    }
    return tile;
}

void writeCursor(const Context& context, int number, const CursorImage& image) {
    writeOutput(context.out / "resources" / ("cursor" + std::to_string(number) + ".cur"),
                cursorFileEncode(image));
}

void writeBitmap(const Context& context, int number, const Canvas& picture) {
    writeOutput(context.out / "resources" / ("bitmap" + std::to_string(number) + ".bmp"), bitmapFile(picture));
}

} // namespace

void generateProgramResources(const Context& context) {
    writeCursor(context, 104, pointer());
    writeCursor(context, 155, hourglass());
    writeCursor(context, 156, sonarSweep());
    writeCursor(context, 159, crossHair());
    writeCursor(context, 108, hand());
    writeCursor(context, 144, magnifier());
    writeBitmap(context, 102, tipGround());
    writeBitmap(context, 103, steelTile());
    writeBitmap(context, 106, logPattern());
    writeBitmap(context, 152, selectorPattern());
}

} // namespace q71::mkdata
