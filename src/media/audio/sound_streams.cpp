// Stream voices: a ring buffer refilled from a queue of segments (wave files, or a sample
// with random gaps) by a thread of its own, until every segment has been played.
#include "media/audio/sound_internal.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <system_error>

namespace q71 {
namespace {

constexpr std::uint32_t kRingFlags = kSoundBufferCtrlFrequency | kSoundBufferCtrlVolume |
                                     kSoundBufferGetCurrentPosition2 | kSoundBufferGlobalFocus;

// A wave file read through a buffer that the stream thread fills ahead without the sound lock.
// Its own lock guards the reader and the buffer, never held while the sound lock is taken.
// Reading ahead for a loop goes on from the file's top past its end: `wraps_` marks where in the
// buffer each pass ends, so `read` stops there and `rewind` only steps over the mark.
class FileSource final : public StreamSource {
public:
    explicit FileSource(std::string path) : path_(std::move(path)) {}
    /// Opens the file now; false when it cannot be read.
    bool open() {
        std::lock_guard guard(lock_);
        return opened();
    }
    const WaveFormat& format() const override {
        std::lock_guard guard(lock_);
        opened();
        return reader_.format();
    }
    std::size_t read(std::span<std::uint8_t> into) override {
        std::lock_guard guard(lock_);
        if (!opened())
            return 0;
        const std::size_t passEnd = wraps_.empty() ? ahead_.size() : wraps_.front();
        const std::size_t buffered = std::min(into.size(), passEnd - aheadAt_);
        if (buffered > 0)
            std::memcpy(into.data(), ahead_.data() + aheadAt_, buffered);
        aheadAt_ += buffered;
        // Only what was not read ahead comes from the disk here; nothing at all when it was, or
        // when this pass ended in the buffer (the reader already stands in a later pass).
        if (buffered == into.size() || !wraps_.empty())
            return buffered;
        return buffered + reader_.read(into.subspan(buffered));
    }
    bool rewind() override {
        std::lock_guard guard(lock_);
        if (!wraps_.empty() && aheadAt_ == wraps_.front()) {
            wraps_.erase(wraps_.begin()); // the next pass is in the buffer already
            return opened();
        }
        ahead_.clear();
        aheadAt_ = 0;
        wraps_.clear();
        return opened() && reader_.startData() == WaveError::none;
    }
    void readAhead(std::size_t bytes, bool loop) override {
        std::lock_guard guard(lock_);
        if (!opened())
            return;
        dropRead();
        while (ahead_.size() < bytes) {
            const std::size_t had = ahead_.size();
            ahead_.resize(bytes);
            ahead_.resize(had + reader_.read(std::span(ahead_).subspan(had)));
            if (ahead_.size() == bytes || !loop)
                break;
            // The end of a pass: go on from the top, unless that pass gave nothing at all (an
            // empty wave would loop for ever) or the top cannot be found again.
            const std::size_t passStart = wraps_.empty() ? 0 : wraps_.back();
            if (ahead_.size() == passStart || reader_.startData() != WaveError::none)
                break;
            wraps_.push_back(ahead_.size());
        }
    }

private:
    // Opens the file the first time it is needed (under lock_).
    bool opened() const {
        if (!tried_) {
            tried_ = true;
            good_ = reader_.open(path_) == WaveError::none && reader_.startData() == WaveError::none;
        }
        return good_;
    }
    // Forgets the bytes already read out of the buffer (under lock_).
    void dropRead() {
        ahead_.erase(ahead_.begin(), ahead_.begin() + static_cast<std::ptrdiff_t>(aheadAt_));
        for (std::size_t& wrap : wraps_)
            wrap -= aheadAt_;
        aheadAt_ = 0;
    }

