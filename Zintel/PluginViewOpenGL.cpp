#include "Zintel/PluginViewOpenGL.h"

#include "Zintel/Cursors.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/DrawObjects/DisplacedMembers.h"
#include "Zintel/DrawObjects/Grid.h"
#include "Zintel/DrawObjects/JointForces.h"
#include "Zintel/DrawObjects/JointSupports.h"
#include "Zintel/DrawObjects/Joints.h"
#include "Zintel/DrawObjects/Markers.h"
#include "Zintel/DrawObjects/Members.h"
#include "Zintel/DrawObjects/TestTerrain.h"
#include "Zintel/ModifierTools/ModifierToolPlugins.h"
#include "Zintel/OpenGLFamilies.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/Pages/ViewPageOpenGL.h"
#include "Zintel/PluginMenuItemView.h"
#include "Zintel/SelectionProtocol.h"
#include "Zintel/SnapObjects.h"
#include "Zintel/ViewSettingItems.h"
#include "Zintel/ViewTools.h"
#include "Zintel/ZintelLibrary.h"
#include "VornData/VornGroup.h"
#include "VornData/VornSelection.h"
#include "plugins/InputEvent.h"
#include "plugins/MAI.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginCalculator.h"
#include "platform/Cursor.h"
#include "platform/DeviceContext.h"
#include "platform/GlWindow.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

