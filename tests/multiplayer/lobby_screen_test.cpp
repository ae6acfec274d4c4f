// The network lobby as a player reaches it: the main menu's line opens it, an address typed and
// Enter join a host, the players and the chat fill its lists through the registered messages,
// the chat line sends, and Back ends the game and returns to the menu; the hosts heard but its
// own, the host's scenario box holding to network scenarios, what each row may claim of the
// scenario, and joins that fail.
#include "framework/app/screen_manager.h"
#include "frontend/glass_list.h"
#include "frontend/login/name_field.h"
#include "frontend/scenario_files/scenario_file_dialog.h"
#include "frontend_fixture.h"
#include "multiplayer/scenario_facts.h"
#include "multiplayer/support/lobby_driver.h"
#include "multiplayer/support/loopback.h"
#include "multiplayer/support/raw_socket.h"
#include "multiplayer/support/recording_peers.h"
#include "platform/controls/control_messages.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_layout.h"
#include "sim/services/sim_services.h"
#include "support/screen_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace q71 {
namespace {

class LobbyScreen : public test::LobbyDriver<test::FrontEndFixture> {
protected:
    FakeClock netClock;

    /// No line of the messages holds the system's own words for a socket refused.
    static void expectNoSystemWords(const GlassList& messages) {
        for (const std::string& row : messages.rows())
            for (const char* english :
                 {"bind", "listen", static_cast<const char*>(std::strerror(EADDRINUSE))})
                EXPECT_EQ(row.find(english), std::string::npos) << row;
    }
};

TEST_F(LobbyScreen, APlayerJoinsByAddressTalksAndGoesBack) {
    MultiSuite& lobby = enterLobby();
    test::saveScreenPicture("lobby");

    NetError error;
    auto host = MultiPlayerGame::host("Nemo", 0, std::nullopt, netClock, error);
    ASSERT_TRUE(host) << error.text();
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
        [&] { return holds(*lobby.messages(), "Nemo : Bienvenue") && hostLobby.saw("Triton : Merci"); }));
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

TEST_F(LobbyScreen, AHostedGameListsOthersAdvertsNotItsOwnAndRefusesAStartWhileAPlayerLacksTheScenario) {
    const std::uint16_t advertPort = lobbyOnLoopback();
    MultiSuite& lobby = enterLobby();
    lobby.setScenarioChooser([] { return std::optional<std::string>("Duel.scm"); });
    clickButton(MultiSuite::kHost);
    ASSERT_NE(mpGame(), nullptr);
    EXPECT_EQ(mpGame()->role(), MultiPlayerGame::Role::Host);
    EXPECT_NE(mpGame()->port(), 0);
    // Another host of this machine advertises too: it is listed, this game's own advert is not.
    NetError error;
    auto other = AdvertBeacon::open(*NetAddress::parse("127.255.255.255", advertPort), netClock, error);
    ASSERT_TRUE(other) << error.text();
    other->poll({"Nautilus", 47999, 1, 4});
    ASSERT_TRUE(test::pollUntil(
        [&] {
            mpPoll();
            run(10);
        },
        [&] { return holds(*lobby.hosts(), "Nautilus"); }));
    run(1500); // its own advert went out again meanwhile
    EXPECT_EQ(lobby.hosts()->rows().size(), 1u);
    EXPECT_FALSE(holds(*lobby.hosts(), "Triton"));

    auto client = MultiPlayerGame::join("Ondine", {0x7F000001, mpGame()->port()}, error);
    ASSERT_TRUE(client) << error.text();
    client->setScenarioLookup([](const std::string&) { return std::optional<ScenarioFacts>(); });
    const auto pass = [&] {
        client->poll();
        mpPoll();
        pump();
    };
    ASSERT_TRUE(test::pollUntil(pass, [&] { return lobby.players()->rows().size() == 2; }));

    clickButton(MultiSuite::kScenario);
    // Until Ondine answers, her row claims nothing either way.
    EXPECT_FALSE(holds(*lobby.players(), "sc\xE9nario"));
    ASSERT_TRUE(test::pollUntil(pass, [&] { return holds(*lobby.messages(), "Ondine n'a pas"); }));
    EXPECT_TRUE(holds(*lobby.players(), "Ondine \x97 Camp 1, n'a pas le sc\xE9nario"));
    clickButton(MultiSuite::kStart);
    EXPECT_EQ(
        std::count_if(lobby.messages()->rows().begin(), lobby.messages()->rows().end(),
                      [](const std::string& row) { return row.find("Ondine n'a pas") != std::string::npos; }),
        2);
    EXPECT_FALSE(mpGame()->started());
    clickButton(MultiSuite::kLobbyFlag);
    EXPECT_TRUE(mpGame()->lobbyFlag());
    test::saveScreenPicture("lobby-host");
}

