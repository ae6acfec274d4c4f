#pragma once
// The own boat as the navigation station reads it.

namespace q71 {

class OwnShipMotion;

/// The world's own boat's motion, or null.
OwnShipMotion* navOwnMotion();

} // namespace q71
