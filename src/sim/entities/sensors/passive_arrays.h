#pragma once
// The own boat's three passive arrays: the bow array, all round but astern, from 750 Hz up;
// the flank arrays, abeam on both sides, for the low lines; and the towed array, streamed
// astern, for the lowest lines, which hears every source twice, on its true bearing and on
// the mirror bearing across the array's axis, until the crew resolves the two.

#include "sim/entities/sensors/array_sonar.h"
#include "sim/entities/sensors/towed_array_chain.h"

namespace q71 {

/// The bow array (sensor type 2), trackers A to D; listens from the bow.
class PassiveArray2 : public ArraySonar {
public:
    PassiveArray2(Entity& owner, float figure);

protected:
    void placeReceiver() override;
};

/// The flank arrays (sensor type 1), trackers E to H; listen from the owner's place.
class PassiveArray1 : public ArraySonar {
public:
    PassiveArray1(Entity& owner, float figure);
};

/// The towed array (sensor type 0), trackers I to L; listens from the end of its chain.
class PassiveArray0 : public ArraySonar {
public:
    /// A towed array of the owner: its chain starts at the stern.
    PassiveArray0(Entity& owner, float figure);

    /// Moves the chain, then the array step.
    void step(double dt) override;
    /// Hears the source through its lines on its bearing, then on the mirror bearing across the
    /// axis under its negated id, as sensor type 3 while the mirror is heard.
    void onEvent(Entity& entity, double bearing, double range, int level) override;
    /// Reads the receiver back; the chain keeps the places it was saved with.
    bool load(ByteSource& source) override;

    /// The chain of the array's elements.
    const TowedArrayChain& chain() const { return chain_; }

protected:
    void placeReceiver() override {}
    NoiseShape noiseShape() const override;
    bool isTowedArray() const override { return true; }

private:
    /// Puts the receiver at the end of the chain, along its axis.
    void followChain();
    void hearAt(Entity& entity, std::int32_t sourceId, double bearing, double rangeYards, int level);

    TowedArrayChain chain_;
};

} // namespace q71
