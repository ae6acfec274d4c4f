// What the own boat carries outside its hull: the masts, which break when the boat runs too
// fast with them raised (or a hull strikes them); the floating wire antenna, paid out and reeled
// in by its winch, cut when the boat dives steeply under way and mended an hour later; and the
// two towed arrays, streamed and hauled in by their winches and lost when the boat goes astern.
#include "sim/entities/crew_report.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>

namespace q71 {

namespace {

constexpr double kMastsSafeDepth = -7.62;   // m (25 ft): shallower, the water cannot hurt the masts
constexpr double kRadarMastDepth = -9.7536; // m (32 ft): the radar mast breaks deeper than this
constexpr double kMastStrainTime = 15.0;    // s a mast stands being run too fast
constexpr double kRadioRepairTime = 3600.0;
constexpr double kWireCutLength = 100.0; // m of wire out before a steep dive can cut it
constexpr double kWireCutPitch = -5.0;
constexpr double kWireRepairDelay = 3600.0;
constexpr double kWireRate = 6.0;      // m/s of the wire's winch
constexpr double kArrayTopRate = 10.0; // speed units the arrays stream at, at most
constexpr double kArrayHaulRate = 8.0; // speed units the arrays are hauled in at

constexpr int kTextWireCut = 783;
constexpr int kTextWireMended = 789;

// How each mast fails: the speed it stands and what the crew says when it goes.
struct MastFailure {
    Mast mast;
    double topSpeed;
    const char* wave;
    int text;
    std::int32_t equipment;
};

// In the order the crew checks them when the boat runs fast.
constexpr MastFailure kMastFailures[] = {
    {kMastRadar, 7.0, "CowRdrMF.wav", 271, kEquipmentRadar},
    {kMastEsm, 10.0, "CowEsmFl.wav", 270, kEquipmentEsm},
    {kMastRadio, 10.0, "CowRdoAF.wav", 272, kEquipmentRadio},
    {kMastPeriscope, 10.0, "CowPsFld.wav", 277, kEquipmentPeriscope},
    {kMastSnorkel, 12.0, "CowSnrkF.wav", 821, kEquipmentSnorkel},
};

// The order in which a hull striking the sail carries the masts away.
constexpr Mast kStruckOrder[] = {kMastSnorkel, kMastPeriscope, kMastRadar, kMastRadio, kMastEsm};

const MastFailure& failureOf(Mast mast) {
    return *std::find_if(std::begin(kMastFailures), std::end(kMastFailures),
                         [mast](const MastFailure& failure) { return failure.mast == mast; });
}

// How each towed array is reported lost.
struct ArrayLoss {
    const char* wave;
    int text;
    std::int32_t equipment;
};

constexpr ArrayLoss kArrayLossP{"CowPAryF.wav", 273, kEquipmentArrayP};
constexpr ArrayLoss kArrayLossS{"CowSAryF.wav", 274, kEquipmentArrayS};

} // namespace

void OwnShipMotion::stepMastDamage() {
    if (z >= kMastsSafeDepth) {
        mastDamageTimers.fill(0.0);
        return;
    }
    const double now = simClock().gameClock;
    bool strainBegan = false;
    for (const MastFailure& failure : kMastFailures) {
        double& timer = mastDamageTimers[failure.mast];
        const bool strained =
            masts[failure.mast].state == kDeviceRaised &&
            (speed > failure.topSpeed || (failure.mast == kMastRadar && z < kRadarMastDepth));
        if (!strained) {
            timer = 0.0;
        } else if (timer == 0.0) {
            timer = now + kMastStrainTime;
            strainBegan = true;
        } else if (now >= timer) {
            timer = 0.0;
            breakMast(failure.mast);
        }
    }
    if (strainBegan && !surfacing)
        askMastsDownWhenDue();
}

void OwnShipMotion::breakMast(Mast mast) {
    const MastFailure& failure = failureOf(mast);
    masts[mast].state = kDeviceBroken;
    if (mast == kMastRadio)
        radioRepairTime = kRadioRepairTime;
    if (mast == kMastSnorkel)
        blowerOn = 0;
    crewReport(CrewChannel::chiefOfWatch, failure.wave, failure.text, kUrgentReportPriority);
    logEquipmentEvent(kEventEquipmentFailed, failure.equipment);
}

bool OwnShipMotion::strikeMasts() {
    if (simFrontEnd().optionsField(kOptionNoMastDamage))
        return false;
    bool struck = false;
    for (Mast mast : kStruckOrder) {
        if (masts[mast].state != kDeviceRaised)
            continue;
        breakMast(mast);
        struck = true;
    }
    return struck;
}

void OwnShipMotion::stepWireDamage() {
    const double now = simClock().gameClock;
    if (wireLength > kWireCutLength && pitch <= kWireCutPitch && engineOrder != 0.0) {
        wireLength = -1.0;
        crewReport(CrewChannel::chiefOfWatch, "COWFwCut.wav", kTextWireCut, kUrgentReportPriority);
        logEquipmentEvent(kEventEquipmentFailed, kEquipmentWire);
        wireRepairTime = now + kWireRepairDelay;
    }
    if (wireLength < 0.0 && now >= wireRepairTime) {
        wireLength = 0.0;
        crewReport(CrewChannel::chiefOfWatch, "CowFwFix.wav", kTextWireMended, kUrgentReportPriority);
        logEquipmentEvent(kEventEquipmentRepaired, kEquipmentWire);
    }
}

void OwnShipMotion::payOutWire(double dt) {
    // A cut wire has nothing to wind: reeling it in must not make it whole before its repair.
    if (wireLength < 0.0)
        return;
    if (wireOrder > 0)
        wireLength = std::min(wireLength + kWireRate * dt, kWireFullLength);
    else if (wireOrder < 0)
        wireLength = std::max(wireLength - kWireRate * dt, 0.0);
}

void OwnShipMotion::deployArrays(double dt) {
    for (TowedArray which : {TowedArray::P, TowedArray::S}) {
        double& length = towedArrayLength(which);
        const double order = towedArrayOrder(which);
        if (length < 0.0 || order == 0.0)
            continue; // lost, or its winch stands
        // An array streams only as fast as the water carries it aft; it is hauled in at one rate.
        const double rate = order > 0.0 ? std::clamp(speed, 0.0, kArrayTopRate) : -kArrayHaulRate;
        length = std::clamp(length + rate * kSpeedUnitMetresPerSecond * dt, 0.0, maxArrayLength);
    }
    keepArraySonarInStep();
    distanceRun += speed * kSpeedUnitMetresPerSecond * dt;
}

void OwnShipMotion::loseArraysAstern() {
    if (engineOrder >= -1.0 && headway > -1.0)
        return;
    for (double* length : {&arrayLength1, &arrayLength2}) {
        if (*length <= 0.0)
            continue;
        *length = -1.0;
        const bool isP = (length == &arrayLength1) == (arraySelector != 0);
        const ArrayLoss& loss = isP ? kArrayLossP : kArrayLossS;
        crewReport(CrewChannel::chiefOfWatch, loss.wave, loss.text, kUrgentReportPriority);
        logEquipmentEvent(kEventEquipmentFailed, loss.equipment);
    }
    keepArraySonarInStep();
}

void OwnShipMotion::swapArrays() {
    std::swap(arrayLength1, arrayLength2);
    keepArraySonarInStep();
}

// The towed-array sonar listens through the selected array: it is there while that array is
// out, or housed with its winch streaming it.
void OwnShipMotion::keepArraySonarInStep() {
    const double order = towedArrayOrder(selectedArray());
    const bool wanted = arrayLength1 > 0.0 || (arrayLength1 == 0.0 && order > 0.0);
    if (wanted)
        boat_.makeArraySonar();
    else
        boat_.dropArraySonar();
}

} // namespace q71
