// Object databases from disk: any bytes give the whole records they hold, never a crash, and
// every record read writes back to bytes that read as the same record, its figures all numbers.
#include "sim/world/object_database.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace q71;
    const std::vector<ObjectRecord> records = objdbDecode({data, size});
    if (records.size() != size / kObjectRecordSize)
        __builtin_trap();
    for (const ObjectRecord& record : records) {
        const auto bytes = objectRecordEncode(record);
        if (objectRecordEncode(objectRecordDecode(bytes)) != bytes)
            __builtin_trap();
        if (record.category() > kCategoryOther || record.keyName.view().size() > 20)
            __builtin_trap();
        for (float figure :
             {record.sonarFigure, record.radarFigure, record.esmFigure, record.visualFigure,
              record.type6Figure, record.fallbackRange, record.signatureFactor, record.mastHeight})
            if (!std::isfinite(figure))
                __builtin_trap();
    }

    // The same bytes through the file reader, and every lookup on what it read.
    static const std::string path = "/tmp/fuzz_objects_db." + std::to_string(::getpid());
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
        const bool loaded = objdbLoadFile(path);
        ::unlink(path.c_str());
        if (!loaded || objdbCount() != static_cast<int>(records.size()))
            __builtin_trap();
        for (int i = 0; i < objdbCount(); ++i) {
            const ObjectRecord* record = objdbGetByIndex(i);
            if (!objdbFindByName(record->keyName.view()) || !objdbFindById(record->id))
                __builtin_trap();
        }
        objdbFree();
    }
    return 0;
}
