#include "dem_test_file.h"

#include <cstring>

namespace q71::test {

namespace {
void put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>(v >> (8 * i)));
}
void putDouble(std::string& out, double d) {
    uint64_t v;
    std::memcpy(&v, &d, 8);
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<char>(v >> (8 * i)));
}
} // namespace

DemTestFile::DemTestFile() {
    for (uint8_t& c : columns)
        c = 2;
}

std::string DemTestFile::record(const std::string& payload) {
    std::string out;
    out.push_back(static_cast<char>(payload.size() & 0xFF));
    out.push_back(static_cast<char>(payload.size() >> 8));
    return out + payload;
}

std::string DemTestFile::plainRecord(const std::vector<int16_t>& samples) {
    std::string payload;
    for (int16_t s : samples) {
        payload.push_back(static_cast<char>(s & 0xFF));
        payload.push_back(static_cast<char>((s >> 8) & 0xFF));
    }
    return record(payload);
}

std::string DemTestFile::bytes(const std::map<int, uint32_t>& extraIndex) const {
    std::string out(24, '\0');
    std::memcpy(out.data(), "DemFile V.1", 11);
    out += std::string(200, ' ');
    put32(out, huffman);
    put32(out, delta);
    put32(out, 0);
    putDouble(out, latOffset);
    putDouble(out, lonOffset);
    out.push_back(static_cast<char>(rows));
    out.append(reinterpret_cast<const char*>(columns), 180);
    for (uint32_t w : weights)
        put32(out, w);
    const size_t indexAt = out.size();
    out.append(360 * 180 * 4, '\0');
    for (const auto& [square, record] : records) {
        const auto offset = static_cast<uint32_t>(out.size());
        std::memcpy(out.data() + indexAt + 4 * square, &offset, 4); // little-endian host
        out += record;
    }
    for (const auto& [square, offset] : extraIndex)
        std::memcpy(out.data() + indexAt + 4 * square, &offset, 4);
    return out;
}

double demLinearElevation(double lat, double lon) {
    return 100 * lat - 40 * lon;
}

DemTestFile demLinearField(int north, int south, int west, int east) {
    DemTestFile file;
    file.rows = 4;
    for (uint8_t& c : file.columns)
        c = 4;
    for (int n = north; n > south; --n) {
        for (int w = west; w <= east; ++w) {
            std::vector<int16_t> samples;
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j)
                    samples.push_back(static_cast<int16_t>(demLinearElevation(n - i / 4.0, w + j / 4.0)));
            file.records[demSquare(n, w)] = DemTestFile::plainRecord(samples);
        }
    }
    return file;
}

int demSquare(int north, int west) {
    return (90 - north) * 360 + west;
}

} // namespace q71::test
