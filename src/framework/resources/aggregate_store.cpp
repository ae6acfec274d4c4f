#include "framework/resources/aggregate_store.h"

#include "framework/resources/aggregate_container.h"
#include "framework/resources/aggregate_names.h"
#include "framework/resources/resource_names.h"
#include "platform/files/path.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace q71 {
namespace {

struct OpenFile {
    AggMember* member;
    bool mayRead;
    bool mayWrite;
};

struct Store {
    std::mutex lock;
    bool installed = false;
    bool shuttingDown = false;
    bool exitHandlerRegistered = false;
    int openMode = 0;
    std::vector<std::unique_ptr<AggContainer>> containers;
    std::unordered_map<uintptr_t, OpenFile> openFiles;
};

Store& store() {
    static Store instance;
    return instance;
}

std::string fullPath(const std::string& container) {
    std::string parsed = mmioParseName(container);
    return parsed.empty() ? container : parsed;
}

// The open container of that path, else the container opened now; null when it cannot be opened.
// A missing container is made only when `create` is set and the container is writable.
AggContainer* container(Store& s, const std::string& path, bool writable, bool create) {
    for (auto& c : s.containers) {
        if (namesEqualIgnoringCase(c->path(), path))
            return !writable || c->makeWritable() ? c.get() : nullptr;
    }
    if (!(writable && create) && !fileExists(path))
        return nullptr;
    std::unique_ptr<AggContainer> opened = AggContainer::open(path, writable);
    if (!opened)
        return nullptr;
    s.containers.push_back(std::move(opened));
    return s.containers.back().get();
}

// After aggRemove: closes the containers that nothing holds open and, once none is left, the store.
void finishRemoval(Store& s) {
    for (auto it = s.containers.begin(); it != s.containers.end();) {
        if ((*it)->openMembers == 0) {
            (*it)->flush();
            it = s.containers.erase(it);
        } else {
            ++it;
        }
    }
    if (s.containers.empty()) {
        mmioInstallIOProc(kAggProcCode, aggIoProc, MMIO_REMOVEPROC);
        s.installed = false;
        s.shuttingDown = false;
    }
}

intptr_t openMember(Store& s, MmioInfo* info, const char* name) {
    uint32_t flags = info->flags;
    if (flags & (MMIO_PARSE | MMIO_GETTEMP))
        return MMIOERR_CANNOTOPEN;
    AggName split = aggSplitName(name);
    std::string path = fullPath(split.container);
    bool writable = s.openMode == 1;

    if (flags & (MMIO_EXIST | MMIO_DELETE)) {
        AggContainer* c = container(s, path, writable, false);
        AggMember* member = c ? c->find(split.member) : nullptr;
        if (flags & MMIO_EXIST) {
            info->handle = MmioHandle{member ? 1u : 0u};
            return 0;
        }
        bool deleted = member && c->remove(*member);
        info->handle = MmioHandle{deleted ? 1u : 0u};
        return deleted ? 0 : MMIOERR_CANNOTOPEN;
    }

    uint32_t access = flags & MMIO_ACCESS_MASK;
    bool create = flags & MMIO_CREATE;
    AggContainer* c = container(s, path, writable, create);
    if (!c || (!c->writable() && (access != MMIO_READ || create)))
        return MMIOERR_CANNOTOPEN;
    AggMember* member = c->find(split.member);
    if (!member) {
        if (!create || split.member.empty())
            return MMIOERR_CANNOTOPEN;
        member = c->add(split.member);
    } else if (!c->loadBlocks(*member)) {
        return MMIOERR_CANNOTOPEN;
    } else if (create) {
        c->empty(*member);
    }
    uintptr_t handle = static_cast<uintptr_t>(info->handle);
    if (s.openFiles.count(handle) == 0) {
        s.openFiles[handle] = {member, access == MMIO_READ || access == MMIO_READWRITE,
                               access == MMIO_WRITE || access == MMIO_READWRITE};
        ++member->openCount;
        ++c->openMembers;
    }
    info->diskOffset = 0;
    return 0;
}

OpenFile* openFile(Store& s, const MmioInfo* info) {
    auto it = s.openFiles.find(static_cast<uintptr_t>(info->handle));
    return it == s.openFiles.end() ? nullptr : &it->second;
}

intptr_t closeMember(Store& s, MmioInfo* info) {
    auto it = s.openFiles.find(static_cast<uintptr_t>(info->handle));
    if (it == s.openFiles.end())
        return MMIOERR_CANNOTWRITE;
    AggMember& member = *it->second.member;
    s.openFiles.erase(it);
    AggContainer& c = *member.container;
    --member.openCount;
    --c.openMembers;
    bool written = c.closeMember(member);
    if (s.shuttingDown)
        finishRemoval(s);
    return written ? 0 : MMIOERR_CANNOTWRITE;
}

intptr_t seekMember(Store& s, MmioInfo* info, intptr_t offset, intptr_t origin) {
    const OpenFile* file = openFile(s, info);
    if (!file)
        return -1;
    int64_t base = 0;
    if (origin == SEEK_CUR)
        base = info->diskOffset;
    else if (origin == SEEK_END)
        base = file->member->container->sizeOf(*file->member);
    else if (origin != SEEK_SET)
        return -1;
    // Relative to the end as with every file: offset 0 is the end, negative offsets lie before it.
    int64_t position = base + offset;
    info->diskOffset = static_cast<int32_t>(position < 0 ? 0 : (position > INT32_MAX ? INT32_MAX : position));
    return info->diskOffset;
}

intptr_t transfer(Store& s, uint32_t message, MmioInfo* info, intptr_t buffer, intptr_t count) {
    const OpenFile* file = openFile(s, info);
    bool reading = message == MMIOM_READ;
    if (!file || count < 0 || count > INT32_MAX || !(reading ? file->mayRead : file->mayWrite))
        return -1;
    AggContainer& c = *file->member->container;
    uint32_t offset = static_cast<uint32_t>(info->diskOffset);
    int32_t moved =
        reading ? c.read(*file->member, offset, reinterpret_cast<uint8_t*>(buffer), uint32_t(count))
                : c.write(*file->member, offset, reinterpret_cast<const uint8_t*>(buffer), uint32_t(count));
    if (moved > 0)
        info->diskOffset =
            static_cast<int32_t>(std::min<int64_t>(int64_t{info->diskOffset} + moved, INT32_MAX));
    return moved;
}

intptr_t renameMember(Store& s, const char* oldName, const char* newName) {
    AggName from = aggSplitName(oldName);
    AggName to = aggSplitName(newName);
    std::string path = fullPath(from.container);
    // A new name without a container part names a member of the old one.
    std::string newMember = to.hasMember ? to.member : to.container;
    if (!from.hasMember || (to.hasMember && !namesEqualIgnoringCase(fullPath(to.container), path)))
        return MMIOERR_FILENOTFOUND;
    AggContainer* c = container(s, path, true, false);
    AggMember* member = c ? c->find(from.member) : nullptr;
    return member && c->rename(*member, newMember) ? 0 : MMIOERR_FILENOTFOUND;
}

intptr_t failureWhenNotInstalled(uint32_t message) {
    switch (message) {
    case MMIOM_OPEN:
        return MMIOERR_CANNOTOPEN;
    case MMIOM_CLOSE:
        return MMIOERR_CANNOTWRITE;
    case MMIOM_RENAME:
        return MMIOERR_FILENOTFOUND;
    default:
        return -1;
    }
}

} // namespace

