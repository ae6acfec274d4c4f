#pragma once
// A stand-in for the player's boat, for the tests and benchmarks of its receivers: an entity of
// the own-boat record, made the own boat of the world, with a motion model that holds its depth
// and answers the helm, the submarine's array constants, and the full receiver suite. It numbers
// its contacts from one counter and remembers each number it gave.

#include "sim/entities/entity.h"
#include "sim/entities/sensors/acoustic_suite.h"

#include <string_view>
#include <vector>

namespace q71::test {

class ScriptedOwnBoat : public Entity {
public:
    /// One contact number given.
    struct Numbering {
        int type;
        double bearing;
        bool announced;
    };

    /// The own boat of a record type at a place, heading and speed, with its receivers (the
    /// record's sonar and ESM figures); it becomes the world's own boat.
    ScriptedOwnBoat(std::string_view typeName, std::int32_t id, WorldPoint at, double heading, double speed);
    ~ScriptedOwnBoat() override;

    std::int32_t nextContactNumber(int type, double bearing, bool announce) override;
    /// Streams the towed array to a length (metres) and makes its receiver; returns it.
    PassiveArray0& streamTowedArray(double length);

    AcousticSuite suite;
    PassiveArray0* towedArray = nullptr;
    std::vector<Numbering> numbered;

private:
    std::int32_t counter_ = 0;
};

} // namespace q71::test
