#include "sim/simulation/own_ship_starts.h"

#include "sim/simulation/geometry.h"
#include "sim/simulation/random.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr std::int32_t kSinglePlayer = -1;

} // namespace

std::vector<OwnShipStart>& ownShipStarts() {
    static std::vector<OwnShipStart> starts;
    return starts;
}

OwnShipStart ownShipStartFromRecord(const ScenarioRecord& record) {
    OwnShipStart start;
    start.x = record.x;
    start.y = record.y;
    start.depth = (record.depth + kOwnShipDepthOffsetFeet) * kFeetToMetres;
    start.speed = record.speed;
    start.course = record.course;
    start.boatName = record.typeName;
    if (record.randomPlacement) {
        start.width = record.randomWidth;
        start.height = record.randomHeight;
        // The rectangle's size is in yards, the position in metres: its corner lies half of it
        // in metres to the south-west, so that the rectangle stands centred on the position.
        start.x -= start.width * kYardsToMetres / 2.0;
        start.y -= start.height * kYardsToMetres / 2.0;
    }
    return start;
}

std::optional<PickedStart> scenPickOwnShipStart(std::int32_t playerId) {
    std::vector<OwnShipStart>& starts = ownShipStarts();
    if (starts.empty())
        return std::nullopt;
    const auto count = static_cast<std::int64_t>(starts.size());
    std::int64_t index = std::int64_t{playerId} - 1;
    if (count > 1 && playerId == kSinglePlayer)
        index = static_cast<std::int64_t>(randomScaled(static_cast<double>(count) - 0.01));
    index = std::clamp<std::int64_t>(index, 0, count - 1); // the walk stops at the tail
    const OwnShipStart& start = starts[static_cast<size_t>(index)];

    PickedStart picked{start.x, start.y, start.depth, start.course, start.speed, start.boatName};
    if (start.width > 0.0 || start.height > 0.0) {
        const double east = randomScaled(start.width);
        const double north = randomScaled(start.height);
        geoProject(start.x, start.y, geoBearing(east, north) + start.rotation, geoRange(east, north),
                   picked.x, picked.y);
    }
    if (playerId == kSinglePlayer && count > 1)
        starts.erase(starts.begin() + index);
    return picked;
}

} // namespace q71
