#include "mkdata/framework/framework_data.h"
#include "mkdata/files.h"

#include "platform/settings/settings_store.h"
#include "platform/text/text_table.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace q71::mkdata {

void generateSettings(const Context& context) {
    std::filesystem::path source = context.source / "settings.ini";
    std::string text = readSource(source);
    SettingsNode machine, user;
    std::string error;
    if (!settingsParse(text, source.string(), "/data", "/user", machine, user, error))
        throw std::runtime_error(error);
    writeOutput(context.out / "settings.ini", text);
}

void generateTexts(const Context& context) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(context.source / "texts"))
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    TextTable table;
    for (const auto& file : files) {
        TextTableError error;
        if (!table.parse(readSource(file), file.string(), error))
            throw std::runtime_error(error.describe());
    }
    writeOutput(context.out / "textdllf.txt", textTableFormat(table.sorted()));
}

} // namespace q71::mkdata
