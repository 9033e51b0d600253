#pragma once

// The "Modifier Tool" layer of the OpenGL view: it packages the Move, Rotate and Scale tool
// plugins and, in each view, forwards drawing, handle picking and drags to the tool object that
// serves the document's active modifier.

#include "Zintel/OpenGLFamilies.h"

namespace zintel
{

class PluginVODOMTool : public PluginVODrawObject
{
public:
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    void registerPluginTypes(PluginManager* registry) override;
    // 0: the show-type item; 1 to 3: the Move, Rotate and Scale tool plugins.
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;
    const char* getDisplayName() override;

    // The plugins of type "OpenGL ModifierTool", newest first.
    VornPluginBase* toolPlugins = nullptr;
};

class OpenGLDrawObjectMTool : public OpenGLDrawObject
{
public:
    OpenGLDrawObjectMTool(PluginVODOMTool* plugin, OpenGLView* view);
    ~OpenGLDrawObjectMTool() override;

    void draw(int32_t mode, uint32_t tickCount) override;
    bool onMouse(int32_t x, int32_t y, int32_t z, uint32_t flags) override;
    void drawBlended() override;
    void forgetDisplayLists() override;
    int32_t getHandleCount() override;
    void drawHandlePick(uint32_t firstName) override;
    platform::CursorHandle getHandleCursor(int32_t handle) override;

    // The document's active modifier; null when there is none.
    VornModifier* activeModifier() const;
    // The tool object that serves the modifier's plugin in this view, made on first need; null
    // when no tool serves it.
    OpenGLModifierTool* selectTool(VornModifier* modifier);

    OpenGLModifierTool* tools = nullptr; // newest first
    VornPluginObjectModifier* currentModifierPlugin = nullptr;
    OpenGLModifierTool* currentTool = nullptr;

private:
    // The active modifier and the tool chosen for it now; the tool is null when either is missing.
    OpenGLModifierTool* toolForActive(VornModifier*& modifier);
};

class PluginVOMTMove : public PluginVOModifierTool
{
public:
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    OpenGLModifierTool* getOpenGLModifierTool(OpenGLView* view) override;
};

class PluginVOMTRotate : public PluginVOModifierTool
{
public:
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    OpenGLModifierTool* getOpenGLModifierTool(OpenGLView* view) override;
};

class PluginVOMTScale : public PluginVOModifierTool
{
public:
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    OpenGLModifierTool* getOpenGLModifierTool(OpenGLView* view) override;
};

} // namespace zintel
