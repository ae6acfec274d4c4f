#pragma once
// The aggregate file store: members of container files opened, read, written and renamed through
// the multimedia file functions as if they were files, by names "container+member". It is the I/O
// procedure of the code "AGG " (containers named "*.agg"). Every call takes the store's one lock,
// so the sound and movie threads may use it beside the main thread.

#include "platform/mmio/mmio.h"

#include <cstdint>

namespace q71 {

inline constexpr FourCC kAggProcCode = mmioFourCC('A', 'G', 'G', ' ');

/// Installs the store's I/O procedure (once; a call during the shutdown cancels it).
void aggInstall();

/// Shuts the store down: closes every container without open members, writing back what changed;
/// when none is left, removes the I/O procedure. Containers still in use close with their last member.
void aggRemove();

/// The I/O procedure: open, create, delete or test (MMIO_EXIST) a member; read, write, seek, close;
/// rename a member within its container.
intptr_t aggIoProc(uint32_t message, MmioInfo* info, intptr_t parameter1, intptr_t parameter2);

/// How member opens open their containers: 0 read only (the program's mode), 1 read-write, creating
/// missing containers for MMIO_CREATE opens.
void aggSetOpenMode(int mode);

} // namespace q71
