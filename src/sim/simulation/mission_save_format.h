#pragma once
// The fixed parts of a saved mission ("*.svs", "*.svt", "*.svc"), written once as layouts over a
// codec so that the writer and the reader cannot drift apart. The file is little-endian, in this
// order (docs/saved-missions.md): five text blocks; the environment and clock; the entities of
// the world list, each a header and its own state; the scoring state; the replay log so far; the
// goal tree and the grade thresholds; the twelve cells and four tubes; the two weapons-station
// states; the radio room's lines; the message queue; then, appended, the entities still waiting
// to enter and the own boat's name.

#include "sim/entities/field_codec.h"
#include "sim/simulation/scenario_reader.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace q71 {

class ByteSource;

/// The five text blocks of a mission's texts, in file order.
template <class Texts> auto savedTextBlocks(Texts& t) {
    return std::array{&t.name, &t.flowText, &t.briefing, &t.intelligence, &t.tasking};
}

/// The environment and clock of the mission (76 bytes).
struct SavedEnvironment {
    double originLatitude = 0.0;
    double originLongitude = 0.0;
    std::uint32_t soundProfileKind = 0;
    double layerDepthBase = 0.0;
    std::uint32_t seaState = 0;
    double lastStepTime = 0.0;
    double lastSecondPassTime = 0.0;
    double timeOfDayBase = 0.0;
    double gameClock = 0.0;
    double timeOfDay = 0.0;
    std::uint32_t campaignIndex = 0; ///< 0 for campaign "a"
};
inline constexpr std::size_t kSavedEnvironmentSize = 76;

template <class E, class Codec> void savedEnvironmentFields(E& e, Codec&& c) {
    c.f64(e.originLatitude);
    c.f64(e.originLongitude);
    c.u32(e.soundProfileKind);
    c.f64(e.layerDepthBase);
    c.u32(e.seaState);
    for (auto* v : {&e.lastStepTime, &e.lastSecondPassTime, &e.timeOfDayBase, &e.gameClock, &e.timeOfDay})
        c.f64(*v);
    c.u32(e.campaignIndex);
}

/// What stands before each entity's own state: the values its class is rebuilt from (28 bytes,
/// and for an explosion 4 more: its kind).
struct SavedEntityHeader {
    std::int32_t side = 0;
    std::uint32_t recordId = 0;
    std::int32_t typeCode = 0;
    std::int32_t level = 0;
    std::int32_t kind = 0;
    std::int32_t id = 0;
    std::int32_t parentId = 0;
    std::int32_t explosionKind = 0; ///< written only for type 2
};
inline constexpr std::size_t kSavedEntityHeaderSize = 28;
inline constexpr std::size_t kSavedExplosionKindSize = 4;

template <class H, class Codec> void savedEntityHeaderFields(H& h, Codec&& c) {
    c.i32(h.side);
    c.u32(h.recordId);
    for (auto* v : {&h.typeCode, &h.level, &h.kind, &h.id, &h.parentId})
        c.i32(*v);
}

/// The scoring state (16 bytes).
struct SavedScoring {
    std::int32_t missionMode = 0;
    std::int32_t missionIndex = 0;
    std::int32_t score = 0;
    std::int32_t campaignLeg = 0;
};
inline constexpr std::size_t kSavedScoringSize = 16;

template <class S, class Codec> void savedScoringFields(S& s, Codec&& c) {
    for (auto* v : {&s.missionMode, &s.missionIndex, &s.score, &s.campaignLeg})
        c.i32(*v);
}

/// The highest type code a saved mission holds; the length of an entity's state depends on its
/// type, so an entry of any other code cannot be passed over.
inline constexpr std::int32_t kSavedTypeCodeLast = 18;

/// Tells the player that a saved mission could not be written or read: a stop box with the caption
/// text and the message text formatted with the file's path.
void savedMissionAlert(int captionText, int messageText, const std::string& path);

/// Reads a count word; false when it cannot be read or promises more items of at least
/// `bytesEach` bytes than the bytes left hold.
bool savedCountRead(ByteSource& source, std::uint32_t& count, std::size_t bytesEach);

/// Writes a count and each text as its length and its characters (no terminator).
void savedTextsWrite(FieldWriter& w, const std::vector<std::string>& texts);
/// Reads what savedTextsWrite wrote; false when a count or a length runs past the bytes left.
bool savedTextsRead(ByteSource& source, std::vector<std::string>& texts);

} // namespace q71
