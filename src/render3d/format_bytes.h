#pragma once
// Little-endian byte cursors shared by the format's reader and writer.

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace q71::r3d {

/// Reads from a fixed span; every read past the end fails and leaves the cursor failed.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    std::size_t remaining() const { return ok_ ? bytes_.size() - pos_ : 0; }
    bool atEnd() const { return ok_ && pos_ == bytes_.size(); }

    std::uint32_t u32() { return static_cast<std::uint32_t>(take(4)); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(take(2)); }
    std::uint8_t u8() { return static_cast<std::uint8_t>(take(1)); }
    float f32() { return std::bit_cast<float>(u32()); }
    /// The next n bytes (empty and failed when fewer remain).
    std::span<const std::uint8_t> bytes(std::size_t n) {
        if (!ok_ || n > bytes_.size() - pos_) {
            ok_ = false;
            return {};
        }
        auto out = bytes_.subspan(pos_, n);
        pos_ += n;
        return out;
    }

private:
    std::uint64_t take(int n) {
        const auto b = bytes(static_cast<std::size_t>(n));
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < b.size(); ++i)
            v |= static_cast<std::uint64_t>(b[i]) << (8 * i);
        return v;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

/// Appends little-endian values.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void u8(std::uint32_t v) { out_.push_back(static_cast<std::uint8_t>(v)); }
    void u16(std::uint32_t v) { put(v, 2); }
    void u32(std::uint32_t v) { put(v, 4); }
    void f32(float v) { u32(std::bit_cast<std::uint32_t>(v)); }
    void bytes(std::span<const std::uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
    /// Starts a chunk; returns where its size goes, for endChunk.
    std::size_t beginChunk(std::uint32_t type) {
        u32(type);
        const std::size_t at = out_.size();
        u32(0);
        return at;
    }
    void endChunk(std::size_t sizeAt) {
        const auto size = static_cast<std::uint32_t>(out_.size() - sizeAt - 4);
        for (int i = 0; i < 4; ++i)
            out_[sizeAt + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(size >> (8 * i));
    }

private:
    void put(std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    std::vector<std::uint8_t>& out_;
};

} // namespace q71::r3d
