#include "sim/scoring/replay_event.h"

#include "sim/scoring/byte_layout.h"

#include <algorithm>

namespace q71 {
namespace {

template <class Io, class Event> void replayEventLayout(const Io& io, Event& event) {
    io.f64(0, event.x);
    io.f64(8, event.y);
    io.f64(16, event.z);
    io.f64(24, event.time);
    io.i32(32, event.kind);
    // 36: four reserved bytes
    io.f64(40, event.range);
    io.f64(48, event.bearing);
    io.text(56, event.subjectName);
    io.text(96, event.objectName);
    io.i32(136, event.subjectId);
    io.i32(140, event.subjectCategory);
    io.i32(144, event.subjectClass);
    io.i32(148, event.extra);
}

} // namespace

void replaySetName(std::array<char, kReplayNameSize>& field, std::string_view name) {
    field.fill('\0');
    name.substr(0, kReplayNameSize - 1).copy(field.data(), kReplayNameSize - 1);
}

std::string_view replayName(const std::array<char, kReplayNameSize>& field) {
    return {field.data(), static_cast<size_t>(std::find(field.begin(), field.end(), '\0') - field.begin())};
}

void replayEventEncode(const ReplayEvent& event, std::span<std::uint8_t, kReplayEventSize> bytes) {
    std::fill(bytes.begin(), bytes.end(), 0);
    replayEventLayout(LayoutWriter(bytes), event);
}

ReplayEvent replayEventDecode(std::span<const std::uint8_t, kReplayEventSize> bytes) {
    ReplayEvent event;
    replayEventLayout(LayoutReader(bytes), event);
    event.subjectName.back() = '\0';
    event.objectName.back() = '\0';
    return event;
}

std::vector<ReplayEvent> replayLogDecode(std::span<const std::uint8_t> bytes) {
    std::vector<ReplayEvent> events;
    events.reserve(bytes.size() / kReplayEventSize);
    for (size_t at = 0; bytes.size() - at >= kReplayEventSize; at += kReplayEventSize)
        events.push_back(replayEventDecode(bytes.subspan(at).first<kReplayEventSize>()));
    return events;
}

} // namespace q71
