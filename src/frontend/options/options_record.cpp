#include "frontend/options/options_record.h"

#include "framework/app/shell.h"
#include "framework/textmngr/text_manager.h"
#include "platform/files/little_endian.h"
#include "platform/files/path.h"
#include "platform/msgbox/message_box.h"
#include "sim/scoring/player_files.h"
#include "sim/services/front_end.h"

#include <algorithm>
#include <vector>

namespace q71 {
namespace {

constexpr const char* kOptionsFile = "options.db";
// The chart's shading block is 1 to 16 samples: the field holds the size less one.
constexpr std::int32_t kLargestCellField = 15;
constexpr int kDamagedOptionsText = 1900;
constexpr int kOptionsCaptionText = 1901;

bool validField(int number) {
    return number >= 0 && number < kOptionsFieldCount;
}

void tellDamaged() {
    messageBox(appMainWindow(), textCopy(kDamagedOptionsText), textCopy(kOptionsCaptionText),
               kMbOk | kMbIconExclamation);
}

} // namespace

std::int32_t OptionsRecord::field(int number) const {
    return validField(number) ? fields[static_cast<std::size_t>(number)] : 0;
}

void OptionsRecord::setField(int number, std::int32_t value) {
    if (validField(number))
        fields[static_cast<std::size_t>(number)] = value;
}

OptionsRecord& optionsRecord() {
    static OptionsRecord record = optionsDefaults();
    return record;
}

OptionsRecord optionsDefaults() {
    OptionsRecord record;
    record.setField(kOptionTextures3d, 1);
    record.setField(kOptionDetail, 1);
    record.setField(kOptionChartShades, 1);
    record.setField(kOptionReportLevel, 1);
    record.setField(kOptionPopupTexts, 1);
    return record;
}

std::optional<OptionsRecord> optionsDecode(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kOptionsRecordBytes)
        return std::nullopt;
    OptionsRecord record;
    for (std::size_t i = 0; i < record.fields.size(); ++i)
        record.fields[i] = static_cast<std::int32_t>(loadLe32(bytes.data() + 4 * i));
    // A crafted size would overflow where the chart adds one to it.
    record.setField(kOptionChartCellSize, std::clamp(record.field(kOptionChartCellSize), 0, kLargestCellField));
    return record;
}

std::array<std::uint8_t, kOptionsRecordBytes> optionsEncode(const OptionsRecord& record) {
    std::array<std::uint8_t, kOptionsRecordBytes> bytes{};
    for (std::size_t i = 0; i < record.fields.size(); ++i)
        storeLe32(bytes.data() + 4 * i, static_cast<std::uint32_t>(record.fields[i]));
    return bytes;
}

std::string optionsPath() {
    return playerFilePath(kOptionsFile);
}

void optionsLoad() {
    const std::string path = optionsPath();
    optionsRecord() = optionsDefaults();
    if (path.empty())
        return;
    if (!fileExists(path)) {
        optionsSave();
        return;
    }
    std::vector<std::uint8_t> bytes;
    std::optional<OptionsRecord> record;
    if (fileReadContents(path, bytes))
        record = optionsDecode(bytes);
    if (record)
        optionsRecord() = *record;
    else
        tellDamaged();
}

bool optionsSave() {
    const std::string path = optionsPath();
    return !path.empty() && fileReplaceContents(path, optionsEncode(optionsRecord()));
}

} // namespace q71
