// Strike files and the fonts drawn from their strikes: the bytes of the file, what a damaged file
// gives, which strike draws the font a program asks for, and text drawn from a strike.
#include "platform/files/little_endian.h"
#include "platform/gdi/font.h"
#include "platform/gdi/strike_file.h"
#include "platform/gdi/strike_set.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace q71 {
namespace {

// A glyph from rows of "#" and ".", its top row `top` rows above the baseline, its ink from the pen.
Glyph glyphOf(int advance, int top, const std::vector<std::string>& rows) {
    Glyph glyph;
    glyph.advance = advance;
    glyph.top = top;
    glyph.height = static_cast<int>(rows.size());
    glyph.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    for (const std::string& row : rows)
        for (char c : row)
            glyph.mask.push_back(c == '#');
    return glyph;
}

// A strike of three characters: a box for those it lacks, an "H" and a blank space.
Strike smallStrike(const std::string& face, int weight, int pixels, int ascent = 7, int descent = 2) {
    Strike strike;
    strike.face = face;
    strike.weight = weight;
    strike.pixels = pixels;
    strike.ascent = ascent;
    strike.descent = descent;
    strike.glyphs = {{0, glyphOf(4, 3, {"###", "#.#", "###"})},
                     {U' ', glyphOf(2, 0, {})},
                     {U'H', glyphOf(5, 5, {"#..#", "#..#", "####", "#..#", "#..#"})}};
    for (StrikeGlyph& g : strike.glyphs)
        g.glyph.left = g.glyph.width ? 1 : 0;
    return strike;
}

std::span<const std::uint8_t> bytesOf(const std::vector<std::uint8_t>& bytes) {
    return {bytes.data(), bytes.size()};
}

TEST(StrikeFile, TheBytesLieWhereTheLayoutPutsThem) {
    const std::vector<std::uint8_t> file = strikeFileEncode({smallStrike("Face", 700, 9, 7, 2)});
    ASSERT_GE(file.size(), 24u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 8), "q71strk1");
    EXPECT_EQ(loadLe16(&file[8]), 1); // strikes
    EXPECT_EQ(file[10], 4);           // name length
    EXPECT_EQ(std::string(file.begin() + 11, file.begin() + 15), "Face");
    EXPECT_EQ(loadLe16(&file[15]), 700); // weight
    EXPECT_EQ(file[17], 9);              // pixels
    EXPECT_EQ(file[18], 7);              // ascent
    EXPECT_EQ(file[19], 2);              // descent
    EXPECT_EQ(file[20], 0);              // flags
    EXPECT_EQ(loadLe16(&file[21]), 3);   // glyphs
    // The first glyph: character 0, advance 4, left 1, top 3, 3 by 3, rows of one byte each.
    EXPECT_EQ(loadLe32(&file[23]), 0u);
    EXPECT_EQ(file[27], 4);
    EXPECT_EQ(file[28], 1);
    EXPECT_EQ(file[29], 3);
    EXPECT_EQ(file[30], 3);
    EXPECT_EQ(file[31], 3);
    EXPECT_EQ(file[32], 0xE0); // ###
    EXPECT_EQ(file[33], 0xA0); // #.#
    EXPECT_EQ(file[34], 0xE0); // ###
}

TEST(StrikeFile, WhatIsWrittenReadsBackTheSame) {
    Strike fixed = smallStrike("Mono", 400, 11, 9, 3);
    fixed.fixedPitch = true;
    const std::vector<Strike> strikes = {smallStrike("Face", 700, 9), fixed};
    std::string error;
    const auto read = strikeFileDecode(bytesOf(strikeFileEncode(strikes)), error);
    ASSERT_TRUE(read) << error;
    ASSERT_EQ(read->size(), 2u);
    for (std::size_t s = 0; s < 2; ++s) {
        const Strike& a = strikes[s];
        const Strike& b = (*read)[s];
        EXPECT_EQ(b.face, a.face);
        EXPECT_EQ(b.weight, a.weight);
        EXPECT_EQ(b.pixels, a.pixels);
        EXPECT_EQ(b.ascent, a.ascent);
        EXPECT_EQ(b.descent, a.descent);
        EXPECT_EQ(b.fixedPitch, a.fixedPitch);
        ASSERT_EQ(b.glyphs.size(), a.glyphs.size());
        for (std::size_t g = 0; g < a.glyphs.size(); ++g) {
            EXPECT_EQ(b.glyphs[g].character, a.glyphs[g].character);
            EXPECT_EQ(b.glyphs[g].glyph.advance, a.glyphs[g].glyph.advance);
            EXPECT_EQ(b.glyphs[g].glyph.left, a.glyphs[g].glyph.left);
            EXPECT_EQ(b.glyphs[g].glyph.top, a.glyphs[g].glyph.top);
            EXPECT_EQ(b.glyphs[g].glyph.mask, a.glyphs[g].glyph.mask);
        }
    }
}

