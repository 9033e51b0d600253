#pragma once

#include "Zintel/ColorRGBA.h"
#include "plugins/VornPluginViewBase.h"
#include "platform/Message.h"

#include <cstdint>

namespace platform
{
class DeviceContext;
}

namespace zintel
{

class DocItemOpenGL;
class OpenGLDrawObject;
class PluginViewOpenGL;

// A point in GL window coordinates (y up).
struct BandPoint
{
    int32_t x = -32768;
    int32_t y = -32768;
};

// The state of the OpenGL view type in one view: its GL context, camera, light, colours, X-ray and
// detail settings and rubber band. It draws a frame by running the view's enabled draw objects
// through three passes: normal, shadows, blended and X-ray.
class OpenGLView : public ViewTypeInfo
{
public:
    static constexpr int32_t noBand = -32768;

    OpenGLView(VornPluginViewBase* viewType, MAI_View* owner, DocItemOpenGL* item);
    // Deletes the GL context with its display lists, where the window still exists.
    ~OpenGLView() override;

    void resize(int32_t width, int32_t height) override;
    void invalidate() override;
    // The handle under the cursor makes its draw object the mouse holder.
    platform::CursorHandle getCursor(int32_t x, int32_t y, uint32_t flags) override;

    // Draws one frame into the window of the device context and shows it. Without a context
    // nothing is drawn or shown.
    void paint(platform::DeviceContext& context);
    // The frame itself, with the context current.
    void render();
    // Loads the camera into the current GL matrix.
    void setCamera();
    // The camera's modelview matrix (column-major): the eye at the camera position, turned by
    // direction, tilt and roll.
    void cameraMatrix(double matrix[16]) const;
    void setupLighting();
    // Makes the GL context of the device context's window; 0, or -1 when it cannot be made.
    int32_t setupPixelFormat(platform::DeviceContext& context);
    void resizeViewport(platform::DeviceContext& context, int32_t newWidth, int32_t newHeight);
    // Forgets the draw objects' display lists and drops the GL context.
    void deleteContext();
    // Writes a trace line (and beeps) when GL has an error pending.
    void reportGLError(const char* label);

    // The region being drawn, by the matrices of the last frame: the region of the pick being
    // drawn (GL window coordinates), else the window. Passes and picks leave out what cannot show
    // in it.
    struct ShownRegion
    {
        // False when no part of a body around the segment from a to b (within `radius` of it)
        // can show in the region.
        bool mayShow(const double a[3], const double b[3], double radius) const;

        bool everywhere = true; // before the first frame
        double sides[4][4] = {}; // positive beyond the left, right, bottom and top side
    };
    ShownRegion shownRegion() const;

    // The window region of the pick being drawn; none outside a pick.
    struct PickRegion
    {
        bool active = false;
        double left = 0.0, bottom = 0.0, right = 0.0, top = 0.0;
    } pickRegion;

    bool hasContext() const { return contextWindow != platform::WindowHandle::None; }
    PluginViewOpenGL* viewType() const;
    OpenGLDrawObject* firstDrawObject() const;
    // The document's size of symbols (the default without a settings item).
    double symbolSize() const;
    // The floor height of the view's document (0 without one).
    double floorHeight() const;
    // The grid plane that faces the camera best: 0 XY, 1 XZ, 2 YZ.
    static int32_t viewPlaneFor(float tilt, float direction);

    DocItemOpenGL* docItem = nullptr;
    int32_t heldHandle = 0;
    // The window whose GL surface is this view's context; none until the first paint.
    platform::WindowHandle contextWindow = platform::WindowHandle::None;
    bool projectionDirty = true;
    int32_t width = -2;
    int32_t height = -2;
    double povX = 50.0, povY = 0.0, povZ = 0.0;
    float direction = 0.0f, tilt = 0.0f, roll = 0.0f;
    bool lightingOff = false;
    bool lightRelative = false;
    float lightAzimuth = 45.0f;
    float lightElevation = 30.0f;
    bool shadowsOn = true;
    double shadowMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double fovY = 30.0;
    double zNear = 0.3;
    double zFar = 200.0;
    int8_t detailLevel = 100;
    double modelviewMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double projectionMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    int32_t viewport[4] = {0, 0, 0, 0};
    int32_t viewPlane = 0;
    BandPoint bandStart;
    BandPoint bandEnd;
    int32_t bandFlags = 0;
    ColorRGBA backgroundColor{128, 128, 128};
    ColorRGBA bandColor{144, 144, 144};
    ColorRGBA defaultColor{0, 0, 0};
    ColorRGBA selectedColor{255, 255, 255};
    ColorRGBA modifierColor{255, 64, 64};
    ColorRGBA frozenColor{192, 240, 255, 128};
    ColorRGBA hiddenColor{255, 255, 240, 64};
    uint8_t xrayMode = 4;
    uint8_t xrayAlpha = 64;
    bool fogOn = true;
    float fogColor[4] = {0.5f, 0.5f, 0.5f, 1.0f};
};

namespace XRay
{
constexpr uint8_t Model = 0x01;
constexpr uint8_t Displacements = 0x02;
constexpr uint8_t Automatic = 0x04;
} // namespace XRay

namespace Detail
{
constexpr int8_t Low = 25;
constexpr int8_t Medium = 50;
constexpr int8_t High = 75;
constexpr int8_t Maximum = 100;
} // namespace Detail

} // namespace zintel
