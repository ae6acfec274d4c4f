// The sounds that the data set's object records name are in the data set's effects folder.
#include "framework/resources/registry.h"
#include "platform/files/path.h"
#include "sim/world/object_database.h"
#include "support/data_set_settings.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace q71 {
namespace {

TEST(DataSetObjectSounds, EveryNamedSoundIsThere) {
    test::loadDataSetSettings(); // afresh: a test before this one may have installed its own
    appReadInstallPaths();
    ASSERT_EQ(::chdir(rootInstallPath), 0) << rootInstallPath;
    ASSERT_TRUE(objdbLoad());
    int named = 0;
    for (int i = 0; i < objdbCount(); ++i) {
        const ObjectRecord& r = *objdbGetByIndex(i);
        for (std::string_view sound : {r.soundA.view(), r.soundB.view()}) {
            if (sound.empty())
                continue;
            ++named;
            EXPECT_TRUE(fileExists(std::string(sfxInstallPath) + "\\" + std::string(sound)))
                << r.keyName.view() << ": " << sound;
        }
    }
    EXPECT_GT(named, 50); // the platforms the sonar can listen to
    objdbFree();
}

} // namespace
} // namespace q71