TEST(StrikeFile, ADamagedFileIsRefusedWithItsReason) {
    const std::vector<std::uint8_t> whole = strikeFileEncode({smallStrike("Face", 400, 9)});
    std::string error;
    // Cut short anywhere.
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(strikeFileDecode(bytesOf(cut), error)) << "cut at " << size;
        EXPECT_FALSE(error.empty());
    }
    // Bytes after the last strike.
    std::vector<std::uint8_t> longer = whole;
    longer.push_back(0);
    EXPECT_FALSE(strikeFileDecode(bytesOf(longer), error));
    EXPECT_NE(error.find("after its last strike"), std::string::npos) << error;

    const auto refused = [&](const Strike& strike) {
        return !strikeFileDecode(bytesOf(strikeFileEncode({strike})), error);
    };
    Strike tall = smallStrike("Face", 400, 9);
    tall.glyphs[2].glyph.top = 8; // above the ascent of 7
    EXPECT_TRUE(refused(tall));
    Strike deep = smallStrike("Face", 400, 9);
    deep.glyphs[2].glyph.top = 1; // five rows from row 1 reach four below the baseline
    EXPECT_TRUE(refused(deep));
    Strike unordered = smallStrike("Face", 400, 9);
    std::swap(unordered.glyphs[1], unordered.glyphs[2]);
    EXPECT_TRUE(refused(unordered));
    Strike empty = smallStrike("Face", 400, 9);
    empty.glyphs.clear();
    EXPECT_TRUE(refused(empty));
    EXPECT_TRUE(refused(smallStrike("Face\n", 400, 9)));
    EXPECT_TRUE(refused(smallStrike("", 400, 9)));
    EXPECT_TRUE(refused(smallStrike("Face", 0, 9)));
    EXPECT_TRUE(refused(smallStrike("Face", 400, 0)));
    EXPECT_FALSE(strikeFileDecode(bytesOf(strikeFileEncode({})), error)) << "a file of no strike";
    EXPECT_FALSE(strikeFileLooksLikeOne(bytesOf(std::vector<std::uint8_t>{'q', '7', '1'})));
}

TEST(StrikeFile, ACharacterTheStrikeLacksTakesTheGlyphOfCharacterZero) {
    Strike strike = smallStrike("Face", 400, 9);
    ASSERT_NE(strike.glyphFor(U'H'), nullptr);
    EXPECT_EQ(strike.glyphFor(U'H')->advance, 5);
    EXPECT_EQ(strike.glyphFor(U'Z'), &strike.glyphs.front().glyph);
    strike.glyphs.erase(strike.glyphs.begin());
    EXPECT_EQ(strike.glyphFor(U'Z'), nullptr);
}

LogFont asked(const std::string& face, int height, int weight = kFontWeightNormal) {
    LogFont description;
    description.faceName = face;
    description.height = height;
    description.weight = weight;
    return description;
}

TEST(StrikeSet, TheFaceWeightAndSizeAskedChooseTheStrike) {
    StrikeSet set;
    EXPECT_EQ(
        set.add("a.strikes", {smallStrike("Narrow", 400, 9, 7, 2), smallStrike("Narrow", 400, 13, 11, 3),
                              smallStrike("Narrow", 700, 11, 9, 2)}),
        3);
    const auto pixelsOf = [&](const LogFont& description) {
        const auto strike = set.choose(description);
        return strike ? strike->pixels : 0;
    };
    EXPECT_EQ(pixelsOf(asked("Narrow", -9)), 9);
    EXPECT_EQ(pixelsOf(asked("NARROW", -13, 500)), 13) << "names in any case; 500 is not bold";
    EXPECT_EQ(pixelsOf(asked("Narrow", -11, 700)), 11);
    EXPECT_EQ(pixelsOf(asked("Narrow", -12)), 9) << "between two strikes: the nearest smaller";
    EXPECT_EQ(pixelsOf(asked("Narrow", -14)), 0) << "above the largest: outlines";
    EXPECT_EQ(pixelsOf(asked("Narrow", -8)), 0) << "below the smallest: outlines";
    EXPECT_EQ(pixelsOf(asked("Narrow", -13, 700)), 0) << "no bold strike that large";
    EXPECT_EQ(pixelsOf(asked("Wide", -9)), 0);
    LogFont italic = asked("Narrow", -9);
    italic.italic = true;
    EXPECT_EQ(pixelsOf(italic), 0);
    EXPECT_EQ(pixelsOf(asked("Narrow", 14)), 13) << "a positive height is the cell's";
    EXPECT_EQ(pixelsOf(asked("Narrow", 10)), 9);
}

