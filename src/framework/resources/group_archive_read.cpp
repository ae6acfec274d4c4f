// Reading members: each read is a job that unpacks the member from the group file into its block,
// on the calling thread or on a worker thread of its own. A job carries everything it needs, so
// workers never touch the reader's state; a counted job signals its completion whatever happens.
#include "framework/resources/dcl_pipe.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/group_archive_io.h"
#include "framework/resources/group_archive_state.h"
#include "framework/resources/resource_names.h"
#include "platform/files/path.h"

#include <sys/stat.h>

#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

namespace q71 {
namespace {

struct ReadJob {
    std::string groupFile;
    uint32_t offset;
    uint32_t packedSize;
    uint32_t size;
    uint8_t* data;
    std::atomic<uint32_t>* delivered;
    std::shared_ptr<GroupCompletions> completions; ///< set for counted background reads
    GrpReadCallback callback;
    void* argument;
};

// Unpacks the member; true when exactly its size arrived.
bool unpack(const ReadJob& job) {
    std::FILE* file = fileOpen(job.groupFile, "rb");
    if (!file)
        return false;
    bool complete = false;
    std::unique_ptr<uint8_t[]> work(new (std::nothrow) uint8_t[kExplodeWorkSize]);
    if (work && std::fseek(file, static_cast<long>(job.offset), SEEK_SET) == 0) {
        DclPipe<DclFileSource, DclMemorySink> pipe{{file, job.packedSize},
                                                   {job.data, job.size, job.delivered}};
        complete = dclExplode(pipe, work.get()) == kDclOk && !pipe.sink.overflowed &&
                   job.delivered->load(std::memory_order_relaxed) == job.size;
    }
    std::fclose(file);
    return complete;
}

// Runs a job and reports its end: a counted read is signalled even when it failed.
bool run(const ReadJob& job) {
    bool complete = unpack(job);
    if (job.completions) {
        if (!complete)
            job.completions->failed.fetch_add(1);
        job.completions->done.release();
    }
    if (job.callback)
        job.callback(job.argument);
    return complete;
}

uint64_t fileSize(const std::string& path) {
    struct stat st;
    return ::stat(fileResolvePath(path).c_str(), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
}

int fail(GroupReaderState& s, int error) {
    s.error = error;
    return 0;
}

} // namespace

int grpReadEntry(const char* name, uint8_t** data, std::atomic<uint32_t>* delivered, uint32_t* size,
                 bool synchronous, bool allocate, GrpReadCallback callback, void* argument) {
    GroupReaderState& s = grpState();
    s.error = kGrpOk;
    if (s.selected < 0)
        return fail(s, kGrpNoGroup);
    const LoadedGroup& group = s.groups[s.selected];
    const GroupIndexEntry* entry = nullptr;
    for (size_t i = 0; i < group.entries.size() && name; ++i) {
        if (namesEqualIgnoringCase(group.entries[i].name, name)) {
            entry = &group.entries[i];
            s.lastFound = static_cast<int>(i);
            break;
        }
    }
    if (!entry)
        return fail(s, kGrpNoEntry);
    std::string groupFile = group.folder.value_or("") + group.name + ".grp";
    // A damaged index must not make us allocate what no member can hold.
    if (!grpEntryPlausible(*entry, fileSize(groupFile)))
        return fail(s, kGrpUnreadable);

    *size = entry->size;
    if (allocate)
        *data = entry->size > 0 ? new (std::nothrow) uint8_t[entry->size] : nullptr;
    delivered->store(0);
    if (entry->size > 0 && !*data)
        return fail(s, kGrpNoMemory);

    bool counted = !synchronous && !callback;
    auto job = std::make_unique<ReadJob>(ReadJob{std::move(groupFile), entry->offset, entry->packedSize,
                                                 entry->size, *data, delivered,
                                                 counted ? s.completions : nullptr, callback, argument});
    // A read that fails at once leaves no block of its own behind.
    auto failAndRelease = [&](int error) {
        if (allocate)
            delete[] std::exchange(*data, nullptr);
        return fail(s, error);
    };
    if (synchronous)
        return run(*job) ? 1 : failAndRelease(kGrpUnreadable);
    // An empty member is complete as soon as it is asked for, so its caller may let go of it at
    // once: no worker may outlive it, and the read is done here (and counted) instead.
    if (entry->size == 0) {
        if (counted)
            ++s.outstanding;
        return run(*job) ? 1 : failAndRelease(kGrpUnreadable);
    }
    try {
        std::thread([job = std::move(job)] { run(*job); }).detach();
    } catch (const std::system_error&) {
        return failAndRelease(kGrpNoThread);
    }
    if (counted)
        ++s.outstanding;
    return 1;
}

bool grpRead(ResourceRef& ref, bool synchronous, bool allocate) {
    return grpReadEntry(ref.name, &ref.data, &ref.delivered, &ref.size, synchronous, allocate, nullptr,
                        nullptr) == 1;
}

void grpInitAsync() {
    GroupReaderState& s = grpState();
    s.outstanding = 0;
    s.completions = std::make_shared<GroupCompletions>();
}

int grpWaitAll() {
    GroupReaderState& s = grpState();
    if (!s.completions)
        return fail(s, kGrpNotCounting);
    try {
        for (; s.outstanding > 0; --s.outstanding)
            s.completions->done.acquire();
    } catch (const std::system_error&) {
        return fail(s, kGrpWaitFailed);
    }
    bool anyFailed = s.completions->failed.load() > 0;
    s.completions.reset();
    return anyFailed ? fail(s, kGrpUnreadable) : 1;
}

bool grpAsyncActive() {
    return grpState().completions != nullptr;
}

} // namespace q71
