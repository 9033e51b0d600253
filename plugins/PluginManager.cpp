#include "plugins/PluginManager.h"

#include "VornData/generalException.h"
#include "VornData/IntrusiveList.h"
#include "plugins/VornPlugin.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

PluginManager* PluginManager::uniqueInstance = nullptr;

namespace
{

bool sameName(const char* a, const char* b)
{
    return a != nullptr && b != nullptr && std::strcmp(a, b) == 0;
}

const char* textOrEmpty(const char* text)
{
    return text != nullptr ? text : "";
}

} // namespace

PluginType::PluginType(PluginType* older, VornPluginBase** listHead, const char* name, VornPluginBase* owner)
    : older(older), owner(owner), listHead(listHead), name(name)
{
    if (owner != nullptr)
    {
        nextOfOwner = owner->ownedTypes;
        owner->ownedTypes = this;
    }
    if (older != nullptr)
        older->newer = this;
}

void PluginType::applyConfiguration()
{
    VornPluginBase*& active = *listHead;
    for (VornPluginBase* plugin = active; plugin != nullptr;)
    {
        VornPluginBase* following = plugin->next;
        if (!plugin->isEnabled())
        {
            PluginManager::unlink(active, plugin);
            PluginManager::pushFront(disabled, plugin);
        }
        plugin = following;
    }
    for (VornPluginBase* plugin = disabled; plugin != nullptr;)
    {
        VornPluginBase* following = plugin->next;
        if (plugin->isEnabled())
        {
            PluginManager::unlink(disabled, plugin);
            PluginManager::pushFront(active, plugin);
            plugin->setDefault(false);
        }
        plugin = following;
    }
    if (active == nullptr || active->isDefault())
        return;
    for (VornPluginBase* plugin = active->next; plugin != nullptr; plugin = plugin->next)
    {
        if (plugin->isDefault())
        {
            PluginManager::unlink(active, plugin);
            PluginManager::pushFront(active, plugin);
            return;
        }
    }
}

PluginManager::~PluginManager()
{
    // Take every plugin off its list before anything is deleted: a list head may live inside a
    // plugin that another record lists.
    std::vector<VornPluginBase*> plugins;
    auto takeAll = [&plugins](VornPluginBase*& head) {
        while (head != nullptr)
        {
            VornPluginBase* plugin = head;
            unlink(head, plugin);
            plugins.push_back(plugin);
        }
    };
    for (PluginType* type = newest; type != nullptr; type = type->older)
    {
        takeAll(*type->listHead);
        takeAll(type->disabled);
    }
    takeAll(unrecognized);
    while (newest != nullptr)
    {
        PluginType* older = newest->older;
        delete newest;
        newest = older;
    }
    oldest = nullptr;
    for (VornPluginBase* plugin : plugins)
    {
        plugin->ownedTypes = nullptr;
        delete plugin;
    }
    if (uniqueInstance == this)
        uniqueInstance = nullptr;
}

PluginManager* PluginManager::instanciate()
{
    if (uniqueInstance == nullptr)
        uniqueInstance = new PluginManager;
    return uniqueInstance;
}

PluginManager* PluginManager::instance()
{
    if (uniqueInstance == nullptr)
        throw Exc_InternalError("PluginManager::instance()");
    return uniqueInstance;
}

void PluginManager::pushFront(VornPluginBase*& head, VornPluginBase* plugin)
{
    linkAtFront<&VornPluginBase::prev, &VornPluginBase::next>(head, plugin);
}

void PluginManager::unlink(VornPluginBase*& head, VornPluginBase* plugin)
{
    unlinkFrom<&VornPluginBase::prev, &VornPluginBase::next>(head, plugin);
}

PluginType* PluginManager::addPluginType(VornPluginBase** listHead, const char* name, VornPluginBase* owner)
{
    if (listHead == nullptr || name == nullptr)
        return nullptr;
    PluginType* type = new (std::nothrow) PluginType(newest, listHead, name, owner);
    if (type == nullptr)
        return nullptr;
    newest = type;
    if (oldest == nullptr)
        oldest = type;
    for (VornPluginBase* plugin = unrecognized; plugin != nullptr;)
    {
        VornPluginBase* following = plugin->next;
        if (sameName(plugin->getTypeName(), name))
        {
            unlink(unrecognized, plugin);
            pushFront(*listHead, plugin);
        }
        plugin = following;
    }
    return type;
}

