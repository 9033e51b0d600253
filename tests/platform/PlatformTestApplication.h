#pragma once

#include "platform/Application.h"

#include <vector>

// The one application of a test program, made on first use and kept for the whole run.
inline platform::Application& platformApplication()
{
    static int argc = 1;
    static char name[] = "platform_test";
    static char* argv[] = {name, nullptr};
    static platform::Application* application = new platform::Application(argc, argv, "Quorl2");
    return *application;
}

// Lets everything waiting run (messages, timers, paints, the idle phase).
inline void processMessages()
{
    platformApplication().processMessages();
}
