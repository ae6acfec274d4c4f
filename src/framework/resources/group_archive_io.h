#pragma once
// Codec sources and sinks over open files, for the group archives' reader and writer.

#include <cstdint>
#include <cstdio>

namespace q71 {

/// Input of at most `remaining` bytes from the file's position.
struct DclFileSource {
    std::FILE* file;
    uint32_t remaining;

    /// Reads min(wanted, remaining) bytes; 0 once nothing remains or the file ends.
    uint32_t take(uint8_t* buffer, uint32_t wanted);
    /// True when every byte was read.
    bool exhausted() const { return remaining == 0; }
};

/// Output appended to a file; `written` counts the bytes, `failed` marks a write that fell short.
struct DclFileSink {
    std::FILE* file;
    uint32_t written = 0;
    bool failed = false;

    /// Writes the bytes at the file's position.
    void put(const uint8_t* buffer, uint32_t size);
};

} // namespace q71
