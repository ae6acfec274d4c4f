#pragma once
// Member names of archives and containers are matched and sorted without regard to ASCII case,
// as the program has always named its files in mixed case.

#include <string_view>

namespace q71 {

/// <0, 0 or >0 as a orders before, with or after b, ignoring ASCII case.
int compareNamesIgnoringCase(std::string_view a, std::string_view b);

/// True when the names are equal ignoring ASCII case.
inline bool namesEqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compareNamesIgnoringCase(a, b) == 0;
}

} // namespace q71
