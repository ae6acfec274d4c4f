#pragma once
// The own boat as the navigation station reads it.

namespace q71 {

class OwnShipEntity;
class OwnShipMotion;

/// The world's own boat, or null.
OwnShipEntity* navOwnShip();
/// Its motion, or null.
OwnShipMotion* navOwnMotion();

} // namespace q71
