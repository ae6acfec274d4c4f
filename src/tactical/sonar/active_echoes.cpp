#include "tactical/sonar/active_echoes.h"

#include "media/audio/sound_manager.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/active_sonar.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/world/terrain_world.h"
#include "tactical/displays/display_noise.h"
#include "tactical/sonar/level_dib.h"
#include "tactical/sonar/sonar_state.h"

#include <algorithm>
#include <cmath>

namespace q71 {

void ActiveSonarState::takeSettings(const OwnShipMotion& motion) {
    // The mode follows the switch, so a saved mission's switch and its pings agree.
    pingMode = 1 - stationSetting(motion, kSettingActivePing);
    offset = stationSetting(motion, kSettingActiveOrientation) == 0 ? 180 : 0;
}

bool ActiveSonarState::holdCursor() {
    if (cursorRange <= scale)
        return false;
    cursorRange = 0.66 * scale;
    return true;
}

void activeSetPingInterval(const ActiveSonarState& state, double scale) {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->activeUnit)
        return;
    own->activeUnit->transmitInterval =
        state.pingMode ? static_cast<std::int16_t>(activePingInterval(scale)) : std::int16_t{0};
}

void activeArmPing(ActiveSonarState& state, double scale) {
    activeSetPingInterval(state, scale);
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->activeUnit || !state.pingMode)
        return;
    ActiveSonar& sonar = *own->activeUnit;
    sonar.lastTransmit = simClock().gameClock - sonar.transmitInterval;
    state.armedPingTime = sonar.lastTransmit;
}

void ActiveEchoes::transmit() {
    OwnShipMotion* motion = sonarOwnMotion();
    if (!motion)
        return;
    state_.arrayDepth = std::fabs(motion->z);
    const double stored = activeRangeScale(stationSetting(*motion, kSettingActiveRange));
    activeArmPing(state_, stored);
    if (stored != state_.scale) {
        state_.scale = stored;
        state_.holdCursor();
        picture_.fill(0);
    }
    double bottom = 0.0;
    worldDepthAt(motion->x, motion->y, &bottom, false);
    const double water = -bottom;
    state_.bottomClearance = std::fabs(bottom) - state_.arrayDepth;
    const double u = (166.0 - std::min(166.0, water)) / 166.0;
    state_.reverberationBase = 25.0 + 50.0 * u * u;
    lowestPainted_ = activeRangeY(0.0, state_.scale, state_.pingSlot);
}

EchoTick ActiveEchoes::tick() {
    EchoTick result;
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->activeUnit || own->activeUnit->lastTransmit == 0.0) {
        result.idle = true;
        return result;
    }
    const ActiveSonar& sonar = *own->activeUnit;
    // A transmit makes its ping due (a single one, or a repeated one by setting the ping time
    // back); until the sonar has sent it (the world stepped, not paused) there is no new ping
    // front to paint behind, and the old one must not stop the timer.
    if (sonar.transmitInterval == 0 || sonar.lastTransmit == state_.armedPingTime) {
        result.idle = true;
        return result;
    }
    const int storedIndex = stationSetting(*own->ownMotion, kSettingActiveRange);
    if (sonar.lastTransmit != state_.lastPingTime && storedIndex != state_.paintedIndex) {
        picture_.fill(0);
        state_.paintedIndex = storedIndex;
        state_.scale = activeRangeScale(storedIndex);
        result.cursorPulled = state_.holdCursor();
        // Repeated pings go on at the new scale's period (this one has gone already); a single
        // ping has gone and its word must stay as the sonar left it, or it would be sent again.
        if (state_.pingMode)
            activeSetPingInterval(state_, state_.scale);
    }
    state_.lastPingTime = sonar.lastTransmit;
    state_.pingSlot = static_cast<int>(sonar.pingSlot() % ActiveSonar::kPingRows);
    const double front = (simClock().gameClock - sonar.lastTransmit) * kPingFrontSpeed;
    if (front <= state_.scale) {
        const int y = activeRangeY(front, state_.scale, state_.pingSlot);
        // After a pause or at high compression the front may have run far: the rows painted
        // never reach past the picture.
        const int last = std::clamp(lowestPainted_, kActiveTop, kActiveBottom + 1);
        returnPlayed_ = false;
        for (int row = y; row < last; row += 4) {
            if (picture_.row(row).empty())
                continue;
            paintRow(row);
            result.painted = true;
        }
        lowestPainted_ = y;
    } else {
        result.frontPassed = true;
    }
    return result;
}

