#pragma once
// The ground of the 3-D view tests: the library open, a headless window system with a parent
// window, an archive of test-made entries that counts its reads, the caches' fatal reports
// recorded instead of ending the program, and the 3-D textures option switched on.

#include "render3d/format.h"
#include "render3d/library.h"
#include "sim/services/sim_services.h"
#include "support/headless_windows.h"
#include "tactical/rwutils/model_descriptor.h"
#include "tactical/rwutils/rw_archive.h"
#include "tactical/rwutils/rw_cache.h"

#include <array>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace q71::test {

class CountingArchive final : public RwArchive {
public:
    std::optional<RwBytes> read(const std::string& group, const std::string& name) override {
        ++reads[group + "/" + name];
        auto it = entries.find(group + "/" + name);
        if (it == entries.end())
            return std::nullopt;
        return it->second;
    }
    /// Background reads wait until deliver() hands them over.
    bool readInBackground(const std::string& group, const std::string& name, RwReadDone done) override {
        auto bytes = read(group, name);
        if (!bytes)
            return false;
        waiting.emplace_back(std::move(*bytes), std::move(done));
        return true;
    }
    /// Ends every waiting background read, each on a thread of its own, and waits for them.
    void deliver() {
        std::vector<std::thread> threads;
        for (auto& [bytes, done] : waiting)
            threads.emplace_back([&bytes, &done] { done(bytes); });
        for (auto& t : threads)
            t.join();
        waiting.clear();
    }
    std::map<std::string, RwBytes> entries;
    std::map<std::string, int> reads;
    std::vector<std::pair<RwBytes, RwReadDone>> waiting;
};

class OptionsOn final : public FrontEnd {
public:
    std::int32_t optionsField(int field) const override { return fields[static_cast<std::size_t>(field)]; }
    void setOptionsField(int field, std::int32_t value) override { fields[static_cast<std::size_t>(field)] = value; }
    bool entityViewerCamera(WorldPoint&) const override { return false; }
    std::array<std::int32_t, kOptionsFieldCount> fields{1, 1};
};

/// A texture entry of one colour (0xRRGGBB), with the frames given.
RwBytes textureEntry(const std::string& name, std::uint32_t colour, int side = 8, int frames = 1);
/// A sky image entry: sky colour above the horizon row, sea colour below.
RwBytes imageEntry(int width, int height, int horizonRow, std::uint32_t sky, std::uint32_t sea);
/// A model entry: a box of the half-size with one material naming the texture (or none),
/// children of the tags given, each a small box.
RwBytes modelEntry(float half, const std::string& texture, const std::vector<int>& childTags = {});

struct FatalReport {
    int text;
    int line;
};

class RwFixture : public HeadlessWindows {
protected:
    RwFixture();
    ~RwFixture() override;

    /// Puts a model under its name with its descriptor naming the textures.
    void addModel(const std::string& name, const std::vector<std::string>& textures, float half = 1.0f,
                  const std::vector<int>& childTags = {});
    void addTexture(const std::string& group, const std::string& name, std::uint32_t colour, int frames = 1);
    /// The skies of every phase and variant, plain and magnified, horizon at the row above bottom.
    void addSkies(int width, int height, int horizonAboveBottom);
    /// Skies of 64 rows (horizon 20 above the bottom), the sea, coast and land textures, and
    /// the clock at day under a clear sky.
    void addDaylitSea();

    CountingArchive archive;
    OptionsOn options;
    std::vector<FatalReport> fatal;
    WindowHandle parent{};
};

} // namespace q71::test
