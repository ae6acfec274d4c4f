// The frame a window shows: what changed is found tile by tile and only that is sent, and the
// window's pixels are the screen's scaled so that each shows the screen pixel the pointer there
// maps to.
#include "platform/display/letterbox.h"
#include "platform/display/shown_frame.h"
#include "platform/display/window_scaler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace q71 {
namespace {

constexpr int kW = ScreenSurface::kWidth, kH = ScreenSurface::kHeight;

void fillPattern(ScreenSurface& screen, unsigned seed) {
    std::mt19937 random(seed);
    for (std::uint16_t& p : screen.pixels)
        p = static_cast<std::uint16_t>(random());
}

bool covered(const std::vector<Rect>& areas, Point p) {
    for (const Rect& r : areas)
        if (r.contains(p))
            return true;
    return false;
}

long long areaOf(const std::vector<Rect>& areas) {
    long long sum = 0;
    for (const Rect& r : areas)
        sum += static_cast<long long>(r.width()) * r.height();
    return sum;
}

TEST(ShownFrame, AScreenThatDidNotChangeSendsNothingAndAPixelDrawnAgainAsItWasCountsAsUnchanged) {
    ScreenSurface screen;
    ShownFrame frame;
    fillPattern(screen, 1);
    EXPECT_EQ(areaOf(frame.takeChanges(screen)), static_cast<long long>(kW) * kH);
    EXPECT_TRUE(frame.takeChanges(screen).empty());
    const std::uint16_t was = screen.row(100)[200];
    screen.row(100)[200] = static_cast<std::uint16_t>(was + 1);
    screen.row(100)[200] = was;
    EXPECT_TRUE(frame.takeChanges(screen).empty());
    EXPECT_EQ(std::memcmp(frame.pixels(), screen.pixels.data(), screen.pixels.size() * 2), 0);
}

TEST(ShownFrame, FarApartChangesAreSentApartAndEveryChangedPixelIsInOne) {
    ScreenSurface screen;
    ShownFrame frame;
    frame.takeChanges(screen);
    // Two corners: a single box round both would be the whole screen.
    screen.row(0)[0] = 0xFFFF;
    screen.row(kH - 1)[kW - 1] = 0xF800;
    const std::vector<Rect> corners = frame.takeChanges(screen);
    EXPECT_TRUE(covered(corners, {0, 0}));
    EXPECT_TRUE(covered(corners, {kW - 1, kH - 1}));
    EXPECT_LE(areaOf(corners), 2LL * ShownFrame::kTileWidth * ShownFrame::kTileHeight);

    // A block drawn across tile borders comes back as one rectangle round its tiles.
    for (int y = 40; y < 90; ++y)
        for (int x = 100; x < 300; ++x)
            screen.row(y)[x] = 0x07E0;
    const std::vector<Rect> block = frame.takeChanges(screen);
    ASSERT_EQ(block.size(), 1u);
    EXPECT_EQ(block[0], (Rect{96, 32, 320, 96}));

    // Scattered changes: each is covered, and the frame then equals the screen.
    std::mt19937 random(7);
    std::vector<Point> changed;
    for (int i = 0; i < 200; ++i) {
        const Point p{static_cast<int>(random() % kW), static_cast<int>(random() % kH)};
        screen.row(p.y)[p.x] = static_cast<std::uint16_t>(screen.row(p.y)[p.x] ^ 0x1234);
        changed.push_back(p);
    }
    const std::vector<Rect> scattered = frame.takeChanges(screen);
    for (Point p : changed)
        EXPECT_TRUE(covered(scattered, p)) << p.x << ", " << p.y;
    EXPECT_EQ(std::memcmp(frame.pixels(), screen.pixels.data(), screen.pixels.size() * 2), 0);
}

// A window's pixels in memory, 4 bytes each unless the layout says otherwise.
struct TestWindow {
    TestWindow(int width, int height, int bytes) : width(width), height(height), bytes(bytes) {
        pitch = width * bytes + 12; // rows padded, as display servers pad them
        memory.assign(static_cast<std::size_t>(pitch) * height, 0xAB);
    }
    WindowPixels pixels() { return {memory.data(), pitch, width, height}; }
    std::uint32_t at(int x, int y) const {
        std::uint32_t v = 0;
        std::memcpy(&v,
                    memory.data() + static_cast<std::size_t>(y) * pitch + static_cast<std::size_t>(x) * bytes,
                    static_cast<std::size_t>(bytes));
        return v;
    }
    int width, height, bytes, pitch = 0;
    std::vector<std::uint8_t> memory;
};

// The RGB565 value widened as the 8-bit display shows it: each channel's high bits repeated.
std::uint32_t asXrgb(std::uint16_t c) {
    const std::uint32_t r = c >> 11, g = (c >> 5) & 0x3F, b = c & 0x1F;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

// Every window pixel shows the screen pixel the pointer there maps to; the bars are black.
void expectShowsScreen(const TestWindow& window, const ScreenSurface& screen, const Rect& shown) {
    int wrong = 0;
    for (int y = 0; y < window.height; ++y)
        for (int x = 0; x < window.width; ++x) {
            std::uint32_t expected = 0;
            if (shown.contains({x, y})) {
                const Point s = letterboxToScreen({x, y}, shown);
                expected = asXrgb(screen.row(s.y)[s.x]);
            }
            if (window.at(x, y) != expected && ++wrong <= 3)
                ADD_FAILURE() << "window pixel " << x << ", " << y << " is " << std::hex << window.at(x, y)
                              << ", not " << expected;
        }
    EXPECT_EQ(wrong, 0);
}

TEST(WindowScaler, EachWindowPixelShowsTheScreenPixelThePointerMapsToWhateverTheWindowSize) {
    ScreenSurface screen;
    fillPattern(screen, 3);
    for (const auto& [w, h] : {std::pair{1280, 960}, std::pair{1000, 700}, std::pair{1920, 1080},
                               std::pair{640, 480}, std::pair{320, 240}, std::pair{797, 1013}}) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        WindowScaler scaler;
        ASSERT_TRUE(scaler.setTarget(w, h, PixelLayout{}));
        EXPECT_EQ(scaler.shown(), letterboxRect(w, h));
        TestWindow window(w, h, 4);
        scaler.drawAll(screen.pixels.data(), window.pixels());
        expectShowsScreen(window, screen, scaler.shown());
    }
}

TEST(WindowScaler, DrawingAChangedPartAloneGivesTheWholeDrawingAndReturnsWhereItDrew) {
    ScreenSurface screen;
    fillPattern(screen, 4);
    for (const auto& [w, h] : {std::pair{1280, 960}, std::pair{1000, 700}, std::pair{320, 240}}) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        WindowScaler scaler;
        ASSERT_TRUE(scaler.setTarget(w, h, PixelLayout{}));
        TestWindow window(w, h, 4);
        scaler.drawAll(screen.pixels.data(), window.pixels());
        const TestWindow before = window;
        const Rect area{101, 57, 333, 200};
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                screen.row(y)[x] = static_cast<std::uint16_t>(~screen.row(y)[x]);
        const Rect drawn = scaler.draw(screen.pixels.data(), area, window.pixels());
        expectShowsScreen(window, screen, scaler.shown());
        // Pixels changed only inside what was returned, and every pixel inside shows the area.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (window.at(x, y) != before.at(x, y)) {
                    ASSERT_TRUE(drawn.contains({x, y})) << x << ", " << y;
                }
        for (Point corner : {Point{drawn.left, drawn.top}, Point{drawn.right - 1, drawn.bottom - 1}})
            EXPECT_TRUE(area.contains(letterboxToScreen(corner, scaler.shown())));
    }
}