    std::string path_;
    mutable std::mutex lock_;
    mutable WaveReader reader_;
    mutable bool tried_ = false;
    mutable bool good_ = false;
    std::vector<std::uint8_t> ahead_;
    std::size_t aheadAt_ = 0;
    std::vector<std::size_t> wraps_; // offsets in ahead_ where a pass ends, ascending
};

// A sample followed by a gap of silence of random length, drawn again for each pass.
class IntermittentSource final : public StreamSource {
public:
    IntermittentSource(const SoundSample& sample, int minGapMs, int maxGapMs)
        : format_(sample.format), data_(sample.data), minGapMs_(minGapMs), maxGapMs_(maxGapMs) {
        drawGap();
    }
    const WaveFormat& format() const override { return format_; }
    std::size_t read(std::span<std::uint8_t> into) override {
        std::size_t done = 0;
        if (at_ < data_->size()) {
            done = std::min(into.size(), data_->size() - at_);
            std::memcpy(into.data(), data_->data() + at_, done);
            at_ += done;
        }
        const std::size_t silence = std::min<std::size_t>(into.size() - done, data_->size() + gap_ - at_);
        std::memset(into.data() + done, waveFormatSilence(format_), silence);
        at_ += silence;
        return done + silence;
    }
    bool rewind() override {
        at_ = 0;
        drawGap();
        return true;
    }

private:
    void drawGap() {
        std::uniform_int_distribution<int> ms(minGapMs_, std::max(minGapMs_, maxGapMs_));
        const std::uint64_t bytes =
            static_cast<std::uint64_t>(ms(soundManager()->gapRandom)) * format_.avgBytesPerSec / 1000;
        gap_ = static_cast<std::size_t>(bytes - bytes % format_.blockAlign);
    }

