// The sounds of the generated data set: every wave the program names is there, and every wave
// there plays on the mixer as the data set's sound direction asks.
#include "framework/resources/registry.h"
#include "media/audio/wave_reader.h"
#include "platform/files/path.h"
#include "support/data_set_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <strings.h>
#include <unistd.h>

namespace q71 {
namespace {

// Wave names that hold a number: the numbers the program can put in.
const std::map<std::string, std::vector<std::string>> kNumbered = [] {
    auto range = [](int from, int to) {
        std::vector<std::string> v;
        for (int n = from; n <= to; ++n)
            v.push_back(std::to_string(n));
        return v;
    };
    return std::map<std::string, std::vector<std::string>>{
        {"HlmCrs%ld.wav", range(0, 9)},
        {"HlmCrs%1d.wav", range(0, 9)},
        {"HlmCrs%d.wav", range(0, 9)},
        {"Dod%d.wav", range(0, 9)},
        {"SSd%1d.wav", range(0, 9)},
        {"SSd%d.wav", range(0, 9)},
        {"SS6d%1d.wav", range(0, 9)},
        {"SS6d%d.wav", range(0, 9)},
        {"SSUnit%d.wav", range(1, 4)},
        {"sswire%d.wav", range(1, 4)},
        {"screams%d.wav", range(1, 4)},
        {"OOD%dkts.wav", range(1, 40)},
        {"Arr%d.wav", range(1, 9)},
        {"Dep%d.wav", range(1, 9)},
        {"portannounce%c%d.wav", {"a0", "a1", "a2", "a3", "a4"}},
    };
}();

// Every wave the game's rules name, whether or not the code that plays it exists yet.
const char* const kNamedWaves[] = {
    "Arr%d.wav",       "CMfire.wav",        "COW11.wav",
    "COW12.wav",       "COWAntDn.wav",      "COWAntUp.wav",
    "COWDpAnt.wav",    "COWEsmDn.wav",      "COWEsmFl.wav",
    "COWEsmUp.wav",    "COWFwCut.wav",      "COWHPOff.wav",
    "COWHPOn.wav",     "COWRdoAF.wav",      "COWRtAnt.wav",
    "COWlower.wav",    "CowEsmFl.wav",      "CowFwFix.wav",
    "CowPAryF.wav",    "CowPsFld.wav",      "CowRdoAF.wav",
    "CowRdrDn.wav",    "CowRdrMF.wav",      "CowRdrUp.wav",
    "CowSAryF.wav",    "CowSnrkF.wav",      "DO1a.wav",
    "DO1b.wav",        "Dep%d.wav",         "DingDing.wav",
    "Dod%d.wav",       "EsmAnt.wav",        "EsmEnd.wav",
    "Hlm1.wav",        "Hlm10.wav",         "Hlm11a.wav",
    "Hlm11b.wav",      "Hlm12a.wav",        "Hlm12b.wav",
    "Hlm13.wav",       "Hlm13b.wav",        "Hlm1410.wav",
    "Hlm1415.wav",     "Hlm1420.wav",       "Hlm1425.wav",
    "Hlm145.wav",      "Hlm14f.wav",        "Hlm1510.wav",
    "Hlm1515.wav",     "Hlm1520.wav",       "Hlm1525.wav",
    "Hlm155.wav",      "Hlm15f.wav",        "Hlm16.wav",
    "Hlm2.wav",        "Hlm3.wav",          "Hlm4.wav",
    "Hlm5.wav",        "Hlm6.wav",          "Hlm7.wav",
    "Hlm8.wav",        "Hlm9.wav",          "HlmCrs%ld.wav",
    "HlmRtrvP.wav",    "HlmRtrvS.wav",      "HlmStrmP.wav",
    "HlmStrmS.wav",    "OOD%dkts.wav",      "Prscpdwn.wav",
    "Prscpp.wav",      "RadarEnd.wav",      "RadarMast.wav",
    "RadioAnt.wav",    "RadioCpy.wav",      "RadioEnd.wav",
    "RadioMsg.wav",    "SS-tda.wav",        "SS-tdb.wav",
    "SS6d%1d.wav",     "SSExpl.wav",        "SSInTorp.wav",
    "SSLExpl.wav",     "SSUnit%d.wav",      "SSd%1d.wav",
    "SSmine.wav",      "SSturn.wav",        "ScopeEsm.wav",
    "SnorkelMast.wav", "SnrBgnd.wav",       "TowStuck.wav",
    "TowedArr.wav",    "TowedEnd.wav",      "WireEnd.wav",
    "WireOn.wav",      "WireStuck.wav",     "XoDSAway.wav",
    "XoDSBack.wav",    "XoPilot.wav",       "XoSlAway.wav",
    "XoSlBack.wav",    "bllst.wav",         "click.wav",
    "collision.wav",   "cow-floodport.wav", "cow-floodstar.wav",
    "cow1.wav",        "cow14.wav",         "cow15.wav",
    "cow16.wav",       "cow17.wav",         "cow18.wav",
    "cow2.wav",        "cow20.wav",         "cow3.wav",
    "cow5.wav",        "creak1.wav",        "creak2.wav",
    "creak3.wav",      "crshdpth.wav",      "cvrbtn.WAV",
    "dialsnd.WAV",     "dosub.wav",         "dosurf.wav",
    "drwrcls.wav",     "engine.wav",        "equlz.wav",
    "esm.wav",         "explos1.wav",       "explos2.wav",
    "explos3.wav",     "flpswtch.WAV",      "geninfo.wav",
    "implode1.wav",    "implode2.wav",      "jewel.wav",
    "lever 3.wav",     "litbtn.WAV",        "litlbtn.WAV",
    "lockbtn.WAV",     "lowblow.wav",       "mssllnc1.wav",
    "muzzle1.wav",     "ooddecks.wav",      "osexpl.wav",
    "pingout.wav",     "pingret.wav",       "portannounce%c%d.wav",
    "prssr1.wav",      "pushbtn.wav",       "rocker.wav",
    "scrape.wav",      "screams%d.wav",     "srocker.wav",
    "ss1a.wav",        "ss1b.wav",          "ss2.wav",
    "ss6.wav",         "ss7.wav",           "ss8.wav",
    "subping.wav",     "surfping.wav",      "switch.wav",
    "sswire%d.wav",    "tbmpty.wav",        "torpfire.wav",
    "torpping.wav",    "winsel.WAV",        "xbt.wav",
};

// What the sonar hears of the platforms (the object database names them).
const char* const kPlatformWaves[] = {"NzSubA.wav",  "NzSubB.wav",  "NzShipA.wav", "NzShipB.wav",
                                      "NzMrchA.wav", "NzMrchB.wav", "NzTorpA.wav", "NzTorpB.wav"};

// Sounds the program plays in a loop: their ends must meet without a click.
const char* const kLoopingWaves[] = {"engine.wav",   "SnrBgnd.wav",  "esm.wav",      "ScopeEsm.wav",
                                     "crshdpth.wav", "EsmAnt.wav",   "RadioAnt.wav", "RadarMast.wav",
                                     "TowedArr.wav", "TowStuck.wav", "WireOn.wav",   "WireStuck.wav",
                                     "NzSubA.wav",   "NzShipA.wav",  "NzMrchB.wav"};

// The string literals of a source file, comments left out (no raw strings in our sources).
std::vector<std::string> stringLiterals(const std::string& code) {
    std::vector<std::string> literals;
    std::size_t i = 0;
    while (i < code.size()) {
        if (code.compare(i, 2, "//") == 0) {
            i = code.find('\n', i);
        } else if (code.compare(i, 2, "/*") == 0) {
            i = code.find("*/", i + 2);
            i = i == std::string::npos ? i : i + 2;
        } else if (code[i] == '\'' || code[i] == '"') {
            const char quote = code[i];
            std::string literal;
            for (++i; i < code.size() && code[i] != quote; ++i) {
                if (code[i] == '\\' && i + 1 < code.size())
                    ++i;
                literal += code[i];
            }
            if (quote == '"')
                literals.push_back(literal);
            ++i;
        } else {
            ++i;
        }
    }
    return literals;
}

class DataSetSounds : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::loadDataSetSettings();
        appReadInstallPaths();
        ASSERT_EQ(::chdir(rootInstallPath), 0) << rootInstallPath;
    }
    static std::string path(const std::string& name) { return std::string(sfxInstallPath) + "\\" + name; }

