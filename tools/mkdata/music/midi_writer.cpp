#include "mkdata/music/midi_writer.h"

#include <algorithm>
#include <stdexcept>

namespace q71::mkdata {

namespace {

void putQuantity(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t bytes[4];
    int n = 0;
    do {
        bytes[n++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value && n < 4);
    for (int i = n - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(bytes[i] | (i ? 0x80 : 0)));
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint8_t data(int value) {
    if (value < 0 || value > 127)
        throw std::out_of_range("a MIDI data value outside 0-127");
    return static_cast<std::uint8_t>(value);
}

std::uint8_t status(int kind, int channel) {
    if (channel < 0 || channel > 15)
        throw std::out_of_range("a MIDI channel outside 0-15");
    return static_cast<std::uint8_t>(kind | channel);
}

} // namespace

void MidiTrackWriter::add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes) {
    events_.push_back({tick, order, std::move(bytes)});
}

void MidiTrackWriter::note(std::uint32_t tick, int channel, int key, int velocity, std::uint32_t length) {
    add(tick, 2, {status(0x90, channel), data(key), data(velocity)});
    add(tick + length, 0, {status(0x80, channel), data(key), 0});
}

void MidiTrackWriter::program(std::uint32_t tick, int channel, int program) {
    add(tick, 1, {status(0xC0, channel), data(program)});
}

void MidiTrackWriter::controller(std::uint32_t tick, int channel, int controller, int value) {
    add(tick, 1, {status(0xB0, channel), data(controller), data(value)});
}

void MidiTrackWriter::tempo(std::uint32_t tick, int beatsPerMinute) {
    std::uint32_t micros = 60000000u / static_cast<std::uint32_t>(beatsPerMinute);
    add(tick, 1, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(micros >> 16), static_cast<std::uint8_t>(micros >> 8),
                  static_cast<std::uint8_t>(micros)});
}

std::vector<std::uint8_t> MidiTrackWriter::chunk() const {
    std::vector<Event> sorted = events_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    if (!sorted.empty() && sorted.back().tick > endTick_)
        throw std::logic_error("a MIDI event after the end of its track");
    std::vector<std::uint8_t> body;
    std::uint32_t at = 0;
    for (const Event& e : sorted) {
        putQuantity(body, e.tick - at);
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        at = e.tick;
    }
    putQuantity(body, endTick_ - at);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> out = {'M', 'T', 'r', 'k'};
    putBigEndian(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<std::uint8_t> midiFileBytes(const std::vector<MidiTrackWriter>& tracks, int ticksPerQuarter) {
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    putBigEndian(out, static_cast<std::uint32_t>(tracks.size()), 2);
    putBigEndian(out, static_cast<std::uint32_t>(ticksPerQuarter), 2);
    for (const MidiTrackWriter& t : tracks) {
        std::vector<std::uint8_t> c = t.chunk();
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}

} // namespace q71::mkdata
