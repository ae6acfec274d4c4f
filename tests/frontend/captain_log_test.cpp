// The captain's log: its file read and written whole, a failed write and a damaged log that leave
// the file as it was, the screen from the main menu's line with an entry typed, dated and kept,
// and the debriefing's result added once.
#include "framework/app/screen_manager.h"
#include "framework/widgets/edit_box.h"
#include "framework/widgets/text_box.h"
#include "frontend/captlog/capt_log_fs.h"
#include "frontend/captlog/captain_log_file.h"
#include "frontend/captlog/captlog_layout.h"
#include "frontend/debrief/debrief_screen.h"
#include "frontend/mainmenu/main_menu.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "frontend_fixture.h"
#include "platform/window/focus.h"
#include "platform/window/virtual_keys.h"
#include "sim/scoring/player_roster.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/scenario_reader.h"
#include "sim/support/fake_time.h"
#include "support/screen_picture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace q71 {
namespace {

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

std::string fileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

/// Local time is UTC while the object lives, so that dates read the same everywhere.
class UtcZone {
public:
    UtcZone() {
        if (const char* old = std::getenv("TZ"))
            old_ = old;
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    ~UtcZone() {
        if (old_.empty())
            ::unsetenv("TZ");
        else
            ::setenv("TZ", old_.c_str(), 1);
        ::tzset();
    }

private:
    std::string old_;
};

// 7 December 2026, 18:50:00 UTC.
constexpr std::int64_t kSomeEvening = 1796669400;

TEST(CaptainLogFile, TheBytesReadAsLinesOfTextOrAreRefusedWhole) {
    const struct {
        std::string bytes;
        CaptLogStatus status;
        std::vector<std::string> lines;
    } cases[] = {
        {"", CaptLogStatus::Ok, {}},
        {"un\ndeux\n", CaptLogStatus::Ok, {"un", "deux"}},
        {"un\r\ndeux", CaptLogStatus::Ok, {"un", "deux"}},
        {"\n\n", CaptLogStatus::Ok, {"", ""}},
        {"cap\t090 \xE0 l'est\n", CaptLogStatus::Ok, {"cap\t090 \xE0 l'est"}},
        {std::string("un\0deux\n", 8), CaptLogStatus::Damaged, {}},
        {"un\rdeux\n", CaptLogStatus::Damaged, {}},
        {"\x1B[2J\n", CaptLogStatus::Damaged, {}},
    };
    for (const auto& c : cases) {
        const CaptLog log = captLogParse(bytesOf(c.bytes));
        EXPECT_EQ(log.status, c.status) << c.bytes;
        EXPECT_EQ(log.lines, c.lines) << c.bytes;
    }
    const std::string huge(kCaptLogMaxBytes + 1, 'a');
    EXPECT_EQ(captLogParse(bytesOf(huge)).status, CaptLogStatus::TooLarge);
    EXPECT_EQ(captLogParse(bytesOf(huge.substr(1))).status, CaptLogStatus::Ok)
        << "the largest log still reads";
}

TEST(CaptainLogFile, AnEntryIsOneDatedLine) {
    UtcZone utc;
    EXPECT_EQ(captLogEntry(kSomeEvening, "Appareill\xE9."), "07/12/2026 18:50  Appareill\xE9.");
    EXPECT_EQ(captLogEntry(kSomeEvening + 3600 * 6, "deux\nlignes\r"), "08/12/2026 00:50  deux lignes ");
}

TEST(CaptainLogFile, LinesAddedAreThereWhenReadAgainAndAFailedWriteKeepsTheOldLog) {
    test::TempDir dir;
    const std::string path = dir.file("Narval000.clg");
    EXPECT_EQ(captLogRead(path).lines, std::vector<std::string>{}) << "no log yet is an empty one";
    ASSERT_TRUE(captLogAppend(path, {"un"}));
    ASSERT_TRUE(captLogAppend(path, {"deux", "trois\nquatre"}));
    EXPECT_EQ(captLogRead(path).lines, (std::vector<std::string>{"un", "deux", "trois quatre"}));
    EXPECT_EQ(fileText(path), "un\ndeux\ntrois quatre\n");

    // The new log cannot be made beside the old one: nothing changes.
    std::filesystem::create_directory(path + ".new");
    EXPECT_FALSE(captLogAppend(path, {"cinq"}));
    EXPECT_EQ(fileText(path), "un\ndeux\ntrois quatre\n");
    std::filesystem::remove(path + ".new");

    // A log that is not one is never written over.
    const std::string damaged = dir.file("Triton000.clg");
    std::ofstream(damaged, std::ios::binary) << std::string("vieux\0journal\n", 14);
    EXPECT_FALSE(captLogAppend(damaged, {"cinq"}));
    EXPECT_EQ(fileText(damaged), std::string("vieux\0journal\n", 14));
}

class CaptainLogScreen : public test::FrontEndFixture {
protected:
    CaptainLogScreen() {
        EXPECT_EQ(playerDbChoose("Narval", 0), RosterStatus::Ok);
        time.seconds = kSomeEvening;
        screenEnterMainMenu();
        pump();
    }
    ~CaptainLogScreen() override { missionTexts() = MissionTexts{}; }

