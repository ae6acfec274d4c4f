#pragma once
// One tracker of a receiver: the sonar displays and the sonar crew arm it on a bearing (and a
// range or a signature line), the receiver locks it on the first source heard there and then
// follows that source, keeping one entry of the source's speed per sound row for the DEMON
// display.

#include <array>
#include <cstdint>

namespace q71 {

class FieldReader;
class FieldWriter;

struct TrackSlot {
    /// Entries of the speed history; its indices run 1 to kHistory (entry i is history[i − 1]).
    static constexpr int kHistory = 254;
    /// Bytes of a tracker in a saved mission.
    static constexpr std::size_t kSavedSize = 320;
    /// The line of a tracker armed on a bearing only.
    static constexpr std::int16_t kNoLine = -1;

    std::int32_t locked = 0;        ///< 1 while the tracker follows a source
    std::int32_t armed = 0;         ///< 1 while it waits for a source at its bearing (range, line)
    double stamp1 = 0.0;            ///< game time armed or locked
    double stamp2 = 0.0;            ///< game time of the last update
    std::int16_t source = 0;        ///< entity followed; negative for a towed array's mirror source
    std::int16_t line = 0;          ///< signature line followed; kNoLine when armed by bearing only
    double bearing = 0.0;           ///< degrees
    double range = 0.0;             ///< yards to filter noise sources by; 0 for none
    std::uint16_t level = 0;        ///< last level, at most 100
    std::int32_t lineFrequency = 0; ///< Hz of the line to follow; negative for none
    std::int32_t sensorType = 0;    ///< the sensor type the tracker belongs to
    char letter = 0;                ///< the letter the displays show
    std::array<std::uint8_t, kHistory> history{}; ///< the source's speed, one entry per sound row
    std::uint8_t writeIndex = kHistory, readIndex = kHistory;

    /// True while the tracker is armed or locked.
    bool inUse() const { return locked != 0 || armed != 0; }
    /// The history entry at an index 1 to kHistory (any other index is brought into that range).
    std::uint8_t historyAt(int index) const { return history[historyOffset(index)]; }
    /// Starts a new history entry: the write index moves down (1 wraps to kHistory), the read
    /// index moves along when they meet, and the new entry is cleared.
    void advanceHistory();
    /// Writes a speed (speed units, truncated, 0 to 255) at the write index.
    void recordSpeed(double speed);
    /// Locks on a source now: locked, not armed, both stamps now.
    void lock(std::int16_t sourceId, double now);
    /// Arms the tracker on a bearing, range and line frequency for a sensor type.
    void arm(double bearing, double range, std::int32_t lineFrequency, std::int32_t sensorType);
    /// Frees the tracker: neither armed nor locked.
    void release();

    /// Writes the tracker's 320 bytes.
    void write(FieldWriter& w) const;
    /// Reads 320 bytes; indices outside 1 to kHistory fail the reader's check (false).
    bool read(FieldReader& r);

private:
    static std::size_t historyOffset(int index);
};

} // namespace q71
