// Goal trees from scenario, goal and saved-mission files: any bytes give a tree or a refusal,
// never a crash, and a tree that was read writes back into a form that reads again the same.
#include "sim/scoring/goal_tree.h"

#include <cstddef>
#include <cstdint>

namespace {

std::vector<std::uint8_t> roundTrip(std::span<const std::uint8_t> bytes) {
    q71::MemorySource source(bytes);
    q71::GoalTree tree;
    if (!tree.read(source))
        __builtin_trap(); // a form the tree wrote itself must read
    q71::MemorySink sink;
    tree.write(sink);
    return sink.bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    q71::MemorySource source({data, size});
    q71::GoalTree tree;
    if (!tree.read(source)) {
        if (tree.root())
            __builtin_trap(); // a refused form leaves nothing behind
        return 0;
    }
    q71::MemorySink sink;
    tree.write(sink);
    // Every read reverses the levels, so two round trips come back to the same bytes.
    if (roundTrip(roundTrip(sink.bytes())) != sink.bytes())
        __builtin_trap();
    return 0;
}
