#include "art_data_set.h"

#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "platform/settings/settings_store.h"
#include "sim/world/object_database.h"
#include "support/data_set_settings.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <unistd.h>

namespace q71::test {
namespace {

void widen(const r3d::ClumpRecord& c, r3d::Vec3 offset, ModelBox& box) {
    for (const r3d::VertexRecord& v : c.vertices) {
        const r3d::Vec3 p = v.position + offset;
        box.min = {std::min(box.min.x, p.x), std::min(box.min.y, p.y), std::min(box.min.z, p.z)};
        box.max = {std::max(box.max.x, p.x), std::max(box.max.y, p.y), std::max(box.max.z, p.z)};
    }
    for (const r3d::ClumpRecord& child : c.children)
        widen(child, offset + child.matrix.t, box);
}

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

void ArtDataSet::SetUpTestSuite() {
    previous_ = std::filesystem::current_path();
    loadDataSetSettings();
    appReadInstallPaths();
    ASSERT_EQ(::chdir(rootInstallPath), 0) << rootInstallPath;
    ASSERT_TRUE(objdbLoad());
    grpReset();
    grpSetFolder(objectsInstallPath);
}

void ArtDataSet::TearDownTestSuite() {
    grpFreeAll();
    grpReset();
    objdbFree();
    std::filesystem::current_path(previous_);
    settingsUnload();
}

std::optional<std::vector<std::uint8_t>> ArtDataSet::member(const char* group, const std::string& name) {
    if (grpOpenGroup(group) != 1)
        return std::nullopt;
    std::uint8_t* data = nullptr;
    std::atomic<std::uint32_t> delivered{0};
    std::uint32_t size = 0;
    if (grpReadEntry(name.c_str(), &data, &delivered, &size, true, true, nullptr, nullptr) != 1)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(data, data + size);
    delete[] data;
    return bytes;
}

std::optional<ModelDescriptor> ArtDataSet::descriptor(const std::string& model) {
    const auto bytes = member("models", model);
    if (!bytes || bytes->size() < 84)
        return std::nullopt;
    auto name = [&](std::size_t at) {
        const char* p = reinterpret_cast<const char*>(bytes->data() + at);
        return std::string(p, strnlen(p, 80));
    };
    ModelDescriptor d;
    d.geometry = name(0);
    std::memcpy(&d.textureCount, bytes->data() + 80, 4);
    if (d.textureCount < 0 || bytes->size() != 84 + 80 * static_cast<std::size_t>(d.textureCount))
        return d;
    for (int i = 0; i < d.textureCount; ++i)
        d.textures.push_back(name(84 + 80 * static_cast<std::size_t>(i)));
    return d;
}

r3d::ClumpRecord ArtDataSet::model(const std::string& name) {
    const auto d = descriptor(name);
    EXPECT_TRUE(d) << name;
    if (!d)
        return {};
    const auto bytes = member("models", d->geometry);
    EXPECT_TRUE(bytes) << d->geometry;
    if (!bytes)
        return {};
    auto decoded = r3d::decodeClump(*bytes);
    EXPECT_TRUE(decoded.record) << name << ": " << decoded.error;
    EXPECT_EQ(decoded.consumed, bytes->size()) << name;
    return decoded.record.value_or(r3d::ClumpRecord{});
}

r3d::TextureRecord ArtDataSet::texture(const char* group, const std::string& name) {
    const auto bytes = member(group, name);
    EXPECT_TRUE(bytes) << group << " " << name;
    if (!bytes)
        return {};
    auto decoded = r3d::decodeTexture(*bytes);
    EXPECT_TRUE(decoded.record) << name << ": " << decoded.error;
    if (decoded.record) {
        EXPECT_EQ(lower(decoded.record->name), lower(name));
    }
    return decoded.record.value_or(r3d::TextureRecord{});
}

r3d::ImageRecord ArtDataSet::sky(const std::string& name) {
    const auto bytes = member("textures", name);
    EXPECT_TRUE(bytes) << name;
    if (!bytes)
        return {};
    auto decoded = r3d::decodeImage(*bytes);
    EXPECT_TRUE(decoded.record) << name << ": " << decoded.error;
    return decoded.record.value_or(r3d::ImageRecord{});
}

std::vector<std::string> ArtDataSet::recordModelNames() {
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (int i = 0; i < objdbCount(); ++i) {
        const ObjectRecord* r = objdbGetByIndex(i);
        for (std::string_view n : {r->modelName.view(), r->secondModelName.view(), r->thirdModelName.view()})
            if (!n.empty() && seen.insert(lower(std::string(n))).second)
                names.emplace_back(n);
    }
    return names;
}

std::vector<std::string> ArtDataSet::programModelNames() {
    return {"Q71_peri", "Q71_ant", "Q71_esm", "Q71_radar", "Q71_snork", "crs_act", "crs_ord", "en_actul",
            "enor_fin", "strnpnt",  "strnhld", "bowpnt",  "bowhld",    "rudpnt",    "rudhld",  "Wheel5b",
            "ShipBow",  "ShipStern", "Wreck",   "Control-Room", "MockRoom"};
}

std::vector<std::string> ArtDataSet::generalTextureNames() {
    std::vector<std::string> names = {"coast.bmp",  "land1.bmp",    "land2.bmp",    "Rock06.bmp", "mud02.bmp",
                                      "sand01.bmp", "wake.bmp",     "bubbles1.bmp", "bubbles2.bmp", "smoke.bmp"};
    for (int n = 1; n <= 5; ++n)
        names.push_back("sea" + std::to_string(n) + ".bmp");
    for (int n = 2; n <= 7; ++n)
        names.push_back("sboom" + std::to_string(n) + ".bmp");
    for (int n = 1; n <= 6; ++n)
        names.push_back("uboom" + std::to_string(n) + ".bmp");
    return names;
}

std::vector<std::string> ArtDataSet::skyNames() {
    std::vector<std::string> names;
    for (const char* phase : {"day", "night", "dusk"})
        for (int n = 1; n <= 3; ++n)
            for (const char* form : {"", "m"})
                names.push_back(phase + std::to_string(n) + form + ".bmp");
    return names;
}

std::filesystem::path ArtDataSet::artefacts() {
    std::filesystem::path folder = previous_ / "artefacts";
    std::filesystem::create_directories(folder);
    return folder;
}

ModelBox boxOf(const r3d::ClumpRecord& model) {
    ModelBox box;
    widen(model, {}, box);
    return box;
}

std::size_t trianglesOf(const r3d::ClumpRecord& model) {
    std::size_t n = model.triangles.size();
    for (const r3d::ClumpRecord& c : model.children)
        n += trianglesOf(c);
    return n;
}

const r3d::ClumpRecord* childTagged(const r3d::ClumpRecord& model, std::int32_t tag) {
    for (const r3d::ClumpRecord& c : model.children) {
        if (c.tag == tag)
            return &c;
        if (const r3d::ClumpRecord* below = childTagged(c, tag))
            return below;
    }
    return nullptr;
}

} // namespace q71::test
