#pragma once
// The object database of the data set, built from data/objects.txt.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// Writes objects/Database/objects.db after checking every record.
void generateObjects(const Context& context);

} // namespace q71::mkdata
