#include "framework/app/key_matching.h"
#include "support/text_fixture.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

TEST(KeyMatching, EachCategoryMatchesItsKindOfRecord) {
    test::TextFixture texts("506\t64\n525\t64\n");
    const KeyBinding ctrlQ{kKeyCtrl, 'Q'}, plainQ{kKeyPlain, 'q'}, altM{kKeyAlt, 'm'}, f10{kKeySpecial, 0x79};
    EXPECT_TRUE(appKeyMatches(17, kKeyCtrlChar, ctrlQ)) << "Ctrl+Q delivers character 17";
    EXPECT_TRUE(appKeyMatches(17, kKeyCtrlShiftChar, ctrlQ));
    EXPECT_FALSE(appKeyMatches(17, kKeyChar, ctrlQ));
    EXPECT_FALSE(appKeyMatches('Q', kKeyCtrlChar, ctrlQ));

    EXPECT_TRUE(appKeyMatches('q', kKeyChar, plainQ));
    EXPECT_TRUE(appKeyMatches('q', kKeyDeadChar, plainQ));
    EXPECT_TRUE(appKeyMatches('q', kKeySysDeadChar, plainQ));
    EXPECT_FALSE(appKeyMatches('Q', kKeyChar, plainQ)) << "characters match exactly";
    EXPECT_FALSE(appKeyMatches('q', kKeySysChar, plainQ));

    EXPECT_TRUE(appKeyMatches('m', kKeySysChar, altM));
    EXPECT_FALSE(appKeyMatches('m', kKeyChar, altM));

    EXPECT_TRUE(appKeyMatches(0x79, kKeySpecialDown, f10));
    EXPECT_FALSE(appKeyMatches(0x79, kKeyChar, f10));
    EXPECT_FALSE(appKeyMatches(0x79, 7, f10));
}

TEST(KeyMatching, CtrlOffsetsAreReadFromTheirTexts) {
    test::TextFixture texts("506\t64\n525\t32\n");
    const KeyBinding ctrlQ{kKeyCtrl, 'Q'};
    EXPECT_TRUE(appKeyMatches(17, kKeyCtrlChar, ctrlQ));
    EXPECT_FALSE(appKeyMatches(17, kKeyCtrlShiftChar, ctrlQ));
    EXPECT_TRUE(appKeyMatches('Q' - 32, kKeyCtrlShiftChar, ctrlQ));
}

TEST(KeyMatching, CharactersAboveAsciiCompareAsSignedBytes) {
    test::TextFixture texts("1\t\xC3\xA9\n"); // é
    KeyBinding e;
    textGetKeyBinding(1, e);
    EXPECT_EQ(e.kind, kKeyPlain);
    EXPECT_TRUE(appKeyMatches(static_cast<int8_t>(0xE9), kKeyChar, e));
}

TEST(DismissKeys, EscAndSpaceAsCharactersEnterAsKeyDown) {
    EXPECT_TRUE(appIsDismissKey(27, kKeyChar));
    EXPECT_TRUE(appIsDismissKey(32, kKeyChar));
    EXPECT_FALSE(appIsDismissKey(13, kKeyChar));
    EXPECT_TRUE(appIsDismissKey(13, kKeySpecialDown));
    EXPECT_FALSE(appIsDismissKey(27, kKeySpecialDown));
    EXPECT_TRUE(appIsDismissKeyDown(32));
    EXPECT_FALSE(appIsDismissKeyDown(13));
}

} // namespace
} // namespace q71
