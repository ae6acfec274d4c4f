// The nine themes. General MIDI instruments: 32-33 basses, 42 cello, 45 pizzicato, 46 harp,
// 47 timpani, 48-49 strings, 52 choir, 56 trumpet, 57 trombone, 58 tuba, 60 French horn,
// 61 brass section, 71 clarinet, 73 flute, 89 warm pad.
#include "mkdata/music/music.h"

#include "mkdata/files.h"
#include "mkdata/music/composer.h"

namespace q71::mkdata {

namespace {

std::vector<Song> themes() {
    return {
        // The main menu: a heroic theme in D minor, brass over strings and timpani.
        {"Prog.mid", 100, 4, 62, kMinor, {0, 5, 2, 6, 0, 3, 4, 4}, 32,
         {{Role::Bass, 32, 2, 100, 50},
          {Role::Pad, 48, 4, 85, 70},
          {Role::Melody, 61, 5, 105, 64, 4},
          {Role::Timpani, 47, 2, 95, 64},
          {Role::Arpeggio, 46, 4, 70, 90, 8}}},
        // Under way: calm water, a flute over strings and harp, F major.
        {"Sail.mid", 84, 4, 65, kMajor, {0, 3, 4, 0, 5, 3, 1, 4}, 32,
         {{Role::Bass, 42, 2, 90, 50},
          {Role::Pad, 49, 4, 75, 70},
          {Role::Arpeggio, 46, 4, 70, 80},
          {Role::Melody, 73, 5, 95, 60, 4}}},
        // Search and destroy: driving strings in E minor, low brass and drums.
        {"SAndD.mid", 120, 4, 64, kMinor, {0, 0, 5, 6, 0, 0, 3, 4}, 32,
         {{Role::Ostinato, 48, 3, 95, 50},
          {Role::Bass, 33, 1, 100, 64},
          {Role::Melody, 57, 4, 100, 75, 4},
          {Role::Drums, 0, 0, 85, 64, 2}}},
        // Menace: low strings and choir in C minor, slow.
        {"Mean.mid", 70, 4, 60, kPhrygian, {0, 1, 0, 5, 0, 1, 6, 0}, 32,
         {{Role::Pad, 52, 3, 85, 60},
          {Role::Bass, 42, 1, 95, 64},
          {Role::Timpani, 47, 2, 85, 64, 4},
          {Role::Melody, 60, 4, 80, 70, 8}}},
        // An ostinato that builds, A minor: pizzicato, cellos, horns.
        {"OstiNATO.mid", 110, 4, 69, kDorian, {0, 0, 3, 3, 5, 5, 4, 4}, 32,
         {{Role::Ostinato, 45, 4, 95, 40},
          {Role::Bass, 42, 2, 90, 64, 4},
          {Role::Pad, 48, 4, 70, 90, 8},
          {Role::Melody, 60, 4, 95, 64, 8}}},
        // Suspense: trembling strings and a heartbeat of timpani, B minor.
        {"Tense.mid", 90, 4, 59, kMinor, {0, 1, 0, 6, 0, 1, 4, 4}, 32,
         {{Role::Tremolo, 48, 4, 75, 60},
          {Role::Timpani, 47, 2, 90, 64},
          {Role::Bass, 32, 1, 85, 64, 4},
          {Role::Melody, 71, 4, 80, 75, 8}}},
        // Action: fast and urgent, G minor, strings, brass and drums.
        {"Manic.mid", 140, 4, 67, kMinor, {0, 6, 5, 4, 0, 6, 3, 4}, 32,
         {{Role::Ostinato, 48, 4, 95, 40},
          {Role::Bass, 33, 1, 100, 64},
          {Role::Drums, 0, 0, 90, 64},
          {Role::Melody, 56, 5, 100, 80, 4}}},
        // The convoy: a steady march in B flat, horns and snare.
        {"Escort.mid", 96, 4, 58, kMajor, {0, 4, 5, 3, 0, 1, 4, 0}, 32,
         {{Role::Bass, 58, 1, 95, 64},
          {Role::Pad, 48, 4, 75, 70},
          {Role::Melody, 60, 4, 100, 60, 2},
          {Role::Drums, 0, 0, 75, 64, 4}}},
        // The grinder: heavy low brass and timpani in D phrygian.
        {"Grinder.mid", 80, 4, 62, kPhrygian, {0, 0, 1, 0, 0, 0, 6, 1}, 32,
         {{Role::Bass, 58, 1, 100, 64},
          {Role::Ostinato, 57, 2, 90, 50},
          {Role::Timpani, 47, 2, 100, 64},
          {Role::Pad, 89, 3, 70, 80, 4},
          {Role::Melody, 61, 4, 90, 64, 8}}},
    };
}

} // namespace

void generateMusic(const Context& context) {
    for (const Song& song : themes()) {
        std::vector<std::uint8_t> file = composeSong(song);
        writeOutput(context.out / "midi" / song.name, std::string(file.begin(), file.end()));
    }
}

} // namespace q71::mkdata
