#include "Zintel/SnapObjects.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/ZintelLibrary.h"
#include "VornData/VornJoint.h"
#include "plugins/MAI.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <string>

namespace zintel
{

namespace
{

OpenGLView* openGLInfo(MAI_View* view)
{
    return view != nullptr ? dynamic_cast<OpenGLView*>(view->viewTypeInfos) : nullptr;
}

float snapUnit(const VornPlugin& plugin)
{
    return plugin.mai != nullptr ? plugin.mai->snapRadius : 20.0f;
}

bool finitePositive(double value)
{
    return std::isfinite(value) && value > 0.0;
}

double nearestStep(double value, double offset, double step)
{
    return std::floor((value - offset) / step + 0.5) * step + offset;
}

const SnapObjectTexts drawObjectTexts = {
    "DrawObject",           "DrawObject [OpenGL]:\nsnaps to active DrawObject.\n:?",
    "DrawObject [OpenGL]",  "PluginVPSODrawObject",
    "Tools\\&Snap\\&Joint", "Toggle DrawObject Snap",
    BitmapId::JointSnap,    "Snap Options"};
const SnapObjectTexts surfacePointTexts = {
    "SurfacePoint",
    "SurfacePoint [OpenGL]:\nsnaps to any point on surface of selectable object.\n",
    "SurfacePoint [OpenGL]",
    "PluginVPSOSurfacePoint",
    "Tools\\&Snap\\&SurfacePoint",
    "Toggle SurfacePoint Snap",
    BitmapId::SurfacePointSnap,
    "Snap Options"};
const SnapObjectTexts gridTexts = {"Grid",
                                   "Grid [OpenGL]:\nsnaps to active Grid.\n:Point",
                                   "Grid [OpenGL]",
                                   "PluginVPSOGrid",
                                   "Tools\\&Snap\\&Grid",
                                   "Toggle Grid Snap",
                                   BitmapId::GridSnap,
                                   "Snap Options"};
const SnapObjectTexts planeTexts = {"Plane", "Plane [OpenGL]:\nsnaps to active plane.\n:Point", "Plane [OpenGL]",
                                    "PluginVPSOPlane", nullptr, nullptr, 0, nullptr};

// The view of a snap on the grid plane and the score, the priority set first; null when the
// score cannot beat the best one or the view shows no OpenGL.
OpenGLView* startPlaneSnap(VornPluginSnapObject& snap, int32_t priority, MAI_View* view, SnapPoint* point,
                           float best, double& score)
{
    snap.setPriority(priority);
    score = static_cast<double>(snap.getPriority()) * snapUnit(snap);
    if (best < score || point == nullptr)
        return nullptr;
    return openGLInfo(view);
}

void fill(SnapPoint* point, double score, SnappedPoint& snapped, VornPluginSnapObject* source)
{
    point->distance = score;
    point->point = &snapped.x;
    point->source = source;
}

} // namespace

bool gridPlaneHit(const OpenGLView& view, double windowX, double windowY, SnappedPoint& hit)
{
    double nearX = 0.0, nearY = 0.0, nearZ = 0.0;
    if (gluUnProject(windowX, windowY, 0.1, view.modelviewMatrix, view.projectionMatrix, view.viewport, &nearX,
                     &nearY, &nearZ) != GL_TRUE)
        return false;
    const double origin[3] = {view.povX, view.povY, view.povZ};
    const double direction[3] = {nearX - view.povX, nearY - view.povY, nearZ - view.povZ};
    const DocItemOpenGL* settings = view.docItem;
    const double offset[3] = {settings != nullptr ? settings->gridOffsetX : 0.0,
                              settings != nullptr ? settings->gridOffsetY : 0.0,
                              settings != nullptr ? settings->gridOffsetZ : 0.0};
    // The plane's normal axis: z for the XY plane, y for XZ, x for YZ.
    const int axis = view.viewPlane == 0 ? 2 : view.viewPlane == 1 ? 1 : 0;
    const double along = direction[axis];
    if (along == 0.0 || !std::isfinite(along))
        return false;
    const double t = (offset[axis] - origin[axis]) / along;
    if (!(t > 0.0) || !std::isfinite(t))
        return false;
    double at[3];
    for (int i = 0; i < 3; ++i)
        at[i] = origin[i] + t * direction[i];
    at[axis] = offset[axis];
    hit = {at[0], at[1], at[2]};
    return true;
}

bool nearestGridNode(const OpenGLView& view, const SnappedPoint& onPlane, SnappedPoint& node)
{
    const DocItemOpenGL* settings = view.docItem;
    if (settings == nullptr)
        return false;
    const double sx = settings->gridSpacingX;
    const double sy = settings->gridUniform ? sx : settings->gridSpacingY;
    const double sz = settings->gridUniform ? sx : settings->gridSpacingZ;
    node = onPlane;
    switch (view.viewPlane)
    {
    case 0:
        if (!finitePositive(sx) || !finitePositive(sy))
            return false;
        node.x = nearestStep(onPlane.x, settings->gridOffsetX, sx);
        node.y = nearestStep(onPlane.y, settings->gridOffsetY, sy);
        break;
    case 1:
        if (!finitePositive(sx) || !finitePositive(sz))
            return false;
        node.x = nearestStep(onPlane.x, settings->gridOffsetX, sx);
        node.z = nearestStep(onPlane.z, settings->gridOffsetZ, sz);
        break;
    default:
        if (!finitePositive(sy) || !finitePositive(sz))
            return false;
        node.y = nearestStep(onPlane.y, settings->gridOffsetY, sy);
        node.z = nearestStep(onPlane.z, settings->gridOffsetZ, sz);
        break;
    }
    return std::isfinite(node.x) && std::isfinite(node.y) && std::isfinite(node.z);
}

// --- the texted answers ---

TextedSnapObject::TextedSnapObject(int32_t priority, const SnapObjectTexts& texts)
    : PluginVOSnapObject(priority), texts(texts)
{
}

const char* TextedSnapObject::getName()
{
    return texts.name;
}

const char* TextedSnapObject::getDescription()
{
    return texts.description;
}

void TextedSnapObject::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, texts.aboutCaption, std::string(texts.aboutTitle) + "\n1999");
}

