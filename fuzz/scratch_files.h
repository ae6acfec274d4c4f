#pragma once
// Files that fuzz targets write their input into, in a folder of their own made once per run.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace q71::fuzz {

/// The path of `name` in the run's scratch folder.
inline std::string scratchPath(const std::string& name) {
    static const std::string folder = [] {
        char pattern[] = "/tmp/q71-fuzz-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        return std::string(pattern);
    }();
    return folder + "/" + name;
}

/// Writes the bytes as the whole content of the file; aborts when it cannot.
inline void writeScratch(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || (size > 0 && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0)
        std::abort();
}

} // namespace q71::fuzz
