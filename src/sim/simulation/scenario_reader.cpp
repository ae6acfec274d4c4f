#include "sim/simulation/scenario_reader.h"

#include "framework/resources/record_file.h"
#include "platform/files/locations.h"
#include "sim/simulation/scenario_file.h"

namespace q71 {
namespace {

// Block `index` (0 the description) of a scenario, the blocks before it read past.
std::optional<std::string> readTextBlock(const std::string& name, int index) {
    RecordFile file(scenarioPath(name), false, true, false);
    if (!file.isOpen())
        return std::nullopt;
    RecordFileSource source(file);
    std::optional<std::string> text;
    for (int block = 0; block <= index; ++block)
        if (!scenReadBlock(source, text))
            return std::nullopt;
    return text;
}

} // namespace

std::string scenarioPath(const std::string& name) {
    return locationDataRoot() + "\\Scenario\\" + name;
}

std::optional<std::string> scenReadBlock1(const std::string& name) {
    return readTextBlock(name, kScenarioDescription);
}

std::optional<std::string> scenReadBlock2(const std::string& name) {
    return readTextBlock(name, kScenarioMissionName);
}

} // namespace q71
