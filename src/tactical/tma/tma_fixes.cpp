#include "tactical/tma/tma_fixes.h"

#include "sim/entities/sensors/sensor.h"

#include <array>

namespace q71 {
namespace {

constexpr std::array<int, 9> kRecentOrder = {kSensorVisual, kSensorVisual9, kSensorActive,
                                             kSensorRadar,  kSensorPassive, kSensorArray0,
                                             kSensorMirror, kSensorArray1,  kSensorEsm};
constexpr std::array<int, 4> kPassiveSonar = {kSensorPassive, kSensorArray0, kSensorMirror, kSensorArray1};

bool isPassiveSonar(int type) {
    return type >= kSensorArray0 && type <= kSensorMirror;
}

} // namespace

std::vector<int> tmaShownTypes(const ContactRecord& contact, TmaSources& sources, bool& sonarSources) {
    std::vector<int> types;
    if (sources.explicitSelection) {
        for (int type = 0; type < kSensorTypeCount; ++type)
            if (sources.shown[static_cast<std::size_t>(type)])
                types.push_back(type);
        return types;
    }
    int chosen = -1;
    double newest = 0.0;
    for (int type : kRecentOrder) {
        const FixList& fixes = contact.fixes[static_cast<std::size_t>(type)];
        if (!fixes.empty() && (chosen < 0 || fixes.newest().time > newest)) {
            chosen = type;
            newest = fixes.newest().time;
        }
    }
    if (chosen < 0)
        return types;
    // The sonar flag follows the choice, so that the menu marks what is shown.
    sonarSources = isPassiveSonar(chosen);
    if (sonarSources) {
        types.assign(kPassiveSonar.begin(), kPassiveSonar.end());
    } else {
        types.push_back(chosen);
    }
    sources.shown[static_cast<std::size_t>(chosen)] = true;
    return types;
}

void tmaCollectFixes(TmaState& state, const ContactRecord& contact, const std::vector<int>& types,
                     double gameClock, int historyWindow,
                     const std::function<void(int type, const ContactFix& fix)>& visit) {
    state.earliest = state.latest = -1.0;
    state.residualCount = 0;
    const double oldest = gameClock - historyWindow * kTmaHistoryUnit;
    for (int type : types) {
        if (type < 0 || type >= kSensorTypeCount)
            continue;
        const FixList& fixes = contact.fixes[static_cast<std::size_t>(type)];
        for (std::size_t age = 0; age < fixes.size(); ++age) {
            const ContactFix& fix = fixes[age];
            if (fix.time < oldest)
                break;
            if (fix.time <= state.historyStart)
                continue;
            visit(type, fix);
            if (state.residualCount < kTmaResidualCount)
                state.residuals[static_cast<std::size_t>(state.residualCount++)] = {fix.time, fix.bearing,
                                                                                    fix.sensorX, fix.sensorY};
            if (state.earliest < 0.0 || fix.time < state.earliest)
                state.earliest = fix.time;
            if (fix.time > state.latest)
                state.latest = fix.time;
        }
    }
}

} // namespace q71
