// A receiver of the own boat read back from a saved mission: its Sensor block, narrowband lines,
// broadband and long-term rows, trackers and axis. Any bytes are refused or read within them;
// what loads writes back and loads again to the same bytes.
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/acoustic_suite.h"
#include "sim/scoring/byte_stream.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// An owner without a record, with a motion model whose towed arrays reach 100 m.
class Owner final : public q71::Entity {
public:
    Owner() : Entity(1, 9999u, 2, q71::kKindSubsurface, 7) {
        motion = std::make_unique<q71::MotionModel>(*this);
        motion->maxArrayLength = 100.0;
    }
};

std::unique_ptr<q71::Sensor> receiver(q71::Entity& owner, std::uint8_t kind) {
    switch (kind % 6) {
    case 0:
        return std::make_unique<q71::PassiveArray2>(owner, 3.0f);
    case 1:
        return std::make_unique<q71::PassiveArray1>(owner, 3.0f);
    case 2:
        return std::make_unique<q71::PassiveArray0>(owner, 3.0f);
    case 3:
        return std::make_unique<q71::ActiveSonar>(owner, 3.0f, -1);
    case 4:
        return std::make_unique<q71::InterceptSonar>(owner, 3.0f);
    default:
        return std::make_unique<q71::EsmSensor>(owner, 2.0f);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    Owner owner;
    std::unique_ptr<q71::Sensor> first = receiver(owner, data[0]);
    q71::MemorySource source({data + 1, size - 1});
    if (!first->load(source))
        return 0;
    q71::MemorySink once;
    if (!first->save(once))
        __builtin_trap();
    std::unique_ptr<q71::Sensor> second = receiver(owner, data[0]);
    q71::MemorySource again(once.bytes());
    q71::MemorySink twice;
    if (!second->load(again) || again.remaining() != 0 || !second->save(twice) ||
        twice.bytes() != once.bytes())
        __builtin_trap();
    return 0;
}
