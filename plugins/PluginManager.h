#pragma once

#include <cstdint>

class VornPluginBase;

// One registered plugin type: a type name bound to the head of a plugin list that its registrant
// owns. The same name may be registered several times; records are never merged.
class PluginType
{
public:
    const char* getName() const { return name; }
    VornPluginBase* getOwner() const { return owner; }
    VornPluginBase** getListHead() const { return listHead; }
    VornPluginBase* getFirstDisabled() const { return disabled; }
    // The record registered right after this one; null for the newest.
    const PluginType* getNewer() const { return newer; }

private:
    friend class PluginManager;

    PluginType(PluginType* older, VornPluginBase** listHead, const char* name, VornPluginBase* owner);
    PluginType(const PluginType&) = delete;
    PluginType& operator=(const PluginType&) = delete;

    // Moves plugins whose enabled flag is clear to the disabled list and back, and the default
    // plugin to the front of the active list.
    void applyConfiguration();

    PluginType* older;
    PluginType* newer = nullptr;
    PluginType* nextOfOwner = nullptr;
    VornPluginBase* owner;
    VornPluginBase** listHead;
    const char* name; // owned by the registrant
    VornPluginBase* disabled = nullptr;
};

// Told one line per plugin the registry adds (the host's start-up progress line).
class PluginRegistryListener
{
public:
    virtual void pluginAdding(const char* line) = 0;

protected:
    ~PluginRegistryListener() = default;
};

// The registry of plugin types and plugins. A plugin is filed into the list of the newest type
// whose name equals its type name; plugins whose type nobody registered wait in the list of
// unrecognised plugins until it is. Lists are filled by pushing at the head. Names are compared
// exactly (case matters). The host keeps one registry for the whole run.
class PluginManager
{
public:
    PluginManager() = default;
    PluginManager(const PluginManager&) = delete;
    PluginManager& operator=(const PluginManager&) = delete;
    // Deletes every plugin of every list and every type record.
    ~PluginManager();

    // The process's registry: `instanciate` makes it once, `instance` answers it (a program error
    // before it exists).
    static PluginManager* instanciate();
    static PluginManager* instance();

    // Registers a type and moves the waiting unrecognised plugins of that type into its list.
    // Null (and nothing registered) for a null list head or name or when memory runs out.
    PluginType* addPluginType(VornPluginBase** listHead, const char* name, VornPluginBase* owner);
    // Registers the plugin's listeners and types, adds what it packages (depth first), then files
    // the plugin itself; a plugin the registry has already taken is left where it is. What its
    // listeners, types or packaging throw is passed on, with the plugin and what it packaged so
    // far filed.
    void addPlugin(VornPluginBase* plugin, PluginRegistryListener* listener = nullptr);

    // Walk of the type records from the oldest: getFirstType, then PluginType::getNewer.
    const PluginType* getFirstType() const { return oldest; }
    // The name of the oldest record; null when no type is registered.
    const char* getFirstTypeName() const;
    // The name of the record registered right after the first record of that name. A name
    // registered twice makes a walk by names go round; walk the records instead.
    const char* getNextTypeName(const char* name) const;
    // Lookups by name find the oldest record of the name.
    const char* getTypeOwnerName(const char* name) const;
    VornPluginBase* getFirstPlugin(const char* typeName) const;
    // The first enabled plugin of that name in the type's active list; else the last disabled one.
    VornPluginBase* findPlugin(const char* typeName, const char* pluginName) const;
    VornPluginBase* getFirstDisabledPlugin(const char* typeName) const;
    VornPluginBase* getUnrecognizedPlugins() const { return unrecognized; }
    int32_t countOwnedTypes(const VornPluginBase* plugin) const;
    // 0 is the type the plugin registered last.
    const char* getOwnedTypeName(const VornPluginBase* plugin, int32_t index) const;
    void applyConfiguration();

    // The line the listener gets for a plugin: "Adding: '<name>' of type '<type>'", the name cut
    // at 200 characters and the type so that the line stays within 253.
    static void describeAdding(VornPluginBase* plugin, char (&line)[254]);

    // List operations shared by every list of plugins.
    static void pushFront(VornPluginBase*& head, VornPluginBase* plugin);
    static void unlink(VornPluginBase*& head, VornPluginBase* plugin);

private:
    void file(VornPluginBase* plugin);
    PluginType* findOldest(const char* name) const;
    PluginType* findNewest(const char* name) const;

    PluginType* newest = nullptr;
    PluginType* oldest = nullptr;
    VornPluginBase* unrecognized = nullptr;

    static PluginManager* uniqueInstance;
};
