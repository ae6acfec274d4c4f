#pragma once
// Reading group archives: a caller selects a group by name (its index is loaded the first time),
// then reads members by name into memory, on the calling thread or on a worker thread of the read's
// own. Background reads started after grpInitAsync are counted, so that a screen can start many and
// wait for all with grpWaitAll. Failures set the error code of the last call and return 0.
//
// The selected group is one for the program: the main thread selects a group right before reading
// its members. Background reads belong to the reader: freeing a ref (grpRefFree), closing the
// groups (grpFreeAll) or resetting the reader cancels the reads concerned and waits for their
// workers, so no worker ever writes into a freed block. A cancelled read ends without its
// callback; a counted one still counts as done (and failed). Callbacks run on the worker and must
// not call the reader.

#include "framework/resources/resource_ref.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace q71 {

/// Error codes of the last call (grpGetError).
enum GroupError : int {
    kGrpOk = 0,
    kGrpNoEntry = 1,     ///< no member of that name in the selected group
    kGrpNoMemory = 2,    ///< no memory for the member
    kGrpNoThread = 3,    ///< the worker thread could not be started
    kGrpWaitFailed = 4,  ///< waiting for the background reads failed
    kGrpNoGroup = 5,     ///< no group is selected
    kGrpNotCounting = 6, ///< grpWaitAll without grpInitAsync
    kGrpUnreadable = 7,  ///< the group file is missing or the member's packed data is damaged
};

/// Called when a background read with a callback has ended, on the reading thread.
using GrpReadCallback = void (*)(void* argument);

/// Clears the reader: no folder, no groups, nothing selected, error 0, no counted reads.
void grpReset();
/// The folder of the groups selected from now on ("" or null: none).
void grpSetFolder(const char* folder);
/// The folder set last, as it was given ("" when none is).
std::string grpFolder();
/// Selects a group, loading its index from "<folder><name>.ndx" the first time; 0 when the name is
/// null or the index cannot be read (the selection is then unchanged).
int grpOpenGroup(const char* name);
/// The name of the selected group, "" when none is selected.
std::string grpSelectedName();
/// Sets again, at the end of a scope, the folder and the group selected at its start.
class GroupSelectionKept {
public:
    GroupSelectionKept() : folder_(grpFolder()), name_(grpSelectedName()) {}
    ~GroupSelectionKept() {
        grpSetFolder(folder_.c_str());
        if (!name_.empty())
            grpOpenGroup(name_.c_str());
    }
    GroupSelectionKept(const GroupSelectionKept&) = delete;
    GroupSelectionKept& operator=(const GroupSelectionKept&) = delete;

private:
    std::string folder_;
    std::string name_;
};

/// The member names of the selected group, in index order (none when no group is selected).
std::vector<std::string> grpListEntries();

/// Reads a member of the selected group. With `allocate`, *data receives a new block of the
/// member's size (freed with grpRefFree); otherwise *data must already hold that many bytes.
/// Synchronous reads are complete on return; background reads fill *delivered as they go and end
/// by calling `callback`, or, without one, are counted for grpWaitAll. 1 when done or started.
int grpReadEntry(const char* name, uint8_t** data, std::atomic<uint32_t>* delivered, uint32_t* size,
                 bool synchronous, bool allocate, GrpReadCallback callback, void* argument);
/// grpReadEntry of ref.name into the ref, without callback.
bool grpRead(ResourceRef& ref, bool synchronous, bool allocate);
/// Checks the member as a bitmap file and points the ref's DIB header and bits into it; 1 when it is one.
int grpMakeDib(ResourceRef& ref);

/// Cancels the background read into the destination whose delivered count is this, if one runs,
/// and waits for its worker.
void grpCancelRead(const std::atomic<uint32_t>* delivered);
/// Cancels every background read and waits for the workers.
void grpCancelAll();

/// Zeroes the ref.
void grpRefInit(ResourceRef& ref);
/// Cancels the ref's background read, then frees its data and clears every field but the name.
void grpRefFree(ResourceRef& ref);

/// Starts counting background reads (any number may be pending). Batches nest: one started while
/// another counts joins it.
void grpInitAsync();
/// Waits for every counted background read (of every batch still counting); 1, or 0 with error 6
/// when counting was not started, 4 when waiting failed, 7 when a counted read of the running batch
/// could not read its member. Counting stops when every grpInitAsync has had its wait.
int grpWaitAll();
/// True between grpInitAsync and grpWaitAll.
bool grpAsyncActive();

/// Cancels every background read, waits for the workers and frees every loaded group.
void grpFreeAll();
/// The error code of the last call.
int grpGetError();

/// "folder\name": the folder is left out when the name holds a colon or starts with a separator,
/// the backslash when either part is empty; "" when both are.
std::string makePath(const std::string& folder, const std::string& name);

} // namespace q71
