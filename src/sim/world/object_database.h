#pragma once
// The object database: every kind of platform and object a mission can hold, read whole from
// "\Database\objects.db" in the objects folder at start-up and kept for the whole run.
// Entities, motion models, sensors, the 3-D views and the editor look records up by key name,
// by id or by index; records are handed out by pointer and never change until objdbFree.

#include "sim/world/object_record.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

/// Reads "Database\objects.db" of the objects folder; false (and an empty database) when it does not open.
bool objdbLoad();

/// Reads the database from a file; false (and an empty database) when it does not open.
bool objdbLoadFile(const std::string& path);

/// Frees every record; the database is empty again.
void objdbFree();

/// The first record whose key name equals the name without regard to case, or null.
const ObjectRecord* objdbFindByName(std::string_view name);

/// The first record with that id, or null.
const ObjectRecord* objdbFindById(std::uint32_t id);

/// Number of records.
int objdbCount();

/// The record at an index 0..count−1 in file order, or null outside it.
const ObjectRecord* objdbGetByIndex(int index);

/// The whole records that bytes hold, in order; a partial record at the end is ignored.
std::vector<ObjectRecord> objdbDecode(std::span<const std::uint8_t> bytes);

} // namespace q71
