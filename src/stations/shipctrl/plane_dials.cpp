#include "stations/shipctrl/plane_dials.h"

#include "framework/textmngr/text_manager.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "stations/geninfo/station_voice.h"
#include "stations/shipctrl/ship_orders.h"

namespace q71 {

PlaneDial::PlaneDial(WindowHandle parent, int id, int x, int y, int width, int height, std::string background,
                     std::string actualModel, std::string orderedModel, const DialPlacement& placement)
    : CourseDial(parent, id, x, y, width, height, std::move(background), std::move(actualModel),
                 std::move(orderedModel)) {
    actual_.position = placement.actualPosition;
    actual_.scale = {placement.actualScale, placement.actualScale, placement.actualScale};
    orderedPointer_.position = placement.orderedPosition;
    orderedPointer_.scale = {placement.orderedScale, placement.orderedScale, placement.orderedScale};
}

void PlaneDial::onLeftDown(int, int) {}

void RudderDial::onLeftDown(int x, int y) {
    const auto rudder = rudderOrderAt(x - getWidth() / 2, y - getHeight() / 2);
    auto* own = worldOwnSubmarine();
    if (!rudder || !own || !own->ownMotion)
        return;
    own->ownMotion->setRudderOrder(*rudder);
    const HelmCall call = rudderCall(*rudder);
    stationSayHelm(call.sample);
    if (call.value != 0)
        msgLogPrintfId(call.text, call.value);
    else
        msgLogPrintfId(call.text);
}

} // namespace q71
