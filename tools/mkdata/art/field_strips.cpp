#include "mkdata/art/field_strips.h"

#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/look.h"
#include "mkdata/graphics/archives.h"

#include <array>
#include <cstdint>

namespace q71::mkdata {
namespace {

constexpr const char* kGroup = "shared";
constexpr int kArrowSize = 10;
constexpr int kSmallDigit = 10;
constexpr int kLargeDigit = 13;
constexpr int kBlank = 10;

// The lit segments of each digit, bit 0 = top, then top right, bottom right, bottom, bottom left,
// top left and middle.
constexpr std::array<std::uint8_t, 10> kSegments = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                    0x6D, 0x7D, 0x07, 0x7F, 0x6F};

Canvas arrowFrame(int width, int height, ArrowDirection direction, bool pressed) {
    Canvas frame(width, height);
    // Pressed, the arrow lights.
    const int d = static_cast<int>(direction);
    const Rect cap = buttonCap(frame, 1, pressed, static_cast<std::uint32_t>(width * 7 + d + 1));
    const double cx = (cap.left + cap.right) / 2.0;
    const double cy = (cap.top + cap.bottom) / 2.0;
    const double half = (cap.right - cap.left) * 0.38;
    // Drawn pointing up or left, then mirrored for down and right.
    const double sign = direction == ArrowDirection::Down || direction == ArrowDirection::Right ? 1.0 : -1.0;
    const double tip = sign * half * 0.8;
    const double base = -sign * half * 0.6;
    const Colour ink = pressed ? palette::kAmber : palette::kLabel;
    if (direction == ArrowDirection::Up || direction == ArrowDirection::Down)
        frame.polygon({{cx - half, cy + base}, {cx + half, cy + base}, {cx, cy + tip}}, ink);
    else
        frame.polygon({{cx + base, cy - half}, {cx + base, cy + half}, {cx + tip, cy}}, ink);
    return frame;
}

// One cell of black glass with seven segments: those of the digit in amber (dim when unlit), the
// others as faint ghosts.
Canvas digitFrame(int size, int digit, bool lit) {
    Canvas frame(size, size);
    frame.fill(palette::kGlass);
    const double width = size >= kLargeDigit ? 1.6 : 1.0;
    const double gap = width * 0.7;
    // Pixel centres, so that thin strokes stay sharp.
    const double left = size / 4 + 0.5;
    const double right = (3 * size + 3) / 4 - 0.5;
    const double top = 1.5;
    const double bottom = size - 2.5;
    const double middle = static_cast<int>((top + bottom) / 2) + 0.5;
    const std::array<std::array<PointF, 2>, 7> segments = {{
        {{{left + gap, top}, {right - gap, top}}},
        {{{right, top + gap}, {right, middle - gap}}},
        {{{right, middle + gap}, {right, bottom - gap}}},
        {{{left + gap, bottom}, {right - gap, bottom}}},
        {{{left, middle + gap}, {left, bottom - gap}}},
        {{{left, top + gap}, {left, middle - gap}}},
        {{{left + gap, middle}, {right - gap, middle}}},
    }};
    const Colour on = lit ? palette::kAmber : shade(palette::kAmber, -0.65f);
    for (std::size_t s = 0; s < segments.size(); ++s) {
        const bool shown = digit != kBlank && ((kSegments[static_cast<std::size_t>(digit)] >> s) & 1) != 0;
        frame.line(segments[s][0], segments[s][1], width, on, shown ? 1.0f : 0.07f);
    }
    return frame;
}

} // namespace

std::vector<Canvas> arrowButtonFrames(int size, bool up) {
    return arrowButtonFrames(size, up ? ArrowDirection::Up : ArrowDirection::Down);
}

std::vector<Canvas> arrowButtonFrames(int size, ArrowDirection direction) {
    return {arrowFrame(size, size, direction, false), arrowFrame(size, size, direction, true)};
}

std::vector<Canvas> dropButtonFrames(int width, int height) {
    Canvas disabled = arrowFrame(width, height, ArrowDirection::Down, false);
    disabled.darken(0.45f);
    return {arrowFrame(width, height, ArrowDirection::Down, false),
            arrowFrame(width, height, ArrowDirection::Down, true),
            std::move(disabled)};
}

std::vector<Canvas> digitFrames(int size) {
    std::vector<Canvas> frames;
    for (bool lit : {true, false})
        for (int digit = 0; digit <= kBlank; ++digit)
            frames.push_back(digitFrame(size, digit, lit));
    return frames;
}

void generateFieldStrips(const Context& context) {
    stageArchiveMember(context, kGraphicsFolder, kGroup, "upcrt.bmp",
                       frameStripFile(arrowButtonFrames(kArrowSize, true)));
    stageArchiveMember(context, kGraphicsFolder, kGroup, "dncrt.bmp",
                       frameStripFile(arrowButtonFrames(kArrowSize, false)));
    stageArchiveMember(context, kGraphicsFolder, kGroup, "pulldwn2.bmp",
                       frameStripFile(dropButtonFrames(13, 13)));
    stageArchiveMember(context, kGraphicsFolder, kGroup, "smallnum.bmp",
                       frameStripFile(digitFrames(kSmallDigit)));
    stageArchiveMember(context, kGraphicsFolder, kGroup, "numerals.bmp",
                       frameStripFile(digitFrames(kLargeDigit)));
}

} // namespace q71::mkdata
