// Opens arbitrary bytes as an aggregate container: reads every member, then changes the container
// (writes, a rename, a deletion, a new member) and opens the result again.
#include "framework/resources/aggregate_container.h"
#include "scratch_files.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace q71;

namespace {

void readEverything(AggContainer& container) {
    std::vector<uint8_t> buffer;
    for (const auto& member : container.members()) {
        if (!container.loadBlocks(*member))
            continue;
        buffer.resize(container.sizeOf(*member));
        container.read(*member, 0, buffer.data(), static_cast<uint32_t>(buffer.size()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::scratchPath("c.agg");
    fuzz::writeScratch(path, data, size);

    if (auto container = AggContainer::open(path, false))
        readEverything(*container);

    if (auto container = AggContainer::open(path, true)) {
        const std::vector<uint8_t> bytes(5000, 0x5A);
        const auto& members = container->members();
        if (!members.empty() && container->loadBlocks(*members.front())) {
            AggMember& first = *members.front();
            container->write(first, 0, bytes.data(), 10);
            container->write(first, container->sizeOf(first), bytes.data(), 5000);
            container->closeMember(first);
            container->rename(first, "renamed");
        }
        if (members.size() > 1)
            container->remove(*members.back());
        AggMember* added = container->add("added");
        container->write(*added, 0, bytes.data(), 4500);
        container->closeMember(*added);
    }
    if (auto container = AggContainer::open(path, false))
        readEverything(*container);
    return 0;
}
