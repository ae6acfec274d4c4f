#pragma once
// The built-in I/O procedure of ordinary files (code "DOS "), reached through the path helper.

#include "platform/mmio/mmio.h"

namespace q71 {

inline constexpr FourCC kMmioFileProcCode = mmioFourCC('D', 'O', 'S', ' ');

/// The I/O procedure of ordinary files.
intptr_t mmioFileProc(uint32_t message, MmioInfo* info, intptr_t parameter1, intptr_t parameter2);

} // namespace q71
