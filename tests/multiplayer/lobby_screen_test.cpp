// The network lobby as a player reaches it: the main menu's line opens it, an address typed and
// Enter join a host, the players and the chat fill its lists through the registered messages,
// the chat line sends, and Back ends the game and returns to the menu.
#include "framework/app/screen_manager.h"
#include "frontend/glass_list.h"
#include "frontend/login/name_field.h"
#include "frontend/mainmenu/main_menu.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "frontend_fixture.h"
#include "multiplayer/lobby/lobby_layout.h"
#include "multiplayer/lobby/multi_suite.h"
#include "multiplayer/mp_session.h"
#include "multiplayer/support/loopback.h"
#include "multiplayer/support/recording_peers.h"
#include "platform/files/locations.h"
#include "platform/settings/settings_store.h"
#include "platform/window/virtual_keys.h"
#include "sim/scoring/player_roster.h"
#include "sim/services/sim_services.h"
#include "support/data_set_settings.h"
#include "support/screen_picture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace q71 {
namespace {

class LobbyScreen : public test::FrontEndFixture {
protected:
    LobbyScreen() {
        mpInstallScreens();
        EXPECT_EQ(playerDbChoose("Triton", 0), RosterStatus::Ok);
    }
    ~LobbyScreen() override {
        screenDestroy(kSlotMultiPlayer);
        mpInstallGame(nullptr);
    }

    MultiSuite& enterLobby() {
        screenSwitch(kSlotMainMenu);
        pump();
        const auto line = std::find_if(kMainMenuEntries.begin(), kMainMenuEntries.end(),
                                       [](const MainMenuEntry& e) { return e.slot == kSlotMultiPlayer; });
        const int entry = static_cast<int>(line - kMainMenuEntries.begin());
        const auto shown = static_cast<MainMenu*>(screenGet(kSlotMainMenu))->shownEntries();
        EXPECT_NE(std::find(shown.begin(), shown.end(), entry), shown.end())
            << "the menu shows the lobby's line";
        clickAt(Point{main_menu_layout::kButtonX + 20, main_menu_layout::buttonY(entry) + 10});
        EXPECT_EQ(screenCurrentIndex(), kSlotMultiPlayer);
        return *static_cast<MultiSuite*>(screenGet(kSlotMultiPlayer));
    }

    void clickButton(int index) {
        clickAt(Point{lobby_layout::buttonX(index) + 20, lobby_layout::buttonY(index) + 10});
    }

    static bool holds(const GlassList& list, const std::string& text) {
        return std::any_of(list.rows().begin(), list.rows().end(),
                           [&](const std::string& row) { return row.find(text) != std::string::npos; });
    }

