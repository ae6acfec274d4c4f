#include "platform/gdi/blit.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/default_proc.h"
#include "platform/window/message_ids.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"
#include "support/headless_windows.h"

namespace q71 {
namespace {

constexpr ColorRef kRed = rgb(248, 0, 0);
constexpr ColorRef kWhite = rgb(248, 252, 248);

class WindowDrawing : public test::HeadlessWindows {
protected:
    void SetUp() override {
        main = makeWindow(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 640, 480});
        child = makeWindow(WS_CHILD | WS_VISIBLE, {100, 100, 200, 150}, main);
        pump();
        clearScreen();
    }
    void clearScreen() { std::fill(display.surface().pixels.begin(), display.surface().pixels.end(), 0); }
    ColorRef screenAt(int x, int y) { return colorFrom565(display.surface().row(y)[x]); }
    WindowHandle main{}, child{};
};

TEST_F(WindowDrawing, WindowContextsDrawOnlyWhereTheWindowIsVisible) {
    // A popup above covers the right half of the child (100, 100)-(200, 150).
    makeWindow(WS_POPUP | WS_VISIBLE, {150, 90, 320, 300});
    pump();
    clearScreen();
    display.surface().takeChanged();
    auto dc = getWindowDC(child);
    ASSERT_TRUE(dc);
    dc->fillRect({-50, -50, 500, 500}, createSolidBrush(kRed));
    EXPECT_EQ(screenAt(100, 100), kRed);
    EXPECT_EQ(screenAt(149, 149), kRed);
    EXPECT_EQ(screenAt(150, 120), 0u); // under the popup
    EXPECT_EQ(screenAt(99, 120), 0u);  // outside the child
    EXPECT_EQ(screenAt(120, 150), 0u);
    EXPECT_TRUE(display.surface().takeChanged());
    // Reading back: what is on the screen where the window shows, nothing where it does not.
    EXPECT_EQ(dc->getPixel({0, 0}), kRed);
    EXPECT_EQ(dc->getPixel({60, 10}), kInvalidColor);
}

TEST_F(WindowDrawing, ContextsFollowTheWindowWhenItMoves) {
    auto dc = getWindowDC(child);
    windowMove(child, 300, 300, 100, 50, false);
    dc->setPixel({0, 0}, kWhite);
    EXPECT_EQ(screenAt(300, 300), kWhite);
    EXPECT_EQ(screenAt(100, 100), 0u);
    windowDestroy(child);
    EXPECT_EQ(dc->setPixel({1, 1}, kWhite), kInvalidColor);
    EXPECT_FALSE(getWindowDC(child));
}

TEST_F(WindowDrawing, PaintContextsAreLimitedToTheUpdateRegion) {
    Rect part{10, 10, 30, 20};
    windowInvalidate(child, &part, false);
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message != WM_PAINT || r.window != child)
            return std::nullopt;
        PaintStruct paint = beginPaint(child);
        EXPECT_EQ(paint.paint, part);
        paint.dc->fillRect({0, 0, 100, 50}, createSolidBrush(kRed));
        endPaint(child, paint);
        return 0;
    };
    pump();
    EXPECT_EQ(screenAt(110, 110), kRed);
    EXPECT_EQ(screenAt(129, 119), kRed);
    EXPECT_EQ(screenAt(130, 119), 0u);
    EXPECT_EQ(screenAt(105, 105), 0u);
}

TEST_F(WindowDrawing, ShapedWindowsClipDrawingToTheirShape) {
    windowSetShape(child, Region::ellipse({0, 0, 100, 50}), false);
    auto dc = getWindowDC(child);
    dc->fillRect({0, 0, 100, 50}, createSolidBrush(kRed));
    EXPECT_EQ(screenAt(150, 125), kRed);
    EXPECT_EQ(screenAt(100, 100), 0u);
    EXPECT_EQ(screenAt(199, 149), 0u);
}

TEST_F(WindowDrawing, BackgroundsAreErasedWithTheClassBrush) {
    installWindowDrawing();
    static const Brush grey = createSolidBrush(rgb(96, 96, 96));
    ASSERT_NE(classRegister({"Panel", 0, windowDefaultProc, {}, classBackgroundBrush(&grey)}), 0);
    ASSERT_NE(classRegister(
                  {"WhitePanel", 0, windowDefaultProc, {}, classBackgroundBrush(StockObject::WhiteBrush)}),
              0);
    WindowHandle panel = windowCreate(0, "Panel", "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 40, main);
    WindowHandle white = windowCreate(0, "WhitePanel", "", WS_CHILD | WS_VISIBLE, 60, 10, 40, 40, main);
    pump();
    EXPECT_EQ(screenAt(10, 10), rgb(96, 96, 96));
    EXPECT_EQ(screenAt(49, 49), rgb(96, 96, 96));
    EXPECT_EQ(screenAt(60, 10), kWhite);
    EXPECT_EQ(screenAt(55, 10), 0u);
    windowDestroy(panel);
    windowDestroy(white);
}

TEST_F(WindowDrawing, BlitsCopyBetweenWindowsAndMemory) {
    auto window = getWindowDC(child);
    window->fillRect({0, 0, 10, 10}, createSolidBrush(kRed));
    BitmapRef bitmap = Bitmap::createCompatible(20, 20);
    auto memory = DeviceContext::createMemory();
    memory->selectBitmap(bitmap);
    bitBlt(*memory, 0, 0, 20, 20, window.get(), 0, 0, kSrcCopy);
    EXPECT_EQ(memory->getPixel({9, 9}), kRed);
    EXPECT_EQ(memory->getPixel({10, 10}), 0u);
    memory->fillRect({0, 0, 20, 20}, createSolidBrush(kWhite));
    bitBlt(*window, 50, 20, 20, 20, memory.get(), 0, 0, kSrcCopy);
    EXPECT_EQ(screenAt(150, 120), kWhite);
    EXPECT_EQ(screenAt(169, 139), kWhite);
}

TEST_F(WindowDrawing, TheDisplayContextCoversTheWholeScreen) {
    auto display = createDisplayDC();
    display->setPixel({639, 479}, kWhite);
    EXPECT_EQ(screenAt(639, 479), kWhite);
    Rect box;
    EXPECT_EQ(display->getClipBox(box), kSimpleRegion);
    EXPECT_EQ(box, (Rect{0, 0, 640, 480}));
}

} // namespace
} // namespace q71
