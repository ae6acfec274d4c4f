#include "framework/textmngr/text_manager.h"
#include "support/text_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace q71 {
namespace {

const char* kTable = "10\tCap %03d, vitesse %d n\xC5\x93uds\n"
                     "11\tContact %s \xC3\xA0 %.1f yards\n"
                     "12\t%d%%\n"
                     "486\t1 oui\n"
                     "489\tAlt+\n"
                     "490\tCtrl+\n"
                     "491\tCtrl+Q\n"
                     "492\tAlt+m\n"
                     "493\tf10\n"
                     "494\tQ\n"
                     "495\tescape\n";

TEST(TextLookup, MissingIdsGiveAnEmptyStringAndOverwriteTheBuffer) {
    test::TextFixture texts(kTable);
    const char* first = textGetString(494);
    EXPECT_STREQ(first, "Q");
    const char* missing = textGetString(9999);
    EXPECT_EQ(missing, first) << "one shared buffer";
    EXPECT_STREQ(missing, "");
}

TEST(TextLookup, NothingIsLoadedBeforeOpenOrAfterClose) {
    textClose();
    EXPECT_EQ(textGetString(1), nullptr);
    char buffer[16] = "junk";
    textFormat(buffer, 10, 1, 2);
    EXPECT_STREQ(buffer, "");
}

TEST(TextLookup, AMissingTableFailsToOpen) {
    test::TempDir empty;
    test::DataFolderSwitch data(empty.path().string());
    textClose();
    testing::internal::CaptureStderr();
    EXPECT_EQ(textOpen(), 0);
    std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_NE(shown.find("Le chargement du texte en fran\xC3\xA7" "ais"), std::string::npos) << shown;
    // Where it was looked for, and what to do.
    EXPECT_NE(shown.find(empty.path().string() + "/textdllf.txt"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Q71_DATA"), std::string::npos) << shown;
    EXPECT_NE(shown.find("scripts/play"), std::string::npos) << shown;
    EXPECT_EQ(textGetString(1), nullptr);
}

TEST(TextLookup, ADamagedTableNamesFileAndLine) {
    test::TempDir dir;
    dir.write("textdllf.txt", "1\tun\nzwei\n");
    test::DataFolderSwitch data(dir.path().string());
    textClose();
    testing::internal::CaptureStderr();
    EXPECT_EQ(textOpen(), 0);
    std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_NE(shown.find("textdllf.txt:2:"), std::string::npos) << shown;
}

TEST(CheckedFormat, FormatsWithTheTableTextInWindows1252) {
    test::TextFixture texts(kTable);
    char buffer[64];
    textFormat(buffer, 10, 45, 12);
    EXPECT_STREQ(buffer, "Cap 045, vitesse 12 n\x9C" "uds");
    textFormat(buffer, 11, "S7", 1234.56);
    EXPECT_STREQ(buffer, "Contact S7 \xE0 1234.6 yards");
    textFormat(buffer, 12, 50);
    EXPECT_STREQ(buffer, "50%");
}

TEST(CheckedFormat, RefusesConversionsThatDoNotMatchTheArguments) {
    test::TextFixture texts(kTable);
    char buffer[64];
    textFormat(buffer, 10, 45);           // too few
    EXPECT_STREQ(buffer, "");
    textFormat(buffer, 10, 45, 12, 3);    // too many
    EXPECT_STREQ(buffer, "");
    textFormat(buffer, 11, 7, 1.0);       // a number for %s
    EXPECT_STREQ(buffer, "");
    textFormat(buffer, 11, "S7", 3);      // an integer for %f
    EXPECT_STREQ(buffer, "");
    textFormat(buffer, 9999, 1);          // missing text, extra argument
    EXPECT_STREQ(buffer, "");
}

TEST(CheckedFormat, NeverWritesPastTheBuffer) {
    char small[8];
    std::memset(small, 'x', sizeof small);
    EXPECT_TRUE(formatCheckedArgs(std::span<char>(small, 6), "%s and %d", "abcdefgh", 42));
    EXPECT_STREQ(small, "abcde");
    EXPECT_EQ(small[6], 'x');
    EXPECT_EQ(small[7], 'x');
    char wide[8];
    EXPECT_TRUE(formatCheckedArgs(wide, "%05d", 42));
    EXPECT_STREQ(wide, "00042");
}

TEST(CheckedFormat, ANameAfterDeIsElidedBeforeAVowelOrAnH) {
    char line[64];
    const std::pair<const char*, const char*> cases[] = {
        {"Orque", "D\xE9g\xE2ts \xE0 bord d'Orque."},
        {"\xC9paulard", "D\xE9g\xE2ts \xE0 bord d'\xC9paulard."},
        {"Hercule", "D\xE9g\xE2ts \xE0 bord d'Hercule."},
        {"Kilo", "D\xE9g\xE2ts \xE0 bord de Kilo."},
        {"", "D\xE9g\xE2ts \xE0 bord de ."},
    };
    for (const auto& [name, told] : cases) {
        EXPECT_TRUE(formatCheckedArgs(line, "D\xE9g\xE2ts \xE0 bord de %s.", name));
        EXPECT_STREQ(line, told) << name;
    }
    // Only the word "de", at the start of the text too; the text's own words stay as written.
    EXPECT_TRUE(formatCheckedArgs(line, "De %s", "Aden"));
    EXPECT_STREQ(line, "D'Aden");
    EXPECT_TRUE(formatCheckedArgs(line, "Inde %s, de 8 n\x9Cuds", "Ouest"));
    EXPECT_STREQ(line, "Inde Ouest, de 8 n\x9Cuds");
    EXPECT_TRUE(formatCheckedArgs(line, "de %s et de %s", "Akula", "Oscar"));
    EXPECT_STREQ(line, "d'Akula et d'Oscar");
}

TEST(CheckedFormat, RejectsDangerousConversions) {
    char buffer[32];
    int target = 0;
    EXPECT_FALSE(formatCheckedArgs(buffer, "%n", target));
    EXPECT_FALSE(formatCheckedArgs(buffer, "%*d", 3, 4));
    EXPECT_FALSE(formatCheckedArgs(buffer, "%99999d", 1));
    EXPECT_STREQ(buffer, "");
}

TEST(KeyBindingParsing, PrefixesNamedKeysAndPlainCharacters) {
    test::TextFixture texts(kTable);
    KeyBinding k;
    textGetKeyBinding(491, k);
    EXPECT_EQ(k.kind, kKeyCtrl);
    EXPECT_EQ(k.key, 'Q');
    textGetKeyBinding(492, k);
    EXPECT_EQ(k.kind, kKeyAlt);
    EXPECT_EQ(k.key, 'm');
    textGetKeyBinding(493, k);
    EXPECT_EQ(k.kind, kKeySpecial);
    EXPECT_EQ(k.key, 0x79);
    textGetKeyBinding(495, k);
    EXPECT_EQ(k.kind, kKeySpecial);
    EXPECT_EQ(k.key, 0x1B);
    textGetKeyBinding(494, k);
    EXPECT_EQ(k.kind, kKeyPlain);
    EXPECT_EQ(k.key, 'Q');
    textGetKeyBinding(9999, k); // no text: a plain NUL key that no event matches
    EXPECT_EQ(k.kind, kKeyPlain);
    EXPECT_EQ(k.key, 0);
}

TEST(TextSwitches, ToolTipsAndPlayerColours) {
    {
        test::TextFixture texts(kTable);
        EXPECT_TRUE(textToolTipsEnabled());
    }
    {
        test::TextFixture texts("486\t0\n");
        EXPECT_FALSE(textToolTipsEnabled());
    }
    EXPECT_EQ(playerColour(0), 0x0000FFu);
    EXPECT_EQ(playerColour(8), 0x0000FFu);
    EXPECT_EQ(playerColour(-1), 0x009966u);
    EXPECT_EQ(playerColour(-9), 0x009966u);
    EXPECT_EQ(playerColour(3), 0x00CC00u);
}

struct RecordingLog : MessageLogTarget {
    std::vector<std::pair<std::string, uint32_t>> lines;
    int scrolls = 0;
    void addLine(const char* line) override { lines.emplace_back(line, kDefaultLogColour); }
    void addLineColoured(const char* line, uint32_t colour) override { lines.emplace_back(line, colour); }
    void scrollToEnd() override { ++scrolls; }
};

TEST(MessageLog, AddsLinesOnlyWhileOnAndScrollsToTheEnd) {
    test::TextFixture texts(kTable);
    RecordingLog log;
    msgLogAdd("before");
    msgLogSetTarget(false, &log);
    msgLogAdd("off");
    msgLogPrintf("off %d", 1);
    EXPECT_TRUE(log.lines.empty());

    msgLogSetTarget(true, &log);
    msgLogAdd("un");
    msgLogAddColoured(0x00FF00, "deux");
    msgLogAdd(nullptr);
    msgLogPrintf("trois %d", 3);
    msgLogPrintfId(10, 90, 5);
    ASSERT_EQ(log.lines.size(), 4u);
    EXPECT_EQ(log.lines[0], std::make_pair(std::string("un"), kDefaultLogColour));
    EXPECT_EQ(log.lines[1], std::make_pair(std::string("deux"), 0x00FF00u));
    EXPECT_EQ(log.lines[2].first, "trois 3");
    EXPECT_EQ(log.lines[3].first, "Cap 090, vitesse 5 n\x9C" "uds");
    EXPECT_EQ(log.scrolls, 4);

    msgLogDetach();
    msgLogAdd("after");
    EXPECT_EQ(log.lines.size(), 4u);
}

} // namespace
} // namespace q71
