// The shape of a glyph's ink: its strokes and eyes, counted on masks drawn by hand.
#include "platform/gdi/glyph_shape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace q71 {
namespace {

// A glyph from rows of '#' (ink) and '.' (clear).
Glyph drawn(const std::vector<std::string>& rows) {
    Glyph glyph;
    glyph.height = static_cast<int>(rows.size());
    glyph.width = static_cast<int>(rows.front().size());
    for (const std::string& row : rows)
        for (char c : row)
            glyph.mask.push_back(c == '#' ? 1 : 0);
    return glyph;
}

TEST(GlyphShape, AFiveHasNoEyeWhereASixHasOne) {
    const Glyph five = drawn({"####", "#...", "###.", "...#", "...#", "###."});
    const Glyph six = drawn({".##.", "#...", "###.", "#..#", "#..#", ".##."});
    EXPECT_EQ(glyphShapeOf(five, 1), (GlyphShape{1, 0}));
    EXPECT_EQ(glyphShapeOf(six, 1), (GlyphShape{1, 1}));
}

TEST(GlyphShape, StrokesMeetingAtACornerAreOneAndStillCloseAnEye) {
    // A diamond drawn with corner steps only: one stroke around one eye.
    const Glyph diamond = drawn({".#.", "#.#", ".#."});
    EXPECT_EQ(glyphShapeOf(diamond, 1), (GlyphShape{1, 1}));
    // An "i": the dot apart from the stem.
    const Glyph i = drawn({"#", ".", "#", "#"});
    EXPECT_EQ(glyphShapeOf(i, 1), (GlyphShape{2, 0}));
}

TEST(GlyphShape, EyesSmallerThanTheLeastAreNoEyes) {
    const Glyph o = drawn({"####", "#..#", "#..#", "####"});
    EXPECT_EQ(glyphShapeOf(o, 4).eyes, 1);
    EXPECT_EQ(glyphShapeOf(o, 5).eyes, 0);
    EXPECT_EQ(glyphShapeOf(Glyph{}, 1), (GlyphShape{0, 0}));
}

TEST(GlyphShape, FillingSmallEyesClosesPinholesAndKeepsTheBowl) {
    // A 9 with a pinhole where its bowl meets its stem.
    Glyph nine = drawn({".###.", "#...#", "#...#", ".####", ".#.##", "..###", ".###."});
    ASSERT_EQ(glyphShapeOf(nine, 1).eyes, 2);
    EXPECT_TRUE(fillEyesSmallerThan(nine, 2));
    EXPECT_EQ(glyphShapeOf(nine, 1), (GlyphShape{1, 1}));
    EXPECT_EQ(nine.mask[static_cast<std::size_t>(4 * 5 + 2)], 1);
    EXPECT_FALSE(fillEyesSmallerThan(nine, 2));
}

} // namespace
} // namespace q71
