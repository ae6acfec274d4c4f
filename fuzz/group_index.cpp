// Loads arbitrary bytes as a group index beside an arbitrary group file and reads every member it
// names. The first byte says how much of the input is the index; the rest is the group file.
#include "framework/resources/group_archive.h"
#include "scratch_files.h"

#include <algorithm>
#include <string>

using namespace q71;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    size_t indexSize = std::min<size_t>(size - 1, size_t{data[0]} * 8);
    fuzz::writeScratch(fuzz::scratchPath("f.ndx"), data + 1, indexSize);
    fuzz::writeScratch(fuzz::scratchPath("f.grp"), data + 1 + indexSize, size - 1 - indexSize);

    grpReset();
    grpSetFolder(fuzz::scratchPath("").c_str());
    if (grpOpenGroup("f")) {
        for (const std::string& name : grpListEntries()) {
            ResourceRef ref;
            ref.name = name.c_str();
            grpRead(ref, true, true);
            grpRefFree(ref);
        }
    }
    grpFreeAll();
    return 0;
}