const char* TextedSnapObject::getMenuPath()
{
    return texts.menuPath;
}

const char* TextedSnapObject::getButtonText()
{
    return texts.name;
}

const char* TextedSnapObject::getToolTipText()
{
    return texts.toolTip != nullptr ? texts.toolTip : PluginVOSnapObject::getToolTipText();
}

int32_t TextedSnapObject::getBitmapID()
{
    return texts.bitmapId;
}

const char* TextedSnapObject::getToolbarName()
{
    return texts.toolbarName != nullptr ? texts.toolbarName : PluginVOSnapObject::getToolbarName();
}

// --- draw object ---

PluginVPSODrawObject::PluginVPSODrawObject(int32_t priority, PluginDrawObject* drawObjectPlugin, const char* kind)
    : TextedSnapObject(priority, drawObjectTexts), drawObjectPlugin(drawObjectPlugin), kind(kind)
{
}

const char* PluginVPSODrawObject::getName()
{
    return drawObjectPlugin != nullptr ? drawObjectPlugin->getDisplayName() : TextedSnapObject::getName();
}

const char* PluginVPSODrawObject::getButtonText()
{
    return drawObjectPlugin != nullptr ? drawObjectPlugin->getDisplayName() : kind;
}

const char* PluginVPSODrawObject::getToolTipText()
{
    if (drawObjectPlugin == nullptr)
        return TextedSnapObject::getToolTipText();
    toolTip = std::string("Toggle Snap to ") + drawObjectPlugin->getDisplayName();
    return toolTip.c_str();
}

const char* PluginVPSODrawObject::getSnapKind()
{
    return kind;
}

bool PluginVPSODrawObject::snapPoint(SnapPoint* point, MAI_View* view, float x, float y, float best)
{
    const float unit = snapUnit(*this);
    const double score = static_cast<double>(getPriority()) * unit;
    if (best < score)
        return false;
    OpenGLView* info = openGLInfo(view);
    if (info == nullptr || info->viewType() == nullptr || point == nullptr)
        return false;
    OpenGLDrawObject* object = nullptr;
    for (DrawObject* entry = info->drawObjects; entry != nullptr; entry = entry->next)
        if (entry->plugin == drawObjectPlugin)
            object = static_cast<OpenGLDrawObject*>(entry);
    if (object == nullptr)
        return false;
    const int32_t xi = static_cast<int32_t>(x), yi = static_cast<int32_t>(y);
    for (const int32_t r : {static_cast<int32_t>(unit * 0.25f), static_cast<int32_t>(2 * unit * 0.25f)})
    {
        VornBaseObject* found = info->viewType()->pickAt(view, object, xi + r, yi + r, xi - r, yi - r, nullptr);
        if (found == nullptr)
            continue;
        point->distance = r == static_cast<int32_t>(unit * 0.25f) ? score : score + r;
        point->joint = dynamic_cast<VornJoint*>(found);
        point->source = this;
        return true;
    }
    return false;
}

