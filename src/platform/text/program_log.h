#pragma once
// The program's lines for the terminal that started it: a text of the program (Windows-1252)
// written to stderr as UTF-8, which is what the terminal reads.

#include <string_view>

namespace q71 {

/// Writes "q71: " and the text, converted to UTF-8, as one line on stderr.
void logLine(std::string_view cp1252);

} // namespace q71
