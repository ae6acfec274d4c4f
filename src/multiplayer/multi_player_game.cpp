#include "multiplayer/multi_player_game.h"

#include "framework/textmngr/text_manager.h"
#include "multiplayer/builtin_format.h"
#include "multiplayer/mp_session.h"
#include "platform/text/program_log.h"

#include <algorithm>
#include <cstdio>

namespace q71 {
namespace {

constexpr std::uint8_t kEventClock = 9;
constexpr std::int32_t kControlPause = 0;
constexpr std::int32_t kControlInMission = 1;

template <class T> const T* as(const NetMessage& message) {
    return std::get_if<T>(&message);
}

// The sender of the messages a peer plays in the mission (and chats), when the message has one.
std::optional<std::int32_t> senderOf(const NetMessage& message) {
    if (const auto* m = as<MsgEvent>(message))
        return m->sender;
    if (const auto* m = as<MsgEntityState>(message))
        return m->sender;
    if (const auto* m = as<MsgControl>(message))
        return m->sender;
    if (const auto* m = as<MsgDamage>(message))
        return m->sender;
    if (const auto* m = as<MsgChat>(message))
        return m->sender;
    return std::nullopt;
}

} // namespace

std::unique_ptr<MultiPlayerGame> MultiPlayerGame::host(const std::string& name, std::uint16_t port,
                                                       std::optional<NetAddress> broadcast,
                                                       const Clock& clock, NetError& error) {
    std::unique_ptr<HostLink> link = HostLink::open(port, clock, error);
    if (!link)
        return nullptr;
    auto game = std::make_unique<MultiPlayerGame>(Role::Host, name, std::move(link));
    if (broadcast) {
        // A game without adverts can still be joined by its address.
        NetError advertError;
        if (std::unique_ptr<AdvertBeacon> beacon = AdvertBeacon::open(*broadcast, clock, advertError))
            game->setAdvertBeacon(std::move(beacon));
        else
            std::fprintf(stderr, "q71: no adverts for the network game: %s\n", advertError.text().c_str());
    }
    return game;
}

std::unique_ptr<MultiPlayerGame> MultiPlayerGame::join(const std::string& name, const NetAddress& address,
                                                       NetError& error) {
    std::unique_ptr<ClientLink> link = ClientLink::connect(address, error);
    if (!link)
        return nullptr;
    return std::make_unique<MultiPlayerGame>(Role::Client, name, std::move(link));
}

MultiPlayerGame::MultiPlayerGame(Role role, std::string name, std::unique_ptr<NetLink> link)
    : role_(role), name_(std::move(name)), link_(std::move(link)) {
    name_ = name_.substr(0, kNetNameField - 1);
    if (role_ == Role::Host) {
        ownId_ = kHostPlayerId;
        linked_ = true;
        hostState_ = HostState::Welcomed;
        players_.push_back({kHostPlayerId, 1, name_, ScenarioCheck::Has, false});
    }
}

std::uint16_t MultiPlayerGame::port() const {
    const auto* host = dynamic_cast<const HostLink*>(link_.get());
    return host ? host->port() : 0;
}

bool MultiPlayerGame::connected() const {
    return linked_ && hostState_ == HostState::Welcomed;
}

void MultiPlayerGame::poll() {
    // Starting the mission pumps messages, which polls again: that poll waits for this one.
    if (!link_ || polling_)
        return;
    polling_ = true;
    std::vector<LinkEvent> events;
    link_->poll(events);
    for (const LinkEvent& event : events)
        handle(event);
    if (beacon_ && !started_)
        beacon_->poll({name_, port(), static_cast<int>(players_.size()), kNetMaxPlayers});
    polling_ = false;
}

void MultiPlayerGame::leave() {
    if (!link_)
        return;
    if (ownId_ != 0)
        send(MsgLeft{ownId_});
    // What is queued goes out before the sockets close, as far as the system takes it at once.
    std::vector<LinkEvent> ignored;
    link_->poll(ignored);
    link_.reset();
    beacon_.reset();
    linked_ = false;
    gameActive_ = false;
}

void MultiPlayerGame::handle(const LinkEvent& event) {
    switch (event.kind) {
    case LinkEvent::Kind::Connected:
        if (role_ == Role::Client) {
            linked_ = true;
            link_->sendTo(kHostPlayerId, MsgHello{name_});
        }
        break;
    case LinkEvent::Kind::Dropped:
        if (event.peer == 0) {
            std::fprintf(stderr, "q71: a network connection closed before its hello: %s\n",
                         event.reason.c_str());
        } else {
            std::fprintf(stderr, "q71: network peer %d dropped: %s\n", event.peer, event.reason.c_str());
            if (role_ == Role::Client)
                hostGone();
            else
                peerGone(event.peer, true);
        }
        break;
    case LinkEvent::Kind::Message:
        if (role_ == Role::Host)
            hostHandles(event.peer, event.message);
        else
            clientHandles(event.message);
        break;
    }
}

void MultiPlayerGame::hostHandles(std::int32_t peer, const NetMessage& message) {
    LobbyPlayer* from = player(peer);
    if (const auto* hello = as<MsgHello>(message)) {
        if (from)
            return;
        if (started_) {
            link_->drop(peer); // not welcomed, it must hear nothing
            return;
        }
        players_.push_back({peer, 1, hello->name, ScenarioCheck::Unknown, false});
        link_->sendTo(peer, MsgWelcome{peer});
        for (const LobbyPlayer& p : players_)
            link_->sendTo(peer, MsgJoined{p.id, p.side, p.name});
        link_->sendAll(MsgJoined{peer, 1, hello->name}, peer);
        if (scenario_)
            link_->sendTo(peer, *scenario_);
        line(builtinFormat(kTextPlayerJoined, hello->name.c_str()));
        changed();
        return;
    }
    if (!from)
        return; // nothing counts before the welcome
    if (const auto* joined = as<MsgJoined>(message)) {
        if (joined->playerId != peer || started_)
            return;
        from->side = joined->side;
        link_->sendAll(MsgJoined{peer, from->side, from->name});
        changed();
    } else if (const auto* reply = as<MsgScenarioReply>(message)) {
        if (reply->sender != peer || !scenario_)
            return;
        from->scenario = reply->has == 1 ? ScenarioCheck::Has : ScenarioCheck::Lacks;
        if (from->scenario == ScenarioCheck::Lacks)
            line(builtinFormat(kTextLacksScenario, from->name.c_str(), scenario_->name.c_str()));
        changed();
    } else if (const auto* left = as<MsgLeft>(message)) {
        if (left->playerId == peer) {
            link_->drop(peer);
            peerGone(peer, false);
        }
    } else if (senderOf(message) == peer) {
        link_->sendAll(message, peer);
        playFromPeer(peer, message);
    }
}

void MultiPlayerGame::clientHandles(const NetMessage& message) {
    if (const auto* welcome = as<MsgWelcome>(message)) {
        if (ownId_ == 0) {
            ownId_ = welcome->playerId;
            hostState_ = HostState::Welcomed;
        }
    } else if (const auto* joined = as<MsgJoined>(message)) {
        if (ownId_ == 0)
            return;
        if (LobbyPlayer* known = player(joined->playerId)) {
            known->side = joined->side;
            known->name = joined->name;
        } else {
            // The host has its own scenario; of the others a client knows nothing.
            const ScenarioCheck check =
                joined->playerId == kHostPlayerId ? ScenarioCheck::Has : ScenarioCheck::Unknown;
            players_.push_back({joined->playerId, joined->side, joined->name, check, false});
            // After its welcome the host lists who was there already, this client last: only
            // those who come after it are news.
            if (rosterHeard_)
                line(builtinFormat(kTextPlayerJoined, joined->name.c_str()));
        }
        rosterHeard_ = rosterHeard_ || joined->playerId == ownId_;
        changed();
    } else if (const auto* left = as<MsgLeft>(message)) {
        if (left->playerId != ownId_ && left->playerId != kHostPlayerId)
            peerGone(left->playerId, false);
    } else if (const auto* scenario = as<MsgScenario>(message)) {
        if (!started_)
            checkScenario(*scenario);
    } else if (const auto* start = as<MsgStart>(message)) {
        const bool listed = std::any_of(start->players.begin(), start->players.end(),
                                        [&](const StartPlayer& p) { return p.id == ownId_; });
        if (started_ || !listed)
            return;
        started_ = *start;
        players_.clear();
        for (const StartPlayer& p : start->players)
            players_.push_back({p.id, p.side, p.name, ScenarioCheck::Has, false});
        lobbyFlag_ = start->lobbyFlag == 1;
        changed();
        if (listener_)
            listener_->missionStart(*start);
    } else if (const std::optional<std::int32_t> sender = senderOf(message); sender && *sender != ownId_) {
        playFromPeer(*sender, message);
    }
}

void MultiPlayerGame::playFromPeer(std::int32_t peer, const NetMessage& message) {
    if (const auto* chat = as<MsgChat>(message)) {
        showChat(peer, nameOf(peer), chat->text);
        return;
    }
    if (!gameActive_ || !world_)
        return; // the mission of this peer does not stand yet
    if (const auto* state = as<MsgEntityState>(message)) {
        if (shared_.shared(state->entityId))
            world_->entityState(*state);
    } else if (const auto* damage = as<MsgDamage>(message)) {
        // An entity this world may number otherwise is not touched, nor a hit booked to it.
        if (shared_.shared(damage->targetId) &&
            (damage->attackerId == 0 || shared_.shared(damage->attackerId)))
            world_->damage(*damage);
    } else if (const auto* control = as<MsgControl>(message)) {
        if (control->subType == kControlPause)
            world_->pauseLock(peer, control->flag);
        else if (control->subType == kControlInMission)
            if (LobbyPlayer* p = player(peer))
                p->inMission = control->flag == 1;
    } else if (const auto* event = as<MsgEvent>(message)) {
        if (event->code == kEventClock) {
            // Only the host's clock is the game's.
            if (peer == kHostPlayerId && role_ == Role::Client)
                world_->clock(eventPairedDouble(*event));
        } else if (event->subject == peer) {
            world_->boatEvent(*event);
        }
    }
}

void MultiPlayerGame::peerGone(std::int32_t peer, bool lost) {
    const auto gone =
        std::find_if(players_.begin(), players_.end(), [&](const LobbyPlayer& p) { return p.id == peer; });
    if (gone == players_.end())
        return;
    line(builtinFormat(lost ? kTextLinkLost : kTextPlayerLeftLobby, gone->name.c_str()));
    players_.erase(gone);
    if (role_ == Role::Host)
        link_->sendAll(MsgLeft{peer});
    if (gameActive_ && world_) {
        // His pause goes with him: nobody is left to end it.
        world_->pauseLock(peer, 0);
        world_->playerLeft(peer);
    }
    changed();
}

void MultiPlayerGame::hostGone() {
    if (hostState_ != HostState::Welcomed) {
        // Never welcomed: no game was joined, the lobby says why.
        hostState_ = linked_ ? HostState::Refused : HostState::Unreachable;
        linked_ = false;
        changed();
        return;
    }
    linked_ = false;
    hostState_ = HostState::Left;
    line(builtinText(14));
    if (gameActive_ && world_) {
        // Every pause came through the host: none can be ended now.
        for (const LobbyPlayer& p : players_)
            if (p.id != ownId_)
                world_->pauseLock(p.id, 0);
        world_->playerLeft(0);
        world_->hostGone();
    }
    changed();
}

void MultiPlayerGame::setSide(std::int32_t side) {
    if ((side != 1 && side != 2) || started_)
        return;
    if (LobbyPlayer* own = player(ownId_))
        own->side = side;
    if (role_ == Role::Host)
        link_->sendAll(MsgJoined{ownId_, side, name_});
    else if (ownId_ != 0)
        link_->sendTo(kHostPlayerId, MsgJoined{ownId_, side, name_});
    changed();
}

void MultiPlayerGame::chooseScenario(const MsgScenario& scenario) {
    if (role_ != Role::Host || started_ || !netScenarioNameAllowed(scenario.name))
        return;
    scenario_ = scenario;
    for (LobbyPlayer& p : players_)
        p.scenario = p.id == ownId_ ? ScenarioCheck::Has : ScenarioCheck::Unknown;
    link_->sendAll(scenario);
    changed();
}

void MultiPlayerGame::checkScenario(const MsgScenario& scenario) {
    scenario_ = scenario;
    const std::optional<ScenarioFacts> facts =
        scenarioLookup_ ? scenarioLookup_(scenario.name) : std::nullopt;
    const bool has = facts && facts->size == scenario.size && facts->crc == scenario.crc;
    for (LobbyPlayer& p : players_)
        if (p.id != kHostPlayerId)
            p.scenario = ScenarioCheck::Unknown;
    if (LobbyPlayer* own = player(ownId_))
        own->scenario = has ? ScenarioCheck::Has : ScenarioCheck::Lacks;
    line(builtinFormat(kTextScenarioChosen, scenario.name.c_str()));
    if (!has)
        line(builtinFormat(kTextScenarioMissing, scenario.name.c_str()));
    link_->sendTo(kHostPlayerId, MsgScenarioReply{ownId_, has ? 1 : 0});
    changed();
}

std::optional<std::string> MultiPlayerGame::startRefusal(std::int32_t ownShipStarts) const {
    if (role_ != Role::Host)
        return builtinText(kTextOnlyHostStarts);
    if (!scenario_)
        return builtinText(kTextChooseScenario);
    if (players_.size() < 2)
        return builtinText(kTextAlone);
    const auto count = static_cast<std::int32_t>(players_.size());
    // The number of starts agrees with its noun: none, one, or several.
    if (ownShipStarts <= 0)
        return builtinFormat(kTextNoStartForPlayers, count);
    if (ownShipStarts == 1)
        return builtinFormat(kTextOneStartForPlayers, count);
    if (ownShipStarts < count)
        return builtinFormat(kTextTooFewStarts, ownShipStarts, count);
    for (const LobbyPlayer& p : players_)
        if (p.scenario != ScenarioCheck::Has)
            return builtinFormat(kTextLacksScenario, p.name.c_str(), scenario_->name.c_str());
    return std::nullopt;
}

bool MultiPlayerGame::start(std::uint32_t seed, std::int32_t ownShipStarts, std::string& why) {
    if (const std::optional<std::string> refusal = startRefusal(ownShipStarts)) {
        why = *refusal;
        return false;
    }
    MsgStart start{seed, lobbyFlag_ ? 1 : 0, {}};
    for (const LobbyPlayer& p : players_)
        start.players.push_back({p.id, p.side, p.name});
    link_->sendAll(start);
    if (auto* host = dynamic_cast<HostLink*>(link_.get()))
        host->setOpen(false);
    started_ = start;
    if (listener_)
        listener_->missionStart(start);
    return true;
}

std::optional<std::uint32_t> MultiPlayerGame::missionSeed() const {
    if (!started_)
        return std::nullopt;
    return started_->seed;
}

void MultiPlayerGame::send(const NetMessage& message) {
    if (!link_)
        return;
    if (role_ == Role::Host)
        link_->sendAll(message);
    else
        link_->sendTo(kHostPlayerId, message);
}

void MultiPlayerGame::sendControl(std::int32_t subType, std::int32_t flag) {
    send(MsgControl{ownId_, subType, flag});
}

void MultiPlayerGame::sendDamage(double amount, std::int32_t attackerId, std::int32_t targetId,
                                 bool explode) {
    // What this peer alone made exists nowhere else: a hit on it stays here.
    if (shared_.shared(targetId))
        send(MsgDamage{ownId_, amount, shared_.bookedAttacker(attackerId), targetId, explode ? 1 : 0});
}

void MultiPlayerGame::sendEntityState(const EntityStateMessage& s) {
    if (shared_.shared(s.entityId))
        send(MsgEntityState{ownId_, s.entityId, s.sinking, s.x, s.y, s.z, s.speed, s.heading, s.pitch,
                            s.roll});
}

void MultiPlayerGame::sendEventWithPair(std::uint8_t code, std::uint32_t low, std::uint32_t high,
                                        std::int32_t subject) {
    send(MsgEvent{ownId_, code, low, high, 0, subject});
}

void MultiPlayerGame::sendEventWithValue(std::uint8_t code, std::int32_t value, std::int32_t subject) {
    send(MsgEvent{ownId_, code, static_cast<std::uint32_t>(value), 0, 0, subject});
}

void MultiPlayerGame::sendEventWithValues(std::uint8_t code, std::int32_t value1, std::int32_t value2,
                                          std::int32_t value3, std::int32_t subject) {
    send(MsgEvent{ownId_, code, static_cast<std::uint32_t>(value1), static_cast<std::uint32_t>(value2),
                  static_cast<std::uint32_t>(value3), subject});
}

void MultiPlayerGame::sendChat(std::string_view text) {
    const MsgChat chat{ownId_, std::string(text.substr(0, kNetChatLimit))};
    send(chat);
    showChat(ownId_, name_, chat.text);
}

void MultiPlayerGame::showChat(std::int32_t id, const std::string& name, const std::string& text) {
    // French sets a space before the colon.
    const std::string shown = name + " : " + text;
    if (gameActive_ && world_)
        world_->chatLine(shown, id);
    else
        line(shown);
}

std::optional<std::string> MultiPlayerGame::remotePlayerName(std::int32_t id) const {
    return mpRemotePlayerName(id);
}

void MultiPlayerGame::line(const std::string& text) {
    if (listener_)
        listener_->lobbyLine(text);
    else
        logLine(text);
}

void MultiPlayerGame::changed() {
    if (listener_)
        listener_->lobbyChanged();
}

LobbyPlayer* MultiPlayerGame::player(std::int32_t id) {
    const auto found =
        std::find_if(players_.begin(), players_.end(), [&](const LobbyPlayer& p) { return p.id == id; });
    return found == players_.end() ? nullptr : &*found;
}

std::string MultiPlayerGame::nameOf(std::int32_t id) const {
    for (const LobbyPlayer& p : players_)
        if (p.id == id)
            return p.name;
    return "?";
}

} // namespace q71
