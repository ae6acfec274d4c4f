#include "multiplayer/net_link.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr std::size_t kReadChunk = 4096;

enum class Read { Message, NeedMore, Failed };

// The next whole message a connection sent, reading from the socket as needed: Message (in
// `message`), NeedMore (nothing more has arrived) or Failed (a malformed stream or a broken
// link, `error` says which).
Read readNext(TcpConnection& connection, MessageFramer& framer, NetMessage& message, std::string& error) {
    std::vector<std::uint8_t> bytes;
    for (;;) {
        switch (framer.next(bytes, error)) {
        case MessageFramer::Next::Message: {
            DecodedMessage decoded = decodeMessage(bytes);
            if (!decoded.message) {
                error = decoded.error;
                return Read::Failed;
            }
            message = std::move(*decoded.message);
            return Read::Message;
        }
        case MessageFramer::Next::Malformed:
            return Read::Failed;
        case MessageFramer::Next::NeedMore: {
            const std::vector<std::uint8_t> received = connection.receive(kReadChunk);
            if (connection.state() == TcpConnection::State::Closed) {
                error = connection.closeReason();
                return Read::Failed;
            }
            if (received.empty())
                return Read::NeedMore;
            framer.append(received);
            break;
        }
        }
    }
}

// Reads one peer's waiting messages into events; false when the peer is to be dropped (the
// Dropped event is then given).
bool readPeer(LinkedPeer& peer, std::vector<LinkEvent>& events) {
    const auto dropped = [&](std::string reason) {
        events.push_back({LinkEvent::Kind::Dropped, peer.id, {}, std::move(reason)});
        return false;
    };
    if (peer.connection->update() == TcpConnection::State::Closed)
        return dropped(peer.connection->closeReason());
    if (peer.connection->state() == TcpConnection::State::Connecting)
        return true;
    if (!peer.announced) {
        peer.announced = true;
        events.push_back({LinkEvent::Kind::Connected, peer.id, {}, {}});
    }
    NetMessage message;
    std::string error;
    for (int read = 0; read < kMessagesPerPoll; ++read) {
        switch (readNext(*peer.connection, peer.framer, message, error)) {
        case Read::Message:
            events.push_back({LinkEvent::Kind::Message, peer.id, std::move(message), {}});
            break;
        case Read::NeedMore:
            return true;
        case Read::Failed:
            return dropped(error);
        }
    }
    return true;
}

void readPeers(std::vector<LinkedPeer>& peers, std::vector<LinkEvent>& events) {
    std::erase_if(peers, [&](LinkedPeer& peer) { return !readPeer(peer, events); });
}

void sendToPeers(std::vector<LinkedPeer>& peers, const NetMessage& message, std::int32_t only,
                 std::int32_t except) {
    const std::vector<std::uint8_t> bytes = encodeMessage(message);
    for (LinkedPeer& peer : peers)
        if ((only == 0 || peer.id == only) && peer.id != except)
            peer.connection->send(bytes);
}

std::vector<std::int32_t> peerIds(const std::vector<LinkedPeer>& peers) {
    std::vector<std::int32_t> ids;
    for (const LinkedPeer& peer : peers)
        ids.push_back(peer.id);
    return ids;
}

} // namespace

std::unique_ptr<HostLink> HostLink::open(std::uint16_t port, const Clock& clock, NetError& error) {
    std::unique_ptr<TcpListener> listener = TcpListener::open(port, error);
    if (!listener)
        return nullptr;
    return std::make_unique<HostLink>(std::move(listener), clock);
}

void HostLink::setOpen(bool open) {
    open_ = open;
    if (!open_)
        waiting_.clear();
}

void HostLink::poll(std::vector<LinkEvent>& events) {
    acceptWaiting(events);
    std::erase_if(waiting_, [&](WaitingConnection& waiting) { return !readHello(waiting, events); });
    readPeers(peers_, events);
}

void HostLink::acceptWaiting(std::vector<LinkEvent>& events) {
    while (std::unique_ptr<TcpConnection> connection = listener_->accept()) {
        // A connection the game has no room for is closed at once.
        if (!open_ || waiting_.size() >= kMostWaitingConnections) {
            events.push_back({LinkEvent::Kind::Dropped, 0, {}, "no room for another connection"});
            continue;
        }
        waiting_.push_back({std::move(connection), {}, clock_.nowMs()});
    }
}

bool HostLink::readHello(WaitingConnection& waiting, std::vector<LinkEvent>& events) {
    const auto dropped = [&](std::string reason) {
        events.push_back({LinkEvent::Kind::Dropped, 0, {}, std::move(reason)});
        return false;
    };
    if (waiting.connection->update() == TcpConnection::State::Closed)
        return dropped(waiting.connection->closeReason());
    NetMessage message;
    std::string error;
    switch (readNext(*waiting.connection, waiting.framer, message, error)) {
    case Read::Failed:
        return dropped(error);
    case Read::NeedMore:
        if (clock_.nowMs() - waiting.acceptedMs >= kHelloWaitMs)
            return dropped("no hello within 10 s");
        return true;
    case Read::Message:
        break;
    }
    if (!std::holds_alternative<MsgHello>(message))
        return dropped("a first message other than a hello");
    const std::int32_t id = freeId();
    if (id > kNetMaxPlayers)
        return dropped("no room for another player");
    // What it sent after its hello is read as the peer's, in this same poll.
    peers_.push_back({id, std::move(waiting.connection), std::move(waiting.framer), true});
    events.push_back({LinkEvent::Kind::Message, id, std::move(message), {}});
    return false;
}

std::int32_t HostLink::freeId() const {
    std::int32_t id = kHostPlayerId + 1;
    while (id <= kNetMaxPlayers &&
           std::any_of(peers_.begin(), peers_.end(), [&](const LinkedPeer& p) { return p.id == id; }))
        ++id;
    return id;
}

void HostLink::sendTo(std::int32_t peer, const NetMessage& message) {
    if (peer != 0)
        sendToPeers(peers_, message, peer, 0);
}

void HostLink::sendAll(const NetMessage& message, std::int32_t except) {
    sendToPeers(peers_, message, 0, except);
}

void HostLink::drop(std::int32_t peer) {
    std::erase_if(peers_, [&](const LinkedPeer& p) { return p.id == peer; });
}

std::vector<std::int32_t> HostLink::peers() const {
    return peerIds(peers_);
}

std::unique_ptr<ClientLink> ClientLink::connect(const NetAddress& host, NetError& error) {
    std::unique_ptr<TcpConnection> connection = TcpConnection::connect(host, error);
    if (!connection)
        return nullptr;
    return std::make_unique<ClientLink>(std::move(connection));
}

ClientLink::ClientLink(std::unique_ptr<TcpConnection> connection) {
    host_.push_back({kHostPlayerId, std::move(connection), {}, false});
}

void ClientLink::poll(std::vector<LinkEvent>& events) {
    readPeers(host_, events);
}

void ClientLink::sendTo(std::int32_t peer, const NetMessage& message) {
    if (peer == kHostPlayerId)
        sendToPeers(host_, message, 0, 0);
}

void ClientLink::sendAll(const NetMessage& message, std::int32_t except) {
    if (except != kHostPlayerId)
        sendToPeers(host_, message, 0, 0);
}

void ClientLink::drop(std::int32_t /*peer*/) {
    host_.clear();
}

std::vector<std::int32_t> ClientLink::peers() const {
    return peerIds(host_);
}

} // namespace q71
