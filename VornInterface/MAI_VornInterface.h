#pragma once

#include "VornInterface/CommandIds.h"
#include "plugins/MAI.h"
#include "plugins/PlatformTypes.h"
#include "plugins/PluginWindow.h"
#include "platform/Message.h"
#include "plugins/PluginLibraryExports.h"
#include "uikit/PluginWindowHandleImpl.h"

#include <map>

#include <string>

class HostFrame;

// The application interface as the host carries it out: plugin windows, menu items and
// toolbars, message boxes, the colour dialog, the working folder, the beep and posted commands.
class MAI_VornInterface : public MAI
{
public:
    // Reads the working folder: the current folder at this moment.
    MAI_VornInterface();

    PluginWindowHandle* createWindowHandle(platform::Window* window) override;
    PluginWindowHandle* createPluginWindow(PluginWindowRequest* request, PluginWindowHandle* parent) override;
    PluginWindowHandle* requestPluginWindow(VornPluginWindowed* plugin, int32_t dialogId,
                                            PluginWindowHandle* parent) override;
    // Gives the item a command id when it has none and puts it into the current menu once: an item
    // already in the menus stays as it is.
    bool addMenuItem(VornPluginMenuItem* item) override;
    bool removeMenuItem(VornPluginMenuItem* item) override;
    void redrawToolbars() override;
    int32_t messageBox(const char* text, const char* caption, uint32_t type) override;
    void chooseColor(uint32_t* colour, ColorChoiceListener* listener) override;
    const char* getWorkingFolder() override { return workingFolder_.c_str(); }
    void beep() override;
    void postCommand(uint32_t commandId) override;

    // The main frame, once it exists.
    void setFrame(HostFrame* frame) { frame_ = frame; }
    HostFrame* frame() const { return frame_; }
    CommandIdCounter& commandIds() { return commandIds_; }
    // The menu items in the menus, newest first.
    VornPluginMenuItem* firstMenuItem() const { return menuItems_; }
    VornPluginMenuItem* findMenuItem(uint32_t commandId) const;
    bool isInMenus(const VornPluginMenuItem* item) const;
    // The GetPluginWindow entry of each loaded library, by its module.
    void setWindowEntry(platform::ModuleHandle module, GetPluginWindowFunction entry);
    GetPluginWindowFunction windowEntryOf(platform::ModuleHandle module) const;

private:
    std::map<platform::ModuleHandle, GetPluginWindowFunction> windowEntries_;
    HostFrame* frame_ = nullptr;
    VornPluginMenuItem* menuItems_ = nullptr;
    CommandIdCounter commandIds_;
    std::string workingFolder_;
};
