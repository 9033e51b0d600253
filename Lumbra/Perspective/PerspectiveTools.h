#pragma once

#include "Lumbra/Perspective/PerspectiveViewType.h"

#include <string>

namespace lumbra
{

class PerspectiveLayerPlugin;

// The fixed texts of a camera tool.
struct ToolTexts
{
    const char* name;
    const char* menuPath;
    int32_t bitmapId;
    const char* aboutText;
    const char* aboutCaption;
};

// Where a tool's drag has no anchor: no drag runs.
constexpr int32_t noDragPosition = -20000;

// A tool that moves the camera of a perspective window with the left button (a right or middle
// drag bound to it arrives as a left one). It becomes its document's active tool.
class PerspectiveTool : public PluginVPMenuItem
{
public:
    explicit PerspectiveTool(const ToolTexts& texts) : texts(texts) {}

    const char* getName() override { return texts.name; }
    const char* getDescription() override { return texts.menuPath; }
    void about(PluginWindowHandle* parent) override;
    const char* getMenuPath() override { return texts.menuPath; }
    const char* getToolTipText() override { return texts.name; }
    int32_t getBitmapID() override { return texts.bitmapId; }
    const char* getToolbarName() override { return "View Options"; }
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
    // Marks the snap objects of the active view's type usable by their kind.
    void activate(bool active) override;
    bool onMouse(MAI_View* view, int32_t x, int32_t y, int32_t z, uint32_t flags) override;

    bool isDragging() const { return anchor.x != noDragPosition; }

    platform::Point anchor{noDragPosition, noDragPosition};

protected:
    // Whether the tool takes snaps of that kind for its pivot.
    virtual bool acceptsSnapKind(const char* kind) const = 0;
    virtual void press(MAI_View* view, PerspectiveView& camera, int32_t x, int32_t y) = 0;
    virtual void dragTo(MAI_View* view, PerspectiveView& camera, int32_t x, int32_t y) = 0;
    // The point the snap objects of the application's active view find at (x, y); the origin when
    // none does. False when there is no active perspective view.
    bool findPivot(int32_t x, int32_t y, Vector3& pivot) const;

    ToolTexts texts;
};

// Pans: the camera moves parallel to the picture so that the point under the cursor stays there.
class PluginVPMIPan : public PerspectiveTool
{
public:
    PluginVPMIPan();

    Vector3 startPointOfView;
    Vector3 stepX; // change of the camera for one pixel to the right, at the pivot's depth
    Vector3 stepY; // and one pixel down
    Vector3 pivot;

protected:
    bool acceptsSnapKind(const char* kind) const override;
    void press(MAI_View* view, PerspectiveView& camera, int32_t x, int32_t y) override;
    void dragTo(MAI_View* view, PerspectiveView& camera, int32_t x, int32_t y) override;
};

// Orbits the camera about the point under the cursor at the press.
class PluginVPMIRotate : public PerspectiveTool
{
public:
    PluginVPMIRotate();

    float degreesPerPixel = 1.0f;
    Vector3 startPointOfView;
    float startDirection = 0.0f;
    float startTilt = 0.0f;
    Vector3 pivot;

protected:
    bool acceptsSnapKind(const char* kind) const override;
    void press(MAI_View* view, PerspectiveView& camera, int32_t x, int32_t y) override;
    void dragTo(MAI_View* view, PerspectiveView& camera, int32_t x, int32_t y) override;
};

// Zooms: 100 pixels down double the zoom, 100 up halve it.
class PluginVPMIZoom : public PerspectiveTool
{
public:
    PluginVPMIZoom();

    double exponentPerPixel = 0.01;
    double startZoom = 0.0;

protected:
    bool acceptsSnapKind(const char*) const override { return false; }
    void press(MAI_View* view, PerspectiveView& camera, int32_t x, int32_t y) override;
    void dragTo(MAI_View* view, PerspectiveView& camera, int32_t x, int32_t y) override;
};

// Shows or hides one layer in the window where it is given; the modes of one layer behave as radio
// buttons.
class PluginVPMIShowType : public PluginVPMenuItem
{
public:
    explicit PluginVPMIShowType(PluginDrawObject* layerPlugin) : drawObjectPlugin(layerPlugin) {}

    const char* getName() override;
    const char* getDescription() override { return getMenuPath(); }
    void about(PluginWindowHandle* parent) override;
    const char* getMenuPath() override;
    const char* getToolTipText() override { return getName(); }
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

    PluginDrawObject* drawObjectPlugin;

private:
    std::string name;
    std::string menuPath;
};

// The first layer of the view's shown state that the plugin made; null when none.
PerspectiveDrawObject* layerOf(MAI_View* view, PluginDrawObject* plugin);

} // namespace lumbra
