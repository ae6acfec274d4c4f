#include "sim/scoring/player_files.h"

#include "framework/resources/registry.h"
#include "platform/files/path.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace q71 {
namespace {

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return true;
}

// The rename itself reaches the disk with its folder.
void syncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string playerFilePath(const char* name) {
    const std::string folder = appPlayerDataPath();
    return folder.empty() ? std::string() : folder + "/" + name;
}

bool fileReplaceContents(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string target = fileResolvePath(path);
    const std::string staging = target + ".new";
    const int fd = ::open(staging.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || std::rename(staging.c_str(), target.c_str()) != 0) {
        std::remove(staging.c_str());
        return false;
    }
    syncFolderOf(target);
    return true;
}

bool fileReadContents(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::FILE* file = fileOpen(path, "rb");
    if (!file)
        return false;
    bytes.clear();
    std::uint8_t block[16384];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

} // namespace q71