TEST_F(LobbyScreen, TheHostsScenarioBoxOffersOnlyWhatANetworkGameCanPlay) {
    player.dir().write("q71/Scenario/Essai.scu", "solo");
    player.dir().write("q71/Scenario/Golfe.scm", "network");
    lobbyOnLoopback();
    MultiSuite& lobby = enterLobby();
    clickButton(MultiSuite::kHost);
    ASSERT_NE(mpGame(), nullptr);

    // The box as the lobby opens it: network scenarios alone, no switch to the others.
    modalScriptPush([](WindowHandle box) {
        test::saveScreenPicture("lobby-scenario-box");
        EXPECT_FALSE(windowIsVisible(dialogGetItem(box, ScenarioFileDialog::kSingle)));
        EXPECT_FALSE(windowIsVisible(dialogGetItem(box, ScenarioFileDialog::kDataSet)));
        const WindowHandle network = dialogGetItem(box, ScenarioFileDialog::kNetwork);
        EXPECT_TRUE(windowIsVisible(network));
        EXPECT_EQ(messageSend(network, BM_GETCHECK, 0, 0), static_cast<LResult>(BST_CHECKED));
        const WindowHandle list = dialogGetItem(box, ScenarioFileDialog::kList);
        std::vector<std::string> rows;
        for (LResult row = 0; row < messageSend(list, LB_GETCOUNT, 0, 0); ++row) {
            std::array<char, 80> text{};
            messageSend(list, LB_GETTEXT, static_cast<WParam>(row), reinterpret_cast<LParam>(text.data()));
            rows.emplace_back(text.data());
        }
        EXPECT_EQ(rows, (std::vector<std::string>{"Convoi.scm", "Duel.scm", "Golfe.scm"}));
        // A solo scenario typed by its name is taken by the box, and refused by the lobby.
        dialogSetItemText(box, ScenarioFileDialog::kName, "Essai.scu");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    clickButton(MultiSuite::kScenario);
    EXPECT_FALSE(mpGame()->scenario());
    EXPECT_TRUE(holds(*lobby.messages(), "Essai.scu n'est pas un sc\xE9nario de partie en r\xE9seau (.scm)."));
    EXPECT_FALSE(holds(*lobby.messages(), "manque ici")) << "the file is there; its kind is wrong";
    // So is a scenario of the game's own, typed with its ending.
    modalScriptPush([](WindowHandle box) {
        dialogSetItemText(box, ScenarioFileDialog::kName, "Sa1.scn");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    clickButton(MultiSuite::kScenario);
    EXPECT_FALSE(mpGame()->scenario());
    EXPECT_TRUE(holds(*lobby.messages(), "Sa1.scn n'est pas un sc\xE9nario de partie en r\xE9seau (.scm)."));

    modalScriptPush([](WindowHandle box) {
        dialogSetItemText(box, ScenarioFileDialog::kName, "Duel");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    clickButton(MultiSuite::kScenario);
    ASSERT_TRUE(mpGame()->scenario());
    EXPECT_EQ(mpGame()->scenario()->name, "Duel.scm");
}

TEST_F(LobbyScreen, AClientsRowsClaimTheScenarioOnlyWhereItKnows) {
    NetError error;
    auto host = MultiPlayerGame::host("Nemo", 0, std::nullopt, netClock, error);
    ASSERT_TRUE(host) << error.text();
    test::RecordingLobby hostLobby;
    host->setListener(&hostLobby);
    MultiSuite& lobby = enterLobby();
    type("127.0.0.1:" + std::to_string(host->port()));
    press(VK_RETURN, '\r');
    const auto pass = [&] {
        host->poll();
        mpPoll();
        pump();
    };
    ASSERT_TRUE(test::pollUntil(pass, [&] { return lobby.players()->rows().size() == 2; }));
    // The host was there first: the lobby does not say he just came.
    EXPECT_FALSE(holds(*lobby.messages(), "Nemo a rejoint"));

    auto aronnax = MultiPlayerGame::join("Aronnax", {0x7F000001, host->port()}, error);
    ASSERT_TRUE(aronnax) << error.text();
    aronnax->setScenarioLookup([](const std::string&) { return std::optional<ScenarioFacts>(); });
    const auto all = [&] {
        pass();
        aronnax->poll();
    };
    ASSERT_TRUE(test::pollUntil(all, [&] { return lobby.players()->rows().size() == 3; }));
    EXPECT_TRUE(holds(*lobby.messages(), "Aronnax a rejoint la partie."));

    const std::optional<ScenarioFacts> duel = scenarioFacts("Duel.scm");
    ASSERT_TRUE(duel);
    host->chooseScenario({"Duel.scm", duel->size, duel->crc});
    ASSERT_TRUE(test::pollUntil(all, [&] {
        return host->players().size() == 3 && host->players()[1].scenario == ScenarioCheck::Has &&
               host->players()[2].scenario == ScenarioCheck::Lacks;
    }));
    pump();
    // This player's own copy is checked here; the host has his; Aronnax's answer went to the host.
    EXPECT_TRUE(holds(*lobby.players(), "Triton \x97 Camp 1, a le sc\xE9nario"));
    EXPECT_TRUE(holds(*lobby.players(), "Nemo \x97 Camp 1, h\xF4te"));
    const auto row = std::find_if(lobby.players()->rows().begin(), lobby.players()->rows().end(),
                                  [](const std::string& r) { return r.starts_with("Aronnax"); });
    ASSERT_NE(row, lobby.players()->rows().end());
    EXPECT_EQ(*row, "Aronnax \x97 Camp 1");
    test::saveScreenPicture("lobby-client");
}

TEST_F(LobbyScreen, AJoinNobodyAnswersIsSaidAndLeavesTheLobbyAsItWas) {
    lobbyOnLoopback();
    NetError error;
    std::uint16_t nobody = 0;
    {
        auto listener = TcpListener::open(0, error);
        ASSERT_TRUE(listener) << error.text();
        nobody = listener->port();
    }
    MultiSuite& lobby = enterLobby();
    const std::string address = "127.0.0.1:" + std::to_string(nobody);
    type(address);
    press(VK_RETURN, '\r');
    ASSERT_TRUE(test::pollUntil(
        [&] {
            mpPoll();
            run(10);
        },
        [&] { return mpGame() == nullptr; }));
    EXPECT_TRUE(holds(*lobby.messages(), "Aucune partie ne r\xE9pond \xE0 " + address + "."));
    EXPECT_FALSE(holds(*lobby.messages(), builtinText(14)));
    EXPECT_TRUE(lobby.address()->isVisible());
    EXPECT_FALSE(lobby.chatLine()->isVisible());
    EXPECT_EQ(simNetworkGame(), nullptr);
    test::saveScreenPicture("lobby-no-answer");

    // What is typed goes to the address again, and hosting works.
    type("x");
    EXPECT_EQ(lobby.address()->text(), address + "x");
    clickButton(MultiSuite::kHost);
    ASSERT_NE(mpGame(), nullptr);
    EXPECT_EQ(mpGame()->role(), MultiPlayerGame::Role::Host);
}

TEST_F(LobbyScreen, HostingOnAPortAnotherProgramHoldsIsSaidInFrenchAndHostingWorksAgainOnceItIsFree) {
    std::uint16_t taken = 0;
    {
        test::PortHolder other(SOCK_STREAM);
        ASSERT_TRUE(other.held());
        taken = other.port();
        lobbyOnLoopback(taken);
        MultiSuite& lobby = enterLobby();
        clickButton(MultiSuite::kHost);
        EXPECT_EQ(mpGame(), nullptr);
        EXPECT_TRUE(holds(*lobby.messages(), "La partie ne peut \xEAtre ouverte : le port " +
                                                 std::to_string(taken) +
                                                 " est d\xE9j\xE0 pris par un autre programme."));
        expectNoSystemWords(*lobby.messages());
        EXPECT_TRUE(lobby.address()->isVisible()) << "no game: the keys still go to the address";
        test::saveScreenPicture("lobby-port-taken");
    }
    clickButton(MultiSuite::kHost);
    ASSERT_NE(mpGame(), nullptr);
    EXPECT_EQ(mpGame()->port(), taken);
}

TEST_F(LobbyScreen, AnAdvertPortAnotherProgramHoldsIsSaidInFrenchAndHostingStillWorks) {
    test::PortHolder other(SOCK_DGRAM);
    ASSERT_TRUE(other.held());
    lobbyOnLoopback(0, other.port());
    MultiSuite& lobby = enterLobby();
    const std::string said = "Les annonces des parties ne peuvent \xEAtre \xE9"
                             "cout\xE9"
                             "es : le port " +
                             std::to_string(other.port()) + " est d\xE9j\xE0 pris par un autre programme.";
    EXPECT_TRUE(holds(*lobby.messages(), said));
    expectNoSystemWords(*lobby.messages());
    clickButton(MultiSuite::kHost);
    EXPECT_NE(mpGame(), nullptr);
}

TEST_F(LobbyScreen, AJoinAFullGameTurnsAwayIsSaidAndLeavesTheLobbyAsItWas) {
    lobbyOnLoopback();
    NetError error;
    auto host = MultiPlayerGame::host("Nemo", 0, std::nullopt, netClock, error);
    ASSERT_TRUE(host) << error.text();
    std::vector<std::unique_ptr<MultiPlayerGame>> seated;
    for (const char* name : {"Ondine", "Aronnax", "Conseil"})
        seated.push_back(MultiPlayerGame::join(name, {0x7F000001, host->port()}, error));
    ASSERT_TRUE(test::pollUntil(
        [&] {
            host->poll();
            for (auto& s : seated)
                s->poll();
        },
        [&] { return host->players().size() == 4; }));

    MultiSuite& lobby = enterLobby();
    const std::string address = "127.0.0.1:" + std::to_string(host->port());
    type(address);
    press(VK_RETURN, '\r');
    ASSERT_TRUE(test::pollUntil(
        [&] {
            host->poll();
            mpPoll();
            run(10);
        },
        [&] { return mpGame() == nullptr; }));
    EXPECT_TRUE(holds(*lobby.messages(), address + " a refus\xE9 la connexion"));
    EXPECT_TRUE(lobby.address()->isVisible());
    EXPECT_EQ(host->players().size(), 4u);
}

} // namespace
} // namespace q71
