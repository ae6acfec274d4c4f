// Reads arbitrary bytes as the options record; whatever is accepted writes back to the same bytes.
#include "frontend/options/options_record.h"

#include <algorithm>
#include <cstdint>

using namespace q71;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (auto record = optionsDecode(bytes)) {
        const auto again = optionsEncode(*record);
        if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end()))
            __builtin_trap();
    }
    return 0;
}