namespace zintel
{

namespace
{

// The name of the type is one text object: the OpenGL view test compares its address.
const char openGLName[] = "OpenGL";

PluginVPSOGrid* keptGridSnap = nullptr;

VornPluginBase* makeSelectItem(VornPlugin& packager)
{
    auto& viewType = static_cast<PluginViewOpenGL&>(packager);
    auto* item = packager.package(new (std::nothrow) PluginMenuItemView(&viewType, "&View\\Select &Type\\&OpenGL"));
    viewType.selectMenuItem = item;
    return item;
}

// A snap object that the application's snap list gets as well.
template <class SnapObject>
VornPluginBase* makeListedSnapObject(VornPlugin& packager)
{
    auto* snapObject = packager.package(new (std::nothrow) SnapObject);
    if (snapObject != nullptr && packager.mai != nullptr)
        packager.mai->addSnapObject(snapObject);
    return snapObject;
}

VornPluginBase* makeGridSnap(VornPlugin& packager)
{
    VornPluginBase* snapObject = makeListedSnapObject<PluginVPSOGrid>(packager);
    keptGridSnap = static_cast<PluginVPSOGrid*>(snapObject);
    return snapObject;
}

// The packaged plugins in their fixed order; null entries are not part of the library yet.
constexpr std::array<PackagedPluginFactory, 38> packagedPlugins = {
    makeSelectItem, // 0 view-type selection item
    packagedPlugin<PluginVODOGrid>, // 1
    makeListedSnapObject<PluginVPSOSurfacePoint>, // 2
    packagedPlugin<PluginVODOJointForces>, // 3
    packagedPlugin<PluginVODOJointSupports>, // 4
    packagedPlugin<PluginVODOMembers>, // 5
    packagedPlugin<PluginVODOMembersbyMat>, // 6
    packagedPlugin<PluginVODODisplacedMembers>, // 7
    packagedPlugin<PluginVODODisplacedMembersbyStress>, // 8
    packagedPlugin<PluginVODODisplacedMembersbyRelStress>, // 9
    packagedPlugin<PluginVODOMPivot>, // 10
    packagedPlugin<PluginVODOOrientationIndicator>, // 11
    packagedPlugin<PluginVOMIZoomSelected>, // 12
    packagedPlugin<PluginVOMIZoomAll>, // 13
    packagedPlugin<PluginVOMIZoom>, // 14
    packagedPlugin<PluginVOMIRotate>, // 15
    packagedPlugin<PluginVOMIPan>, // 16
    packagedPlugin<PluginVOPageStress>, // 17
    packagedPlugin<PluginVOPageGrid>, // 18
    packagedPlugin<PluginVOPageAdvancedSettings>, // 19
    packagedPlugin<PluginVOPageColors>, // 20
    packagedPlugin<PluginVPSOPlane>, // 21
    packagedPlugin<PluginVODOJoints>, // 22
    makeGridSnap, // 23
    packagedPlugin<PluginVODOTest>, // 24
    packagedViewSetting<0>, // 25 detail maximum
    packagedViewSetting<1>, // 26 detail high
    packagedViewSetting<2>, // 27 detail medium
    packagedViewSetting<3>, // 28 detail low
    packagedViewSetting<4>, // 29 X-ray automatic
    packagedViewSetting<5>, // 30 X-ray displacements
    packagedViewSetting<6>, // 31 X-ray model
    packagedViewSetting<7>, // 32 X-ray none
    packagedPlugin<PluginVODOMTool>, // 33
    packagedViewSetting<8>, // 34 X-ray all
    packagedViewSetting<9>, // 35 shadows
    packagedViewSetting<10>, // 36 relative light
    packagedViewSetting<11>, // 37 lighting
};

bool inList(VornPluginBase* list, VornPluginBase* plugin)
{
    for (VornPluginBase* entry = list; entry != nullptr; entry = entry->getNext())
        if (entry == plugin)
            return true;
    return false;
}

OpenGLView* activeOpenGLInfo(MAI_View* view)
{
    if (view == nullptr || view->viewTypeInfos == nullptr)
        return nullptr;
    return dynamic_cast<OpenGLView*>(view->viewTypeInfos);
}

int32_t clientBottom(MAI_View* view)
{
    platform::Rect client;
    view->getClientRect(client);
    return client.bottom;
}

void showModelError(const generalException& error)
{
    platform::messageBox(platform::WindowHandle::None, error.where, error.message, platform::MB_OK);
}

template <class Action>
void forEachEnabled(OpenGLView& info, Action action)
{
    for (DrawObject* object = info.drawObjects; object != nullptr; object = object->next)
        if (object->enabled)
            action(*static_cast<OpenGLDrawObject*>(object));
}

} // namespace

PluginVPSOGrid* gridSnapObject()
{
    return keptGridSnap;
}

bool nearestHit(const uint32_t* buffer, int32_t hits, uint32_t& firstName, uint32_t& minimumDepth, int32_t* offset)
{
    if (buffer == nullptr || hits <= 0)
        return false;
    int32_t best = 0;
    int32_t at = 0;
    for (int32_t record = 0; record < hits; ++record)
    {
        const uint32_t names = buffer[at];
        if (record > 0 && names > 0 && buffer[at + 1] < buffer[best + 1])
            best = at;
        at += 3 + static_cast<int32_t>(names);
    }
    if (buffer[best] == 0)
        return false;
    firstName = buffer[best + 3];
    minimumDepth = buffer[best + 1];
    if (offset != nullptr)
        *offset = best;
    return true;
}

PluginViewOpenGL::PluginViewOpenGL() = default;

PluginViewOpenGL::~PluginViewOpenGL() = default;

const char* PluginViewOpenGL::getName()
{
    return openGLName;
}

bool PluginViewOpenGL::showsOpenGL(MAI_View* view)
{
    return view != nullptr && view->viewTypeInfos != nullptr && view->viewTypeInfos->viewTypePlugin != nullptr &&
        view->viewTypeInfos->viewTypePlugin->getName() == openGLName;
}

void PluginViewOpenGL::registerPluginTypes(PluginManager* registry)
{
    drawObjectPlugins = menuItems = pages = snapObjects = nullptr;
    if (registry == nullptr)
        return;
    registry->addPluginType(&drawObjectPlugins, "OpenGL Draw Object", this);
    PluginType* menuItemType = registry->addPluginType(&menuItems, "OpenGL MenuItem", this);
    registry->addPluginType(&pages, "OpenGL Page", this);
    PluginType* snapObjectType = registry->addPluginType(&snapObjects, "OpenGL Snap Object", this);
    if (mai != nullptr)
    {
        mai->addMenuItemType(menuItemType);
        mai->addMenuItemType(snapObjectType);
    }
}

VornPluginBase* PluginViewOpenGL::GetPackagedPlugin(uint32_t index)
{
    return makePackagedPlugin(*this, packagedPlugins, index, "PluginViewOpenGL::GetPackagedPlugin");
}

const char* PluginViewOpenGL::getDescription()
{
    return "OpenGL:\nIndustry standard for 3D view.";
}

void PluginViewOpenGL::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginViewOpenGL", std::string(getName()) + "\n1999");
}

PluginWindowRequest* PluginViewOpenGL::getWindowRequest()
{
    registerOpenGLPageTemplates();
    if (viewPage == nullptr)
    {
        viewPage = std::make_unique<CViewPageOpenGL>(this);
        dialogObject = viewPage.get();
    }
    return requestWindow(CViewPageOpenGL::templateId);
}

