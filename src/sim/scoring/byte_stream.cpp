#include "sim/scoring/byte_stream.h"

#include "sim/scoring/byte_layout.h"

#include <array>
#include <cstring>

namespace q71 {

bool ByteSource::readI32(std::int32_t& value) {
    std::array<std::uint8_t, 4> bytes{};
    if (!read(bytes))
        return false;
    LayoutReader(bytes).i32(0, value);
    return true;
}

bool ByteSink::writeI32(std::int32_t value) {
    std::array<std::uint8_t, 4> bytes{};
    LayoutWriter(bytes).i32(0, value);
    return write(bytes);
}

bool MemorySource::read(std::span<std::uint8_t> buffer) {
    if (buffer.size() > remaining())
        return false;
    if (!buffer.empty())
        std::memcpy(buffer.data(), bytes_.data() + at_, buffer.size());
    at_ += buffer.size();
    return true;
}

bool MemorySink::write(std::span<const std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return true;
}

RecordFileSource::RecordFileSource(RecordFile& file) : file_(file) {
    const long start = file.tell();
    file.seekEnd();
    const long end = file.tell();
    file.seek(start);
    remaining_ = end > start ? static_cast<std::uint64_t>(end - start) : 0;
}

bool RecordFileSource::read(std::span<std::uint8_t> buffer) {
    if (buffer.size() > remaining_)
        return false;
    if (buffer.empty())
        return true;
    if (!file_.read(buffer.data(), buffer.size()))
        return false;
    remaining_ -= buffer.size();
    return true;
}

bool RecordFileSink::write(std::span<const std::uint8_t> bytes) {
    return bytes.empty() || file_.write(bytes.data(), bytes.size()) == 1;
}

} // namespace q71
