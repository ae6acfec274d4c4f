#pragma once
// The group reader's state, shared by its selection and reading halves.

#include "framework/resources/group_archive_index.h"

#include <atomic>
#include <memory>
#include <optional>
#include <semaphore>
#include <string>
#include <vector>

namespace q71 {

struct LoadedGroup {
    std::string name;
    std::optional<std::string> folder; ///< the folder when the group was loaded, with its backslash
    std::vector<GroupIndexEntry> entries;
};

/// Completions of counted background reads, kept alive by every read that will signal it.
struct GroupCompletions {
    std::counting_semaphore<> done{0};
    std::atomic<int> failed{0};
};

struct GroupReaderState {
    std::optional<std::string> folder; ///< with its backslash
    std::vector<LoadedGroup> groups;
    int selected = -1;
    int lastFound = -1;
    int error = 0;
    std::shared_ptr<GroupCompletions> completions; ///< null when not counting
    uint32_t outstanding = 0;
};

/// The program's one group reader.
GroupReaderState& grpState();

} // namespace q71
