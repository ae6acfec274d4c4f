#pragma once
// Reading a source of the data set and writing a file of it, with errors that name the file.

#include <filesystem>
#include <string>

namespace q71::mkdata {

/// The whole content of a source file; throws when it cannot be read.
std::string readSource(const std::filesystem::path& path);

/// Writes a file of the data set, creating its folders; throws when it cannot be written.
void writeOutput(const std::filesystem::path& path, const std::string& bytes);

} // namespace q71::mkdata
