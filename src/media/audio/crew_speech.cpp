// The eight speech channels and how a new report finds its place among the waiting ones.
#include "media/audio/crew_speech.h"

#include "media/audio/sound_internal.h"

#include <algorithm>
#include <array>

namespace q71 {
namespace {

// Ring of the channels: two seconds of speech ahead.
constexpr int kChannelRingMs = 2000;

struct CrewChannels {
    std::array<SoundVoice*, kCrewChannelCount> voices{};
    std::uint64_t generation = 0; ///< the manager the voices belong to
    int reportLevel = 1;
};
CrewChannels g_crew;

// The channels' voices, forgotten when the manager they belong to has gone.
std::array<SoundVoice*, kCrewChannelCount>& channelVoices() {
    if (g_crew.generation != soundManagerGeneration()) {
        g_crew.voices.fill(nullptr);
        g_crew.generation = soundManagerGeneration();
    }
    return g_crew.voices;
}

SoundVoice& channelVoice(int channel) {
    SoundVoice*& voice = channelVoices()[static_cast<std::size_t>(channel)];
    if (!voice)
        voice =
            soundAddVoice(soundMakeStreamVoice(kCrewQueueCapacity, false, true, 0, kChannelRingMs), false);
    return *voice;
}

// Removes from the front the files whose sound has been played to its end.
void dropPlayedFiles(SoundVoice& voice) {
    SoundStream& stream = *voice.stream;
    soundStreamUpdatePlayed(voice);
    const StreamCompletion* record = voice.completion.get();
    std::size_t played = 0;
    while (record && played < stream.reading) {
        const bool last = played + 1 == stream.segments.size();
        const std::optional<std::uint64_t> endsAt =
            last ? record->end : stream.segments[played + 1].startedAt;
        if (!endsAt || record->played < *endsAt)
            break;
        ++played;
    }
    stream.segments.erase(stream.segments.begin(),
                          stream.segments.begin() + static_cast<std::ptrdiff_t>(played));
    stream.reading -= played;
}

// Where a report of the priority goes: after the report that the walk back from the last file
// stops in. The walk passes over less important files, and over files of the same priority
// when it is not negative, but never over the first file.
std::size_t insertionPoint(const std::vector<StreamSegment>& segments, int priority) {
    if (segments.empty())
        return 0;
    std::size_t i = segments.size() - 1;
    while (i >= 1 && (segments[i].priority > priority || (segments[i].priority == priority && priority >= 0)))
        --i;
    return std::min(segments.size(),
                    i + 1 + static_cast<std::size_t>(std::max<int>(segments[i].following, 0)));
}

// Drops every file after the insertion point; sound of them already in the ring is cut.
void dropAfter(SoundVoice& voice, std::size_t insertAt) {
    SoundStream& stream = *voice.stream;
    if (insertAt >= stream.segments.size())
        return;
    if (voice.completion && stream.segments[insertAt].startedAt)
        voice.completion->rewindTo = *stream.segments[insertAt].startedAt;
    stream.segments.erase(stream.segments.begin() + static_cast<std::ptrdiff_t>(insertAt),
                          stream.segments.end());
    stream.reading = std::min(stream.reading, insertAt);
}

// A channel without a ring takes the format of its first readable file.
bool giveRing(SoundVoice& voice) {
    SoundStream& stream = *voice.stream;
    while (stream.reading < stream.segments.size()) {
        StreamSegment& first = stream.segments[stream.reading];
        if ((first.source = streamOpenFile(first.path)))
            return soundStreamCreateRing(voice, first.source->format());
        stream.segments.erase(stream.segments.begin() + static_cast<std::ptrdiff_t>(stream.reading));
    }
    return false;
}

} // namespace

void crewQueueSpeech(int channel, int count, const char* const* files, int priority) {
    auto lock = soundLock();
    if (channel < 0 || channel >= kCrewChannelCount || count <= 0 || !files || priority > g_crew.reportLevel)
        return;
    if (!soundManager() || !soundOn())
        return;
    SoundVoice& voice = channelVoice(channel);
    SoundStream& stream = *voice.stream;
    const auto p = static_cast<std::int16_t>(priority);
    dropPlayedFiles(voice);
    const std::size_t insertAt = insertionPoint(stream.segments, p);
    dropAfter(voice, insertAt);
    if (insertAt + static_cast<std::size_t>(count) > stream.capacity)
        return;
    for (int i = 0; i < count; ++i) {
        StreamSegment segment;
        segment.path = soundSamplePath(files[i] ? files[i] : "");
        segment.priority = p;
        segment.following = static_cast<std::int16_t>(count - 1 - i);
        stream.segments.push_back(std::move(segment));
    }
    if (!voice.buffer) {
        if (giveRing(voice))
            soundStartVoice(&voice);
    } else if (voice.completion) {
        soundStreamRefill(voice);
    }
}

void crewSayHelm(const char* file, int priority) {
    crewQueueSpeech(kCrewHelm, 1, &file, priority);
}
void crewSayOfficerOfDeck(const char* file, int priority) {
    crewQueueSpeech(kCrewOfficerOfDeck, 1, &file, priority);
}
void crewSayDivingOfficer(const char* file, int priority) {
    crewQueueSpeech(kCrewDivingOfficer, 1, &file, priority);
}
void crewSayChiefOfWatch(const char* file, int priority) {
    crewQueueSpeech(kCrewChiefOfWatch, 1, &file, priority);
}
void crewSaySonar(const char* file, int priority) {
    crewQueueSpeech(kCrewSonar, 1, &file, priority);
}
void crewSayRadio(const char* file, int priority) {
    crewQueueSpeech(kCrewRadio, 1, &file, priority);
}
void crewSayChannel6(const char* file, int priority) {
    crewQueueSpeech(kCrewExecutiveOfficer, 1, &file, priority);
}
void crewSayCasualty(const char* file, int priority) {
    crewQueueSpeech(kCrewCasualty, 1, &file, priority);
}

void crewSetReportLevel(int level) {
    auto lock = soundLock();
    g_crew.reportLevel = level;
}

void crewFreeChannel(int channel) {
    auto lock = soundLock();
    if (channel < 0 || channel >= kCrewChannelCount)
        return;
    SoundVoice*& voice = channelVoices()[static_cast<std::size_t>(channel)];
    soundFreeVoice(voice);
    voice = nullptr;
}

void crewFreeChannels() {
    auto lock = soundLock();
    for (int channel = 0; channel < kCrewChannelCount; ++channel)
        crewFreeChannel(channel);
}

} // namespace q71
