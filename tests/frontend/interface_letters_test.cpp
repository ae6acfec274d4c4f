// The letters and figures of every font the program draws its screens with, at the sizes it asks
// for, read as what they are: each keeps the strokes and eyes it has drawn large, no figure looks
// like another, and words and letters drawn side by side stay apart.
#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "platform/controls/control_look.h"
#include "platform/dialogs/dialog_template.h"
#include "platform/dialogs/dialog_units.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/glyph_shape.h"
#include "support/golden_image.h"
#include "whole_letters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <map>
#include <optional>
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
        for (StockObject stock :
             {StockObject::DefaultGuiFont, StockObject::AnsiFixedFont, StockObject::SystemFont})
            fonts.push_back(stockFont(stock));
        // The captions of dialogs and message boxes.
        fonts.push_back(look::interfaceFont(-12, kFontWeightBold));
        return fonts;
    }

    // The interface faces at the small sizes, 13 pixels and below, and the dialogs' and message
    // boxes' (the stock fonts aside).
    static std::vector<FontRef> smallFaces() {
        std::vector<FontRef> fonts;
        for (int n = 1; n <= kInterfaceFontCount; ++n)
            if (const FontRef font = appInterfaceFont(n); font && font->description().height >= -13)
                fonts.push_back(font);
        fonts.push_back(dialogFontOf(*dialogTemplateFind(101)));
        fonts.push_back(look::interfaceFont(-12, kFontWeightBold));
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

TEST_F(InterfaceLetters, TheChartsSmallFaceMarksItsZeroApartFromTheOAndKeepsItsFiguresOneWidth) {
    // A course "090" or a designation "S01" reads at a glance: the zero is not an "O" a column
    // narrower, and columns of figures still line up.
    const FontRef chart = appChartFont();
    ASSERT_TRUE(chart);
    const Glyph& zero = chart->glyph('0');
    const Glyph& o = chart->glyph('O');
    EXPECT_NE(glyphShapeOf(zero, 1), glyphShapeOf(o, 1)) << "the zero carries a mark the O has not";
    for (const char figure : kFigures)
        EXPECT_EQ(chart->glyph(static_cast<std::uint8_t>(figure)).advance, zero.advance) << figure;
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
    // Wide enough for the text and what a glyph's ink may reach past its pen.
    const int width = std::max(160, x + font->textWidth(text) + 2 * font->metrics().maxCharWidth);
    test::Canvas canvas(width, 48, kPaper);
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
    const std::vector<std::string> texts = {"4973", "498",   "1450 pieds", "0123456789", "9876543210",
                                            "1111", "12:05", "x77",        "Cap 270"};
    for (const FontRef& font : fontsDrawnWith()) {
        ASSERT_TRUE(font);
        for (const std::string& text : texts) {
            const Pixels together = drawnInk(font, text + "|");
            const Pixels apart =
                united(drawnInk(font, text), drawnInk(font, "|", kLeft + font->textWidth(text)));
            EXPECT_EQ(together, apart) << "\"" << text << "\" in " << described(*font);
        }
    }
}

// Texts a player read run together at 4x: "il fautune antenne", "Intenupteur", "surARRÊT",
// "Retum", the chart face's words without their spaces, and a briefing's "depuis k poste".
const std::vector<std::string> kTextsMet = {"Radio : message en attente, il faut une antenne hors de l'eau.",
                                            "Interrupteur de tir sur ARR\xCAT : rien n'est parti.",
                                            "Return",
                                            "FIL CONNECT\xC9",
                                            "Non class\xE9",
                                            "CAP GYRO",
                                            "conduire le b\xE2timent depuis le poste de barre"};

bool fixedPitch(const Font& font) {
    return font.glyph('i').advance == font.glyph('M').advance;
}

// Blank columns between the ink of the part of a text before `at` and that of the part from
// `at + skip` on, in the text drawn whole: the whole is its two parts drawn apart, the second one
// moved right by some pen step. Nothing when no step makes the whole of them.
std::optional<int> blankColumnsAt(const FontRef& font, std::string_view text, std::size_t at,
                                  std::size_t skip) {
    const Pixels whole = drawnInk(font, text);
    const Pixels first = drawnInk(font, text.substr(0, at));
    const Pixels second = drawnInk(font, text.substr(at + skip));
    if (first.empty() || second.empty())
        return std::nullopt;
    // The second part's leftmost pixel lands on a pixel of the whole.
    const auto [x0, y0] = *second.begin();
    for (const auto& [x, y] : whole) {
        if (y != y0 || x < x0)
            continue;
        const int step = x - x0;
        const bool inside = std::all_of(second.begin(), second.end(), [&](const auto& p) {
            return whole.count({p.first + step, p.second}) > 0;
        });
        if (inside && united(first, shifted(second, step)) == whole)
            return firstColumn(second) + step - lastColumn(first) - 1;
    }
    return std::nullopt;
}

// The widest run of blank columns between the first and the last ink of a drawing.
int widestBlankInside(const Pixels& ink) {
    std::set<int> columns;
    for (const auto& pixel : ink)
        columns.insert(pixel.first);
    int widest = 0;
    for (auto column = columns.begin(); std::next(column) != columns.end(); ++column)
        widest = std::max(widest, *std::next(column) - *column - 1);
    return widest;
}

std::vector<std::string> wordsOf(const std::string& text) {
    std::vector<std::string> words;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t space = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, space - start));
        start = space + 1;
    }
    return words;
}

