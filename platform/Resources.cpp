#include "platform/Resources.h"

#include <cstdio>
#include <map>
#include <set>

namespace platform
{

namespace
{

enum class ResourceKind
{
    Dialog,
    Bitmap,
    Cursor,
    Icon
};

struct Registry
{
    std::set<ModuleHandle> modules;
    std::map<std::pair<ModuleHandle, int32_t>, DialogTemplate> dialogs;
    std::map<std::pair<ModuleHandle, int32_t>, BitmapResource> bitmaps;
    std::map<std::pair<ModuleHandle, int32_t>, CursorResource> cursors;
    std::map<std::pair<ModuleHandle, int32_t>, BitmapResource> icons;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

void checkModule(ModuleHandle module, ResourceKind kind, int32_t id)
{
    static const char* const kindNames[] = {"dialog", "bitmap", "cursor", "icon"};
    if (module != ModuleHandle::None && registry().modules.count(module) != 0)
        return;
    char text[160];
    std::snprintf(text, sizeof text, "%s %d looked up in %s module %#llx", kindNames[static_cast<int>(kind)], id,
                  module == ModuleHandle::None ? "the null" : "an unknown", static_cast<unsigned long long>(module));
    throw ResourceError(text);
}

template <typename Resource>
void store(std::map<std::pair<ModuleHandle, int32_t>, Resource>& table, ModuleHandle module, int32_t id,
           Resource resource)
{
    if (module == ModuleHandle::None)
        throw ResourceError("resources cannot be registered under the null module");
    registry().modules.insert(module);
    table[{module, id}] = std::move(resource);
}

template <typename Resource>
const Resource* lookUp(const std::map<std::pair<ModuleHandle, int32_t>, Resource>& table, ModuleHandle module,
                       ResourceKind kind, int32_t id)
{
    checkModule(module, kind, id);
    auto found = table.find({module, id});
    return found != table.end() ? &found->second : nullptr;
}

thread_local ModuleHandle currentModule = ModuleHandle::None;

} // namespace

void registerDialogTemplate(ModuleHandle module, int32_t id, DialogTemplate dialogTemplate)
{
    store(registry().dialogs, module, id, std::move(dialogTemplate));
}

void registerBitmapResource(ModuleHandle module, int32_t id, BitmapResource bitmap)
{
    store(registry().bitmaps, module, id, std::move(bitmap));
}

void registerCursorResource(ModuleHandle module, int32_t id, CursorResource cursor)
{
    store(registry().cursors, module, id, std::move(cursor));
}

void registerIconResource(ModuleHandle module, int32_t id, BitmapResource icon)
{
    store(registry().icons, module, id, std::move(icon));
}

const BitmapResource* findIconResource(ModuleHandle module, int32_t id)
{
    return lookUp(registry().icons, module, ResourceKind::Icon, id);
}

const DialogTemplate* findDialogTemplate(ModuleHandle module, int32_t id)
{
    return lookUp(registry().dialogs, module, ResourceKind::Dialog, id);
}

const BitmapResource* findBitmapResource(ModuleHandle module, int32_t id)
{
    return lookUp(registry().bitmaps, module, ResourceKind::Bitmap, id);
}

const CursorResource* findCursorResource(ModuleHandle module, int32_t id)
{
    return lookUp(registry().cursors, module, ResourceKind::Cursor, id);
}

std::vector<std::pair<ModuleHandle, int32_t>> registeredDialogTemplates()
{
    std::vector<std::pair<ModuleHandle, int32_t>> keys;
    for (const auto& entry : registry().dialogs)
        keys.push_back(entry.first);
    return keys;
}

ModuleHandle currentResourceModule()
{
    return currentModule;
}

ResourceModuleScope::ResourceModuleScope(ModuleHandle module) : previous_(currentModule)
{
    currentModule = module;
}

ResourceModuleScope::~ResourceModuleScope()
{
    currentModule = previous_;
}

} // namespace platform
