#include "multiplayer/lobby/multi_suite.h"

#include "framework/app/key_matching.h"
#include "framework/app/screen_manager.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/glass_list.h"
#include "frontend/login/name_field.h"
#include "frontend/scenario_files/scenario_file_dialog.h"
#include "frontend/scenario_files/scenario_file_names.h"
#include "frontend/screen_art.h"
#include "multiplayer/builtin_format.h"
#include "multiplayer/lobby/lobby_layout.h"
#include "multiplayer/mp_session.h"
#include "multiplayer/mp_settings.h"
#include "multiplayer/net_error_text.h"
#include "multiplayer/network_mission.h"
#include "multiplayer/scenario_facts.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "sim/scoring/player_roster.h"

#include <chrono>

namespace q71 {
namespace {

enum ControlId : int {
    kHostsId = 100, // and 101 when a host is chosen by a double click
    kPlayersId = 102,
    kScenarioId = 104,
    kMessagesId = 106,
    kAddressId = 108,
    kChatId = 109,
    kFirstButtonId = 110,
};

constexpr std::uintptr_t kAdvertTimer = 1;
constexpr std::uint32_t kAdvertMs = 250;
constexpr std::size_t kKeptLines = 200;
constexpr std::size_t kLongestAddress = 21;
constexpr const char* kNobody = "Capitaine";

constexpr int kTextBadAddress = 2715;
constexpr int kTextNothingToJoin = 2716;
constexpr int kTextSide = 2717;
constexpr int kTextHost = 2718;
constexpr int kTextHasScenario = 2719;
constexpr int kTextLacksIt = 2720;
constexpr int kTextFlagOn = 2721;
constexpr int kTextFlagOff = 2722;
constexpr int kTextNoScenario = 2724;
constexpr int kTextNoAdverts = 2725;
constexpr int kTextHostRow = 2726;
constexpr int kTextNoAnswer = 2727;
constexpr int kTextRefused = 2728;
constexpr int kTextNetworkEnding = 2729;
constexpr int kTextCannotHost = 2730;
constexpr int kTextCannotJoin = 2731;

// The name the player logged in under (the key without its three-digit number).
std::string playerName() {
    const PlayerRecord* record = playerRecord();
    if (!record)
        return kNobody;
    std::string_view key = playerKeyText(record->key);
    if (key.size() > 3)
        key.remove_suffix(3);
    return key.empty() ? kNobody : std::string(key);
}

const Clock& lobbyClock() {
    static const SteadyClock clock;
    return clock;
}

void appendKept(GlassList& list, const std::string& line, bool replace) {
    std::vector<std::string> rows = replace ? std::vector<std::string>{} : list.rows();
    rows.push_back(line);
    if (rows.size() > kKeptLines)
        rows.erase(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(rows.size() - kKeptLines));
    list.replaceRows(std::move(rows));
}

} // namespace

MultiSuite::MultiSuite(WindowHandle parent)
    : FrontEndScreen("MultiPlayer", parent), msgList_(messageRegister("WM_MPADDTOMSGLIST")),
      serverList_(messageRegister("WM_MPADDTOSERVERLIST")),
      connectList_(messageRegister("WM_MPADDTOCONNECTLIST")) {
    chooseScenario_ = [this]() -> std::optional<std::string> {
        // A network game plays a ".scm": the box lists those alone.
        ScenarioFileDialog box(window_, ScenarioFileDialog::Purpose::Open, ScenarioEnding::Network, {},
                               ScenarioFileDialog::DataSet::Hidden, ScenarioFileDialog::Switching::Fixed);
        if (box.show() != 1)
            return std::nullopt;
        return box.fileName();
    };
}

MultiSuite::~MultiSuite() {
    close();
}

void MultiSuite::open() {
    using namespace lobby_layout;
    frontEndSelectGroup(kMultiGroup);
    frontEndLoadBackground(background_);
    hosts_ = std::make_unique<GlassList>(window_, kHostsId, kHostsGlass);
    players_ = std::make_unique<GlassList>(window_, kPlayersId, kPlayersGlass);
    scenario_ = std::make_unique<GlassList>(window_, kScenarioId, kScenarioGlass);
    messages_ = std::make_unique<GlassList>(window_, kMessagesId, kMessagesGlass);
    address_ = std::make_unique<NameField>(window_, kAddressId, kAddressGlass, kLongestAddress);
    chat_ = std::make_unique<NameField>(window_, kChatId, kChatGlass, kNetChatLimit);
    address_->show();
    for (int i = 0; i < static_cast<int>(kButtonTexts.size()); ++i)
        buttons_.push_back(frontEndPushButton(window_, kFirstButtonId + i, buttonX(i), buttonY(i),
                                              kButtonWidth, kButtonHeight));
    NetError error;
    adverts_ = AdvertListener::open(mpSettingsLoad().advertPort, lobbyClock(), error);
    if (!adverts_)
        lobbyLine(textFormatted(kTextNoAdverts, netErrorSaid(error).c_str()));
    timerSet(window_, kAdvertTimer, kAdvertMs);
    if (MultiPlayerGame* game = mpGame())
        game->setListener(this);
    lobbyChanged();
}

void MultiSuite::close() {
    if (window_ != WindowHandle{})
        timerKill(window_, kAdvertTimer);
    if (MultiPlayerGame* game = mpGame())
        game->setListener(nullptr);
    adverts_.reset();
    buttons_.clear();
    chat_.reset();
    address_.reset();
    messages_.reset();
    scenario_.reset();
    players_.reset();
    hosts_.reset();
    background_.free();
}

void MultiSuite::onShow() {
    FrontEndScreen::onShow();
    if (MultiPlayerGame* game = mpGame())
        game->setListener(this);
    lobbyChanged();
}

int MultiSuite::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    switch (id) {
    case kHostsId:
    case kPlayersId:
    case kScenarioId:
    case kMessagesId:
        return 1;
    case kHostsId + 1:
        joinGame();
        return 1;
    case kLobbyFlagOn:
    case kLobbyFlagOff:
        if (MultiPlayerGame* game = mpGame(); game && game->role() == MultiPlayerGame::Role::Host) {
            game->setLobbyFlag(id == kLobbyFlagOn);
            lobbyLine(textCopy(id == kLobbyFlagOn ? kTextFlagOn : kTextFlagOff));
        }
        return 1;
    default:
        break;
    }
    switch (id - kFirstButtonId) {
    case kHost:
        hostGame();
        return 1;
    case kJoin:
        joinGame();
        return 1;
    case kSide1:
    case kSide2:
        if (MultiPlayerGame* game = mpGame())
            game->setSide(id - kFirstButtonId == kSide1 ? 1 : 2);
        return 1;
    case kScenario:
        pickScenario();
        return 1;
    case kLobbyFlag:
        if (const MultiPlayerGame* game = mpGame())
            onCommand(static_cast<WParam>(game->lobbyFlag() ? kLobbyFlagOff : kLobbyFlagOn), 0);
        return 1;
    case kStart:
        startGame();
        return 1;
    case kBack:
        leave();
        return 1;
    default:
        return FrontEndScreen::onCommand(wParam, lParam);
    }
}

