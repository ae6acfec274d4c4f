#pragma once
// A small object database for the fuzz targets that build worlds: plain records of the platforms
// they need, written into the run's scratch folder and loaded.

#include "scratch_files.h"
#include "sim/world/object_database.h"
#include "sim/world/object_record.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace q71::fuzz {

/// A record of an id, key name, category word and object kind: a 300 ft hull, 30 units of speed
/// and a sonar.
inline ObjectRecord plainRecord(std::uint32_t id, const char* name, const char* category, std::uint32_t kind) {
    ObjectRecord r;
    r.id = id;
    r.keyName.assign(name);
    r.categoryWord.assign(category);
    r.kind = kind;
    r.length = 300;
    r.beam = 30;
    r.height = 30;
    r.maxSpeed = 30;
    r.sonarFigure = 2.0f;
    r.signatureFactor = 1.0f;
    return r;
}

/// Loads the records as the object database; aborts when it cannot.
inline void loadRecords(std::initializer_list<ObjectRecord> records) {
    std::vector<std::uint8_t> bytes;
    for (const ObjectRecord& r : records) {
        const auto encoded = objectRecordEncode(r);
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    const std::string path = scratchPath("objects.db");
    writeScratch(path, bytes.data(), bytes.size());
    if (!objdbLoadFile(path))
        std::abort();
}

} // namespace q71::fuzz
