#include "sim/entities/types/own_submarine_campaign.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"

namespace q71 {

namespace {

// The devices of status words 0 to 3 and 6, in that order.
constexpr Mast kCarriedDevices[] = {kMastPeriscope, kMastEsm, kMastRadio, kMastRadar, kMastSnorkel};
constexpr std::size_t kDeviceWords[] = {0, 1, 2, 3, 6};
constexpr std::size_t kArraysWord = 4;
constexpr std::int32_t kLostP = 1, kLostS = 2, kLostBoth = 3;

} // namespace

OwnBoatCarriedState ownShipCarriedState(const OwnShipMotion& motion) {
    OwnBoatCarriedState state;
    for (std::size_t i = 0; i < state.deviceFailed.size(); ++i)
        state.deviceFailed[i] = motion.masts[kCarriedDevices[i]].state == kDeviceBroken;
    state.valueP = motion.arrayLength1;
    state.valueQ = motion.arrayLength2;
    state.sideFlag = motion.arraySelector != 0;
    state.wireValue = motion.wireLength;
    return state;
}

void ownShipRestoreCampaignState(OwnShipEntity& boat, const std::array<std::int32_t, 7>& statusWords) {
    OwnShipMotion& motion = *boat.ownMotion;
    for (std::size_t i = 0; i < std::size(kCarriedDevices); ++i)
        if (statusWords[kDeviceWords[i]] == 1)
            motion.masts[kCarriedDevices[i]].state = kDeviceBroken;
    const std::int32_t arrays = statusWords[kArraysWord];
    if (arrays == kLostP || arrays == kLostBoth)
        motion.towedArrayLength(TowedArray::P) = -1.0;
    if (arrays == kLostS || arrays == kLostBoth)
        motion.towedArrayLength(TowedArray::S) = -1.0;
    if (arrays >= kLostP && arrays <= kLostBoth)
        boat.dropArraySonar();
}

} // namespace q71
