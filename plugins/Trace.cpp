#include "plugins/Trace.h"

#include <cstdio>
#include <cstdlib>

void vornTrace(const char* text)
{
    static const bool enabled = std::getenv("VORN_TRACE") != nullptr;
    if (enabled && text != nullptr)
        std::fputs(text, stderr);
}
