#include "Zintel/ModifierTools/ModifierToolPlugins.h"

#include "Zintel/ModifierTools/MoveTool.h"
#include "Zintel/ModifierTools/RotateTool.h"
#include "Zintel/ModifierTools/ScaleTool.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/ShowTypeItem.h"
#include "Zintel/ZintelLibrary.h"
#include "VornData/VornModifier.h"
#include "plugins/MAI.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginObjectType.h"

#include <array>
#include <new>

namespace zintel
{

// --- the layer ---

const char* PluginVODOMTool::getName()
{
    return "Modifier Tool";
}

const char* PluginVODOMTool::getDescription()
{
    return "Modifier Tool [OpenGL]:\noptionally draws graphic interface for modifier.";
}

void PluginVODOMTool::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginVODOMTool", "Modifier Pivot [OpenGL]\n1999");
}

void PluginVODOMTool::registerPluginTypes(PluginManager* registry)
{
    toolPlugins = nullptr;
    if (registry != nullptr)
        registry->addPluginType(&toolPlugins, "OpenGL ModifierTool", this);
}

VornPluginBase* PluginVODOMTool::GetPackagedPlugin(uint32_t index)
{
    static constexpr std::array<PackagedPluginFactory, 4> packaged = {makeShowTypeItem, packagedPlugin<PluginVOMTMove>,
                                                                      packagedPlugin<PluginVOMTRotate>,
                                                                      packagedPlugin<PluginVOMTScale>};
    return makePackagedPlugin(*this, packaged, index, "PluginVODOMTool::GetPackagedPlugin");
}

DrawObject* PluginVODOMTool::getDrawObject(ViewTypeInfo* owner)
{
    return makeDrawObject<OpenGLDrawObjectMTool>(this, owner, "PluginVODOOrigin::getDrawObject");
}

const char* PluginVODOMTool::getDisplayName()
{
    return "Modifier Tool";
}

// --- the draw object of one view ---

OpenGLDrawObjectMTool::OpenGLDrawObjectMTool(PluginVODOMTool* plugin, OpenGLView* view) : OpenGLDrawObject(plugin, view)
{
    OpenGLDrawObjectMTool::forgetDisplayLists();
}

OpenGLDrawObjectMTool::~OpenGLDrawObjectMTool()
{
    while (tools != nullptr)
    {
        OpenGLModifierTool* tool = tools;
        tools = tool->next;
        delete tool;
    }
}

VornModifier* OpenGLDrawObjectMTool::activeModifier() const
{
    OpenGLView* info = view();
    if (info == nullptr || info->ownerView == nullptr || info->ownerView->document == nullptr)
        return nullptr;
    return info->ownerView->document->getActiveModifier();
}

OpenGLModifierTool* OpenGLDrawObjectMTool::selectTool(VornModifier* modifier)
{
    VornPluginObjectModifier* key = dynamic_cast<VornPluginObjectModifier*>(modifier->modifierPlugin);
    if (currentModifierPlugin == key && currentTool != nullptr && currentTool->modifierPlugin == key)
        return currentTool;
    OpenGLModifierTool* found = nullptr;
    for (OpenGLModifierTool* tool = tools; tool != nullptr && key != nullptr; tool = tool->next)
        if (tool->modifierPlugin == key)
        {
            found = tool;
            break;
        }
    auto* layer = static_cast<PluginVODOMTool*>(plugin);
    if (found == nullptr && key != nullptr && layer != nullptr)
        for (VornPluginBase* entry = layer->toolPlugins; entry != nullptr; entry = entry->getNext())
        {
            auto* toolPlugin = dynamic_cast<PluginVOModifierTool*>(entry);
            if (toolPlugin == nullptr || toolPlugin->modifierPlugin() != key)
                continue;
            found = toolPlugin->getOpenGLModifierTool(view());
            if (found != nullptr)
            {
                found->next = tools;
                tools = found;
            }
            break;
        }
    currentModifierPlugin = key;
    currentTool = found;
    return currentTool;
}

OpenGLModifierTool* OpenGLDrawObjectMTool::toolForActive(VornModifier*& modifier)
{
    // Every operation chooses again, so that a change of the active modifier never reaches the
    // tool of the previous one.
    modifier = activeModifier();
    return modifier != nullptr ? selectTool(modifier) : nullptr;
}

