#pragma once
// Where a submarine's hull and sail lie for its size and class: shared by the boats and by the
// own boat's masts, which stand on its sail.

#include "mkdata/models/recipes.h"
#include "mkdata/models/shapes.h"

namespace q71::mkdata {

struct SubmarineStyle {
    float hullRatio = 0.8f;    ///< hull diameter / beam
    float roundness = 1.0f;    ///< section height / width
    float sailAt = 0.2f;       ///< sail centre, fraction of the length forward of the middle
    float sailLength = 0.12f;  ///< fraction of the length
    float sailWidth = 0.3f;    ///< fraction of the hull diameter
    bool sailPlanes = true;    ///< diving planes on the sail, else on the bow
    float missileDeck = 0.0f;  ///< length of a raised deck behind the sail (fraction), 0 for none
    bool pod = false;          ///< a pod on top of the rudder
    shapes::Tint colour{0.16f, 0.17f, 0.19f};
};

struct SubmarineLayout {
    float radius = 0.0f;      ///< hull half-width
    float halfHeight = 0.0f;  ///< hull half-height
    float axis = 0.0f;        ///< height of the hull's axis (below the waterline)
    float keel = 0.0f;
    float sailTop = 0.0f;
    float sailCentre = 0.0f;  ///< along Z
    float sailHalfLength = 0.0f;
    float sailHalfWidth = 0.0f;
};

SubmarineLayout submarineLayout(const ModelSize& size, const SubmarineStyle& style);
/// The own boat's class.
SubmarineStyle ownBoatStyle();

} // namespace q71::mkdata
