#include "Zintel/ViewTools.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/BoundingBox.h"
#include "Zintel/Cursors.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/ZintelLibrary.h"
#include "VornData/VornDocument.h"
#include "VornData/VornGroup.h"
#include "VornData/VornJoint.h"
#include "VornData/VornSelection.h"
#include "plugins/InputEvent.h"
#include "plugins/MAI.h"
#include "platform/CommandRouting.h"
#include "platform/Cursor.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "platform/Time.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zintel
{

namespace
{

constexpr double degreesToRadians = 0.017453292519943295;
constexpr int32_t noDrag = -20000;

bool project(const OpenGLView& view, const double modelview[16], const Vector3& point, double window[3])
{
    return gluProject(point.x, point.y, point.z, modelview, view.projectionMatrix, view.viewport, &window[0],
                      &window[1], &window[2]) == GL_TRUE &&
        std::isfinite(window[0]) && std::isfinite(window[1]) && std::isfinite(window[2]);
}

bool unproject(const OpenGLView& view, const double modelview[16], double x, double y, double depth, Vector3& point)
{
    return gluUnProject(x, y, depth, modelview, view.projectionMatrix, view.viewport, &point.x, &point.y, &point.z) ==
        GL_TRUE &&
        std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z);
}

Vector3 cameraPosition(const OpenGLView& view)
{
    return {view.povX, view.povY, view.povZ};
}

// Moves the camera to `pov` and repaints, when that moves it at all.
void placeCamera(MAI_View* view, OpenGLView& info, const Vector3& pov)
{
    if (pov.x == info.povX && pov.y == info.povY && pov.z == info.povZ)
        return;
    info.povX = pov.x;
    info.povY = pov.y;
    info.povZ = pov.z;
    info.invalidate();
    view->invalidate(false);
}

void setToolCursor(platform::CursorHandle cursor)
{
    platform::setCursor(reinterpret_cast<platform::Cursor*>(static_cast<uintptr_t>(cursor)));
}

// The rotation of the camera's frame (row-major): its first column the axis from the looked-at
// point towards the camera.
std::array<double, 9> viewingFrame(double direction, double tilt, double roll)
{
    const double cd = std::cos(direction * degreesToRadians), sd = std::sin(direction * degreesToRadians);
    const double ct = std::cos(tilt * degreesToRadians), st = std::sin(tilt * degreesToRadians);
    const double cr = std::cos(roll * degreesToRadians), sr = std::sin(roll * degreesToRadians);
    // Rz(direction) * Ry(-tilt) * Rx(-roll)
    const std::array<double, 9> zy = {cd * ct, -sd, -cd * st, sd * ct, cd, -sd * st, st, 0.0, ct};
    return {zy[0], zy[1] * cr - zy[2] * sr, zy[1] * sr + zy[2] * cr,
            zy[3], zy[4] * cr - zy[5] * sr, zy[4] * sr + zy[5] * cr,
            zy[6], zy[7] * cr - zy[8] * sr, zy[7] * sr + zy[8] * cr};
}

} // namespace

bool panCamera(const OpenGLView& view, const Vector3& anchor, int32_t dx, int32_t dy, Vector3& pov)
{
    double window[3];
    Vector3 moved;
    if (!project(view, view.modelviewMatrix, anchor, window) ||
        !unproject(view, view.modelviewMatrix, window[0] + dx, window[1] - dy, window[2], moved))
        return false;
    pov.x += anchor.x - moved.x;
    pov.y += anchor.y - moved.y;
    pov.z += anchor.z - moved.z;
    return true;
}

float wrapDegrees(float degrees)
{
    while (degrees > 180.0f)
        degrees -= 360.0f;
    while (degrees <= -180.0f)
        degrees += 360.0f;
    return degrees;
}

bool orbitCamera(OpenGLView& view, const Vector3& anchor, const double anchorWindow[3], int32_t dx, int32_t dy,
                 float degreesPerPixel)
{
    const float oldDirection = view.direction, oldTilt = view.tilt;
    view.direction = wrapDegrees(view.direction - static_cast<float>(dx) * degreesPerPixel);
    view.tilt = wrapDegrees(view.tilt + static_cast<float>(dy) * degreesPerPixel);
    double turned[16];
    view.cameraMatrix(turned);
    Vector3 moved;
    if (!unproject(view, turned, anchorWindow[0], anchorWindow[1], anchorWindow[2], moved))
    {
        view.direction = oldDirection;
        view.tilt = oldTilt;
        return false;
    }
    view.povX -= moved.x - anchor.x;
    view.povY -= moved.y - anchor.y;
    view.povZ -= moved.z - anchor.z;
    view.cameraMatrix(view.modelviewMatrix);
    return true;
}

