#include "support/png_image.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace q71::test {
namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::uint32_t getBigEndian(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

void putChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
    putBigEndian(out, static_cast<std::uint32_t>(crc));
}

int paeth(int a, int b, int c) {
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

} // namespace

bool writePng(const std::string& path, const RgbImage& image) {
    std::vector<std::uint8_t> raw;
    size_t rowBytes = static_cast<size_t>(image.width) * 3;
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y * rowBytes);
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<std::uint8_t> file(std::begin(kSignature), std::end(kSignature));
    std::vector<std::uint8_t> header;
    putBigEndian(header, static_cast<std::uint32_t>(image.width));
    putBigEndian(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    putChunk(file, "IHDR", header);
    putChunk(file, "IDAT", packed);
    putChunk(file, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

std::optional<RgbImage> readPng(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0)
        return std::nullopt;
    RgbImage image;
    std::vector<std::uint8_t> packed;
    for (size_t at = 8; at + 12 <= file.size();) {
        std::uint32_t length = getBigEndian(&file[at]);
        if (length > file.size() - at - 12)
            return std::nullopt;
        const std::uint8_t* type = &file[at + 4];
        const std::uint8_t* data = &file[at + 8];
        if (std::memcmp(type, "IHDR", 4) == 0) {
            if (length < 13 || data[8] != 8 || data[9] != 2 || data[12] != 0)
                return std::nullopt;
            image.width = static_cast<int>(getBigEndian(data));
            image.height = static_cast<int>(getBigEndian(data + 4));
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            packed.insert(packed.end(), data, data + length);
        }
        at += 12 + length;
    }
    if (image.width <= 0 || image.height <= 0 || image.width > 4096 || image.height > 4096)
        return std::nullopt;
    size_t rowBytes = static_cast<size_t>(image.width) * 3;
    std::vector<std::uint8_t> raw((rowBytes + 1) * static_cast<size_t>(image.height));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawSize, packed.data(), static_cast<uLong>(packed.size())) != Z_OK ||
        rawSize != raw.size())
        return std::nullopt;
    image.pixels.resize(rowBytes * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* line = &raw[static_cast<size_t>(y) * (rowBytes + 1)];
        std::uint8_t* out = &image.pixels[static_cast<size_t>(y) * rowBytes];
        const std::uint8_t* up = y > 0 ? out - rowBytes : nullptr;
        for (size_t i = 0; i < rowBytes; ++i) {
            int a = i >= 3 ? out[i - 3] : 0, b = up ? up[i] : 0, c = up && i >= 3 ? up[i - 3] : 0;
            int predictor = 0;
            switch (line[0]) {
            case 0:
                break;
            case 1:
                predictor = a;
                break;
            case 2:
                predictor = b;
                break;
            case 3:
                predictor = (a + b) / 2;
                break;
            case 4:
                predictor = paeth(a, b, c);
                break;
            default:
                return std::nullopt;
            }
            out[i] = static_cast<std::uint8_t>(line[1 + i] + predictor);
        }
    }
    return image;
}

} // namespace q71::test
