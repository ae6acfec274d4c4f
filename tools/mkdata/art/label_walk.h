#pragma once
// Every label the data set's pictures are lettered with, as the generators letter them: for the
// tests that judge each one and the report that reads them back.

#include "mkdata/art/lettering.h"
#include "mkdata/generator.h"

#include <string>
#include <vector>

namespace q71::mkdata {

struct GeneratedLabel {
    std::string generator; ///< the generator that lettered it
    LetteredLabel label;
};

/// Runs the generators the lettering reads (the texts and the fonts) and then every generator that
/// letters pictures, from `source` into the folder `out`, and returns every label they lettered.
std::vector<GeneratedLabel> letterEveryPicture(const std::filesystem::path& source, const std::filesystem::path& out);

} // namespace q71::mkdata
