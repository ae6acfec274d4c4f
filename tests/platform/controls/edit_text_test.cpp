#include "platform/controls/edit_text.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

EditText withText(std::string_view text) {
    EditText t;
    t.setText(text);
    return t;
}

TEST(EditText, TypingReplacesTheSelectionAndLeavesTheCaretAfterIt) {
    EditText t = withText("immersion");
    t.select(2, 8);
    EXPECT_TRUE(t.replaceSelection("--"));
    EXPECT_EQ(t.text(), "im--n");
    EXPECT_EQ(t.caret(), 4u);
    EXPECT_FALSE(t.hasSelection());
}

TEST(EditText, TheLimitCutsTypingShortButNeverTheTextAlreadyThere) {
    EditText t;
    t.setLimit(5);
    EXPECT_TRUE(t.replaceSelection("relev"));
    EXPECT_FALSE(t.replaceSelection("x"));
    EXPECT_EQ(t.text(), "relev");
    t.moveCaret(2, false);
    t.moveCaret(4, true);
    EXPECT_TRUE(t.replaceSelection("xyz")); // two freed, two fit
    EXPECT_EQ(t.text(), "rexyv");
    t.setText("plus long que la limite");
    EXPECT_EQ(t.text(), "plus long que la limite");
    t.select(0, 4);
    // Nothing of the typing fits: the selection stays as it was.
    EXPECT_FALSE(t.replaceSelection("a"));
    EXPECT_EQ(t.text(), "plus long que la limite");
    EXPECT_TRUE(t.hasSelection());
    t.setLimit(0);
    t.moveCaret(t.text().size(), false);
    EXPECT_TRUE(t.replaceSelection(" encore"));
}

TEST(EditText, SelectFollowsTheRulesOfEmSetSel) {
    EditText t = withText("cap 270");
    t.select(0, -1);
    EXPECT_EQ(t.selectionStart(), 0u);
    EXPECT_EQ(t.selectionEnd(), 7u);
    t.select(5, 2); // backwards: the caret is at the end given
    EXPECT_EQ(t.selectionStart(), 2u);
    EXPECT_EQ(t.caret(), 2u);
    EXPECT_EQ(t.anchor(), 5u);
    t.select(-1, 0);
    EXPECT_FALSE(t.hasSelection());
    EXPECT_EQ(t.caret(), 2u);
    t.select(3, 99);
    EXPECT_EQ(t.selectionEnd(), 7u);
}

TEST(EditText, BackspaceAndDeleteTakeTheSelectionOrOneCharacter) {
    EditText t = withText("vitesse");
    EXPECT_FALSE(t.eraseBackward()); // at the start
    t.moveCaret(7, false);
    EXPECT_FALSE(t.eraseForward()); // at the end
    EXPECT_TRUE(t.eraseBackward());
    EXPECT_EQ(t.text(), "vitess");
    t.moveCaret(0, false);
    EXPECT_TRUE(t.eraseForward());
    EXPECT_EQ(t.text(), "itess");
    t.select(1, 4);
    EXPECT_TRUE(t.eraseForward());
    EXPECT_EQ(t.text(), "is");
    EXPECT_EQ(t.caret(), 1u);
}

} // namespace
} // namespace q71
