#include "platform/files/path.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace q71 {
namespace {

TEST(PathResolution, BackslashesBecomeSlashesAndCaseIsIgnored) {
    test::TempDir dir;
    std::string real = dir.write("Graphics/Main.GRP", "x");
    EXPECT_EQ(fileResolvePath(dir.path().string() + "\\GRAPHICS\\main.grp"), real);
    EXPECT_EQ(fileResolvePath(dir.path().string() + "/graphics/MAIN.grp"), real);
}

TEST(PathResolution, ExactMatchWinsOverOtherCases) {
    test::TempDir dir;
    dir.write("a/file", "lower");
    std::string upper = dir.write("a/FILE", "upper");
    EXPECT_EQ(fileResolvePath(dir.path().string() + "/A/FILE"), upper);
}

TEST(PathResolution, MissingComponentsAreKeptForCreation) {
    test::TempDir dir;
    dir.write("Saves/keep", "");
    std::string resolved = fileResolvePath(dir.path().string() + "\\SAVES\\New\\game.svs");
    EXPECT_EQ(resolved, dir.path().string() + "/Saves/New/game.svs");
}

TEST(PathResolution, OpenAndExistGoThroughResolution) {
    test::TempDir dir;
    dir.write("Scenario/S11.scn", "abc");
    std::string name = dir.path().string() + "\\scenario\\s11.SCN";
    EXPECT_TRUE(fileExists(name));
    std::FILE* f = fileOpen(name, "rb");
    ASSERT_NE(f, nullptr);
    char buf[4] = {};
    EXPECT_EQ(std::fread(buf, 1, 3, f), 3u);
    EXPECT_STREQ(buf, "abc");
    std::fclose(f);
    EXPECT_FALSE(fileExists(dir.path().string() + "/scenario/none.scn"));
}

TEST(PathResolution, RelativePathsResolveFromTheCurrentFolder) {
    test::TempDir dir;
    dir.write("Sub/File.txt", "");
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    EXPECT_EQ(fileResolvePath("sub\\file.TXT"), "Sub/File.txt");
    EXPECT_EQ(fileResolvePath(".\\SUB"), "./Sub");
    std::filesystem::current_path(previous);
}

TEST(PathResolution, AFolderListsItsPlainFilesOnlyAndAMissingOneNothing) {
    test::TempDir dir;
    dir.write("Scenario/a.scu", "");
    dir.write("Scenario/B.SCM", "");
    dir.write("Scenario/inner/c.scu", "");
    std::vector<std::string> names = fileNamesIn(dir.path().string() + "\\SCENARIO");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"B.SCM", "a.scu"}));
    EXPECT_TRUE(fileNamesIn(dir.path().string() + "/none").empty());
}

} // namespace
} // namespace q71
