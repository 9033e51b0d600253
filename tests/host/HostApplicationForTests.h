#pragma once

// The host's application object for the host's tests: made once per test program over the
// platform's application, and never destroyed (the frames and plugins it holds live until exit).

#include "VornInterface/VornInterfaceApp.h"
#include "platform/Application.h"

inline CVornInterfaceApp& testHost()
{
    static int argc = 1;
    static char name[] = "host_test";
    static char* argv[] = {name, nullptr};
    static auto* application = new platform::Application(argc, argv, "Quorl2");
    static auto* app = new CVornInterfaceApp;
    (void)application;
    return *app;
}
