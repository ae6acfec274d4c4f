#include "multiplayer/net_messages.h"

#include "platform/files/little_endian.h"
#include "sim/scoring/byte_layout.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstring>

namespace q71 {
namespace {

// Each message's type and whole size, in the order of NetMessage's alternatives.
struct MessageLayout {
    NetType type;
    std::size_t size;
};
constexpr std::array<MessageLayout, 12> kLayouts{{{NetType::Event, 28},
                                                 {NetType::EntityState, 72},
                                                 {NetType::Control, 16},
                                                 {NetType::Damage, 28},
                                                 {NetType::Hello, 36},
                                                 {NetType::Welcome, 8},
                                                 {NetType::Joined, 44},
                                                 {NetType::Left, 8},
                                                 {NetType::Scenario, 76},
                                                 {NetType::ScenarioReply, 12},
                                                 {NetType::Start, 176},
                                                 {NetType::Chat, 92}}};
static_assert(std::variant_size_v<NetMessage> == kLayouts.size());

const MessageLayout* layoutOf(std::uint16_t code) {
    const auto found = std::ranges::find(kLayouts, code, [](const MessageLayout& l) {
        return static_cast<std::uint16_t>(l.type);
    });
    return found == kLayouts.end() ? nullptr : &*found;
}
constexpr std::size_t kStartPlayerStep = 40;

// A refusal while decoding: thrown by the checks, caught once in decodeMessage.
struct Refused {
    std::string reason;
};

void require(bool holds, const char* reason) {
    if (!holds)
        throw Refused{reason};
}

std::int32_t playerIdChecked(std::int32_t id) {
    require(id >= 1 && id <= kNetMaxPlayers, "player id outside 1 to 4");
    return id;
}

std::int32_t sideChecked(std::int32_t side) {
    require(side == 1 || side == 2, "side other than 1 or 2");
    return side;
}

std::int32_t flagChecked(std::int32_t flag) {
    require(flag == 0 || flag == 1, "flag other than 0 or 1");
    return flag;
}

double finiteChecked(double value) {
    require(std::isfinite(value), "value not finite");
    return value;
}

// Events whose two values are a double's halves: the ordered speed, depth and course, the clock.
bool eventCarriesDouble(std::uint8_t code) {
    return code <= 2 || code == 9;
}

// Reads fields at their offsets in a whole message.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : layout_(bytes) {}
    std::int32_t i32(std::size_t offset) const {
        std::int32_t value = 0;
        layout_.i32(offset, value);
        return value;
    }
    std::uint32_t u32(std::size_t offset) const { return static_cast<std::uint32_t>(i32(offset)); }
    std::uint8_t u8(std::size_t offset) const {
        std::uint8_t value = 0;
        layout_.u8(offset, value);
        return value;
    }
    double f64(std::size_t offset) const {
        double value = 0.0;
        layout_.f64(offset, value);
        return finiteChecked(value);
    }
    template <std::size_t N> std::string text(std::size_t offset) const {
        std::array<char, N> field{};
        layout_.text(offset, field);
        const auto end = std::find(field.begin(), field.end(), '\0');
        require(end != field.end(), "string without its end");
        return std::string(field.begin(), end);
    }

private:
    LayoutReader layout_;
};

// Writes fields at their offsets into a message already sized and headed.
class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& bytes) : layout_(bytes) {}
    void i32(std::size_t offset, std::int32_t value) const { layout_.i32(offset, value); }
    void u32(std::size_t offset, std::uint32_t value) const {
        layout_.i32(offset, static_cast<std::int32_t>(value));
    }
    void u8(std::size_t offset, std::uint8_t value) const { layout_.u8(offset, value); }
    void f64(std::size_t offset, double value) const { layout_.f64(offset, value); }
    template <std::size_t N> void text(std::size_t offset, const std::string& value) const {
        std::array<char, N> field{};
        std::memcpy(field.data(), value.data(), std::min(value.size(), N - 1));
        layout_.text(offset, field);
    }

private:
    LayoutWriter layout_;
};

