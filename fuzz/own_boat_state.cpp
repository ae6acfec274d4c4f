// The player's boat read back from a saved mission: its entity block with the contacts and their
// fixes, its motion with the masts, wire, arrays and soundings, and the towed array's receiver
// when one was out. Any bytes are refused or read within them; what loads writes back and loads
// again to the same bytes.
#include "sim/entities/types/own_submarine.h"
#include "sim/scoring/byte_stream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The object database is not open: the boat has no record, so no receivers but the towed
    // array's, which the save itself asks for.
    q71::OwnShipEntity first(1, 4, 7);
    q71::MemorySource source({data, size});
    if (!first.load(source))
        return 0;
    q71::MemorySink once;
    if (!first.save(once))
        __builtin_trap();
    q71::OwnShipEntity second(1, 4, 7);
    q71::MemorySource again(once.bytes());
    if (!second.load(again) || again.remaining() != 0)
        __builtin_trap();
    q71::MemorySink twice;
    if (!second.save(twice) || twice.bytes() != once.bytes())
        __builtin_trap();
    return 0;
}
