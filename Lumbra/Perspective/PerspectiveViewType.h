#pragma once

#include "Lumbra/Perspective/PerspectiveView.h"
#include "plugins/VornPluginViewBase.h"

#include <memory>
#include <string>

namespace lumbra
{

class CViewPagePerspective;
class PerspectiveDrawObject;

// A menu item that switches a window to one view type ("&View\Select &Type\...").
class PluginMenuItemView : public VornPluginMenuItem
{
public:
    PluginMenuItemView(VornPluginViewBase* viewType, const char* menuPath);
    const char* getName() override { return menuPath.c_str(); }
    const char* getDescription() override { return menuPath.c_str(); }
    const char* getMenuPath() override { return menuPath.c_str(); }
    void about(PluginWindowHandle* parent) override;
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

    VornPluginViewBase* viewType;
    std::string menuPath;
};

// The bases of the perspective family. Each files its plugins under its own type name, which the
// perspective view type registers.
class PluginVPDrawObject : public PluginDrawObject
{
public:
    const char* getTypeName() override { return "Perspective Draw Object"; }
};

class PluginVPMenuItem : public VornPluginMenuItem
{
public:
    PluginVPMenuItem() { pageButton.commandId = 0; }
    const char* getTypeName() override { return "Perspective MenuItem"; }

    // The item's button on the view page's tool bar.
    platform::ToolbarButton pageButton;
};

class PluginVPPage : public VornPluginWindowed
{
public:
    const char* getTypeName() override { return "Perspective Page"; }
    virtual void updatePage() {}
};

class PluginVPSnapObject : public VornPluginSnapObject
{
public:
    using VornPluginSnapObject::VornPluginSnapObject;
    const char* getTypeName() override { return "Perspective Snap Object"; }
    // Enabled while the master is usable, checked while it is enabled as well.
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
};

// The perspective view type ("Perspective"): shows the model drawn in layers through a camera of
// its own in each window, and selects with a rubber band. It packages its view menu item, eight
// layers, three pages, three tools and three snap objects.
class PluginViewPerspective : public VornPluginViewBase
{
public:
    static constexpr uint32_t packagedCount = 18;

    PluginViewPerspective();
    ~PluginViewPerspective() override;
    const char* getName() override { return "Perspective"; }
    void registerPluginTypes(PluginManager* registry) override;
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    const char* getDescription() override { return "Perspective:\nA basic view type."; }
    void about(PluginWindowHandle* parent) override;
    PluginWindowRequest* getWindowRequest() override;
    bool activatePlugin(VornPluginBase* plugin) override;
    ViewTypeInfo* getViewTypeInfo(MAI_View* view) override;
    void activateView(MAI_View* previousView, VornPluginViewBase* previousViewType) override;
    void deactivateView(MAI_View* nextView, VornPluginViewBase* nextViewType) override;
    void draw(platform::DeviceContext* context, ViewTypeInfo* info) override;
    void onMouse(MAI_View* view, int32_t x, int32_t y, uint32_t flags) override;

    // Lets every page show the active view's values.
    void updatePages();

    VornPluginBase* snapObjectPlugins = nullptr;
    VornPluginBase* drawObjectPlugins = nullptr;
    VornPluginBase* menuItemPlugins = nullptr;
    VornPluginBase* pagePlugins = nullptr;
    // The view page, made at the first window request.
    std::unique_ptr<CViewPagePerspective> viewPage;

private:
    void selectInBand(MAI_View* view, PerspectiveView& info, int32_t x, int32_t y, uint32_t flags);
};

// The milliseconds of the paint clock (the stamp of the projected-joint lists).
uint32_t paintTime();

} // namespace lumbra