    FakeClock netClock;
};

TEST_F(LobbyScreen, APlayerJoinsByAddressTalksAndGoesBack) {
    MultiSuite& lobby = enterLobby();
    test::saveScreenPicture("lobby");

    std::string error;
    auto host = MultiPlayerGame::host("Nemo", 0, std::nullopt, netClock, error);
    ASSERT_TRUE(host) << error;
    test::RecordingLobby hostLobby;
    host->setListener(&hostLobby);

    // A typed address that is no address is said, and nothing is joined.
    type("127.0.0");
    press(VK_RETURN, '\r');
    EXPECT_EQ(mpGame(), nullptr);
    EXPECT_TRUE(holds(*lobby.messages(), "127.0.0"));

    type("." + std::string("1:") + std::to_string(host->port()));
    press(VK_RETURN, '\r');
    ASSERT_NE(mpGame(), nullptr);
    EXPECT_EQ(simNetworkGame(), mpGame());
    ASSERT_TRUE(test::pollUntil(
        [&] {
            host->poll();
            mpPoll();
            pump();
        },
        [&] { return lobby.players()->rows().size() == 2; }));
    EXPECT_TRUE(holds(*lobby.players(), "Nemo"));
    EXPECT_TRUE(holds(*lobby.players(), "Triton"));
    EXPECT_EQ(mpRemotePlayerName(1), "Nemo");

    host->sendChat("Bienvenue");
    type("Merci");
    press(VK_RETURN, '\r');
    ASSERT_TRUE(test::pollUntil(
        [&] {
            host->poll();
            mpPoll();
            pump();
        },
        [&] { return holds(*lobby.messages(), "Nemo: Bienvenue") && hostLobby.saw("Triton: Merci"); }));
    EXPECT_TRUE(lobby.chatLine()->text().empty());

    // Side 2: the host's list says so.
    clickButton(MultiSuite::kSide2);
    ASSERT_TRUE(test::pollUntil(
        [&] {
            host->poll();
            mpPoll();
            pump();
        },
        [&] { return host->players().size() == 2 && host->players()[1].side == 2; }));
    test::saveScreenPicture("lobby-joined");

    // Only the host chooses the scenario; Back ends the game, which the host hears.
    clickButton(MultiSuite::kScenario);
    EXPECT_TRUE(holds(*lobby.messages(), builtinText(kTextOnlyHostStarts)));
    clickButton(MultiSuite::kBack);
    EXPECT_EQ(mpGame(), nullptr);
    EXPECT_EQ(simNetworkGame(), nullptr);
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    ASSERT_TRUE(test::pollUntil([&] { host->poll(); }, [&] { return host->players().size() == 1; }));
}

TEST_F(LobbyScreen, AHostedGameIsHeardJoinedAndItsStartRefusedWhileAPlayerLacksTheScenario) {
    // The host takes any free port and advertises on loopback to a port free now.
    std::string error;
    const std::uint16_t advertPort = UdpSocket::open(0, error)->port();
    std::string settings = test::readFile(locationDataRoot() + "/settings.ini");
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"\"255.255.255.255\"", "\"127.255.255.255\""},
          {"\"47110\"", "\"0\""},
          {"\"47111\"", "\"" + std::to_string(advertPort) + "\""}})
        settings.replace(settings.find(from), from.size(), to);
    ASSERT_TRUE(settingsLoadText(settings, error)) << error;

    MultiSuite& lobby = enterLobby();
    lobby.setScenarioChooser([] { return std::optional<std::string>("Duel.scm"); });
    clickButton(MultiSuite::kHost);
    ASSERT_NE(mpGame(), nullptr);
    EXPECT_EQ(mpGame()->role(), MultiPlayerGame::Role::Host);
    EXPECT_NE(mpGame()->port(), 0);
    // Its own advert comes back to the lobby's list of hosts.
    ASSERT_TRUE(test::pollUntil(
        [&] {
            mpPoll();
            run(10);
        },
        [&] { return holds(*lobby.hosts(), "Triton"); }));

    auto client = MultiPlayerGame::join("Ondine", {0x7F000001, mpGame()->port()}, error);
    ASSERT_TRUE(client) << error;
    client->setScenarioLookup([](const std::string&) { return std::optional<ScenarioFacts>(); });
    ASSERT_TRUE(test::pollUntil(
        [&] {
            client->poll();
            mpPoll();
            pump();
        },
        [&] { return lobby.players()->rows().size() == 2; }));

    clickButton(MultiSuite::kScenario);
    ASSERT_TRUE(test::pollUntil(
        [&] {
            client->poll();
            mpPoll();
            pump();
        },
        [&] { return holds(*lobby.messages(), "Ondine n'a pas"); }));
    clickButton(MultiSuite::kStart);
    EXPECT_EQ(
        std::count_if(lobby.messages()->rows().begin(), lobby.messages()->rows().end(),
                      [](const std::string& row) { return row.find("Ondine n'a pas") != std::string::npos; }),
        2);
    EXPECT_FALSE(mpGame()->started());
    clickButton(MultiSuite::kLobbyFlag);
    EXPECT_TRUE(mpGame()->lobbyFlag());
    test::saveScreenPicture("lobby-host");
    test::loadDataSetSettings();
}

} // namespace
} // namespace q71
