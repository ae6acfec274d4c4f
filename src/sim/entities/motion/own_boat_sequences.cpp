// The own boat's dive and surface sequences: one step each integrate, each waiting for its moment
// (a time or a depth), with the crew's reports as the boat goes under or comes up.
#include "sim/entities/crew_report.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"

#include <cmath>

namespace q71 {

namespace {

constexpr double kDeckAwash = -2.1336;      // m (7 ft): the deck goes under
constexpr double kVentsShut = -3.6576;      // m (12 ft): the boat is down, the vents are shut
constexpr double kMastsCueDepth = -16.1544; // m (53 ft): below periscope depth
constexpr double kSailClear = -11.0;        // m: the sail is out of the water
constexpr double kSurfaced = -1.0;
constexpr double kOnDepth = 0.5;         // m from the ordered depth: the dive is done
constexpr double kMastsCueRepeat = 60.0; // s between two warnings about the masts

// Texts of the message log.
constexpr int kTextDive = 303;
constexpr int kTextVentsOpen = 290;
constexpr int kTextDeckAwash = 312;
constexpr int kTextVentsShut = 282;
constexpr int kTextDiveComplete = 283;
constexpr int kTextMastsStillUp = 772;
constexpr int kTextSurface = 304;
constexpr int kTextBlowMain = 291;
constexpr int kTextSailClear = 301;
constexpr int kTextSurfaced = 302;

void routine(CrewChannel channel, const char* wave, int text) {
    crewReport(channel, wave, text, kRoutineReportPriority);
}

} // namespace

void OwnShipMotion::stepDiveSequence() {
    const double now = simClock().gameClock;
    switch (diveStep) {
    case 0:
        if (diveTimer < now) {
            diveTimer = now + 3.0;
            diveStep = 1;
            setMode(1);
            routine(CrewChannel::divingOfficer, "dosub.wav", kTextDive);
            logEquipmentEvent(kEventDiveOrdered, 0);
        }
        break;
    case 1:
        if (diveTimer < now) {
            diveStep = 2;
            routine(CrewChannel::chiefOfWatch, "cow14.wav", kTextVentsOpen);
        }
        break;
    case 2:
        if (z < kDeckAwash) {
            routine(CrewChannel::officerOfDeck, "ooddecks.wav", kTextDeckAwash);
            diveStep = 3;
        }
        break;
    case 3:
        if (z <= kVentsShut) {
            setMode(0);
            routine(CrewChannel::chiefOfWatch, "cow1.wav", kTextVentsShut);
            diveStep = 4;
        }
        break;
    case 4:
        if (z < kMastsCueDepth) {
            askMastsDownWhenDue();
            diveStep = 5;
        }
        break;
    case 5:
        if (std::fabs(z - orderedDepth) < kOnDepth) {
            diveStep = 6;
            diveTimer = now + 10.0;
        }
        break;
    case 6:
        if (diveTimer < now) {
            routine(CrewChannel::chiefOfWatch, "cow2.wav", kTextDiveComplete);
            diving = 0;
        }
        break;
    case 7: // a deep order given at periscope depth: only the warning about the masts
        if (diveTimer < now) {
            diving = 0;
            askMastsDownWhenDue();
        }
        break;
    default:
        diving = 0;
        break;
    }
}

void OwnShipMotion::askMastsDownWhenDue() {
    const double now = simClock().gameClock;
    if (!anyMastRaised() || (lastLowerMastsCue >= 0.0 && now - lastLowerMastsCue <= kMastsCueRepeat))
        return;
    crewReport(CrewChannel::chiefOfWatch, "COWlower.wav", kTextMastsStillUp, kUrgentReportPriority);
    lastLowerMastsCue = now;
}

void OwnShipMotion::stepSurfaceSequence() {
    if (emergencyBlow)
        return; // the blow brings the boat up; the sequence waits for it to end
    const double now = simClock().gameClock;
    switch (surfaceStep) {
    case 0:
        if (surfaceTimer < now) {
            routine(CrewChannel::divingOfficer, "dosurf.wav", kTextSurface);
            surfaceTimer = now + 2.5;
            surfaceStep = 1;
            logEquipmentEvent(kEventSurfaceOrdered, 0);
        }
        break;
    case 1:
        if (surfaceTimer < now) {
            routine(CrewChannel::chiefOfWatch, "cow15.wav", kTextBlowMain);
            surfaceStep = 2;
        }
        break;
    case 2:
        if (z >= kSailClear) {
            routine(CrewChannel::chiefOfWatch, "cow16.wav", kTextSailClear);
            simAudio().playByName("bllst.wav", false, true, false);
            setSnorkel(1);
            surfaceStep = 3;
        }
        break;
    case 3:
        if (z > kSurfaced) {
            surfaceStep = 4;
            surfaceTimer = now + 5.0;
        }
        break;
    case 4:
        if (surfaceTimer < now) {
            routine(CrewChannel::chiefOfWatch, "cow17.wav", kTextSurfaced);
            setSnorkel(0);
            surfacing = 0;
        }
        break;
    default:
        surfacing = 0;
        break;
    }
}

} // namespace q71
