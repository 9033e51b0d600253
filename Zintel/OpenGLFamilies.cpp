#include "Zintel/OpenGLFamilies.h"

#include "Zintel/OpenGLView.h"
#include "Zintel/ShowTypeItem.h"
#include "platform/CommandRouting.h"
#include "plugins/VornPluginObjectType.h"

#include <array>
#include <cstring>

namespace zintel
{

const char* PluginVODrawObject::getTypeName()
{
    return "OpenGL Draw Object";
}

VornPluginBase* PluginVODrawObject::GetPackagedPlugin(uint32_t index)
{
    static constexpr std::array<PackagedPluginFactory, 1> packaged = {makeShowTypeItem};
    return makePackagedPlugin(*this, packaged, index, "PluginVODrawObject::GetPackagedPlugin");
}

OpenGLDrawObject::OpenGLDrawObject(PluginDrawObject* plugin, OpenGLView* view) : DrawObject(plugin, view)
{
}

void OpenGLDrawObject::draw(int32_t mode, uint32_t tickCount)
{
}

int32_t OpenGLDrawObject::select(int32_t mode)
{
    return 0;
}

int32_t OpenGLDrawObject::getPickCount()
{
    return 0;
}

VornBaseObject* OpenGLDrawObject::getPickedObject(uint32_t name)
{
    return nullptr;
}

bool OpenGLDrawObject::hasSelectedItems()
{
    return false;
}

void OpenGLDrawObject::drawBlended()
{
}

void OpenGLDrawObject::drawShadow()
{
}

void OpenGLDrawObject::drawShadowSoft()
{
}

void OpenGLDrawObject::addToBounds(BoundingBox* box, bool selectedOnly)
{
}

void OpenGLDrawObject::forgetDisplayLists()
{
}

int32_t OpenGLDrawObject::getHandleCount()
{
    return 0;
}

void OpenGLDrawObject::drawHandlePick(uint32_t firstName)
{
}

platform::CursorHandle OpenGLDrawObject::getHandleCursor(int32_t handle)
{
    return platform::CursorHandle{};
}

OpenGLView* OpenGLDrawObject::view() const
{
    return static_cast<OpenGLView*>(owner);
}

OpenGLView* asOpenGLView(ViewTypeInfo* info)
{
    return static_cast<OpenGLView*>(info);
}

const char* PluginVOMenuItem::getTypeName()
{
    return "OpenGL MenuItem";
}

const char* PluginVOPage::getTypeName()
{
    return "OpenGL Page";
}

void PluginVOPage::updatePage()
{
}

PluginVOSnapObject::PluginVOSnapObject(int32_t priority) : VornPluginSnapObject(priority)
{
}

const char* PluginVOSnapObject::getTypeName()
{
    return "OpenGL Snap Object";
}

void PluginVOSnapObject::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    if (commandUI == nullptr)
        return;
    commandUI->SetCheck(isEnabled() ? 1 : 0);
    commandUI->Enable(isUsable());
}

const char* PluginVOModifierTool::getTypeName()
{
    return "OpenGL ModifierTool";
}

VornPluginObjectModifier* PluginVOModifierTool::getModifierPlugin()
{
    if (searched)
        return found;
    searched = true;
    found = nullptr;
    if (mai == nullptr)
        return nullptr;
    for (VornPluginBase* plugin = mai->pluginLists.objectModifiers; plugin != nullptr; plugin = plugin->getNext())
        if (std::strcmp(plugin->getName(), getName()) == 0)
        {
            found = dynamic_cast<VornPluginObjectModifier*>(plugin);
            break;
        }
    return found;
}

VornPluginObjectModifier* PluginVOModifierTool::modifierPlugin()
{
    return searched ? found : getModifierPlugin();
}

OpenGLModifierTool::OpenGLModifierTool(PluginVOModifierTool* plugin, OpenGLView* view)
    : plugin(plugin), view(view), modifierPlugin(plugin != nullptr ? plugin->modifierPlugin() : nullptr)
{
}

OpenGLModifierTool::~OpenGLModifierTool() = default;

void OpenGLModifierTool::reserved(VornModifier* modifier)
{
}

void OpenGLModifierTool::forgetDisplayLists()
{
}

int32_t OpenGLModifierTool::getHandleCount(VornModifier* modifier)
{
    return 0;
}

void OpenGLModifierTool::drawHandlePick(uint32_t firstName, VornModifier* modifier)
{
}

platform::CursorHandle OpenGLModifierTool::getHandleCursor(int32_t handle, VornModifier* modifier)
{
    return platform::CursorHandle{};
}

bool OpenGLModifierTool::onDrag(int32_t x, int32_t y, int32_t z, uint32_t flags, int32_t handle, VornModifier* modifier)
{
    return false;
}

VornPluginBase* makePackagedPlugin(VornPlugin& packager, std::span<const PackagedPluginFactory> table, uint32_t index,
                                   const char* thrower)
{
    for (PackagedPluginFactory factory : table)
    {
        if (factory == nullptr)
            continue;
        if (index-- != 0)
            continue;
        VornPluginBase* plugin = factory(packager);
        if (plugin == nullptr)
            throw Exc_OutOfMemory(thrower);
        return plugin;
    }
    return nullptr;
}

} // namespace zintel
