#pragma once
// Streams of bytes that the variable-length forms (the goal tree) are read from and written
// to: an open record file, as the scenario, saved-mission and goal files hand it over, or a
// block of memory, as the fuzz targets and tests do. A source knows how many bytes are left,
// so that a length read from the input is checked before anything is allocated for it.

#include "framework/resources/record_file.h"

#include <cstdint>
#include <span>
#include <vector>

namespace q71 {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    /// Fills the whole buffer; false (and the stream at an unknown place) when it cannot.
    virtual bool read(std::span<std::uint8_t> buffer) = 0;
    /// Bytes left to read.
    virtual std::uint64_t remaining() const = 0;

    /// Reads one little-endian 32-bit value.
    bool readI32(std::int32_t& value);
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    /// Writes the whole buffer; false when it cannot.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;

    /// Writes one little-endian 32-bit value.
    bool writeI32(std::int32_t value);
};

/// Reads from a block of memory.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool read(std::span<std::uint8_t> buffer) override;
    std::uint64_t remaining() const override { return bytes_.size() - at_; }

private:
    std::span<const std::uint8_t> bytes_;
    size_t at_ = 0;
};

/// Appends to a growing block of memory.
class MemorySink final : public ByteSink {
public:
    bool write(std::span<const std::uint8_t> bytes) override;
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

/// Reads an open record file from its current position.
class RecordFileSource final : public ByteSource {
public:
    explicit RecordFileSource(RecordFile& file);
    bool read(std::span<std::uint8_t> buffer) override;
    std::uint64_t remaining() const override { return remaining_; }

private:
    RecordFile& file_;
    std::uint64_t remaining_ = 0;
};

/// Writes to an open record file at its current position.
class RecordFileSink final : public ByteSink {
public:
    explicit RecordFileSink(RecordFile& file) : file_(file) {}
    bool write(std::span<const std::uint8_t> bytes) override;

private:
    RecordFile& file_;
};

} // namespace q71
