#include "editor/missioneditor/form_numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace q71 {

std::optional<long> formWhole(const std::string& text, long low, long high) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    while (end && *end == ' ')
        ++end;
    if (end == begin || *end || errno || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<double> formDecimal(const std::string& text, double low, double high) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    while (end && *end == ' ')
        ++end;
    if (end == begin || *end || !std::isfinite(value) || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace q71
