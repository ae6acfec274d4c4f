#include "platform/window/cursors.h"

#include "platform/display/screen_surface.h"
#include "platform/window/window_state.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace q71 {
namespace {

// The arrow: 'X' black outline, '.' white fill, ' ' transparent; the hot spot is the tip.
constexpr std::string_view kArrow[] = {
    "X           ", "XX          ", "X.X         ", "X..X        ", "X...X       ",
    "X....X      ", "X.....X     ", "X......X    ", "X.......X   ", "X........X  ",
    "X.........X ", "X......XXXXX", "X...X..X    ", "X..XX..X    ", "X.X  X..X   ",
    "XX   X..X   ", "X     X..X  ", "      X..X  ", "       XX   ",
};

CursorImage arrowImage() {
    CursorImage image;
    image.width = static_cast<int>(kArrow[0].size());
    image.height = static_cast<int>(std::size(kArrow));
    for (std::string_view row : kArrow) {
        for (char c : row)
            image.argb.push_back(c == 'X' ? 0xFF000000u : c == '.' ? 0xFFFFFFFFu : 0u);
    }
    return image;
}

const CursorImage* imageOf(CursorHandle cursor) {
    auto& cursors = windowing::state().cursors;
    auto index = static_cast<std::uint32_t>(cursor);
    return index >= 1 && index <= cursors.size() ? &cursors[index - 1] : nullptr;
}

} // namespace

CursorHandle cursorArrow() {
    auto& s = windowing::state();
    if (s.cursors.empty())
        s.cursors.push_back(arrowImage()); // the arrow is always cursor 1
    return CursorHandle{1};
}

CursorHandle cursorCreate(const CursorImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.argb.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height) ||
        !Rect{0, 0, image.width, image.height}.contains(image.hotSpot))
        return {};
    cursorArrow();
    auto& cursors = windowing::state().cursors;
    cursors.push_back(image);
    return CursorHandle{static_cast<std::uint32_t>(cursors.size())};
}

CursorHandle cursorFindNamed(std::string_view name) {
    const auto& named = windowing::state().namedCursors;
    const auto found = named.find(name);
    return found == named.end() ? CursorHandle{} : found->second;
}

void cursorKeepNamed(std::string_view name, CursorHandle cursor) {
    windowing::state().namedCursors.insert_or_assign(std::string(name), cursor);
}

CursorHandle cursorSet(CursorHandle cursor) {
    auto& s = windowing::state();
    CursorHandle old = s.cursor;
    const CursorImage* image = imageOf(cursor);
    if (cursor != CursorHandle{} && !image)
        return old;
    if (cursor != old) {
        s.cursor = cursor;
        s.backend.setCursor(image);
    }
    return old;
}

CursorHandle cursorGet() {
    return windowing::state().cursor;
}

Point cursorGetPosition() {
    return windowing::state().cursorPosition;
}

void cursorSetPosition(Point position) {
    auto& s = windowing::state();
    Rect screen = ScreenSurface::bounds();
    position = {std::clamp(position.x, screen.left, screen.right - 1),
                std::clamp(position.y, screen.top, screen.bottom - 1)};
    s.cursorPosition = position;
    s.backend.warpPointer(position);
}

} // namespace q71
