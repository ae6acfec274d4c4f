#include "media/audio/wave_stream.h"

#include "platform/mmio/mmio.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace q71 {
namespace {

// A file opened through the multimedia file functions, which also serve container members.
class MmioWaveStream final : public WaveStream {
public:
    MmioWaveStream(MmioHandle file, std::uint64_t size) : file_(file), size_(size) {}
    ~MmioWaveStream() override { mmioClose(file_); }
    std::size_t read(void* into, std::size_t bytes) override {
        const int32_t got =
            mmioRead(file_, into, static_cast<int32_t>(std::min<std::size_t>(bytes, INT32_MAX)));
        return got < 0 ? 0 : static_cast<std::size_t>(got);
    }
    bool seek(std::uint64_t offset) override {
        return offset <= size_ &&
               mmioSeek(file_, static_cast<int32_t>(offset), SEEK_SET) == static_cast<int32_t>(offset);
    }
    std::uint64_t size() const override { return size_; }

private:
    MmioHandle file_;
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

} // namespace

std::unique_ptr<WaveStream> waveOpenStream(std::string_view name) {
    MmioHandle file = mmioOpen(name, nullptr, MMIO_READ | MMIO_DENYWRITE);
    if (file == MmioHandle::none)
        return nullptr;
    const int32_t size = mmioSeek(file, 0, SEEK_END);
    if (size < 0 || mmioSeek(file, 0, SEEK_SET) != 0) {
        mmioClose(file);
        return nullptr;
    }
    return std::make_unique<MmioWaveStream>(file, static_cast<std::uint64_t>(size));
}

std::unique_ptr<WaveStream> waveMemoryStream(std::vector<std::uint8_t> bytes) {
    return std::make_unique<MemoryWaveStream>(std::move(bytes));
}

} // namespace q71
