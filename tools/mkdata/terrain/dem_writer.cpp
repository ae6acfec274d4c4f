#include "mkdata/terrain/dem_writer.h"

#include "mkdata/files.h"
#include "sim/world/dem_code_tree.h"

#include <cstring>
#include <stdexcept>

namespace q71::mkdata {

namespace {

constexpr size_t kIndexOffset = 1461;
constexpr size_t kRecordsOffset = 260661;
constexpr size_t kMaxPayload = 32767;

void deltaCode(int delta, std::vector<uint8_t>& out) {
    const bool negative = delta < 0;
    const int magnitude = negative ? -delta - 1 : delta;
    if (magnitude < 64) {
        out.push_back(static_cast<uint8_t>(magnitude | (negative ? 0x40 : 0)));
    } else if (magnitude < 16384) {
        out.push_back(static_cast<uint8_t>(0x80 | (magnitude & 0x7F)));
        out.push_back(static_cast<uint8_t>(((magnitude >> 7) & 0x3F) | ((magnitude & 0x2000) ? 0x80 : 0) |
                                           (negative ? 0x40 : 0)));
    } else {
        throw std::runtime_error("terrain: neighbouring samples differ by " + std::to_string(delta) +
                                 " m, more than a delta code holds");
    }
}

// The code of every symbol: the path from the root, 0 for a left and 1 for a right step.
std::array<std::vector<bool>, 257> codesOf(const DemCodeTree& tree) {
    std::array<std::vector<bool>, 257> codes;
    std::vector<std::pair<int, std::vector<bool>>> pending{{tree.root, {}}};
    while (!pending.empty()) {
        auto [node, path] = std::move(pending.back());
        pending.pop_back();
        if (node <= DemCodeTree::kEndSymbol) {
            codes[node] = std::move(path);
            continue;
        }
        std::vector<bool> left = path, right = std::move(path);
        left.push_back(false);
        right.push_back(true);
        pending.push_back({tree.nodes[node].left, std::move(left)});
        pending.push_back({tree.nodes[node].right, std::move(right)});
    }
    return codes;
}

// Codes packed from the most significant bit of each byte, the end code last.
std::vector<uint8_t> huffmanPayload(const std::vector<uint8_t>& stream,
                                    const std::array<std::vector<bool>, 257>& codes) {
    std::vector<uint8_t> out;
    int used = 8;
    auto put = [&](const std::vector<bool>& code) {
        for (bool bit : code) {
            if (used == 8) {
                out.push_back(0);
                used = 0;
            }
            if (bit)
                out.back() |= static_cast<uint8_t>(0x80 >> used);
            ++used;
        }
    };
    for (uint8_t byte : stream)
        put(codes[byte]);
    put(codes[DemCodeTree::kEndSymbol]);
    return out;
}

void put32(std::string& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>(v >> (8 * i));
}

} // namespace

std::vector<uint8_t> demDeltaStream(const std::vector<int16_t>& samples, int rows, int columns) {
    std::vector<uint8_t> out;
    for (int r = 0; r < rows; ++r) {
        const int16_t* row = samples.data() + static_cast<size_t>(r) * columns;
        if (r == 0) {
            out.push_back(static_cast<uint8_t>(row[0] & 0xFF));
            out.push_back(static_cast<uint8_t>((row[0] >> 8) & 0xFF));
        } else {
            deltaCode(row[0] - row[-columns], out);
        }
        for (int c = 1; c < columns; ++c)
            deltaCode(row[c] - row[c - 1], out);
    }
    return out;
}

void writeDemFile(const std::filesystem::path& path, const std::string& description, const DemLayout& layout,
                  const std::vector<DemSquareSamples>& squares) {
    std::vector<std::vector<uint8_t>> streams;
    uint32_t weights[256] = {};
    for (const DemSquareSamples& square : squares) {
        streams.push_back(demDeltaStream(square.samples, layout.rows, layout.columns[square.band]));
        for (uint8_t byte : streams.back())
            ++weights[byte];
    }
    const auto codes = codesOf(demBuildCodeTree(weights));

    std::string file(kRecordsOffset, '\0');
    std::memcpy(file.data(), "DemFile V.1", 11);
    std::memcpy(file.data() + 24, description.data(), std::min<size_t>(description.size(), 199));
    put32(file, 224, 1); // Huffman coded
    put32(file, 228, 1); // delta coded
    file[252] = static_cast<char>(layout.rows);
    std::memcpy(file.data() + 253, layout.columns.data(), layout.columns.size());
    for (int i = 0; i < 256; ++i)
        put32(file, 433 + 4 * i, weights[i]);
    put32(file, 433 + 4 * 256, 1); // the end symbol's
    for (size_t i = 0; i < squares.size(); ++i) {
        const std::vector<uint8_t> payload = huffmanPayload(streams[i], codes);
        if (payload.size() > kMaxPayload)
            throw std::runtime_error("terrain: the tile of band " + std::to_string(squares[i].band) +
                                     " column " + std::to_string(squares[i].column) +
                                     " codes into more than 32767 bytes");
        put32(file, kIndexOffset + 4 * (static_cast<size_t>(squares[i].band) * 360 + squares[i].column),
              static_cast<uint32_t>(file.size()));
        file.push_back(static_cast<char>(payload.size() & 0xFF));
        file.push_back(static_cast<char>(payload.size() >> 8));
        file.append(payload.begin(), payload.end());
    }
    writeOutput(path, file);
}

} // namespace q71::mkdata
