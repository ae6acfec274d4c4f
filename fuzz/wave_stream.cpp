// Any bytes as a wave read the way stream voices read it: the data in pieces, then again from
// the start; every pass gives exactly the data's length, and the same bytes.
#include "media/audio/wave_reader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace q71;

namespace {

std::vector<uint8_t> readPass(WaveReader& reader, size_t piece) {
    std::vector<uint8_t> all;
    std::vector<uint8_t> buffer(piece);
    for (size_t got; (got = reader.read(buffer)) > 0;)
        all.insert(all.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WaveReader reader;
    if (reader.open(waveMemoryStream(std::vector<uint8_t>(data, data + size))) != WaveError::none ||
        reader.startData() != WaveError::none)
        return 0;
    const size_t piece = 1 + (size > 0 ? data[size - 1] : 0) % 509;
    const std::vector<uint8_t> first = readPass(reader, piece);
    if (first.size() > reader.dataBytes() || first.size() % reader.format().blockAlign != 0)
        __builtin_trap();
    if (reader.startData() != WaveError::none)
        __builtin_trap(); // it opened once, so it starts again
    if (readPass(reader, piece + 3) != first)
        __builtin_trap();
    return 0;
}
