#include "framework/resources/group_archive_io.h"

#include <algorithm>

namespace q71 {

uint32_t DclFileSource::take(uint8_t* buffer, uint32_t wanted) {
    size_t got = std::fread(buffer, 1, std::min(wanted, remaining), file);
    remaining -= static_cast<uint32_t>(got);
    return static_cast<uint32_t>(got);
}

void DclFileSink::put(const uint8_t* buffer, uint32_t size) {
    if (std::fwrite(buffer, 1, size, file) != size)
        failed = true;
    written += size;
}

} // namespace q71