TEST(StrikeSet, AFileAddedTwiceStaysUntilWithdrawnTwice) {
    StrikeSet set;
    EXPECT_EQ(set.addAgain("a.strikes"), 0) << "not added yet";
    set.add("a.strikes", {smallStrike("Narrow", 400, 9)});
    EXPECT_EQ(set.addAgain("a.strikes"), 1);
    EXPECT_TRUE(set.remove("a.strikes"));
    EXPECT_TRUE(set.choose(asked("Narrow", -9)));
    EXPECT_TRUE(set.remove("a.strikes"));
    EXPECT_FALSE(set.choose(asked("Narrow", -9)));
    EXPECT_FALSE(set.remove("a.strikes"));
}

class StrikeFonts : public ::testing::Test {
protected:
    StrikeFonts() {
        Strike strike = smallStrike("Strike Test Face", 400, 9, 7, 2);
        const std::vector<std::uint8_t> bytes = strikeFileEncode({strike});
        file_ = folder_.write("faces.strikes", std::string(bytes.begin(), bytes.end()));
        EXPECT_EQ(addFontResource(file_), 1);
    }
    ~StrikeFonts() override { EXPECT_TRUE(removeFontResource(file_)); }

    test::TempDir folder_;
    std::string file_;
};

TEST_F(StrikeFonts, AFontDrawnFromAStrikeHasItsCellAndItsOwnAdvances) {
    const FontRef font = Font::create(asked("Strike Test Face", -9));
    ASSERT_TRUE(font);
    EXPECT_EQ(font->familyName(), "Strike Test Face");
    EXPECT_EQ(font->metrics().ascent, 7);
    EXPECT_EQ(font->metrics().descent, 2);
    EXPECT_EQ(font->metrics().height, 9);
    EXPECT_EQ(font->metrics().pitchAndFamily & 4, 0) << "no scalable face";
    // No spacing rule moves a strike's letters: a space and two H are their advances.
    EXPECT_EQ(font->textWidth("H H"), 5 + 2 + 5);
    EXPECT_EQ(font->textWidth("HH"), 10);
    EXPECT_EQ(font->glyph('Z').advance, 4) << "the box of a lacking character";
    // A size the strike does not draw is the outlines'.
    const FontRef larger = Font::create(asked("Strike Test Face", -20));
    ASSERT_TRUE(larger);
    EXPECT_NE(larger->familyName(), "Strike Test Face");
}

TEST_F(StrikeFonts, ADamagedFileAddsNothing) {
    const std::string damaged = folder_.write("damaged.strikes", "q71strk1\x01");
    EXPECT_EQ(addFontResource(damaged), 0);
    EXPECT_FALSE(removeFontResource(damaged));
}

TEST(FontFitting, AOneLineTextTooWideTakesTheNearestSmallerSizeThatFits) {
    LogFont description = asked("Liberation Sans", -16);
    const FontRef font = Font::create(description);
    ASSERT_TRUE(font);
    const std::string text = "Immersion de destruction";
    const int width = font->textWidth(text);
    EXPECT_EQ(fontFitting(font, text, width), font) << "a text that fits keeps its font";
    const FontRef smaller = fontFitting(font, text, width - 20);
    ASSERT_TRUE(smaller);
    EXPECT_LE(smaller->textWidth(text), width - 20);
    EXPECT_EQ(smaller->description().faceName, "Liberation Sans");
    EXPECT_LT(-smaller->description().height, 16);
    // The next size up would not have fitted: the nearest smaller one is taken.
    description.height = smaller->description().height - 1;
    EXPECT_GT(Font::create(description)->textWidth(text), width - 20);
    // Nothing fits in no room: the smallest size tried, never none.
    EXPECT_TRUE(fontFitting(font, text, 0));
}

} // namespace
} // namespace q71
