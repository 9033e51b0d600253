#include "Lumbra/Perspective/PerspectiveTools.h"

#include "Lumbra/Perspective/PerspectiveDrawObjects.h"
#include "VornData/VornJoint.h"
#include "platform/CommandRouting.h"
#include "platform/SystemValues.h"
#include "plugins/InputEvent.h"
#include "plugins/MAI.h"

#include <cmath>
#include <cstring>

namespace lumbra
{

namespace
{

constexpr double radiansPerDegree = 0.017453292519943295;

// An angle in degrees brought into [-180, 180).
float wrapDegrees(float angle)
{
    while (angle >= 180.0f)
        angle -= 360.0f;
    while (angle < -180.0f)
        angle += 360.0f;
    return angle;
}

// The perspective view type shown in the view; null for another view type or none.
PluginViewPerspective* perspectiveTypeOf(MAI_View* view)
{
    if (view == nullptr || view->viewTypeInfos == nullptr)
        return nullptr;
    return dynamic_cast<PluginViewPerspective*>(view->viewTypeInfos->viewTypePlugin);
}

void repaint(MAI_View* view, PerspectiveView& camera)
{
    camera.invalidate();
    view->invalidate(false);
}

} // namespace

void PerspectiveTool::about(PluginWindowHandle* parent)
{
    showPerspectiveAbout(parent, texts.aboutText, 1999, texts.aboutCaption);
}

void PerspectiveTool::execute(MAI_View* activeView)
{
    if (activeView == nullptr || activeView->document == nullptr)
        return;
    if (activeView->document->getActiveMenuItem() != this && mai != nullptr)
        mai->pluginLists.activateInDialogs(this);
    activeView->document->setActiveMenuItem(this);
}

void PerspectiveTool::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    const bool withView = activeView != nullptr && activeView->document != nullptr;
    commandUI->Enable(withView);
    commandUI->SetRadio(withView && activeView->document->getActiveMenuItem() == this);
}

void PerspectiveTool::activate(bool active)
{
    if (!active || mai == nullptr)
        return;
    PluginViewPerspective* viewType = perspectiveTypeOf(mai->activeView);
    if (viewType == nullptr)
        return;
    for (VornPluginBase* plugin = viewType->snapObjectPlugins; plugin != nullptr; plugin = plugin->getNext())
        if (auto* snapObject = dynamic_cast<VornPluginSnapObject*>(plugin))
            snapObject->setUsable(acceptsSnapKind(snapObject->getSnapKind()));
}

bool PerspectiveTool::onMouse(MAI_View* view, int32_t x, int32_t y, int32_t, uint32_t flags)
{
    PerspectiveView* camera = perspectiveOf(view);
    if (camera == nullptr)
        return false;
    if (flags == InputEvent::Probe)
        return true;
    if ((flags & InputEvent::LeftUp) != 0)
    {
        anchor = {noDragPosition, noDragPosition};
        view->setCapture(false);
    }
    else if ((flags & InputEvent::LeftDown) != 0)
        press(view, *camera, x, y);
    else if ((flags & InputEvent::LeftHeld) != 0 && isDragging())
        dragTo(view, *camera, x, y);
    return true;
}

bool PerspectiveTool::findPivot(int32_t x, int32_t y, Vector3& pivot) const
{
    MAI_View* active = mai != nullptr ? mai->activeView : nullptr;
    PluginViewPerspective* viewType = perspectiveTypeOf(active);
    if (viewType == nullptr)
        return false;
    const SnapPoint found = findBestSnapPoint(viewType->snapObjectPlugins, active, static_cast<float>(x),
                                              static_cast<float>(y), paintTime());
    pivot.setZero();
    if (found.source == nullptr)
        return true;
    if (std::strcmp(found.source->getSnapKind(), "Joint") == 0)
        pivot = found.joint->getPosition();
    else if (std::strcmp(found.source->getSnapKind(), "Point") == 0)
        pivot.set(found.point[0], found.point[1], found.point[2]);
    return true;
}

PluginVPMIPan::PluginVPMIPan() : PerspectiveTool({"Pan View", "&View\\&Pan", 125, "Pan [Perspective]", "PluginVPMIPan"})
{
}

bool PluginVPMIPan::acceptsSnapKind(const char* kind) const
{
    return std::strcmp(kind, "Point") == 0 || std::strcmp(kind, "Joint") == 0;
}

void PluginVPMIPan::press(MAI_View*, PerspectiveView&, int32_t x, int32_t y)
{
    PerspectiveView* active = perspectiveOf(mai != nullptr ? mai->activeView : nullptr);
    if (active == nullptr)
        return;
    anchor = {x, y};
    startPointOfView = active->pointOfView;
    findPivot(x, y, pivot);
    const double depth = active->depthOf(pivot);
    const Vector3 origin = active->unproject(0, 0);
    stepX = active->unproject(1, 0);
    stepX -= origin;
    stepX.scale(depth);
    stepY = active->unproject(0, 1);
    stepY -= origin;
    stepY.scale(depth);
    mai->activeView->setCapture(true);
}

void PluginVPMIPan::dragTo(MAI_View* view, PerspectiveView& camera, int32_t x, int32_t y)
{
    const int32_t dx = x - anchor.x;
    const int32_t dy = y - anchor.y;
    const Vector3 moved(startPointOfView.x - dx * stepX.x - dy * stepY.x,
                        startPointOfView.y + dx * stepX.y + dy * stepY.y,
                        startPointOfView.z + dx * stepX.z + dy * stepY.z);
    if (moved.x == camera.pointOfView.x && moved.y == camera.pointOfView.y && moved.z == camera.pointOfView.z)
        return;
    camera.pointOfView = moved;
    repaint(view, camera);
}

