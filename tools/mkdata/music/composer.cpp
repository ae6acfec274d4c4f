#include "mkdata/music/composer.h"

#include <algorithm>
#include <stdexcept>

namespace q71::mkdata {

const std::vector<int> kMinor = {0, 2, 3, 5, 7, 8, 10};
const std::vector<int> kMajor = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> kDorian = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> kPhrygian = {0, 1, 3, 5, 7, 8, 10};

namespace {

constexpr int kTicksPerBeat = 480;
constexpr int kDrumChannel = 9;

// The song's dice: seeded from its name, so each theme is its own and the same on every build.
class Dice {
public:
    explicit Dice(const std::string& name) {
        for (char c : name)
            state_ = state_ * 131 + static_cast<unsigned char>(c);
        state_ |= 1;
    }
    int below(int n) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<int>(state_ % static_cast<std::uint32_t>(n));
    }

private:
    std::uint32_t state_ = 2166136261u;
};

class Writer {
public:
    Writer(const Song& song, MidiTrackWriter& track, int channel)
        : song_(song), track_(track), channel_(channel), bar_(static_cast<std::uint32_t>(song.beatsPerBar * kTicksPerBeat)) {}

    /// The key of a scale degree (any integer: it wraps into octaves) above the octave's tonic.
    int key(int degree, int octave) const {
        int steps = static_cast<int>(song_.mode.size());
        int octaveShift = degree >= 0 ? degree / steps : -((-degree + steps - 1) / steps);
        int within = degree - octaveShift * steps;
        return std::clamp(song_.tonic % 12 + 12 * (octave + 1 + octaveShift) + song_.mode[static_cast<std::size_t>(within)], 0, 127);
    }
    /// A note from `beat` (in beats from the bar's start) for `beats`, cut at the bar's end.
    void play(int bar, double beat, double beats, int key, int velocity) {
        auto start = static_cast<std::uint32_t>(bar * bar_ + beat * kTicksPerBeat);
        auto length = static_cast<std::uint32_t>(beats * kTicksPerBeat);
        std::uint32_t barEnd = static_cast<std::uint32_t>(bar + 1) * bar_;
        if (start + 30 > barEnd)
            return;
        length = std::min(length, barEnd - start) - 10; // a breath before the next bar
        track_.note(start, channel_, key, std::clamp(velocity, 1, 127), std::max<std::uint32_t>(length, 20));
    }
    int beatsPerBar() const { return song_.beatsPerBar; }

private:
    const Song& song_;
    MidiTrackWriter& track_;
    int channel_;
    std::uint32_t bar_;
};

// Chord tones of a degree: the root, the third and the fifth (in scale steps).
int chordTone(int root, int which) { return root + 2 * which; }

void writePart(const Song& song, const Part& part, Writer& w, Dice& dice) {
    // A melody's motif: degrees and lengths, made once and varied by the chord under it.
    std::vector<std::pair<int, double>> motif;
    for (double beat = 0; beat < w.beatsPerBar();) {
        double length = std::vector<double>{0.5, 1, 1, 1.5, 2}[static_cast<std::size_t>(dice.below(5))];
        motif.push_back({dice.below(5) - 1, std::min(length, w.beatsPerBar() - beat)});
        beat += length;
    }
    const int beats = w.beatsPerBar();
    for (int bar = part.fromBar; bar < song.bars; ++bar) {
        int root = song.progression[static_cast<std::size_t>(bar) % song.progression.size()];
        bool phraseEnd = bar % 4 == 3;
        switch (part.role) {
        case Role::Bass:
            w.play(bar, 0, beats / 2.0, w.key(root, part.octave), 100);
            w.play(bar, beats / 2.0, beats / 2.0 - 0.5, w.key(phraseEnd ? root + 4 : root, part.octave), 90);
            w.play(bar, beats - 0.5, 0.5, w.key(root + 4, part.octave), 70);
            break;
        case Role::Pad:
            for (int i = 0; i < 3; ++i)
                w.play(bar, 0, beats, w.key(chordTone(root, i), part.octave), 70);
            break;
        case Role::Tremolo:
            for (double b = 0; b < beats; b += 0.25)
                w.play(bar, b, 0.25, w.key(chordTone(root, static_cast<int>(b) % 2), part.octave), 55 + 20 * (b == 0));
            break;
        case Role::Melody: {
            double beat = 0;
            for (auto [degree, length] : motif) {
                int shift = (bar / 4) % 2 ? 2 : 0; // the answer of the second phrase sits higher
                w.play(bar, beat, length, w.key(root + degree + shift, part.octave), 85 + 10 * (beat == 0));
                beat += length;
            }
            break;
        }
        case Role::Ostinato:
            for (int i = 0; i < beats * 2; ++i)
                w.play(bar, i * 0.5, 0.45, w.key(i % 4 == 3 ? root + 1 : chordTone(root, i % 2), part.octave),
                       i % 2 ? 70 : 95);
            break;
        case Role::Arpeggio:
            for (int i = 0; i < beats * 2; ++i)
                w.play(bar, i * 0.5, 1.0, w.key(chordTone(root, i % 3) + 7 * (i / 3 % 2), part.octave), 65);
            break;
        case Role::Timpani:
            w.play(bar, 0, 1, w.key(root, part.octave), 110);
            if (phraseEnd)
                for (int i = 0; i < 4; ++i) // a roll into the next phrase
                    w.play(bar, beats - 1 + i * 0.25, 0.25, w.key(root + 4, part.octave), 60 + 15 * i);
            break;
        case Role::Drums:
            break; // written by writeDrums
        }
    }
}

void writeDrums(const Song& song, const Part& part, MidiTrackWriter& track) {
    const std::uint32_t beat = kTicksPerBeat;
    for (int bar = part.fromBar; bar < song.bars; ++bar) {
        std::uint32_t start = static_cast<std::uint32_t>(bar * song.beatsPerBar) * beat;
        for (int b = 0; b < song.beatsPerBar; ++b) {
            std::uint32_t at = start + static_cast<std::uint32_t>(b) * beat;
            if (b % 2 == 0)
                track.note(at, kDrumChannel, 36, 100, beat / 4); // bass drum
            else
                track.note(at, kDrumChannel, 38, 80, beat / 4); // snare
            track.note(at + beat / 2, kDrumChannel, 42, 50, beat / 8); // closed hi-hat
        }
        if (bar % 4 == 3)
            track.note(start + static_cast<std::uint32_t>(song.beatsPerBar - 1) * beat + beat / 2, kDrumChannel, 49,
                       70, beat / 2); // a cymbal into the next phrase
    }
}

} // namespace

