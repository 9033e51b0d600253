#include <gtest/gtest.h>

#include <cstdlib>

// Every test program runs Qt on the offscreen platform unless the environment chose one (an
// end-to-end run under xvfb-run sets QT_QPA_PLATFORM=xcb to use the real X server).
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
