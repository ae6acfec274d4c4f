#pragma once
// The model descriptor of the objects folder's group "models": the name of the geometry entry
// (80 bytes, zero-terminated), a signed 32-bit texture count of 0 ... 25, then that many texture
// names of 80 bytes each, zero-terminated. All entries it names lie in the same group.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace q71 {

inline constexpr int kModelDescriptorNameBytes = 80;
inline constexpr int kModelDescriptorMaxTextures = 25;

struct ModelDescriptor {
    std::string geometry;
    std::vector<std::string> textures;
};

/// The descriptor in the bytes, or nothing when they are shorter than the count says, the count
/// lies outside 0 ... 25 or a name lacks its terminating zero.
std::optional<ModelDescriptor> decodeModelDescriptor(std::span<const std::uint8_t> bytes);
/// The bytes of a descriptor (names longer than 79 characters are cut).
std::vector<std::uint8_t> encodeModelDescriptor(const ModelDescriptor& descriptor);

} // namespace q71
