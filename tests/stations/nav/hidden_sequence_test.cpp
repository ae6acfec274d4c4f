// The hidden word of the navigation chart: letters in order, in either case; anything else
// starts it again.
#include "stations/nav/hidden_sequence.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

TEST(HiddenSequence, LettersInOrderCompleteTheWordInEitherCase) {
    HiddenSequence word("VRAI");
    EXPECT_EQ(word.feed('v'), HiddenSequence::kAdvanced);
    EXPECT_EQ(word.feed('R'), HiddenSequence::kAdvanced);
    EXPECT_EQ(word.feed('a'), HiddenSequence::kAdvanced);
    EXPECT_EQ(word.position(), 3);
    EXPECT_EQ(word.feed('I'), HiddenSequence::kCompleted);
    EXPECT_EQ(word.position(), 0) << "the next key starts the word again";
}

TEST(HiddenSequence, AWrongKeyStartsAgainAndIsNotTheNextLetter) {
    HiddenSequence word("VRAI");
    word.feed('V');
    word.feed('R');
    EXPECT_EQ(word.feed('V'), HiddenSequence::kReset) << "the first letter out of turn resets too";
    EXPECT_EQ(word.position(), 0);
    EXPECT_EQ(word.feed('R'), HiddenSequence::kReset);
    EXPECT_EQ(word.feed(0), HiddenSequence::kReset);
    EXPECT_EQ(word.feed(-300), HiddenSequence::kReset);
    for (char c : std::string("VRA"))
        word.feed(c);
    EXPECT_EQ(word.feed('x'), HiddenSequence::kReset);
    EXPECT_EQ(word.position(), 0);
}

} // namespace
} // namespace q71
