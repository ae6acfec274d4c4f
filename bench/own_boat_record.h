#pragma once
// The own boat's record of the benchmarks that run its receivers round a scripted world.

#include "sim/world/object_record.h"

namespace q71::bench {

inline ObjectRecord ownBoatRecord() {
    ObjectRecord boat;
    boat.id = 1;
    boat.keyName.assign("Q71i");
    boat.categoryWord.assign("sub");
    boat.kind = kObjectKindSubmarine;
    boat.maxSpeed = 33;
    boat.length = 362;
    boat.signatureFactor = 1.0f;
    boat.sonarFigure = 3.0f;
    boat.esmFigure = 2.0f;
    boat.activeSonar = 3;
    boat.signatureValues = {50, 120, 360, 960, 0};
    boat.signatureParameters = {12, 20, 30, 0};
    return boat;
}

} // namespace q71::bench
