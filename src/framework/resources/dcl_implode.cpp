// Compression: greedy matching with a one-step lazy look, over hash chains of three-byte
// sequences for matches of three bytes and more, and a table of the last place of each two-byte
// sequence for the short matches of two bytes (which the format allows only 256 bytes back).
#include "framework/resources/dcl.h"
#include "framework/resources/dcl_codes.h"

#include <cstring>
#include <memory>
#include <new>

namespace q71 {
namespace {

using namespace dcl;

constexpr uint32_t kInputBlock = 4096;
constexpr uint32_t kOutputBlock = 2048;
constexpr uint32_t kHistory = 4096; // kept in front of the position, the largest dictionary
constexpr uint32_t kWindowSize = kHistory + kInputBlock + kMaxMatch;
constexpr uint32_t kHashSize = 4096;
constexpr uint16_t kNoPosition = 0xFFFF;
constexpr int kMaxChain = 96;              // candidates tried per position: speed against size
constexpr uint32_t kLazyLimit = 64;        // longer matches are taken without looking one further
constexpr uint32_t kShortMatchReach = 256; // farthest a two-byte match can point

// Codes of every match length, with its flag bit and extra bits: what `writeBits` sends.
struct LengthCode {
    uint32_t bits;
    uint8_t length;
};
constexpr std::array<LengthCode, kEndOfStream + 1> makeLengthCodes() {
    std::array<LengthCode, kEndOfStream + 1> table{};
    for (int group = 0; group < 16; ++group) {
        for (int extra = 0; extra < (1 << kLengthExtraBits[group]); ++extra) {
            const PrefixCode& code = kLengthCodes[group];
            uint32_t bits = 1u | (uint32_t{code.bits} << 1) | (uint32_t(extra) << (1 + code.length));
            table[kLengthBase[group] + extra] = {bits, uint8_t(1 + code.length + kLengthExtraBits[group])};
        }
    }
    return table;
}
constexpr auto kMatchLengthCodes = makeLengthCodes();

struct ImplodeState {
    DclReadFn read;
    DclWriteFn write;
    void* parameter;
    bool ascii;
    uint32_t dictionarySize;
    uint32_t dictionaryBits;
    uint64_t bitBuffer; // pending bits, the first in bit 0
    uint32_t bitCount;
    uint32_t outputCount;
    uint8_t output[kOutputBlock + 8];
    uint8_t window[kWindowSize];
    uint16_t head[kHashSize];     // newest position of each three-byte hash
    uint16_t chain[kHistory];     // per position (modulo kHistory): the previous one of its hash
    uint16_t lastPair[kHashSize]; // newest position of each two-byte hash
};
static_assert(sizeof(ImplodeState) + alignof(ImplodeState) <= kImplodeWorkSize);

uint32_t hash3(const uint8_t* p) {
    return ((p[0] << 8) ^ (p[1] << 4) ^ p[2]) & (kHashSize - 1);
}
uint32_t hash2(const uint8_t* p) {
    return ((p[0] << 4) ^ p[1]) & (kHashSize - 1);
}

void writeBits(ImplodeState& s, uint32_t bits, uint32_t count) {
    s.bitBuffer |= uint64_t{bits} << s.bitCount;
    s.bitCount += count;
    while (s.bitCount >= 8) {
        s.output[s.outputCount++] = static_cast<uint8_t>(s.bitBuffer);
        s.bitBuffer >>= 8;
        s.bitCount -= 8;
    }
    if (s.outputCount >= kOutputBlock) {
        s.write(s.output, kOutputBlock, s.parameter);
        s.outputCount -= kOutputBlock;
        std::memmove(s.output, s.output + kOutputBlock, s.outputCount);
    }
}

uint32_t literalCost(const ImplodeState& s, uint8_t byte) {
    return 1 + (s.ascii ? kLiteralCodes[byte].length : 8);
}

void writeLiteral(ImplodeState& s, uint8_t byte) {
    if (s.ascii)
        writeBits(s, uint32_t{kLiteralCodes[byte].bits} << 1, 1 + kLiteralCodes[byte].length);
    else
        writeBits(s, uint32_t{byte} << 1, 9);
}

uint32_t lowBitsOf(const ImplodeState& s, uint32_t length) {
    return length == 2 ? 2 : s.dictionaryBits;
}

uint32_t matchCost(const ImplodeState& s, uint32_t length, uint32_t distance) {
    uint32_t lowBits = lowBitsOf(s, length);
    return kMatchLengthCodes[length].length + kDistanceCodes[(distance - 1) >> lowBits].length + lowBits;
}

void writeMatch(ImplodeState& s, uint32_t length, uint32_t distance) {
    writeBits(s, kMatchLengthCodes[length].bits, kMatchLengthCodes[length].length);
    uint32_t lowBits = lowBitsOf(s, length);
    const PrefixCode& high = kDistanceCodes[(distance - 1) >> lowBits];
    writeBits(s, high.bits, high.length);
    writeBits(s, (distance - 1) & ((1u << lowBits) - 1), lowBits);
}

struct Match {
    uint32_t length = 0;
    uint32_t distance = 0;
};

// The best match for the bytes at `pos`, at most `available` long.
Match findMatch(const ImplodeState& s, uint32_t pos, uint32_t available) {
    Match best;
    uint32_t limit = available < uint32_t(kMaxMatch) ? available : kMaxMatch;
    if (limit < 2)
        return best;
    const uint8_t* here = s.window + pos;
    if (limit >= 3) {
        uint32_t candidate = s.head[hash3(here)];
        for (int tries = 0; candidate != kNoPosition && tries < kMaxChain; ++tries) {
            uint32_t distance = pos - candidate;
            if (candidate >= pos || distance > s.dictionarySize)
                break;
            const uint8_t* there = s.window + candidate;
            if (there[best.length] == here[best.length] && there[0] == here[0]) {
                uint32_t length = 0;
                while (length < limit && there[length] == here[length])
                    ++length;
                if (length > best.length) {
                    best = {length, distance};
                    if (length == limit)
                        break;
                }
            }
            candidate = s.chain[candidate % kHistory];
        }
    }
    if (best.length < 3) {
        best = {};
        uint32_t candidate = s.lastPair[hash2(here)];
        if (candidate != kNoPosition && candidate < pos && pos - candidate <= kShortMatchReach &&
            s.window[candidate] == here[0] && s.window[candidate + 1] == here[1])
            best = {2, pos - candidate};
    }
    // A short match far back can cost more than its bytes as literals.
    if (best.length != 0 && best.length <= 3) {
        uint32_t literals = 0;
        for (uint32_t i = 0; i < best.length; ++i)
            literals += literalCost(s, here[i]);
        if (matchCost(s, best.length, best.distance) >= literals)
            best = {};
    }
    return best;
}

// Records the bytes at `pos` in the hash tables so that later positions find them.
void insert(ImplodeState& s, uint32_t pos, uint32_t available) {
    if (available >= 2)
        s.lastPair[hash2(s.window + pos)] = static_cast<uint16_t>(pos);
    if (available >= 3) {
        uint32_t h = hash3(s.window + pos);
        s.chain[pos % kHistory] = s.head[h];
        s.head[h] = static_cast<uint16_t>(pos);
    }
}

// Moves the window down by whole histories, keeping at least kHistory bytes in front of `pos`.
// Chain slots are indexed by position modulo kHistory, so they stay in place.
void slide(ImplodeState& s, uint32_t& pos, uint32_t& end) {
    uint32_t shift = (pos - kHistory) / kHistory * kHistory;
    std::memmove(s.window, s.window + shift, end - shift);
    pos -= shift;
    end -= shift;
    auto rebase = [shift](uint16_t& p) {
        p = p == kNoPosition || p < shift ? kNoPosition : uint16_t(p - shift);
    };
    for (uint16_t& p : s.head)
        rebase(p);
    for (uint16_t& p : s.lastPair)
        rebase(p);
    for (uint16_t& p : s.chain)
        rebase(p);
}

// Reads input until the window is full or the input ends; returns false once it has ended.
bool fillWindow(ImplodeState& s, uint32_t& end) {
    while (end < kWindowSize) {
        uint32_t size = kWindowSize - end < kInputBlock ? kWindowSize - end : kInputBlock;
        uint32_t given = s.read(s.window + end, &size, s.parameter);
        if (given == 0)
            return false;
        end += given < size ? given : size;
    }
    return true;
}

} // namespace

int implode(DclReadFn read, DclWriteFn write, void* work, void* parameter, int mode,
            uint32_t dictionarySize) {
    uint32_t dictionaryBits;
    switch (dictionarySize) {
    case 1024:
        dictionaryBits = 4;
        break;
    case 2048:
        dictionaryBits = 5;
        break;
    case 4096:
        dictionaryBits = 6;
        break;
    default:
        return kDclBadDictionary;
    }
    if (mode != kDclBinary && mode != kDclAscii)
        return kDclBadMode;

    void* aligned = work;
    size_t space = kImplodeWorkSize;
    std::align(alignof(ImplodeState), sizeof(ImplodeState), aligned, space);
    ImplodeState& s = *new (aligned) ImplodeState{};
    s.read = read;
    s.write = write;
    s.parameter = parameter;
    s.ascii = mode == kDclAscii;
    s.dictionarySize = dictionarySize;
    s.dictionaryBits = dictionaryBits;
    std::memset(s.head, 0xFF, sizeof s.head);
    std::memset(s.chain, 0xFF, sizeof s.chain);
    std::memset(s.lastPair, 0xFF, sizeof s.lastPair);
    s.output[0] = static_cast<uint8_t>(mode);
    s.output[1] = static_cast<uint8_t>(dictionaryBits);
    s.outputCount = 2;

    uint32_t pos = 0;
    uint32_t end = 0;
    bool more = fillWindow(s, end);
    Match pending; // a match found one position back, waiting for the lazy look
    while (pos < end) {
        // Keep more than a whole longest match of look-ahead while input remains: a match that
        // ended right on the window's end would leave nothing to compare and end the stream early.
        if (more && end - pos <= uint32_t(kMaxMatch)) {
            slide(s, pos, end);
            more = fillWindow(s, end);
            continue;
        }
        Match match = findMatch(s, pos, end - pos);
        if (pending.length != 0) {
            if (match.length <= pending.length) {
                // The match found one back stands: it covers pos - 1 and runs on from here.
                writeMatch(s, pending.length, pending.distance);
                for (uint32_t i = 1; i < pending.length; ++i, ++pos)
                    insert(s, pos, end - pos);
                pending = {};
                continue;
            }
            writeLiteral(s, s.window[pos - 1]); // the longer match one further on wins
            pending = {};
        }
        if (match.length == 0) {
            writeLiteral(s, s.window[pos]);
            insert(s, pos, end - pos);
            ++pos;
        } else if (match.length < kLazyLimit) {
            pending = match;
            insert(s, pos, end - pos);
            ++pos;
        } else {
            writeMatch(s, match.length, match.distance);
            for (uint32_t i = 0; i < match.length; ++i, ++pos)
                insert(s, pos, end - pos);
        }
    }
    writeBits(s, kMatchLengthCodes[kEndOfStream].bits, kMatchLengthCodes[kEndOfStream].length);
    if (s.bitCount > 0)
        s.output[s.outputCount++] = static_cast<uint8_t>(s.bitBuffer);
    s.write(s.output, s.outputCount, s.parameter);
    return kDclOk;
}

} // namespace q71
