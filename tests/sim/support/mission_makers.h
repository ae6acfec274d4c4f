#pragma once
// Makers for the tests of the mission start. The own boat is one of the world harness's
// platforms without a controller, standing in for the own submarine's class. Units can be the
// harness's platforms too (a hull that answers its helm, a controller that follows its orders),
// tagged with the entity type the scenario asks for, when a test wants the reader's work alone.

namespace q71::test {

/// Installs the own boat's maker for the life of the object.
class HarnessOwnShip {
public:
    HarnessOwnShip();
    ~HarnessOwnShip();
    HarnessOwnShip(const HarnessOwnShip&) = delete;
    HarnessOwnShip& operator=(const HarnessOwnShip&) = delete;
};

/// Installs the own boat's maker and makes every unit a platform of the harness, for the life of
/// the object.
class HarnessMakers : public HarnessOwnShip {
public:
    HarnessMakers();
    ~HarnessMakers();
};

} // namespace q71::test
