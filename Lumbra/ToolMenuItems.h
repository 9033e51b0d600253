#pragma once

#include "Lumbra/LumbraMenuItem.h"

#include <string>

class VornPluginObjectCreator;
class VornPluginObjectModifier;

namespace lumbra
{

// The texts a creator or modifier gives the item that makes it the active tool: the caption names
// the item (the path when there is none), the path describes it (the caption when there is none).
class ToolMenuItem : public LumbraMenuItem
{
public:
    ToolMenuItem(const char* menuPath, const char* caption, int32_t bitmapId, const char* aboutTitle);
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

private:
    std::string path;
    std::string caption;
};

// The tool of a creator: while it is the document's active tool, the mouse creates objects.
class PluginMenuItemCreator : public ToolMenuItem
{
public:
    PluginMenuItemCreator(VornPluginObjectCreator* creator, const char* menuPath, const char* caption,
                          int32_t bitmapId);
    void execute(MAI_View* activeView) override;
    void activate(bool active) override;
    platform::CursorHandle getCursor(MAI_View* view, int32_t x, int32_t y, uint32_t flags) override;
    bool onMouse(MAI_View* view, int32_t x, int32_t y, int32_t z, uint32_t flags) override;

    VornPluginObjectCreator* const creator;
};

// The tool of a modifier: becoming the active tool starts a new modifier record of the selection.
class PluginMenuItemModifier : public ToolMenuItem
{
public:
    PluginMenuItemModifier(VornPluginObjectModifier* modifier, const char* menuPath, const char* caption,
                           int32_t bitmapId);
    void execute(MAI_View* activeView) override;
    void activate(bool active) override;

    VornPluginObjectModifier* const modifier;
};

} // namespace lumbra
