#include "framework/widgets/text_wrap.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

using Lines = std::vector<std::string>;

// Every character is 10 pixels wide.
Lines wrap(std::string_view text, int width) {
    return wrapTextLines(text, width, [](std::string_view s) { return static_cast<int>(s.size()) * 10; });
}

TEST(TextWrap, ALineBreaksAtItsLastSpaceThatLeavesAFittingHead) {
    EXPECT_EQ(wrap("the quick brown fox", 100), (Lines{"the quick", "brown fox"}));
    EXPECT_EQ(wrap("cap au nord", 200), (Lines{"cap au nord"}));
}

TEST(TextWrap, ALineWithoutSpacesIsCutIntoHeadsThatFit) {
    EXPECT_EQ(wrap("abcdefghij", 35), (Lines{"abc", "def", "ghi", "j"}));
    EXPECT_EQ(wrap("a verylongword", 50), (Lines{"a", "veryl", "ongwo", "rd"}));
    EXPECT_EQ(wrap("abc", 5), (Lines{"a", "b", "c"})) << "at least one character per line";
    EXPECT_EQ(wrap("radar sonar ", 110), (Lines{"radar sonar"})) << "nothing is left for a next line";
}

TEST(TextWrap, ANumbersGroupsOfFiguresStayOnOneLine) {
    EXPECT_EQ(wrap("plus de 1 000 km", 100), (Lines{"plus de", "1 000 km"}));
    EXPECT_EQ(wrap("1 000 sur 2 000", 100), (Lines{"1 000 sur", "2 000"})) << "a figure on one side only";
    EXPECT_EQ(wrap("12 345 678", 50), (Lines{"12 34", "5 678"})) << "a number wider than the line is cut";
}

TEST(TextWrap, TheMarkerKeepsOnlyWhatStandsBeforeIt) {
    EXPECT_EQ(wrap("abc_#def ghi\nnext", 100), (Lines{"abc", "next"}));
}

TEST(TextWrap, OneBlankLineBetweenTwoLinesIsDroppedTwoGiveOne) {
    EXPECT_EQ(wrap("a\nb", 100), (Lines{"a", "b"}));
    EXPECT_EQ(wrap("a\n\nb", 100), (Lines{"a", "b"}));
    EXPECT_EQ(wrap("a\n\n\nb", 100), (Lines{"a", "", "b"}));
    EXPECT_EQ(wrap("a\n", 100), (Lines{"a"}));
    EXPECT_EQ(wrap("", 100), (Lines{""}));
}

TEST(TextWrap, CarriageReturnsCountAsSpaces) {
    EXPECT_EQ(wrap("cap\r270", 100), (Lines{"cap 270"}));
    EXPECT_EQ(wrap("immersion\r\n200", 100), (Lines{"immersion ", "200"}));
}

} // namespace
} // namespace q71
