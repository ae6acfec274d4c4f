// Settings files from disk: any bytes give a tree or a clear error, never a crash.
#include "platform/settings/settings_store.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    q71::SettingsNode machine, user;
    std::string error;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!q71::settingsParse(text, "fuzz", "/data", "/user", machine, user, error) && error.empty())
        __builtin_trap(); // a refusal always says why
    return 0;
}
