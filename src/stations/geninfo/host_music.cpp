#include "stations/geninfo/host_music.h"

#include "media/audio/music.h"

#include <array>

namespace q71 {
namespace {

constexpr std::array<const char*, kHostTrackCount> kTracks = {
    "Prog.mid", "Sail.mid", "SAndD.mid", "Mean.mid", "OstiNATO.mid", "Tense.mid", "Manic.mid", "Escort.mid",
    "Grinder.mid"};

} // namespace

const char* hostTrackName(int index) {
    return index >= 0 && index < kHostTrackCount ? kTracks[static_cast<std::size_t>(index)] : nullptr;
}

int TrackDraw::next() {
    int index = 0;
    if (previous_ < 0) {
        index = static_cast<int>(generator_() % kHostTrackCount);
    } else {
        index = static_cast<int>(generator_() % (kHostTrackCount - 1));
        if (index >= previous_)
            ++index;
    }
    previous_ = index;
    return index;
}

HostMusic::HostMusic() : draw_(std::random_device{}()) {}

HostMusic::~HostMusic() {
    musicRemoveEndListener(onTrackEnded, this);
}

void HostMusic::start() {
    musicLoadAndPlay(hostTrackName(draw_.next()), 0);
    musicAddEndListener(onTrackEnded, this);
}

void HostMusic::onTrackEnded(void* self) {
    static_cast<HostMusic*>(self)->start();
}

} // namespace q71
