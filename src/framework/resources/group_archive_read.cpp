// Reading members: each read is a job that unpacks the member from the group file into its block,
// on the calling thread or on a worker thread of its own. A job carries everything it needs, so
// workers never touch the reader's state; a counted job signals its completion whatever happens.
// Every worker is owned by the reader (BackgroundRead): freeing the block, closing the groups or
// resetting the reader cancels the read and waits for the worker first.
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
    const std::atomic<bool>* cancelled = nullptr; ///< set for background reads
};

bool isCancelled(const ReadJob& job) {
    return job.cancelled && job.cancelled->load(std::memory_order_acquire);
}

// The group file, ending early once the read is cancelled.
struct JobSource {
    DclFileSource file;
    const ReadJob* job;
    uint32_t take(uint8_t* buffer, uint32_t wanted) { return isCancelled(*job) ? 0 : file.take(buffer, wanted); }
};

// The member's block, untouched once the read is cancelled: its owner may be freeing it.
struct JobSink {
    DclMemorySink block;
    const ReadJob* job;
    void put(const uint8_t* buffer, uint32_t size) {
        if (!isCancelled(*job))
            block.put(buffer, size);
    }
};

// Unpacks the member; true when exactly its size arrived.
bool unpack(const ReadJob& job) {
    std::FILE* file = fileOpen(job.groupFile, "rb");
    if (!file)
        return false;
    bool complete = false;
    std::unique_ptr<uint8_t[]> work(new (std::nothrow) uint8_t[kExplodeWorkSize]);
    if (work && std::fseek(file, static_cast<long>(job.offset), SEEK_SET) == 0) {
        DclPipe<JobSource, JobSink> pipe{{{file, job.packedSize}, &job}, {{job.data, job.size, job.delivered}, &job}};
        complete = dclExplode(pipe, work.get()) == kDclOk && !pipe.sink.block.overflowed &&
                   job.delivered->load(std::memory_order_relaxed) == job.size && !isCancelled(job);
    }
    std::fclose(file);
    return complete;
}

// Runs a job and reports its end: a counted read is signalled even when it failed or was
// cancelled; a cancelled read ends without its callback, since its owner has let go of it.
bool run(const ReadJob& job) {
    bool complete = unpack(job);
    if (job.completions) {
        if (!complete)
            job.completions->failed.fetch_add(1);
        job.completions->done.release();
    }
    if (job.callback && !isCancelled(job))
        job.callback(job.argument);
    return complete;
}

// Joins the workers that have ended, so finished reads do not pile up.
void reapFinished(GroupReaderState& s) {
    std::erase_if(s.reads, [](const std::unique_ptr<BackgroundRead>& read) { return read->finished.load(); });
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

    // A read still running into the same destination would write over this one.
    grpCancelRead(delivered);
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
    reapFinished(s);
    auto read = std::make_unique<BackgroundRead>();
    read->delivered = delivered;
    job->cancelled = &read->cancelled;
    try {
        read->worker = std::thread([job = std::move(job), done = &read->finished] {
            run(*job);
            done->store(true);
        });
    } catch (const std::system_error&) {
        return failAndRelease(kGrpNoThread);
    }
    s.reads.push_back(std::move(read));
    if (counted)
        ++s.outstanding;
    return 1;
}

void grpCancelRead(const std::atomic<uint32_t>* delivered) {
    // Destroying the record cancels the read and waits for its worker.
    std::erase_if(grpState().reads,
                  [&](const std::unique_ptr<BackgroundRead>& read) { return read->delivered == delivered; });
}

void grpCancelAll() {
    grpState().reads.clear();
}

bool grpRead(ResourceRef& ref, bool synchronous, bool allocate) {
    return grpReadEntry(ref.name, &ref.data, &ref.delivered, &ref.size, synchronous, allocate, nullptr,
                        nullptr) == 1;
}

void grpInitAsync() {
    GroupReaderState& s = grpState();
    // A batch started inside another joins it, so that every wait waits for all its reads.
    ++s.batchDepth;
    if (!s.completions) {
        s.outstanding = 0;
        s.completions = std::make_shared<GroupCompletions>();
    }
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
    if (--s.batchDepth == 0)
        s.completions.reset();
    return anyFailed ? fail(s, kGrpUnreadable) : 1;
}

bool grpAsyncActive() {
    return grpState().completions != nullptr;
}

} // namespace q71
