#pragma once
// The data set's settings installed afresh, for tests that read install paths after other tests
// of their program installed settings of their own, or ran with another player's folder (the
// player's paths are fixed when the settings are read).

#include "platform/files/locations.h"
#include "platform/settings/settings_store.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace q71::test {

inline void loadDataSetSettings() {
    std::ifstream file(locationDataRoot() + "/settings.ini");
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    EXPECT_TRUE(settingsLoadText(text.str(), error)) << error;
}

} // namespace q71::test
