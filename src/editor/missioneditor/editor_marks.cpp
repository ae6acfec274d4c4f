#include "editor/missioneditor/editor_marks.h"

#include "sim/simulation/scenario_file.h"

namespace q71 {

int objectMarkFrame(const ScenarioRecord& fields, bool selected) {
    if (fields.type == kScenarioOwnShipStart)
        return startMarkFrame(selected);
    const MarkSide side = fields.side == 1 || fields.side == 3 ? MarkSide::Friendly
                          : fields.side == 2                   ? MarkSide::Hostile
                                                               : MarkSide::Neutral;
    MarkKind kind = MarkKind::Stationary;
    if (fields.type == kScenarioSurfaceShip)
        kind = MarkKind::Ship;
    else if (fields.type == kScenarioSubmarine)
        kind = MarkKind::Submarine;
    else if (fields.type == kScenarioAircraft)
        kind = MarkKind::Aircraft;
    return unitMarkFrame(side, kind, selected);
}

} // namespace q71
