#pragma once

#include "platform/PlatformApi.h"

#include <cstdint>
#include <string>

namespace platform
{

// Identity of one loaded shared object (the program or a library): its load address.
// Resources are registered and looked up under it; the null handle names no module.
enum class ModuleHandle : std::uintptr_t
{
    None = 0
};

// The module that contains the given code or data address; None when it lies in no module.
PLATFORM_API ModuleHandle moduleContaining(const void* address);

// A shared library loaded with RTLD_NOW | RTLD_LOCAL. Libraries are never unloaded: the objects
// they hand out live until the process ends, so the class has no unload operation.
class PLATFORM_API DynamicLibrary
{
public:
    // Loads the library at `path`. On failure isLoaded() is false and error() says why.
    static DynamicLibrary load(const std::string& path);

    bool isLoaded() const { return handle_ != nullptr; }
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }
    ModuleHandle module() const { return module_; }

    // The exported symbol of that exact (unmangled) name, or null when the library lacks it.
    void* symbol(const char* name) const;

private:
    void* handle_ = nullptr;
    ModuleHandle module_ = ModuleHandle::None;
    std::string path_;
    std::string error_;
};

} // namespace platform
