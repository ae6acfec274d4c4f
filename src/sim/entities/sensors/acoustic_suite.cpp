#include "sim/entities/sensors/acoustic_suite.h"

#include "sim/entities/entity.h"

namespace q71 {

namespace {

template <class T> T* added(Entity& owner, T* sensor) {
    owner.addSensor(sensor);
    return sensor;
}

} // namespace

AcousticSuite acousticSuiteCreate(Entity& ownBoat, float sonarFigure, float esmFigure) {
    AcousticSuite suite;
    if (sonarFigure != 0.0f) {
        suite.bowArray = added(ownBoat, new PassiveArray2(ownBoat, sonarFigure));
        suite.flankArray = added(ownBoat, new PassiveArray1(ownBoat, sonarFigure));
        suite.activeSonar = added(ownBoat, new ActiveSonar(ownBoat, sonarFigure, -1));
        suite.interceptSonar = added(ownBoat, new InterceptSonar(ownBoat, sonarFigure));
    }
    if (esmFigure != 0.0f)
        suite.esm = added(ownBoat, new EsmSensor(ownBoat, esmFigure));
    return suite;
}

} // namespace q71
