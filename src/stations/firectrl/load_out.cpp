#include "stations/firectrl/load_out.h"

#include "sim/entities/entity.h"
#include "sim/services/weapon_stations.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/launcher.h"

#include <algorithm>

namespace q71 {
namespace {

int lampOf(std::int32_t type) {
    switch (type) {
    case kWeaponAdcap:
        return kLampAdcap;
    case kWeaponSlmm:
        return kLampSlmm;
    case kWeaponHarpoon:
        return kLampHarpoon;
    case kWeaponTomahawk:
        return kLampTomahawk;
    default:
        return kLampEmpty;
    }
}

} // namespace

LoadOutPicture loadOutPicture(const LoadOutSource& source) {
    LoadOutPicture picture;
    // Loaded weapons by type (ADCAP, SLMM, Harpoon, Tomahawk), then the stock added.
    std::array<std::int32_t, 4> loaded{};
    for (std::size_t i = 0; i < source.cellTypes.size(); ++i) {
        const bool tomahawk = source.cellTypes[i] == kWeaponTomahawk;
        picture.cells[i] = tomahawk ? kLampTomahawk : kLampEmpty;
        if (tomahawk)
            ++loaded[kWeaponTomahawk];
    }
    for (std::size_t i = 0; i < source.tubeTypes.size(); ++i) {
        const std::int32_t type = source.tubeTypes[i];
        picture.tubes[i] = lampOf(type);
        if (type >= kWeaponAdcap && type <= kWeaponTomahawk)
            ++loaded[static_cast<std::size_t>(type)];
    }
    std::array<std::int32_t, 4> stock{};
    for (std::size_t i = 0; i < stock.size(); ++i)
        stock[i] = std::max(source.stock[i], 0);

    std::size_t lamp = 0;
    for (std::int32_t type : {kWeaponTomahawk, kWeaponHarpoon, kWeaponAdcap, kWeaponSlmm})
        for (std::int32_t n = 0; n < stock[static_cast<std::size_t>(type)] && lamp < picture.rack.size(); ++n)
            picture.rack[lamp++] = lampOf(type);

    picture.totals = {
        stock[kWeaponTomahawk] + loaded[kWeaponTomahawk], stock[kWeaponHarpoon] + loaded[kWeaponHarpoon],
        stock[kWeaponAdcap] + loaded[kWeaponAdcap],       stock[kWeaponSlmm] + loaded[kWeaponSlmm],
        std::max(source.countermeasures[0], 0),           std::max(source.countermeasures[1], 0)};
    return picture;
}

LoadOutSource loadOutSourceNow() {
    LoadOutSource source;
    source.cellTypes.fill(kWeaponEmpty);
    source.tubeTypes.fill(kWeaponEmpty);
    if (const auto tables = launcherTables()) {
        for (std::size_t i = 0; i < source.cellTypes.size(); ++i)
            if (tables->cells[i])
                source.cellTypes[i] = tables->cells[i]->weaponType();
        for (std::size_t i = 0; i < source.tubeTypes.size(); ++i)
            if (tables->tubes[i])
                source.tubeTypes[i] = tables->tubes[i]->weaponType();
    }
    for (std::int32_t type = kWeaponAdcap; type <= kWeaponTomahawk; ++type)
        source.stock[static_cast<std::size_t>(type)] = weaponStock(type);
    source.countermeasures = {countermeasureStock(0), countermeasureStock(1)};
    return source;
}

} // namespace q71
