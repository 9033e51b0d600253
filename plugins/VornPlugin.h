#pragma once

#include "plugins/PlatformTypes.h"
#include "plugins/PluginWindow.h"

#include <cstdint>

class MAI;
class PluginManager;
class PluginType;

// Base of every plugin object. A library makes plugins; every other module drives them only
// through these virtual operations, so the order of the operations of each base below is the
// same in every module. Every list of plugins (a type's list, a disabled list, the list of
// unrecognised plugins) is chained through the two links here; a plugin is in one list at a time.
class VornPluginBase
{
public:
    VornPluginBase() = default;
    VornPluginBase(const VornPluginBase&) = delete;
    VornPluginBase& operator=(const VornPluginBase&) = delete;

    virtual ~VornPluginBase();
    virtual const char* getTypeName() = 0;
    // The plugin's identity within its type: the key of the configuration and accelerator files.
    virtual const char* getName() = 0;
    virtual bool isValid();
    // Registers the type names of the plugin's own sub-kinds (PluginManager::addPluginType).
    virtual void registerPluginTypes(PluginManager* registry);
    // Makes and answers the index-th sub-plugin (from 0), null after the last. The registry asks
    // each index once and keeps what it gets.
    virtual VornPluginBase* GetPackagedPlugin(uint32_t index);
    // Subscribes the plugin's notification listeners. The registry calls it once, when it adds
    // the plugin, which is after the host (or the packaging plugin) wrote the application
    // interface: a constructor is too early for that.
    virtual void registerListeners();

    VornPluginBase* getNext() const { return next; }
    VornPluginBase* getPrev() const { return prev; }
    bool isEnabled() const { return enabled != 0; }
    bool isDefault() const { return defaultFlag != 0; }
    void setEnabled(bool flag) { enabled = flag ? 1 : 0; }
    // Setting the flag clears it on every other plugin of the list and answers the plugin that had
    // it (null when none); clearing answers null and touches no other plugin.
    VornPluginBase* setDefault(bool flag);

private:
    friend class PluginManager;
    friend class PluginType;

    VornPluginBase* next = nullptr;
    VornPluginBase* prev = nullptr;
    PluginType* ownedTypes = nullptr; // the type records this plugin registered, newest first
    uint8_t enabled = 1;
    uint8_t defaultFlag = 0;
    bool added = false; // the registry has taken the plugin
};

// A plugin that knows the library that made it and the application interface. The host writes
// both right after the library hands the object out, before it adds it to the registry; a plugin
// that packages sub-plugins hands both on with `package`.
class VornPlugin : public VornPluginBase
{
public:
    // Every concrete plugin's description begins with its name, a colon and a line break.
    virtual const char* getDescription();
    // A box captioned with the plugin's name, owned by the parent's window (none without one).
    virtual void about(PluginWindowHandle* parent) = 0;
    // The request of the plugin's properties window; null when it has none.
    virtual PluginWindowRequest* getPropertiesRequest();

    // Gives a sub-plugin this plugin's module and application interface; answers the sub-plugin.
    template <class Plugin>
    Plugin* package(Plugin* subPlugin) const
    {
        if (subPlugin != nullptr)
        {
            subPlugin->module = module;
            subPlugin->mai = mai;
        }
        return subPlugin;
    }

    platform::ModuleHandle module = platform::ModuleHandle::None;
    MAI* mai = nullptr;
};

// A plugin with a window made from a dialog resource of its own library.
class VornPluginWindowed : public VornPlugin
{
public:
    // The request for the plugin's window; it lives as long as the plugin.
    virtual PluginWindowRequest* getWindowRequest() = 0;
    // Brings the given plugin forward when this plugin's window holds it; true when it did.
    virtual bool activatePlugin(VornPluginBase* plugin);

    // Null until the window exists; written through the window request's handle field.
    PluginWindowHandle* windowHandle = nullptr;
    // The plugin's own dialog object, not yet a window; when set, the host makes the window from
    // the dialog resource of the plugin's module around it, else it asks the library.
    platform::Dialog* dialogObject = nullptr;

protected:
    // Fills the plugin's own request record for a dialog id and answers it; the usual body of
    // getWindowRequest.
    PluginWindowRequest* requestWindow(int32_t dialogId);

private:
    PluginWindowRequest windowRequest;
};
