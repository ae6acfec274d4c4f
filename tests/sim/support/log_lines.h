#pragma once
// The message log's lines as a test sees them, in the order they came.

#include "framework/textmngr/text_manager.h"

#include <string>
#include <vector>

namespace q71::test {

class LogLines final : public MessageLogTarget {
public:
    void addLine(const char* line) override { lines.emplace_back(line); }
    void addLineColoured(const char* line, uint32_t) override { lines.emplace_back(line); }
    void scrollToEnd() override {}
    std::vector<std::string> lines;
};

} // namespace q71::test