// --- surface point ---

PluginVPSOSurfacePoint::PluginVPSOSurfacePoint() : TextedSnapObject(7, surfacePointTexts)
{
}

const char* PluginVPSOSurfacePoint::getSnapKind()
{
    return "AnyPoint";
}

bool PluginVPSOSurfacePoint::snapPoint(SnapPoint* point, MAI_View* view, float x, float y, float best)
{
    const float unit = snapUnit(*this);
    const double score = static_cast<double>(getPriority()) * unit;
    if (best < score)
        return false;
    OpenGLView* info = openGLInfo(view);
    if (info == nullptr || info->viewType() == nullptr || point == nullptr)
        return false;
    const int32_t r = static_cast<int32_t>(unit * 0.25f);
    const int32_t xi = static_cast<int32_t>(x), yi = static_cast<int32_t>(y);
    uint32_t bestDepth = 0xFFFFFFFFu;
    for (DrawObject* entry = info->drawObjects; entry != nullptr; entry = entry->next)
    {
        if (!entry->enabled)
            continue;
        uint32_t depth = 0xFFFFFFFFu;
        if (info->viewType()->pickAt(view, static_cast<OpenGLDrawObject*>(entry), xi + r, yi + r, xi - r, yi - r,
                                     &depth) != nullptr &&
            depth < bestDepth)
            bestDepth = depth;
    }
    if (bestDepth == 0xFFFFFFFFu)
        return false;
    const double windowDepth = bestDepth / 4294967295.0;
    SnappedPoint found;
    if (gluUnProject(static_cast<int32_t>(x), static_cast<int32_t>(info->height - y), windowDepth,
                     info->modelviewMatrix, info->projectionMatrix, info->viewport, &found.x, &found.y,
                     &found.z) != GL_TRUE)
        return false;
    snapped = found;
    fill(point, score, snapped, this);
    point->depth = windowDepth;
    return true;
}

// --- grid ---

PluginVPSOGrid::PluginVPSOGrid() : TextedSnapObject(10, gridTexts)
{
}

const char* PluginVPSOGrid::getSnapKind()
{
    return "Point";
}

bool PluginVPSOGrid::snapPoint(SnapPoint* point, MAI_View* view, float x, float y, float best)
{
    double score = 0.0;
    OpenGLView* info = startPlaneSnap(*this, 10, view, point, best, score);
    if (info == nullptr)
        return false;
    const double wx = static_cast<int32_t>(x);
    const double wy = static_cast<int32_t>(info->height - y);
    SnappedPoint onPlane;
    SnappedPoint node;
    if (!gridPlaneHit(*info, wx, wy, onPlane) || !nearestGridNode(*info, onPlane, node))
        return false;
    double screenX = 0.0, screenY = 0.0, screenZ = 0.0;
    if (gluProject(node.x, node.y, node.z, info->modelviewMatrix, info->projectionMatrix, info->viewport, &screenX,
                   &screenY, &screenZ) != GL_TRUE)
        return false;
    snapped = node;
    fill(point, score, snapped, this);
    return true;
}

// --- plane ---

PluginVPSOPlane::PluginVPSOPlane() : TextedSnapObject(10, planeTexts)
{
}

const char* PluginVPSOPlane::getMenuPath()
{
    master->snapEnabled = 1;
    master->usable = 1;
    return nullptr;
}

const char* PluginVPSOPlane::getSnapKind()
{
    return "Point";
}

bool PluginVPSOPlane::snapPoint(SnapPoint* point, MAI_View* view, float x, float y, float best)
{
    double score = 0.0;
    OpenGLView* info = startPlaneSnap(*this, 11, view, point, best, score);
    if (info == nullptr)
        return false;
    SnappedPoint onPlane;
    if (!gridPlaneHit(*info, static_cast<int32_t>(x), static_cast<int32_t>(info->height - y), onPlane))
        return false;
    snapped = onPlane;
    fill(point, score, snapped, this);
    return true;
}

} // namespace zintel
