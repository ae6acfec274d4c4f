// Opening the terrain database: its fixed header, band table, code weights and tile index.
#include "sim/world/dem_database.h"

#include <cstring>

namespace q71 {

namespace {

constexpr char kSignature[24] = "DemFile V.1";
constexpr size_t kHeaderSize =
    24 + 200 + 3 * 4 + 2 * 8 + 1 + DemDatabase::kBands + 257 * 4 + size_t{DemDatabase::kSquares} * 4;
static_assert(kHeaderSize == 260661);

// Little-endian fields of the header, read in order from a buffer of known size.
class HeaderReader {
public:
    explicit HeaderReader(const std::vector<uint8_t>& bytes) : p_(bytes.data()) {}
    void bytes(void* out, size_t n) {
        std::memcpy(out, p_, n);
        p_ += n;
    }
    uint32_t u32() {
        uint32_t v = uint32_t{p_[0]} | uint32_t{p_[1]} << 8 | uint32_t{p_[2]} << 16 | uint32_t{p_[3]} << 24;
        p_ += 4;
        return v;
    }
    double f64() {
        uint64_t v = 0;
        for (int i = 7; i >= 0; --i)
            v = v << 8 | p_[i];
        p_ += 8;
        double d;
        std::memcpy(&d, &v, sizeof d);
        return d;
    }
    uint8_t u8() { return *p_++; }

private:
    const uint8_t* p_;
};

std::unique_ptr<DemDatabase> fail(std::string* error, const char* reason) {
    if (error)
        *error = reason;
    return nullptr;
}

} // namespace

std::unique_ptr<DemDatabase> demOpenStream(std::FILE* file, std::string* error) {
    auto db = std::make_unique<DemDatabase>();
    db->file.reset(file);
    if (!file)
        return fail(error, "the terrain database does not open");
    std::vector<uint8_t> header(kHeaderSize);
    if (std::fread(header.data(), 1, header.size(), file) != header.size())
        return fail(error, "the terrain database is shorter than its header and index");
    HeaderReader in(header);
    char signature[24];
    in.bytes(signature, sizeof signature);
    if (std::memcmp(signature, kSignature, sizeof signature) != 0)
        return fail(error, "the terrain database has no \"DemFile V.1\" signature");
    in.bytes(db->description, sizeof db->description);
    db->huffman = in.u32();
    db->delta = in.u32();
    db->reserved = in.u32();
    db->latOffset = in.f64();
    db->lonOffset = in.f64();
    db->rowsPerDegree = in.u8();
    in.bytes(db->columnsPerDegree, sizeof db->columnsPerDegree);
    for (uint32_t& w : db->weights)
        w = in.u32();
    db->index.resize(DemDatabase::kSquares);
    for (uint32_t& offset : db->index)
        offset = in.u32();
    if (db->huffman)
        db->codeTree = demBuildCodeTree(std::span<const uint32_t, 256>(db->weights, 256));
    return db;
}

} // namespace q71