Vector3 zoomCamera(const Vector3& anchor, const Vector3& startPov, int32_t travel, double rate)
{
    const double f = std::pow(2.0, travel * rate);
    return {anchor.x + (startPov.x - anchor.x) * f, anchor.y + (startPov.y - anchor.y) * f,
            anchor.z + (startPov.z - anchor.z) * f};
}

bool fitCamera(OpenGLView& view, const BoundingBox& box, bool resetClip)
{
    // The narrower of the vertical and the horizontal field decides.
    const double aspect = view.width > 0 && view.height > 0 ? double(view.width) / view.height : 1.0;
    const double t = std::tan(view.fovY * degreesToRadians * 0.5) * std::min(1.0, aspect);
    if (t == 0.0 || !std::isfinite(t))
        return false;
    const double k = std::fabs(1.0 / t);
    const double s = view.symbolSize();
    const double c[3] = {(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2, (box.minZ + box.maxZ) / 2};
    const double low[3] = {box.minX - 4 * s, box.minY - 4 * s, box.minZ - 4 * s};
    const double high[3] = {box.maxX + 4 * s, box.maxY + 4 * s, box.maxZ + 4 * s};
    const std::array<double, 9> m = viewingFrame(view.direction, view.tilt, view.roll);
    double distance = 0.0;
    for (int corner = 0; corner < 8; ++corner)
    {
        double offset[3];
        for (int axis = 0; axis < 3; ++axis)
            offset[axis] = ((corner >> axis) & 1 ? high[axis] : low[axis]) - c[axis];
        // The corner in the camera's frame: M transposed times the offset.
        double p[3];
        for (int axis = 0; axis < 3; ++axis)
            p[axis] = m[axis] * offset[0] + m[3 + axis] * offset[1] + m[6 + axis] * offset[2];
        distance = std::max(distance, p[0] + std::fabs(k * std::sqrt(p[1] * p[1] + p[2] * p[2])));
    }
    view.povX = c[0] + distance * m[0];
    view.povY = c[1] + distance * m[3];
    view.povZ = c[2] + distance * m[6];
    const double diagonal =
        std::sqrt((high[0] - low[0]) * (high[0] - low[0]) + (high[1] - low[1]) * (high[1] - low[1]) +
                  (high[2] - low[2]) * (high[2] - low[2]));
    const double zFar = std::max(5 * diagonal, std::fabs(100 * s));
    const double zNear = std::max(std::fabs(3 * s), 0.0002 * zFar);
    if (resetClip)
    {
        view.zNear = zNear;
        view.zFar = zFar;
        view.projectionDirty = true;
    }
    else if (zNear < view.zNear || zFar > view.zFar)
    {
        // The depth range only widens: neither end moves in.
        view.zNear = std::min(view.zNear, zNear);
        view.zFar = std::max(view.zFar, zFar);
        view.projectionDirty = true;
    }
    return true;
}

// --- the drag tools ---

PluginVOMIViewTool::PluginVOMIViewTool(const Texts& texts) : texts(texts)
{
    button.imageIndex = -1;
}

const char* PluginVOMIViewTool::getName()
{
    return texts.name;
}

const char* PluginVOMIViewTool::getDescription()
{
    return texts.menuPath;
}

void PluginVOMIViewTool::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, texts.aboutCaption, texts.aboutText);
}

const char* PluginVOMIViewTool::getMenuPath()
{
    return texts.menuPath;
}

const char* PluginVOMIViewTool::getToolTipText()
{
    return texts.name;
}

platform::CursorHandle PluginVOMIViewTool::getCursor(MAI_View*, int32_t, int32_t, uint32_t)
{
    return toolCursor();
}

int32_t PluginVOMIViewTool::getBitmapID()
{
    return texts.bitmapID;
}

const char* PluginVOMIViewTool::getToolbarName()
{
    return "View Options";
}

void PluginVOMIViewTool::execute(MAI_View* activeView)
{
    if (activeView == nullptr || activeView->document == nullptr)
        return;
    if (activeView->document->getActiveMenuItem() != this && mai != nullptr)
        mai->pluginLists.activateInDialogs(this);
    activeView->document->setActiveMenuItem(this);
}

void PluginVOMIViewTool::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    if (commandUI == nullptr)
        return;
    const bool usable = activeView != nullptr && activeView->document != nullptr;
    commandUI->Enable(usable);
    commandUI->SetRadio(usable && activeView->document->getActiveMenuItem() == this);
}

