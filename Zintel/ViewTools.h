#pragma once

// The camera tools of the OpenGL view: pan, rotate and zoom drags anchored at a point picked at the
// press, and the commands that fit the whole model or the selection into the view. The camera
// arithmetic is kept apart from the menu items so that it can be followed without a window.

#include "Zintel/OpenGLFamilies.h"
#include "VornData/VornMath.h"

#include <cstdint>

namespace zintel
{

struct BoundingBox;
class OpenGLView;

// Moves the camera position `pov` so that the anchor follows the cursor by (dx, dy) pixels
// (window y downwards), by the matrices of the view's last frame. False, and `pov` unchanged,
// when the anchor cannot be projected into the window or back.
bool panCamera(const OpenGLView& view, const Vector3& anchor, int32_t dx, int32_t dy, Vector3& pov);

// An angle in degrees brought into (-180, 180].
float wrapDegrees(float degrees);

// Turns the camera by a drag of (dx, dy) pixels (window y downwards) and moves it so that the
// anchor keeps its window position and depth `anchorWindow`. False, and the camera unchanged, when
// the anchor's position cannot be found in the turned camera.
bool orbitCamera(OpenGLView& view, const Vector3& anchor, const double anchorWindow[3], int32_t dx, int32_t dy,
                 float degreesPerPixel);

// The camera position after a zoom drag of `travel` pixels (right plus down) from the press:
// the distance to the anchor doubles every 1 / rate pixels.
Vector3 zoomCamera(const Vector3& anchor, const Vector3& startPov, int32_t travel, double rate);

// Places the camera, without turning it, at the distance at which the box, enlarged by four symbol
// sizes, fits the view, and sets the clip distances to its size with `resetClip`; without, the clip
// range only widens to take in the box. False, and nothing changed, when the field of view is empty.
bool fitCamera(OpenGLView& view, const BoundingBox& box, bool resetClip);

// The common part of the pan, rotate and zoom tools: a radio item of the "View Options" toolbar
// that makes itself the document's active tool; presses in an OpenGL view pick the anchor.
class PluginVOMIViewTool : public PluginVOMenuItem
{
public:
    struct Texts
    {
        const char* name;
        const char* menuPath;
        const char* aboutCaption;
        const char* aboutText;
        int32_t bitmapID;
    };
    explicit PluginVOMIViewTool(const Texts& texts);

    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    const char* getMenuPath() override;
    const char* getToolTipText() override;
    platform::CursorHandle getCursor(MAI_View* view, int32_t x, int32_t y, uint32_t flags) override;
    int32_t getBitmapID() override;
    const char* getToolbarName() override;
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;
    void activate(bool active) override;
    bool onMouse(MAI_View* view, int32_t x, int32_t y, int32_t z, uint32_t flags) override;

    bool dragging() const { return dragX != -20000; }

    // The window position of the press (zoom) or of the previous drag event (pan, rotate); -20000
    // while no drag is in progress.
    int32_t dragX = -20000, dragY = -20000;
    // The camera position at the press, which pan builds up during its drag.
    Vector3 dragPov{0, 0, 0};
    // The world point picked at the press.
    Vector3 anchor{0, 0, 0};

protected:
    virtual platform::CursorHandle toolCursor() = 0;
    // Starts a drag in the OpenGL view of `view` at the window position: the position, the camera
    // and the anchor are kept. False when no drag can start.
    virtual bool press(MAI_View* view, OpenGLView& info, int32_t x, int32_t y);
    virtual void dragStep(MAI_View* view, OpenGLView& info, int32_t x, int32_t y) = 0;
    void endDrag() { dragX = dragY = -20000; }
    // The point under the window position that the view's snap objects offer; the origin when
    // none answers.
    Vector3 findAnchor(MAI_View* view, int32_t x, int32_t y);

private:
    const Texts& texts;
};

class PluginVOMIPan : public PluginVOMIViewTool
{
public:
    PluginVOMIPan();

protected:
    platform::CursorHandle toolCursor() override;
    void dragStep(MAI_View* view, OpenGLView& info, int32_t x, int32_t y) override;
};

class PluginVOMIRotate : public PluginVOMIViewTool
{
public:
    PluginVOMIRotate();

    float degreesPerPixel = 1.0f;
    // The anchor's window position and depth at the press.
    double anchorWindow[3] = {0, 0, 0};

protected:
    platform::CursorHandle toolCursor() override;
    bool press(MAI_View* view, OpenGLView& info, int32_t x, int32_t y) override;
    void dragStep(MAI_View* view, OpenGLView& info, int32_t x, int32_t y) override;
};

class PluginVOMIZoom : public PluginVOMIViewTool
{
public:
    PluginVOMIZoom();

    double zoomRate = 0.01;

protected:
    platform::CursorHandle toolCursor() override;
    void dragStep(MAI_View* view, OpenGLView& info, int32_t x, int32_t y) override;
};

// "Zoom All" and "Zoom Selected": fit the whole model or the selected items into the active
// OpenGL view.
class PluginVOMIZoomFit : public PluginVOMenuItem
{
public:
    explicit PluginVOMIZoomFit(bool selectedOnly);

    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    const char* getMenuPath() override;
    const char* getToolTipText() override;
    int32_t getBitmapID() override;
    const char* getToolbarName() override;
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

private:
    bool selectedOnly;
};

class PluginVOMIZoomAll : public PluginVOMIZoomFit
{
public:
    PluginVOMIZoomAll() : PluginVOMIZoomFit(false) {}
};

class PluginVOMIZoomSelected : public PluginVOMIZoomFit
{
public:
    PluginVOMIZoomSelected() : PluginVOMIZoomFit(true) {}
};

} // namespace zintel
