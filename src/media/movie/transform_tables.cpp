#include "media/movie/transform_tables.h"

namespace q71 {

// The zig-zag order of the published coding with rows and columns exchanged, because blocks
// are stored transposed (horizontal frequency u at u * 8 + v).
const std::array<std::uint8_t, 64> kTransformOrder = {
    0,  8,  1,  2,  9,  16, 24, 17, 10, 3,  4,  11, 18, 25, 32, 40, 33, 26, 19, 12, 5,  6,
    13, 20, 27, 34, 41, 48, 56, 49, 42, 35, 28, 21, 14, 7,  15, 22, 29, 36, 43, 50, 57, 58,
    51, 44, 37, 30, 23, 31, 38, 45, 52, 59, 60, 53, 46, 39, 47, 54, 61, 62, 55, 63};

// 8192 * f(r) * f(c) rounded, with f(0) = 1 and f(k) = 1 / (sqrt(2) * cos(k * pi / 16)).
const std::array<std::int32_t, 64> kTransformPrescale = {
    8192,  5906,  6270,  6967,  8192,  10426, 15137, 29692,  //
    5906,  4258,  4520,  5023,  5906,  7517,  10913, 21407,  //
    6270,  4520,  4799,  5332,  6270,  7980,  11585, 22725,  //
    6967,  5023,  5332,  5925,  6967,  8867,  12873, 25251,  //
    8192,  5906,  6270,  6967,  8192,  10426, 15137, 29692,  //
    10426, 7517,  7980,  8867,  10426, 13270, 19266, 37791,  //
    15137, 10913, 11585, 12873, 15137, 19266, 27969, 54864,  //
    29692, 21407, 22725, 25251, 29692, 37791, 54864, 107619, //
};

const std::array<std::uint8_t, 64> kIntraQuantiserMatrix = {
    8,  16, 19, 22, 26, 27, 29, 34, //
    16, 16, 22, 24, 27, 29, 34, 37, //
    19, 22, 26, 27, 29, 34, 34, 38, //
    22, 22, 26, 27, 29, 34, 37, 40, //
    22, 26, 27, 29, 32, 35, 40, 48, //
    26, 27, 29, 32, 35, 40, 48, 58, //
    26, 27, 29, 34, 38, 46, 56, 69, //
    27, 29, 35, 38, 46, 56, 69, 83, //
};

namespace {

constexpr int codeLength(const char* bits) {
    int n = 0;
    while (bits[n])
        ++n;
    return n;
}

constexpr unsigned codeValue(const char* bits) {
    unsigned v = 0;
    for (int i = 0; bits[i]; ++i)
        v = v * 2 + (bits[i] == '1');
    return v;
}

constexpr int leadingZeros(const char* bits) {
    int n = 0;
    while (bits[n] == '0')
        ++n;
    return n;
}

// A table indexed by the next `window` bits less `offset`: every index that starts with the code
// holds its entry.
template <typename Table, typename Entry>
constexpr void fillPrefix(Table& table, int window, unsigned offset, const char* bits, Entry entry) {
    int n = codeLength(bits);
    unsigned first = codeValue(bits) << (window - n);
    for (unsigned j = 0; j < (1u << (window - n)); ++j)
        table[first + j - offset] = entry;
}

template <std::size_t N> constexpr std::array<std::uint8_t, N> buildDcSizes(const char* const (&codes)[9]) {
    std::array<std::uint8_t, N> table{};
    int window = N == 128 ? 7 : 8;
    for (int size = 0; size < 9; ++size)
        fillPrefix(table, window, 0, codes[size], static_cast<std::uint8_t>(size * 16 + codeLength(codes[size])));
    return table;
}

// The coefficient codes in groups found by their leading zeros, each indexed by a window of the
// next bits: codes beginning with 1 or 01 by 4 bits, with 2 to 5 zeros by 8 bits, with 6 zeros
// by 10 bits, with 7 to 11 zeros by 12 to 16 bits. The windows of each group start at the
// smallest value its leading zeros allow.
struct CoefficientGroups {
    CoefficientCode group[8][60]{};
};

struct GroupShape {
    int window;
    unsigned firstIndex;
};

constexpr GroupShape groupShape(int group) {
    constexpr GroupShape shapes[8] = {{4, 4}, {8, 4}, {10, 8}, {12, 16}, {13, 16}, {14, 16}, {15, 16}, {16, 16}};
    return shapes[group];
}

constexpr int groupOfLeadingZeros(int zeros) {
    if (zeros <= 1)
        return 0;
    if (zeros <= 5)
        return 1;
    return zeros - 4;
}

constexpr void addCoefficientCode(CoefficientGroups& groups, const char* bits, CoefficientCode code) {
    int g = groupOfLeadingZeros(leadingZeros(bits));
    GroupShape shape = groupShape(g);
    code.length = static_cast<std::uint8_t>(codeLength(bits));
    fillPrefix(groups.group[g], shape.window, shape.firstIndex, bits, code);
}

constexpr CoefficientGroups buildCoefficientGroups() {
    CoefficientGroups groups;
    for (const RunLevelCode& c : kCoefficientCodes)
        addCoefficientCode(groups, c.bits, {c.level, static_cast<std::uint8_t>(c.run + 1), 0});
    addCoefficientCode(groups, kEndOfBlockCode, {0, kEndOfBlockRun, 0});
    addCoefficientCode(groups, kEscapeCode, {0, kEscapeRun, 0});
    return groups;
}

constexpr CoefficientGroups kCoefficientGroups = buildCoefficientGroups();

} // namespace

const std::array<std::uint8_t, 128> kLuminanceDcSizes = buildDcSizes<128>(kLuminanceDcSizeCodes);
const std::array<std::uint8_t, 256> kChrominanceDcSizes = buildDcSizes<256>(kChrominanceDcSizeCodes);

CoefficientCode coefficientCodeAt(std::uint32_t next32) {
    if (next32 >= 0x40000000u)
        return kCoefficientGroups.group[0][(next32 >> 28) - 4];
    if (next32 >= 0x04000000u)
        return kCoefficientGroups.group[1][(next32 >> 24) - 4];
    if (next32 >= 0x02000000u)
        return kCoefficientGroups.group[2][(next32 >> 22) - 8];
    for (int zeros = 7; zeros <= 11; ++zeros) {
        int group = zeros - 4;
        int window = groupShape(group).window;
        if (next32 >= (1u << (31 - zeros)))
            return kCoefficientGroups.group[group][(next32 >> (32 - window)) - 16];
    }
    return {0, kEndOfBlockRun, 0};
}

} // namespace q71
