#pragma once
// Helpers for the codec tests: whole-buffer compression and decompression with callbacks that
// hand out input in pieces of a chosen size, and a builder of streams written bit by bit.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace q71::test {

struct CodecOutput {
    int result;
    std::string bytes;
    std::vector<uint32_t> writes; ///< size of each write callback
};

/// `explode` of the whole stream, the read callback giving at most `piece` bytes a call.
CodecOutput explodeAll(std::string_view packed, uint32_t piece = 2048);

/// `implode` of the whole input, the read callback giving at most `piece` bytes a call.
CodecOutput implodeAll(std::string_view plain, int mode, uint32_t dictionarySize, uint32_t piece = 4096);

/// A stream written bit by bit, in the order the bits are sent.
class BitStream {
public:
    BitStream(uint8_t mode, uint8_t dictionaryCode);
    /// Appends bits given as '0' and '1' characters in sending order.
    BitStream& code(std::string_view bits);
    /// Appends a field of `count` bits, its least significant bit first.
    BitStream& field(uint32_t value, int count);
    /// Appends the end marker: flag 1, the last length group's code, eight one bits.
    BitStream& end();
    /// The bytes, the last one padded with zero bits.
    std::string bytes() const;

private:
    std::string bytes_;
    int bitCount_ = 0;
};

} // namespace q71::test
