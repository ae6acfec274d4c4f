#pragma once
// Group archives of the data set. A generator that makes graphics (or other members of groups)
// stages each file with stageArchiveMember; the "archives" generator, the last of all, packs every
// staged group into "<folder>/<group>.grp" and ".ndx" and clears the staging tree.

#include "mkdata/generator.h"

#include <string>
#include <string_view>

namespace q71::mkdata {

/// The data set's folders of group archives, as the settings name them.
inline constexpr std::string_view kGraphicsFolder = "graphics";
inline constexpr std::string_view kObjectsFolder = "objects";

/// Stages a member of `group` in the data set's `folder` (kGraphicsFolder or kObjectsFolder);
/// throws when the name cannot be a member name or the file cannot be written.
void stageArchiveMember(const Context& context, std::string_view folder, std::string_view group,
                        std::string_view name, const std::string& bytes);

/// The generator: packs every staged group, then removes the staging tree.
void generateArchives(const Context& context);

} // namespace q71::mkdata