void aggInstall() {
    Store& s = store();
    std::lock_guard guard(s.lock);
    if (s.installed) {
        s.shuttingDown = false;
        return;
    }
    mmioInstallIOProc(kAggProcCode, aggIoProc, MMIO_INSTALLPROC | MMIO_GLOBALPROC);
    s.openFiles.clear();
    if (!s.exitHandlerRegistered) {
        std::atexit(aggRemove);
        s.exitHandlerRegistered = true;
    }
    s.installed = true;
}

void aggRemove() {
    Store& s = store();
    std::lock_guard guard(s.lock);
    if (!s.installed)
        return;
    s.shuttingDown = true;
    finishRemoval(s);
}

void aggSetOpenMode(int mode) {
    Store& s = store();
    std::lock_guard guard(s.lock);
    s.openMode = mode == 1 ? 1 : 0;
}

intptr_t aggIoProc(uint32_t message, MmioInfo* info, intptr_t parameter1, intptr_t parameter2) {
    Store& s = store();
    std::lock_guard guard(s.lock);
    if (!s.installed)
        return failureWhenNotInstalled(message);
    switch (message) {
    case MMIOM_OPEN:
        return openMember(s, info, reinterpret_cast<const char*>(parameter1));
    case MMIOM_CLOSE:
        return closeMember(s, info);
    case MMIOM_READ:
    case MMIOM_WRITE:
    case MMIOM_WRITEFLUSH:
        return transfer(s, message, info, parameter1, parameter2);
    case MMIOM_SEEK:
        return seekMember(s, info, parameter1, parameter2);
    case MMIOM_RENAME:
        return renameMember(s, reinterpret_cast<const char*>(parameter1),
                            reinterpret_cast<const char*>(parameter2));
    default:
        return -1;
    }
}

} // namespace q71
