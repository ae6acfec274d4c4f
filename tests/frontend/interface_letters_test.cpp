// The letters and figures of every font the program draws its screens with, at the sizes it asks
// for, read as what they are: each keeps the strokes and eyes it has drawn large, and no figure
// looks like another.
#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "platform/dialogs/dialog_template.h"
#include "platform/dialogs/dialog_units.h"
#include "platform/gdi/device_context.h"
#include "support/golden_image.h"
#include "whole_letters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace q71 {
namespace {

const std::string kFigures = "0123456789";
// Letters that read as others once an eye closes or opens (a, e, o, B, P, R...), once a stem or
// an arch is lost (m, n, u, w, H, M, N) or a dot joins its stem (i, j).
const std::string kKeyLetters = "ABDHMNOPQRWabdeghijmnopquw";

class InterfaceLetters : public ::testing::Test {
protected:
    InterfaceLetters() {
        EXPECT_EQ(textOpen(), 1);
        appCreateFonts();
    }
    ~InterfaceLetters() override {
        appDeleteFonts();
        textClose();
    }

    // The fonts the screens, the stations' charts and readouts, the dialogs and the controls draw with.
    static std::vector<FontRef> fontsDrawnWith() {
        std::vector<FontRef> fonts;
        for (int n = 1; n <= kInterfaceFontCount; ++n)
            fonts.push_back(appInterfaceFont(n));
        const DialogTemplate* scenarioFile = dialogTemplateFind(101);
        EXPECT_TRUE(scenarioFile);
        if (scenarioFile)
            fonts.push_back(dialogFontOf(*scenarioFile));
        for (StockObject stock : {StockObject::DefaultGuiFont, StockObject::AnsiFixedFont, StockObject::SystemFont})
            fonts.push_back(stockFont(stock));
        return fonts;
    }
};

std::string described(const Font& font) {
    return font.familyName() + ", " + std::to_string(font.description().height) + " pixels, weight " +
           std::to_string(font.metrics().weight);
}

// The pixels a glyph inks, from the pen's place on the baseline.
std::set<std::pair<int, int>> inkOf(const Glyph& glyph) {
    std::set<std::pair<int, int>> ink;
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x)
            if (glyph.mask[static_cast<std::size_t>(y * glyph.width + x)])
                ink.emplace(glyph.left + x, y - glyph.top);
    return ink;
}

TEST_F(InterfaceLetters, EveryFigureKeepsItsShapeAndDiffersFromEveryOther) {
    for (const FontRef& font : fontsDrawnWith()) {
        ASSERT_TRUE(font);
        EXPECT_EQ(test::lettersNotWhole(*font, kFigures), "") << described(*font);
        for (std::size_t a = 0; a < kFigures.size(); ++a)
            for (std::size_t b = a + 1; b < kFigures.size(); ++b)
                EXPECT_NE(inkOf(font->glyph(static_cast<std::uint8_t>(kFigures[a]))),
                          inkOf(font->glyph(static_cast<std::uint8_t>(kFigures[b]))))
                    << kFigures[a] << " and " << kFigures[b] << " look alike in " << described(*font);
    }
}

TEST_F(InterfaceLetters, LettersKeepTheirEyesStemsAndDots) {
    for (const FontRef& font : fontsDrawnWith()) {
        ASSERT_TRUE(font);
        EXPECT_EQ(test::lettersNotWhole(*font, kKeyLetters), "") << described(*font);
    }
}

TEST_F(InterfaceLetters, TheChartsSmallFaceWritesAFigureAndItsWordsWhole) {
    // "1450" read "1460" and "Immersion" "Immesion" in the chart's 7-point face.
    EXPECT_EQ(test::lettersNotWhole(*appChartFont(), "Immersion de destruction : 1450 pieds"), "");
}

using Pixels = std::set<std::pair<int, int>>;

constexpr ColorRef kPaper = rgb(0, 0, 0);
constexpr int kLeft = 8;
constexpr int kTop = 4;

// The pixels a text inks, drawn in a font with its cell's top-left corner at (x, kTop).
Pixels drawnInk(const FontRef& font, std::string_view text, int x = kLeft) {
    test::Canvas canvas(160, 48, kPaper);
    canvas.dc->selectFont(font);
    canvas.dc->setBkMode(kTransparent);
    canvas.dc->setTextColor(rgb(255, 255, 255));
    canvas.dc->textOut({x, kTop}, text);
    Pixels ink;
    for (int y = 0; y < canvas.bitmap->height(); ++y)
        for (int px = 0; px < canvas.bitmap->width(); ++px)
            if (canvas.at(px, y) != kPaper)
                ink.emplace(px, y);
    return ink;
}

Pixels shifted(const Pixels& pixels, int dx) {
    Pixels moved;
    for (auto [x, y] : pixels)
        moved.emplace(x + dx, y);
    return moved;
}

Pixels united(Pixels a, const Pixels& b) {
    a.insert(b.begin(), b.end());
    return a;
}

int firstColumn(const Pixels& pixels) {
    return std::min_element(pixels.begin(), pixels.end())->first;
}

int lastColumn(const Pixels& pixels) {
    return std::max_element(pixels.begin(), pixels.end())->first;
}

TEST_F(InterfaceLetters, TwoFiguresSideBySideNeverTouch) {
    // "4973" and "498" ran together in the sound-speed table's narrow 7-point face.
    for (const FontRef& font : fontsDrawnWith()) {
        ASSERT_TRUE(font);
        for (char a : kFigures)
            for (char b : kFigures) {
                const Pixels first = drawnInk(font, std::string(1, a));
                const Pixels second = drawnInk(font, std::string(1, b));
                const Pixels pair = drawnInk(font, std::string{a, b});
                ASSERT_FALSE(first.empty() || second.empty()) << a << b << " in " << described(*font);
                // The pair is its two figures whole, the second one moved right by some pen step.
                int step = 0;
                while (step < 64 && united(first, shifted(second, step)) != pair)
                    ++step;
                ASSERT_LT(step, 64) << a << b << " is not drawn as its two figures in " << described(*font);
                EXPECT_GE(firstColumn(second) + step - lastColumn(first), 2)
                    << a << " and " << b << " leave no blank column between them in " << described(*font);
            }
    }
}

TEST_F(InterfaceLetters, ATextsMeasuredWidthIsWhereTheTextDrawnEnds) {
    // What follows a text measured is drawn where it follows the text drawn whole: a right-aligned
    // figure keeps to its field and a caret or a second run meets the text's end.
    const std::vector<std::string> texts = {"4973", "498", "1450 pieds", "0123456789", "9876543210", "1111",
                                            "12:05", "x77", "Cap 270"};
    for (const FontRef& font : fontsDrawnWith()) {
        ASSERT_TRUE(font);
        for (const std::string& text : texts) {
            const Pixels together = drawnInk(font, text + "|");
            const Pixels apart = united(drawnInk(font, text), drawnInk(font, "|", kLeft + font->textWidth(text)));
            EXPECT_EQ(together, apart) << "\"" << text << "\" in " << described(*font);
        }
    }
}

} // namespace
} // namespace q71
