// A controller in a saved mission: a state block of 224 bytes (level, state, mode, the random
// factor and the subclass's own state), then the plans, each with its parameters and orders.
#include "sim/entities/controllers/entity_controller.h"

#include "sim/entities/field_codec.h"
#include "sim/scoring/byte_stream.h"

namespace q71 {

namespace {

constexpr std::size_t kPlanHeadSize = 8 + 4 + kPlanParameterSize + 4;

// The 104 bytes of an order.
template <class Order, class Codec> void orderFields(Order& o, Codec&& c) {
    c.i32(o.type);
    c.i32(o.hasSpeedDepth);
    c.i32(o.parameter);
    c.gap(4);
    c.f64(o.dueTime);
    c.gap(8);
    c.f64(o.x);
    c.f64(o.y);
    c.gap(16);
    c.f64(o.depth);
    c.gap(16);
    c.f64(o.speed);
    c.gap(8);
}


} // namespace

bool EntityController::save(ByteSink& sink) const {
    std::array<std::uint8_t, kControllerStateBlockSize> block{};
    saveSubclassState(block);
    FieldWriter w;
    w.i32(level);
    w.i32(state);
    w.i32(planMode);
    w.zeros(4);
    w.f64(randomFactor);
    w.bytes(std::span(block).subspan(24));
    w.u32(static_cast<std::uint32_t>(plans.count()));
    for (auto* node = plans.head(); node; node = node->next) {
        const ControllerPlan& plan = *node->item;
        w.f64(plan.startTime);
        w.i32(plan.mode);
        w.bytes(plan.params.bytes);
        w.u32(static_cast<std::uint32_t>(plan.orders.count()));
        for (auto* order = plan.orders.head(); order; order = order->next)
            orderFields(*order->item, FieldWriteCodec{w});
    }
    return w.flush(sink);
}

bool EntityController::load(ByteSource& source) {
    std::array<std::uint8_t, kControllerStateBlockSize> block{};
    {
        FieldReader r(source, kControllerStateBlockSize + 4);
        r.i32(level);
        r.i32(state);
        r.i32(planMode);
        r.skip(4);
        r.f64(randomFactor);
        r.bytes(std::span(block).subspan(24));
        std::uint32_t planCount = 0;
        r.u32(planCount);
        if (!r.ok() || !loadSubclassState(block))
            return false;
        freePlans();
        target = nullptr;
        for (std::uint32_t i = 0; i < planCount; ++i) {
            // Each plan is checked against what is left before anything is made for it.
            if (source.remaining() < kPlanHeadSize)
                return false;
            FieldReader head(source, kPlanHeadSize);
            auto* plan = new ControllerPlan;
            addPlan(plan);
            head.f64(plan->startTime);
            head.i32(plan->mode);
            head.bytes(plan->params.bytes);
            std::uint32_t orderCount = 0;
            head.u32(orderCount);
            if (!head.ok() || source.remaining() / kControllerOrderSize < orderCount)
                return false;
            for (std::uint32_t k = 0; k < orderCount; ++k) {
                FieldReader fields(source, kControllerOrderSize);
                auto* order = new ControllerOrder;
                plan->orders.appendItem(order);
                orderFields(*order, FieldReadCodec{fields});
                if (!fields.ok())
                    return false;
            }
        }
    }
    // The plan under the cursor (the last) is activated by the next update once its time has come.
    planMode = 0;
    activeOrders = nullptr;
    activeParams = nullptr;
    return true;
}

} // namespace q71