std::vector<std::uint8_t> headed(const MessageLayout& layout) {
    const std::size_t size = layout.size;
    std::vector<std::uint8_t> bytes(size, 0);
    storeLe16(bytes.data(), static_cast<std::uint16_t>(layout.type));
    storeLe16(bytes.data() + 2, static_cast<std::uint16_t>(size));
    return bytes;
}

// Writes each message's fields into its bytes, already sized and headed.
struct Encoder {
    Writer w;

    void operator()(const MsgEvent& m) const {
        w.i32(4, m.sender);
        w.u8(8, m.code);
        w.u32(12, m.value1);
        w.u32(16, m.value2);
        w.u32(20, m.value3);
        w.i32(24, m.subject);
    }
    void operator()(const MsgEntityState& m) const {
        w.i32(4, m.sender);
        w.u32(8, m.entityId);
        w.u32(12, m.sinking);
        const std::array<double, 7> values{m.x, m.y, m.z, m.speed, m.heading, m.pitch, m.roll};
        for (std::size_t i = 0; i < values.size(); ++i)
            w.f64(16 + 8 * i, values[i]);
    }
    void operator()(const MsgControl& m) const {
        w.i32(4, m.sender);
        w.i32(8, m.subType);
        w.i32(12, m.flag);
    }
    void operator()(const MsgDamage& m) const {
        w.i32(4, m.sender);
        w.f64(8, m.amount);
        w.i32(16, m.attackerId);
        w.i32(20, m.targetId);
        w.i32(24, m.explode);
    }
    void operator()(const MsgHello& m) const {
        w.text<kNetNameField>(4, m.name);
    }
    void operator()(const MsgWelcome& m) const {
        w.i32(4, m.playerId);
    }
    void operator()(const MsgJoined& m) const {
        w.i32(4, m.playerId);
        w.i32(8, m.side);
        w.text<kNetNameField>(12, m.name);
    }
    void operator()(const MsgLeft& m) const {
        w.i32(4, m.playerId);
    }
    void operator()(const MsgScenario& m) const {
        w.text<kNetScenarioField>(4, m.name);
        w.u32(68, m.size);
        w.u32(72, m.crc);
    }
    void operator()(const MsgScenarioReply& m) const {
        w.i32(4, m.sender);
        w.i32(8, m.has);
    }
    void operator()(const MsgStart& m) const {
        const std::size_t count = std::min<std::size_t>(m.players.size(), kNetMaxPlayers);
        w.u32(4, m.seed);
        w.i32(8, m.lobbyFlag);
        w.i32(12, static_cast<std::int32_t>(count));
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = 16 + kStartPlayerStep * i;
            w.i32(at, m.players[i].id);
            w.i32(at + 4, m.players[i].side);
            w.text<kNetNameField>(at + 8, m.players[i].name);
        }
    }
    void operator()(const MsgChat& m) const {
        w.i32(4, m.sender);
        w.text<kNetChatField>(8, m.text.substr(0, kNetChatLimit));
    }
};

