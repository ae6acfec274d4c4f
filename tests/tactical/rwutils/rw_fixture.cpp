#include "tactical/rwutils/rw_fixture.h"

#include "platform/window/window_styles.h"
#include "sim/simulation/sim_clock.h"
#include "tactical/rwutils/sea_texture.h"

namespace q71::test {
namespace {

void putPixel(std::vector<std::uint8_t>& out, std::uint32_t rgb, std::uint8_t alpha, bool withAlpha) {
    out.insert(out.end(), {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                           static_cast<std::uint8_t>(rgb)});
    if (withAlpha)
        out.push_back(alpha);
}

void addBox(r3d::ClumpRecord& r, float half, std::uint32_t material) {
    const auto base = static_cast<std::uint32_t>(r.vertices.size());
    for (int k = 0; k < 8; ++k)
        r.vertices.push_back({{(k & 1) ? half : -half, (k & 2) ? half : -half, (k & 4) ? half : -half},
                              {0, 1, 0},
                              static_cast<float>(k & 1),
                              static_cast<float>((k >> 1) & 1)});
    const std::uint32_t faces[12][3] = {{0, 1, 3}, {0, 3, 2}, {4, 5, 7}, {4, 7, 6}, {0, 1, 5}, {0, 5, 4},
                                        {2, 3, 7}, {2, 7, 6}, {0, 2, 6}, {0, 6, 4}, {1, 3, 7}, {1, 7, 5}};
    for (const auto& f : faces)
        r.triangles.push_back({base + f[0] + 1, base + f[1] + 1, base + f[2] + 1, material});
}

} // namespace

RwBytes textureEntry(const std::string& name, std::uint32_t colour, int side, int frames) {
    r3d::TextureRecord r{name, side, side, {}};
    for (int f = 0; f < frames; ++f) {
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < side * side; ++i)
            putPixel(bytes, colour + static_cast<std::uint32_t>(f), 255, true);
        r.frames.push_back(std::move(bytes));
    }
    RwBytes out;
    r3d::encodeTexture(r, out);
    return out;
}

RwBytes imageEntry(int width, int height, int horizonRow, std::uint32_t sky, std::uint32_t sea) {
    r3d::ImageRecord r{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            putPixel(r.rgb, y < horizonRow ? sky : sea, 0, false);
    RwBytes out;
    r3d::encodeImage(r, out);
    return out;
}

RwBytes modelEntry(float half, const std::string& texture, const std::vector<int>& childTags) {
    r3d::ClumpRecord r;
    r.materials.push_back({0.8f, 0.8f, 0.8f, 1.0f, 0.3f, 0.7f, 0.0f, 2, texture.empty() ? 0 : 3, texture});
    addBox(r, half, 0);
    for (int tag : childTags) {
        r3d::ClumpRecord child;
        child.tag = tag;
        child.materials = r.materials;
        addBox(child, half * 0.25f, 0);
        r.children.push_back(std::move(child));
    }
    RwBytes out;
    r3d::encodeClump(r, out);
    return out;
}

RwFixture::RwFixture() {
    r3d::openLibrary(r3d::kDevice, {});
    rwInstallArchive(&archive);
    rwSetFatalHook([this](int text, int line) { fatal.push_back({text, line}); });
    SimServices services;
    services.frontEnd = &options;
    simInstallServices(services);
    parent = makeWindow(WS_VISIBLE, {0, 0, 640, 480});
}

RwFixture::~RwFixture() {
    archive.deliver();
    rwRunCompletions();
    rwShutdown();
    rwSetFatalHook(nullptr);
    rwInstallArchive(nullptr);
    simInstallServices({});
    r3d::closeLibrary();
}

void RwFixture::addModel(const std::string& name, const std::vector<std::string>& textures, float half,
                         const std::vector<int>& childTags) {
    const std::string geometry = name + ".geo";
    archive.entries["models/" + name] = encodeModelDescriptor({geometry, textures});
    archive.entries["models/" + geometry] = modelEntry(half, textures.empty() ? "" : textures[0], childTags);
    for (const auto& t : textures)
        archive.entries["models/" + t] = textureEntry(t, 0x808080);
}

void RwFixture::addTexture(const std::string& group, const std::string& name, std::uint32_t colour, int frames) {
    archive.entries[group + "/" + name] = textureEntry(name, colour, 8, frames);
}

void RwFixture::addDaylitSea() {
        addSkies(64, 64, 20);
        // Tinted textures carry their surface's detail about mid-grey; the materials give the colour.
        for (int i = 1; i <= 5; ++i)
            addTexture("textures", "sea" + std::to_string(i) + ".bmp", 0x909898u + 0x080808u * static_cast<unsigned>(i), 2);
        addTexture("textures", "coast.bmp", 0x8C7C5C);
        addTexture("textures", "land1.bmp", 0x808080);
        addTexture("textures", "land2.bmp", 0x907080);
        simClock().dayPhase = kDayPhaseDay;
        simClock().skyVariant = 0;
        simClock().seaState = 2; // a moderate sea, whatever sea a mission before left
}

void RwFixture::addSkies(int width, int height, int horizonAboveBottom) {
    for (const char* phase : {"day", "night", "dusk"})
        for (int v = 1; v <= 3; ++v)
            for (const char* m : {"", "m"})
                archive.entries[std::string("textures/") + phase + std::to_string(v) + m + ".bmp"] =
                    imageEntry(width, height, height - 1 - horizonAboveBottom, 0x6080C0, 0x203040);
}

} // namespace q71::test
