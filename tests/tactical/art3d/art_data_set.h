#pragma once
// The data set's 3-D art as the caches read it: the groups "models" and "textures" of the
// objects folder, model descriptors, and the records of their chunks.

#include "render3d/format.h"
#include "sim/world/object_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace q71::test {

/// A model descriptor: the geometry entry and the texture entries, all of the group "models".
struct ModelDescriptor {
    std::string geometry;
    std::int32_t textureCount = 0;
    std::vector<std::string> textures;
};

/// Opens the data set's settings, install folders and object database for the suite.
class ArtDataSet : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    /// A member of a group of the objects folder; nullopt when absent.
    static std::optional<std::vector<std::uint8_t>> member(const char* group, const std::string& name);
    /// A model's descriptor; nullopt when absent or not of the descriptor's layout.
    static std::optional<ModelDescriptor> descriptor(const std::string& model);
    /// A model's geometry read back; fails the test when it is missing or refused.
    static r3d::ClumpRecord model(const std::string& name);
    /// A texture of a group read back; fails the test when it is missing or refused.
    static r3d::TextureRecord texture(const char* group, const std::string& name);
    /// A sky backdrop read back.
    static r3d::ImageRecord sky(const std::string& name);

    /// Every model name the object records give (first, second and third), each once.
    static std::vector<std::string> recordModelNames();
    /// The model names the program asks for beyond the records: masts, dial pointers, the helm.
    static std::vector<std::string> programModelNames();
    /// The general textures and the sky names.
    static std::vector<std::string> generalTextureNames();
    static std::vector<std::string> skyNames();

    /// artefacts/ in the folder the tests started in, created.
    static std::filesystem::path artefacts();

private:
    static inline std::filesystem::path previous_;
};

/// The box of a model's vertices, children placed by their translation.
struct ModelBox {
    r3d::Vec3 min{1e9f, 1e9f, 1e9f};
    r3d::Vec3 max{-1e9f, -1e9f, -1e9f};
};
ModelBox boxOf(const r3d::ClumpRecord& model);
std::size_t trianglesOf(const r3d::ClumpRecord& model);
/// The child with the tag anywhere below the model, or null.
const r3d::ClumpRecord* childTagged(const r3d::ClumpRecord& model, std::int32_t tag);

} // namespace q71::test
