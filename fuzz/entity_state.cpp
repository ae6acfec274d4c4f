// An entity's state in a saved mission read back: its fields, the own boat's contacts, its
// motion block, its controller's plans and its sensors. Any bytes are refused or read within
// them; what loads writes back and loads again the same.
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/scoring/byte_stream.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// A platform without a record (no sensors of its own) with a motion model and a controller; the
// first byte chooses whether it is the own boat (with contacts) and a mobile mine (with sensors).
class Platform final : public q71::Entity {
public:
    explicit Platform(std::uint8_t shape)
        : Entity(1, 9999u, 2, q71::kKindSubsurface, 7), sensors_(shape & 2) {
        if (shape & 1)
            typeCode = q71::kEntityOwnShip;
        motion = std::make_unique<q71::MotionModel>(*this);
        controller = std::make_unique<q71::EntityController>(*this);
    }
    bool savesSensors() const override { return sensors_; }

private:
    bool sensors_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    Platform first(data[0]);
    q71::MemorySource source({data + 1, size - 1});
    if (!first.load(source))
        return 0;
    q71::MemorySink once;
    if (!first.save(once))
        __builtin_trap();
    Platform second(data[0]);
    q71::MemorySource again(once.bytes());
    if (!second.load(again) || again.remaining() != 0)
        __builtin_trap();
    return 0;
}
