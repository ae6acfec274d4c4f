#pragma once
// The signature tables: for each object record, one time series per signature line, which the
// entities step through and the sonars read as line frequencies, with each line's attenuation.
// Built once per mission from the object database; each table draws its length and its
// amplitude from the random sequence, in order of record ids and lines.

#include <cstdint>
#include <span>
#include <vector>

namespace q71 {

struct SignatureTable {
    std::vector<std::int32_t> samples; ///< line frequencies over time, 50 to 100 of them
    std::int32_t parameter = 0;        ///< the line's attenuation (0 for the first line)
};

/// Builds the tables of record ids 1 to 149; a second call does nothing until they are freed.
void worldBuildSignatureTables();

/// Frees every table.
void worldFreeSignatureTables();

/// The tables of a record id: none for a record without signature lines, or before they are built.
std::span<const SignatureTable> worldSignatureTables(std::uint32_t recordId);

} // namespace q71
