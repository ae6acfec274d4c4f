#include "sim/scoring/upgrades.h"

#include "sim/scoring/player_roster.h"
#include "sim/services/sim_services.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace q71 {
namespace {

constexpr std::int32_t kStep = 1000;
constexpr std::int32_t kTopCounter = 4000;
constexpr std::int32_t kCostBelowEarned = 250;
constexpr std::int32_t kCostAboveEarned = 1000;
constexpr float kTopLevel = 4.0f;
constexpr int kAssistStations = 3;
constexpr int kAutomaticAssistLevel = 5;

struct UpgradePoints {
    std::int32_t balance = 0;
    std::array<std::int32_t, kStationCount> counters{};
};

UpgradePoints& points() {
    static UpgradePoints state;
    return state;
}

// A station level of the record, held to 0-4 whatever the file held.
float stationLevel(int station) {
    const PlayerRecord* record = playerRecord();
    if (!record || station < 0 || station >= kStationCount)
        return 0.0f;
    const float level = record->stationLevels[static_cast<size_t>(station)];
    return std::isfinite(level) ? std::clamp(level, 0.0f, kTopLevel) : 0.0f;
}

std::int32_t earnedLevel(int category) {
    return static_cast<std::int32_t>(stationLevel(category) * kStep);
}

bool isCategory(int category) {
    return category >= 0 && category < kStationCount;
}

} // namespace

void upgradePointsBegin() {
    const PlayerRecord* record = playerRecord();
    points().balance = record ? record->careerPoints : 0;
    for (int category = 0; category < kStationCount; ++category)
        points().counters[static_cast<size_t>(category)] = earnedLevel(category);
}

std::int32_t upgradePointsBuyCost(int category) {
    if (!isCategory(category))
        return -1;
    const std::int32_t counter = points().counters[static_cast<size_t>(category)];
    if (counter >= kTopCounter)
        return -1;
    return counter < earnedLevel(category) ? kCostBelowEarned : kCostAboveEarned;
}

std::int32_t upgradePointsSellRefund(int category) {
    if (!isCategory(category))
        return -1;
    const std::int32_t counter = points().counters[static_cast<size_t>(category)];
    if (counter < kStep)
        return -1;
    return counter > earnedLevel(category) ? kCostAboveEarned : kCostBelowEarned;
}

std::int32_t upgradePointsBuy(int category) {
    const std::int32_t cost = upgradePointsBuyCost(category);
    UpgradePoints& state = points();
    if (cost < 0 || state.balance < cost)
        return -1;
    state.balance -= cost;
    state.counters[static_cast<size_t>(category)] += kStep;
    return state.balance;
}

std::int32_t upgradePointsSell(int category) {
    const std::int32_t refund = upgradePointsSellRefund(category);
    if (refund < 0)
        return -1;
    points().counters[static_cast<size_t>(category)] -= kStep;
    return upgradePointsAdd(refund);
}

std::int32_t upgradePointsLevel(int category) {
    return isCategory(category) ? points().counters[static_cast<size_t>(category)] / kStep : 0;
}

std::int32_t upgradePointsAdd(std::int32_t amount) {
    std::int32_t& balance = points().balance;
    const std::int64_t sum = std::int64_t{balance} + amount;
    if (amount < 0 && sum < 0)
        return -1;
    balance =
        static_cast<std::int32_t>(std::min<std::int64_t>(sum, std::numeric_limits<std::int32_t>::max()));
    return balance;
}

int crewAssistEnabled(int station) {
    if (station < 0 || station >= kAssistStations)
        return 0;
    const FrontEnd& options = simFrontEnd();
    return options.optionsField(kOptionAssistStation0 + station) == 1 ||
                   options.optionsField(kOptionAssistByRank0 + station) == 1
               ? 1
               : 0;
}

int crewAssistLevel(int station) {
    if (!crewAssistEnabled(station))
        return 0;
    if (simFrontEnd().optionsField(kOptionAssistStation0 + station) == 1)
        return kAutomaticAssistLevel;
    return static_cast<int>(stationLevel(station));
}

} // namespace q71
