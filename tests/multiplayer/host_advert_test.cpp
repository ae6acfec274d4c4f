// The hosts' adverts: the layout by offset, refusals, and a broadcast over loopback heard by a
// listener on a port chosen at run time, once a second by a fake clock.
#include "multiplayer/host_advert.h"
#include "multiplayer/support/loopback.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace q71 {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes advertBytes(const char* id, std::uint16_t port, std::uint8_t players, std::uint8_t most,
                  const char* name) {
    Bytes b(42, 0);
    std::memcpy(b.data(), id, 6);
    b[6] = static_cast<std::uint8_t>(port);
    b[7] = static_cast<std::uint8_t>(port >> 8);
    b[8] = players;
    b[9] = most;
    std::memcpy(b.data() + 10, name, std::strlen(name));
    return b;
}

TEST(HostAdvert, BytesByOffsetDecodeAndComeBack) {
    const Bytes bytes = advertBytes("Q71I11", 0xB7F1, 2, 4, "Nemo");
    const DecodedAdvert decoded = decodeAdvert(bytes);
    ASSERT_TRUE(decoded.advert) << decoded.error;
    EXPECT_EQ(decoded.advert->port, 0xB7F1);
    EXPECT_EQ(decoded.advert->players, 2);
    EXPECT_EQ(decoded.advert->maxPlayers, 4);
    EXPECT_EQ(decoded.advert->hostName, "Nemo");
    EXPECT_EQ(encodeAdvert(*decoded.advert), bytes);
}

TEST(HostAdvert, DamagedOrForeignAdvertsAreRefused) {
    Bytes unended = advertBytes("Q71I11", 5000, 1, 4, "");
    std::memset(unended.data() + 10, 'x', 32);
    const std::vector<std::tuple<const char*, Bytes, bool>> cases{
        {"another game", advertBytes("Q71I12", 5000, 1, 4, "Nemo"), true},
        {"too short",
         [] {
             Bytes b = advertBytes("Q71I11", 5000, 1, 4, "Nemo");
             b.pop_back();
             return b;
         }(),
         false},
        {"empty", Bytes{}, false},
        {"port 0", advertBytes("Q71I11", 0, 1, 4, "Nemo"), false},
        {"no players", advertBytes("Q71I11", 5000, 0, 4, "Nemo"), false},
        {"more players than room", advertBytes("Q71I11", 5000, 3, 2, "Nemo"), false},
        {"room for five", advertBytes("Q71I11", 5000, 1, 5, "Nemo"), false},
        {"no name", advertBytes("Q71I11", 5000, 1, 4, ""), false},
        {"name without its end", unended, false},
    };
    for (const auto& [what, bytes, foreign] : cases) {
        const DecodedAdvert decoded = decodeAdvert(bytes);
        EXPECT_FALSE(decoded.advert) << what;
        EXPECT_EQ(decoded.otherGame, foreign) << what;
    }
}

TEST(HostAdvert, ABroadcastOnLoopbackIsHeardOnceASecondAndForeignOnesAreNot) {
    FakeClock clock(10000);
    NetError error;
    auto listener = AdvertListener::open(0, clock, error);
    ASSERT_TRUE(listener) << error.text();
    // A second socket on the listener's port counts the datagrams themselves.
    const std::uint16_t port = listener->port();
    auto counter = UdpSocket::open(port, error);
    ASSERT_TRUE(counter) << error.text();
    const NetAddress broadcast = *NetAddress::parse("127.255.255.255", port);
    auto beacon = AdvertBeacon::open(broadcast, clock, error);
    ASSERT_TRUE(beacon) << error.text();
    auto stranger = UdpSocket::open(0, error);
    ASSERT_TRUE(stranger);
    stranger->sendTo(broadcast, advertBytes("OTHER!", 6000, 1, 4, "Intrus"));

    const HostAdvert advert{"Nemo", 47100, 1, 4};
    beacon->poll(advert);
    ASSERT_TRUE(test::pollUntil([&] { listener->poll(); }, [&] { return !listener->hosts().empty(); }));
    ASSERT_EQ(listener->hosts().size(), 1u);
    EXPECT_EQ(listener->hosts()[0].advert.hostName, "Nemo");
    EXPECT_EQ(listener->hosts()[0].address.port, 47100);
    EXPECT_EQ(listener->hosts()[0].address.ip >> 24, 127u);

    // Sent at once, then not before a second has passed.
    const auto countDatagrams = [&] {
        // Loopback delivers at once; a tenth of a second is ample for a datagram to arrive.
        int count = 0;
        NetAddress from;
        for (int i = 0; i < 100; ++i) {
            while (auto d = counter->receiveFrom(64, from))
                count += decodeAdvert(*d).advert ? 1 : 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return count;
    };
    EXPECT_EQ(countDatagrams(), 1);
    clock.advance(999);
    beacon->poll(advert);
    EXPECT_EQ(countDatagrams(), 0);
    clock.advance(1);
    beacon->poll(advert);
    EXPECT_EQ(countDatagrams(), 1);

    // A host not heard for more than five seconds leaves the list.
    listener->poll();
    clock.advance(5001);
    EXPECT_TRUE(listener->poll());
    EXPECT_TRUE(listener->hosts().empty());
}

} // namespace
} // namespace q71
