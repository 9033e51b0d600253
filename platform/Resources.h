#pragma once

// Resources of a module: dialog templates, bitmaps, icons and cursors, registered by each library under
// its own module handle when it loads and looked up by (module, kind, id). Ids repeat between
// modules. A lookup in the null module or a module that registered nothing is a program error
// and throws ResourceError: it never falls back to another module.

#include "platform/DialogTemplate.h"
#include "platform/DynamicLibrary.h"
#include "platform/PlatformApi.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace platform
{

class PLATFORM_API ResourceError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A bitmap or icon resource: pixels 0x00BBGGRR, rows from the top. Pixels of
// `transparentColour` are not drawn (0xFFFFFFFF: none are; icons use it).
struct BitmapResource
{
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    uint32_t transparentColour = 0xFFFFFFFF;
};

// A cursor resource: pixels of `transparentColour` are not drawn.
struct CursorResource
{
    int32_t width = 0;
    int32_t height = 0;
    int32_t hotspotX = 0;
    int32_t hotspotY = 0;
    std::vector<uint32_t> pixels;
    uint32_t transparentColour = 0xFF00FF;
};

// Registering an id again replaces the resource.
PLATFORM_API void registerDialogTemplate(ModuleHandle module, int32_t id, DialogTemplate dialogTemplate);
PLATFORM_API void registerBitmapResource(ModuleHandle module, int32_t id, BitmapResource bitmap);
PLATFORM_API void registerCursorResource(ModuleHandle module, int32_t id, CursorResource cursor);
PLATFORM_API void registerIconResource(ModuleHandle module, int32_t id, BitmapResource icon);

// Null when the module has no such resource; ResourceError for a null or unknown module.
PLATFORM_API const DialogTemplate* findDialogTemplate(ModuleHandle module, int32_t id);
PLATFORM_API const BitmapResource* findBitmapResource(ModuleHandle module, int32_t id);
PLATFORM_API const CursorResource* findCursorResource(ModuleHandle module, int32_t id);
PLATFORM_API const BitmapResource* findIconResource(ModuleHandle module, int32_t id);

// The module and id of every registered dialog template, by module and then id.
PLATFORM_API std::vector<std::pair<ModuleHandle, int32_t>> registeredDialogTemplates();

// The module whose resources library code uses when it names none: set for a scope with
// ResourceModuleScope, as the library's entry points and window code do.
PLATFORM_API ModuleHandle currentResourceModule();

class PLATFORM_API ResourceModuleScope
{
public:
    explicit ResourceModuleScope(ModuleHandle module);
    ~ResourceModuleScope();
    ResourceModuleScope(const ResourceModuleScope&) = delete;
    ResourceModuleScope& operator=(const ResourceModuleScope&) = delete;

private:
    ModuleHandle previous_;
};

} // namespace platform