    /// Opens the log from the main menu's line, as a player does.
    CaptLogFS& openFromMenu() {
        EXPECT_TRUE(clickMainMenuLine(kSlotCaptainsLog)) << "the menu shows the log's line";
        EXPECT_EQ(screenCurrentIndex(), kSlotCaptainsLog);
        return *static_cast<CaptLogFS*>(screenGet(kSlotCaptainsLog));
    }
    static std::vector<std::string> shownLines(const CaptLogFS& log) {
        std::vector<std::string> lines;
        for (int i = 0; i < log.logBox()->lineCount(); ++i)
            lines.emplace_back(log.logBox()->getLine(i));
        return lines;
    }
    void typeEntry(CaptLogFS& log, const std::string& text) {
        focusSet(log.entryBox()->editWindow());
        type(text);
        press(static_cast<std::uint8_t>(VK_RETURN), '\r');
    }

    UtcZone utc;
    test::FakeTimeSource time;
};

TEST_F(CaptainLogScreen, AnEntryTypedIsDatedKeptAndShownAgainNextTime) {
    CaptLogFS& log = openFromMenu();
    EXPECT_EQ(log.logBox()->lineCount(), 0);
    typeEntry(log, "plongee a 300 pieds");
    EXPECT_EQ(log.entryBox()->getText(), "") << "the line is cleared once written";
    time.seconds += 90;
    log.entryBox()->setText("   ");
    EXPECT_FALSE(log.writeEntry()) << "a blank line is no entry";
    log.entryBox()->setText("Contact au 045");
    using namespace captlog_layout;
    clickAt(Point{kWriteX + kButtonWidth / 2, kButtonY + kButtonHeight / 2});
    const std::vector<std::string> written{"07/12/2026 18:50  plongee a 300 pieds",
                                           "07/12/2026 18:51  Contact au 045"};
    EXPECT_EQ(shownLines(log), written);
    EXPECT_EQ(captLogRead(player.file("Narval000.clg")).lines, written);
    test::saveScreenPicture("captlog");

    press(static_cast<std::uint8_t>(VK_ESCAPE), 27);
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    pump();
    EXPECT_EQ(screenGet(kSlotCaptainsLog), nullptr) << "left, the screen goes";
    EXPECT_EQ(shownLines(openFromMenu()), written);
}

TEST_F(CaptainLogScreen, ADamagedLogIsSaidAndNeverWrittenOver) {
    const std::string path = player.file("Narval000.clg");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << std::string("abc\0", 4);
    CaptLogFS& log = openFromMenu();
    EXPECT_EQ(log.logBox()->lineCount(), 0);
    log.entryBox()->setText("Une entr\xE9"
                            "e");
    EXPECT_FALSE(log.writeEntry());
    EXPECT_EQ(fileText(path), std::string("abc\0", 4));
}

TEST_F(CaptainLogScreen, EachDebriefingAddsTheMissionsResultOnce) {
    missionTexts().name = "Exercice";
    screenCreateDebrief();
    screenSwitch(kSlotDebrief);
    pump();
    auto& debrief = *static_cast<DebriefScreen*>(screenGet(kSlotDebrief));
    screenSwitch(kSlotMainMenu);
    screenSwitch(kSlotDebrief); // shown again: not written again
    pump();
    std::vector<std::string> expected{"07/12/2026 18:50  Exercice"};
    std::istringstream result(debrief.resultText());
    for (std::string line; std::getline(result, line);)
        if (!line.empty())
            expected.push_back("    " + line);
    ASSERT_GT(expected.size(), 1u);
    EXPECT_EQ(captLogRead(player.file("Narval000.clg")).lines, expected);
}

} // namespace
} // namespace q71
