#pragma once
// The group reader's state, shared by its selection and reading halves.

#include "framework/resources/group_archive_index.h"

#include <atomic>
#include <memory>
#include <optional>
#include <semaphore>
#include <string>
#include <thread>
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

/// A background read and its worker. Only the reader's thread keeps these; the worker reads its
/// flags and nothing else of the reader. Destroying one cancels the read and waits for its worker,
/// so the block it writes into may be freed right after.
struct BackgroundRead {
    std::atomic<uint32_t>* delivered = nullptr; ///< identifies the destination
    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
    std::thread worker;

    BackgroundRead() = default;
    BackgroundRead(const BackgroundRead&) = delete;
    BackgroundRead& operator=(const BackgroundRead&) = delete;
    ~BackgroundRead() {
        cancelled.store(true);
        if (worker.joinable())
            worker.join();
    }
};

struct GroupReaderState {
    std::optional<std::string> folder; ///< with its backslash
    std::vector<LoadedGroup> groups;
    int selected = -1;
    int lastFound = -1;
    int error = 0;
    std::shared_ptr<GroupCompletions> completions; ///< null when not counting
    uint32_t outstanding = 0;
    int batchDepth = 0; ///< grpInitAsync calls not yet matched by grpWaitAll
    std::vector<std::unique_ptr<BackgroundRead>> reads;
};

/// The program's one group reader.
GroupReaderState& grpState();

} // namespace q71
