#include "framework/resources/group_archive_writer.h"

#include "framework/resources/dcl_pipe.h"
#include "framework/resources/group_archive_index.h"
#include "framework/resources/group_archive_io.h"
#include "framework/resources/resource_names.h"
#include "platform/files/path.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace q71 {
namespace {

struct ArchiveWriter {
    std::FILE* group = nullptr;
    std::FILE* index = nullptr;
    std::unique_ptr<uint8_t[]> work;
    uint32_t offset = 0; ///< where the next member starts in the group file
    bool failed = false;
};

ArchiveWriter& writer() {
    static ArchiveWriter instance;
    return instance;
}

// Packs what the source gives into the group file and indexes it under `name`.
template <class Source> bool addMember(const char* name, uint32_t size, Source source) {
    ArchiveWriter& w = writer();
    if (!w.group || !name || std::strlen(name) >= kGroupNameFieldSize)
        return false;
    DclPipe<Source, DclFileSink> pipe{source, {w.group}};
    int result = dclImplode(pipe, w.work.get(), kDclBinary, 4096);
    uint32_t packed = pipe.sink.written;
    // A source that ended early, or a group file that would pass the 32-bit offsets of the index,
    // leaves the archive unusable.
    if (result != kDclOk || !pipe.source.exhausted() || pipe.sink.failed || packed > UINT32_MAX - w.offset) {
        w.failed = true;
        return false;
    }
    auto entry = grpEncodeIndexEntry({name, w.offset, size, packed});
    if (std::fwrite(entry.data(), 1, entry.size(), w.index) != entry.size()) {
        w.failed = true;
        return false;
    }
    w.offset += packed;
    return true;
}

} // namespace

int grpBuildBegin(const char* base) {
    grpBuildEnd();
    ArchiveWriter& w = writer();
    w.group = fileOpen(std::string(base) + ".grp", "wb");
    w.index = fileOpen(std::string(base) + ".ndx", "wb");
    w.work.reset(new uint8_t[kImplodeWorkSize]);
    w.offset = 0;
    w.failed = false;
    if (!w.group || !w.index) {
        grpBuildEnd();
        return 0;
    }
    return 1;
}

bool grpBuildAddFile(const char* path) {
    struct stat st;
    if (!path || ::stat(fileResolvePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_size > UINT32_MAX)
        return false;
    std::FILE* file = fileOpen(path, "rb");
    if (!file)
        return false;
    uint32_t size = static_cast<uint32_t>(st.st_size);
    bool added = addMember(path, size, DclFileSource{file, size});
    std::fclose(file);
    return added;
}

int grpBuildAddMemory(const char* name, const uint8_t* data, uint32_t size) {
    return addMember(name, size, DclMemorySource{data, size}) ? 1 : 0;
}

bool grpBuildEnd() {
    ArchiveWriter& w = writer();
    bool ok = !w.failed;
    for (std::FILE** file : {&w.group, &w.index}) {
        if (*file && std::fclose(*file) != 0)
            ok = false;
        *file = nullptr;
    }
    w.work.reset();
    w.failed = false;
    return ok;
}

std::string grpBuildFolder(const std::filesystem::path& folder, const std::string& base) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    if (error)
        return "cannot list " + folder.string();
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        return compareNamesIgnoringCase(a.filename().string(), b.filename().string()) < 0;
    });
    for (size_t i = 0; i < files.size(); ++i) {
        std::string name = files[i].filename().string();
        if (name.size() >= kGroupNameFieldSize)
            return name + ": a member name has at most 79 characters";
        // Members are found ignoring case, so two names that differ only in case cannot both be.
        if (i > 0 && namesEqualIgnoringCase(name, files[i - 1].filename().string()))
            return name + ": given twice in " + folder.string();
    }
    if (!grpBuildBegin(base.c_str()))
        return "cannot write " + base + ".grp";
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if ((!in.good() && !in.eof()) || bytes.size() > UINT32_MAX) {
            grpBuildEnd();
            return "cannot read " + file.string();
        }
        if (!grpBuildAddMemory(file.filename().c_str(), reinterpret_cast<const uint8_t*>(bytes.data()),
                               static_cast<uint32_t>(bytes.size()))) {
            grpBuildEnd();
            return "cannot pack " + file.string();
        }
    }
    return grpBuildEnd() ? "" : "cannot write " + base + ".grp";
}

} // namespace q71
