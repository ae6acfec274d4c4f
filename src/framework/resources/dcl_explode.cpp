// Decompression: tokens are decoded into a window that keeps 4096 bytes of history in front of the
// new output, so that a match can reach back across a flush.
#include "framework/resources/dcl.h"
#include "framework/resources/dcl_codes.h"

#include <cstring>
#include <memory>
#include <new>

namespace q71 {
namespace {

using namespace dcl;

constexpr auto kLengthDecode = decodeTable<kMaxLengthCodeBits>(kLengthCodes);
constexpr auto kDistanceDecode = decodeTable<kMaxDistanceCodeBits>(kDistanceCodes);
constexpr auto kLiteralDecode = decodeTable<kMaxLiteralCodeBits>(kLiteralCodes);

constexpr uint32_t kInputBlock = 2048;
constexpr uint32_t kHistory = 4096;
constexpr uint32_t kFlushAt = 2 * kHistory;
// The longest token needs 1 + 7 + 8 (length) + 8 + 6 (distance) bits.
constexpr uint32_t kLongestToken = 30;

struct ExplodeState {
    DclReadFn read;
    DclWriteFn write;
    void* parameter;
    uint64_t bitBuffer; // unread bits, the next one in bit 0
    uint32_t bitCount;  // real bits in bitBuffer (zeros above them once the input ended)
    uint32_t inputPos;
    uint32_t inputEnd;
    bool inputEnded;
    uint32_t outputPos; // in window; new output starts at kHistory
    uint64_t produced;  // bytes decoded so far, to refuse distances before the first byte
    uint8_t input[kInputBlock];
    // History, one flush of new output, and room for the match that crosses the flush point.
    uint8_t window[kFlushAt + kMaxMatch];
};
static_assert(sizeof(ExplodeState) + alignof(ExplodeState) <= kExplodeWorkSize);

bool refillInput(ExplodeState& s) {
    if (s.inputEnded)
        return false;
    uint32_t size = kInputBlock;
    uint32_t given = s.read(s.input, &size, s.parameter);
    if (given == 0) {
        s.inputEnded = true;
        return false;
    }
    s.inputPos = 0;
    s.inputEnd = given < kInputBlock ? given : kInputBlock;
    return true;
}

// Tops the bit buffer up to `wanted` bits while input lasts.
void fillBits(ExplodeState& s, uint32_t wanted) {
    while (s.bitCount < wanted) {
        if (s.inputPos == s.inputEnd && !refillInput(s))
            return;
        s.bitBuffer |= uint64_t{s.input[s.inputPos++]} << s.bitCount;
        s.bitCount += 8;
    }
}

uint32_t peekBits(const ExplodeState& s, uint32_t count) {
    return static_cast<uint32_t>(s.bitBuffer & ((uint64_t{1} << count) - 1));
}

// Drops `count` bits; false when the stream had fewer left.
bool consumeBits(ExplodeState& s, uint32_t count) {
    if (count > s.bitCount)
        return false;
    s.bitBuffer >>= count;
    s.bitCount -= count;
    return true;
}

bool readBits(ExplodeState& s, uint32_t count, uint32_t& value) {
    value = peekBits(s, count);
    return consumeBits(s, count);
}

void flush(ExplodeState& s, uint32_t end) {
    if (end > kHistory)
        s.write(s.window + kHistory, end - kHistory, s.parameter);
}

// Decodes one literal or match into the window; false on a broken stream, true at the end
// marker with `ended` set.
bool decodeToken(ExplodeState& s, bool ascii, uint32_t dictionaryBits, bool& ended) {
    fillBits(s, kLongestToken);
    uint32_t flag;
    if (!readBits(s, 1, flag))
        return false;
    if (flag == 0) {
        uint32_t literal;
        if (ascii) {
            uint32_t index = peekBits(s, kMaxLiteralCodeBits);
            literal = kLiteralDecode.symbol[index];
            if (!consumeBits(s, kLiteralDecode.length[index]))
                return false;
        } else if (!readBits(s, 8, literal)) {
            return false;
        }
        s.window[s.outputPos++] = static_cast<uint8_t>(literal);
        ++s.produced;
        return true;
    }
    uint32_t index = peekBits(s, kMaxLengthCodeBits);
    uint32_t group = kLengthDecode.symbol[index];
    uint32_t extra;
    if (!consumeBits(s, kLengthDecode.length[index]) || !readBits(s, kLengthExtraBits[group], extra))
        return false;
    uint32_t length = kLengthBase[group] + extra;
    if (length == kEndOfStream) {
        ended = true;
        return true;
    }
    index = peekBits(s, kMaxDistanceCodeBits);
    uint32_t high = kDistanceDecode.symbol[index];
    uint32_t lowBits = length == 2 ? 2 : dictionaryBits;
    uint32_t low;
    if (!consumeBits(s, kDistanceDecode.length[index]) || !readBits(s, lowBits, low))
        return false;
    uint32_t distance = (high << lowBits) + low + 1;
    if (distance > s.produced)
        return false;
    uint8_t* to = s.window + s.outputPos;
    const uint8_t* from = to - distance;
    if (distance >= length) {
        std::memcpy(to, from, length);
    } else {
        for (uint32_t i = 0; i < length; ++i) // overlapping: repeats the last `distance` bytes
            to[i] = from[i];
    }
    s.outputPos += length;
    s.produced += length;
    return true;
}

} // namespace

int explode(DclReadFn read, DclWriteFn write, void* work, void* parameter) {
    void* aligned = work;
    size_t space = kExplodeWorkSize;
    std::align(alignof(ExplodeState), sizeof(ExplodeState), aligned, space);
    ExplodeState& s =
        *new (aligned) ExplodeState{read, write, parameter, 0, 0, 0, 0, false, kHistory, 0, {}, {}};

    // The smallest stream is the two header bytes and the 16 bits of the end marker; a caller's
    // callback may hand them out in pieces.
    uint32_t have = 0;
    while (have < 4) {
        uint32_t size = kInputBlock - have;
        uint32_t given = read(s.input + have, &size, parameter);
        if (given == 0)
            break;
        have += given < size ? given : size;
    }
    if (have < 4)
        return kDclShortInput;
    uint32_t mode = s.input[0];
    uint32_t dictionaryBits = s.input[1];
    if (dictionaryBits < 4 || dictionaryBits > 6)
        return kDclBadDictionary;
    if (mode != kDclBinary && mode != kDclAscii)
        return kDclBadMode;
    s.inputPos = 2;
    s.inputEnd = have;

    bool ended = false;
    bool intact = true;
    while (!ended && (intact = decodeToken(s, mode == kDclAscii, dictionaryBits, ended))) {
        if (s.outputPos >= kFlushAt) {
            flush(s, kFlushAt);
            std::memmove(s.window, s.window + kHistory, s.outputPos - kHistory);
            s.outputPos -= kHistory;
        }
    }
    flush(s, s.outputPos);
    return intact ? kDclOk : kDclBrokenStream;
}

} // namespace q71