TEST(WindowScaler, WritesTheWindowsOwnLayoutAndRefusesOneItCannot) {
    ScreenSurface screen;
    screen.row(0)[0] = 0xF800;                      // full red
    screen.row(0)[1] = 0x07E0;                      // full green
    screen.row(0)[2] = 0x001F;                      // full blue
    screen.row(0)[3] = (16 << 11) | (32 << 5) | 16; // mid grey
    WindowScaler scaler;

    ASSERT_TRUE(scaler.setTarget(640, 480, {2, 0xF800, 0x07E0, 0x001F}));
    TestWindow rgb565(640, 480, 2);
    scaler.drawAll(screen.pixels.data(), rgb565.pixels());
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(rgb565.at(x, 0), screen.row(0)[x]); // the same layout: the same values

    ASSERT_TRUE(scaler.setTarget(640, 480, {3, 0x0000FF, 0x00FF00, 0xFF0000})); // bytes R, G, B
    TestWindow bgr(640, 480, 3);
    scaler.drawAll(screen.pixels.data(), bgr.pixels());
    EXPECT_EQ(bgr.at(0, 0), 0x0000FFu);
    EXPECT_EQ(bgr.at(1, 0), 0x00FF00u);
    EXPECT_EQ(bgr.at(2, 0), 0xFF0000u);
    EXPECT_EQ(bgr.at(3, 0), 0x848284u);

    ASSERT_TRUE(scaler.setTarget(640, 480, {2, 0x7C00, 0x03E0, 0x001F})); // 5-5-5
    TestWindow rgb555(640, 480, 2);
    scaler.drawAll(screen.pixels.data(), rgb555.pixels());
    EXPECT_EQ(rgb555.at(0, 0), 0x7C00u);
    EXPECT_EQ(rgb555.at(1, 0), 0x03E0u);
    EXPECT_EQ(rgb555.at(3, 0), (16u << 10) | (16u << 5) | 16u);

    EXPECT_FALSE(scaler.setTarget(640, 480, {1, 0xE0, 0x1C, 0x03}));
    TestWindow untouched(640, 480, 1);
    scaler.drawAll(screen.pixels.data(), untouched.pixels());
    EXPECT_EQ(untouched.at(0, 0), 0xABu);
    EXPECT_TRUE(scaler.draw(screen.pixels.data(), ScreenSurface::bounds(), untouched.pixels()).isEmpty());
}

} // namespace
} // namespace q71
