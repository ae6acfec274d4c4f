#include "render3d/stream.h"
#include "render3d/format.h"

#include <span>

namespace q71::r3d {

class Stream {
public:
    std::span<const std::uint8_t> rest;
    std::string error;
};

namespace {

template <class Object, class Record, class Make>
Object* readChunk(Stream& s, Decoded<Record> (*decode)(std::span<const std::uint8_t>), Make make) {
    auto decoded = decode(s.rest);
    if (!decoded.record) {
        s.error = decoded.error;
        return nullptr;
    }
    Object* object = make(*decoded.record, s.error);
    if (object)
        s.rest = s.rest.subspan(decoded.consumed);
    return object;
}

} // namespace

Stream* openMemoryStream(const void* data, std::size_t size) {
    if (!data && size != 0)
        return nullptr;
    auto* s = new Stream;
    s->rest = {static_cast<const std::uint8_t*>(data), size};
    return s;
}

void closeStream(Stream* stream) {
    delete stream;
}

std::uint32_t readChunkType(Stream& stream) {
    return peekChunkType(stream.rest).value_or(0);
}

Clump* readClump(Stream& stream) {
    return readChunk<Clump>(stream, decodeClump,
                            [](const ClumpRecord& r, std::string& error) { return buildClump(r, error); });
}

Texture* readTexture(Stream& stream) {
    return readChunk<Texture>(stream, decodeTexture,
                              [](const TextureRecord& r, std::string&) { return registerTexture(r); });
}

Image* readImage(Stream& stream) {
    return readChunk<Image>(stream, decodeImage, [](const ImageRecord& r, std::string&) { return createImage(r); });
}

const std::string& streamError(const Stream& stream) {
    return stream.error;
}

} // namespace q71::r3d