bool PluginViewOpenGL::activatePlugin(VornPluginBase* plugin)
{
    if (plugin == nullptr || !inList(menuItems, plugin))
        return false;
    // The page shows the item's button checked and makes the item the active tool.
    if (viewPage != nullptr && viewPage->exists())
        viewPage->selectTool(static_cast<VornPluginMenuItem*>(plugin));
    return true;
}

ViewTypeInfo* PluginViewOpenGL::getViewTypeInfo(MAI_View* view)
{
    if (view == nullptr)
        return nullptr;
    if (view->findViewTypeInfo(this))
        return view->viewTypeInfos;
    DocItemOpenGL* item = view->document != nullptr ? DocItemOpenGL::of(view->document->document, mai) : nullptr;
    auto* info = new (std::nothrow) OpenGLView(this, view, item);
    if (info == nullptr)
        throw Exc_OutOfMemory("PluginViewOpenGL::getViewTypeInfo()");
    for (VornPluginBase* plugin = drawObjectPlugins; plugin != nullptr; plugin = plugin->getNext())
        static_cast<PluginDrawObject*>(plugin)->getDrawObject(info);

    // Draw objects whose plugins share a display name form one ring.
    for (DrawObject* first = info->drawObjects; first != nullptr; first = first->next)
    {
        auto* d = static_cast<OpenGLDrawObject*>(first);
        if (d->sameNameRing != nullptr)
            continue;
        d->sameNameRing = d;
        const char* name = getDrawObjectName(d);
        for (DrawObject* later = first->next; later != nullptr; later = later->next)
        {
            auto* e = static_cast<OpenGLDrawObject*>(later);
            const char* laterName = getDrawObjectName(e);
            if (e->sameNameRing == nullptr && name != nullptr && laterName != nullptr &&
                std::strcmp(name, laterName) == 0)
            {
                e->sameNameRing = d->sameNameRing;
                d->sameNameRing = e;
            }
        }
    }
    return view->viewTypeInfos;
}

void PluginViewOpenGL::activateView(MAI_View* previousView, VornPluginViewBase* previousViewType)
{
    if (previousViewType != this && mai != nullptr)
    {
        for (VornPluginBase* item = menuItems; item != nullptr; item = item->getNext())
            mai->addMenuItem(static_cast<VornPluginMenuItem*>(item));
        for (VornPluginBase* item = snapObjects; item != nullptr; item = item->getNext())
            mai->addMenuItem(static_cast<VornPluginMenuItem*>(item));
        mai->redrawToolbars();
    }
    updatePages();
}

void PluginViewOpenGL::deactivateView(MAI_View* nextView, VornPluginViewBase* nextViewType)
{
    if (mai != nullptr && nextView != nullptr && nextView == mai->activeView && nextViewType != this)
        if (OpenGLView* info = activeOpenGLInfo(nextView); info != nullptr && info->viewTypePlugin == this)
            info->deleteContext();
    if (nextViewType != this && mai != nullptr)
    {
        for (VornPluginBase* item = snapObjects; item != nullptr; item = item->getNext())
            mai->removeMenuItem(static_cast<VornPluginMenuItem*>(item));
        for (VornPluginBase* item = menuItems; item != nullptr; item = item->getNext())
            mai->removeMenuItem(static_cast<VornPluginMenuItem*>(item));
    }
}

void PluginViewOpenGL::draw(platform::DeviceContext* context, ViewTypeInfo* info)
{
    auto* view = dynamic_cast<OpenGLView*>(info);
    if (context == nullptr || view == nullptr)
        return;
    if (!view->hasContext())
    {
        view->projectionDirty = true;
        view->setupPixelFormat(*context);
    }
    if (view->xrayMode & XRay::Automatic)
    {
        view->xrayMode &= static_cast<uint8_t>(~(XRay::Model | XRay::Displacements));
        MAI_Doc* document = view->ownerView != nullptr ? view->ownerView->document : nullptr;
        VornPluginCalculator* calculator = document != nullptr ? document->getActiveCalculator() : nullptr;
        const bool running = calculator != nullptr && calculator->getCalculationState(&document->document) == 2;
        view->xrayMode |= running ? XRay::Model : XRay::Displacements;
    }
    view->paint(*context);
}

void PluginViewOpenGL::updatePages()
{
    for (VornPluginBase* page = pages; page != nullptr; page = page->getNext())
        static_cast<PluginVOPage*>(page)->updatePage();
}

