#pragma once
// The data set's settings installed afresh, for tests that read install paths after other tests
// of their program installed settings of their own, or ran with another player's folder (the
// player's paths are fixed when the settings are read).

#include "platform/files/locations.h"
#include "platform/settings/settings_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace q71::test {

inline void loadDataSetSettings() {
    std::string error;
    EXPECT_TRUE(settingsLoadText(readFile(locationDataRoot() + "/settings.ini"), error)) << error;
}

} // namespace q71::test
