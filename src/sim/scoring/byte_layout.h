#pragma once
// Fixed little-endian record layouts. Each record type has one layout function that names
// every field at its byte offset; called with a LayoutReader it decodes the record, with a
// LayoutWriter it encodes it. So each layout is written down once, next to the table it
// follows in docs/scoring-and-records.md.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>

namespace q71 {

namespace detail {
inline void checkField(size_t offset, size_t width, size_t size) {
    // Offsets are constants of the layouts: a miss is a fault of the layout, never of the input.
    if (offset > size || width > size - offset)
        throw std::logic_error("record field outside its record");
}
} // namespace detail

/// Reads fields out of a record's bytes.
class LayoutReader {
public:
    explicit LayoutReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    void u8(size_t offset, std::uint8_t& value) const {
        detail::checkField(offset, 1, bytes_.size());
        value = bytes_[offset];
    }
    void i32(size_t offset, std::int32_t& value) const { value = static_cast<std::int32_t>(word(offset)); }
    void f32(size_t offset, float& value) const { value = std::bit_cast<float>(word(offset)); }
    void f64(size_t offset, double& value) const {
        detail::checkField(offset, 8, bytes_.size());
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = bits << 8 | bytes_[offset + static_cast<size_t>(i)];
        value = std::bit_cast<double>(bits);
    }
    template <size_t N> void bytes(size_t offset, std::array<std::uint8_t, N>& value) const {
        detail::checkField(offset, N, bytes_.size());
        std::memcpy(value.data(), bytes_.data() + offset, N);
    }
    template <size_t N> void text(size_t offset, std::array<char, N>& value) const {
        detail::checkField(offset, N, bytes_.size());
        std::memcpy(value.data(), bytes_.data() + offset, N);
    }
    /// Consecutive 32-bit words from an offset.
    template <class T, size_t N> void words(size_t offset, std::array<T, N>& values) const {
        for (size_t i = 0; i < N; ++i)
            field(offset + 4 * i, values[i]);
    }
    void field(size_t offset, std::int32_t& value) const { i32(offset, value); }
    void field(size_t offset, float& value) const { f32(offset, value); }

private:
    std::uint32_t word(size_t offset) const {
        detail::checkField(offset, 4, bytes_.size());
        return std::uint32_t{bytes_[offset]} | std::uint32_t{bytes_[offset + 1]} << 8 |
               std::uint32_t{bytes_[offset + 2]} << 16 | std::uint32_t{bytes_[offset + 3]} << 24;
    }

    std::span<const std::uint8_t> bytes_;
};

/// Writes fields into a record's bytes; bytes no field covers keep what they held.
class LayoutWriter {
public:
    explicit LayoutWriter(std::span<std::uint8_t> bytes) : bytes_(bytes) {}

    void u8(size_t offset, const std::uint8_t& value) const {
        detail::checkField(offset, 1, bytes_.size());
        bytes_[offset] = value;
    }
    void i32(size_t offset, const std::int32_t& value) const {
        word(offset, static_cast<std::uint32_t>(value));
    }
    void f32(size_t offset, const float& value) const { word(offset, std::bit_cast<std::uint32_t>(value)); }
    void f64(size_t offset, const double& value) const {
        detail::checkField(offset, 8, bytes_.size());
        std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
        for (size_t i = 0; i < 8; ++i, bits >>= 8)
            bytes_[offset + i] = static_cast<std::uint8_t>(bits);
    }
    template <size_t N> void bytes(size_t offset, const std::array<std::uint8_t, N>& value) const {
        detail::checkField(offset, N, bytes_.size());
        std::memcpy(bytes_.data() + offset, value.data(), N);
    }
    template <size_t N> void text(size_t offset, const std::array<char, N>& value) const {
        detail::checkField(offset, N, bytes_.size());
        std::memcpy(bytes_.data() + offset, value.data(), N);
    }
    template <class T, size_t N> void words(size_t offset, const std::array<T, N>& values) const {
        for (size_t i = 0; i < N; ++i)
            field(offset + 4 * i, values[i]);
    }
    void field(size_t offset, const std::int32_t& value) const { i32(offset, value); }
    void field(size_t offset, const float& value) const { f32(offset, value); }

private:
    void word(size_t offset, std::uint32_t value) const {
        detail::checkField(offset, 4, bytes_.size());
        for (size_t i = 0; i < 4; ++i, value >>= 8)
            bytes_[offset + i] = static_cast<std::uint8_t>(value);
    }

    std::span<std::uint8_t> bytes_;
};

} // namespace q71
