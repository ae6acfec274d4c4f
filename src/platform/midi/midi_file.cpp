#include "platform/midi/midi_file.h"

#include <algorithm>
#include <map>

namespace q71 {

namespace {

struct ParseError {
    std::string reason;
};

class Cursor {
public:
    Cursor(std::span<const std::uint8_t> bytes, std::size_t at = 0) : bytes_(bytes), at_(at) {}

    bool atEnd() const { return at_ >= bytes_.size(); }
    std::size_t position() const { return at_; }
    std::uint8_t byte() {
        if (atEnd())
            throw ParseError{"an event runs past the end of its track"};
        return bytes_[at_++];
    }
    std::uint32_t bigEndian(int n) {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v = v << 8 | byte();
        return v;
    }
    /// A variable-length quantity: at most four bytes of seven bits.
    std::uint32_t quantity() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b = byte();
            v = v << 7 | (b & 0x7F);
            if (!(b & 0x80))
                return v;
        }
        throw ParseError{"a variable-length number longer than four bytes"};
    }
    void skip(std::uint32_t n) {
        if (n > bytes_.size() - at_)
            throw ParseError{"a chunk or event runs past the end of the file"};
        at_ += n;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_;
};

struct TimedEvent {
    std::uint64_t tick;
    std::size_t order; ///< track and position, so that events of one tick keep the file's order
    MidiEvent event;
};

struct Track {
    std::vector<TimedEvent> events;
    std::map<std::uint64_t, std::uint32_t> tempos; ///< tick -> microseconds per quarter note
    std::uint64_t endTick = 0;
};

int dataBytes(std::uint8_t status) { return (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2; }

Track readTrack(std::span<const std::uint8_t> body, std::size_t trackIndex, std::size_t& eventCount) {
    Track track;
    Cursor in(body);
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    while (!in.atEnd()) {
        tick += in.quantity();
        std::uint8_t first = in.byte();
        if (first == 0xFF) {
            std::uint8_t type = in.byte();
            std::uint32_t length = in.quantity();
            if (type == 0x2F) {
                track.endTick = tick;
                return track;
            }
            if (type == 0x51 && length == 3) {
                std::uint32_t tempo = in.bigEndian(3);
                if (tempo > 0)
                    track.tempos[tick] = tempo;
            } else {
                in.skip(length);
            }
            running = 0;
            continue;
        }
        if (first == 0xF0 || first == 0xF7) {
            in.skip(in.quantity());
            running = 0;
            continue;
        }
        if (first >= 0xF1)
            throw ParseError{"a system message inside a track"};
        TimedEvent e{tick, trackIndex << 32 | in.position(), {}};
        std::uint8_t data1;
        if (first & 0x80) {
            running = first;
            data1 = in.byte();
        } else if (running) {
            data1 = first;
        } else {
            throw ParseError{"a data byte without a status"};
        }
        e.event.status = running;
        e.event.data1 = data1 & 0x7F;
        e.event.data2 = dataBytes(running) == 2 ? in.byte() & 0x7F : 0;
        if (++eventCount > kMaxMidiEvents)
            throw ParseError{"more events than a song may hold"};
        track.events.push_back(e);
        track.endTick = tick;
    }
    track.endTick = tick;
    return track;
}

// Microseconds of ticks along the merged tempo map, asked in rising order of ticks.
class TempoWalk {
public:
    TempoWalk(std::int16_t division, const std::map<std::uint64_t, std::uint32_t>& tempos)
        : next_(tempos.begin()), end_(tempos.end()) {
        if (division < 0) { // frames per second and ticks per frame
            int fps = -(division >> 8);
            double ticksPerSecond = (fps == 29 ? 29.97 : fps) * (division & 0xFF);
            fixedMicrosPerTick_ = 1e6 / ticksPerSecond;
        } else {
            ticksPerQuarter_ = division;
        }
    }
    std::uint64_t micros(std::uint64_t tick) {
        if (ticksPerQuarter_ == 0)
            return checked(static_cast<double>(tick) * fixedMicrosPerTick_);
        for (; next_ != end_ && next_->first < tick; ++next_) {
            elapsed_ += static_cast<double>(next_->first - from_) * tempo_ / ticksPerQuarter_;
            from_ = next_->first;
            tempo_ = next_->second;
        }
        return checked(elapsed_ + static_cast<double>(tick - from_) * tempo_ / ticksPerQuarter_);
    }

private:
    // Huge delta times under a slow tempo give times past any number of microseconds.
    static std::uint64_t checked(double micros) {
        if (!(micros <= kMaxMidiSongMicros))
            throw ParseError{"a song longer than a day"};
        return static_cast<std::uint64_t>(micros);
    }

    std::map<std::uint64_t, std::uint32_t>::const_iterator next_, end_;
    int ticksPerQuarter_ = 0;
    double fixedMicrosPerTick_ = 0;
    double elapsed_ = 0;
    std::uint64_t from_ = 0;
    std::uint32_t tempo_ = 500000; // 120 beats per minute until told otherwise
};

void parse(std::span<const std::uint8_t> bytes, MidiSong& song) {
    Cursor in(bytes);
    if (bytes.size() < 14 || in.bigEndian(4) != 0x4D546864) // "MThd"
        throw ParseError{"not a MIDI file"};
    std::uint32_t headerLength = in.bigEndian(4);
    if (headerLength < 6)
        throw ParseError{"a header chunk shorter than 6 bytes"};
    std::uint32_t format = in.bigEndian(2);
    std::uint32_t tracks = in.bigEndian(2);
    auto division = static_cast<std::int16_t>(in.bigEndian(2));
    in.skip(headerLength - 6);
    if (format > 2)
        throw ParseError{"an unknown MIDI file format"};
    if (division == 0 || (division < 0 && (division & 0xFF) == 0))
        throw ParseError{"no time division"};
    if (format == 2)
        tracks = std::min<std::uint32_t>(tracks, 1);

    std::vector<TimedEvent> all;
    std::map<std::uint64_t, std::uint32_t> tempos;
    std::uint64_t endTick = 0;
    std::size_t eventCount = 0;
    for (std::uint32_t t = 0; t < tracks && !in.atEnd();) {
        std::uint32_t id = in.bigEndian(4);
        std::uint32_t length = in.bigEndian(4);
        std::size_t start = in.position();
        in.skip(length);
        if (id != 0x4D54726B) // "MTrk"; other chunks are read past
            continue;
        Track track = readTrack(bytes.subspan(start, length), t, eventCount);
        all.insert(all.end(), track.events.begin(), track.events.end());
        tempos.insert(track.tempos.begin(), track.tempos.end());
        endTick = std::max(endTick, track.endTick);
        ++t;
    }
    std::stable_sort(all.begin(), all.end(), [](const TimedEvent& a, const TimedEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    TempoWalk walk(division, tempos);
    song.events.reserve(all.size());
    for (const TimedEvent& e : all) {
        MidiEvent event = e.event;
        event.atMicros = walk.micros(e.tick);
        song.events.push_back(event);
    }
    song.lengthMicros = walk.micros(std::max(endTick, all.empty() ? 0 : all.back().tick));
}

} // namespace

bool midiParseFile(std::span<const std::uint8_t> bytes, MidiSong& song, std::string& error) {
    song = {};
    try {
        parse(bytes, song);
        return true;
    } catch (const ParseError& e) {
        error = e.reason;
        song = {};
        return false;
    }
}

} // namespace q71
