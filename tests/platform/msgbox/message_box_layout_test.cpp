#include "../gdi/golden.h"

#include "platform/msgbox/message_box_layout.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace q71 {
namespace {

std::vector<int> answers(const MessageBoxLayout& layout) {
    std::vector<int> ids;
    for (const MessageBoxButton& b : layout.buttons())
        ids.push_back(b.id);
    return ids;
}

TEST(MessageBoxLayout, EachStyleHasItsButtonsAndDefault) {
    EXPECT_EQ(answers(MessageBoxLayout("t", "c", kMbOk)), (std::vector<int>{kIdOk}));
    EXPECT_EQ(answers(MessageBoxLayout("t", "c", kMbOkCancel)), (std::vector<int>{kIdOk, kIdCancel}));
    EXPECT_EQ(answers(MessageBoxLayout("t", "c", kMbYesNo)), (std::vector<int>{kIdYes, kIdNo}));
    EXPECT_EQ(answers(MessageBoxLayout("t", "c", kMbYesNoCancel)),
              (std::vector<int>{kIdYes, kIdNo, kIdCancel}));
    EXPECT_EQ(answers(MessageBoxLayout("t", "c", kMbAbortRetryIgnore)),
              (std::vector<int>{kIdAbort, kIdRetry, kIdIgnore}));
    EXPECT_EQ(answers(MessageBoxLayout("t", "c", kMbRetryCancel)), (std::vector<int>{kIdRetry, kIdCancel}));
    EXPECT_EQ(MessageBoxLayout("t", "c", kMbYesNo).defaultButton(), 0);
    EXPECT_EQ(MessageBoxLayout("t", "c", kMbYesNo | kMbDefButton2).defaultButton(), 1);
    // A default past the last button falls back on the last.
    EXPECT_EQ(MessageBoxLayout("t", "c", kMbOk | kMbDefButton3).defaultButton(), 0);
}

TEST(MessageBoxLayout, EscapeAnswersCancelOrALoneOkAndNothingElse) {
    EXPECT_EQ(MessageBoxLayout("t", "c", kMbOk).escapeAnswer(), kIdOk);
    EXPECT_EQ(MessageBoxLayout("t", "c", kMbOkCancel).escapeAnswer(), kIdCancel);
    EXPECT_EQ(MessageBoxLayout("t", "c", kMbYesNoCancel).escapeAnswer(), kIdCancel);
    EXPECT_EQ(MessageBoxLayout("t", "c", kMbYesNo).escapeAnswer(), 0);
    EXPECT_EQ(MessageBoxLayout("t", "c", kMbAbortRetryIgnore).escapeAnswer(), 0);
}

TEST(MessageBoxLayout, MnemonicsAndClicksFindTheirButtons) {
    MessageBoxLayout box("Voulez-vous vraiment quitter le jeu ?", "Quitter Q71", kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(box.buttonForMnemonic('o'), 0);
    EXPECT_EQ(box.buttonForMnemonic('N'), 1);
    EXPECT_EQ(box.buttonForMnemonic('x'), -1);
    const Rect& no = box.buttons()[1].rect;
    EXPECT_EQ(box.buttonAt({no.left, no.top}), 1);
    EXPECT_EQ(box.buttonAt({no.right, no.top}), -1);
    EXPECT_EQ(box.buttonAt({1, 1}), -1);
    // Buttons lie inside the box, side by side, centred (to the pixel an odd width leaves over).
    const Rect& yes = box.buttons()[0].rect;
    EXPECT_LT(yes.right, no.left);
    EXPECT_LE(std::abs(yes.left - (box.width() - no.right)), 1);
    EXPECT_LE(no.bottom, box.height());
}

TEST(MessageBoxLayout, LongTextsWrapAndAnEmptyCaptionReadsErreur) {
    std::string longText(600, 'x');
    for (size_t i = 6; i < longText.size(); i += 7)
        longText[i] = ' ';
    MessageBoxLayout wide(longText, "", kMbOk);
    EXPECT_EQ(wide.caption(), "Erreur");
    EXPECT_LE(wide.width(), 440);
    MessageBoxLayout shortBox("x", "c", kMbOk);
    EXPECT_GT(wide.height(), shortBox.height() + 40);
}

TEST(MessageBoxLayout, BoxesMatchTheirGoldenImages) {
    struct Case {
        const char* name;
        const char* text;
        const char* caption;
        unsigned style;
        int focused, pressed;
    };
    for (const Case& c :
         {Case{"msgbox_question", "Voulez-vous vraiment quitter le jeu ?", "Quitter Q71",
               kMbYesNo | kMbIconQuestion, 0, -1},
          Case{"msgbox_stop",
               "Une erreur inattendue est survenue.\nin skeleton at line 12\nClosing Application", "",
               kMbOk | kMbIconHand, 0, 0},
          Case{"msgbox_warning", "Impossible de passer l'affichage en 640 x 480 en 16 bits.", "Q71",
               kMbOkCancel | kMbIconExclamation, 1, -1},
          Case{"msgbox_information", "Mission termin\xE9\x65.", "Q71", kMbRetryCancel | kMbIconInformation,
               -1, -1}}) {
        MessageBoxLayout box(c.text, c.caption, c.style);
        test::Canvas canvas(box.width(), box.height());
        box.paint(*canvas.dc, c.focused, c.pressed);
        EXPECT_TRUE(test::matchesGolden(*canvas.bitmap, c.name));
    }
}

} // namespace
} // namespace q71