uint32_t* PluginViewOpenGL::resizeSelectBuffer(int32_t entries)
{
    if (entries > selectBufferCapacity)
    {
        selectBuffer.reset();
        selectBufferCapacity = 0;
        selectBuffer.reset(new (std::nothrow) uint32_t[static_cast<size_t>(entries)]);
        if (selectBuffer)
            selectBufferCapacity = entries;
    }
    return selectBuffer.get();
}

const char* PluginViewOpenGL::getDrawObjectName(OpenGLDrawObject* object)
{
    return object != nullptr && object->plugin != nullptr ? object->plugin->getDisplayName() : nullptr;
}

int32_t PluginViewOpenGL::pickOnce(OpenGLView& view, double centreX, double centreY, double regionWidth,
                                   double regionHeight, const std::function<void()>& drawNames)
{
    platform::DeviceContext* context = view.ownerView->getDC();
    if (context == nullptr)
        return -2;
    if (!platform::makeGlCurrent(*context))
    {
        traceFormat("wglMakeCurrent Failed %x\r\n", static_cast<unsigned>(errno));
        view.ownerView->releaseDC(context);
        platform::releaseGlCurrent();
        return -2;
    }
    const double aspect = view.height > 0 ? static_cast<double>(view.width) / view.height : 1.0;
    glSelectBuffer(selectBufferCapacity, selectBuffer.get());
    glRenderMode(GL_SELECT);
    glInitNames();
    view.setupLighting();
    glEnable(GL_DEPTH_TEST);
    view.reportGLError("glEnable (GL_DEPTH_TEST);");
    glMatrixMode(GL_MODELVIEW);
    view.reportGLError("MatrixMode");
    view.setCamera();
    glMatrixMode(GL_PROJECTION);
    view.reportGLError("MatrixMode");
    // The matrices of the camera as it is now, which the draw objects' culling of the pick uses.
    glLoadIdentity();
    gluPerspective(view.fovY, aspect, view.zNear, view.zFar);
    glGetDoublev(GL_PROJECTION_MATRIX, view.projectionMatrix);
    glGetDoublev(GL_MODELVIEW_MATRIX, view.modelviewMatrix);
    glGetIntegerv(GL_VIEWPORT, view.viewport);
    glLoadIdentity();
    gluPickMatrix(centreX, centreY, regionWidth, regionHeight, view.viewport);
    gluPerspective(view.fovY, aspect, view.zNear, view.zFar);
    glMatrixMode(GL_MODELVIEW);

    // Back to drawing, and the context released, also when a draw object throws.
    const auto finish = [&view, context, aspect] {
        view.pickRegion.active = false;
        const GLint hits = glRenderMode(GL_RENDER);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(view.fovY, aspect, view.zNear, view.zFar);
        glMatrixMode(GL_MODELVIEW);
        view.ownerView->releaseDC(context);
        platform::releaseGlCurrent();
        return hits;
    };
    view.pickRegion = {true, centreX - regionWidth / 2.0, centreY - regionHeight / 2.0, centreX + regionWidth / 2.0,
                       centreY + regionHeight / 2.0};
    try
    {
        drawNames();
    }
    catch (...)
    {
        finish();
        throw;
    }
    return finish();
}

int32_t PluginViewOpenGL::runPick(OpenGLView& view, double centreX, double centreY, double regionWidth,
                                  double regionHeight, int32_t entries, const std::function<void()>& drawNames)
{
    if (resizeSelectBuffer(entries) == nullptr)
        return -1;
    int32_t hits = pickOnce(view, centreX, centreY, regionWidth, regionHeight, drawNames);
    if (hits == -1)
    {
        // The records did not fit (the draw objects' counts were too small): a larger buffer and
        // the same pick once more.
        if (resizeSelectBuffer(2 * selectBufferCapacity + 4) == nullptr)
            return -1;
        hits = pickOnce(view, centreX, centreY, regionWidth, regionHeight, drawNames);
    }
    return hits < 0 ? -1 : hits;
}