NameField* MultiSuite::typingField() const {
    return mpGame() ? chat_.get() : address_.get();
}

int MultiSuite::onKey(int key, int category) {
    NameField* field = typingField();
    if (!field || category != kKeyChar)
        return 0;
    switch (key) {
    case 27:
        leave();
        return 1;
    case '\r':
        if (mpGame())
            sendChat();
        else
            joinGame();
        return 1;
    case '\b':
        return field->erase() ? 1 : 0;
    default:
        return field->type(key) ? 1 : 0;
    }
}

LResult MultiSuite::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    // The lists' lines: a pointer to the text in lParam (the message is sent, never posted), and
    // wParam 1 when the line is the first of a list made anew.
    const auto line = [&]() -> const std::string& { return *reinterpret_cast<const std::string*>(lParam); };
    if (message == msgList_ && messages_) {
        appendKept(*messages_, line(), wParam == 1);
        messages_->select(static_cast<int>(messages_->rows().size()) - 1);
        return 0;
    }
    if (message == serverList_ && hosts_) {
        appendKept(*hosts_, line(), wParam == 1);
        return 0;
    }
    if (message == connectList_ && players_) {
        appendKept(*players_, line(), wParam == 1);
        return 0;
    }
    if (message == WM_TIMER && wParam == kAdvertTimer) {
        endLostJoin();
        pollAdverts();
        return 0;
    }
    return FrontEndScreen::handleMessage(window, message, wParam, lParam);
}

