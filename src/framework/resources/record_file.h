#pragma once
// A binary file of fixed-size records: a buffered stream opened for reading and writing where
// possible, read and written in whole blocks. Switching between reading and writing without
// an explicit seek repositions at the start of the file, as the program's files expect.

#include <cstddef>
#include <cstdio>
#include <string>

namespace q71 {

class RecordFile {
public:
    /// Opens the file (program path): emptied when `truncate`, refused when `mustExist` and it
    /// is missing, refused when it cannot be created and `failIfCannotCreate`. Test with isOpen.
    RecordFile(const std::string& path, bool truncate, bool mustExist, bool failIfCannotCreate);
    ~RecordFile() { close(); }
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    /// Closes the stream (also done by the destructor).
    void close();
    bool isOpen() const { return stream_ != nullptr; }
    /// Reads one block of n bytes; 1 when the whole block was read.
    int read(void* buffer, size_t n);
    /// Writes one block of n bytes; 1 when it was written.
    int write(const void* buffer, size_t n);
    /// Positions at the end of the file.
    void seekEnd();
    /// Positions at the start of the file.
    void rewind();
    /// The current position (0 when not open).
    long tell() const;
    /// Positions at an absolute offset.
    void seek(long offset);
    const std::string& path() const { return path_; }

private:
    enum class Operation { None, Read, Write };

    std::FILE* stream_ = nullptr;
    std::string path_;
    Operation last_ = Operation::None;
};

} // namespace q71
