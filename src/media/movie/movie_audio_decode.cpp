#include "media/movie/movie_audio_decode.h"

#include <algorithm>

namespace q71 {

namespace {

struct XaChannel {
    int previous1;
    int previous2;
};

std::int16_t xaSample(XaChannel& ch, unsigned nibble, unsigned filter, unsigned shift) {
    // A filter index past the table predicts nothing rather than reading outside it.
    const int* f = filter < 4 ? kXaFilters[filter] : kXaFilters[0];
    auto placed = static_cast<std::int32_t>(static_cast<std::uint32_t>(nibble) << 28);
    std::int32_t s = ((placed >> (shift + 8)) + ch.previous1 * f[0] + ch.previous2 * f[1] + 128) >> 8;
    s = std::clamp(s, -32768, 32767);
    ch.previous2 = ch.previous1;
    ch.previous1 = s;
    return static_cast<std::int16_t>(s);
}

std::int16_t word(std::span<const std::uint8_t> b, std::size_t i) {
    return static_cast<std::int16_t>(b[2 * i] | b[2 * i + 1] << 8);
}

} // namespace

bool adpcmDecodeBlocks(std::span<const std::uint8_t> chunk, std::vector<std::int16_t>& out) {
    if (chunk.size() < kXaHeaderSize)
        return false;
    XaChannel left{word(chunk, 2), word(chunk, 3)};
    XaChannel right{word(chunk, 4), word(chunk, 5)};
    const std::size_t blocks = (chunk.size() - kXaHeaderSize) / kXaBlockSize;
    out.reserve(out.size() + blocks * kXaSamplesPerBlock * 2);
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::uint8_t* block = chunk.data() + kXaHeaderSize + b * kXaBlockSize;
        for (int i = 0; i < kXaSamplesPerBlock; ++i) {
            std::uint8_t pair = block[2 + i];
            out.push_back(xaSample(left, pair >> 4, block[0] >> 4, block[1] >> 4));
            out.push_back(xaSample(right, pair & 15, block[0] & 15, block[1] & 15));
        }
    }
    return true;
}

const std::int16_t kImaSteps[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

std::int16_t imaDecodeNibble(ImaChannel& channel, unsigned code) {
    static constexpr int kIndexMoves[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
    const int step = kImaSteps[channel.stepIndex];
    int difference = step >> 3;
    if (code & 1)
        difference += step >> 2;
    if (code & 2)
        difference += step >> 1;
    if (code & 4)
        difference += step;
    if (code & 8)
        difference = -difference;
    channel.predictor = std::clamp(channel.predictor + difference, -32768, 32767);
    channel.stepIndex = std::clamp(channel.stepIndex + kIndexMoves[code & 7], 0, 88);
    return static_cast<std::int16_t>(channel.predictor);
}

void adpcmDecodeSteps(std::span<const std::uint8_t> chunk, ImaChannel& left, ImaChannel& right,
                      std::vector<std::int16_t>& out) {
    out.reserve(out.size() + chunk.size() * 2);
    for (std::uint8_t pair : chunk) {
        out.push_back(imaDecodeNibble(left, pair >> 4));
        out.push_back(imaDecodeNibble(right, pair & 15));
    }
}

} // namespace q71
