#include "sim/simulation/launcher_tables.h"

#include "framework/textmngr/text_manager.h"
#include "sim/entities/entity.h"
#include "sim/services/sim_services.h"

#include <string>
#include <utility>

namespace q71 {
namespace {

constexpr std::array<int, kTorpedoTubeCount> kTubeNumbers{2, 1, 4, 3};
constexpr std::array<int, kVlsCellCount> kCellNumbers{8, 6, 5, 7, 12, 10, 9, 11, 16, 14, 13, 15};

constexpr int kRunEndText = 770;
constexpr int kRunEndPriority = 0;

OwnedLaunchers& tables() {
    static OwnedLaunchers launchers;
    return launchers;
}

std::int32_t startingLoad(int tubeNumber) {
    return tubeNumber <= 2 ? kWeaponHarpoon : kWeaponAdcap;
}

} // namespace

void launcherTablesBuild() {
    launcherTablesFree();
    OwnedLaunchers& t = tables();
    WeaponStations& stations = simWeapons();
    const bool wasUnlimited = stations.unlimitedWeapons();
    stations.setUnlimitedWeapons(true);
    for (size_t i = 0; i < t.tubes.size(); ++i) {
        t.tubes[i] = stations.createTorpedoTube(kTubeNumbers[i]);
        t.tubes[i]->setWeaponType(startingLoad(kTubeNumbers[i]));
        t.tubes[i]->setTarget(kTargetNotAssigned);
    }
    for (size_t i = 0; i < t.cells.size(); ++i) {
        t.cells[i] = stations.createVlsCell(kCellNumbers[i]);
        t.cells[i]->setWeaponType(kWeaponTomahawk);
        t.cells[i]->setTarget(kTargetNotAssigned);
    }
    stations.setUnlimitedWeapons(wasUnlimited);
    t.built = true;
}

void launcherTablesFree() {
    OwnedLaunchers& t = tables();
    for (auto& tube : t.tubes)
        tube.reset();
    for (auto& cell : t.cells)
        cell.reset();
    t.built = false;
}

OwnedLaunchers launcherTablesTake() {
    return std::exchange(tables(), OwnedLaunchers{});
}

void launcherTablesPut(OwnedLaunchers launchers) {
    tables() = std::move(launchers);
}

std::optional<LauncherTables> launcherTables() {
    const OwnedLaunchers& t = tables();
    if (!t.built)
        return std::nullopt;
    LauncherTables view;
    for (size_t i = 0; i < t.tubes.size(); ++i)
        view.tubes[i] = t.tubes[i].get();
    for (size_t i = 0; i < t.cells.size(); ++i)
        view.cells[i] = t.cells[i].get();
    return view;
}

int launcherTubeOfWeapon(const Entity& weapon) {
    for (const auto& tube : tables().tubes)
        if (tube && tube->launchedEntity() == &weapon)
            return tube->number();
    return 0;
}

void launcherAnnounceRunEnd(const Entity& weapon) {
    const int tube = launcherTubeOfWeapon(weapon);
    if (tube == 0)
        return;
    const std::string file = "SSUnit" + std::to_string(tube) + ".wav";
    simAudio().crewQueueSpeech(CrewChannel::sonar, {&file, 1}, kRunEndPriority);
    msgLogPrintfId(kRunEndText, tube);
}

void removeLaunchedWeapon(Entity& weapon) {
    weapon.markForRemoval();
    launcherAnnounceRunEnd(weapon);
}

} // namespace q71
