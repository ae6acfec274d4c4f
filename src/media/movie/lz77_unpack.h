#pragma once
// The byte-oriented LZ77 scheme of the key frames: a small header, then commands that each
// copy a few literal bytes from the input and then repeat earlier output.

#include <cstddef>
#include <cstdint>
#include <span>

namespace q71 {

/// Unpacks into `out`; returns the number of bytes written, or -1 when the data is malformed
/// (a command or its literals past the input, a copy reaching before the output's start, more
/// output than the header announces or than `out` holds, or no end command).
std::ptrdiff_t lz77Unpack(std::span<const std::uint8_t> in, std::span<std::uint8_t> out);

} // namespace q71
