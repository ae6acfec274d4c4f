// A saved mission's entity of any class read back: the first byte is its type code, the rest its
// state. Every class's loading constructor and load take any bytes, refusing them or reading
// within them; what loads writes back and loads again the same.
#include "sim/entities/types/entity_factory.h"
#include "sim/scoring/byte_stream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // A record the object database lacks: the classes build their parts without record data.
    const q71::EntityLoadEntry entry{data[0] % 20, {1, 9999u, 2, q71::kKindSubsurface, 7, 0}, 1};
    const q71::LoadedEntity first = q71::entityCreateForLoad(entry);
    if (!first.made)
        return 0;
    q71::MemorySource source({data + 1, size - 1});
    if (!first.made->load(source))
        return 0;
    q71::MemorySink once;
    if (!first.made->save(once))
        __builtin_trap();
    const q71::LoadedEntity second = q71::entityCreateForLoad(entry);
    q71::MemorySource again(once.bytes());
    if (!second.made->load(again) || again.remaining() != 0)
        __builtin_trap();
    return 0;
}
