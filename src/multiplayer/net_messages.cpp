#include "multiplayer/net_messages.h"

#include "platform/files/little_endian.h"
#include "sim/scoring/byte_layout.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cmath>
#include <concepts>
#include <cstring>
#include <type_traits>

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

// A message's bytes, sized and headed, its fields all zero.
std::vector<std::uint8_t> headed(const MessageLayout& layout) {
    const std::size_t size = layout.size;
    std::vector<std::uint8_t> bytes(size, 0);
    storeLe16(bytes.data(), static_cast<std::uint16_t>(layout.type));
    storeLe16(bytes.data() + 2, static_cast<std::uint16_t>(size));
    return bytes;
}

// Reads the fields of a whole message at their offsets; a value that cannot stand is refused.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : layout_(bytes) {}
    void field(std::size_t offset, std::int32_t& value) const { layout_.i32(offset, value); }
    void field(std::size_t offset, std::uint32_t& value) const {
        std::int32_t word = 0;
        layout_.i32(offset, word);
        value = static_cast<std::uint32_t>(word);
    }
    void field(std::size_t offset, std::uint8_t& value) const { layout_.u8(offset, value); }
    void field(std::size_t offset, double& value) const {
        layout_.f64(offset, value);
        finiteChecked(value);
    }
    /// A text field of N bytes, ended by a NUL within them (`Limit` is the writer's: a longer
    /// text is refused by the message's own check).
    template <std::size_t N, std::size_t Limit = N - 1>
    void text(std::size_t offset, std::string& value) const {
        std::array<char, N> field{};
        layout_.text(offset, field);
        const auto end = std::find(field.begin(), field.end(), '\0');
        require(end != field.end(), "string without its end");
        value.assign(field.begin(), end);
    }
    /// The count of a list's entries, from 1 to `most`; the list is made that long.
    template <class Entry>
    std::size_t count(std::size_t offset, std::vector<Entry>& list, std::int32_t most,
                      const char* refusal) const {
        std::int32_t entries = 0;
        layout_.i32(offset, entries);
        require(entries >= 1 && entries <= most, refusal);
        list.resize(static_cast<std::size_t>(entries));
        return list.size();
    }

private:
    LayoutReader layout_;
};

// Writes the fields of a message at their offsets into its bytes, already sized and headed.
class FieldWriter {
public:
    explicit FieldWriter(std::vector<std::uint8_t>& bytes) : layout_(bytes) {}
    void field(std::size_t offset, const std::int32_t& value) const { layout_.i32(offset, value); }
    void field(std::size_t offset, const std::uint32_t& value) const {
        layout_.i32(offset, static_cast<std::int32_t>(value));
    }
    void field(std::size_t offset, const std::uint8_t& value) const { layout_.u8(offset, value); }
    void field(std::size_t offset, const double& value) const { layout_.f64(offset, value); }
    /// A text field of N bytes: no more than `Limit` characters of the text, NULs after them.
    template <std::size_t N, std::size_t Limit = N - 1>
    void text(std::size_t offset, const std::string& value) const {
        static_assert(Limit < N);
        std::array<char, N> field{};
        std::memcpy(field.data(), value.data(), std::min(value.size(), Limit));
        layout_.text(offset, field);
    }
    /// The count of a list's entries, no more than `most`: the entries written.
    template <class Entry>
    std::size_t count(std::size_t offset, const std::vector<Entry>& list, std::int32_t most,
                      const char*) const {
        const std::size_t entries = std::min(list.size(), static_cast<std::size_t>(most));
        layout_.i32(offset, static_cast<std::int32_t>(entries));
        return entries;
    }

private:
    LayoutWriter layout_;
};

// Each message's fields at their offsets, once: with a FieldReader they are decoded, with a
// FieldWriter encoded. `Msg` is the message type, const when it is written.
template <class Msg, class Type>
concept MessageOf = std::same_as<std::remove_const_t<Msg>, Type>;

