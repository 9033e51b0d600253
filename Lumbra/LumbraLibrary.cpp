#include "Lumbra/LumbraLibrary.h"

namespace lumbra
{

platform::ModuleHandle thisModule()
{
    static const platform::ModuleHandle module = platform::moduleContaining(reinterpret_cast<const void*>(&thisModule));
    return module;
}

PluginWindowHandle* makeWindowHandle()
{
    return new PluginWindowHandleImpl;
}

} // namespace lumbra
