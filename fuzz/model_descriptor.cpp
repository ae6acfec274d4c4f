// Any bytes as a model descriptor: refused or read, never read past its end.
#include "tactical/rwutils/model_descriptor.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (auto d = q71::decodeModelDescriptor({bytes, size})) {
        // What was read writes back to bytes that read the same.
        const auto again = q71::decodeModelDescriptor(q71::encodeModelDescriptor(*d));
        if (!again || again->geometry != d->geometry || again->textures != d->textures)
            __builtin_trap();
    }
    return 0;
}
