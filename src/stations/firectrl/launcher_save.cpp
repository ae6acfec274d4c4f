// The tubes and cells in a saved mission, all values 32-bit little-endian. A tube: its type, the
// settings of that type, the launched ids and gyro course, its waypoints, its doors, its target
// and whether it fired. A cell: its type; unless empty its range, target, target name, fired flag
// and waypoints; then its missile's id and its hatches. A record that does not hold together (an
// unknown type, an unterminated name, a door neither open nor shut, more waypoints than bytes)
// is refused whole.
#include "sim/scoring/byte_stream.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/vls_cell.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr std::int32_t kHighestDesignation = 99;

bool validTarget(std::int32_t target) {
    return target >= -1 && target <= kHighestDesignation;
}

// Nothing assigned is saved as 4, which a contact 4 shares: it reads back unassigned.
std::int32_t savedTarget(std::int32_t target) {
    return target == kTargetNotAssigned ? kSavedTargetNotAssigned : target;
}

std::int32_t loadedTarget(std::int32_t saved) {
    return saved == kSavedTargetNotAssigned ? kTargetNotAssigned : saved;
}

bool validFlag(std::int32_t flag) {
    return flag == 0 || flag == 1;
}

// A door, valve or hatch is in one of its two positions.
template <std::size_t N> bool validStates(const std::array<std::int32_t, N>& states) {
    return std::all_of(states.begin(), states.end(), [](std::int32_t s) { return s == 1 || s == 2; });
}

} // namespace

bool TorpedoTube::save(ByteSink& sink) const {
    bool ok = writeWords(sink, {weaponType()});
    switch (weaponType()) {
    case kWeaponAdcap:
        ok = ok && writeWords(sink, {adcapCeiling, adcapDepth2, adcapFloor, adcapFlag, adcapEnableRange,
                                     adcapSpeed});
        break;
    case kWeaponSlmm:
        ok = ok && writeWords(sink, {slmmDepth});
        break;
    case kWeaponHarpoon:
        ok = ok && writeWords(sink, {harpoonRange1, harpoonRange2, harpoonFlag});
        break;
    case kWeaponTomahawk:
        ok = ok && writeWords(sink, {tomahawkRange});
        break;
    default:
        break;
    }
    return ok &&
           writeWords(
               sink, {launchedTorpedoId, launchedHarpoonId, launchedMissileId, launchedMineId, gyroCourse}) &&
           saveWaypoints(sink) && writeWords(sink, {doorStates[0], doorStates[1], doorStates[2]}) &&
           writeWords(sink, {savedTarget(target), launched});
}

bool TorpedoTube::load(ByteSource& source) {
    std::int32_t type = 0;
    if (!source.readI32(type) || !holdsType(type))
        return false;
    std::array<std::int32_t, 6> adcap{adcapCeiling, adcapDepth2,      adcapFloor,
                                      adcapFlag,    adcapEnableRange, adcapSpeed};
    std::array<std::int32_t, 3> harpoon{harpoonRange1, harpoonRange2, harpoonFlag};
    std::int32_t slmm = slmmDepth, tomahawk = tomahawkRange;
    std::span<std::int32_t> settings;
    switch (type) {
    case kWeaponAdcap:
        settings = adcap;
        break;
    case kWeaponSlmm:
        settings = {&slmm, 1};
        break;
    case kWeaponHarpoon:
        settings = harpoon;
        break;
    case kWeaponTomahawk:
        settings = {&tomahawk, 1};
        break;
    default:
        break;
    }
    std::array<std::int32_t, 5> ids{};
    std::vector<std::unique_ptr<LaunchWaypoint>> loaded;
    std::array<std::int32_t, 3> doors{};
    std::array<std::int32_t, 2> tail{}; // target, launched
    if (!readWords(source, settings) || !readWords(source, ids) || !readWaypoints(source, loaded) ||
        !readWords(source, doors) || !readWords(source, tail))
        return false;
    if (!validStates(doors) || !validTarget(tail[0]) || !validFlag(tail[1]))
        return false;
    storeWeaponType(type);
    adcapCeiling = adcap[0];
    adcapDepth2 = adcap[1];
    adcapFloor = adcap[2];
    adcapFlag = adcap[3];
    adcapEnableRange = adcap[4];
    adcapSpeed = adcap[5];
    harpoonRange1 = harpoon[0];
    harpoonRange2 = harpoon[1];
    harpoonFlag = harpoon[2];
    slmmDepth = slmm;
    tomahawkRange = tomahawk;
    launchedTorpedoId = ids[0];
    launchedHarpoonId = ids[1];
    launchedMissileId = ids[2];
    launchedMineId = ids[3];
    gyroCourse = ids[4];
    takeWaypoints(loaded);
    doorStates = doors;
    target = loadedTarget(tail[0]);
    launched = tail[1];
    return true;
}

bool VlsCell::save(ByteSink& sink) const {
    bool ok = writeWords(sink, {weaponType()});
    if (weaponType() != kWeaponEmpty) {
        const auto* name = reinterpret_cast<const std::uint8_t*>(targetName.data());
        ok = ok && writeWords(sink, {tomahawkRange, savedTarget(target)}) && sink.write({name, targetName.size()}) &&
             writeWords(sink, {launched}) && saveWaypoints(sink);
    }
    return ok && writeWords(sink, {launchedMissileId, hatchStates[0], hatchStates[1]});
}

bool VlsCell::load(ByteSource& source) {
    std::int32_t type = 0;
    if (!source.readI32(type) || !holdsType(type))
        return false;
    std::array<std::int32_t, 2> settings{tomahawkRange, target};
    std::array<char, kTargetNameSize> name = targetName;
    std::int32_t fired = launched;
    std::vector<std::unique_ptr<LaunchWaypoint>> loaded;
    const bool loadedCell = type != kWeaponEmpty;
    if (loadedCell) {
        if (!readWords(source, settings) ||
            !source.read({reinterpret_cast<std::uint8_t*>(name.data()), name.size()}) ||
            !readWords(source, {&fired, 1}) || !readWaypoints(source, loaded))
            return false;
        if (!validTarget(settings[1]) || std::find(name.begin(), name.end(), '\0') == name.end() ||
            !validFlag(fired))
            return false;
    }
    std::array<std::int32_t, 3> tail{}; // launchedMissileId, the two hatches
    if (!readWords(source, tail))
        return false;
    const std::array<std::int32_t, 2> hatches{tail[1], tail[2]};
    if (!validStates(hatches))
        return false;
    storeWeaponType(type);
    if (loadedCell) {
        tomahawkRange = settings[0];
        target = loadedTarget(settings[1]);
        targetName = name;
        launched = fired;
        takeWaypoints(loaded);
    }
    launchedMissileId = tail[0];
    launchedEntityId_ = launchedMissileId;
    hatchStates = hatches;
    return true;
}

} // namespace q71
