#include "tactical/rwutils/model_descriptor.h"

#include <algorithm>
#include <cstring>

namespace q71 {
namespace {

constexpr std::size_t kName = kModelDescriptorNameBytes;
constexpr std::size_t kCountAt = kName;
constexpr std::size_t kTexturesAt = kName + 4;

std::optional<std::string> nameAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    const auto field = bytes.subspan(at, kName);
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    if (end == field.end())
        return std::nullopt;
    return std::string(field.begin(), end);
}

void putName(std::vector<std::uint8_t>& out, const std::string& name) {
    const std::size_t used = std::min(name.size(), kName - 1);
    out.insert(out.end(), name.begin(), name.begin() + static_cast<std::ptrdiff_t>(used));
    out.insert(out.end(), kName - used, 0);
}

} // namespace

std::optional<ModelDescriptor> decodeModelDescriptor(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kTexturesAt)
        return std::nullopt;
    std::uint32_t raw = 0;
    for (int i = 3; i >= 0; --i)
        raw = (raw << 8) | bytes[kCountAt + static_cast<std::size_t>(i)];
    const auto count = static_cast<std::int32_t>(raw);
    if (count < 0 || count > kModelDescriptorMaxTextures)
        return std::nullopt;
    if (bytes.size() < kTexturesAt + kName * static_cast<std::size_t>(count))
        return std::nullopt;
    ModelDescriptor d;
    auto geometry = nameAt(bytes, 0);
    if (!geometry)
        return std::nullopt;
    d.geometry = std::move(*geometry);
    for (std::int32_t i = 0; i < count; ++i) {
        auto name = nameAt(bytes, kTexturesAt + kName * static_cast<std::size_t>(i));
        if (!name)
            return std::nullopt;
        d.textures.push_back(std::move(*name));
    }
    return d;
}

std::vector<std::uint8_t> encodeModelDescriptor(const ModelDescriptor& descriptor) {
    std::vector<std::uint8_t> out;
    putName(out, descriptor.geometry);
    const auto count = static_cast<std::uint32_t>(descriptor.textures.size());
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(count >> (8 * i)));
    for (const auto& t : descriptor.textures)
        putName(out, t);
    return out;
}

} // namespace q71
