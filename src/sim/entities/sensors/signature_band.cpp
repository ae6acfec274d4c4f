#include "sim/entities/sensors/signature_band.h"

#include "sim/entities/entity.h"
#include "sim/simulation/signature_tables.h"

#include <algorithm>

namespace q71 {

bool signatureLineInBand(const Entity& entity, std::uint16_t bandLow, std::uint16_t bandHigh) {
    const std::size_t lines =
        std::min(worldSignatureTables(entity.recordId).size(), entity.signatureIndex.size());
    for (std::size_t i = 0; i < lines; ++i) {
        const std::int32_t sample = entity.signatureIndex[i];
        if (sample > bandLow && sample < bandHigh)
            return true;
    }
    return false;
}

} // namespace q71
