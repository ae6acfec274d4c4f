#include "platform/mmio/mmio.h"

#include "platform/files/path.h"
#include "platform/mmio/mmio_file_proc.h"

#include <cctype>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

namespace q71 {
namespace {

// The installed procedures and the open files. Calls into a procedure run outside the lock: a
// procedure may open files of its own (a container store opens its containers).
struct Registry {
    std::mutex lock;
    std::map<FourCC, MmioProc> procs{{kMmioFileProcCode, mmioFileProc}};
    std::map<uintptr_t, std::shared_ptr<MmioInfo>> files;
    uintptr_t nextHandle = 4; // steps of 4, as addresses of records would be
};

Registry& registry() {
    static Registry instance;
    return instance;
}

MmioProc findProc(FourCC code) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    auto it = r.procs.find(code);
    return it == r.procs.end() ? nullptr : it->second;
}

// The code of the extension of a compound name's container part ("AGG " for "a\\b.agg+m"); 0 when the
// name is not compound.
FourCC compoundCode(std::string_view name) {
    size_t plus = name.find('+');
    if (plus == std::string_view::npos)
        return 0;
    std::string_view container = name.substr(0, plus);
    size_t dot = container.rfind('.');
    if (dot == std::string_view::npos || container.find_first_of("\\/", dot) != std::string_view::npos)
        return 0;
    char code[4] = {' ', ' ', ' ', ' '};
    std::string_view extension = container.substr(dot + 1, 4);
    for (size_t i = 0; i < extension.size(); ++i)
        code[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(extension[i])));
    return mmioFourCC(code[0], code[1], code[2], code[3]);
}

// The procedure for a name: the one asked for, else that of a compound name's extension when one is
// installed, else the file procedure.
MmioProc procFor(std::string_view name, FourCC asked) {
    if (asked != 0)
        return findProc(asked);
    if (FourCC code = compoundCode(name))
        if (MmioProc proc = findProc(code))
            return proc;
    return mmioFileProc;
}

std::shared_ptr<MmioInfo> lookUp(MmioHandle file) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    auto it = r.files.find(static_cast<uintptr_t>(file));
    return it == r.files.end() ? nullptr : it->second;
}

} // namespace

MmioProc mmioInstallIOProc(FourCC code, MmioProc proc, uint32_t flags) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    if (flags & MMIO_INSTALLPROC) {
        if (!proc)
            return nullptr;
        r.procs[code] = proc;
        return proc;
    }
    auto it = r.procs.find(code);
    if (it == r.procs.end() || (flags & MMIO_REMOVEPROC && proc && it->second != proc))
        return nullptr;
    MmioProc found = it->second;
    if (flags & MMIO_REMOVEPROC && code != kMmioFileProcCode)
        r.procs.erase(it);
    return found;
}

MmioHandle mmioOpen(std::string_view name, MmioInfo* info, uint32_t flags) {
    auto file = std::make_shared<MmioInfo>();
    file->flags = flags;
    file->ioProc = procFor(name, info ? info->ioProcCode : 0);
    if (!file->ioProc) {
        if (info)
            info->errorResult = MMIOERR_INVALIDFILE;
        return MmioHandle::none;
    }
    Registry& r = registry();
    {
        std::lock_guard guard(r.lock);
        file->handle = MmioHandle{r.nextHandle};
        r.nextHandle += 4;
    }
    std::string terminated(name);
    intptr_t result = file->ioProc(MMIOM_OPEN, file.get(), reinterpret_cast<intptr_t>(terminated.c_str()), 0);
    if (info)
        info->errorResult = static_cast<uint32_t>(result);
    if (result != 0)
        return MmioHandle::none;
    if (flags & (MMIO_EXIST | MMIO_DELETE))
        return file->handle;
    std::lock_guard guard(r.lock);
    r.files[static_cast<uintptr_t>(file->handle)] = file;
    return file->handle;
}

int32_t mmioRead(MmioHandle file, void* buffer, int32_t count) {
    std::shared_ptr<MmioInfo> info = lookUp(file);
    if (!info || count < 0)
        return -1;
    return static_cast<int32_t>(
        info->ioProc(MMIOM_READ, info.get(), reinterpret_cast<intptr_t>(buffer), count));
}

int32_t mmioWrite(MmioHandle file, const void* buffer, int32_t count) {
    std::shared_ptr<MmioInfo> info = lookUp(file);
    if (!info || count < 0)
        return -1;
    return static_cast<int32_t>(
        info->ioProc(MMIOM_WRITE, info.get(), reinterpret_cast<intptr_t>(buffer), count));
}

int32_t mmioSeek(MmioHandle file, int32_t offset, int origin) {
    std::shared_ptr<MmioInfo> info = lookUp(file);
    if (!info)
        return -1;
    return static_cast<int32_t>(info->ioProc(MMIOM_SEEK, info.get(), offset, origin));
}

uint32_t mmioClose(MmioHandle file) {
    std::shared_ptr<MmioInfo> info;
    {
        Registry& r = registry();
        std::lock_guard guard(r.lock);
        auto it = r.files.find(static_cast<uintptr_t>(file));
        if (it == r.files.end())
            return MMIOERR_INVALIDFILE;
        info = std::move(it->second);
        r.files.erase(it);
    }
    return static_cast<uint32_t>(info->ioProc(MMIOM_CLOSE, info.get(), 0, 0));
}

uint32_t mmioRename(std::string_view oldName, std::string_view newName) {
    MmioInfo info;
    info.ioProc = procFor(oldName, 0);
    std::string from(oldName);
    std::string to(newName);
    return static_cast<uint32_t>(info.ioProc(MMIOM_RENAME, &info, reinterpret_cast<intptr_t>(from.c_str()),
                                             reinterpret_cast<intptr_t>(to.c_str())));
}

std::string mmioParseName(std::string_view name) {
    if (name.empty())
        return "";
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(fileResolvePath(name), error);
    return error ? "" : full.lexically_normal().string();
}

} // namespace q71
