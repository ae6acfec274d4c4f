#pragma once
// The messages of the network game, as they travel: a 4-byte header (u16 type, u16 total length,
// little-endian) and a fixed little-endian body per type (docs/multiplayer.md). Decoding checks
// everything a peer could get wrong and says what was wrong; a message it returns is safe to use.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace q71 {

inline constexpr std::size_t kNetHeaderSize = 4;
inline constexpr std::size_t kNetMaxMessageSize = 1024;
/// Players of one game, the host included.
inline constexpr int kNetMaxPlayers = 4;
/// Bytes of a player-name field, its closing NUL included.
inline constexpr std::size_t kNetNameField = 32;
/// Bytes of a scenario-name field, its closing NUL included.
inline constexpr std::size_t kNetScenarioField = 64;
/// Bytes of a chat line's field: at most 80 characters, a NUL and padding.
inline constexpr std::size_t kNetChatField = 84;
inline constexpr std::size_t kNetChatLimit = 80;

enum class NetType : std::uint16_t {
    Event = 54,
    EntityState = 69,
    Control = 72,
    Damage = 85,
    Hello = 300,
    Welcome = 301,
    Joined = 302,
    Left = 303,
    Scenario = 304,
    ScenarioReply = 305,
    Start = 306,
    Chat = 307,
};

struct NetMsgHeader {
    std::uint16_t type = 0;
    std::uint16_t length = 0; ///< the whole message, header included
};

/// 54: an event of the sender's world (orders, transmissions, the clock, replay options).
struct MsgEvent {
    std::int32_t sender = 0;
    std::uint8_t code = 0;
    std::uint32_t value1 = 0, value2 = 0, value3 = 0;
    std::int32_t subject = 0;
};
/// The double an event carries as its first two values, the low half first (speed, depth, course, clock).
double eventPairedDouble(const MsgEvent& event);
/// 69: where an entity is and how it moves.
struct MsgEntityState {
    std::int32_t sender = 0;
    std::uint32_t entityId = 0;
    std::uint32_t sinking = 0;
    double x = 0.0, y = 0.0, z = 0.0, speed = 0.0, heading = 0.0, pitch = 0.0, roll = 0.0;
};
/// 72: sub-type 0 pause (flag 1) or resume (0); sub-type 1 the sender's mission started.
struct MsgControl {
    std::int32_t sender = 0;
    std::int32_t subType = 0;
    std::int32_t flag = 0;
};
/// 85: damage done to an entity.
struct MsgDamage {
    std::int32_t sender = 0;
    double amount = 0.0;
    std::int32_t attackerId = 0;
    std::int32_t targetId = 0;
    std::int32_t explode = 0;
};
/// A client's first message: its player's name.
struct MsgHello {
    std::string name;
};
/// The host's answer: the id the client plays under (2 to 4; the host is 1).
struct MsgWelcome {
    std::int32_t playerId = 0;
};
/// A player in the lobby, new or with a new side; a client sends its own to change side.
struct MsgJoined {
    std::int32_t playerId = 0;
    std::int32_t side = 0;
    std::string name;
};
/// A player left the game.
struct MsgLeft {
    std::int32_t playerId = 0;
};
/// The scenario the host chose: the client checks it has the same file.
struct MsgScenario {
    std::string name;
    std::uint32_t size = 0;
    std::uint32_t crc = 0;
};
/// A client's answer to the scenario: 1 when it has the same file.
struct MsgScenarioReply {
    std::int32_t sender = 0;
    std::int32_t has = 0;
};
struct StartPlayer {
    std::int32_t id = 0;
    std::int32_t side = 0;
    std::string name;
};
/// The host starts the mission: the seed of every peer's world, the lobby flag and the players.
struct MsgStart {
    std::uint32_t seed = 0;
    std::int32_t lobbyFlag = 0;
    std::vector<StartPlayer> players;
};
/// One chat line.
struct MsgChat {
    std::int32_t sender = 0;
    std::string text;
};

using NetMessage = std::variant<MsgEvent, MsgEntityState, MsgControl, MsgDamage, MsgHello, MsgWelcome,
                                MsgJoined, MsgLeft, MsgScenario, MsgScenarioReply, MsgStart, MsgChat>;

/// The type a message travels under.
NetType netTypeOf(const NetMessage& message);
/// The whole message; strings longer than their fields are cut (callers keep them short).
std::vector<std::uint8_t> encodeMessage(const NetMessage& message);

/// The header of a message, when the bytes hold one; its length is not checked.
std::optional<NetMsgHeader> readNetHeader(std::span<const std::uint8_t> bytes);
/// True when a header's length can be a message's (4 to 1024).
bool netLengthAllowed(std::uint16_t length);

struct DecodedMessage {
    std::optional<NetMessage> message;
    std::string error; ///< why the bytes were refused, when they were
};
/// Decodes exactly one whole message. Refused: a length outside 4 to 1024 or other than the bytes
/// given, an unknown type, a body of the wrong size, a string without its NUL, a double that is not
/// finite (the halves of events 0, 1, 2 and 9 included), a player id, side or count outside its
/// range, a scenario name that is not a plain ".scm" file name.
DecodedMessage decodeMessage(std::span<const std::uint8_t> bytes);

/// True for a plain network scenario file name: 1 to 63 bytes, ending in ".scm" in any case, no
/// folder separators, no "..", no control characters.
bool netScenarioNameAllowed(const std::string& name);

} // namespace q71
