// Golden images of a screen: its background bitmap with two bitmap buttons drawn over it, in their
// states. The pictures are drawn here in the console look of the data set.
#include "framework/app/full_screen.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/widget_fixture.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/window_paint.h"
#include "support/golden_image.h"

#include <memory>

namespace q71 {
namespace {

constexpr const char* kGoldenFolder = "tests/framework/app/golden";
constexpr int kWidth = 200;
constexpr int kHeight = 120;

// A raised bevel of width w around a w-by-h area: light above and left, dark below and right.
ColorRef bevelled(int x, int y, int width, int height, int w, ColorRef light, ColorRef face, ColorRef dark) {
    if (x < w && y < height - x)
        return light;
    if (y < w && x < width - y)
        return light;
    if (x >= width - w || y >= height - w)
        return dark;
    return face;
}

class Panel : public FullScreen {
public:
    explicit Panel(WindowHandle parent) : FullScreen("panel", parent, kWidth, kHeight, 0, 0) {}
    void open() override { background_.load("panel.bmp"); }
};

class ScreenGolden : public test::WidgetFixture {
protected:
    ScreenGolden() {
        writeBitmap("panel.bmp", kWidth, kHeight, 24, [](int x, int y) {
            // Steel with a recessed black glass, as the consoles of the stations.
            if (x >= 20 && x < 180 && y >= 14 && y < 56)
                return x == 20 || y == 14 ? rgb(16, 20, 24) : rgb(8, 12, 8);
            int shade = 64 + (y * 16) / kHeight;
            return bevelled(x, y, kWidth, kHeight, 2, rgb(120, 128, 144), rgb(shade, shade + 8, shade + 24),
                            rgb(24, 28, 36));
        });
        // Up, down (face one pixel down and right, amber lamp lit), disabled (dimmed).
        const int fw = 48, fh = 24;
        writeBitmap("x030y070.bmp", fw, 3 * (fh + 1), 24, [&](int x, int y) {
            int frame = y / (fh + 1), row = y % (fh + 1) - 1;
            if (row < 0)
                return rgb(0, 0, 0);
            int shift = frame == 1 ? 1 : 0;
            bool lamp = x - shift >= 20 && x - shift < 28 && row - shift >= 9 && row - shift < 15;
            ColorRef lampColour = frame == 0   ? rgb(96, 64, 16)
                                  : frame == 1 ? rgb(248, 176, 32)
                                               : rgb(72, 72, 72);
            if (lamp)
                return lampColour;
            if (frame == 1)
                return bevelled(x, row, fw, fh, 2, rgb(32, 36, 44), rgb(80, 88, 100), rgb(136, 144, 160));
            if (frame == 2)
                return bevelled(x, row, fw, fh, 2, rgb(112, 112, 112), rgb(88, 88, 88), rgb(56, 56, 56));
            return bevelled(x, row, fw, fh, 2, rgb(152, 160, 176), rgb(96, 104, 120), rgb(32, 36, 44));
        });
        screen->activate();
        first = new SimpleButton(screen->window(), 1, 30, 70, 48, 24, "x030y070.bmp", 3, SimpleButton::kPush,
                                 false);
        second = new SimpleButton(screen->window(), 2, 120, 70, 48, 24, "x030y070.bmp", 3,
                                  SimpleButton::kToggle, false);
        first->loadResources();
        second->loadResources();
        windowInvalidate(screen->window(), nullptr, false);
        pump();
    }
    // What the screen shows of the panel.
    BitmapRef shown() {
        test::Canvas canvas(kWidth, kHeight);
        auto display = createDisplayDC();
        bitBlt(*canvas.dc, 0, 0, kWidth, kHeight, display.get(), 0, 0, kSrcCopy);
        return canvas.bitmap;
    }

    std::unique_ptr<Panel> screen = std::make_unique<Panel>(mainWindow);
    SimpleButton* first = nullptr;
    SimpleButton* second = nullptr;
};

TEST_F(ScreenGolden, BackgroundWithTwoButtonsUp) {
    EXPECT_TRUE(test::matchesGoldenIn(kGoldenFolder, *shown(), "panel_buttons_up"));
}

TEST_F(ScreenGolden, OneButtonHeldDownTheOtherDisabled) {
    display.moveMouse({40, 80});
    display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, {40, 80}));
    pump();
    second->setEnabled(false);
    pump();
    EXPECT_TRUE(test::matchesGoldenIn(kGoldenFolder, *shown(), "panel_button_down_and_disabled"));
    // A full repaint of the screen draws the same.
    windowInvalidate(screen->window(), nullptr, false);
    pump();
    EXPECT_TRUE(test::matchesGoldenIn(kGoldenFolder, *shown(), "panel_button_down_and_disabled"));
}

} // namespace
} // namespace q71