void MultiSuite::sendRows(std::uint32_t message, const std::vector<std::string>& rows) {
    if (rows.empty()) {
        if (GlassList* list = message == serverList_ ? hosts_.get() : players_.get())
            list->setRows({});
        return;
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        messageSend(window_, message, i == 0 ? 1 : 0, reinterpret_cast<LParam>(&rows[i]));
}

void MultiSuite::pollAdverts() {
    if (!adverts_)
        return;
    const MultiPlayerGame* game = mpGame();
    adverts_->setOwnGamePort(game && game->role() == MultiPlayerGame::Role::Host
                                 ? std::optional<std::uint16_t>(game->port())
                                 : std::nullopt);
    if (!adverts_->poll())
        return;
    std::vector<std::string> rows;
    for (const HeardHost& host : adverts_->hosts())
        rows.push_back(textFormatted(kTextHostRow, host.advert.hostName.c_str(), host.advert.players,
                                     static_cast<int>(host.address.port)));
    const int selected = hosts_ ? hosts_->selected() : -1;
    sendRows(serverList_, rows);
    if (hosts_ && selected < static_cast<int>(rows.size()))
        hosts_->select(selected);
}

void MultiSuite::lobbyLine(const std::string& line) {
    if (window_ != WindowHandle{})
        messageSend(window_, msgList_, 0, reinterpret_cast<LParam>(&line));
}

void MultiSuite::lobbyChanged() {
    const MultiPlayerGame* game = mpGame();
    std::vector<std::string> rows;
    if (game)
        for (const LobbyPlayer& p : game->players()) {
            std::string row = p.name + " \x97 " + textFormatted(kTextSide, p.side);
            if (p.id == kHostPlayerId)
                row += ", " + textCopy(kTextHost);
            else if (game->scenario() && p.scenario != ScenarioCheck::Unknown)
                row += ", " + textCopy(p.scenario == ScenarioCheck::Has ? kTextHasScenario : kTextLacksIt);
            rows.push_back(std::move(row));
        }
    sendRows(connectList_, rows);
    if (scenario_)
        scenario_->setRows({game && game->scenario() ? game->scenario()->name : textCopy(kTextNoScenario)});
    if (chat_ && address_) {
        // The caret shows where the keys go.
        (game ? address_ : chat_)->hide();
        (game ? chat_ : address_)->show();
    }
}

void MultiSuite::wire(std::unique_ptr<MultiPlayerGame> game) {
    game->setListener(this);
    game->setPeerWorld(&simPeerWorld());
    game->setScenarioLookup([](const std::string& name) { return scenarioFacts(name); });
    mpInstallGame(std::move(game));
    lobbyChanged();
}

bool MultiSuite::hostGame() {
    if (mpGame())
        return false;
    const MpSettings settings = mpSettingsLoad();
    NetError error;
    std::unique_ptr<MultiPlayerGame> game =
        MultiPlayerGame::host(playerName(), settings.gamePort, settings.broadcast, lobbyClock(), error);
    if (!game) {
        lobbyLine(textFormatted(kTextCannotHost, netErrorSaid(error).c_str()));
        return false;
    }
    const int port = game->port();
    wire(std::move(game));
    lobbyLine(builtinFormat(kTextHosting, port));
    return true;
}

bool MultiSuite::joinGame() {
    if (mpGame())
        return false;
    const MpSettings settings = mpSettingsLoad();
    std::optional<NetAddress> address;
    const std::string typed = address_ ? address_->text() : std::string();
    if (!typed.empty()) {
        address = NetAddress::parse(typed, settings.gamePort);
        if (!address) {
            lobbyLine(textFormatted(kTextBadAddress, typed.c_str()));
            return false;
        }
    } else if (adverts_ && hosts_ && hosts_->selected() >= 0 &&
               hosts_->selected() < static_cast<int>(adverts_->hosts().size())) {
        address = adverts_->hosts()[static_cast<std::size_t>(hosts_->selected())].address;
    } else {
        lobbyLine(textCopy(kTextNothingToJoin));
        return false;
    }
    NetError error;
    std::unique_ptr<MultiPlayerGame> game = MultiPlayerGame::join(playerName(), *address, error);
    if (!game) {
        lobbyLine(textFormatted(kTextCannotJoin, address->text().c_str(), netErrorSaid(error).c_str()));
        return false;
    }
    joining_ = address->text();
    wire(std::move(game));
    return true;
}

void MultiSuite::endLostJoin() {
    const MultiPlayerGame* game = mpGame();
    if (!game || game->started())
        return;
    switch (game->hostState()) {
    case MultiPlayerGame::HostState::Unreachable:
        lobbyLine(textFormatted(kTextNoAnswer, joining_.c_str()));
        break;
    case MultiPlayerGame::HostState::Refused:
        lobbyLine(textFormatted(kTextRefused, joining_.c_str()));
        break;
    case MultiPlayerGame::HostState::Left: // the game said so
        break;
    default:
        return;
    }
    // Nothing is left of that game: the lobby is as it was before the join.
    mpInstallGame(nullptr);
    lobbyChanged();
}

void MultiSuite::pickScenario() {
    MultiPlayerGame* game = mpGame();
    if (!game || game->role() != MultiPlayerGame::Role::Host) {
        lobbyLine(builtinText(kTextOnlyHostStarts));
        return;
    }
    const std::optional<std::string> name = chooseScenario_();
    if (!name)
        return;
    if (scenarioEndingOf(*name) != ScenarioEnding::Network) {
        // A name typed with another ending: what is wrong is its kind, not the file.
        lobbyLine(textFormatted(kTextNetworkEnding, name->c_str()));
        return;
    }
    const std::optional<ScenarioFacts> facts = scenarioFacts(*name);
    if (!facts || !netScenarioNameAllowed(*name)) {
        lobbyLine(builtinFormat(kTextScenarioMissing, name->c_str()));
        return;
    }
    game->chooseScenario({*name, facts->size, facts->crc});
    lobbyLine(builtinFormat(kTextScenarioChosen, name->c_str()));
}

bool MultiSuite::startGame() {
    MultiPlayerGame* game = mpGame();
    if (!game || starting_)
        return false;
    const std::optional<ScenarioFacts> facts =
        game->scenario() ? scenarioFacts(game->scenario()->name) : std::nullopt;
    const auto seed = static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    std::string why;
    if (!game->start(seed, facts ? facts->ownShipStarts : 0, why)) {
        lobbyLine(why);
        return false;
    }
    return true;
}

void MultiSuite::missionStart(const MsgStart& start) {
    MultiPlayerGame* game = mpGame();
    if (!game || !game->scenario() || starting_)
        return;
    // The start pumps messages while the terrain loads: a second start waits for this one.
    starting_ = true;
    appCursorMode(window_, 2);
    std::string why;
    const bool started = mpStartMission(*game, start, game->scenario()->name, why);
    appCursorMode(window_, 3);
    starting_ = false;
    if (!started) {
        lobbyLine(builtinFormat(kTextMissionRefused, why.c_str()));
        return;
    }
    screenCreateGenInfo();
    screenSwitch(kSlotGenInfo);
}

void MultiSuite::sendChat() {
    MultiPlayerGame* game = mpGame();
    if (!game || !chat_ || chat_->text().empty())
        return;
    game->sendChat(chat_->text());
    chat_->setText("");
}

void MultiSuite::leave() {
    mpShutdown();
    screenSwitch(kSlotMainMenu);
    screenDestroyLater(kSlotMultiPlayer);
}

void mpInstallScreens() {
    screenRegisterMaker(kSlotMultiPlayer, [](const ScreenRequest& request) -> std::unique_ptr<FullScreen> {
        return std::make_unique<MultiSuite>(request.mainWindow);
    });
}

} // namespace q71
