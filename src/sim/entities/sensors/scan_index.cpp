#include "sim/entities/sensors/scan_index.h"

namespace q71 {

const std::vector<ScanEntry>& scanEntries() {
    // One array for the program, as there is one world list; its storage is kept from one
    // making to the next, so that a steady world allocates nothing.
    static std::vector<ScanEntry> entries;
    static std::uint64_t revision = 0; // an empty list's, matching the empty array
    const LinkedList<Entity>& world = worldList();
    if (world.revision() != revision) {
        entries.clear();
        for (auto* node = world.head(); node; node = node->next)
            entries.push_back({node, node->item, node->item->motion.get()});
        revision = world.revision();
    }
    return entries;
}

} // namespace q71
