#include "program/platform_services.h"

#include "test_paths.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(PlatformServicesTest, MakesEveryServiceWithoutTouchingData) {
    PlatformServices services = PlatformServices::create();
    ASSERT_TRUE(services.lock && services.folders && services.keys && services.shell &&
                services.processes && services.clock && services.random);
    const StartupServices startup = services.forStartup();
    EXPECT_EQ(&startup.folders, services.folders.get());
    EXPECT_EQ(&startup.lock, services.lock.get());
    // Run from the build tree, the program folder is the source resources.
    EXPECT_EQ(services.folders->programFolder(), std::filesystem::path(KELVO_RESOURCES_DIR));
    const double draw = services.random->nextUnit();
    EXPECT_GE(draw, 0.0);
    EXPECT_LT(draw, 1.0);
}

} // namespace
} // namespace kelvo
