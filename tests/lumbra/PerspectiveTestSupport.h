#pragma once

// A document interface with a small frame in the plane x = 0 and perspective windows of a given
// client size on it, with the perspective view type registered as the host registers it.
//
//   J3 (0,-40,40) --M3-- J4 (0,40,40)      drawn by a fresh camera at (-2y, -2z) from the centre
//        |M1                |M2
//   J1 (0,-40,0)         J2 (0,40,0)

#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/Perspective/PerspectiveDrawObjects.h"
#include "Lumbra/Perspective/PerspectiveViewType.h"
#include "platform/DeviceContext.h"
#include "platform/Dialog.h"
#include "plugins/InputEvent.h"
#include "plugins/PluginManager.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "uikit/PluginWindowHandleImpl.h"

#include <memory>
#include <vector>

// A view with a client area of its own size that counts its repaints and captures.
class SizedView : public FakeView
{
public:
    SizedView(MAI_Doc* document, int32_t width, int32_t height) : FakeView(document), width(width), height(height) {}
    void getClientRect(platform::Rect& rect) override { rect = {0, 0, width, height}; }
    void invalidate(bool) override { ++invalidations; }

    int32_t width;
    int32_t height;
    int invalidations = 0;
};

// Counts the menu items handed to the host and taken back, and the tool bar redraws.
class PerspectiveMAI : public ScriptedMAI
{
public:
    bool addMenuItem(VornPluginMenuItem* item) override
    {
        ++added;
        item->getMenuPath(); // as the host does
        return true;
    }
    bool removeMenuItem(VornPluginMenuItem*) override
    {
        ++removed;
        return true;
    }
    void redrawToolbars() override { ++toolbarRedraws; }
    // With `buildWindows`, a plugin's own dialog object becomes its window from its module's template,
    // as the host makes it.
    PluginWindowHandle* createPluginWindow(PluginWindowRequest* request, PluginWindowHandle* parent) override
    {
        ScriptedMAI::createPluginWindow(request, parent);
        platform::Dialog* dialog = request != nullptr ? request->plugin->dialogObject : nullptr;
        if (!buildWindows || dialog == nullptr || parent == nullptr || !dialog->create(parent->getWnd(), request->plugin->module))
            return nullptr;
        windows.push_back(std::make_unique<PluginWindowHandleImpl>(dialog));
        if (request->handleField != nullptr)
            *request->handleField = windows.back().get();
        return windows.back().get();
    }

    int added = 0;
    int removed = 0;
    int toolbarRedraws = 0;
    bool buildWindows = false;
    std::vector<std::unique_ptr<PluginWindowHandle>> windows;
};

class PerspectiveTest : public ::testing::Test
{
protected:
    PerspectiveTest()
    {
        viewType->mai = &mai;
        viewType->module = lumbra::thisModule(); // the resources of the library's code in the test
        registry.addPlugin(viewType);
        mai.activeDocument = &doc;
    }

    // A window of the document showing the perspective view; the first one made is the active view.
    SizedView& openWindow(int32_t width = 240, int32_t height = 200)
    {
        views.push_back(std::make_unique<SizedView>(&doc, width, height));
        SizedView& view = *views.back();
        viewType->getViewTypeInfo(&view);
        view.onSize(width, height);
        if (mai.activeView == nullptr)
            mai.activeView = &view;
        return view;
    }

    lumbra::PerspectiveView& cameraOf(MAI_View& view) { return *lumbra::perspectiveOf(&view); }

    // Paints the window into a picture of its client size.
    platform::Surface paint(SizedView& view)
    {
        platform::Surface picture(view.width, view.height, 0x00FF00FF);
        platform::DeviceContext context(picture);
        viewType->draw(&context, view.viewTypeInfos);
        return picture;
    }

    void buildFrame()
    {
        model.addJoint("J1", 0, -40, 0);
        model.addJoint("J2", 0, 40, 0);
        model.addJoint("J3", 0, -40, 40);
        model.addJoint("J4", 0, 40, 40);
        model.addMember("M1", "J1", "J3");
        model.addMember("M2", "J2", "J4");
        model.addMember("M3", "J3", "J4");
        for (uint32_t index = 0; index < model.joints->getCount(); ++index)
            (*model.joints)[index].setColor(0x0000FF);
        for (uint32_t index = 0; index < model.members->getCount(); ++index)
            (*model.members)[index].setColor(0xFF0000);
    }

    // The layer of the window made by the plugin of that name.
    lumbra::PerspectiveDrawObject* layer(MAI_View& view, const char* pluginName)
    {
        for (DrawObject* object = view.viewTypeInfos->drawObjects; object != nullptr; object = object->next)
            if (std::string(object->plugin->getName()) == pluginName)
                return static_cast<lumbra::PerspectiveDrawObject*>(object);
        return nullptr;
    }

    // Only the named layers are shown.
    void showOnly(MAI_View& view, std::initializer_list<const char*> names)
    {
        for (DrawObject* object = view.viewTypeInfos->drawObjects; object != nullptr; object = object->next)
        {
            object->enabled = 0;
            for (const char* name : names)
                if (std::string(object->plugin->getName()) == name)
                    object->enabled = 1;
        }
    }

    // A left-button band from one window position to another, with Shift and Ctrl bits in `keys`.
    void band(MAI_View& view, platform::Point from, platform::Point to, uint32_t keys = 0)
    {
        viewType->onMouse(&view, from.x, from.y, InputEvent::LeftDown | InputEvent::LeftHeld | keys);
        viewType->onMouse(&view, to.x, to.y, InputEvent::LeftHeld | keys);
        viewType->onMouse(&view, to.x, to.y, InputEvent::LeftUp | keys);
    }

    // Names of the current selection's objects, sorted.
    std::vector<std::string> selectedNames()
    {
        std::vector<std::string> names;
        for (knot* link = doc.document.getSelection()->objects.getFirst(); link != nullptr; link = link->getNext())
            names.push_back(VornSelection::objectOf(link)->name.getString());
        std::sort(names.begin(), names.end());
        return names;
    }

    template <class Plugin>
    Plugin* packaged(VornPluginBase* list)
    {
        for (VornPluginBase* plugin = list; plugin != nullptr; plugin = plugin->getNext())
            if (auto* found = dynamic_cast<Plugin*>(plugin))
                return found;
        return nullptr;
    }

    PerspectiveMAI mai;
    CountingDoc doc{&mai};
    ModelDocument model{doc.document};
    PluginManager registry;
    lumbra::PluginViewPerspective* viewType = new lumbra::PluginViewPerspective;
    std::vector<std::unique_ptr<SizedView>> views;
};
