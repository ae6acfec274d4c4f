// Checking a bitmap file image in memory (a group-archive member) and pointing at its parts.
#include "framework/app/reporter.h"
#include "framework/dibutils/dib_fields.h"
#include "framework/dibutils/dib_utils.h"
#include "platform/files/little_endian.h"
#include "platform/gdi/dib_format.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace q71 {

using namespace dib;

namespace {

constexpr const char* kSource = "dibRaw";

int warn(const char* format, const char* name, int line) {
    char message[256];
    std::snprintf(message, sizeof message, format, name ? name : "");
    reportWarning(message, line, kSource, 0);
    return 0;
}

} // namespace

int dibRawCheck(ResourceRef& ref) {
    // Only what has arrived counts: a read that broke off leaves the rest of the block unwritten.
    uint64_t available = std::min(ref.delivered.load(std::memory_order_acquire), ref.size);
    const uint8_t* data = ref.data;
    if (!data || available < 2 || loadLe16(data) != kFileType)
        return warn("File: %s is not a bitmap file", ref.name, 38);
    uint32_t headerSize = available >= kFileHeaderSize + 4 ? loadLe32(data + kFileHeaderSize) : 0;
    if (headerSize == kCoreHeaderSize)
        return warn("Sorry, %s is in PM format, not supported yet", ref.name, 61);
    if (headerSize != kInfoHeaderSize && headerSize != kV4HeaderSize)
        return warn("File: %s is not a Windows or PM DIB format", ref.name, 53);

    // Every part must lie inside the data, and the drawing layer must accept the header.
    uint64_t tableEnd = kFileHeaderSize + uint64_t{headerSize};
    std::span<const uint8_t> info;
    if (tableEnd <= available && colorCountPlausible({data + kFileHeaderSize, headerSize})) {
        tableEnd += dibPaletteSize({data + kFileHeaderSize, headerSize});
        if (tableEnd <= available)
            info = {data + kFileHeaderSize, static_cast<size_t>(tableEnd - kFileHeaderSize)};
    }
    std::optional<DibFormat> format = info.empty() ? std::nullopt : dibParseInfo(info);
    uint64_t bitsOffset = loadLe32(data + kFileBitsOffset);
    if (!format || bitsOffset < tableEnd || bitsOffset + format->imageSize() > available)
        return warn("File: %s is not a Windows or PM DIB format", ref.name, 53);

    ref.dibHeader = info;
    ref.dibBits = {data + bitsOffset, format->imageSize()};
    return 1;
}

} // namespace q71
