// Decompresses arbitrary bytes into a bounded block, then checks that compressing them and
// decompressing the result gives them back, in the mode and dictionary size the first byte picks.
#include "framework/resources/dcl_pipe.h"

#include <cstdlib>
#include <cstring>
#include <vector>

using namespace q71;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<uint8_t> explodeWork(kExplodeWorkSize);
    static std::vector<uint8_t> implodeWork(kImplodeWorkSize);
    uint32_t length = static_cast<uint32_t>(size);

    static std::vector<uint8_t> output(1 << 20);
    std::atomic<uint32_t> delivered{0};
    DclPipe<DclMemorySource, DclMemorySink> damaged{{data, length}, {output.data(), 1 << 20, &delivered}};
    dclExplode(damaged, explodeWork.data());

    // A literal costs at most 14 bits, so twice the input and the header and end marker always fit.
    std::vector<uint8_t> packed(2 * size + 8);
    std::atomic<uint32_t> packedSize{0};
    int mode = size > 0 ? data[0] & 1 : kDclBinary;
    uint32_t dictionary = 1024u << (size > 0 ? (data[0] >> 1) % 3 : 0);
    DclPipe<DclMemorySource, DclMemorySink> compress{
        {data, length}, {packed.data(), static_cast<uint32_t>(packed.size()), &packedSize}};
    if (dclImplode(compress, implodeWork.data(), mode, dictionary) != kDclOk || compress.sink.overflowed)
        std::abort();

    std::vector<uint8_t> unpacked(size + 1);
    std::atomic<uint32_t> unpackedSize{0};
    DclPipe<DclMemorySource, DclMemorySink> decompress{{packed.data(), packedSize.load()},
                                                       {unpacked.data(), length + 1, &unpackedSize}};
    if (dclExplode(decompress, explodeWork.data()) != kDclOk || unpackedSize.load() != length ||
        (size > 0 && std::memcmp(unpacked.data(), data, size) != 0))
        std::abort();
    return 0;
}
