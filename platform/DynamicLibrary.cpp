#include "platform/DynamicLibrary.h"

#include <dlfcn.h>
#include <link.h>

namespace platform
{

ModuleHandle moduleContaining(const void* address)
{
    Dl_info info{};
    if (address == nullptr || dladdr(address, &info) == 0 || info.dli_fbase == nullptr)
        return ModuleHandle::None;
    return static_cast<ModuleHandle>(reinterpret_cast<std::uintptr_t>(info.dli_fbase));
}

DynamicLibrary DynamicLibrary::load(const std::string& path)
{
    DynamicLibrary library;
    library.path_ = path;
    dlerror();
    library.handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library.handle_ == nullptr)
    {
        const char* reason = dlerror();
        library.error_ = reason != nullptr ? reason : "unknown error";
        return library;
    }
    // The load base of the library is its module identity.
    link_map* map = nullptr;
    if (dlinfo(library.handle_, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr)
    {
        Dl_info info{};
        if (map->l_ld != nullptr && dladdr(map->l_ld, &info) != 0 && info.dli_fbase != nullptr)
            library.module_ = static_cast<ModuleHandle>(reinterpret_cast<std::uintptr_t>(info.dli_fbase));
    }
    return library;
}

void* DynamicLibrary::symbol(const char* name) const
{
    if (handle_ == nullptr || name == nullptr)
        return nullptr;
    return dlsym(handle_, name);
}

} // namespace platform
