#pragma once
// Memory streams: chunks of the format read one after another from bytes the caller keeps
// until the stream is closed.

#include "render3d/clump.h"
#include "render3d/texture.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace q71::r3d {

class Stream;

/// A stream over the bytes; null for a null pointer with a non-zero size.
Stream* openMemoryStream(const void* data, std::size_t size);
void closeStream(Stream* stream);
/// The type of the next chunk (kChunkClump, kChunkTexture, kChunkImage, ...); 0 at the end.
std::uint32_t readChunkType(Stream& stream);
/// The next chunk as a clump, a registered texture or an image; null (and nothing consumed)
/// when it is of another type or malformed, or names a texture that is not registered.
Clump* readClump(Stream& stream);
Texture* readTexture(Stream& stream);
Image* readImage(Stream& stream);
/// Why the last read failed.
const std::string& streamError(const Stream& stream);

} // namespace q71::r3d
