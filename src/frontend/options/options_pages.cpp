#include "frontend/options/options_pages.h"

#include <algorithm>
#include <array>

namespace q71 {
namespace {

constexpr int kMaxCellSize = 16;
constexpr int kAssistSettings = 3; // off, by rank, automatic

constexpr std::array kDisplayLines{
    OptionLine{2370, OptionLineKind::Switch, kOptionTextures3d},
    OptionLine{2371, OptionLineKind::Switch, kOptionDetail},
    OptionLine{2372, OptionLineKind::Switch, kOptionChartShades},
    OptionLine{2373, OptionLineKind::CellSize, kOptionChartCellSize},
    OptionLine{2374, OptionLineKind::Switch, kOptionPopupTexts},
    OptionLine{2375, OptionLineKind::Switch, kOptionControlRoom3d},
};
constexpr std::array kCrewLines{
    OptionLine{2376, OptionLineKind::ReportLevel, kOptionReportLevel},
    OptionLine{2377, OptionLineKind::CrewAssist, 0},
    OptionLine{2378, OptionLineKind::CrewAssist, 1},
    OptionLine{2379, OptionLineKind::CrewAssist, 2},
};
constexpr std::array kRealismLines{
    OptionLine{2380, OptionLineKind::Switch, kOptionNoDamage},
    OptionLine{2381, OptionLineKind::Switch, kOptionLoudActiveSonar},
    OptionLine{2382, OptionLineKind::Switch, kOptionSensitiveArrays},
    OptionLine{2383, OptionLineKind::Switch, kOptionFastBoat},
    OptionLine{2384, OptionLineKind::Switch, kOptionNoMastDamage},
    OptionLine{2385, OptionLineKind::Switch, kOptionUnlimitedWeapons},
};

int automaticField(int station) {
    return kOptionAssistStation0 + station;
}
int byRankField(int station) {
    return kOptionAssistByRank0 + station;
}

} // namespace

std::span<const OptionLine> optionsPageLines(OptionsPage page) {
    switch (page) {
    case OptionsPage::Display:
        return kDisplayLines;
    case OptionsPage::Crew:
        return kCrewLines;
    case OptionsPage::Realism:
        return kRealismLines;
    }
    return {};
}

std::vector<int> optionsPageFields(OptionsPage page) {
    std::vector<int> fields;
    for (const OptionLine& line : optionsPageLines(page)) {
        if (line.kind == OptionLineKind::CrewAssist) {
            fields.push_back(automaticField(line.field));
            fields.push_back(byRankField(line.field));
        } else {
            fields.push_back(line.field);
        }
    }
    return fields;
}

int optionLineValue(const OptionsRecord& record, const OptionLine& line) {
    switch (line.kind) {
    case OptionLineKind::Switch:
        return record.field(line.field) != 0 ? 1 : 0;
    case OptionLineKind::CellSize:
        return std::clamp(record.field(line.field) + 1, 1, kMaxCellSize);
    case OptionLineKind::ReportLevel:
        return record.field(line.field) == 1 ? 1 : 0;
    case OptionLineKind::CrewAssist:
        if (record.field(automaticField(line.field)) == 1)
            return 2;
        return record.field(byRankField(line.field)) == 1 ? 1 : 0;
    }
    return 0;
}

void optionLineCycle(OptionsRecord& record, const OptionLine& line) {
    const int value = optionLineValue(record, line);
    switch (line.kind) {
    case OptionLineKind::Switch:
    case OptionLineKind::ReportLevel:
        record.setField(line.field, value == 1 ? 0 : 1);
        return;
    case OptionLineKind::CellSize:
        record.setField(line.field, value % kMaxCellSize); // the next size, less one
        return;
    case OptionLineKind::CrewAssist: {
        const int next = (value + 1) % kAssistSettings;
        record.setField(byRankField(line.field), next == 1 ? 1 : 0);
        record.setField(automaticField(line.field), next == 2 ? 1 : 0);
        return;
    }
    }
}

void optionsCopyPage(OptionsRecord& into, const OptionsRecord& from, OptionsPage page) {
    for (int field : optionsPageFields(page))
        into.setField(field, from.field(field));
}

} // namespace q71
