#include "sim/scoring/load_out.h"

#include "sim/services/sim_services.h"

#include <algorithm>

namespace q71 {
namespace {

std::int32_t knownWeaponType(std::int32_t type) {
    return type >= kWeaponAdcap && type <= kWeaponEmpty ? type : kWeaponEmpty;
}

template <size_t N>
void setTypes(const std::array<WeaponLauncher*, N>& launchers, const std::array<std::int32_t, N>& types) {
    for (size_t i = 0; i < N; ++i)
        if (launchers[i])
            launchers[i]->setWeaponType(knownWeaponType(types[i]));
}

template <size_t N>
void readTypes(const std::array<WeaponLauncher*, N>& launchers, std::array<std::int32_t, N>& types) {
    for (size_t i = 0; i < N; ++i)
        if (launchers[i])
            types[i] = launchers[i]->weaponType();
}

} // namespace

void loadLaunchers(const std::array<std::int32_t, kVlsCellCount>& cells,
                   const std::array<std::int32_t, kTorpedoTubeCount>& tubes) {
    const std::optional<LauncherTables> launchers = scoringWorld().launchers();
    if (!launchers)
        return;
    WeaponStations& stations = simWeapons();
    const bool wasUnlimited = stations.unlimitedWeapons();
    stations.setUnlimitedWeapons(true);
    setTypes(launchers->cells, cells);
    setTypes(launchers->tubes, tubes);
    stations.setUnlimitedWeapons(wasUnlimited);
}

void applyPlayerLoadOut(const PlayerRecord& record) {
    MissionWorld& world = scoringWorld();
    if (!world.ownBoatId())
        return;
    Inventory counts = record.inventory;
    for (std::int32_t& count : counts)
        count = std::max(count, 0);
    world.setOwnBoatInventory(counts);
    loadLaunchers(record.cells, record.tubes);
}

void savePlayerLoadOut(PlayerRecord& record) {
    const MissionWorld& world = scoringWorld();
    const std::optional<Inventory> counts = world.ownBoatInventory();
    if (!counts)
        return;
    record.inventory = *counts;
    readLauncherTypes(record.cells, record.tubes);
}

void readLauncherTypes(std::array<std::int32_t, kVlsCellCount>& cells,
                       std::array<std::int32_t, kTorpedoTubeCount>& tubes) {
    if (const std::optional<LauncherTables> launchers = scoringWorld().launchers()) {
        readTypes(launchers->cells, cells);
        readTypes(launchers->tubes, tubes);
    }
}

} // namespace q71
