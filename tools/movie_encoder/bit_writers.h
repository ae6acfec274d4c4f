#pragma once
// Bit writers for the two bit orders of the frame kinds.

#include <cstdint>
#include <vector>

namespace q71::encoder {

/// Fields packed least-significant bit first into bytes (the byte-coded transform frames and
/// the block maps); a field's first bit is its least significant one.
class LowBitWriter {
public:
    void put(std::uint32_t value, int bits) {
        for (int i = 0; i < bits; ++i) {
            if (count_ % 8 == 0)
                bytes_.push_back(0);
            bytes_.back() |= static_cast<std::uint8_t>(((value >> i) & 1) << (count_ % 8));
            ++count_;
        }
    }
    std::size_t bitCount() const { return count_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t count_ = 0;
};

/// Codes written most significant bit first into 32-bit words stored least-significant byte
/// first (the intra transform frames).
class WordBitWriter {
public:
    void put(std::uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            word_ = (word_ << 1) | ((value >> i) & 1);
            if (++inWord_ == 32)
                flushWord();
        }
    }
    /// Writes a code given as a string of '0' and '1'.
    void putCode(const char* code) {
        for (; *code; ++code)
            put(*code == '1', 1);
    }
    /// The words written so far, the last one padded with zero bits.
    std::vector<std::uint8_t> finish() {
        if (inWord_) {
            word_ <<= 32 - inWord_;
            inWord_ = 32;
            flushWord();
        }
        return bytes_;
    }

private:
    void flushWord() {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<std::uint8_t>(word_ >> (8 * i)));
        word_ = 0;
        inWord_ = 0;
    }
    std::vector<std::uint8_t> bytes_;
    std::uint32_t word_ = 0;
    int inWord_ = 0;
};

} // namespace q71::encoder
