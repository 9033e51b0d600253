#pragma once

// The host's application object for the host's tests: made once per test program over the
// platform's application, and never destroyed (the frames and plugins it holds live until exit).

#include "VornInterface/VornInterfaceApp.h"
#include "tests/platform/PlatformTestApplication.h"

inline CVornInterfaceApp& testHost()
{
    platformApplication();
    static auto* app = new CVornInterfaceApp;
    return *app;
}