std::vector<std::uint8_t> composeSong(const Song& song) {
    if (song.mode.size() != 7 || song.progression.empty() || song.bars <= 0 || song.parts.size() > 15)
        throw std::invalid_argument("the song " + song.name + " is not fully described");
    Dice dice(song.name);
    std::vector<MidiTrackWriter> tracks(1 + song.parts.size());
    const auto end = static_cast<std::uint32_t>(song.bars * song.beatsPerBar * kTicksPerBeat);
    tracks[0].tempo(0, song.beatsPerMinute);
    tracks[0].end(end);
    int channel = 0;
    for (std::size_t i = 0; i < song.parts.size(); ++i) {
        const Part& part = song.parts[i];
        MidiTrackWriter& track = tracks[i + 1];
        track.end(end);
        if (part.role == Role::Drums) {
            track.controller(0, kDrumChannel, 7, part.volume);
            writeDrums(song, part, track);
            continue;
        }
        if (channel == kDrumChannel)
            ++channel;
        track.program(0, channel, part.program);
        track.controller(0, channel, 7, part.volume);
        track.controller(0, channel, 10, part.pan);
        Writer writer(song, track, channel);
        writePart(song, part, writer, dice);
        ++channel;
    }
    return midiFileBytes(tracks, kTicksPerBeat);
}

} // namespace q71::mkdata
