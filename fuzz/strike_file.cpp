// Reads arbitrary bytes as a strike file; what is accepted is looked up for every character and
// written back, and what is written reads the same.
#include "platform/gdi/strike_file.h"

#include <cstdint>
#include <string>

using namespace q71;

namespace {
volatile int sink;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    const auto strikes = strikeFileDecode(std::span<const std::uint8_t>(data, size), error);
    if (!strikes)
        return 0;
    int sum = 0;
    for (const Strike& strike : *strikes)
        for (char32_t c = 0; c < 0x180; ++c)
            if (const Glyph* glyph = strike.glyphFor(c))
                for (std::uint8_t ink : glyph->mask)
                    sum += ink;
    sink = sum;
    const std::vector<std::uint8_t> written = strikeFileEncode(*strikes);
    const auto again = strikeFileDecode(std::span<const std::uint8_t>(written.data(), written.size()), error);
    if (!again || strikeFileEncode(*again) != written)
        __builtin_trap();
    return 0;
}
