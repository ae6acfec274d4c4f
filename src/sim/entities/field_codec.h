#pragma once
// Fixed little-endian fields written one after another, as the entities, motion models,
// controllers and sensors keep their state in a saved mission. The reader checks every field
// against the bytes it has, so that a short or damaged input is refused, never read past.

#include <cstdint>
#include <span>
#include <vector>

namespace q71 {

class ByteSink;
class ByteSource;

class FieldWriter {
public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value);
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void u32(std::uint32_t value);
    void f64(double value);
    /// Bytes written as zeros (reserved fields).
    void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    void bytes(std::span<const std::uint8_t> data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
    /// Hands the fields written so far to a sink and starts again; false on a write error.
    bool flush(ByteSink& sink);
    std::size_t size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
};

class FieldReader {
public:
    /// Reads `size` bytes from the source; a source without them leaves the reader failed.
    FieldReader(ByteSource& source, std::size_t size);

    void u8(std::uint8_t& value);
    void u16(std::uint16_t& value);
    void i32(std::int32_t& value);
    void u32(std::uint32_t& value);
    /// A double; a value that is not finite fails the reader.
    void f64(double& value);
    void skip(std::size_t count);
    void bytes(std::span<std::uint8_t> data);
    /// True while every field was there (and every double finite), and all bytes were read.
    bool ok() const { return ok_ && at_ == bytes_.size(); }

private:
    const std::uint8_t* take(std::size_t count);

    std::vector<std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

/// Adapters through which one field list both writes (a const object) and reads (a mutable one):
/// a layout is a template over the codec, so that it is written down once.
struct FieldWriteCodec {
    FieldWriter& w;
    void u8(const std::uint8_t& v) { w.u8(v); }
    void u16(const std::uint16_t& v) { w.u16(v); }
    void i32(const std::int32_t& v) { w.i32(v); }
    void u32(const std::uint32_t& v) { w.u32(v); }
    void f64(const double& v) { w.f64(v); }
    void gap(std::size_t n) { w.zeros(n); }
};

struct FieldReadCodec {
    FieldReader& r;
    void u8(std::uint8_t& v) { r.u8(v); }
    void u16(std::uint16_t& v) { r.u16(v); }
    void i32(std::int32_t& v) { r.i32(v); }
    void u32(std::uint32_t& v) { r.u32(v); }
    void f64(double& v) { r.f64(v); }
    void gap(std::size_t n) { r.skip(n); }
};

} // namespace q71