void OpenGLDrawObjectMTool::draw(int32_t, uint32_t)
{
    VornModifier* modifier = nullptr;
    if (OpenGLModifierTool* tool = toolForActive(modifier))
        tool->draw(modifier);
}

bool OpenGLDrawObjectMTool::onMouse(int32_t x, int32_t y, int32_t z, uint32_t flags)
{
    VornModifier* modifier = nullptr;
    OpenGLModifierTool* tool = toolForActive(modifier);
    return tool != nullptr && tool->onDrag(x, y, z, flags, view()->heldHandle, modifier);
}

void OpenGLDrawObjectMTool::drawBlended()
{
    VornModifier* modifier = nullptr;
    if (OpenGLModifierTool* tool = toolForActive(modifier))
        tool->drawBlended(modifier);
}

void OpenGLDrawObjectMTool::forgetDisplayLists()
{
    for (OpenGLModifierTool* tool = tools; tool != nullptr; tool = tool->next)
        tool->forgetDisplayLists();
}

int32_t OpenGLDrawObjectMTool::getHandleCount()
{
    VornModifier* modifier = nullptr;
    OpenGLModifierTool* tool = toolForActive(modifier);
    return tool != nullptr ? tool->getHandleCount(modifier) : 0;
}

void OpenGLDrawObjectMTool::drawHandlePick(uint32_t firstName)
{
    VornModifier* modifier = nullptr;
    if (OpenGLModifierTool* tool = toolForActive(modifier))
        tool->drawHandlePick(firstName, modifier);
}

platform::CursorHandle OpenGLDrawObjectMTool::getHandleCursor(int32_t handle)
{
    VornModifier* modifier = nullptr;
    OpenGLModifierTool* tool = toolForActive(modifier);
    return tool != nullptr ? tool->getHandleCursor(handle, modifier) : platform::CursorHandle{};
}

// --- the tool plugins ---

namespace
{

template <class Tool>
OpenGLModifierTool* makeTool(PluginVOModifierTool* plugin, OpenGLView* view, const char* thrower)
{
    auto* tool = new (std::nothrow) Tool(plugin, view);
    if (tool == nullptr)
        throw Exc_OutOfMemory(thrower);
    return tool;
}

} // namespace

const char* PluginVOMTMove::getName()
{
    return "Move";
}

const char* PluginVOMTMove::getDescription()
{
    return "ModifierTool Move [OpenGL]:\nGraphic interface to the Modifier \"Move\".";
}

void PluginVOMTMove::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginVOMTMove", "ModifierTool Move [OpenGL]\n2000");
}

OpenGLModifierTool* PluginVOMTMove::getOpenGLModifierTool(OpenGLView* view)
{
    return makeTool<OpenGLModifierToolMove>(this, view, "PluginVOMTMove::getOpenGLModifierTool");
}

const char* PluginVOMTRotate::getName()
{
    return "Rotate";
}

const char* PluginVOMTRotate::getDescription()
{
    return "ModifierTool Rotate [OpenGL]:\nGraphic interface to the Modifier \"Rotate\".";
}

void PluginVOMTRotate::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginVOMTRotate", "ModifierTool Rotate [OpenGL]\n2000");
}

OpenGLModifierTool* PluginVOMTRotate::getOpenGLModifierTool(OpenGLView* view)
{
    return makeTool<OpenGLModifierToolRotate>(this, view, "PluginVOMTRotate::getOpenGLModifierTool");
}

const char* PluginVOMTScale::getName()
{
    return "Scale";
}

const char* PluginVOMTScale::getDescription()
{
    return "ModifierTool Scale [OpenGL]:\nGraphic interface to the Modifier \"Scale\".";
}

void PluginVOMTScale::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginVOMTScale", "ModifierTool Scale [OpenGL]\n2000");
}

OpenGLModifierTool* PluginVOMTScale::getOpenGLModifierTool(OpenGLView* view)
{
    return makeTool<OpenGLModifierToolScale>(this, view, "PluginVOMTScale::getOpenGLModifierTool");
}

} // namespace zintel