    /// The wave names in a wave name pattern.
    static std::vector<std::string> expand(const std::string& pattern) {
        if (pattern.find('%') == std::string::npos)
            return {pattern};
        auto numbers = kNumbered.find(pattern);
        if (numbers == kNumbered.end()) {
            ADD_FAILURE() << "no numbers are known for the wave pattern " << pattern << ": add them above";
            return {};
        }
        std::vector<std::string> names;
        const std::size_t at = pattern.find('%');
        const std::size_t end = pattern.find(".wav") != std::string::npos ? pattern.rfind('d') + 1 : at + 2;
        for (const std::string& n : numbers->second)
            names.push_back(pattern.substr(0, at) + n + pattern.substr(end));
        return names;
    }

    static std::vector<std::int16_t> samples(const std::string& name) {
        WaveFormat format;
        std::vector<std::uint8_t> data;
        EXPECT_EQ(waveReadAll(path(name), format, data), WaveError::none) << name;
        std::vector<std::int16_t> s(data.size() / 2);
        if (!s.empty())
            std::memcpy(s.data(), data.data(), s.size() * 2);
        return s;
    }
};

TEST_F(DataSetSounds, EveryNamedWaveIsThere) {
    for (const char* pattern : kNamedWaves)
        for (const std::string& name : expand(pattern))
            EXPECT_TRUE(fileExists(path(name))) << name;
    for (const char* name : kPlatformWaves)
        EXPECT_TRUE(fileExists(path(name))) << name;
}

