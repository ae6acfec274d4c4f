#pragma once
// The own boat's record of the runs of its receivers round a scripted world (benchmarks, state hash).

#include "sim/world/object_record.h"

namespace q71::test {

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
