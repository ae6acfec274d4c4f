// Checks arbitrary bytes as a bitmap in memory and loads them as a bitmap file; whatever is
// accepted is read whole, so that a header or bits pointing past the bytes would be caught.
#include "framework/dibutils/dib_utils.h"
#include "scratch_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace q71;

namespace {

volatile uint32_t sink;

void touch(std::span<const uint8_t> bytes) {
    uint32_t sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    sink = sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResourceRef ref;
    ref.name = "fuzz.bmp";
    ref.data = new uint8_t[size];
    if (size > 0)
        std::memcpy(ref.data, data, size);
    ref.size = static_cast<uint32_t>(size);
    ref.delivered = ref.size;
    if (dibRawCheck(ref)) {
        touch(ref.dibHeader);
        touch(ref.dibBits);
        dibNumColors(ref.dibHeader);
        dibPaletteSize(ref.dibHeader);
    }
    delete[] ref.data;

    const std::string path = fuzz::scratchPath("b.bmp");
    fuzz::writeScratch(path, data, size);
    std::vector<uint8_t> header, bits;
    if (dibCLoad(path.c_str(), header, bits)) {
        touch(header);
        touch(bits);
    }
    return 0;
}
