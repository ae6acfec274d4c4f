#pragma once
// Names of aggregate members: "container+member", with either kind of separator and any runs of
// them, made into one canonical form.

#include <string>
#include <string_view>

namespace q71 {

struct AggName {
    std::string container; ///< the container's path as given (separators made canonical)
    std::string member;    ///< "" when the name has no plus sign
    bool hasMember = false;
};

/// Splits a name at its first plus sign. Backslashes and plus signs at the start of the member part
/// are dropped; in both parts forward slashes become backslashes and, after the first other
/// character, a run of separators becomes one backslash.
AggName aggSplitName(std::string_view name);

} // namespace q71
