// What the network game reads from text: addresses typed in the lobby, the settings with their
// defaults, and the CRC-32 the peers compare scenarios by (the published check value).
#include "multiplayer/mp_settings.h"
#include "multiplayer/scenario_facts.h"

#include <gtest/gtest.h>

#include <string_view>

namespace q71 {
namespace {

TEST(NetAddress, TypedAddressesReadOrAreRefused) {
    const std::vector<std::tuple<const char*, bool, std::uint32_t, std::uint16_t>> cases{
        {"127.0.0.1", true, 0x7F000001, 500},
        {"192.168.1.20:47200", true, 0xC0A80114, 47200},
        {"255.255.255.255:1", true, 0xFFFFFFFF, 1},
        {"", false, 0, 0},
        {"127.0.0", false, 0, 0},
        {"127.0.0.256", false, 0, 0},
        {"127.0.0.1:", false, 0, 0},
        {"127.0.0.1:0", false, 0, 0},
        {"127.0.0.1:65536", false, 0, 0},
        {"127.0.0.1:80x", false, 0, 0},
        {"host.example:80", false, 0, 0},
        {"1.2.3.4.5", false, 0, 0},
    };
    for (const auto& [text, reads, ip, port] : cases) {
        const std::optional<NetAddress> address = NetAddress::parse(text, 500);
        ASSERT_EQ(address.has_value(), reads) << text;
        if (reads) {
            EXPECT_EQ(address->ip, ip) << text;
            EXPECT_EQ(address->port, port) << text;
        }
    }
    EXPECT_EQ(NetAddress({0xC0A80114, 47200}).text(), "192.168.1.20:47200");
}

TEST(MpSettings, GivenValuesAreTakenAndBadOrMissingOnesKeepTheirDefaults) {
    const MpSettings defaults = mpSettingsFrom(std::nullopt, std::nullopt, std::nullopt);
    EXPECT_EQ(defaults.broadcast.ip, 0xFFFFFFFFu);
    EXPECT_EQ(defaults.broadcast.port, defaults.advertPort);

    const MpSettings given = mpSettingsFrom("127.255.255.255", "5000", "5001");
    EXPECT_EQ(given.broadcast, (NetAddress{0x7FFFFFFF, 5001}));
    EXPECT_EQ(given.gamePort, 5000);
    EXPECT_EQ(given.advertPort, 5001);

    EXPECT_EQ(mpSettingsFrom(std::nullopt, "0", std::nullopt).gamePort, 0); // any free port

    const MpSettings bad = mpSettingsFrom("nowhere", "-1", "70000");
    EXPECT_EQ(bad.broadcast, defaults.broadcast);
    EXPECT_EQ(bad.gamePort, defaults.gamePort);
    EXPECT_EQ(bad.advertPort, defaults.advertPort);
}

TEST(ScenarioFacts, TheCrcIsThePublishedOneAndDamagedScenariosHaveNoFacts) {
    constexpr std::string_view check = "123456789";
    EXPECT_EQ(crc32({reinterpret_cast<const std::uint8_t*>(check.data()), check.size()}), 0xCBF43926u);
    EXPECT_EQ(crc32({}), 0u);
    const std::vector<std::uint8_t> truncated{8, 0, 0, 0, 'D', 'u'};
    EXPECT_FALSE(scenarioFactsOf(truncated));
    EXPECT_FALSE(scenarioFacts("Absent.scm"));
}

} // namespace
} // namespace q71
