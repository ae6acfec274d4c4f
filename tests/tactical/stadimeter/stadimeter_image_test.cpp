// The stadimeter's split picture on a synthetic picture: the halves, the split's limits, the
// pan's limits, a drag and its undo by "b", and a golden image of a split.
#include "support/golden_image.h"
#include "support/headless_windows.h"

#include "platform/gdi/colour.h"
#include "platform/gdi/pen_brush.h"
#include "platform/window/message_ids.h"
#include "platform/window/window.h"
#include "platform/window/window_styles.h"
#include "tactical/stadimeter/stadimeter_image.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

constexpr int kWidth = 301, kHeight = 200;

// A 300 by 300 picture: each band of 10 rows its own grey-blue, a red column at x 75 and a green
// one at x 225, so that which rows and columns were copied where can be read back.
ColorRef bandColour(int row) {
    const int band = row / 10;
    return rgb(0, (band * 8) % 256, 255 - (band * 8) % 256);
}

class StadimeterImageTest : public HeadlessWindows {
protected:
    StadimeterImageTest() {
        parent = makeWindow(WS_VISIBLE, {0, 0, 400, 300});
        image = std::make_unique<StadimeterImage>(parent, 0, 0, kWidth, kHeight);
        image->loadResources();
        for (int y = 0; y < 300; y += 10)
            picture.dc->fillRect({0, y, 300, y + 10}, createSolidBrush(bandColour(y)));
        picture.dc->fillRect({75, 0, 76, 300}, createSolidBrush(rgb(255, 0, 0)));
        picture.dc->fillRect({225, 0, 226, 300}, createSolidBrush(rgb(0, 255, 0)));
    }
    ColorRef source(int x, int y) const { return picture.at(x, y); }
    ColorRef shown(int x, int y) {
        out.dc->fillRect({0, 0, kWidth, kHeight}, createSolidBrush(rgb(255, 255, 255)));
        image->compose(*out.dc);
        return out.at(x, y);
    }

    WindowHandle parent{};
    Canvas picture{300, 300};
    Canvas out{kWidth, kHeight};
    std::unique_ptr<StadimeterImage> image;
};

TEST_F(StadimeterImageTest, TheRightHalfIsTakenSplitRowsHigherInThePicture) {
    EXPECT_EQ(shown(10, 10), rgb(0, 0, 0)) << "black without a picture";
    image->setPicture(*picture.dc, 300, 300);
    // The window's row 0 shows picture row 50 (centred); columns 0 ... 149 from 0 ... 149.
    EXPECT_EQ(shown(10, 0), source(10, 50));
    EXPECT_EQ(shown(200, 0), source(200, 50)) << "split 0: the halves aligned";
    EXPECT_EQ(shown(75, 100), source(75, 150));
    EXPECT_NE(source(75, 150), source(74, 150)) << "the red column";
    image->setSplit(30);
    EXPECT_EQ(shown(10, 40), source(10, 90));
    EXPECT_EQ(shown(200, 40), source(200, 60)) << "the right half from 30 rows higher";
    EXPECT_NE(source(200, 60), source(200, 90));
    EXPECT_EQ(shown(10, 0), source(10, 50));
    image->setSplit(-30);
    EXPECT_EQ(shown(200, 40), source(200, 120));
    image->setSplit(1000);
    EXPECT_EQ(image->split(), 299) << "the split cannot reach the picture's height";
    // The pan followed the split down as far as it could; what lies outside the picture is black.
    EXPECT_EQ(image->pan().y, (249 + 50) / 2);
    EXPECT_EQ(shown(200, 0), rgb(0, 0, 0));
    image->clear();
    EXPECT_EQ(image->split(), 0);
    image->setSplit(5);
    EXPECT_EQ(image->split(), 0) << "no split without a picture";
}

TEST_F(StadimeterImageTest, APanStopsAtThePicturesEdgesAndBRestoresTheDragsStart) {
    image->setPicture(*picture.dc, 300, 300);
    image->setPan(30, 200);
    EXPECT_EQ(image->pan().x, 0) << "no room across: centred";
    EXPECT_EQ(image->pan().y, 50);
    image->setPan(0, 20);
    image->onLeftDown(100, 100);
    image->onMouseMove(100, 50);
    EXPECT_EQ(image->pan().y, 50) << "the picture follows the mouse, up to its edge";
    image->onMouseMove(100, 110);
    EXPECT_EQ(image->pan().y, 10);
    EXPECT_EQ(image->onChar('x'), 0);
    EXPECT_EQ(image->onChar('b'), 1);
    EXPECT_FALSE(image->dragging());
    EXPECT_EQ(image->pan().y, 20) << "back where the drag began";
    EXPECT_EQ(image->onChar('b'), 0) << "no drag: not handled";
}

TEST_F(StadimeterImageTest, GoldenSplitOfASyntheticPicture) {
    image->setPicture(*picture.dc, 300, 300);
    image->setSplit(45);
    image->setPan(0, -20);
    shown(0, 0);
    EXPECT_TRUE(matchesGoldenIn("tests/tactical/stadimeter/golden", *out.bitmap, "split-image"));
}

} // namespace
} // namespace q71::test
