#include "platform/text/cp1252.h"
#include "platform/text/text_table.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

TEST(Cp1252, ConvertsAccentsAndTheHighControlRange) {
    std::string out;
    size_t bad = 0;
    ASSERT_TRUE(utf8ToCp1252("immersion périscopique – nœuds €", out, bad));
    EXPECT_EQ(out, "immersion p\xE9riscopique \x96 n\x9C" "uds \x80");
    EXPECT_EQ(cp1252ToUtf8(out), "immersion périscopique – nœuds €");
    EXPECT_EQ(cp1252ToUnicode(0x81), U'\x81'); // undefined bytes map to themselves
}

TEST(Cp1252, RefusesCharactersTheCodePageLacksAndBrokenUtf8) {
    std::string out;
    size_t bad = 0;
    EXPECT_FALSE(utf8ToCp1252("cap 045 \xE2\x86\x92 ok", out, bad)); // an arrow
    EXPECT_EQ(bad, 8u);
    EXPECT_FALSE(utf8ToCp1252("abc\xC3", out, bad)); // cut sequence
    EXPECT_EQ(bad, 3u);
    EXPECT_FALSE(utf8ToCp1252("\xC0\x80", out, bad)); // overlong NUL
    EXPECT_FALSE(utf8ToCp1252("\xED\xA0\x80", out, bad)); // surrogate
}

TEST(TextTableParsing, ReadsIdsTextsAndEscapes) {
    TextTable table;
    TextTableError error;
    ASSERT_TRUE(table.parse("# comment\n\n122\tQuitter\r\n340  Deux\\nlignes\\t\\\\\n7\n8\t  espace\n",
                            "t.txt", error))
        << error.describe();
    EXPECT_EQ(*table.find(122), "Quitter");
    EXPECT_EQ(*table.find(340), "Deux\nlignes\t\\");
    EXPECT_EQ(*table.find(7), "");
    EXPECT_EQ(*table.find(8), "  espace"); // after a tab the text keeps its leading spaces
    EXPECT_EQ(table.find(9), nullptr);
    EXPECT_EQ(table.size(), 4u);
}

TEST(TextTableParsing, ErrorsNameTheFileAndLine) {
    struct Case {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"1\tok\nabc\n", 2, "expected an id"},
        {"70000\tx\n", 1, "expected an id"},
        {"12x\tx\n", 1, "tab or a space"},
        {"1\ta\n2\tb\n1\tc\n", 3, "given twice"},
        {"5\tbad \\q escape\n", 1, "unknown escape"},
        {"5\tends with \\\n", 1, "back-slash at the end"},
        {"5\t\xE2\x86\x92\n", 1, "Windows-1252"},
    };
    for (const Case& c : cases) {
        TextTable table;
        TextTableError error;
        EXPECT_FALSE(table.parse(c.text, "f.txt", error)) << c.text;
        EXPECT_EQ(error.file, "f.txt");
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
        EXPECT_EQ(table.size(), 0u) << "a failed parse keeps nothing";
    }
}

TEST(TextTableParsing, TextsLongerThanTheLibraryBufferAreRefused) {
    TextTable table;
    TextTableError error;
    EXPECT_TRUE(table.parse("1\t" + std::string(255, 'a') + "\n", "f", error));
    EXPECT_FALSE(table.parse("2\t" + std::string(256, 'a') + "\n", "f", error));
    // A two-byte UTF-8 character counts once, as the single byte it becomes.
    std::string accents;
    for (int i = 0; i < 255; ++i)
        accents += "é";
    EXPECT_TRUE(table.parse("3\t" + accents + "\n", "f", error)) << error.describe();
}

TEST(TextTableParsing, FormattedTableParsesBackToTheSameEntries) {
    std::map<int, std::string> entries = {{1, "a\tb"}, {2, " lead"}, {40000, "x\\y\nz \xE9"}, {3, ""}};
    TextTable table;
    TextTableError error;
    ASSERT_TRUE(table.parse(textTableFormat(entries), "f", error)) << error.describe();
    EXPECT_EQ(table.sorted(), entries);
}

TEST(TextTableParsing, LoadReportsAMissingFile) {
    test::TempDir dir;
    TextTable table;
    TextTableError error;
    EXPECT_FALSE(table.load(dir.file("none.txt"), error));
    EXPECT_EQ(error.line, 0);
    EXPECT_TRUE(table.load(dir.write("t.txt", "5\tcinq\n"), error));
    EXPECT_EQ(*table.find(5), "cinq");
}

} // namespace
} // namespace q71
