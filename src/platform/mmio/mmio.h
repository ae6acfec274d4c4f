#pragma once
// Multimedia file I/O: files opened by name and read, written, seeked and closed through I/O
// procedures. Ordinary files go to the built-in file procedure; a compound name "container.ext+member"
// goes to the procedure installed for the four-character code of the container's extension ("AGG "
// for "sounds.agg+ping.wav"), or to the one named in the open's MmioInfo. Message numbers, flags and
// results keep their customary values.

#include <cstdint>
#include <string>
#include <string_view>

namespace q71 {

using FourCC = uint32_t;

/// The four-character code of a, b, c, d (first character in the low byte).
constexpr FourCC mmioFourCC(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
           uint32_t(uint8_t(d)) << 24;
}

/// An open file; never reused, so a stale handle is recognised and refused.
enum class MmioHandle : uintptr_t { none = 0 };

struct MmioInfo;
/// An I/O procedure: (message, the file's info, parameter 1, parameter 2) -> result.
using MmioProc = intptr_t (*)(uint32_t message, MmioInfo* info, intptr_t parameter1, intptr_t parameter2);

/// The state of one open file that its I/O procedure sees and keeps.
struct MmioInfo {
    uint32_t flags = 0;                   ///< the open flags
    FourCC ioProcCode = 0;                ///< on open: the procedure to use (0 = chosen by the name)
    MmioProc ioProc = nullptr;            ///< the procedure serving the file
    uint32_t errorResult = 0;             ///< on open: why it failed
    int32_t diskOffset = 0;               ///< the procedure's position in the file
    intptr_t procState[3] = {};           ///< the procedure's own values
    MmioHandle handle = MmioHandle::none; ///< the file; set to 1 or 0 by MMIO_EXIST and MMIO_DELETE opens
};

// clang-format off
// Messages to an I/O procedure.
constexpr uint32_t MMIOM_READ       = 0; ///< parameter 1 buffer, parameter 2 byte count
constexpr uint32_t MMIOM_WRITE      = 1; ///< parameter 1 buffer, parameter 2 byte count
constexpr uint32_t MMIOM_SEEK       = 2; ///< parameter 1 offset, parameter 2 origin (SEEK_SET, SEEK_CUR, SEEK_END)
constexpr uint32_t MMIOM_OPEN       = 3; ///< parameter 1 the file name
constexpr uint32_t MMIOM_CLOSE      = 4;
constexpr uint32_t MMIOM_WRITEFLUSH = 5; ///< as MMIOM_WRITE
constexpr uint32_t MMIOM_RENAME     = 6; ///< parameter 1 the old name, parameter 2 the new name

// Open flags: access, sharing (not enforced here), and what the open does.
constexpr uint32_t MMIO_READ      = 0x00000000;
constexpr uint32_t MMIO_WRITE     = 0x00000001;
constexpr uint32_t MMIO_READWRITE = 0x00000002;
constexpr uint32_t MMIO_EXCLUSIVE = 0x00000010;
constexpr uint32_t MMIO_DENYWRITE = 0x00000020;
constexpr uint32_t MMIO_DENYREAD  = 0x00000030;
constexpr uint32_t MMIO_DENYNONE  = 0x00000040;
constexpr uint32_t MMIO_PARSE     = 0x00000100;
constexpr uint32_t MMIO_DELETE    = 0x00000200;
constexpr uint32_t MMIO_CREATE    = 0x00001000;
constexpr uint32_t MMIO_EXIST     = 0x00004000;
constexpr uint32_t MMIO_GETTEMP   = 0x00020000;
constexpr uint32_t MMIO_ACCESS_MASK = 0x00000003;
constexpr uint32_t MMIO_SHARE_MASK  = 0x00000070;

// mmioInstallIOProc flags.
constexpr uint32_t MMIO_INSTALLPROC = 0x00010000;
constexpr uint32_t MMIO_GLOBALPROC  = 0x10000000;
constexpr uint32_t MMIO_REMOVEPROC  = 0x00020000;
constexpr uint32_t MMIO_FINDPROC    = 0x00040000;

// Results.
constexpr uint32_t MMIOERR_FILENOTFOUND = 257;
constexpr uint32_t MMIOERR_OUTOFMEMORY  = 258;
constexpr uint32_t MMIOERR_CANNOTOPEN   = 259;
constexpr uint32_t MMIOERR_CANNOTCLOSE  = 260;
constexpr uint32_t MMIOERR_CANNOTREAD   = 261;
constexpr uint32_t MMIOERR_CANNOTWRITE  = 262;
constexpr uint32_t MMIOERR_CANNOTSEEK   = 263;
constexpr uint32_t MMIOERR_INVALIDFILE  = 264;
// clang-format on

/// Installs (MMIO_INSTALLPROC), removes (MMIO_REMOVEPROC) or finds (MMIO_FINDPROC) the procedure of a
/// code; returns the procedure concerned, or null when none.
MmioProc mmioInstallIOProc(FourCC code, MmioProc proc, uint32_t flags);

/// Opens a file. With MMIO_EXIST or MMIO_DELETE nothing stays open and the handle is 1 when the file
/// exists (was deleted), else none. On failure returns none with info->errorResult set.
MmioHandle mmioOpen(std::string_view name, MmioInfo* info, uint32_t flags);

/// Reads up to `count` bytes at the file's position; the count read, or -1.
int32_t mmioRead(MmioHandle file, void* buffer, int32_t count);

/// Writes `count` bytes at the file's position; the count written, or -1.
int32_t mmioWrite(MmioHandle file, const void* buffer, int32_t count);

/// Moves the file's position; the new position, or -1.
int32_t mmioSeek(MmioHandle file, int32_t offset, int origin);

/// Closes the file; 0 or an MMIOERR result. The handle is invalid afterwards in any case.
uint32_t mmioClose(MmioHandle file);

/// Renames a file (or a member, through the container's procedure); 0 or an MMIOERR result.
uint32_t mmioRename(std::string_view oldName, std::string_view newName);

/// The full path of a program path (the name parsing of MMIO_PARSE); "" when it cannot be made.
std::string mmioParseName(std::string_view name);

} // namespace q71