NetMessage decodeBody(NetType type, const Reader& r) {
    switch (type) {
    case NetType::Event: {
        MsgEvent event{playerIdChecked(r.i32(4)), r.u8(8), r.u32(12), r.u32(16), r.u32(20), r.i32(24)};
        if (eventCarriesDouble(event.code))
            finiteChecked(eventPairedDouble(event));
        return event;
    }
    case NetType::EntityState:
        return MsgEntityState{playerIdChecked(r.i32(4)),
                              r.u32(8),
                              r.u32(12),
                              r.f64(16),
                              r.f64(24),
                              r.f64(32),
                              r.f64(40),
                              r.f64(48),
                              r.f64(56),
                              r.f64(64)};
    case NetType::Control: {
        const std::int32_t subType = r.i32(8);
        require(subType == 0 || subType == 1, "control sub-type other than 0 or 1");
        return MsgControl{playerIdChecked(r.i32(4)), subType, flagChecked(r.i32(12))};
    }
    case NetType::Damage: {
        const double amount = r.f64(8);
        require(amount >= 0.0, "negative damage");
        return MsgDamage{playerIdChecked(r.i32(4)), amount, r.i32(16), r.i32(20), flagChecked(r.i32(24))};
    }
    case NetType::Hello: {
        std::string name = r.text<kNetNameField>(4);
        require(!name.empty(), "empty player name");
        return MsgHello{std::move(name)};
    }
    case NetType::Welcome: {
        const std::int32_t id = playerIdChecked(r.i32(4));
        require(id != 1, "a client given the host's id");
        return MsgWelcome{id};
    }
    case NetType::Joined:
        return MsgJoined{playerIdChecked(r.i32(4)), sideChecked(r.i32(8)), r.text<kNetNameField>(12)};
    case NetType::Left:
        return MsgLeft{playerIdChecked(r.i32(4))};
    case NetType::Scenario: {
        std::string name = r.text<kNetScenarioField>(4);
        require(netScenarioNameAllowed(name), "scenario name not a plain .scm file name");
        return MsgScenario{std::move(name), r.u32(68), r.u32(72)};
    }
    case NetType::ScenarioReply:
        return MsgScenarioReply{playerIdChecked(r.i32(4)), flagChecked(r.i32(8))};
    case NetType::Start: {
        MsgStart start{r.u32(4), flagChecked(r.i32(8)), {}};
        const std::int32_t count = r.i32(12);
        require(count >= 1 && count <= kNetMaxPlayers, "player count outside 1 to 4");
        for (std::int32_t i = 0; i < count; ++i) {
            const std::size_t at = 16 + kStartPlayerStep * static_cast<std::size_t>(i);
            StartPlayer player{playerIdChecked(r.i32(at)), sideChecked(r.i32(at + 4)),
                               r.text<kNetNameField>(at + 8)};
            for (const StartPlayer& earlier : start.players)
                require(earlier.id != player.id, "a player listed twice");
            start.players.push_back(std::move(player));
        }
        return start;
    }
    case NetType::Chat: {
        MsgChat chat{playerIdChecked(r.i32(4)), r.text<kNetChatField>(8)};
        require(chat.text.size() <= kNetChatLimit, "chat line longer than 80 characters");
        return chat;
    }
    }
    throw Refused{"unknown message type"};
}

} // namespace

double eventPairedDouble(const MsgEvent& event) {
    return std::bit_cast<double>(std::uint64_t{event.value2} << 32 | event.value1);
}

NetType netTypeOf(const NetMessage& message) {
    return kLayouts[message.index()].type;
}

std::vector<std::uint8_t> encodeMessage(const NetMessage& message) {
    auto bytes = headed(kLayouts[message.index()]);
    std::visit(Encoder{Writer(bytes)}, message);
    return bytes;
}

std::optional<NetMsgHeader> readNetHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kNetHeaderSize)
        return std::nullopt;
    return NetMsgHeader{loadLe16(bytes.data()), loadLe16(bytes.data() + 2)};
}

bool netLengthAllowed(std::uint16_t length) {
    return length >= kNetHeaderSize && length <= kNetMaxMessageSize;
}

DecodedMessage decodeMessage(std::span<const std::uint8_t> bytes) {
    const std::optional<NetMsgHeader> header = readNetHeader(bytes);
    if (!header)
        return {std::nullopt, "message shorter than its header"};
    if (!netLengthAllowed(header->length))
        return {std::nullopt, "message length outside 4 to 1024"};
    if (header->length != bytes.size())
        return {std::nullopt, "message length other than its bytes"};
    const MessageLayout* layout = layoutOf(header->type);
    if (!layout)
        return {std::nullopt, "unknown message type " + std::to_string(header->type)};
    const NetType type = layout->type;
    if (bytes.size() != layout->size)
        return {std::nullopt, "message of type " + std::to_string(header->type) + " with the wrong size"};
    try {
        return {decodeBody(type, Reader(bytes)), {}};
    } catch (const Refused& refused) {
        return {std::nullopt, refused.reason};
    }
}

bool netScenarioNameAllowed(const std::string& name) {
    if (name.empty() || name.size() >= kNetScenarioField || name.size() <= 4)
        return false;
    if (name.find("..") != std::string::npos)
        return false;
    for (const char c : name)
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 32)
            return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return tail == ".scm";
}

} // namespace q71
