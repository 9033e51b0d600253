#pragma once

// The PropertyList dialog: the objects the user added to the document's property-list selection,
// one tab per object type, in the property columns of that type.

#include "Lumbra/Console/DialogPlugin.h"
#include "__globalobjectdevice/Notifier.h"
#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "platform/TabControl.h"
#include "uikit/PropertyList.h"

#include <cstdint>
#include <memory>

namespace lumbra
{

class PluginDialogPropertyList;

// "PRLCH" and "DOCCH": the dialog shows the property-list selection again.
class PropertyListRefreshListener : public NotifierListener
{
public:
    explicit PropertyListRefreshListener(PluginDialogPropertyList& plugin) : plugin(plugin) {}
    void notify(void* payload) override;
    PluginDialogPropertyList& plugin;
};

class CDialogPropertyList;

class PluginDialogPropertyList : public LumbraDialogPlugin
{
public:
    static constexpr int32_t dialogId = 166;

    PluginDialogPropertyList();

    // The first call subscribes the refresh listeners to "PRLCH" and "DOCCH".
    const char* getName() override;
    // Index 1: the add-to-property-list command; index 0 as every dialog.
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    int32_t getDockInfo(uint32_t key) override;

    CDialogPropertyList* window() const;

    std::unique_ptr<PropertyListRefreshListener> listChanged;
    std::unique_ptr<PropertyListRefreshListener> documentChanged;

protected:
    std::unique_ptr<platform::Dialog> makeDialog() override;
};

class CDialogPropertyList : public platform::Dialog
{
public:
    static constexpr int32_t tabsId = 1126;
    static constexpr int32_t listId = 1146;
    static constexpr int32_t headerId = 1000;
    static constexpr uint32_t repaintTimer = 0x79C4;

    CDialogPropertyList(platform::Window* parent, PluginDialogPropertyList* owner);

    bool onInitDialog() override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Tabs from the types of the listed objects, then the rows of the type shown.
    void refresh();
    // One row per listed object of the current type.
    void rebuildRows();

    platform::TabControl tabs;
    CPropertyListBox list;
    CPropertyListHeader header;
    int32_t fontHeight = 11;

private:
    void layout(int32_t width, int32_t height);
    void tabChanged();

    PluginDialogPropertyList* owner;
};

VornPlugin* makePropertyListDialog();

// The template 166.
platform::DialogTemplate propertyListTemplate();

} // namespace lumbra