void PluginVOMIViewTool::activate(bool active)
{
    if (!active || mai == nullptr || mai->activeView == nullptr || mai->activeView->viewTypeInfos == nullptr)
        return;
    auto* viewType = dynamic_cast<PluginViewOpenGL*>(mai->activeView->viewTypeInfos->viewTypePlugin);
    if (viewType == nullptr)
        return;
    for (VornPluginBase* plugin = viewType->snapObjects; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* snap = static_cast<VornPluginSnapObject*>(plugin);
        const char* kind = snap->getSnapKind();
        snap->setUsable(std::strcmp(kind, "Point") == 0 || std::strcmp(kind, "Joint") == 0 ||
                        std::strcmp(kind, "AnyPoint") == 0);
    }
}

Vector3 PluginVOMIViewTool::findAnchor(MAI_View* view, int32_t x, int32_t y)
{
    auto* viewType = dynamic_cast<PluginViewOpenGL*>(view->viewTypeInfos->viewTypePlugin);
    const uint32_t stamp = platform::tickCount();
    SnapPoint working(stamp), best(stamp);
    double bestDistance = 8e7;
    bool found = false;
    for (VornPluginBase* plugin = viewType != nullptr ? viewType->snapObjects : nullptr; plugin != nullptr;
         plugin = plugin->getNext())
    {
        auto* snap = static_cast<VornPluginSnapObject*>(plugin);
        if (!snap->isEnabled())
            continue;
        if (snap->snapPoint(&working, view, static_cast<float>(x), static_cast<float>(y),
                            static_cast<float>(bestDistance)) &&
            working.distance < bestDistance)
        {
            bestDistance = working.distance;
            best = working;
            found = true;
        }
    }
    if (!found || best.source == nullptr)
        return {0, 0, 0};
    const char* kind = best.source->getSnapKind();
    if (std::strcmp(kind, "Joint") == 0)
        return best.joint != nullptr ? best.joint->getPosition() : Vector3(0, 0, 0);
    return best.point != nullptr ? Vector3(best.point[0], best.point[1], best.point[2]) : Vector3(0, 0, 0);
}

bool PluginVOMIViewTool::onMouse(MAI_View* view, int32_t x, int32_t y, int32_t, uint32_t flags)
{
    if (!PluginViewOpenGL::showsOpenGL(view))
        return false;
    if (flags == InputEvent::Probe)
        return true;
    const uint32_t kind = flags & InputEvent::KindMask;
    if (kind == InputEvent::LeftUp)
    {
        endDrag();
        view->setCapture(false);
        return true;
    }
    auto* info = dynamic_cast<OpenGLView*>(view->viewTypeInfos);
    if (info == nullptr)
        return true;
    if (kind == InputEvent::LeftDown)
    {
        MAI_View* active = mai != nullptr ? mai->activeView : view;
        if (active == nullptr || active->viewTypeInfos == nullptr)
            return true;
        if (press(active, *info, x, y))
        {
            view->setCapture(true);
            setToolCursor(toolCursor());
        }
        return true;
    }
    if ((flags & InputEvent::LeftHeld) != 0 && dragging())
        dragStep(view, *info, x, y);
    return true;
}

namespace
{

const PluginVOMIViewTool::Texts panTexts = {"Pan View", "&View\\&Pan", "PluginVOMIPan", "Pan [OpenGL]\n2000",
                                            BitmapId::PanView};
const PluginVOMIViewTool::Texts rotateTexts = {"Rotate View", "&View\\&Rotate", "PluginVOMIRotate",
                                               "Rotate [OpenGL]\n2000", BitmapId::RotateView};
const PluginVOMIViewTool::Texts zoomTexts = {"Zoom View", "&View\\&Zoom", "PluginVOMIZoom", "Zoom [OpenGL]\n2000",
                                             BitmapId::ZoomView};

} // namespace

bool PluginVOMIViewTool::press(MAI_View* view, OpenGLView& info, int32_t x, int32_t y)
{
    dragX = x;
    dragY = y;
    auto* active = dynamic_cast<OpenGLView*>(view->viewTypeInfos);
    dragPov = cameraPosition(active != nullptr ? *active : info);
    anchor = findAnchor(view, x, y);
    return true;
}

PluginVOMIPan::PluginVOMIPan() : PluginVOMIViewTool(panTexts)
{
}

platform::CursorHandle PluginVOMIPan::toolCursor()
{
    return getCursorPan();
}

void PluginVOMIPan::dragStep(MAI_View* view, OpenGLView& info, int32_t x, int32_t y)
{
    Vector3 moved = dragPov;
    if (panCamera(info, anchor, x - dragX, y - dragY, moved))
    {
        dragPov = moved;
        placeCamera(view, info, dragPov);
    }
    dragX = x;
    dragY = y;
}