void PluginManager::describeAdding(VornPluginBase* plugin, char (&line)[254])
{
    static constexpr std::size_t maximumLength = 253;
    static constexpr std::size_t maximumNameLength = 200;
    static constexpr char prefix[] = "Adding: '";
    static constexpr char middle[] = "' of type '";
    const char* name = textOrEmpty(plugin->getName());
    const char* type = textOrEmpty(plugin->getTypeName());
    const std::size_t nameLength = std::min(std::strlen(name), maximumNameLength);
    const std::size_t fixedLength = sizeof(prefix) - 1 + nameLength + sizeof(middle) - 1 + 1;
    const std::size_t typeLength = std::min(std::strlen(type), maximumLength - fixedLength);

    char* out = line;
    auto append = [&out](const char* text, std::size_t length) {
        std::memcpy(out, text, length);
        out += length;
    };
    append(prefix, sizeof(prefix) - 1);
    append(name, nameLength);
    append(middle, sizeof(middle) - 1);
    append(type, typeLength);
    append("'", 1);
    *out = '\0';
}

void PluginManager::addPlugin(VornPluginBase* plugin, PluginRegistryListener* listener)
{
    // A plugin handed over again (also by its own packaging) is already in a list; filing it twice
    // would close that list into a ring.
    if (plugin == nullptr || plugin->added)
        return;
    plugin->added = true;
    try
    {
        plugin->registerListeners();
        if (listener != nullptr)
        {
            char line[254];
            describeAdding(plugin, line);
            listener->pluginAdding(line);
        }
        plugin->registerPluginTypes(this);
        for (uint32_t index = 0;; ++index)
        {
            VornPluginBase* packaged = plugin->GetPackagedPlugin(index);
            if (packaged == nullptr)
                break;
            addPlugin(packaged, listener);
        }
    }
    catch (...)
    {
        // A plugin that failed to start or to package everything is still the registry's to keep.
        file(plugin);
        throw;
    }
    file(plugin);
}

void PluginManager::file(VornPluginBase* plugin)
{
    PluginType* type = findNewest(plugin->getTypeName());
    pushFront(type != nullptr ? *type->listHead : unrecognized, plugin);
}

PluginType* PluginManager::findOldest(const char* name) const
{
    for (PluginType* type = oldest; type != nullptr; type = type->newer)
        if (sameName(type->name, name))
            return type;
    return nullptr;
}

PluginType* PluginManager::findNewest(const char* name) const
{
    for (PluginType* type = newest; type != nullptr; type = type->older)
        if (sameName(type->name, name))
            return type;
    return nullptr;
}

const char* PluginManager::getFirstTypeName() const
{
    return oldest != nullptr ? oldest->name : nullptr;
}

const char* PluginManager::getNextTypeName(const char* name) const
{
    const PluginType* type = findOldest(name);
    return type != nullptr && type->newer != nullptr ? type->newer->name : nullptr;
}

const char* PluginManager::getTypeOwnerName(const char* name) const
{
    const PluginType* type = findOldest(name);
    return type != nullptr && type->owner != nullptr ? type->owner->getName() : nullptr;
}

VornPluginBase* PluginManager::getFirstPlugin(const char* typeName) const
{
    const PluginType* type = findOldest(typeName);
    return type != nullptr ? *type->listHead : nullptr;
}

VornPluginBase* PluginManager::findPlugin(const char* typeName, const char* pluginName) const
{
    const PluginType* type = findOldest(typeName);
    if (type == nullptr)
        return nullptr;
    VornPluginBase* lastDisabled = nullptr;
    for (VornPluginBase* plugin = *type->listHead; plugin != nullptr; plugin = plugin->next)
    {
        if (!sameName(plugin->getName(), pluginName))
            continue;
        if (plugin->isEnabled())
            return plugin;
        lastDisabled = plugin;
    }
    return lastDisabled;
}

VornPluginBase* PluginManager::getFirstDisabledPlugin(const char* typeName) const
{
    const PluginType* type = findOldest(typeName);
    return type != nullptr ? type->disabled : nullptr;
}

int32_t PluginManager::countOwnedTypes(const VornPluginBase* plugin) const
{
    int32_t count = 0;
    if (plugin != nullptr)
        for (const PluginType* type = plugin->ownedTypes; type != nullptr; type = type->nextOfOwner)
            ++count;
    return count;
}

const char* PluginManager::getOwnedTypeName(const VornPluginBase* plugin, int32_t index) const
{
    if (plugin == nullptr || index < 0)
        return nullptr;
    const PluginType* type = plugin->ownedTypes;
    for (; type != nullptr && index > 0; --index)
        type = type->nextOfOwner;
    return type != nullptr ? type->name : nullptr;
}

void PluginManager::applyConfiguration()
{
    for (PluginType* type = newest; type != nullptr; type = type->older)
        type->applyConfiguration();
}
