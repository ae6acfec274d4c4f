#pragma once
// The own boat's receivers as its record gives them, made and added to its sensors in one call:
// the bow and flank arrays, the active sonar (silent until the active display sets it pinging)
// and the intercept sonar when the record has a sonar figure, the ESM receiver when it has an
// ESM figure. The towed array is made when it is streamed (new PassiveArray0 and addSensor).

#include "sim/entities/sensors/active_sonar.h"
#include "sim/entities/sensors/intercept_receivers.h"
#include "sim/entities/sensors/passive_arrays.h"

namespace q71 {

/// The receivers made for the own boat; null where the record gives none.
struct AcousticSuite {
    PassiveArray2* bowArray = nullptr;
    PassiveArray1* flankArray = nullptr;
    ActiveSonar* activeSonar = nullptr;
    InterceptSonar* interceptSonar = nullptr;
    EsmSensor* esm = nullptr;
};

/// Makes the receivers of a sonar figure (0: none) and an ESM figure (0: none), adds them to the
/// owner's sensors and returns them.
AcousticSuite acousticSuiteCreate(Entity& ownBoat, float sonarFigure, float esmFigure);

} // namespace q71