void ActiveEchoes::paintRow(int y) {
    OwnShipEntity& own = *worldOwnSubmarine();
    const ActiveSonar& sonar = *own.activeUnit;
    std::span<std::uint8_t> row = picture_.row(y);
    std::ranges::fill(row, 0);
    const double rowRange = activeRowRange(y, state_.scale);
    const double base = state_.reverberationBase;
    const double ambient = soundProfile().ambientNoise;
    const double seaCap = simClock().seaState + 10.0;
    const double depth = state_.arrayDepth;
    const double clearance = state_.bottomClearance;
    const auto slot = static_cast<std::size_t>(state_.pingSlot);
    const BroadbandRow& echoes = sonar.broadband()->row(slot);
    const ActiveSonar::Snapshot& sources = sonar.pingSnapshot(slot);
    const double axis = sonar.heading + sonar.arcCentre;
    const double ownHeading = own.motion->heading;
    ReceiverSensor* hullArray = dynamic_cast<ReceiverSensor*>(own.ownShipSensorByType(kSonarHullArray));
    for (int b = 0; b < 360; ++b) {
        if (std::fabs(angleDiff(axis, b)) >= sonar.arcHalfWidth ||
            std::fabs(angleDiff(ownHeading, b)) >= sonar.arcHalfWidth)
            continue;
        int n = static_cast<int>(noise_.scaled(0.5 * base)) + static_cast<int>(base) / 2 +
                static_cast<int>(ambient);
        double s = 0.0, o = 0.0, e = 0.0;
        bool applied = false;
        if (const double diff = std::fabs(rowRange - depth); diff < 3.0 * depth) {
            s = std::min(seaCap, 10.0 * std::trunc(noise_.scaled(10.0 * (3.0 * depth - diff) / (3.0 * depth))));
            applied = true;
        }
        if (const double diff = std::fabs(rowRange - clearance); diff < 3.0 * clearance) {
            o = std::min(10.0,
                         10.0 * std::trunc(noise_.scaled(10.0 * (3.0 * clearance - diff) / (3.0 * clearance))));
            applied = true;
        }
        const std::int32_t source = sonarSourceId(sources[static_cast<std::size_t>(b)]);
        if (source > 0) {
            const int bin = bearingBin(b);
            const int echoY = activeRangeY(echoes.range[static_cast<std::size_t>(bin)], state_.scale,
                                           state_.pingSlot);
            if (std::abs(echoY - y) <= 1) {
                e = echoes.level[static_cast<std::size_t>(bin)];
                applied = true;
                if (e > s && e > o && e > n && hullArray) {
                    for (const TrackSlot& tracker : hullArray->trackers())
                        if (tracker.inUse() && tracker.source == source && tracker.sensorType == kSensorActive)
                            own.reportDetection(trackerDetectionReport(tracker));
                    if (!returnPlayed_ && returnSound_)
                        soundPlay(returnSound_, 0, 1, 0);
                    returnPlayed_ = true;
                }
            }
        }
        if (applied)
            n += static_cast<int>(std::max({s, o, e}));
        // Nearly three degrees share a column: a degree never clears or dims what another put
        // there in this row, so an echo is not wiped out by the quiet degree beside it.
        const auto at = static_cast<std::size_t>(activeBearingX(b, state_.offset));
        if (noise_.scaled(5.0) <= 1.0 + 0.02 * n || e > 0.0) {
            const auto level = static_cast<std::uint8_t>(std::min(kLevelMax, n));
            row[at] = std::max(row[at], level);
            if (level > 50 && at + 1 < row.size())
                row[at + 1] = std::max(row[at + 1], level);
        }
    }
}

} // namespace q71
