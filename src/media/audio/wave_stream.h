#pragma once
// The bytes of a wave file, read through the multimedia file functions (a file of the data set,
// or a member of an aggregate container named "container.agg+member"), or bytes in memory.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace q71 {

class WaveStream {
public:
    virtual ~WaveStream() = default;
    /// Reads up to `bytes` bytes at the current offset, which advances; the count read.
    virtual std::size_t read(void* into, std::size_t bytes) = 0;
    /// Moves to an absolute offset at most size(); false when that fails.
    virtual bool seek(std::uint64_t offset) = 0;
    /// The size of the whole file in bytes.
    virtual std::uint64_t size() const = 0;
};

/// Opens a program path, or a container member named "container+member"; null when it cannot be opened.
std::unique_ptr<WaveStream> waveOpenStream(std::string_view name);

/// A stream over bytes in memory (a wave made by a tool or by a test).
std::unique_ptr<WaveStream> waveMemoryStream(std::vector<std::uint8_t> bytes);

} // namespace q71