TEST_F(DataSetSounds, EveryWaveTheCodeNamesIsThere) {
    const char* source = std::getenv("Q71_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    std::set<std::string> names;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(std::filesystem::path(source) / "src")) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        for (const std::string& literal : stringLiterals(text.str()))
            if (literal.size() > 4 && strcasecmp(literal.c_str() + literal.size() - 4, ".wav") == 0)
                names.insert(literal);
    }
    EXPECT_GT(names.size(), 10u);
    for (const std::string& pattern : names)
        for (const std::string& name : expand(pattern))
            EXPECT_TRUE(fileExists(path(name))) << name << " (from the code's " << pattern << ")";
}

TEST_F(DataSetSounds, EveryWaveIsMonoSixteenBitAtTheMixRateAndPeaksNearMinusThreeDecibels) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(fileResolvePath(sfxInstallPath))) {
        const std::string name = entry.path().filename().string();
        WaveFormat format;
        std::vector<std::uint8_t> data;
        ASSERT_EQ(waveReadAll(entry.path().string(), format, data), WaveError::none) << name;
        EXPECT_EQ(format, waveFormatPcm(22050, 1, 16)) << name;
        std::int32_t peak = 0;
        for (std::size_t i = 0; i + 1 < data.size(); i += 2)
            peak =
                std::max<std::int32_t>(peak, std::abs(static_cast<std::int16_t>(data[i] | data[i + 1] << 8)));
        const double decibels = 20 * std::log10(peak / 32768.0);
        EXPECT_NEAR(decibels, -3.0, 0.5) << name;
        EXPECT_GT(data.size(), 400u) << name;
        ++count;
    }
    EXPECT_GT(count, 250);
}

TEST_F(DataSetSounds, LoopsJoinWithoutAClick) {
    for (const char* name : kLoopingWaves) {
        const std::vector<std::int16_t> s = samples(name);
        ASSERT_GT(s.size(), 1000u) << name;
        // The step from the last sample to the first is no larger than the wave's own steps.
        int largest = 0;
        for (std::size_t i = 1; i < s.size(); ++i)
            largest = std::max(largest, std::abs(s[i] - s[i - 1]));
        EXPECT_LE(std::abs(s.front() - s.back()), largest) << name;
    }
}

TEST_F(DataSetSounds, OneShotsStartAndEndInSilence) {
    for (const char* name :
         {"pingout.wav", "explos1.wav", "torpfire.wav", "Hlm1.wav", "winsel.WAV", "DingDing.wav"}) {
        const std::vector<std::int16_t> s = samples(name);
        ASSERT_FALSE(s.empty()) << name;
        EXPECT_LT(std::abs(s.front()), 300) << name;
        EXPECT_LT(std::abs(s.back()), 300) << name;
    }
}

} // namespace
} // namespace q71
