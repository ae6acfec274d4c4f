#include "media/movie/movie_decoder.h"

namespace q71 {

bool MovieDecoder::open(std::string_view path) {
    if (!file_.open(path))
        return false;
    // Read ahead: enough sound to start on, or enough pictures.
    while (!fileEnded_ && (playsSound() ? audio_.queued() : frames_.size()) < kMovieReadAhead)
        if (readChunk() == kRingsFull)
            break;
    return true;
}

int MovieDecoder::readChunk() {
    if (fileEnded_)
        return kChunkEndOfFile;
    // A full ring waits: the chunk stays in the file until there is room.
    if (frames_.size() >= kMovieRingSize || audio_.queued() >= kMovieRingSize)
        return kRingsFull;
    int result = file_.readChunk(chunk_);
    switch (result) {
    case kChunkVideo:
        frames_.push_back({chunk_.type.kind, std::move(chunk_.payload)});
        break;
    case kChunkAudio:
        if (playsSound()) {
            std::vector<std::int16_t> samples;
            if (chunk_.type.role == ChunkRole::AudioBlocks)
                adpcmDecodeBlocks(chunk_.payload, samples);
            else
                adpcmDecodeSteps(chunk_.payload, left_, right_, samples);
            if (!samples.empty())
                audio_.queue(std::move(samples));
        }
        break;
    case kChunkAudioEnd:
        soundEnded_ = true;
        break;
    case kChunkEndOfFile:
    case kChunkError: // an unknown or damaged chunk ends the reading
        fileEnded_ = true;
        soundEnded_ = true;
        break;
    default:
        break;
    }
    return result;
}

void MovieDecoder::readStep() {
    int result = readChunk();
    if ((result == kChunkVideo && playsSound()) || (result == kChunkAudio && !playsSound()))
        readChunk();
}

} // namespace q71
