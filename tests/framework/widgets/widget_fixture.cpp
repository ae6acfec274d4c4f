#include "widget_fixture.h"

#include "framework/dibutils/dib_utils.h"
#include "framework/widgets/widget_bitmap.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/message_ids.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"

#include <algorithm>

namespace q71::test {
namespace {

void put16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

WidgetFixture::WidgetFixture() {
    installWindowDrawing();
    dibSetPathPrefix(art.path().c_str());
    widgetSetArchiveBitmaps(false);
    mainWindow = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    pump();
}

WidgetFixture::~WidgetFixture() {
    dibSetPathPrefix(nullptr);
}

void WidgetFixture::writeBitmap(const std::string& name, int width, int height, int bitCount,
                                const std::function<ColorRef(int x, int y)>& colour, bool topDown) {
    std::vector<ColorRef> table;
    if (bitCount == 8) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (std::find(table.begin(), table.end(), colour(x, y)) == table.end())
                    table.push_back(colour(x, y));
    }
    const std::size_t stride = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(table.size()) * 4;
    std::string file = "BM";
    put32(file, offset + static_cast<std::uint32_t>(stride * height));
    put32(file, 0);
    put32(file, offset);
    put32(file, 40);
    put32(file, static_cast<std::uint32_t>(width));
    put32(file, static_cast<std::uint32_t>(topDown ? -height : height));
    put16(file, 1);
    put16(file, static_cast<unsigned>(bitCount));
    for (std::uint32_t v : {0u, static_cast<std::uint32_t>(stride * height), 0u, 0u,
                            static_cast<std::uint32_t>(table.size()), 0u})
        put32(file, v);
    for (ColorRef c : table)
        put32(file, colorBlue(c) | (colorGreen(c) << 8) | (colorRed(c) << 16));
    for (int stored = 0; stored < height; ++stored) {
        const int y = topDown ? stored : height - 1 - stored;
        std::string row;
        for (int x = 0; x < width; ++x) {
            ColorRef c = colour(x, y);
            switch (bitCount) {
            case 8:
                row += static_cast<char>(std::find(table.begin(), table.end(), c) - table.begin());
                break;
            case 16:
                put16(row, ((colorRed(c) >> 3) << 10) | ((colorGreen(c) >> 3) << 5) | (colorBlue(c) >> 3));
                break;
            default:
                row += static_cast<char>(colorBlue(c));
                row += static_cast<char>(colorGreen(c));
                row += static_cast<char>(colorRed(c));
                if (bitCount == 32)
                    row += '\0';
            }
        }
        row.resize(stride, '\0');
        file += row;
    }
    art.write(name, file);
}

void WidgetFixture::writeStrip(const std::string& name, int frameWidth, int frameHeight,
                               const std::vector<ColorRef>& colours, int bitCount, bool topDown,
                               ColorRef separator) {
    const int pitch = frameHeight + 1;
    // Bottom-up, each frame has its separator row above it in the picture; top-down, the
    // separator comes first in storage, so above it too.
    writeBitmap(
        name, frameWidth, pitch * static_cast<int>(colours.size()), bitCount,
        [&](int, int y) { return y % pitch == 0 ? separator : colours[static_cast<std::size_t>(y / pitch)]; },
        topDown);
}

ColorRef WidgetFixture::screenPixel(int x, int y) const {
    std::uint16_t p = screenSurface().row(y)[x];
    return rgb(((p >> 11) & 31) << 3, ((p >> 5) & 63) << 2, (p & 31) << 3);
}

Rect WidgetFixture::inkBounds(Rect area, ColorRef colour) const {
    Rect bounds;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (screenPixel(x, y) == colour)
                bounds = bounds.united({x, y, x + 1, y + 1});
    return bounds;
}

void WidgetFixture::advance(std::uint64_t ms) {
    clock.advance(ms);
    pump();
}

WidgetFixture::Commands WidgetFixture::commands() const {
    Commands out;
    for (const Received& r : receivedBy(mainWindow, WM_COMMAND))
        out.emplace_back(r.wParam, r.lParam);
    return out;
}

void WidgetFixture::run(std::uint64_t ms) {
    for (std::uint64_t done = 0; done < ms; done += 10)
        advance(std::min<std::uint64_t>(10, ms - done));
}

void WidgetFixture::clickAt(Point at) {
    display.click(at);
    pump();
}

} // namespace q71::test
