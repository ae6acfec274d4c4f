#include "sim/entities/types/controller_makers.h"

#include "sim/entities/controllers/entity_controller.h"

#include <array>

namespace q71 {

namespace {

constexpr std::size_t kControllerClassCount = 7;

std::array<ControllerMaker, kControllerClassCount> makers{}; // the installed makers, by class

} // namespace

void entitySetControllerMaker(ControllerClass which, ControllerMaker maker) {
    makers[static_cast<std::size_t>(which)] = maker;
}

std::unique_ptr<EntityController> entityMakeController(ControllerClass which, Entity& owner, double value) {
    const ControllerMaker maker = makers[static_cast<std::size_t>(which)];
    return std::unique_ptr<EntityController>(maker ? maker(owner, value) : nullptr);
}

} // namespace q71
