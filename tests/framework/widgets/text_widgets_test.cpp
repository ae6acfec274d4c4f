#include "framework/widgets/static_text.h"
#include "framework/widgets/text_panel.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"
#include "platform/gdi/text_format.h"
#include "platform/gdi/text_overflow.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "support/golden_image.h"
#include "widget_fixture.h"

#include <string>
#include <vector>

namespace q71 {
namespace {

using test::Canvas;
using test::kBlue;
using test::kRed;

class TextWidgets : public test::WidgetFixture {
protected:
    static int widthOf(std::string_view text) { return createDisplayDC()->getTextExtent(text).cx; }
    // How many pixels of a colour lie in a rectangle of the canvas.
    static int count(const Canvas& c, Rect r, ColorRef colour) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += c.at(x, y) == colour;
        return n;
    }
};

TEST_F(TextWidgets, ACentredLabelKeepsItsCentreWhenItsTextChanges) {
    StaticText label(mainWindow, 100, 50, "Cap", nullptr, std::nullopt, false, StaticText::kAlignCentre);
    EXPECT_EQ(label.getX(), 100 - widthOf("Cap") / 2);
    EXPECT_EQ(label.getWidth(), widthOf("Cap"));
    label.setText("Immersion périscopique");
    EXPECT_EQ(label.getX(), 100 - widthOf("Immersion périscopique") / 2);
    EXPECT_EQ(label.getY(), 50);
    StaticText right(mainWindow, 300, 50, "Vitesse", nullptr, std::nullopt, false, StaticText::kAlignRight);
    EXPECT_EQ(right.getX() + right.getWidth(), 300);
}

TEST_F(TextWidgets, ALabelStandsOnItsFrameWithItsShadow) {
    StaticText label(mainWindow, 10, 10, "Sondeur", nullptr, kBlue, true, 0);
    label.setTextColour(kRed);
    Canvas canvas(200, 60);
    PaintRecord record{canvas.dc.get(), {0, 0, 200, 60}};
    label.paint(record);
    Rect block{10, 10, 10 + label.getWidth(), 10 + label.getHeight()};
    EXPECT_EQ(canvas.at(10, 10), kBlue);
    EXPECT_GT(count(canvas, block, kRed), 10);
    EXPECT_GT(count(canvas, block, rgb(248, 252, 248)), 10) << "the white shadow";
    EXPECT_EQ(count(canvas, {0, 0, 200, 9}, kBlue), 0);
    label.hide();
    Canvas hidden(200, 60);
    PaintRecord again{hidden.dc.get(), {0, 0, 200, 60}};
    label.paint(again);
    EXPECT_EQ(count(hidden, {0, 0, 200, 60}, kBlue), 0) << "a hidden label draws nothing";
}

TEST_F(TextWidgets, AWindowedLabelDrawsInItsOwnWindow) {
    StaticText label(mainWindow, 50, 60, "Radar", nullptr, kBlue, false, 0);
    label.makeWindowed();
    pump();
    ASSERT_TRUE(windowIsValid(label.window()));
    EXPECT_NE(label.window(), mainWindow);
    EXPECT_EQ(screenPixel(50, 60), kBlue);
    label.setText("Radar de surface");
    pump();
    EXPECT_EQ(windowGetRect(label.window()).width(), widthOf("Radar de surface"));
    label.hide();
    EXPECT_FALSE(windowIsVisible(label.window()));
}

TEST_F(TextWidgets, APanelFillsItselfAndCentresItsText) {
    auto* panel = new TextPanel(mainWindow, 20, 20, 120, 30);
    panel->setBackgroundColour(kBlue);
    panel->setTextColour(kRed);
    panel->setText("Relèvement");
    pump();
    EXPECT_EQ(screenPixel(21, 21), kBlue);
    Rect ink = inkBounds({20, 20, 140, 50}, kRed);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR((ink.left - 20) - (140 - ink.right), 0, 3) << "as much room on each side";
    panel->setText(std::nullopt);
    pump();
    EXPECT_EQ(screenPixel(80, 35), kBlue);
}

TEST_F(TextWidgets, APanelTooNarrowForItsLineWritesItSmallerNeverCut) {
    // The narrow face's running text, as the stadimeter's readouts are set, in a panel narrower
    // than the line is in that size: the whole line is drawn inside the panel, none of its ink cut.
    LogFont narrow;
    narrow.faceName = "Liberation Sans Narrow";
    narrow.height = -13;
    const FontRef font = Font::create(narrow);
    const std::string text = "Tribord 135";
    const int width = font->textWidth(text) - 4;
    std::vector<TextOverflow> cut;
    gdiWatchTextOverflow([&](const TextOverflow& overflow) { cut.push_back(overflow); });
    auto* panel = new TextPanel(mainWindow, 20, 20, width + 6, 16);
    panel->setFont(font);
    panel->setBackgroundColour(kBlue);
    panel->setTextColour(kRed);
    panel->setTextFormat(kDtRight | kDtVCenter | kDtSingleLine);
    panel->setText(text);
    pump();
    EXPECT_TRUE(cut.empty()) << "\"" << (cut.empty() ? "" : cut.front().text) << "\" cut";
    EXPECT_FALSE(inkBounds({20, 20, 26 + width, 36}, kRed).isEmpty());
    // A line that fits keeps the panel's own size.
    panel->setText("90");
    pump();
    gdiWatchTextOverflow({});
    EXPECT_EQ(inkBounds({0, 0, 200, 60}, kRed).height(), font->inkBounds("90").height());
}

} // namespace
} // namespace q71
