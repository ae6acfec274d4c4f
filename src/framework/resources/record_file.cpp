#include "framework/resources/record_file.h"

#include "platform/files/path.h"

#include <fcntl.h>
#include <unistd.h>

namespace q71 {

RecordFile::RecordFile(const std::string& path, bool truncate, bool mustExist, bool failIfCannotCreate)
    : path_(path) {
    if (mustExist) {
        int fd = fileOpenDescriptor(path, O_RDONLY);
        if (fd < 0)
            return;
        ::close(fd);
    }
    int fd = fileOpenDescriptor(path, O_CREAT | O_RDWR, 0600);
    if (fd < 0) {
        if (failIfCannotCreate)
            return;
    } else {
        ::close(fd);
    }
    if (truncate) {
        stream_ = fileOpen(path, "wb+");
        if (stream_)
            std::fseek(stream_, 0, SEEK_SET);
        else
            stream_ = fileOpen(path, "rb+");
    } else {
        stream_ = fileOpen(path, "rb+");
    }
    if (!stream_)
        stream_ = fileOpen(path, "rb");
}

void RecordFile::close() {
    if (stream_)
        std::fclose(stream_);
    stream_ = nullptr;
    last_ = Operation::None;
}

int RecordFile::read(void* buffer, size_t n) {
    if (!stream_ || !buffer || n == 0 || std::feof(stream_))
        return 0;
    if (last_ == Operation::Write)
        seek(0);
    last_ = Operation::Read;
    return std::fread(buffer, n, 1, stream_) == 1 ? 1 : 0;
}

int RecordFile::write(const void* buffer, size_t n) {
    if (!stream_ || !buffer || n == 0)
        return 0;
    if (last_ == Operation::Read)
        seek(0);
    last_ = Operation::Write;
    return std::fwrite(buffer, n, 1, stream_) == 1 ? 1 : 0;
}

void RecordFile::seekEnd() {
    if (stream_)
        std::fseek(stream_, 0, SEEK_END);
    last_ = Operation::None;
}

void RecordFile::rewind() { seek(0); }

long RecordFile::tell() const { return stream_ ? std::ftell(stream_) : 0; }

void RecordFile::seek(long offset) {
    if (stream_)
        std::fseek(stream_, offset, SEEK_SET);
    last_ = Operation::None;
}

} // namespace q71