PluginVOMIRotate::PluginVOMIRotate() : PluginVOMIViewTool(rotateTexts)
{
}

platform::CursorHandle PluginVOMIRotate::toolCursor()
{
    return getCursorRotate();
}

bool PluginVOMIRotate::press(MAI_View* view, OpenGLView& info, int32_t x, int32_t y)
{
    PluginVOMIViewTool::press(view, info, x, y);
    if (project(info, info.modelviewMatrix, anchor, anchorWindow))
        return true;
    endDrag();
    return false;
}

void PluginVOMIRotate::dragStep(MAI_View* view, OpenGLView& info, int32_t x, int32_t y)
{
    const int32_t dx = x - dragX, dy = y - dragY;
    dragX = x;
    dragY = y;
    if (!orbitCamera(info, anchor, anchorWindow, dx, dy, degreesPerPixel))
        return;
    info.invalidate();
    view->invalidate(false);
}

PluginVOMIZoom::PluginVOMIZoom() : PluginVOMIViewTool(zoomTexts)
{
}

platform::CursorHandle PluginVOMIZoom::toolCursor()
{
    return getCursorZoom();
}

void PluginVOMIZoom::dragStep(MAI_View* view, OpenGLView& info, int32_t x, int32_t y)
{
    // The travel since the press: the press position stays.
    placeCamera(view, info, zoomCamera(anchor, dragPov, (y - dragY) + (x - dragX), zoomRate));
}

// --- zoom all and zoom selected ---

PluginVOMIZoomFit::PluginVOMIZoomFit(bool selectedOnly) : selectedOnly(selectedOnly)
{
}

const char* PluginVOMIZoomFit::getName()
{
    return selectedOnly ? "Zoom Selected" : "Zoom All";
}

const char* PluginVOMIZoomFit::getDescription()
{
    return getMenuPath();
}

void PluginVOMIZoomFit::about(PluginWindowHandle* parent)
{
    if (selectedOnly)
        showAboutBox(parent, "PluginVOMIZoomSelected", "Zoom Selected [OpenGL]\n2000");
    else
        showAboutBox(parent, "PluginVOMIZoomAll", "Zoom All [OpenGL]\n2000");
}

const char* PluginVOMIZoomFit::getMenuPath()
{
    return selectedOnly ? "&View\\Zoom &Selected" : "&View\\Zoom &All";
}

const char* PluginVOMIZoomFit::getToolTipText()
{
    return getName();
}

int32_t PluginVOMIZoomFit::getBitmapID()
{
    return selectedOnly ? BitmapId::ZoomSelected : BitmapId::ZoomAll;
}

const char* PluginVOMIZoomFit::getToolbarName()
{
    return "Zoom Options";
}

namespace
{

bool modelHasObjects(MAI_View* view)
{
    const VornGroup* world = view->document != nullptr ? view->document->document.getWorldGroup() : nullptr;
    const knot* first = world != nullptr ? world->children.getFirst() : nullptr;
    return first != nullptr && first->getNext() != nullptr;
}

bool hasSelection(MAI_View* view)
{
    const VornSelection* selection = view->document != nullptr ? view->document->document.findSelection() : nullptr;
    return selection != nullptr && !selection->isEmpty();
}

} // namespace

void PluginVOMIZoomFit::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    if (commandUI == nullptr)
        return;
    if (selectedOnly)
        commandUI->Enable(activeView != nullptr && hasSelection(activeView));
    else
        commandUI->Enable(activeView != nullptr && PluginViewOpenGL::showsOpenGL(activeView) &&
                          modelHasObjects(activeView));
}

void PluginVOMIZoomFit::execute(MAI_View* activeView)
{
    if (!PluginViewOpenGL::showsOpenGL(activeView))
        return;
    auto* info = dynamic_cast<OpenGLView*>(activeView->viewTypeInfos);
    if (info == nullptr)
        return;
    if (selectedOnly ? !hasSelection(activeView) : !modelHasObjects(activeView))
    {
        platform::messageBeep(platform::MB_SIMPLEBEEP);
        return;
    }
    BoundingBox box;
    for (DrawObject* object = info->drawObjects; object != nullptr; object = object->next)
        if (object->enabled != 0)
            static_cast<OpenGLDrawObject*>(object)->addToBounds(&box, selectedOnly);
    if (box.empty)
    {
        platform::messageBeep(platform::MB_SIMPLEBEEP);
        return;
    }
    if (!fitCamera(*info, box, !selectedOnly))
        return;
    info->invalidate();
    activeView->invalidate(false);
}

} // namespace zintel