void PluginViewOpenGL::onMouse(MAI_View* view, int32_t x, int32_t y, uint32_t flags)
{
    OpenGLView* info = activeOpenGLInfo(view);
    if (info == nullptr)
        return;
    try
    {
        y = clientBottom(view) - y;
        const uint32_t keys = flags & InputEvent::ModifierKeys;
        platform::setCursor(reinterpret_cast<platform::Cursor*>(
            static_cast<uintptr_t>(keys == InputEvent::Shift      ? getCursorSelectAdd()
                                       : keys == InputEvent::Ctrl ? getCursorSelectRemove()
                                       : keys != 0                ? getCursorSelectToggle()
                                                                  : getCursorSelect())));

        bool click = false;
        const uint32_t kind = InputEvent::kindOf(flags);
        if (kind == InputEvent::LeftDown)
        {
            bandMoved = false;
            if (mai != nullptr)
                mai->notifierRegistry.notify("PRESL", nullptr);
            info->bandStart = {x, y};
            view->setCapture(true);
            info->bandFlags = 0;
            if (view->document != nullptr)
                if (BlockList<VornGroup>* groups = view->document->document.getGroupList())
                    for (uint32_t index = groups->getCount(); index-- > 0;)
                        (*groups)[index].setSelected((*groups)[index].isPreSelected());
            forEachEnabled(*info, [](OpenGLDrawObject& object) { object.select(0); });
        }
        else if (kind == InputEvent::LeftUp && !bandMoved)
        {
            info->bandStart = {x + 3, y + 3};
            x -= 3;
            y -= 3;
            click = true;
        }

        if ((flags & InputEvent::LeftHeld) != 0 || click)
        {
            flags &= 0xFF;
            if (x != info->bandEnd.x || y != info->bandEnd.y || static_cast<int32_t>(flags) != info->bandFlags)
            {
                info->bandEnd = {x, y};
                info->bandFlags = static_cast<int32_t>(flags);
                if (x == info->bandStart.x || y == info->bandStart.y)
                    return;
                bandMoved = true;
                pickBand(view, *info, flags, click);
            }
        }
        if (click || (kind == InputEvent::LeftUp && (flags & InputEvent::LeftHeld) == 0))
            endBand(view, *info);
    }
    catch (const generalException& error)
    {
        showModelError(error);
    }
}

void PluginViewOpenGL::pickBand(MAI_View* view, OpenGLView& info, uint32_t flags, bool click)
{
    int32_t count = 0;
    for (DrawObject* object = info.drawObjects; object != nullptr; object = object->next)
        count += static_cast<OpenGLDrawObject*>(object)->getPickCount();
    const uint32_t keys = flags & InputEvent::ModifierKeys;
    const int32_t mode = keys == InputEvent::Shift ? 3 : keys == InputEvent::Ctrl ? 4 : keys != 0 ? 5 : 2;

    // Closed groups start from the selection the mode builds on; the draw objects mark the groups
    // of the items they hit.
    VornDocument* document = view->document != nullptr ? &view->document->document : nullptr;
    if (document != nullptr)
        if (BlockList<VornGroup>* groups = document->getGroupList())
            for (uint32_t index = groups->getCount(); index-- > 0;)
                (*groups)[index].setPreSelected(mode != 2 && (*groups)[index].hasFlagBits(VornFlag::Selected));

    const double centreX = (info.bandStart.x + info.bandEnd.x) / 2.0;
    const double centreY = (info.bandStart.y + info.bandEnd.y) / 2.0;
    const int32_t hits = runPick(info, centreX, centreY, std::abs(info.bandStart.x - info.bandEnd.x),
                                 std::abs(info.bandStart.y - info.bandEnd.y), 4 * count + 4, [&info] {
                                     uint32_t name = 1;
                                     forEachEnabled(info, [&name](OpenGLDrawObject& object) {
                                         object.firstPickName = object.pickNameEnd = name;
                                         object.select(7);
                                         name = object.pickNameEnd;
                                     });
                                 });
    if (hits < 0)
        return;
    hitCount = hits;
    uint32_t* buffer = selectBuffer.get();
    int32_t nearest = 0;
    uint32_t name = 0;
    uint32_t depth = 0;
    if (click && hitCount != 0)
    {
        if (nearestHit(buffer, hitCount, name, depth, &nearest))
        {
            std::memmove(buffer, buffer + nearest, 4 * sizeof(uint32_t));
            buffer[0] = 1;
            hitCount = 1;
        }
        else
            hitCount = 0;
    }
    forEachEnabled(info, [mode](OpenGLDrawObject& object) { object.select(mode); });
    if (view->document != nullptr)
        view->document->invalidateViews();
}

