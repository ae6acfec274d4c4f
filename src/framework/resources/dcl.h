#pragma once
// The compression format of the group archives' members: LZ77 over a sliding dictionary of 1024,
// 2048 or 4096 bytes, with literals, match lengths and distances written in fixed prefix codes.
// Both directions stream: they pull input and push output through the caller's callbacks and keep
// every bit of their state in the caller's work buffer, so they allocate nothing and any number of
// threads may run them at once, each with its own buffer.

#include <cstddef>
#include <cstdint>

namespace q71 {

/// Input callback: fills buffer with up to *size bytes and returns how many it gave; 0 ends the input.
using DclReadFn = uint32_t (*)(uint8_t* buffer, uint32_t* size, void* parameter);
/// Output callback: takes size bytes of output.
using DclWriteFn = void (*)(const uint8_t* buffer, uint32_t size, void* parameter);

/// Bytes of work buffer that `explode` needs.
inline constexpr size_t kExplodeWorkSize = 12596;
/// Bytes of work buffer that `implode` needs.
inline constexpr size_t kImplodeWorkSize = 36312;

/// Literal modes of a stream: bytes as they are, or coded for text.
inline constexpr int kDclBinary = 0;
inline constexpr int kDclAscii = 1;

/// Results of `explode` and `implode`.
enum DclResult : int {
    kDclOk = 0,
    kDclBadDictionary = 1, ///< dictionary size (code) not 1024/2048/4096 (4, 5, 6)
    kDclBadMode = 2,       ///< literal mode not binary or ASCII
    kDclShortInput = 3,    ///< fewer than the 4 bytes of the smallest stream
    kDclBrokenStream = 4,  ///< the stream breaks off or is damaged before its end marker
};

/// Decompresses a whole stream; work must hold kExplodeWorkSize bytes (any alignment).
int explode(DclReadFn read, DclWriteFn write, void* work, void* parameter);

/// Compresses until read returns 0; mode kDclBinary or kDclAscii, dictionarySize 1024, 2048 or 4096;
/// work must hold kImplodeWorkSize bytes (any alignment).
int implode(DclReadFn read, DclWriteFn write, void* work, void* parameter, int mode, uint32_t dictionarySize);

} // namespace q71
