#pragma once
// The network lobby (slot 12, "MultiPlayer"): host a game or join one heard on the local network
// or typed as an address, choose a side, talk, and (the host) choose the scenario and the lobby
// flag and start. Its lists get their lines through the registered window messages
// "WM_MPADDTOMSGLIST" (messages and chat), "WM_MPADDTOSERVERLIST" (hosts heard) and
// "WM_MPADDTOCONNECTLIST" (players). The start builds the mission at every peer and shows the host
// screen; the lobby stays behind it, hearing the game, until the game ends.

#include "frontend/front_end_screen.h"
#include "multiplayer/host_advert.h"
#include "multiplayer/multi_player_game.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace q71 {

class GlassList;
class NameField;
class SimpleButton;

class MultiSuite : public FrontEndScreen, public LobbyListener {
public:
    enum Button : int { kHost, kJoin, kSide1, kSide2, kScenario, kLobbyFlag, kStart, kBack };
    /// Commands of the lobby flag: 503 sets it, 504 clears it.
    static constexpr int kLobbyFlagOn = 503, kLobbyFlagOff = 504;

    explicit MultiSuite(WindowHandle parent);
    ~MultiSuite() override;

    void open() override;
    void close() override;
    /// Shown again (after a mission), the lists say what the game is now.
    void onShow() override;
    int onCommand(WParam wParam, LParam lParam) override;
    /// Typing goes to the address before a game, to the chat line during one; Enter joins or
    /// sends, Esc goes back to the main menu.
    int onKey(int key, int category) override;
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;

    void lobbyLine(const std::string& line) override;
    void lobbyChanged() override;
    void missionStart(const MsgStart& start) override;

    /// How the host picks the scenario: the scenario file box by default.
    void setScenarioChooser(std::function<std::optional<std::string>()> choose) {
        chooseScenario_ = std::move(choose);
    }

    bool hostGame();
    bool joinGame();
    void pickScenario();
    bool startGame();
    void sendChat();
    void leave();

    GlassList* messages() const { return messages_.get(); }
    GlassList* hosts() const { return hosts_.get(); }
    GlassList* players() const { return players_.get(); }
    NameField* address() const { return address_.get(); }
    NameField* chatLine() const { return chat_.get(); }

private:
    void wire(std::unique_ptr<MultiPlayerGame> game);
    void pollAdverts();
    /// Ends a client's game whose host could not be reached, refused it or left before the start.
    void endLostJoin();
    void sendRows(std::uint32_t message, const std::vector<std::string>& rows);
    NameField* typingField() const;

    std::uint32_t msgList_ = 0, serverList_ = 0, connectList_ = 0;
    std::unique_ptr<GlassList> hosts_, players_, scenario_, messages_;
    std::unique_ptr<NameField> address_, chat_;
    std::vector<std::unique_ptr<SimpleButton>> buttons_;
    std::unique_ptr<AdvertListener> adverts_;
    std::function<std::optional<std::string>()> chooseScenario_;
    bool starting_ = false;
    std::string joining_; ///< the address of the host joined last
};

/// Registers the lobby's maker for slot 12.
void mpInstallScreens();

} // namespace q71
