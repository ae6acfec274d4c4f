#include "sim/world/object_record.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace q71 {

namespace {

template <class T> struct IsFixedText : std::false_type {};
template <std::size_t N> struct IsFixedText<FixedText<N>> : std::true_type {};

// Numbers are little-endian whatever the host: assemble and split them byte by byte.
template <class Number> Number readNumber(const std::uint8_t* at) {
    using Bits = std::conditional_t<sizeof(Number) == 1, std::uint8_t,
                                    std::conditional_t<sizeof(Number) == 2, std::uint16_t, std::uint32_t>>;
    Bits bits = 0;
    for (std::size_t i = 0; i < sizeof(Number); ++i)
        bits = static_cast<Bits>(bits | static_cast<Bits>(at[i]) << (8 * i));
    return std::bit_cast<Number>(bits);
}

template <class Number> void writeNumber(std::uint8_t* at, Number value) {
    using Bits = std::conditional_t<sizeof(Number) == 1, std::uint8_t,
                                    std::conditional_t<sizeof(Number) == 2, std::uint16_t, std::uint32_t>>;
    const Bits bits = std::bit_cast<Bits>(value);
    for (std::size_t i = 0; i < sizeof(Number); ++i)
        at[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

} // namespace

bool objectKeysMatch(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

EntityCategory worldCategoryIndex(std::string_view word) {
    const auto found = std::find(kCategoryWords.begin(), kCategoryWords.end(), word);
    return static_cast<EntityCategory>(found - kCategoryWords.begin());
}

ObjectRecord objectRecordDecode(std::span<const std::uint8_t, kObjectRecordSize> bytes) {
    ObjectRecord record;
    objectRecordLayout(record, [&](std::size_t offset, auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        if constexpr (IsFixedText<Field>::value) {
            std::memcpy(field.bytes.data(), bytes.data() + offset, field.bytes.size());
        } else {
            field = readNumber<Field>(bytes.data() + offset);
            // A damaged figure that is no number at all would poison every range and level
            // worked out from it: it counts as not given.
            if constexpr (std::is_floating_point_v<Field>)
                if (!std::isfinite(field))
                    field = 0.0f;
        }
    });
    return record;
}

std::array<std::uint8_t, kObjectRecordSize> objectRecordEncode(const ObjectRecord& record) {
    std::array<std::uint8_t, kObjectRecordSize> bytes{};
    objectRecordLayout(record, [&](std::size_t offset, const auto& field) {
        using Field = std::remove_cvref_t<decltype(field)>;
        if constexpr (IsFixedText<Field>::value)
            std::memcpy(bytes.data() + offset, field.bytes.data(), field.bytes.size());
        else
            writeNumber(bytes.data() + offset, field);
    });
    return bytes;
}

} // namespace q71
