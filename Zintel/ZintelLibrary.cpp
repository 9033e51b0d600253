#include "Zintel/ZintelLibrary.h"

namespace zintel
{

platform::ModuleHandle thisModule()
{
    static const platform::ModuleHandle module = platform::moduleContaining(reinterpret_cast<const void*>(&thisModule));
    return module;
}

} // namespace zintel
