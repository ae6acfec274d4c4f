// The login: typing or picking a name, and what happens when the player cannot be chosen.
#include "framework/app/screen_manager.h"
#include "frontend/login/login_layout.h"
#include "frontend/login/login_screen.h"
#include "frontend/mainmenu/main_menu.h"
#include "frontend_fixture.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_system.h"
#include "sim/scoring/player_roster.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace q71 {
namespace {

class Login : public test::FrontEndFixture {
protected:
    /// Makes the login and shows it.
    LoginScreen& showLogin() {
        screenCreate(kSlotLogin);
        screenSwitch(kSlotLogin);
        pump();
        return *static_cast<LoginScreen*>(screenGet(kSlotLogin));
    }

    /// Puts players into the roster as a past session would have.
    static void enrol(const std::string& name, int number) {
        ASSERT_EQ(playerDbChoose(name, number), RosterStatus::Ok);
        playerDbRelease();
    }

    static Point rowPoint(int row) {
        return {login_layout::kRosterGlass.left + 40, login_layout::kRosterGlass.top + 6 + row * 22 + 11};
    }

    /// The name's glass as the screen shows it, column by column (each column top to bottom).
    static std::vector<std::vector<std::uint16_t>> glassColumns() {
        const Rect& glass = login_layout::kNameGlass;
        std::vector<std::vector<std::uint16_t>> columns(static_cast<std::size_t>(glass.width()));
        for (int x = glass.left; x < glass.right; ++x)
            for (int y = glass.top; y < glass.bottom; ++y)
                columns[static_cast<std::size_t>(x - glass.left)].push_back(screenSurface().row(y)[x]);
        return columns;
    }
    /// Empties the name field with Backspace.
    void eraseName(const NameField& name) {
        while (!name.text().empty())
            press(static_cast<std::uint8_t>(VK_BACK), '\b');
    }
};

TEST_F(Login, ATypedNewNameBecomesAPlayerAndTheMainMenuFollows) {
    LoginScreen& login = showLogin();
    type("Ondine");
    EXPECT_EQ(login.nameField()->text(), "Ondine");
    press(static_cast<std::uint8_t>(VK_BACK), '\b');
    type("e");
    press(static_cast<std::uint8_t>(VK_RETURN), '\r');
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    EXPECT_EQ(screenGet(kSlotLogin), nullptr) << "the main menu drops the login";
    ASSERT_NE(playerRecord(), nullptr);
    auto roster = playerDbList();
    ASSERT_TRUE(roster);
    ASSERT_EQ(roster->size(), 1u);
    EXPECT_EQ(roster->front().name, "Ondine");
}

TEST_F(Login, AnEmptyNameOrOneOfSpacesGoesNowhere) {
    LoginScreen& login = showLogin();
    type("   ");
    EXPECT_FALSE(login.logIn());
    EXPECT_EQ(screenCurrentIndex(), kSlotLogin);
    EXPECT_EQ(playerRecord(), nullptr);
}

TEST_F(Login, ThePlayersOfTheRosterArePickedWithTheirNumbers) {
    enrol("Marin", 42);
    enrol("Ondine", 0);
    LoginScreen& login = showLogin();
    ASSERT_EQ(login.rosterList()->entries().size(), 2u);
    EXPECT_EQ(RosterList::rowText(login.rosterList()->entries()[0]), "Marin  (042)");

    press(static_cast<std::uint8_t>(VK_DOWN));
    EXPECT_EQ(login.nameField()->text(), "Marin");
    press(static_cast<std::uint8_t>(VK_DOWN));
    EXPECT_EQ(login.nameField()->text(), "Ondine");
    press(static_cast<std::uint8_t>(VK_DOWN));
    EXPECT_EQ(login.rosterList()->selected(), 1) << "the last row holds";
    press(static_cast<std::uint8_t>(VK_UP));

    // Two clicks on a row choose it: the player with number 42, no new one.
    clickAt(rowPoint(0));
    run(100);
    clickAt(rowPoint(0));
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    auto roster = playerDbList();
    ASSERT_TRUE(roster);
    EXPECT_EQ(roster->size(), 2u);
}

TEST_F(Login, TypingTheNameOfAPlayerOfTheRosterChoosesThatPlayer) {
    enrol("Marin", 42);
    showLogin();
    type("Marin\r");
    ASSERT_EQ(screenCurrentIndex(), kSlotMainMenu);
    EXPECT_EQ(playerDbList()->size(), 1u);
}

TEST_F(Login, ValidateButtonLogsInAndQuitButtonAsks) {
    showLogin();
    type("Nereide");
    auto asked = answerNextBox(kIdNo);
    clickAt({login_layout::kButtonX + 20, login_layout::kQuitY + 10});
    EXPECT_TRUE(*asked);
    EXPECT_EQ(screenCurrentIndex(), kSlotLogin) << "No: the login stays";
    clickAt({login_layout::kButtonX + 20, login_layout::kValidateY + 10});
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
}

TEST_F(Login, ATornRosterShowsItsWholeRecordsAndTheNextSaveMendsIt) {
    enrol("Marin", 42);
    const std::string whole = test::readFile(player.file("player.db"));
    player.dir().write("q71/player.db", whole + std::string(100, 'x'));
    auto warned = answerNextBox(kIdOk);
    LoginScreen& login = showLogin();
    EXPECT_TRUE(*warned);
    ASSERT_EQ(login.rosterList()->entries().size(), 1u);
    type("Ondine\r"); // a new player, saved after the whole record
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    const std::string mended = test::readFile(player.file("player.db"));
    EXPECT_EQ(mended.size(), 2 * whole.size());
    EXPECT_EQ(mended.substr(0, whole.size()), whole);
}

class LoginWithoutCampaign : public Login {
protected:
    test::DataSetWithout data{"Scenario/a.cdf"};
};

TEST_F(LoginWithoutCampaign, AMissingCampaignIsSaidAndTheLoginStays) {
    showLogin();
    type("Ondine");
    auto told = answerNextBox(kIdOk);
    press(static_cast<std::uint8_t>(VK_RETURN), '\r');
    EXPECT_TRUE(*told);
    EXPECT_EQ(screenCurrentIndex(), kSlotLogin);
    EXPECT_EQ(playerRecord(), nullptr) << "no player was chosen, nothing ended the program";
}

TEST_F(Login, TheNameTakesPrintableCharactersUpToTheLongestARecordKeeps) {
    NameField& name = *showLogin().nameField();
    EXPECT_FALSE(name.type('\t'));
    EXPECT_FALSE(name.type(0x7F));
    EXPECT_TRUE(name.type(0xE9)) << "é of Windows-1252";
    EXPECT_EQ(name.text(), "\xE9");
    name.setText(std::string(100, 'a'));
    EXPECT_EQ(name.text().size(), 77u);
    EXPECT_FALSE(name.type('b'));
    while (name.erase()) {
    }
    EXPECT_EQ(name.text(), "");
}

TEST_F(Login, ANameWiderThanTheFieldShowsItsEndAndTheCaretWhole) {
    const NameField& name = *showLogin().nameField();
    run(600); // the caret blinks off once: the glass alone
    const auto blank = glassColumns();
    // The end of the name with the caret after it, alone in the field, and the columns it inks.
    type("Vauquelin");
    const auto alone = glassColumns();
    std::vector<std::size_t> inked;
    for (std::size_t x = 0; x < alone.size(); ++x)
        if (alone[x] != blank[x])
            inked.push_back(x);
    ASSERT_FALSE(inked.empty());

    // The whole name overflows the field: those columns stand further right, unchanged (the ink
    // moves, the glass's ground, which is not the same everywhere, stays).
    eraseName(name);
    type("Capitaine de corvette Jean-Baptiste Vauquelin");
    const auto shown = glassColumns();
    const auto endShownAt = [&](std::size_t dx) {
        for (std::size_t x = inked.front(); x <= inked.back(); ++x)
            for (std::size_t y = 0; y < alone[x].size(); ++y)
                if (shown[x + dx][y] != (alone[x][y] != blank[x][y] ? alone[x][y] : blank[x + dx][y]))
                    return false;
        return true;
    };
    std::size_t dx = 1;
    while (inked.back() + dx < shown.size() && !endShownAt(dx))
        ++dx;
    EXPECT_LT(inked.back() + dx, shown.size()) << "the end of the name and the caret are not seen whole";

    // Erased back to a name that fits, the field shows it from its start again.
    eraseName(name);
    type("Ondine");
    const auto ondine = glassColumns();
    type(" de la Royale et des Mers du Sud");
    while (name.text().size() > 6)
        press(static_cast<std::uint8_t>(VK_BACK), '\b');
    EXPECT_EQ(glassColumns(), ondine);
}

} // namespace
} // namespace q71
