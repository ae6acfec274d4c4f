#include "platform/text/program_log.h"

#include "platform/text/cp1252.h"

#include <cstdio>
#include <string>

namespace q71 {

void logLine(std::string_view cp1252) {
    const std::string line = "q71: " + cp1252ToUtf8(cp1252) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace q71
