// Reading terrain grid files ("DemGrid V.1").
#include "platform/files/path.h"
#include "sim/world/dem_database.h"
#include "sim/world/dem_grid.h"

#include <cmath>
#include <cstring>

namespace q71 {

namespace {

constexpr char kSignature[24] = "DemGrid V.1";
// Larger grids than this are taken for damage rather than allocated (a whole-world grid of
// one sample per arc-minute holds 233 million samples; the data set's holds 260 thousand).
constexpr uint64_t kMaxSamples = uint64_t{1} << 26;
constexpr size_t kChunkSamples = 65536;

class GridReader {
public:
    explicit GridReader(const std::function<bool(std::span<std::byte>)>& read) : read_(read) {}
    bool bytes(void* out, size_t n) { return read_(std::span<std::byte>(static_cast<std::byte*>(out), n)); }
    bool u32(uint32_t& v) {
        uint8_t b[4];
        if (!bytes(b, 4))
            return false;
        v = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
        return true;
    }
    bool f64(double& d) {
        uint8_t b[8];
        if (!bytes(b, 8))
            return false;
        uint64_t v = 0;
        for (int i = 7; i >= 0; --i)
            v = v << 8 | b[i];
        std::memcpy(&d, &v, sizeof d);
        return true;
    }

private:
    const std::function<bool(std::span<std::byte>)>& read_;
};

std::unique_ptr<DemGrid> fail(std::string* error, const char* reason) {
    if (error)
        *error = reason;
    return nullptr;
}

// Samples are read a chunk at a time, so that a header promising more than the file holds
// fails at its end instead of allocating the promise first.
bool readSamples(GridReader& in, uint64_t count, std::vector<int16_t>& samples) {
    std::vector<uint8_t> chunk;
    while (samples.size() < count) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(kChunkSamples, count - samples.size()));
        chunk.resize(2 * n);
        if (!in.bytes(chunk.data(), chunk.size()))
            return false;
        for (size_t i = 0; i < n; ++i)
            samples.push_back(static_cast<int16_t>(chunk[2 * i] | chunk[2 * i + 1] << 8));
    }
    return true;
}

} // namespace

std::unique_ptr<DemGrid> demReadGrid(const std::function<bool(std::span<std::byte>)>& read,
                                     std::string* error) {
    GridReader in(read);
    char signature[24];
    uint32_t geographic, width, height, wrapX, wrapY;
    double centreLat, centreLon, extentX, extentY, originX, originY;
    if (!in.bytes(signature, sizeof signature) || !in.u32(geographic) || !in.f64(centreLat) ||
        !in.f64(centreLon) || !in.u32(width) || !in.u32(height) || !in.f64(extentX) || !in.f64(extentY) ||
        !in.f64(originX) || !in.f64(originY) || !in.u32(wrapX) || !in.u32(wrapY))
        return fail(error, "the terrain grid is shorter than its header");
    if (std::memcmp(signature, kSignature, sizeof signature) != 0)
        return fail(error, "the terrain grid has no \"DemGrid V.1\" signature");
    auto grid = std::make_unique<DemGrid>();
    grid->projection = projCreate(centreLat, centreLon, geographic != 0);
    if (!grid->projection || !std::isfinite(centreLon))
        return fail(error, "the terrain grid's projection centre is not on the globe");
    if (width < 2 || height < 2 || uint64_t{width} * height > kMaxSamples)
        return fail(error, "the terrain grid's size is out of range");
    if (!(std::isfinite(extentX) && std::isfinite(extentY) && extentX != 0.0 && extentY != 0.0 &&
          std::isfinite(originX) && std::isfinite(originY)))
        return fail(error, "the terrain grid's extent or origin is not a usable number");
    grid->extentX = extentX;
    grid->extentY = extentY;
    grid->originX = originX;
    grid->originY = originY;
    grid->width = static_cast<int32_t>(width);
    grid->height = static_cast<int32_t>(height);
    grid->wrapX = wrapX;
    grid->wrapY = wrapY;
    if (!readSamples(in, uint64_t{width} * height, grid->samples))
        return fail(error, "the terrain grid is shorter than its samples");
    return grid;
}

std::unique_ptr<DemGrid> demGridLoad(std::string_view name, std::string* error) {
    std::unique_ptr<std::FILE, DemFileCloser> file(fileOpen(demPath(name), "rb"));
    if (!file)
        return fail(error, "the terrain grid does not open");
    return demReadGrid(
        [&](std::span<std::byte> out) {
            return std::fread(out.data(), 1, out.size(), file.get()) == out.size();
        },
        error);
}

} // namespace q71
