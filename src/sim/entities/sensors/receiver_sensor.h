#pragma once
// The common part of the own boat's acoustic and emitter receivers. A receiver hears sounds on
// a bearing (noise, echoes, pings and sweeps), lets its four trackers lock on them, makes the
// sonar crew arm trackers and announce torpedoes, and writes what it heard into the histories
// that the sonar displays draw: the broadband rows, the two long-term rows and the narrowband
// lines. Which histories a receiver keeps depends on its class; the displays read them through
// the accessors below.
//
// Ranges handed to onNoise and kept in trackers and rows are yards; those handed to onEvent
// are the metres the scan measured.

#include "sim/entities/sensors/sensor.h"
#include "sim/entities/sensors/sonar_rows.h"
#include "sim/entities/sensors/track_slot.h"

#include <array>
#include <memory>
#include <optional>

namespace q71 {

/// The crew-assistance station of the sonar crew.
inline constexpr int kSonarAssistStation = 0;

/// Which histories a receiver keeps.
struct ReceiverHistories {
    bool narrowband = false;       ///< the narrowband lines
    std::size_t broadbandRows = 0; ///< rows of the broadband ring (0: none)
    bool longTerm = false;         ///< the two long-term rings
};

class ReceiverSensor : public Sensor {
public:
    static constexpr int kTrackers = 4;
    static constexpr std::size_t kNarrowbandRows = 125;
    static constexpr double kTrackerBearingWindow = 5.0;  ///< degrees a tracker looks either side
    static constexpr double kTrackerRangeWindow = 1000.0; ///< yards, when it holds a range
    static constexpr int kTrackerFrequencyWindow = 100;   ///< Hz, when it waits for a line
    using Trackers = std::array<TrackSlot, kTrackers>;

    /// A receiver of an owner with its figure, keeping the histories given; its trackers carry the
    /// letters from `firstLetter` on (none when 0).
    ReceiverSensor(Entity& owner, float figure, const ReceiverHistories& histories, char firstLetter);

    /// A sound heard: trackers take or follow it, the sonar crew works on it, the rows show it.
    void onNoise(std::int32_t sourceId, int bearing, double rangeYards, int level) override;
    /// A ping or sweep heard: a sound at range 0.
    void onPing(std::int32_t sourceId, int bearing, int level) override;
    /// The source's signature lines heard on a bearing: the trackers of lines and the narrowband
    /// row take them; 1 when any line was heard.
    int onEntitySignal(Entity& entity, std::int32_t sourceId, int bearing, int level) override;
    /// A source the scan heard: through its lines (when the receiver keeps them) to onNoise, four
    /// times as far when none of its lines was heard.
    void onEvent(Entity& entity, double bearing, double range, int level) override;
    bool load(ByteSource& source) override;
    bool save(ByteSink& sink) const override;

    // What the sonar displays read.

    /// The narrowband lines, or null.
    const SoundRing<NarrowbandRow>* narrowband() const { return narrowband_.get(); }
    /// The broadband rows (the active sonar's ping rows, an intercept receiver's rows), or null.
    const SoundRing<BroadbandRow>* broadband() const { return broadband_.get(); }
    /// The long-term histories (13.3 s and 53.3 s rows), or null.
    const LongTermHistory* longTerm1() const { return longTerm1_.get(); }
    const LongTermHistory* longTerm2() const { return longTerm2_.get(); }
    /// The receiver's four trackers.
    const Trackers& trackers() const { return trackers_; }
    /// True when one of the trackers is locked on the source.
    bool tracks(std::int32_t sourceId) const;
    /// Frees a tracker (slot 0-3) so that it neither waits nor follows; another slot does nothing.
    void releaseTracker(int slot);
    /// The array axis at which the sonar crew last told a towed array's source from its mirror.
    double rememberedAxis() const { return rememberedAxis_; }

protected:
    /// The trackers that onNoise works with: the receiver's own here.
    virtual Trackers* noiseTrackers() { return &trackers_; }
    /// True for the towed array, whose crew resolves a source only after the array turned.
    virtual bool isTowedArray() const { return false; }
    /// The trackers of another receiver, for the receivers that work with them.
    static Trackers& trackersOf(ReceiverSensor& receiver) { return receiver.trackers_; }
    /// Arms a tracker of a set (slot −1: the first not locked, else the one locked longest);
    /// null for a slot outside the set.
    static TrackSlot* armTracker(Trackers& set, int slot, double bearing, double range,
                                 std::int32_t lineFrequency, std::int32_t sensorType);
    /// True while the sonar crew assists (crew assistance of the sonar station).
    static bool sonarCrewAssists();
    /// Writes a sound into the broadband row, the long-term working rows and the source table.
    void writeBroadband(std::int32_t sourceId, int bearing, double rangeYards, int level);
    /// The broadband row of the present moment, or null.
    BroadbandRow* currentBroadband() { return broadband_ ? &broadband_->head() : nullptr; }

    std::unique_ptr<SoundRing<NarrowbandRow>> narrowband_;
    std::unique_ptr<SoundRing<BroadbandRow>> broadband_;
    std::unique_ptr<LongTermHistory> longTerm1_, longTerm2_;
    Trackers trackers_{};
    double rememberedAxis_ = 0.0;

private:
    bool takeSource(Trackers& trackers, Entity* source, std::int32_t sourceId, int bearing, double rangeYards,
                    int level, bool assist);
    void numberSource(Entity& source, std::int32_t sourceId, int bearing, bool assist);
    void accumulate(Entity& source, std::int32_t sourceId, int bearing, int level, bool assist,
                    int assistLevel);
    void announceTorpedo(Entity& torpedo, int bearing);
    bool isExplosion(const Entity& entity);
    std::size_t savedBroadbandRows() const;

    std::optional<std::uint32_t> explosionRecord_; // looked up on first use
    std::int32_t reservedAfterAxis_ = 0;
};

} // namespace q71
