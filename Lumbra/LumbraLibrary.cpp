#include "Lumbra/LumbraLibrary.h"

namespace lumbra
{

platform::ModuleHandle thisModule()
{
    static const platform::ModuleHandle module = platform::moduleContaining(reinterpret_cast<const void*>(&thisModule));
    return module;
}

} // namespace lumbra

namespace lumbra
{

PluginWindowHandle* makeWindowHandle()
{
    return nullptr;
}

} // namespace lumbra