PluginVPMIRotate::PluginVPMIRotate()
    : PerspectiveTool({"Rotate View", "&View\\&Rotate", 124, "Rotate [Perspective]", "PluginVPMIRotate"})
{
}

bool PluginVPMIRotate::acceptsSnapKind(const char* kind) const
{
    return std::strcmp(kind, "Point") == 0 || std::strcmp(kind, "Joint") == 0;
}

void PluginVPMIRotate::press(MAI_View* view, PerspectiveView& camera, int32_t x, int32_t y)
{
    pivot.setZero();
    if (!findPivot(x, y, pivot))
        return;
    startPointOfView = camera.pointOfView;
    startDirection = camera.direction;
    startTilt = camera.tilt;
    anchor = {x, y};
    view->setCapture(true);
}

void PluginVPMIRotate::dragTo(MAI_View* view, PerspectiveView& camera, int32_t x, int32_t y)
{
    const float a = static_cast<float>(x - anchor.x) * degreesPerPixel;
    float b = static_cast<float>(y - anchor.y) * degreesPerPixel;
    if (startTilt - b > 90.0f)
        b = startTilt - 90.0f;
    if (startTilt - b < -90.0f)
        b = startTilt + 90.0f;
    const double ex = startPointOfView.x - pivot.x;
    const double ey = startPointOfView.y - pivot.y;
    const double rx = ex * std::cos(a * radiansPerDegree) - ey * std::sin(a * radiansPerDegree);
    const double ry = ex * std::sin(a * radiansPerDegree) + ey * std::cos(a * radiansPerDegree);
    camera.direction = wrapDegrees(startDirection - a);
    camera.updateDirection();
    const double h = std::sqrt(rx * rx + ry * ry);
    const double dz = startPointOfView.z - pivot.z;
    const double v = std::sin(b * radiansPerDegree) * h + std::cos(b * radiansPerDegree) * dz;
    // Straight above or below the pivot the camera has no horizontal direction to scale: it stays
    // on the vertical through the pivot.
    const double q = h != 0.0 ? (std::cos(b * radiansPerDegree) * h - std::sin(b * radiansPerDegree) * dz) / h : 0.0;
    camera.pointOfView.set(pivot.x + q * rx, pivot.y + q * ry, pivot.z + v);
    camera.tilt = wrapDegrees(startTilt - b);
    camera.updateTilt();
    repaint(view, camera);
}

PluginVPMIZoom::PluginVPMIZoom() : PerspectiveTool({"Zoom View", "&View\\&Zoom", 128, "Zoom [Perspective]", "PluginVPMIZoom"})
{
}

void PluginVPMIZoom::press(MAI_View* view, PerspectiveView& camera, int32_t x, int32_t y)
{
    startZoom = camera.zoom;
    anchor = {x, y};
    view->setCapture(true);
}

void PluginVPMIZoom::dragTo(MAI_View* view, PerspectiveView& camera, int32_t, int32_t y)
{
    const double zoom = std::pow(2.0, (y - anchor.y) * exponentPerPixel) * startZoom;
    if (zoom == camera.zoom)
        return;
    camera.zoom = zoom;
    repaint(view, camera);
}

PerspectiveDrawObject* layerOf(MAI_View* view, PluginDrawObject* plugin)
{
    if (view == nullptr || view->viewTypeInfos == nullptr)
        return nullptr;
    for (DrawObject* layer = view->viewTypeInfos->drawObjects; layer != nullptr; layer = layer->next)
        if (layer->plugin == plugin)
            return dynamic_cast<PerspectiveDrawObject*>(layer);
    return nullptr;
}

const char* PluginVPMIShowType::getName()
{
    if (name.empty())
        name = std::string("Display ") + drawObjectPlugin->getDisplayName() + " " + drawObjectPlugin->getModeName();
    return name.c_str();
}

void PluginVPMIShowType::about(PluginWindowHandle* parent)
{
    showPerspectiveAbout(parent, "ShowType.. [Perspective]", 1999, "PluginVPMIShowType");
}

const char* PluginVPMIShowType::getMenuPath()
{
    if (menuPath.empty())
    {
        menuPath = std::string("&View\\&Display\\") + drawObjectPlugin->getDisplayName();
        auto* latest = dynamic_cast<PerspectiveDrawObject*>(drawObjectPlugin->drawObjects);
        if (latest != nullptr && latest->ringLink != nullptr && latest->ringLink != latest)
            menuPath += std::string("\\") + drawObjectPlugin->getModeName();
    }
    return menuPath.c_str();
}

void PluginVPMIShowType::execute(MAI_View* activeView)
{
    if (activeView == nullptr)
        return;
    if (PerspectiveDrawObject* layer = layerOf(activeView, drawObjectPlugin))
    {
        if (layer->enabled != 0)
        {
            bool hide = true;
            if (layer->hasSelectedItems() && mai != nullptr)
                hide = mai->messageBox("Some selected items will become invisible!", "Selected items will be invisible!",
                                       platform::MB_OKCANCEL | platform::MB_ICONWARNING) != platform::IDCANCEL;
            if (hide)
                layer->enabled = 0;
        }
        else
        {
            for (PerspectiveDrawObject* other = layer->ringLink; other != nullptr && other != layer;
                 other = other->ringLink)
                other->enabled = 0;
            layer->enabled = 1;
        }
    }
    activeView->invalidate(true);
}

void PluginVPMIShowType::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    commandUI->Enable(true);
    if (PerspectiveDrawObject* layer = layerOf(activeView, drawObjectPlugin))
        commandUI->SetCheck(layer->enabled != 0 ? 1 : 0);
}

} // namespace lumbra
