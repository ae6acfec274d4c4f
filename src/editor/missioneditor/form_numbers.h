#pragma once
// Numbers as the editor's boxes read them: the whole text a number (spaces after it allowed),
// within its range; anything else is none.

#include <optional>
#include <string>

namespace q71 {

std::optional<long> formWhole(const std::string& text, long low, long high);
std::optional<double> formDecimal(const std::string& text, double low, double high);

} // namespace q71
