#pragma once
// A player at the network lobby of the program's screens on the headless window system: the
// main menu's line opens it, its buttons are clicked where they lie, its lists are read back.
// The lobby's settings can be pointed at loopback (any free game port, adverts to a port free
// now), so tests never meet the real network or each other.

#include "framework/app/screen_manager.h"
#include "frontend/glass_list.h"
#include "multiplayer/lobby/lobby_layout.h"
#include "multiplayer/lobby/multi_suite.h"
#include "multiplayer/mp_session.h"
#include "multiplayer/net_socket.h"
#include "platform/files/locations.h"
#include "platform/settings/settings_store.h"
#include "sim/scoring/player_roster.h"
#include "support/data_set_settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace q71::test {

template <class Fixture> class LobbyDriver : public Fixture {
protected:
    LobbyDriver() {
        mpInstallScreens();
        EXPECT_EQ(playerDbChoose("Triton", 0), RosterStatus::Ok);
    }
    ~LobbyDriver() override {
        screenDestroy(kSlotMultiPlayer);
        mpInstallGame(nullptr);
        loadDataSetSettings();
    }

    /// The lobby, opened from the main menu's line as a player opens it.
    MultiSuite& enterLobby() {
        screenSwitch(kSlotMainMenu);
        this->pump();
        EXPECT_TRUE(this->clickMainMenuLine(kSlotMultiPlayer)) << "the menu shows the lobby's line";
        EXPECT_EQ(screenCurrentIndex(), kSlotMultiPlayer);
        return *static_cast<MultiSuite*>(screenGet(kSlotMultiPlayer));
    }

    void clickButton(int index) {
        this->clickAt(Point{lobby_layout::buttonX(index) + 20, lobby_layout::buttonY(index) + 10});
    }

    static bool holds(const GlassList& list, const std::string& text) {
        return std::any_of(list.rows().begin(), list.rows().end(),
                           [&](const std::string& row) { return row.find(text) != std::string::npos; });
    }

    /// Points the lobby at loopback: a host takes `gamePort` (0: any free port) and advertises
    /// to `advertPort` (0: a port free now), where the lobby listens. Returns that advert port.
    std::uint16_t lobbyOnLoopback(std::uint16_t gamePort = 0, std::uint16_t advertPort = 0) {
        NetError socketError;
        if (advertPort == 0)
            advertPort = UdpSocket::open(0, socketError)->port();
        std::string error;
        std::string settings = readFile(locationDataRoot() + "/settings.ini");
        for (const auto& [from, to] :
             {std::pair<std::string, std::string>{"\"255.255.255.255\"", "\"127.255.255.255\""},
              {"\"47110\"", "\"" + std::to_string(gamePort) + "\""},
              {"\"47111\"", "\"" + std::to_string(advertPort) + "\""}})
            settings.replace(settings.find(from), from.size(), to);
        EXPECT_TRUE(settingsLoadText(settings, error)) << error;
        return advertPort;
    }
};

} // namespace q71::test
