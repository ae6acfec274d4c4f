#include "sim/world/object_database.h"

#include "framework/resources/registry.h"
#include "platform/files/path.h"

#include <cstdio>

namespace q71 {

namespace {

// Read once at start-up, replaced only by another load.
std::vector<ObjectRecord>& records() {
    static std::vector<ObjectRecord> table;
    return table;
}

} // namespace

std::vector<ObjectRecord> objdbDecode(std::span<const std::uint8_t> bytes) {
    std::vector<ObjectRecord> decoded;
    decoded.reserve(bytes.size() / kObjectRecordSize);
    for (std::size_t at = 0; bytes.size() - at >= kObjectRecordSize; at += kObjectRecordSize)
        decoded.push_back(objectRecordDecode(bytes.subspan(at).first<kObjectRecordSize>()));
    return decoded;
}

bool objdbLoadFile(const std::string& path) {
    objdbFree();
    std::FILE* file = fileOpen(path, "rb");
    if (!file)
        return false;
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[kObjectRecordSize * 16];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;)
        bytes.insert(bytes.end(), block, block + got);
    std::fclose(file);
    records() = objdbDecode(bytes);
    return true;
}

bool objdbLoad() {
    return objdbLoadFile(std::string(objectsInstallPath) + "\\Database\\objects.db");
}

void objdbFree() {
    records().clear();
    records().shrink_to_fit();
}

const ObjectRecord* objdbFindByName(std::string_view name) {
    for (const ObjectRecord& record : records())
        if (objectKeysMatch(record.keyName.view(), name))
            return &record;
    return nullptr;
}

const ObjectRecord* objdbFindById(std::uint32_t id) {
    for (const ObjectRecord& record : records())
        if (record.id == id)
            return &record;
    return nullptr;
}

int objdbCount() {
    return static_cast<int>(records().size());
}

const ObjectRecord* objdbGetByIndex(int index) {
    if (index < 0 || index >= objdbCount())
        return nullptr;
    return &records()[static_cast<std::size_t>(index)];
}

} // namespace q71
