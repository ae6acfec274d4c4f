#include "platform/settings/settings_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace q71 {
namespace {

std::string parseError(const char* text) {
    SettingsNode machine, user;
    std::string error;
    EXPECT_FALSE(settingsParse(text, "s.ini", "/d", "/u", machine, user, error)) << text;
    return error;
}

TEST(SettingsParsing, ReadsTypedValuesIntoKeyPaths) {
    SettingsNode machine, user;
    std::string error;
    ASSERT_TRUE(settingsParse("; c\n[HKEY_LOCAL_MACHINE\\Software\\A B]\nname = \"x \\\"q\\\" \\\\ y\"\n"
                              "n = dword:0x1F\nm=dword:42\ne = expand:\"${DATA}/sfx\"\n"
                              "[HKEY_CURRENT_USER\\Software]\nu = \"${USER}\"\n",
                              "s.ini", "/d", "/u", machine, user, error))
        << error;
    SettingsNode* key = machine.children.at("software")->children.at("a b").get();
    EXPECT_EQ(key->values.at("name").data, "x \"q\" \\ y");
    EXPECT_EQ(key->values.at("n").type, kValueDword);
    EXPECT_EQ(key->values.at("n").data, std::string("\x1F\0\0\0", 4));
    EXPECT_EQ(key->values.at("m").data, std::string("\x2A\0\0\0", 4));
    EXPECT_EQ(key->values.at("e").type, kValueExpandString);
    EXPECT_EQ(key->values.at("e").data, "/d/sfx");
    EXPECT_EQ(user.children.at("software")->values.at("u").data, "/u");
}

TEST(SettingsParsing, MalformedLinesNameTheFileAndLine) {
    EXPECT_EQ(parseError("[HKEY_LOCAL_MACHINE\\A]\nbad line\n"), "s.ini:2: expected name = value");
    EXPECT_EQ(parseError("x = \"1\"\n"), "s.ini:1: a value before the first section");
    EXPECT_EQ(parseError("[HKEY_FOO\\A]\n"), "s.ini:1: a section must start with HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER");
    EXPECT_EQ(parseError("[HKEY_LOCAL_MACHINE\\A\n"), "s.ini:1: a section must end with ']'");
    EXPECT_EQ(parseError("[HKEY_LOCAL_MACHINE\\A\\\\B]\n"), "s.ini:1: empty key name in the section");
    EXPECT_EQ(parseError("[HKEY_LOCAL_MACHINE\\A]\nv = dword:4294967296\n"), "s.ini:2: number does not fit in 32 bits");
    EXPECT_EQ(parseError("[HKEY_LOCAL_MACHINE\\A]\nv = dword:12z\n"), "s.ini:2: expected a 32-bit number");
    EXPECT_EQ(parseError("[HKEY_LOCAL_MACHINE\\A]\nv = unquoted\n"), "s.ini:2: expected a quoted string");
    EXPECT_EQ(parseError("[HKEY_LOCAL_MACHINE\\A]\nv = \"a\"\nV = \"b\"\n"), "s.ini:3: the value V is given twice");
}

TEST(SettingsKeys, OpenQueryAndCreateWithoutRegardToCase) {
    std::string error;
    ASSERT_TRUE(settingsLoadText("[HKEY_LOCAL_MACHINE\\Software\\Prog]\npath = \"sfx\"\nn = dword:7\n", error));
    SettingsKey* software = nullptr;
    ASSERT_EQ(settingsOpenKey(settingsRootKey(SettingsRoot::LocalMachine), "SOFTWARE", false, &software),
              kSettingsSuccess);
    SettingsKey* prog = nullptr;
    ASSERT_EQ(settingsOpenKey(software, "prog", false, &prog), kSettingsSuccess);

    uint32_t type = 0, size = 0;
    EXPECT_EQ(settingsQueryValue(prog, "PATH", &type, nullptr, &size), kSettingsSuccess);
    EXPECT_EQ(type, kValueString);
    EXPECT_EQ(size, 4u); // with its terminating NUL
    char small[2];
    uint32_t smallSize = sizeof small;
    EXPECT_EQ(settingsQueryValue(prog, "path", &type, small, &smallSize), kSettingsMoreData);
    char text[8];
    size = sizeof text;
    EXPECT_EQ(settingsQueryValue(prog, "path", &type, text, &size), kSettingsSuccess);
    EXPECT_STREQ(text, "sfx");
    uint32_t number = 0;
    size = sizeof number;
    EXPECT_EQ(settingsQueryValue(prog, "n", &type, &number, &size), kSettingsSuccess);
    EXPECT_EQ(number, 7u);
    EXPECT_EQ(settingsQueryValue(prog, "missing", &type, nullptr, &size), kSettingsNotFound);

    SettingsKey* made = nullptr;
    EXPECT_EQ(settingsOpenKey(prog, "New", false, &made), kSettingsNotFound);
    EXPECT_EQ(settingsOpenKey(prog, "New", true, &made), kSettingsSuccess);
    settingsCloseKey(made);
    EXPECT_EQ(settingsOpenKey(prog, "new", false, &made), kSettingsSuccess) << "a created key stays";
    settingsCloseKey(made);
    settingsCloseKey(prog);
    settingsCloseKey(software);
}

// The data set's folder and the player's folder of one test, where the program looks for them.
class SettingsFiles : public ::testing::Test {
protected:
    SettingsFiles() {
        settingsUnload(); // read as a starting program reads them, whatever a test before loaded
        setVariable("Q71_DATA", data.path().c_str());
        setVariable("XDG_DATA_HOME", player.path().c_str());
    }
    ~SettingsFiles() override {
        settingsUnload(); // the folders go with the test
        for (const auto& [name, value] : saved)
            value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    void setVariable(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name, value, 1);
    }
    // A string value of the key "Prog" under a root, or "(none)".
    static std::string value(SettingsRoot root, const char* name) {
        SettingsKey* key = nullptr;
        if (settingsOpenKey(settingsRootKey(root), "Prog", false, &key) != kSettingsSuccess)
            return "(none)";
        char text[256];
        uint32_t size = sizeof text;
        long status = settingsQueryValue(key, name, nullptr, text, &size);
        settingsCloseKey(key);
        return status == kSettingsSuccess ? text : "(none)";
    }
    test::TempDir data, player;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
};

TEST_F(SettingsFiles, TheDataSetsFileAndThePlayersAreBothRead) {
    data.write("settings.ini", "[HKEY_LOCAL_MACHINE\\Prog]\ngraphics = \"${DATA}/graphics\"\n");
    player.write("q71/settings.ini", "[HKEY_CURRENT_USER\\Prog]\nroster = \"${USER}/roster\"\n");
    std::string error;
    ASSERT_TRUE(settingsLoad(error)) << error;
    EXPECT_EQ(value(SettingsRoot::LocalMachine, "graphics"), data.file("graphics"));
    EXPECT_EQ(value(SettingsRoot::CurrentUser, "roster"), (player.path() / "q71" / "roster").string());
}

TEST_F(SettingsFiles, ADamagedPlayersFileLeavesTheDataSetsSettingsInPlace) {
    data.write("settings.ini", "[HKEY_LOCAL_MACHINE\\Prog]\ngraphics = \"g\"\n");
    player.write("q71/settings.ini", "[HKEY_CURRENT_USER\\Prog]\nroster\n");
    std::string error;
    EXPECT_FALSE(settingsLoad(error));
    EXPECT_EQ(error, (player.path() / "q71" / "settings.ini").string() + ":2: expected name = value");
    EXPECT_EQ(value(SettingsRoot::LocalMachine, "graphics"), "g") << "the program still finds its data";
    EXPECT_EQ(value(SettingsRoot::CurrentUser, "roster"), "(none)");
}

} // namespace
} // namespace q71
