// Reads arbitrary bytes as the options record; whatever is accepted reads back from its own bytes
// as the same record, its chart cell size within 1-16.
#include "frontend/options/options_record.h"

#include <cstdint>

using namespace q71;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (auto record = optionsDecode(bytes)) {
        const auto again = optionsDecode(optionsEncode(*record));
        const std::int32_t cell = record->field(kOptionChartCellSize);
        if (!again || again->fields != record->fields || cell < 0 || cell > 15)
            __builtin_trap();
    }
    return 0;
}
