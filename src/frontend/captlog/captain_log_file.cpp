#include "frontend/captlog/captain_log_file.h"

#include "frontend/player_file_name.h"
#include "frontend/text_lines.h"
#include "platform/files/path.h"
#include "sim/scoring/player_files.h"
#include "sim/simulation/time_source.h"

#include <cstdio>
#include <filesystem>

namespace q71 {
namespace {

constexpr const char* kExtension = ".clg";

// Control characters become spaces: an entry is one line of text.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (!isLineText(static_cast<std::uint8_t>(c)))
            c = ' ';
    return line;
}

} // namespace

CaptLog captLogParse(std::span<const std::uint8_t> bytes) {
    TextLines text = textLinesParse(bytes, kCaptLogMaxBytes);
    switch (text.status) {
    case TextLinesStatus::Ok:
        return {CaptLogStatus::Ok, std::move(text.lines)};
    case TextLinesStatus::Damaged:
        return {CaptLogStatus::Damaged, {}};
    case TextLinesStatus::TooLarge:
        break;
    }
    return {CaptLogStatus::TooLarge, {}};
}

std::vector<std::uint8_t> captLogBytes(const std::vector<std::string>& lines) {
    std::vector<std::uint8_t> bytes;
    for (const std::string& line : lines) {
        bytes.insert(bytes.end(), line.begin(), line.end());
        bytes.push_back('\n');
    }
    return bytes;
}

CaptLog captLogRead(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(fileResolvePath(path), error))
        return error ? CaptLog{CaptLogStatus::Unreadable, {}} : CaptLog{};
    std::vector<std::uint8_t> bytes;
    if (!fileReadContents(path, bytes))
        return CaptLog{CaptLogStatus::Unreadable, {}};
    return captLogParse(bytes);
}

bool captLogAppend(const std::string& path, const std::vector<std::string>& lines) {
    if (path.empty())
        return false;
    CaptLog log = captLogRead(path);
    if (log.status != CaptLogStatus::Ok)
        return false;
    for (const std::string& line : lines)
        log.lines.push_back(oneLine(line));
    return fileReplaceContents(path, captLogBytes(log.lines));
}

std::string captLogEntry(std::time_t when, std::string_view text) {
    std::tm local{};
    localtime_r(&when, &local);
    char date[64];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d %02d:%02d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900, local.tm_hour, local.tm_min);
    return std::string(date) + "  " + oneLine(text);
}

std::string captLogPath() {
    return currentPlayerFilePath(kExtension);
}

bool captLogAddMissionFlow(std::string_view missionName, std::string_view flowText) {
    const std::string path = captLogPath();
    if (path.empty() || flowText.empty())
        return false;
    std::vector<std::string> lines{
        captLogEntry(static_cast<std::time_t>(simTimeOfDaySeconds()), missionName)};
    std::size_t start = 0;
    while (start <= flowText.size()) {
        const std::size_t end = std::min(flowText.find('\n', start), flowText.size());
        if (end > start)
            lines.push_back("    " + oneLine(flowText.substr(start, end - start)));
        start = end + 1;
    }
    return captLogAppend(path, lines);
}

} // namespace q71
