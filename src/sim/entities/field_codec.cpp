#include "sim/entities/field_codec.h"

#include "sim/scoring/byte_stream.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace q71 {

void FieldWriter::u16(std::uint16_t value) {
    u8(static_cast<std::uint8_t>(value));
    u8(static_cast<std::uint8_t>(value >> 8));
}

void FieldWriter::u32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i, value >>= 8)
        u8(static_cast<std::uint8_t>(value));
}

void FieldWriter::f64(double value) {
    std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i, bits >>= 8)
        u8(static_cast<std::uint8_t>(bits));
}

bool FieldWriter::flush(ByteSink& sink) {
    const bool written = sink.write(bytes_);
    bytes_.clear();
    return written;
}

FieldReader::FieldReader(ByteSource& source, std::size_t size) {
    if (source.remaining() < size) {
        ok_ = false;
        return;
    }
    bytes_.resize(size);
    ok_ = source.read(bytes_);
}

const std::uint8_t* FieldReader::take(std::size_t count) {
    if (!ok_ || bytes_.size() - at_ < count) {
        ok_ = false;
        return nullptr;
    }
    const std::uint8_t* at = bytes_.data() + at_;
    at_ += count;
    return at;
}

void FieldReader::u8(std::uint8_t& value) {
    if (const std::uint8_t* at = take(1))
        value = *at;
}

void FieldReader::u16(std::uint16_t& value) {
    if (const std::uint8_t* at = take(2))
        value = static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

void FieldReader::u32(std::uint32_t& value) {
    if (const std::uint8_t* at = take(4))
        value = std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 |
                std::uint32_t{at[3]} << 24;
}

void FieldReader::i32(std::int32_t& value) {
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    u32(bits);
    value = static_cast<std::int32_t>(bits);
}

void FieldReader::f64(double& value) {
    const std::uint8_t* at = take(8);
    if (!at)
        return;
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | at[i];
    const double read = std::bit_cast<double>(bits);
    if (!std::isfinite(read)) {
        ok_ = false;
        return;
    }
    value = read;
}

void FieldReader::skip(std::size_t count) {
    take(count);
}

void FieldReader::bytes(std::span<std::uint8_t> data) {
    if (const std::uint8_t* at = take(data.size()))
        std::memcpy(data.data(), at, data.size());
}

} // namespace q71
