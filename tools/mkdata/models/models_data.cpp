#include "mkdata/models/models_data.h"

#include "mkdata/files.h"
#include "mkdata/graphics/archives.h"
#include "mkdata/models/recipes.h"
#include "mkdata/models/shapes.h"
#include "mkdata/models/textures.h"
#include "mkdata/objects/object_table.h"

#include <cstring>
#include <map>
#include <set>
#include <stdexcept>

namespace q71::mkdata {
namespace {

constexpr std::string_view kModelsGroup = "models";
constexpr std::string_view kTexturesGroup = "textures";
constexpr std::size_t kNameField = 80;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

ModelSize sizeOf(const ObjectRecord& r) {
    return {feet(r.length), feet(r.beam), feet(r.height), yards(r.mastHeight)};
}

// The model's box made the record's: length and beam always, the height unless the masthead
// fixes the top.
void fitToRecord(r3d::ClumpRecord& model, const ModelSize& size) {
    if (size.length <= 0.0f || size.beam <= 0.0f)
        return;
    const shapes::Bounds b = shapes::modelBounds(model);
    const float fitHeight = size.mast <= 0.0f && size.height > 0.0f ? size.height / (b.max.y - b.min.y) : 1.0f;
    shapes::scaleModel(model, {size.beam / (b.max.x - b.min.x), fitHeight, size.length / (b.max.z - b.min.z)});
}

void textureNames(const r3d::ClumpRecord& clump, std::set<std::string>& names) {
    for (const r3d::MaterialRecord& m : clump.materials)
        if (!m.texture.empty())
            names.insert(m.texture);
    for (const r3d::ClumpRecord& c : clump.children)
        textureNames(c, names);
}

void putName(std::string& out, std::string_view name) {
    std::string field(kNameField, '\0');
    std::memcpy(field.data(), name.data(), std::min(name.size(), kNameField - 1));
    out += field;
}

std::string descriptor(const std::string& geometry, const std::set<std::string>& textures) {
    std::string out;
    putName(out, geometry);
    const auto count = static_cast<std::int32_t>(textures.size());
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>(count >> (8 * i) & 0xFF));
    for (const std::string& t : textures)
        putName(out, t);
    return out;
}

std::string bytesOf(const std::vector<std::uint8_t>& v) {
    return {v.begin(), v.end()};
}

// Every recipe's model name, in the order of the lists.
std::vector<const ModelRecipe*> allRecipes() {
    std::vector<const ModelRecipe*> out;
    for (auto list : {submarineRecipes(), shipRecipes(), craftRecipes(), objectRecipes(), ownBoatRecipes(), dialRecipes(),
                  roomRecipes()})
        for (const ModelRecipe& r : list)
            out.push_back(&r);
    return out;
}

} // namespace

void generateModels(const Context& context) {
    const std::filesystem::path source = context.source / "objects.txt";
    const std::vector<TableRecord> records = parseObjectTable(readSource(source), source.string());

    // The size of each model is that of the first record naming it; a name without a recipe stops here.
    std::map<std::string, ModelSize> sizes;
    std::map<std::string, ModelSize> sizesByKey;
    for (const TableRecord& t : records) {
        sizesByKey.emplace(lower(t.record.keyName.view()), sizeOf(t.record));
        for (std::string_view model : {t.record.modelName.view(), t.record.secondModelName.view(),
                                       t.record.thirdModelName.view()}) {
            if (model.empty())
                continue;
            if (!findModelRecipe(model))
                throw std::runtime_error(source.string() + ":" + std::to_string(t.line) + ": [" +
                                         std::string(t.record.keyName.view()) + "]: no 3-D model is made for \"" +
                                         std::string(model) + "\"");
            if (model == t.record.modelName.view())
                sizes.emplace(lower(model), sizeOf(t.record));
        }
    }

    std::map<std::string, r3d::TextureRecord> textures;
    for (auto list : {surfaceTextures(), effectTextures(), modelTextures(), displayTextures()})
        for (r3d::TextureRecord& t : list)
            textures.emplace(lower(t.name), std::move(t));

    std::set<std::string> modelTextureNames;
    for (const ModelRecipe* recipe : allRecipes()) {
        const auto& table = recipe->sizeOf ? sizesByKey : sizes;
        const auto found = table.find(lower(recipe->sizeOf ? recipe->sizeOf : recipe->name));
        const ModelSize size = found != table.end() ? found->second : ModelSize{};
        r3d::ClumpRecord model = recipe->make(size);
        if (!recipe->sizeOf)
            fitToRecord(model, size);
        std::set<std::string> names;
        textureNames(model, names);
        for (const std::string& n : names)
            if (!textures.count(lower(n)))
                throw std::runtime_error(std::string("model \"") + recipe->name + "\" wears the unknown texture \"" + n + "\"");
        modelTextureNames.insert(names.begin(), names.end());
        std::vector<std::uint8_t> chunk;
        r3d::encodeClump(model, chunk);
        const std::string geometry = std::string(recipe->name) + ".clp";
        stageArchiveMember(context, kObjectsFolder, kModelsGroup, geometry, bytesOf(chunk));
        stageArchiveMember(context, kObjectsFolder, kModelsGroup, recipe->name, descriptor(geometry, names));
    }

    for (const auto& [key, texture] : textures) {
        std::vector<std::uint8_t> chunk;
        r3d::encodeTexture(texture, chunk);
        if (modelTextureNames.count(texture.name))
            stageArchiveMember(context, kObjectsFolder, kModelsGroup, texture.name, bytesOf(chunk));
        stageArchiveMember(context, kObjectsFolder, kTexturesGroup, texture.name, bytesOf(chunk));
    }
    std::vector<SkyImage> images = skyImages();
    for (SkyImage& face : dialFaces())
        images.push_back(std::move(face));
    images.push_back(hfSonarGlass());
    for (const SkyImage& sky : images) {
        std::vector<std::uint8_t> chunk;
        r3d::encodeImage(sky.image, chunk);
        stageArchiveMember(context, kObjectsFolder, kTexturesGroup, sky.name, bytesOf(chunk));
    }
}

} // namespace q71::mkdata