    WaveFormat format_;
    SoundData data_; // the voice keeps the sound even when the sample is unloaded
    int minGapMs_, maxGapMs_;
    std::size_t gap_ = 0;
    std::size_t at_ = 0;
};

// Writes the next `bytes` of the stream at `out`: segment after segment, then silence.
void fill(SoundVoice& voice, StreamCompletion& record, std::uint8_t* out, std::size_t bytes) {
    SoundStream& stream = *voice.stream;
    std::uint64_t at = record.written;
    bool soundSinceRewind = true;
    while (bytes > 0 && stream.reading < stream.segments.size()) {
        StreamSegment& segment = stream.segments[stream.reading];
        if (!segment.source)
            segment.source = streamLazyFile(segment.path);
        if (!segment.startedAt) {
            // A wave that cannot be read, or whose format differs from the ring's, would only
            // play as noise: it is passed over.
            if (!(segment.source->format() == stream.format)) {
                segment.source.reset();
                ++stream.reading;
                continue;
            }
            segment.startedAt = at;
        }
        const std::size_t got = segment.source->read({out, bytes});
        out += got;
        bytes -= got;
        at += got;
        soundSinceRewind = soundSinceRewind || got > 0;
        if (bytes == 0)
            break;
        // The segment has ended. A looping stream starts its file again, unless the last pass
        // gave nothing at all (an empty wave would loop for ever).
        if (voice.loop && soundSinceRewind && segment.source->rewind()) {
            soundSinceRewind = false;
            continue;
        }
        segment.source.reset();
        ++stream.reading;
    }
    if (bytes > 0) {
        std::memset(out, waveFormatSilence(stream.format), bytes);
        if (!record.end)
            record.end = at;
    }
}

// How many segments from the one being read are read ahead.
constexpr std::size_t kSegmentsAhead = 3;

// The sources the next refills will read: the segment being read and the ones after it.
std::vector<std::shared_ptr<StreamSource>> upcomingSources(SoundVoice& voice) {
    std::vector<std::shared_ptr<StreamSource>> sources;
    SoundStream& stream = *voice.stream;
    for (std::size_t i = stream.reading; i < stream.segments.size() && sources.size() < kSegmentsAhead; ++i) {
        StreamSegment& segment = stream.segments[i];
        if (!segment.source)
            segment.source = streamLazyFile(segment.path);
        sources.push_back(segment.source);
    }
    return sources;
}

void streamThread(std::shared_ptr<StreamCompletion> record) {
    auto lock = soundLock();
    while (record->voice) {
        // The disk is read without the sound lock, so that a slow one holds up this thread only.
        // The sources stay alive while they are read even if their segments go meanwhile.
        std::vector<std::shared_ptr<StreamSource>> sources = upcomingSources(*record->voice);
        const std::size_t ringBytes = record->voice->buffer ? record->voice->buffer->bytes() : 0;
        const bool loop = record->voice->loop;
        lock.unlock();
        for (const auto& source : sources)
            source->readAhead(ringBytes, loop);
        sources.clear();
        lock.lock();
        SoundVoice* voice = record->voice;
        if (!voice || !soundStreamService(*voice))
            break;
        record->event.wait_for(lock, std::chrono::milliseconds(voice->stream->firstMs),
                               [&] { return record->signalled; });
        record->signalled = false;
    }
    record->finished = true;
}

} // namespace

std::shared_ptr<StreamSource> streamOpenFile(const std::string& path) {
    auto source = std::make_shared<FileSource>(path);
    if (!source->open())
        return nullptr;
    return source;
}

std::shared_ptr<StreamSource> streamLazyFile(const std::string& path) {
    return std::make_shared<FileSource>(path);
}

void soundStreamTimes(int& firstMs, int& secondMs) {
    if (firstMs <= 0 && secondMs <= 0)
        firstMs = 500;
    if (secondMs <= 0)
        secondMs = firstMs + 1500;
    else if (firstMs <= 0)
        firstMs = secondMs <= 1500 ? 0 : secondMs - 1500;
    firstMs = std::max(firstMs, 10);
    secondMs = std::max({secondMs, 100, firstMs + 100});
}

std::unique_ptr<SoundVoice> soundMakeStreamVoice(std::size_t capacity, bool loop, bool keep, int firstMs,
                                                 int secondMs) {
    auto voice = std::make_unique<SoundVoice>();
    voice->loop = loop;
    voice->keep = keep;
    voice->stream = std::make_unique<SoundStream>();
    voice->stream->capacity = capacity;
    soundStreamTimes(firstMs, secondMs);
    voice->stream->firstMs = firstMs;
    voice->stream->secondMs = secondMs;
    return voice;
}

bool soundStreamCreateRing(SoundVoice& voice, const WaveFormat& format) {
    const std::uint64_t ahead =
        static_cast<std::uint64_t>(voice.stream->secondMs) * format.avgBytesPerSec / 1000;
    const std::uint64_t bytes = ((ahead + 1000) & ~std::uint64_t{7}) + 8;
    if (bytes > kSoundMaxBufferBytes)
        return false;
    std::unique_ptr<SoundBuffer> ring;
    const auto size = static_cast<std::uint32_t>(bytes);
    if (soundManager()->device->createBuffer({kRingFlags, size, &format}, ring) != SoundResult::ok)
        return false;
    voice.buffer = std::move(ring);
    voice.stream->format = format;
    voice.totalBytes = size;
    voice.baseFrequency = format.samplesPerSec;
    soundApplyVolume(voice);
    return true;
}

void soundStreamStart(SoundVoice& voice) {
    if (!voice.buffer)
        return; // a stopped stream has given up its ring: there is nothing to play
    if (!voice.completion) {
        auto record = std::make_shared<StreamCompletion>();
        record->voice = &voice;
        // Positions of the stream count from where the ring stands, so that a position modulo
        // the ring's size is its offset in the ring.
        voice.buffer->getCurrentPosition(&record->lastPlay, nullptr);
        record->played = record->written = record->lastPlay;
        voice.completion = record;
        if (!soundStreamService(voice))
            return;
        try {
            soundManager()->threads.push_back({std::thread(streamThread, record), record});
        } catch (const std::system_error&) {
            soundStopVoiceLocked(voice); // without its thread the ring would repeat itself
            return;
        }
    }
    voice.playing = voice.buffer->play(kSoundPlayLooping) == SoundResult::ok;
}

void soundStreamUpdatePlayed(SoundVoice& voice) {
    StreamCompletion* record = voice.completion.get();
    if (!record || !voice.buffer)
        return;
    std::uint32_t play = 0;
    voice.buffer->getCurrentPosition(&play, nullptr);
    record->played += (play + voice.buffer->bytes() - record->lastPlay) % voice.buffer->bytes();
    record->lastPlay = play;
}

bool soundStreamService(SoundVoice& voice) {
    if (!soundStreamRefill(voice))
        return true;
    soundStopVoiceLocked(voice); // detaches its completion record
    return false;
}

bool soundStreamRefill(SoundVoice& voice) {
    StreamCompletion* record = voice.completion.get();
    if (!record || !voice.buffer)
        return true;
    soundStreamUpdatePlayed(voice);
    const std::uint32_t size = voice.buffer->bytes();
    std::uint32_t play = 0, write = 0;
    voice.buffer->getCurrentPosition(&play, &write);
    // The first byte that is safe to write, as a position of the stream.
    const std::uint64_t safe = record->played + (write + size - play) % size;
    std::uint64_t from = std::max(record->written, safe); // past it the mixer ran dry
    if (record->rewindTo) {
        from = std::max(*record->rewindTo, safe);
        record->rewindTo.reset();
    }
    if (record->end && voice.stream->reading < voice.stream->segments.size()) {
        from = std::max(std::min(from, *record->end), safe); // new sound follows the end at once
        record->end.reset();
    }
    record->written = from;
    const std::uint64_t pending = record->written - record->played;
    if (pending < size) {
        SoundLockedRegion region;
        const auto free = static_cast<std::uint32_t>(size - pending);
        if (voice.buffer->lock(static_cast<std::uint32_t>(record->written % size), free, region) ==
            SoundResult::ok) {
            fill(voice, *record, region.part1, region.bytes1);
            record->written += region.bytes1;
            fill(voice, *record, region.part2, region.bytes2);
            record->written += region.bytes2;
            voice.buffer->unlock(region);
        }
    }
    return record->end && record->played >= *record->end;
}

SoundVoice* soundPlayStreamFiles(const std::vector<std::string>& names, int loop, int startNow, int keep,
                                 int firstMs, int secondMs) {
    if (!soundManager() || names.empty() || (!soundOn() && !keep))
        return nullptr;
    std::unique_ptr<SoundVoice> voice =
        soundMakeStreamVoice(names.size(), loop != 0, keep != 0, firstMs, secondMs);
    for (const std::string& name : names) {
        StreamSegment segment;
        segment.path = soundSamplePath(name.c_str());
        voice->stream->segments.push_back(std::move(segment));
    }
    std::shared_ptr<StreamSource> first = streamOpenFile(voice->stream->segments.front().path);
    if (!first || !soundStreamCreateRing(*voice, first->format()))
        return nullptr;
    voice->stream->segments.front().source = std::move(first);
    return soundAddVoice(std::move(voice), startNow != 0);
}

SoundVoice* soundPlayStream(const char* name, int loop, int startNow, int keep, int firstMs, int secondMs) {
    auto lock = soundLock();
    if (!name || !*name)
        return nullptr;
    return soundPlayStreamFiles({name}, loop, startNow, keep, firstMs, secondMs);
}

SoundVoice* soundPlayStreamRef(const char* const* name, int loop, int startNow, int keep, int firstMs,
                               int secondMs) {
    return name ? soundPlayStream(*name, loop, startNow, keep, firstMs, secondMs) : nullptr;
}

SoundVoice* soundPlayIntermittentRef(SoundSample* sample, int loop, int startNow, int keep, int minGapMs,
                                     int maxGapMs) {
    auto lock = soundLock();
    if (!soundManager() || !sample)
        return nullptr;
    if (!loop || maxGapMs <= 0)
        return soundPlay(sample, loop, startNow, keep); // once, or looping without a gap
    if ((!soundOn() && !keep) || !soundLoadSampleData(*sample))
        return nullptr;
    std::unique_ptr<SoundVoice> voice = soundMakeStreamVoice(1, true, keep != 0, 0, 0);
    voice->samples = {sample};
    if (!soundStreamCreateRing(*voice, sample->format))
        return nullptr;
    StreamSegment segment;
    segment.source = std::make_shared<IntermittentSource>(*sample, std::max(0, minGapMs), maxGapMs);
    voice->stream->segments.push_back(std::move(segment));
    return soundAddVoice(std::move(voice), startNow != 0);
}

SoundVoice* soundPlayIntermittent(const char* name, int loop, int startNow, int keep, int minGapMs,
                                  int maxGapMs) {
    auto lock = soundLock();
    return soundPlayIntermittentRef(soundLoad(name), loop, startNow, keep, minGapMs, maxGapMs);
}

} // namespace q71
