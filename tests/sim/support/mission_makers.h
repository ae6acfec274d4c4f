#pragma once
// Makers of scenario units and of the own boat for the tests of the mission start: each unit is
// one of the world harness's platforms (a hull that answers its helm, a controller that follows
// its orders), tagged with the entity type the scenario asks for; the own boat is one without a
// controller. They stand in for the entity classes while a test lives.

#include <cstdint>

namespace q71::test {

/// Installs the makers for the life of the object.
class HarnessMakers {
public:
    HarnessMakers();
    ~HarnessMakers();
    HarnessMakers(const HarnessMakers&) = delete;
    HarnessMakers& operator=(const HarnessMakers&) = delete;
};

} // namespace q71::test
