#pragma once

// The five plugin families of the OpenGL view type and the per-view draw object and modifier tool
// that go with them.

#include "plugins/VornPluginViewBase.h"
#include "platform/ToolbarButton.h"

#include <cstdint>
#include <new>
#include <span>

class VornModifier;
class VornPluginObjectModifier;

namespace zintel
{

struct BoundingBox;
class OpenGLDrawObject;
class OpenGLView;

// A plugin of type "OpenGL Draw Object": makes one draw object for every OpenGL view.
class PluginVODrawObject : public PluginDrawObject
{
public:
    const char* getTypeName() override;
    // 0: the show-type menu item of the plugin's layer.
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
};

// One drawable layer of one OpenGL view. Pick names are handed out by the view before each pick
// draw: the object names its items firstPickName + index and raises pickNameEnd past the last.
class OpenGLDrawObject : public DrawObject
{
public:
    OpenGLDrawObject(PluginDrawObject* plugin, OpenGLView* view);

    // Pass 1, the camera loaded; `mode` is always 0, `tickCount` the frame's milliseconds.
    virtual void draw(int32_t mode, uint32_t tickCount);
    // The selection protocol (modes of PluginViewOpenGL's picking); answers 0.
    virtual int32_t select(int32_t mode);
    virtual int32_t getPickCount();
    virtual VornBaseObject* getPickedObject(uint32_t name);
    virtual bool hasSelectedItems();
    virtual void drawBlended();
    virtual void drawShadow();
    virtual void drawShadowSoft();
    virtual void addToBounds(BoundingBox* box, bool selectedOnly);
    // The GL context is going: forget the display-list names so that they are built again.
    virtual void forgetDisplayLists();
    virtual int32_t getHandleCount();
    virtual void drawHandlePick(uint32_t firstName);
    virtual platform::CursorHandle getHandleCursor(int32_t handle);

    OpenGLView* view() const;

    uint32_t firstPickName = 0;
    uint32_t pickNameEnd = 0;
    // The next draw object of the view whose plugin has the same display name.
    OpenGLDrawObject* sameNameRing = nullptr;
};

// The OpenGL view state that a draw-object plugin is given (always one of the OpenGL view type).
OpenGLView* asOpenGLView(ViewTypeInfo* info);

// The body of a member's getDrawObject: a new `Object`(plugin, view); Exc_OutOfMemory naming
// `thrower` when memory runs out.
template <class Object, class Plugin>
DrawObject* makeDrawObject(Plugin* plugin, ViewTypeInfo* owner, const char* thrower)
{
    auto* object = new (std::nothrow) Object(plugin, asOpenGLView(owner));
    if (object == nullptr)
        throw Exc_OutOfMemory(thrower);
    return object;
}

// A menu item of the OpenGL view ("OpenGL MenuItem").
class PluginVOMenuItem : public VornPluginMenuItem
{
public:
    const char* getTypeName() override;

    // The item's button on the view page's tool bar (command id 0 until the page gives it one).
    platform::ToolbarButton pageButton;
};

// A page of the OpenGL view page ("OpenGL Page").
class PluginVOPage : public VornPluginWindowed
{
public:
    const char* getTypeName() override;
    // Shows the active view's values again.
    virtual void updatePage();
};

// A snap object of the OpenGL view ("OpenGL Snap Object"): its command is checked while its
// snapping is on and enabled while the active tool can use it.
class PluginVOSnapObject : public VornPluginSnapObject
{
public:
    explicit PluginVOSnapObject(int32_t priority);
    const char* getTypeName() override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
};

class OpenGLModifierTool;

// A tool that drags the active modifier of its name in the view ("OpenGL ModifierTool").
class PluginVOModifierTool : public VornPlugin
{
public:
    const char* getTypeName() override;
    // The "Object Modifier" plugin of the same name, found once; null when there is none.
    virtual VornPluginObjectModifier* getModifierPlugin();
    virtual OpenGLModifierTool* getOpenGLModifierTool(OpenGLView* view) = 0;

    VornPluginObjectModifier* modifierPlugin();

private:
    bool searched = false; // a search found `found`, or none: never searched again
    VornPluginObjectModifier* found = nullptr;
};

// The per-view part of a modifier tool; every operation takes the document's active modifier.
class OpenGLModifierTool
{
public:
    // Serves the modifier plugin of `plugin` (taken now; null when there is none) in `view`.
    OpenGLModifierTool(PluginVOModifierTool* plugin, OpenGLView* view);
    OpenGLModifierTool(const OpenGLModifierTool&) = delete;
    OpenGLModifierTool& operator=(const OpenGLModifierTool&) = delete;
    virtual ~OpenGLModifierTool();
    virtual void draw(VornModifier* modifier) = 0;
    virtual void drawBlended(VornModifier* modifier) = 0;
    virtual void reserved(VornModifier* modifier);
    virtual void forgetDisplayLists();
    virtual int32_t getHandleCount(VornModifier* modifier);
    virtual void drawHandlePick(uint32_t firstName, VornModifier* modifier);
    virtual platform::CursorHandle getHandleCursor(int32_t handle, VornModifier* modifier);
    // One mouse event of a drag on the handle; x and y are window coordinates, y downwards.
    virtual bool onDrag(int32_t x, int32_t y, int32_t z, uint32_t flags, int32_t handle, VornModifier* modifier);

    PluginVOModifierTool* plugin = nullptr;
    OpenGLView* view = nullptr;
    OpenGLModifierTool* next = nullptr; // the owning draw object's tools
    VornPluginObjectModifier* modifierPlugin = nullptr;
};

// Packaged sub-plugins as data: the factories in their fixed order. An entry whose plugin is not
// part of the library yet is null and skipped, so the registry's walk still reaches the later
// ones; the index-th plugin made is the index-th present entry, given the packager's module and
// application interface.
using PackagedPluginFactory = VornPluginBase* (*)(VornPlugin& packager);
VornPluginBase* makePackagedPlugin(VornPlugin& packager, std::span<const PackagedPluginFactory> table, uint32_t index,
                                   const char* thrower);

template <class Plugin>
VornPluginBase* packagedPlugin(VornPlugin& packager)
{
    return packager.package(new (std::nothrow) Plugin);
}

} // namespace zintel
