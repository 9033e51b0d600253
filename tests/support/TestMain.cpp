#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

// Every test program runs Qt on the offscreen platform unless the environment chose one (an
// end-to-end run under xvfb-run sets QT_QPA_PLATFORM=xcb to use the real X server), and keeps the
// user settings in a folder of its own.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // User settings written by a test, or by a program a test starts, stay out of the user's home.
    setenv("XDG_CONFIG_HOME", (std::filesystem::temp_directory_path() / "vorn-test-settings").c_str(), 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
