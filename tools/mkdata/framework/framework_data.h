#pragma once
// The framework's part of the data set: the settings store and the text table.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// Checks data/settings.ini and installs it as the data set's settings.
void generateSettings(const Context& context);
/// Merges data/texts/*.txt (each id once over all files) into the data set's text table.
void generateTexts(const Context& context);

} // namespace q71::mkdata
