#include "platform/mmio/mmio_file_proc.h"

#include "platform/files/path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace q71 {
namespace {

int descriptorOf(const MmioInfo* info) {
    return static_cast<int>(info->procState[0]);
}

intptr_t openFile(MmioInfo* info, const char* name) {
    uint32_t flags = info->flags;
    if (flags & (MMIO_PARSE | MMIO_GETTEMP))
        return MMIOERR_CANNOTOPEN;
    if (flags & MMIO_EXIST) {
        info->handle = MmioHandle{fileExists(name) ? 1u : 0u};
        return 0;
    }
    if (flags & MMIO_DELETE) {
        bool deleted = ::unlink(fileResolvePath(name).c_str()) == 0;
        info->handle = MmioHandle{deleted ? 1u : 0u};
        return deleted ? 0 : MMIOERR_FILENOTFOUND;
    }
    int access = O_RDONLY;
    if ((flags & MMIO_ACCESS_MASK) == MMIO_WRITE)
        access = O_WRONLY;
    else if ((flags & MMIO_ACCESS_MASK) == MMIO_READWRITE)
        access = O_RDWR;
    if (flags & MMIO_CREATE)
        access |= O_CREAT | O_TRUNC;
    int descriptor = fileOpenDescriptor(name, access);
    if (descriptor < 0)
        return MMIOERR_CANNOTOPEN;
    info->procState[0] = descriptor;
    info->diskOffset = 0;
    return 0;
}

intptr_t readFile(MmioInfo* info, void* buffer, intptr_t count) {
    if (count < 0)
        return -1;
    ssize_t got = ::pread(descriptorOf(info), buffer, static_cast<size_t>(count), info->diskOffset);
    if (got < 0)
        return -1;
    info->diskOffset += static_cast<int32_t>(got);
    return got;
}

intptr_t writeFile(MmioInfo* info, const void* buffer, intptr_t count) {
    if (count < 0)
        return -1;
    const char* bytes = static_cast<const char*>(buffer);
    intptr_t written = 0;
    while (written < count) {
        ssize_t put = ::pwrite(descriptorOf(info), bytes + written, static_cast<size_t>(count - written),
                               info->diskOffset + written);
        if (put <= 0)
            return -1;
        written += put;
    }
    info->diskOffset += static_cast<int32_t>(written);
    return written;
}

intptr_t seekFile(MmioInfo* info, intptr_t offset, intptr_t origin) {
    int64_t base = 0;
    if (origin == SEEK_CUR) {
        base = info->diskOffset;
    } else if (origin == SEEK_END) {
        struct stat st;
        if (::fstat(descriptorOf(info), &st) != 0)
            return -1;
        base = st.st_size;
    } else if (origin != SEEK_SET) {
        return -1;
    }
    int64_t position = base + offset;
    if (position < 0 || position > INT32_MAX)
        return -1;
    info->diskOffset = static_cast<int32_t>(position);
    return info->diskOffset;
}

} // namespace

intptr_t mmioFileProc(uint32_t message, MmioInfo* info, intptr_t parameter1, intptr_t parameter2) {
    switch (message) {
    case MMIOM_OPEN:
        return openFile(info, reinterpret_cast<const char*>(parameter1));
    case MMIOM_CLOSE:
        return ::close(descriptorOf(info)) == 0 ? 0 : MMIOERR_CANNOTCLOSE;
    case MMIOM_READ:
        return readFile(info, reinterpret_cast<void*>(parameter1), parameter2);
    case MMIOM_WRITE:
    case MMIOM_WRITEFLUSH:
        return writeFile(info, reinterpret_cast<const void*>(parameter1), parameter2);
    case MMIOM_SEEK:
        return seekFile(info, parameter1, parameter2);
    case MMIOM_RENAME: {
        std::string from = fileResolvePath(reinterpret_cast<const char*>(parameter1));
        std::string to = fileResolvePath(reinterpret_cast<const char*>(parameter2));
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : MMIOERR_FILENOTFOUND;
    }
    default:
        return -1;
    }
}

} // namespace q71
