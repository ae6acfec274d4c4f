#pragma once
// Writing group archives: "<base>.grp" with the members packed one after another in binary mode
// with a 4096-byte dictionary, and "<base>.ndx" naming them. One archive is written at a time.

#include <cstdint>
#include <filesystem>
#include <string>

namespace q71 {

/// Opens "<base>.grp" and "<base>.ndx" for writing; 1, or 0 when a file cannot be made.
int grpBuildBegin(const char* base);
/// Packs a file; its index name is the path as given. False when it cannot be read, its name does
/// not fit the 79 characters of an index name, or the archive cannot be written.
bool grpBuildAddFile(const char* path);
/// Packs a block of memory under the name; 1, or 0 as grpBuildAddFile.
int grpBuildAddMemory(const char* name, const uint8_t* data, uint32_t size);
/// Closes the archive; false when anything of it could not be written.
bool grpBuildEnd();

/// Packs every file of a folder into the archive `base`, in name order (ignoring case); "" when
/// done, else what went wrong (a name too long or given twice, a file or the archive unwritable).
std::string grpBuildFolder(const std::filesystem::path& folder, const std::string& base);

} // namespace q71
