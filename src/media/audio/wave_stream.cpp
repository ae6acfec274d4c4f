#include "media/audio/wave_stream.h"

#include "platform/files/path.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace q71 {
namespace {

class FileWaveStream final : public WaveStream {
public:
    FileWaveStream(std::FILE* file, std::uint64_t size) : file_(file), size_(size) {}
    ~FileWaveStream() override { std::fclose(file_); }
    std::size_t read(void* into, std::size_t bytes) override { return std::fread(into, 1, bytes, file_); }
    bool seek(std::uint64_t offset) override {
        return offset <= size_ && std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0;
    }
    std::uint64_t size() const override { return size_; }

private:
    std::FILE* file_;
    std::uint64_t size_;
};

class MemoryWaveStream final : public WaveStream {
public:
    explicit MemoryWaveStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::size_t read(void* into, std::size_t bytes) override {
        const std::size_t count = std::min(bytes, bytes_.size() - offset_);
        if (count > 0)
            std::memcpy(into, bytes_.data() + offset_, count);
        offset_ += count;
        return count;
    }
    bool seek(std::uint64_t offset) override {
        if (offset > bytes_.size())
            return false;
        offset_ = static_cast<std::size_t>(offset);
        return true;
    }
    std::uint64_t size() const override { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t offset_ = 0;
};

std::unique_ptr<WaveStream> openLooseFile(std::string_view name) {
    std::FILE* file = fileOpen(name, "rb");
    if (!file)
        return nullptr;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return nullptr;
    }
    return std::make_unique<FileWaveStream>(file, static_cast<std::uint64_t>(size));
}

} // namespace

std::unique_ptr<WaveStream> waveOpenStream(std::string_view name) {
    // Members of aggregate containers are read through the aggregate store, which is not part
    // of the program yet: until it is, such a name cannot be opened, like a missing file.
    if (name.find('+') != std::string_view::npos)
        return nullptr;
    return openLooseFile(name);
}

std::unique_ptr<WaveStream> waveMemoryStream(std::vector<std::uint8_t> bytes) {
    return std::make_unique<MemoryWaveStream>(std::move(bytes));
}

} // namespace q71
