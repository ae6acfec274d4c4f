// The messages of the network game: bytes built by offset decode to the fields, every type comes
// back whole from its bytes, and damaged bytes are refused with a reason.
#include "multiplayer/message_framer.h"
#include "multiplayer/net_messages.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace q71 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A message of `size` bytes headed by its type and length, the rest zero.
Bytes message(std::uint16_t type, std::size_t size) {
    Bytes b(size, 0);
    b[0] = static_cast<std::uint8_t>(type);
    b[1] = static_cast<std::uint8_t>(type >> 8);
    b[2] = static_cast<std::uint8_t>(size);
    b[3] = static_cast<std::uint8_t>(size >> 8);
    return b;
}

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

void put64(Bytes& b, std::size_t at, double d) {
    const auto v = std::bit_cast<std::uint64_t>(d);
    for (int i = 0; i < 8; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

void putText(Bytes& b, std::size_t at, const char* text) {
    std::memcpy(b.data() + at, text, std::strlen(text));
}

TEST(NetMessages, BytesBuiltByOffsetDecodeToTheirFields) {
    Bytes event = message(54, 28);
    put32(event, 4, 2);
    event[8] = 9;
    put32(event, 12, 0x11223344);
    put32(event, 16, 0x55667788);
    put32(event, 20, 7);
    put32(event, 24, 0xFFFFFFFF);
    const auto e = std::get<MsgEvent>(*decodeMessage(event).message);
    EXPECT_EQ(e.sender, 2);
    EXPECT_EQ(e.code, 9);
    EXPECT_EQ(e.value1, 0x11223344u);
    EXPECT_EQ(e.value2, 0x55667788u);
    EXPECT_EQ(e.value3, 7u);
    EXPECT_EQ(e.subject, -1);

    Bytes state = message(69, 72);
    put32(state, 4, 1);
    put32(state, 8, 12);
    put32(state, 12, 1);
    const double values[7] = {1000.5, -2000.25, -30.0, 5.0, 270.0, -3.5, 1.25};
    for (int i = 0; i < 7; ++i)
        put64(state, 16 + 8 * static_cast<std::size_t>(i), values[i]);
    const auto s = std::get<MsgEntityState>(*decodeMessage(state).message);
    EXPECT_EQ(s.entityId, 12u);
    EXPECT_EQ(s.sinking, 1u);
    EXPECT_EQ(s.x, 1000.5);
    EXPECT_EQ(s.y, -2000.25);
    EXPECT_EQ(s.z, -30.0);
    EXPECT_EQ(s.speed, 5.0);
    EXPECT_EQ(s.heading, 270.0);
    EXPECT_EQ(s.pitch, -3.5);
    EXPECT_EQ(s.roll, 1.25);

    Bytes damage = message(85, 28);
    put32(damage, 4, 3);
    put64(damage, 8, 0.75);
    put32(damage, 16, 1);
    put32(damage, 20, 40);
    put32(damage, 24, 1);
    const auto d = std::get<MsgDamage>(*decodeMessage(damage).message);
    EXPECT_EQ(d.amount, 0.75);
    EXPECT_EQ(d.attackerId, 1);
    EXPECT_EQ(d.targetId, 40);
    EXPECT_EQ(d.explode, 1);

    Bytes start = message(306, 176);
    put32(start, 4, 123456);
    put32(start, 8, 1);
    put32(start, 12, 2);
    put32(start, 16, 1);
    put32(start, 20, 2);
    putText(start, 24, "Nemo");
    put32(start, 56, 2);
    put32(start, 60, 1);
    putText(start, 64, "Ondine");
    const auto st = std::get<MsgStart>(*decodeMessage(start).message);
    EXPECT_EQ(st.seed, 123456u);
    EXPECT_EQ(st.lobbyFlag, 1);
    ASSERT_EQ(st.players.size(), 2u);
    EXPECT_EQ(st.players[0].side, 2);
    EXPECT_EQ(st.players[0].name, "Nemo");
    EXPECT_EQ(st.players[1].id, 2);
    EXPECT_EQ(st.players[1].name, "Ondine");

    Bytes chat = message(307, 92);
    put32(chat, 4, 2);
    putText(chat, 8, "Bonjour");
    EXPECT_EQ(std::get<MsgChat>(*decodeMessage(chat).message).text, "Bonjour");
}

TEST(NetMessages, EveryTypeComesBackFromItsBytes) {
    const std::vector<NetMessage> messages{
        MsgEvent{2, 10, 4, 0, 0, 3},
        MsgEntityState{1, 17, 0, 1.0, 2.0, -3.0, 4.0, 5.0, 6.0, 7.0},
        MsgControl{3, 0, 1},
        MsgDamage{2, 0.5, 2, 9, 0},
        MsgHello{"Capitaine"},
        MsgWelcome{4},
        MsgJoined{3, 2, "Ondine"},
        MsgLeft{2},
        MsgScenario{"Duel.scm", 4096, 0xDEADBEEF},
        MsgScenarioReply{2, 1},
        MsgStart{99, 0, {{1, 1, "Nemo"}, {2, 2, "Ondine"}, {3, 1, "Aronnax"}}},
        MsgChat{1, std::string(80, 'x')},
    };
    for (const NetMessage& original : messages) {
        const Bytes bytes = encodeMessage(original);
        const auto header = readNetHeader(bytes);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->length, bytes.size());
        EXPECT_EQ(header->type, static_cast<std::uint16_t>(netTypeOf(original)));
        const DecodedMessage decoded = decodeMessage(bytes);
        ASSERT_TRUE(decoded.message) << decoded.error;
        EXPECT_EQ(encodeMessage(*decoded.message), bytes);
    }
}

TEST(NetMessages, DamagedBytesAreRefusedWithAReason) {
    const auto withValue = [](Bytes b, std::size_t at, std::uint32_t v) {
        put32(b, at, v);
        return b;
    };
    const auto withDouble = [](Bytes b, std::size_t at, double v) {
        put64(b, at, v);
        return b;
    };
    const Bytes chat = withValue(message(307, 92), 4, 1);
    Bytes unended = chat;
    std::memset(unended.data() + 8, 'a', 84);
    Bytes tooLong = chat;
    std::memset(tooLong.data() + 8, 'a', 81);
    Bytes hello = message(300, 36);
    std::memset(hello.data() + 4, 'n', 32);
    Bytes badScenario = message(304, 76);
    putText(badScenario, 4, "../../x.scm");
    Bytes notScm = message(304, 76);
    putText(notScm, 4, "Sa1.scn");
    const Bytes state = withValue(message(69, 72), 4, 1);
    Bytes start = withValue(withValue(message(306, 176), 12, 2), 16, 1);
    start = withValue(withValue(withValue(start, 20, 1), 56, 1), 60, 2);

    const std::vector<std::pair<const char*, Bytes>> cases{
        {"no header", {54, 0}},
        {"length below 4",
         [] {
             Bytes b = message(54, 28);
             b[2] = 3;
             return b;
         }()},
        {"length above 1024",
         [] {
             Bytes b(1025, 0);
             b[0] = 54;
             b[2] = 0x01;
             b[3] = 0x04;
             return b;
         }()},
        {"length other than the bytes",
         [] {
             Bytes b = message(54, 28);
             b.pop_back();
             return b;
         }()},
        {"unknown type", message(55, 28)},
        {"body too short", message(54, 24)},
        {"body too long", message(72, 20)},
        {"sender 0", message(72, 16)},
        {"sender 5", withValue(message(72, 16), 4, 5)},
        {"control sub-type 2", withValue(withValue(message(72, 16), 4, 1), 8, 2)},
        {"NaN position", withDouble(state, 16, std::numeric_limits<double>::quiet_NaN())},
        {"infinite speed", withDouble(state, 40, std::numeric_limits<double>::infinity())},
        {"negative damage", withDouble(withValue(message(85, 28), 4, 1), 8, -1.0)},
        {"chat without its end", unended},
        {"chat of 81 characters", tooLong},
        {"empty name", message(300, 36)},
        {"name without its end", hello},
        {"welcome to the host's id", withValue(message(301, 8), 4, 1)},
        {"side 3", withValue(withValue(message(302, 44), 4, 2), 8, 3)},
        {"scenario with a path", badScenario},
        {"scenario not .scm", notScm},
        {"start without players", message(306, 176)},
        {"start with five players", withValue(message(306, 176), 12, 5)},
        {"start listing a player twice", start},
    };
    for (const auto& [what, bytes] : cases) {
        const DecodedMessage decoded = decodeMessage(bytes);
        EXPECT_FALSE(decoded.message) << what;
        EXPECT_FALSE(decoded.error.empty()) << what;
    }
}

TEST(MessageFramer, CutsAStreamAtTheHeadersLengthsAndRefusesImpossibleOnes) {
    const Bytes a = encodeMessage(MsgLeft{2});
    const Bytes b = encodeMessage(MsgChat{1, "salut"});
    Bytes stream = a;
    stream.insert(stream.end(), b.begin(), b.end());
    MessageFramer framer;
    Bytes out;
    std::string error;
    // One byte at a time: nothing comes out before a message is whole.
    std::vector<Bytes> taken;
    for (std::uint8_t byte : stream) {
        framer.append(std::span(&byte, 1));
        while (framer.next(out, error) == MessageFramer::Next::Message)
            taken.push_back(out);
    }
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0], a);
    EXPECT_EQ(taken[1], b);
    EXPECT_EQ(framer.buffered(), 0u);

    for (const std::uint16_t length : {0, 3, 1025, 0xFFFF}) {
        MessageFramer bad;
        const Bytes header{54, 0, static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8)};
        bad.append(header);
        EXPECT_EQ(bad.next(out, error), MessageFramer::Next::Malformed) << length;
    }
}

} // namespace
} // namespace q71