template <class Fields, MessageOf<MsgEvent> Msg> void fields(const Fields& f, Msg& m) {
    f.field(4, m.sender);
    f.field(8, m.code);
    std::size_t at = 12;
    for (auto value : {&MsgEvent::value1, &MsgEvent::value2, &MsgEvent::value3}) {
        f.field(at, m.*value);
        at += 4;
    }
    f.field(24, m.subject);
}
template <class Fields, MessageOf<MsgEntityState> Msg> void fields(const Fields& f, Msg& m) {
    f.field(4, m.sender);
    f.field(8, m.entityId);
    f.field(12, m.sinking);
    std::size_t at = 16;
    for (auto value : {&MsgEntityState::x, &MsgEntityState::y, &MsgEntityState::z, &MsgEntityState::speed,
                       &MsgEntityState::heading, &MsgEntityState::pitch, &MsgEntityState::roll}) {
        f.field(at, m.*value);
        at += 8;
    }
}
template <class Fields, MessageOf<MsgControl> Msg> void fields(const Fields& f, Msg& m) {
    f.field(4, m.sender);
    f.field(8, m.subType);
    f.field(12, m.flag);
}
template <class Fields, MessageOf<MsgDamage> Msg> void fields(const Fields& f, Msg& m) {
    f.field(4, m.sender);
    f.field(8, m.amount);
    f.field(16, m.attackerId);
    f.field(20, m.targetId);
    f.field(24, m.explode);
}
template <class Fields, MessageOf<MsgHello> Msg> void fields(const Fields& f, Msg& m) {
    f.template text<kNetNameField>(4, m.name);
}
template <class Fields, MessageOf<MsgWelcome> Msg> void fields(const Fields& f, Msg& m) {
    f.field(4, m.playerId);
}
template <class Fields, MessageOf<MsgJoined> Msg> void fields(const Fields& f, Msg& m) {
    f.field(4, m.playerId);
    f.field(8, m.side);
    f.template text<kNetNameField>(12, m.name);
}
template <class Fields, MessageOf<MsgLeft> Msg> void fields(const Fields& f, Msg& m) {
    f.field(4, m.playerId);
}
template <class Fields, MessageOf<MsgScenario> Msg> void fields(const Fields& f, Msg& m) {
    f.template text<kNetScenarioField>(4, m.name);
    f.field(68, m.size);
    f.field(72, m.crc);
}
template <class Fields, MessageOf<MsgScenarioReply> Msg> void fields(const Fields& f, Msg& m) {
    f.field(4, m.sender);
    f.field(8, m.has);
}
template <class Fields, MessageOf<MsgStart> Msg> void fields(const Fields& f, Msg& m) {
    f.field(4, m.seed);
    f.field(8, m.lobbyFlag);
    const std::size_t count = f.count(12, m.players, kNetMaxPlayers, "player count outside 1 to 4");
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = 16 + kStartPlayerStep * i;
        f.field(at, m.players[i].id);
        f.field(at + 4, m.players[i].side);
        f.template text<kNetNameField>(at + 8, m.players[i].name);
    }
}
template <class Fields, MessageOf<MsgChat> Msg> void fields(const Fields& f, Msg& m) {
    f.field(4, m.sender);
    f.template text<kNetChatField, kNetChatLimit>(8, m.text);
}

// What a decoded message must hold beyond its fields' own checks.
void checkDecoded(const MsgEvent& m) {
    playerIdChecked(m.sender);
    if (eventCarriesDouble(m.code))
        finiteChecked(eventPairedDouble(m));
}
void checkDecoded(const MsgEntityState& m) {
    playerIdChecked(m.sender);
}
void checkDecoded(const MsgControl& m) {
    playerIdChecked(m.sender);
    require(m.subType == 0 || m.subType == 1, "control sub-type other than 0 or 1");
    flagChecked(m.flag);
}
void checkDecoded(const MsgDamage& m) {
    playerIdChecked(m.sender);
    require(m.amount >= 0.0, "negative damage");
    flagChecked(m.explode);
}
void checkDecoded(const MsgHello& m) {
    require(!m.name.empty(), "empty player name");
}
void checkDecoded(const MsgWelcome& m) {
    playerIdChecked(m.playerId);
    require(m.playerId != 1, "a client given the host's id");
}
void checkDecoded(const MsgJoined& m) {
    playerIdChecked(m.playerId);
    sideChecked(m.side);
}
void checkDecoded(const MsgLeft& m) {
    playerIdChecked(m.playerId);
}
void checkDecoded(const MsgScenario& m) {
    require(netScenarioNameAllowed(m.name), "scenario name not a plain .scm file name");
}
void checkDecoded(const MsgScenarioReply& m) {
    playerIdChecked(m.sender);
    flagChecked(m.has);
}
void checkDecoded(const MsgStart& m) {
    flagChecked(m.lobbyFlag);
    for (auto player = m.players.begin(); player != m.players.end(); ++player) {
        playerIdChecked(player->id);
        sideChecked(player->side);
        for (auto earlier = m.players.begin(); earlier != player; ++earlier)
            require(earlier->id != player->id, "a player listed twice");
    }
}
void checkDecoded(const MsgChat& m) {
    playerIdChecked(m.sender);
    require(m.text.size() <= kNetChatLimit, "chat line longer than 80 characters");
}

// The message of alternative `index` of NetMessage (the index of its layout), from its bytes.
template <std::size_t Alternative = 0> NetMessage decodeBody(std::size_t index, const FieldReader& r) {
    if constexpr (Alternative < std::variant_size_v<NetMessage>) {
        if (index != Alternative)
            return decodeBody<Alternative + 1>(index, r);
        std::variant_alternative_t<Alternative, NetMessage> message;
        fields(r, message);
        checkDecoded(message);
        return message;
    } else {
        throw Refused{"unknown message type"};
    }
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
    const FieldWriter writer(bytes);
    std::visit([&](const auto& m) { fields(writer, m); }, message);
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
    if (bytes.size() != layout->size)
        return {std::nullopt, "message of type " + std::to_string(header->type) + " with the wrong size"};
    try {
        return {decodeBody(static_cast<std::size_t>(layout - kLayouts.data()), FieldReader(bytes)), {}};
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
