// The editor's list of mission areas: any bytes give a list or a refusal, never a crash; every
// area listed has its centre on the globe and a name that fits.
#include "editor/missioneditor/mission_areas.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto areas = q71::missionAreasParse({data, size});
    if (!areas)
        return 0;
    for (const q71::EditorArea& area : *areas)
        if (!(std::fabs(area.latitude) <= 90.0) || !(std::fabs(area.longitude) <= 180.0) || area.name.empty() ||
            area.name.size() > 63)
            __builtin_trap();
    return 0;
}
