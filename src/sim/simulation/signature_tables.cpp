#include "sim/simulation/signature_tables.h"

#include "sim/simulation/geometry.h"
#include "sim/simulation/random.h"
#include "sim/world/object_database.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace q71 {

namespace {

constexpr std::uint32_t kLastRecordId = 149;

struct Tables {
    bool built = false;
    std::array<std::vector<SignatureTable>, kLastRecordId + 1> byRecord; // index 0 unused
};

Tables& tables() {
    static Tables all;
    return all;
}

// A line wanders around its frequency: a slow swell of up to ±5 % modulated by a faster one.
SignatureTable makeTable(std::int32_t value, std::int32_t parameter) {
    SignatureTable table;
    table.parameter = parameter;
    const int length = 50 + static_cast<int>(randomScaled(50.0));
    const double amplitude = randomScaled(0.05 * value);
    table.samples.resize(static_cast<std::size_t>(length));
    table.samples[0] = value;
    for (int i = 1; i < length; ++i) {
        const double sample = value + amplitude * std::cos(360.0 * i / length * kDegreesToRadians) *
                                          std::sin(18.0 * i * kDegreesToRadians);
        // A damaged record's value near the end of the range must not overflow its sample.
        table.samples[static_cast<std::size_t>(i)] =
            static_cast<std::int32_t>(std::clamp(sample, double{std::numeric_limits<std::int32_t>::min()},
                                                 double{std::numeric_limits<std::int32_t>::max()}));
    }
    return table;
}

} // namespace

void worldBuildSignatureTables() {
    Tables& t = tables();
    if (t.built)
        return;
    for (std::uint32_t id = 1; id <= kLastRecordId; ++id) {
        const ObjectRecord* record = objdbFindById(id);
        // A record whose first line is 0 has no signature at all, whatever its other lines.
        if (!record || record->signatureValues[0] == 0)
            continue;
        for (std::size_t k = 0; k < record->signatureValues.size(); ++k)
            if (const std::int32_t value = record->signatureValues[k])
                t.byRecord[id].push_back(makeTable(value, k == 0 ? 0 : record->signatureParameters[k - 1]));
    }
    t.built = true;
}

void worldFreeSignatureTables() {
    Tables& t = tables();
    for (auto& record : t.byRecord)
        record.clear();
    t.built = false;
}

std::span<const SignatureTable> worldSignatureTables(std::uint32_t recordId) {
    if (recordId == 0 || recordId > kLastRecordId)
        return {};
    return tables().byRecord[recordId];
}

} // namespace q71
