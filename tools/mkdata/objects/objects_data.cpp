#include "mkdata/objects/objects_data.h"

#include "mkdata/files.h"
#include "mkdata/objects/object_table.h"

namespace q71::mkdata {

void generateObjects(const Context& context) {
    const std::filesystem::path source = context.source / "objects.txt";
    const std::vector<TableRecord> records = parseObjectTable(readSource(source), source.string());
    checkObjectTable(records, source.string());
    std::string bytes;
    for (const TableRecord& r : records) {
        const auto encoded = objectRecordEncode(r.record);
        bytes.append(encoded.begin(), encoded.end());
    }
    writeOutput(context.out / "objects" / "Database" / "objects.db", bytes);
}

} // namespace q71::mkdata
