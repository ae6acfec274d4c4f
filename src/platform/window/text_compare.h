#pragma once
// Names of classes, properties and registered messages compare without regard to ASCII case.

#include <string_view>

namespace q71::windowing {

/// True when the two names are equal ignoring ASCII letter case.
inline bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace q71::windowing
