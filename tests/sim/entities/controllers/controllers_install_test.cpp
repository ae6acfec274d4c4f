// The program's start-up gives every class the factory places its behaviour.
#include "../vehicle_fixture.h"

#include "sim/entities/controllers/aircraft_controller.h"
#include "sim/entities/controllers/mine_controller.h"
#include "sim/entities/controllers/submarine_controller.h"
#include "sim/entities/controllers/surface_ship_controller.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/entities/types/entity_factory.h"

namespace q71::test {
namespace {

class ControllersInstall : public VehicleWorld {
protected:
    ~ControllersInstall() override { entityControllersUninstall(); }
    template <class Controller>
    bool placedWith(std::int32_t code, const char* type) {
        const std::unique_ptr<Entity> entity = entityCreatePlaced(code, 2, type, 3);
        return entity && dynamic_cast<Controller*>(entity->controller.get()) != nullptr;
    }
};

TEST_F(ControllersInstall, EveryPlacedClassGetsItsController) {
    EXPECT_FALSE(placedWith<SubmarineController>(kEntitySubmarine, "Hunter")) << "nothing before start-up";
    entityControllersInstall();
    EXPECT_TRUE(placedWith<SubmarineController>(kEntitySubmarine, "Hunter"));
    EXPECT_TRUE(placedWith<SurfaceShipController>(kEntitySurfaceShip, "Frigate"));
    EXPECT_TRUE(placedWith<AirPlatformController>(kEntityAircraft, "Helo"));
    EXPECT_TRUE(placedWith<MineController>(kEntityMine, "InfluenceMine"));
    EXPECT_TRUE(placedWith<MineController>(kEntityMine2, "ContactMine"));
}

} // namespace
} // namespace q71::test
