#pragma once
// The files the player makes (the roster, the replay log) and how they are written: a file
// is replaced whole without ever being left half-written. The new contents go to a file
// beside it, reach the disk, and only then take its name, so a crash or a full disk in the
// middle leaves the old file as it was.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace q71 {

/// The path of a file in the player's writable folder; "" when there is no such folder.
std::string playerFilePath(const char* name);

/// Replaces the file at a program path with the bytes; false (the old file untouched) on failure.
bool fileReplaceContents(const std::string& path, std::span<const std::uint8_t> bytes);

/// The whole contents of a file at a program path; false when it cannot be opened or read.
bool fileReadContents(const std::string& path, std::vector<std::uint8_t>& bytes);

} // namespace q71
