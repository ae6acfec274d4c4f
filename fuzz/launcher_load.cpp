// Tubes and cells read from a saved mission: any bytes give a launcher or a refusal, never a
// crash, and a launcher that was read saves a record that reads back to the same record.
#include "sim/scoring/byte_stream.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/vls_cell.h"

#include <cstddef>
#include <cstdint>

namespace {

template <class Launcher> std::vector<std::uint8_t> saved(const Launcher& launcher) {
    q71::MemorySink sink;
    if (!launcher.save(sink))
        __builtin_trap();
    return sink.bytes();
}

template <class Launcher> void check(std::span<const std::uint8_t> bytes, int number) {
    q71::MemorySource source(bytes);
    Launcher launcher(number);
    if (!launcher.load(source))
        return;
    const std::vector<std::uint8_t> first = saved(launcher);
    q71::MemorySource again(first);
    Launcher copy(number);
    if (!copy.load(again) || again.remaining() != 0 || saved(copy) != first)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> record(data + 1, size - 1);
    if (data[0] % 2 == 0)
        check<q71::TorpedoTube>(record, 1 + data[0] / 2 % 4);
    else
        check<q71::VlsCell>(record, 5 + data[0] / 2 % 12);
    return 0;
}
