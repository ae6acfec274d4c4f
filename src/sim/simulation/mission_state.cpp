#include "sim/simulation/mission_state.h"

namespace q71 {

MissionState& missionState() {
    static MissionState state;
    return state;
}

} // namespace q71
