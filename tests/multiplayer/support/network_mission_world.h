#pragma once
// The data set's world with what a network mission needs of the simulation: the entity classes,
// their controllers and the explosions; the network game is taken back from the simulation at
// the end. The one-process duel and both processes of the two-process duel run on it.

#include "sim/entities/entity_hooks.h"
#include "sim/entities/explosion.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/services/sim_services.h"
#include "sim/support/data_set_world.h"

namespace q71::test {

class NetworkMissionWorld : public DataSetWorld {
protected:
    NetworkMissionWorld() {
        entityClassesInstall();
        entityControllersInstall();
        explosionInstallMaker();
    }
    ~NetworkMissionWorld() override {
        simSetNetworkGame(nullptr);
        entitySetExplosionMaker(nullptr);
        entityControllersUninstall();
        entityClassesUninstall();
    }
};

/// World x and y of a start "at centre <x> <y>" of the duel's area, km from the centre.
inline double duelWorldMetres(double km) {
    return 268800.0 + 1000.0 * km;
}

} // namespace q71::test
