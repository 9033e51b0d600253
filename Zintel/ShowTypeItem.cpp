#include "Zintel/ShowTypeItem.h"

#include "Zintel/ZintelLibrary.h"
#include "plugins/MAI.h"
#include "platform/Application.h"
#include "platform/CommandRouting.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

#include <cstring>
#include <new>

namespace zintel
{

PluginVOMIShowType::PluginVOMIShowType(PluginDrawObject* drawObjectPlugin) : drawObjectPlugin(drawObjectPlugin)
{
    button.imageIndex = -1;
}

const char* PluginVOMIShowType::getName()
{
    if (drawObjectPlugin == nullptr)
        return "_error_";
    if (nameText.empty())
        nameText = std::string("Display ") + drawObjectPlugin->getDisplayName() + " " + drawObjectPlugin->getModeName();
    return nameText.c_str();
}

const char* PluginVOMIShowType::getMenuPath()
{
    if (drawObjectPlugin == nullptr)
        return nullptr;
    if (menuPathText.empty())
    {
        const char* displayName = drawObjectPlugin->getDisplayName();
        menuPathText = std::string("&View\\&Display\\") + displayName;
        // The draw-object plugins of the OpenGL view type are one list, which holds this one.
        VornPluginBase* first = drawObjectPlugin;
        while (first->getPrev() != nullptr)
            first = first->getPrev();
        bool shared = false;
        for (VornPluginBase* plugin = first; plugin != nullptr && !shared; plugin = plugin->getNext())
            shared = plugin != drawObjectPlugin &&
                std::strcmp(static_cast<PluginDrawObject*>(plugin)->getDisplayName(), displayName) == 0;
        if (shared)
            menuPathText += std::string("\\") + drawObjectPlugin->getModeName();
    }
    return menuPathText.c_str();
}

const char* PluginVOMIShowType::getDescription()
{
    return getMenuPath();
}

const char* PluginVOMIShowType::getToolTipText()
{
    return getName();
}

void PluginVOMIShowType::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginVOMIShowType", "ShowType.. [OpenGL]\n1999");
}

OpenGLDrawObject* PluginVOMIShowType::drawObjectIn(MAI_View* view) const
{
    if (view == nullptr || view->viewTypeInfos == nullptr)
        return nullptr;
    for (DrawObject* object = view->viewTypeInfos->drawObjects; object != nullptr; object = object->next)
        if (object->plugin == drawObjectPlugin)
            return dynamic_cast<OpenGLDrawObject*>(object);
    return nullptr;
}

void PluginVOMIShowType::execute(MAI_View* activeView)
{
    if (activeView == nullptr)
        return;
    if (OpenGLDrawObject* object = drawObjectIn(activeView))
    {
        if (object->enabled != 0)
        {
            bool hide = true;
            if (object->hasSelectedItems())
            {
                platform::Window* main = platform::Application::instance() != nullptr
                    ? platform::Application::instance()->mainWindow()
                    : nullptr;
                hide = platform::messageBox(main != nullptr ? main->handle() : platform::WindowHandle::None,
                                            "Some selected items will become invisible!",
                                            "Selected items will be invisible!",
                                            platform::MB_OKCANCEL | platform::MB_ICONWARNING) != platform::IDCANCEL;
            }
            if (hide)
                object->enabled = 0;
        }
        else
        {
            for (OpenGLDrawObject* other = object->sameNameRing; other != nullptr && other != object;
                 other = other->sameNameRing)
                other->enabled = 0;
            object->enabled = 1;
        }
    }
    activeView->invalidate(true);
}

void PluginVOMIShowType::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    if (commandUI == nullptr)
        return;
    commandUI->Enable(true);
    if (OpenGLDrawObject* object = drawObjectIn(activeView))
        commandUI->SetCheck(object->enabled != 0 ? 1 : 0);
}

VornPluginBase* makeShowTypeItem(VornPlugin& packager)
{
    return packager.package(new (std::nothrow) PluginVOMIShowType(static_cast<PluginDrawObject*>(&packager)));
}

} // namespace zintel
