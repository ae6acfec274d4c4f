#pragma once
// The data set's world with what a network mission needs of the simulation: the entity classes,
// their controllers and the explosions; the network game is taken back from the simulation at
// the end. The one-process duel and both processes of the two-process duel run on it.

#include "sim/entities/entity.h"
#include "sim/entities/entity_hooks.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/services/sim_services.h"
#include "sim/support/data_set_world.h"

#include <gtest/gtest.h>

#include <algorithm>

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

/// Checks that the two boats stand at the duel's two starts, one at each: 20 km apart on the
/// centre's parallel ("at centre -10 0" and "at centre 10 0", the centre at 268.8 km).
inline void expectAtTheDuelsStarts(const Entity& own, const Entity& other) {
    const auto metres = [](double km) { return 268800.0 + 1000.0 * km; };
    EXPECT_EQ(std::min(own.motion->x, other.motion->x), metres(-10));
    EXPECT_EQ(std::max(own.motion->x, other.motion->x), metres(10));
    EXPECT_EQ(own.motion->y, metres(0));
    EXPECT_EQ(other.motion->y, metres(0));
}

} // namespace q71::test
