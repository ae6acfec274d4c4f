#include "mkdata/models/recipes.h"
#include "mkdata/models/shapes.h"

#include <algorithm>
#include <vector>

namespace q71::mkdata {
namespace {

using shapes::HullSection;
using shapes::Mesh;
using shapes::Tint;
using shapes::Vec3;

// A block of superstructure: centre along the hull and length (fractions of the length), width
// (fraction of the beam) and top (fraction of the way from the deck to the masthead).
struct Block {
    float at, length, width, top;
};

struct ShipStyle {
    Tint hull{0.52f, 0.55f, 0.58f};
    Tint upper{0.62f, 0.65f, 0.67f};
    float draft = 0.33f;     ///< fraction of the beam
    float freeboard = 0.14f; ///< deck height amidships, fraction of the masthead
    std::vector<Block> blocks;
    float mastAt = 0.05f;
    std::vector<float> funnels;
    std::vector<float> guns;      ///< turrets, forward ones facing the bow
    std::vector<float> launchers; ///< missile boxes
    bool radar = true;
    std::vector<float> cranes;
};

const Tint kWarship{0.52f, 0.55f, 0.58f};
const Tint kWarshipUpper{0.62f, 0.65f, 0.67f};
const Tint kSoviet{0.47f, 0.51f, 0.53f};
const Tint kSovietUpper{0.56f, 0.6f, 0.62f};
const Tint kWhite{0.88f, 0.88f, 0.85f};
const Tint kDark{0.12f, 0.12f, 0.13f};

float deckAt(float along, float deck) {
    return deck * (1.0f + 0.35f * std::max(0.0f, along) * 2.0f);
}

r3d::ClumpRecord ship(const ModelSize& size, const ShipStyle& style) {
    const float length = size.length, beam = size.beam, mast = size.mast;
    const float deck = mast * style.freeboard;
    const float draft = beam * style.draft;
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t hull = mesh.material(style.hull, "hullplt.bmp", 0.5f);
    const std::uint32_t deckMaterial = mesh.material({0.36f, 0.37f, 0.38f});
    const std::uint32_t upper = mesh.material(style.upper);
    const std::uint32_t dark = mesh.material(kDark);

    struct Shape {
        float along, deckW, waterW, keelW, keel;
    };
    const Shape shape[] = {{-0.5f, 0.8f, 0.72f, 0.3f, 0.7f},  {-0.3f, 0.97f, 0.92f, 0.45f, 1.0f},
                           {0.1f, 1.0f, 1.0f, 0.5f, 1.0f},    {0.32f, 0.86f, 0.78f, 0.32f, 1.0f},
                           {0.44f, 0.5f, 0.38f, 0.1f, 0.9f},  {0.5f, 0.0f, 0.0f, 0.0f, 0.6f}};
    std::vector<HullSection> sections;
    for (const Shape& s : shape)
        sections.push_back({s.along * length, s.deckW * beam / 2, s.waterW * beam / 2, s.keelW * beam / 2,
                            deckAt(s.along, deck), s.keel * draft});
    shapes::shipHull(mesh, sections, hull, deckMaterial);

    auto top = [&](float fraction) { return deck + (mast - deck) * fraction; };
    for (const Block& b : style.blocks) {
        const float base = deckAt(b.at, deck) * 0.95f;
        shapes::block(mesh, {0.0f, base, b.at * length}, b.width * beam / 2, b.length * length / 2,
                      b.width * beam * 0.42f, b.length * length * 0.42f, top(b.top) - base, 0.0f, upper);
    }
    for (float at : style.funnels) {
        const float base = deck;
        shapes::block(mesh, {0.0f, base, at * length}, beam * 0.12f, length * 0.035f, beam * 0.1f, length * 0.028f,
                      top(0.48f) - base, -length * 0.008f, dark);
    }
    for (float at : style.guns) {
        const float base = deckAt(at, deck);
        const float z = at * length;
        const float facing = at >= 0.0f ? 1.0f : -1.0f;
        shapes::box(mesh, {-beam * 0.12f, base, z - length * 0.02f}, {beam * 0.12f, base + mast * 0.06f, z + length * 0.02f},
                    upper);
        shapes::frustum(mesh, {0.0f, base + mast * 0.035f, z + facing * length * 0.015f},
                        {0.0f, base + mast * 0.045f, z + facing * length * 0.07f}, beam * 0.018f, beam * 0.014f, 4, dark);
    }
    for (float at : style.launchers) {
        const float base = deckAt(at, deck);
        shapes::block(mesh, {0.0f, base, at * length}, beam * 0.22f, length * 0.03f, beam * 0.2f, length * 0.025f,
                      mast * 0.07f, 0.0f, upper);
    }
    for (float at : style.cranes) {
        const float base = deckAt(at, deck);
        shapes::frustum(mesh, {0.0f, base, at * length}, {0.0f, top(0.45f), at * length}, beam * 0.03f, beam * 0.02f, 4,
                        dark);
        shapes::frustum(mesh, {0.0f, top(0.42f), at * length}, {beam * 0.3f, base + (top(0.42f) - base) * 0.6f,
                        at * length + length * 0.06f}, beam * 0.015f, beam * 0.01f, 4, dark);
    }

    // The mast, its top the masthead; a yard and the rotating radar below it.
    const float mastZ = style.mastAt * length;
    const float mastBase = top(0.3f);
    shapes::block(mesh, {0.0f, deckAt(style.mastAt, deck), mastZ}, beam * 0.08f, length * 0.02f, beam * 0.05f,
                  length * 0.014f, mastBase - deckAt(style.mastAt, deck), 0.0f, upper);
    shapes::frustum(mesh, {0.0f, mastBase, mastZ}, {0.0f, mast, mastZ}, beam * 0.035f, beam * 0.02f, 6, dark);
    const float yard = top(0.72f);
    shapes::box(mesh, {-beam * 0.3f, yard, mastZ - beam * 0.01f}, {beam * 0.3f, yard + mast * 0.008f, mastZ + beam * 0.01f},
                dark);
    if (style.radar) {
        r3d::ClumpRecord& radar = shapes::child(model, 520, {0.0f, top(0.84f), mastZ});
        Mesh antenna(radar);
        const std::uint32_t grey = antenna.material(kWarshipUpper);
        shapes::box(antenna, {-beam * 0.2f, 0.0f, -beam * 0.03f}, {beam * 0.2f, mast * 0.03f, beam * 0.03f}, grey);
    }
    return model;
}

// A sailing yacht: a slim hull, a cabin, the mast to its masthead and two sails.
r3d::ClumpRecord yacht(const ModelSize& size) {
    ShipStyle style;
    style.hull = kWhite;
    style.upper = kWhite;
    style.draft = 0.45f;
    style.freeboard = 0.06f;
    style.blocks = {{-0.1f, 0.3f, 0.5f, 0.1f}};
    style.mastAt = 0.1f;
    style.radar = false;
    r3d::ClumpRecord model = ship(size, style);
    Mesh mesh(model);
    const std::uint32_t sail = mesh.material({0.95f, 0.95f, 0.92f});
    const float z = 0.1f * size.length, deck = size.mast * style.freeboard;
    mesh.triangle({0, deck * 1.6f, z - size.length * 0.02f}, {0, size.mast * 0.95f, z - size.length * 0.02f},
                  {0, deck * 1.6f, -size.length * 0.4f}, sail);
    mesh.triangle({0, deck * 1.6f, z + size.length * 0.02f}, {0, size.mast * 0.85f, z + size.length * 0.02f},
                  {0, deck * 1.3f, size.length * 0.45f}, sail);
    return model;
}

ShipStyle warship(std::vector<Block> blocks, float mastAt, std::vector<float> funnels, std::vector<float> guns,
                  std::vector<float> launchers, bool soviet) {
    ShipStyle s;
    s.hull = soviet ? kSoviet : kWarship;
    s.upper = soviet ? kSovietUpper : kWarshipUpper;
    s.blocks = std::move(blocks);
    s.mastAt = mastAt;
    s.funnels = std::move(funnels);
    s.guns = std::move(guns);
    s.launchers = std::move(launchers);
    return s;
}

ShipStyle merchant(std::vector<Block> blocks, float mastAt, std::vector<float> funnels, std::vector<float> cranes,
                   Tint hull) {
    ShipStyle s;
    s.hull = hull;
    s.upper = kWhite;
    s.draft = 0.38f;
    s.freeboard = 0.22f;
    s.blocks = std::move(blocks);
    s.mastAt = mastAt;
    s.funnels = std::move(funnels);
    s.cranes = std::move(cranes);
    s.radar = false;
    return s;
}

ShipStyle style(std::string_view name) {
    if (name == "Burke")
        return warship({{0.12f, 0.2f, 0.72f, 0.45f}, {-0.14f, 0.14f, 0.6f, 0.3f}}, 0.08f, {-0.02f, -0.18f}, {0.36f},
                       {0.27f, -0.32f}, false);
    if (name == "Perry")
        return warship({{0.0f, 0.4f, 0.8f, 0.4f}}, 0.12f, {-0.06f}, {-0.22f}, {0.36f}, false);
    if (name == "Spruance")
        return warship({{0.14f, 0.16f, 0.7f, 0.45f}, {-0.1f, 0.26f, 0.66f, 0.34f}}, 0.1f, {0.02f, -0.16f},
                       {0.38f, -0.38f}, {0.27f}, false);
    if (name == "Ticonderoga")
        return warship({{0.12f, 0.22f, 0.74f, 0.5f}, {-0.12f, 0.2f, 0.7f, 0.44f}}, 0.09f, {-0.03f}, {0.38f, -0.4f},
                       {0.28f, -0.3f}, false);
    if (name == "Sovremenny")
        return warship({{0.12f, 0.24f, 0.7f, 0.42f}, {-0.12f, 0.14f, 0.6f, 0.3f}}, 0.08f, {-0.04f}, {0.36f, -0.3f},
                       {0.25f, -0.22f}, true);
    if (name == "Udaloy")
        return warship({{0.14f, 0.2f, 0.72f, 0.44f}, {-0.12f, 0.18f, 0.62f, 0.32f}}, 0.08f, {0.0f, -0.08f}, {0.38f},
                       {0.28f}, true);
    if (name == "Krivak")
        return warship({{0.08f, 0.22f, 0.66f, 0.38f}}, 0.06f, {-0.08f}, {-0.36f, -0.28f}, {0.34f}, true);
    if (name == "Kirov")
        return warship({{0.06f, 0.24f, 0.66f, 0.5f}, {-0.14f, 0.16f, 0.6f, 0.38f}}, 0.02f, {-0.06f}, {-0.36f},
                       {0.3f, 0.22f}, true);
    if (name == "Slava")
        return warship({{0.06f, 0.2f, 0.64f, 0.46f}, {-0.18f, 0.16f, 0.6f, 0.32f}}, 0.04f, {-0.08f}, {0.38f},
                       {0.24f, 0.18f}, true);
    if (name == "Grisha")
        return warship({{0.08f, 0.26f, 0.7f, 0.36f}}, 0.06f, {-0.1f}, {0.36f, -0.38f}, {}, true);
    if (name == "Nanuchka")
        return warship({{0.02f, 0.3f, 0.72f, 0.36f}}, 0.04f, {}, {-0.38f}, {0.26f}, true);
    if (name == "Kashin")
        return warship({{0.16f, 0.14f, 0.66f, 0.4f}, {-0.06f, 0.2f, 0.6f, 0.3f}}, 0.1f, {0.02f, -0.12f},
                       {0.36f, -0.36f}, {0.28f, -0.26f}, true);
    if (name == "Merchant")
        return merchant({{-0.36f, 0.12f, 0.85f, 0.55f}}, -0.3f, {-0.42f}, {0.3f, 0.1f, -0.1f}, {0.45f, 0.14f, 0.12f});
    if (name == "Tanker") {
        ShipStyle s = merchant({{-0.4f, 0.1f, 0.8f, 0.6f}}, -0.35f, {-0.45f}, {0.0f}, {0.16f, 0.16f, 0.18f});
        s.freeboard = 0.2f;
        return s;
    }
    if (name == "Ferry")
        return merchant({{0.0f, 0.7f, 0.92f, 0.6f}}, 0.15f, {-0.12f}, {}, kWhite);
    if (name == "Trawler") {
        ShipStyle s = merchant({{0.18f, 0.2f, 0.7f, 0.45f}}, 0.12f, {0.05f}, {-0.3f}, {0.22f, 0.3f, 0.45f});
        s.freeboard = 0.2f;
        return s;
    }
    // The tug.
    ShipStyle s = merchant({{0.05f, 0.35f, 0.75f, 0.5f}}, 0.0f, {-0.1f}, {}, {0.15f, 0.15f, 0.15f});
    s.freeboard = 0.2f;
    return s;
}

template <const char* Name> r3d::ClumpRecord make(const ModelSize& size) {
    return ship(size, style(Name));
}

constexpr char kBurke[] = "Burke", kPerry[] = "Perry", kSpruance[] = "Spruance", kTico[] = "Ticonderoga",
               kSovremenny[] = "Sovremenny", kUdaloy[] = "Udaloy", kKrivak[] = "Krivak", kKirov[] = "Kirov",
               kSlava[] = "Slava", kGrisha[] = "Grisha", kNanuchka[] = "Nanuchka", kKashin[] = "Kashin",
               kMerchant[] = "Merchant", kTanker[] = "Tanker", kFerry[] = "Ferry", kTrawler[] = "Trawler",
               kTug[] = "Tug";

constexpr ModelRecipe kRecipes[] = {
    {kBurke, make<kBurke>},       {kPerry, make<kPerry>},         {kSpruance, make<kSpruance>},
    {kTico, make<kTico>},         {kSovremenny, make<kSovremenny>}, {kUdaloy, make<kUdaloy>},
    {kKrivak, make<kKrivak>},     {kKirov, make<kKirov>},         {kSlava, make<kSlava>},
    {kGrisha, make<kGrisha>},     {kNanuchka, make<kNanuchka>},   {kKashin, make<kKashin>},
    {kMerchant, make<kMerchant>}, {kTanker, make<kTanker>},       {kFerry, make<kFerry>},
    {kTrawler, make<kTrawler>},   {kTug, make<kTug>},             {"Yacht", yacht},
};

} // namespace

std::span<const ModelRecipe> shipRecipes() { return kRecipes; }

} // namespace q71::mkdata
