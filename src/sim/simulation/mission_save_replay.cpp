#include "sim/simulation/mission_save_replay.h"

#include "sim/entities/field_codec.h"
#include "sim/scoring/replay_log.h"

#include <limits>
#include <vector>

namespace q71 {

namespace {

// The first `length` bytes of the open log, its write position kept; false when they cannot be read.
bool readLog(RecordFile& log, std::size_t length, std::vector<std::uint8_t>& bytes) {
    const long position = log.tell();
    bytes.resize(length);
    log.rewind();
    const bool read = bytes.empty() || log.read(bytes.data(), bytes.size()) == 1;
    log.seek(position);
    return read;
}

} // namespace

std::optional<std::uint64_t> replayLogLength() {
    RecordFile* log = replayLogFile();
    if (!log)
        return std::nullopt;
    const long position = log->tell();
    log->seekEnd();
    const long end = log->tell();
    log->seek(position);
    return end > 0 ? static_cast<std::uint64_t>(end) : 0;
}

bool replaySaveInto(ByteSink& sink) {
    std::vector<std::uint8_t> bytes;
    if (const std::optional<std::uint64_t> length = replayLogLength()) {
        if (*length > std::numeric_limits<std::uint32_t>::max() || !readLog(*replayLogFile(), *length, bytes))
            return false;
    }
    FieldWriter w;
    w.u32(static_cast<std::uint32_t>(bytes.size()));
    w.bytes(bytes);
    return w.flush(sink);
}

void replayLogCutBack(std::uint64_t length) {
    std::vector<std::uint8_t> kept;
    const std::optional<std::uint64_t> now = replayLogLength();
    if (!now || *now <= length || !readLog(*replayLogFile(), length, kept))
        return;
    replayLogOpen();
    replayLoadFrom(kept);
}

void replayLoadFrom(std::span<const std::uint8_t> bytes) {
    RecordFile* log = replayLogFile();
    if (!log || bytes.empty())
        return;
    log->seekEnd();
    log->write(bytes.data(), bytes.size());
}

} // namespace q71
