// The load-out's lamps and totals from a stock and the launchers' weapons: the rack's order and
// its last lamp, counters below zero, and a Tomahawk in a tube.
#include "stations/firectrl/load_out.h"

#include "sim/services/weapon_stations.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

LoadOutSource emptyBoat() {
    LoadOutSource source;
    source.cellTypes.fill(kWeaponEmpty);
    source.tubeTypes.fill(kWeaponEmpty);
    return source;
}

TEST(LoadOut, TheRackFillsTomahawkHarpoonAdcapSlmmAndStopsAtItsTwentiethLamp) {
    struct Case {
        std::array<std::int32_t, 4> stock; // ADCAP, SLMM, Harpoon, Tomahawk
        std::array<int, 20> rack;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, {}},
        {{2, 1, 1, 1}, {1, 2, 3, 3, 4}},
        // 12 ADCAP after 6 Tomahawk and 3 Harpoon: 11 lamps are left for them, the SLMMs get none.
        {{12, 5, 3, 6}, {1, 1, 1, 1, 1, 1, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}},
        // A counter below zero shows nothing and counts nothing.
        {{-3, 2, 0, -1}, {4, 4}},
    };
    for (const Case& c : cases) {
        LoadOutSource source = emptyBoat();
        source.stock = c.stock;
        const LoadOutPicture picture = loadOutPicture(source);
        EXPECT_EQ(picture.rack, c.rack);
        EXPECT_EQ(picture.totals[0], std::max(c.stock[3], 0));
        EXPECT_EQ(picture.totals[1], std::max(c.stock[2], 0));
        EXPECT_EQ(picture.totals[2], std::max(c.stock[0], 0));
        EXPECT_EQ(picture.totals[3], std::max(c.stock[1], 0));
    }
}

TEST(LoadOut, LoadedWeaponsLightTheirRowAndJoinTheTotals) {
    LoadOutSource source = emptyBoat();
    source.stock = {4, 0, 2, 1};
    source.countermeasures = {15, -2};
    source.tubeTypes = {kWeaponHarpoon, kWeaponTomahawk, kWeaponAdcap, kWeaponSlmm};
    source.cellTypes[0] = kWeaponTomahawk;
    source.cellTypes[5] = kWeaponTomahawk;
    source.cellTypes[7] = kWeaponHarpoon; // no cell shows anything but a Tomahawk
    const LoadOutPicture picture = loadOutPicture(source);

    EXPECT_EQ(picture.tubes, (std::array<int, 4>{kLampHarpoon, kLampTomahawk, kLampAdcap, kLampSlmm}));
    std::array<int, 12> cells{};
    cells[0] = cells[5] = kLampTomahawk;
    EXPECT_EQ(picture.cells, cells);
    // Tomahawk: 1 in stock, 1 in a tube, 2 in cells; its tube lamp is not in the rack.
    EXPECT_EQ(picture.totals, (std::array<std::int32_t, 6>{4, 3, 5, 1, 15, 0}));
    EXPECT_EQ(picture.rack[0], kLampTomahawk);
    EXPECT_EQ(picture.rack[1], kLampHarpoon);
    EXPECT_EQ(picture.rack[3], kLampAdcap);
    EXPECT_EQ(picture.rack[7], kLampEmpty);
}

} // namespace
} // namespace q71::test
