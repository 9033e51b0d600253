#pragma once

// GL tests need an EGL pbuffer (and the view tests an X server). Where the machine has none they
// are skipped, unless VORN_REQUIRE_GL=1 says this run must have them: then they fail, so a broken
// GL set-up in CI cannot pass the view tests by skipping them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace vorn_test
{

inline bool glRequired()
{
    const char* value = std::getenv("VORN_REQUIRE_GL");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

} // namespace vorn_test

// Ends the current test or fixture set-up: a failure when GL is required, else a skip.
#define VORN_WITHOUT_GL(why)                                                                                           \
    do                                                                                                                 \
    {                                                                                                                  \
        if (vorn_test::glRequired())                                                                                   \
            GTEST_FAIL() << "GL is required (VORN_REQUIRE_GL=1): " << why;                                             \
        GTEST_SKIP() << why;                                                                                           \
    } while (false)
