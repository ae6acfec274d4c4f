#pragma once
// Reading group archives: a caller selects a group by name (its index is loaded the first time),
// then reads members by name into memory, on the calling thread or on a worker thread of the read's
// own. Background reads started after grpInitAsync are counted, so that a screen can start many and
// wait for all with grpWaitAll. Failures set the error code of the last call and return 0.
//
// The selected group is one for the program: the main thread selects a group right before reading
// its members, and changes neither the selection nor the loaded groups while background reads run.

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
/// Selects a group, loading its index from "<folder><name>.ndx" the first time; 0 when the name is
/// null or the index cannot be read (the selection is then unchanged).
int grpOpenGroup(const char* name);
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

/// Zeroes the ref.
void grpRefInit(ResourceRef& ref);
/// Frees the ref's data and clears every field but the name.
void grpRefFree(ResourceRef& ref);

/// Starts counting background reads (any number may be pending).
void grpInitAsync();
/// Waits for every counted background read; 1, or 0 with error 6 when counting was not started,
/// 4 when waiting failed, 7 when a counted read could not read its member. Counting stops.
int grpWaitAll();
/// True between grpInitAsync and grpWaitAll.
bool grpAsyncActive();

/// Frees every loaded group.
void grpFreeAll();
/// The error code of the last call.
int grpGetError();

/// "folder\name": the folder is left out when the name holds a colon or starts with a separator,
/// the backslash when either part is empty; "" when both are.
std::string makePath(const std::string& folder, const std::string& name);

} // namespace q71
