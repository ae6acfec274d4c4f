#pragma once
// File names as the program writes them ("Scenario\\S11.scn", "GRAPHICS\\main.grp") are
// turned into paths of this file system: back-slashes become slashes and each component is
// matched against the directory without regard to ASCII case. Every file open goes through
// here.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

/// The path of the file system for a program path; components that do not exist (yet) are kept as given.
std::string fileResolvePath(std::string_view path);

/// fopen of a program path.
std::FILE* fileOpen(std::string_view path, const char* mode);

/// POSIX open of a program path; returns the descriptor or -1.
int fileOpenDescriptor(std::string_view path, int flags, int mode = 0644);

/// True when the program path names an existing file or directory.
bool fileExists(std::string_view path);

/// The names of the plain files in the folder of a program path, in no order (none when the
/// folder is missing).
std::vector<std::string> fileNamesIn(std::string_view folder);

} // namespace q71
