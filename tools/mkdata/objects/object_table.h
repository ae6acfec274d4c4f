#pragma once
// The readable source of the object database, data/objects.txt: one block per record,
//
//     [Key]            the record's key name
//     field = value    one field per line, in any order; fields left out are 0 or empty
//
// with "#" starting a comment line. The fields and their checks are listed at the head of the
// file itself. Every error names the file and line.

#include "sim/world/object_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace q71::mkdata {

/// One record of the table and the line of its block, for error messages.
struct TableRecord {
    ObjectRecord record;
    int line = 0;
};

/// Builds the records of a table; throws "file:line: message" on the first error.
std::vector<TableRecord> parseObjectTable(std::string_view text, const std::string& file);

/// Checks the records against every rule the simulation puts on them; throws on the first broken one.
void checkObjectTable(const std::vector<TableRecord>& records, const std::string& file);

} // namespace q71::mkdata