TEST_F(InterfaceLetters, WordsStandApartAndLettersThatJoinOthersKeepClear) {
    // An "r" or an "l" and the letter after it, an apostrophe and both its neighbours keep a blank
    // column between their inks, and a word space leaves at least two, more than inside any word.
    for (const FontRef& font : fontsDrawnWith()) {
        ASSERT_TRUE(font);
        if (fixedPitch(*font))
            continue;
        int widestInWord = 0, narrowestSpace = INT_MAX;
        std::string widestWord, narrowestAt;
        for (const std::string& text : kTextsMet) {
            for (const std::string& word : wordsOf(text))
                if (const int blank = widestBlankInside(drawnInk(font, word)); blank > widestInWord) {
                    widestInWord = blank;
                    widestWord = word;
                }
            for (std::size_t i = 0; i + 1 < text.size(); ++i) {
                if (text[i] == ' ') {
                    const std::optional<int> blank = blankColumnsAt(font, text, i, 1);
                    ASSERT_TRUE(blank)
                        << "\"" << text << "\" is not drawn as its words in " << described(*font);
                    if (*blank < narrowestSpace) {
                        narrowestSpace = *blank;
                        narrowestAt = text.substr(0, i) + "|" + text.substr(i + 1);
                    }
                } else if (((text[i] == 'r' || text[i] == 'l') &&
                            std::isalpha(static_cast<unsigned char>(text[i + 1]))) ||
                           text[i] == '\'' || text[i + 1] == '\'') {
                    const std::optional<int> blank = blankColumnsAt(font, text, i + 1, 0);
                    ASSERT_TRUE(blank)
                        << "\"" << text << "\" is not drawn as its letters in " << described(*font);
                    EXPECT_GE(*blank, 1)
                        << text.substr(i, 2) << " of \"" << text << "\" run together in " << described(*font);
                }
            }
        }
        EXPECT_GE(narrowestSpace, 2) << "at \"" << narrowestAt << "\" in " << described(*font);
        EXPECT_GT(narrowestSpace, widestInWord)
            << "\"" << narrowestAt << "\" against \"" << widestWord << "\" in " << described(*font);
    }
}

// The characters of the French texts, each of which must read as itself.
const std::string kFrenchCharacters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
    "\xE0\xE2\xE4\xE7\xE9\xE8\xEA\xEB\xEE\xEF\xF4\xF6\xF9\xFB\xFC\xFF\x9C\x8C\x80\xAB\xBB\xB0"
    "\xC0\xC2\xC4\xC7\xC9\xC8\xCA\xCB\xCE\xCF\xD4\xD6\xD9\xDB\xDC\x9F";