void PluginViewOpenGL::endBand(MAI_View* view, OpenGLView& info)
{
    info.bandStart = info.bandEnd = BandPoint{};
    view->setCapture(false);
    if (view->document != nullptr)
    {
        VornDocument& document = view->document->document;
        document.getModifiableSelection()->clear();
        if (BlockList<VornGroup>* groups = document.getGroupList())
            for (uint32_t index = groups->getCount(); index-- > 0;)
            {
                VornGroup& group = (*groups)[index];
                if (group.isPreSelected() && !group.isInClosedGroup())
                {
                    group.markSelected();
                    group.clearFlagsRecursive(VornFlag::Selected | VornFlag::PreSelected);
                    document.getSelection()->add(&group);
                }
                else
                {
                    group.clearSelected();
                    if (group.isSelected())
                        group.clearFlagsRecursive(VornFlag::Selected | VornFlag::PreSelected);
                }
            }
    }
    forEachEnabled(info, [](OpenGLDrawObject& object) { object.select(1); });
    view->invalidate(false);
    if (mai != nullptr)
        mai->notifierRegistry.notify("SELCH", nullptr);
}

VornBaseObject* PluginViewOpenGL::pickAt(MAI_View* view, OpenGLDrawObject* object, int32_t x0, int32_t y0, int32_t x1,
                                         int32_t y1, uint32_t* depth)
{
    OpenGLView* info = activeOpenGLInfo(view);
    if (info == nullptr || object == nullptr)
        return nullptr;
    try
    {
        const int32_t count = object->getPickCount();
        if (count == 0)
            return nullptr;
        const int32_t bottom = clientBottom(view);
        const int32_t hits = runPick(*info, (x0 + x1) / 2.0, bottom - (y0 + y1) / 2.0, std::abs(x0 - x1),
                                     std::abs(y0 - y1), 4 * count + 4, [object] {
                                         if (!object->enabled)
                                             return;
                                         object->firstPickName = object->pickNameEnd = 1;
                                         object->select(8);
                                     });
        uint32_t name = 0;
        uint32_t nearestDepth = 0;
        if (hits <= 0 || !nearestHit(selectBuffer.get(), hits, name, nearestDepth))
            return nullptr;
        if (depth != nullptr)
            *depth = nearestDepth;
        return object->getPickedObject(name);
    }
    catch (const generalException& error)
    {
        showModelError(error);
    }
    catch (...)
    {
        platform::messageBox(platform::WindowHandle::None, "unprocessed exception", "Exception", platform::MB_OK);
    }
    return nullptr;
}

platform::CursorHandle PluginViewOpenGL::pickHandle(OpenGLView& view, int32_t x, int32_t y)
{
    try
    {
        y = view.height - y;
        int32_t handles = 0;
        forEachEnabled(view, [&handles](OpenGLDrawObject& object) { handles += object.getHandleCount(); });
        // No draw object offers a handle: nothing can be hit, and no GL work is needed.
        if (handles == 0)
        {
            view.mouseHolder = nullptr;
            return platform::CursorHandle{};
        }
        const auto drawHandles = [&view] {
            glPushName(0);
            uint32_t name = 1;
            forEachEnabled(view, [&name](OpenGLDrawObject& object) {
                const int32_t count = object.getHandleCount();
                if (count <= 0)
                    return;
                object.drawHandlePick(name);
                name += static_cast<uint32_t>(count);
            });
        };
        // Handles drawn as one-pixel lines (the rotate rings) are missed by the tight region unless
        // the mouse is exactly on them; a wider second look finds them within a few pixels.
        uint32_t hit = 0;
        uint32_t depth = 0;
        view.mouseHolder = nullptr;
        bool found = false;
        for (const int32_t regionSize : {2, 7})
        {
            const int32_t hits = runPick(view, x, y, regionSize, regionSize, 404, drawHandles);
            found = hits > 0 && nearestHit(selectBuffer.get(), hits, hit, depth);
            if (found)
                break;
        }
        if (!found)
            return platform::CursorHandle{};
        uint32_t name = 1;
        for (DrawObject* entry = view.drawObjects; entry != nullptr; entry = entry->next)
        {
            auto* object = static_cast<OpenGLDrawObject*>(entry);
            if (!object->enabled)
                continue;
            const int32_t count = object->getHandleCount();
            if (count <= 0)
                continue;
            if (hit >= name && hit < name + static_cast<uint32_t>(count))
            {
                view.mouseHolder = object;
                view.heldHandle = static_cast<int32_t>(hit - name);
                return object->getHandleCursor(view.heldHandle);
            }
            name += static_cast<uint32_t>(count);
        }
    }
    catch (const generalException& error)
    {
        showModelError(error);
    }
    return platform::CursorHandle{};
}

} // namespace zintel
