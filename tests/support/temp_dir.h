#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include <filesystem>
#include <string>

namespace q71::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// Path of a name inside the folder.
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    /// Writes bytes into a file of the folder (creating its parent folders) and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

/// The whole content of a file, or "" when it cannot be read.
std::string readFile(const std::filesystem::path& path);

} // namespace q71::test