TEST_F(InterfaceLetters, TheSmallFacesAreDrawnFromStrikesMadeForTheirSize) {
    // An outline cut to one bit at these sizes loses strokes, eyes and spacing; a strike is drawn
    // for its size (no scalable face: the pitch bits say so).
    for (const FontRef& font : smallFaces()) {
        ASSERT_TRUE(font);
        EXPECT_EQ(font->metrics().pitchAndFamily & 4, 0) << described(*font) << " is drawn from outlines";
    }
}

TEST_F(InterfaceLetters, EveryCharacterOfTheFrenchTextsHasAShapeOfItsOwn) {
    // "S1" read "51", "\xE0" a closed box, "Il" one bar twice: no two characters draw the same ink.
    for (const FontRef& font : smallFaces())
        for (std::size_t a = 0; a < kFrenchCharacters.size(); ++a) {
            const auto first = static_cast<std::uint8_t>(kFrenchCharacters[a]);
            ASSERT_GT(font->glyph(first).width, 0) << kFrenchCharacters[a] << " in " << described(*font);
            for (std::size_t b = a + 1; b < kFrenchCharacters.size(); ++b)
                EXPECT_NE(inkOf(font->glyph(first)),
                          inkOf(font->glyph(static_cast<std::uint8_t>(kFrenchCharacters[b]))))
                    << kFrenchCharacters[a] << " and " << kFrenchCharacters[b] << " look alike in "
                    << described(*font);
        }
}

TEST_F(InterfaceLetters, NoTwoLettersOfAWordTouchAndSmallLettersStandOnOneHeight) {
    // "Vitesse" fused "it", "attente" its "tt", "rn" read "m": side by side, no pixel of a letter
    // touches one of the next, even at a corner; and no small letter stands above the others
    // ("missiOn").
    const std::string xHeightLetters = "acemnorsuvwxz";
    for (const FontRef& font : smallFaces()) {
        const int xHeight = font->glyph('x').top;
        for (const char c : xHeightLetters)
            EXPECT_EQ(font->glyph(static_cast<std::uint8_t>(c)).top, xHeight)
                << c << " in " << described(*font);
        std::map<char, std::set<std::pair<int, int>>> inks;
        for (const char c : kFrenchCharacters)
            inks[c] = inkOf(font->glyph(static_cast<std::uint8_t>(c)));
        for (const char a : kFrenchCharacters)
            for (const char b : kFrenchCharacters) {
                const std::string pair{a, b};
                const int step = font->penAt(pair, 1);
                const bool touch = std::any_of(inks[a].begin(), inks[a].end(), [&](const auto& p) {
                    for (int dx = -1; dx <= 1; ++dx)
                        for (int dy = -1; dy <= 1; ++dy)
                            if (inks[b].count({p.first + dx - step, p.second + dy}))
                                return true;
                    return false;
                });
                EXPECT_FALSE(touch) << pair << " touch in " << described(*font);
            }
    }
}

TEST_F(InterfaceLetters, AFixedPitchFaceKeepsItsPitch) {
    int fixed = 0;
    // The readouts' fixed-pitch face also at a size its strikes do not draw, from its outlines.
    LogFont larger = appInterfaceFont(1)->description();
    larger.height = -13;
    std::vector<FontRef> fonts = fontsDrawnWith();
    fonts.push_back(Font::create(larger));
    for (const FontRef& font : fonts) {
        ASSERT_TRUE(font);
        if (!fixedPitch(*font))
            continue;
        ++fixed;
        const int pitch = font->glyph('M').advance;
        for (const std::string& text : kTextsMet)
            EXPECT_EQ(font->textWidth(text), static_cast<int>(text.size()) * pitch)
                << "\"" << text << "\" in " << described(*font);
        // Pairs the spacing of proportional faces would pull apart: figures, "r" and "l" before a
        // letter, an apostrophe, and words whose inks a word space would keep further apart.
        for (const std::string text : {"4973 498 rn", "l'eau", "R T", "R W", "Il faut"})
            EXPECT_EQ(font->textWidth(text), static_cast<int>(text.size()) * pitch)
                << "\"" << text << "\" in " << described(*font);
    }
    EXPECT_GE(fixed, 1) << "the readouts' monospaced face is among the fonts";
}

} // namespace
} // namespace q71
