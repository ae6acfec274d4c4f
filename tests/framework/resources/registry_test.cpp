#include "framework/resources/registry.h"
#include "platform/settings/settings_store.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

const char* kKey = "[HKEY_LOCAL_MACHINE\\Software\\Velm's Combat Simulations\\Q71I Varden-Morrow\\1.0]\n";

void load(const std::string& text) {
    std::string error;
    ASSERT_TRUE(settingsLoadText(text, error)) << error;
}

// Each test reads settings of its own; the tests after it read the data set's again.
class InstallPaths : public ::testing::Test {
protected:
    ~InstallPaths() override { settingsUnload(); }
};
using RegistryKeys = InstallPaths;

TEST_F(InstallPaths, ValuesDefaultsAndWrongTypes) {
    load(std::string(kKey) + "rootInstallPath = \"/games/q71\"\nsfxInstallPath = dword:5\n"
                             "graphicsInstallPath = expand:\"art\"\n");
    appReadInstallPaths();
    EXPECT_STREQ(rootInstallPath, "/games/q71");
    EXPECT_STREQ(sfxInstallPath, "sfx") << "a number stands for a missing value";
    EXPECT_STREQ(graphicsInstallPath, "art");
    EXPECT_STREQ(midiInstallPath, "midi");
    EXPECT_STREQ(objectsInstallPath, "objects");
    EXPECT_STREQ(booksInstallPath, "books");
    EXPECT_STREQ(cdInstallPath, ".") << "never the root of the file system";
}

TEST_F(InstallPaths, AMissingKeyGivesDefaultsRelativeToTheCurrentFolder) {
    load("[HKEY_LOCAL_MACHINE\\Software\\Other]\nx = \"y\"\n");
    appReadInstallPaths();
    EXPECT_STREQ(rootInstallPath, ".");
    EXPECT_STREQ(sfxInstallPath, "sfx");
    EXPECT_STREQ(cdInstallPath, ".");
}

TEST_F(InstallPaths, LongValuesAreCutToTheirBuffers) {
    load(std::string(kKey) + "booksInstallPath = \"" + std::string(400, 'b') + "\"\n");
    appReadInstallPaths();
    EXPECT_EQ(std::string(booksInstallPath), std::string(kInstallPathSize - 1, 'b'));
}

TEST_F(RegistryKeys, ChainOpensAndCreatesLevelByLevel) {
    load(std::string(kKey) + "DemDirectory = \"terrain\"\n");
    regSetProductKey("Q71I Varden-Morrow");
    SettingsKey* key = nullptr;
    EXPECT_EQ(regOpenKeyChain(&key, 2, false, false), kSettingsInvalidParameter);
    ASSERT_TRUE(regOpenKey(&key, 0, false));
    EXPECT_EQ(regReadString(key, "DemDirectory"), "terrain");
    EXPECT_EQ(regReadString(key, "midiMilesInstallPath"), std::nullopt);
    regCloseKey(key);

    EXPECT_FALSE(regOpenKey(&key, 1, false)) << "nothing under the user root yet";
    EXPECT_EQ(regOpenKeyChain(&key, 1, true, true), kSettingsSuccess);
    regCloseKey(key);
    EXPECT_TRUE(regOpenKey(&key, 1, false));
    regCloseKey(key);
}

TEST_F(RegistryKeys, KeyNamesAreCutAndRestored) {
    load(std::string(kKey));
    regSetFamilyKey(std::string(150, 'f').c_str());
    SettingsKey* key = nullptr;
    EXPECT_EQ(regOpenKeyChain(&key, 0, true, true), kSettingsSuccess);
    regCloseKey(key);
    SettingsKey* software = nullptr;
    SettingsKey* family = nullptr;
    ASSERT_EQ(regOpenOrCreate(&software, settingsRootKey(SettingsRoot::LocalMachine), "Software", false, false), 0);
    EXPECT_EQ(regOpenOrCreate(&family, software, std::string(99, 'f').c_str(), false, false), 0);
    regCloseKey(family);
    regCloseKey(software);

    regSetFamilyKey(nullptr);
    regSetProductKey("Q71I Varden-Morrow");
    EXPECT_TRUE(regOpenKey(&key, 0, false)) << "the default family name is back";
    regCloseKey(key);
}

TEST_F(RegistryKeys, QueryHandsOutTypeDataAndSize) {
    load(std::string(kKey) + "n = dword:0x01020304\ns = \"abc\"\n");
    regSetProductKey("Q71I Varden-Morrow");
    SettingsKey* key = nullptr;
    ASSERT_TRUE(regOpenKey(&key, 0, false));
    uint32_t type = 0, size = 0;
    std::vector<char> data;
    ASSERT_EQ(regQueryValue(key, "n", &type, &data, &size), 1);
    EXPECT_EQ(type, kValueDword);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(data, (std::vector<char>{4, 3, 2, 1}));
    ASSERT_EQ(regQueryValue(key, "s", &type, nullptr, &size), 1);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(regQueryValue(key, "none", &type, &data, &size), 0);
    regCloseKey(key);
}

} // namespace
} // namespace q71
