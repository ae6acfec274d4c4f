// The letters and figures of every font the program draws its screens with, at the sizes it asks
// for, read as what they are: each keeps the strokes and eyes it has drawn large, and no figure
// looks like another.
#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "platform/dialogs/dialog_template.h"
#include "platform/dialogs/dialog_units.h"
#include "whole_letters.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace q71
