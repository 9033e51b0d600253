#include "Zintel/ZintelLibrary.h"

#include "plugins/Trace.h"

#include <cstdarg>
#include <cstdio>

namespace zintel
{

platform::ModuleHandle thisModule()
{
    static const platform::ModuleHandle module = platform::moduleContaining(reinterpret_cast<const void*>(&thisModule));
    return module;
}

void traceFormat(const char* format, ...)
{
    char line[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    vornTrace(line);
}

} // namespace zintel
