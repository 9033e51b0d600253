#include "Lumbra/Perspective/PerspectiveViewType.h"

#include "Lumbra/Perspective/DisplacedMembers.h"
#include "Lumbra/Perspective/PerspectiveDrawObjects.h"
#include "Lumbra/Perspective/PerspectivePages.h"
#include "Lumbra/Perspective/PerspectiveSnaps.h"
#include "Lumbra/Perspective/PerspectiveTools.h"
#include "Lumbra/Perspective/PerspectiveViewPage.h"
#include "VornData/VornGroup.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/CommandRouting.h"
#include "platform/DeviceContext.h"
#include "platform/SystemValues.h"
#include "platform/Time.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/InputEvent.h"
#include "plugins/MAI.h"
#include "plugins/PluginManager.h"

#include <atomic>
#include <cstring>
#include <exception>
#include <new>

namespace lumbra
{

uint32_t paintTime()
{
    // Strictly rising, so that two paints within one millisecond never share projected joints.
    static std::atomic<uint32_t> last{0};
    uint32_t previous = last.load();
    uint32_t next;
    do
    {
        const uint32_t now = platform::tickCount();
        next = static_cast<int32_t>(now - previous) > 0 ? now : previous + 1;
    } while (!last.compare_exchange_weak(previous, next));
    return next;
}

PluginMenuItemView::PluginMenuItemView(VornPluginViewBase* viewType, const char* menuPath)
    : viewType(viewType), menuPath(menuPath)
{
}

void PluginMenuItemView::about(PluginWindowHandle* parent)
{
    showPerspectiveAbout(parent, "View Menu Item", 1999, menuPath.c_str());
}

void PluginMenuItemView::execute(MAI_View* activeView)
{
    showViewType(mai, activeView, viewType);
}

void PluginMenuItemView::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    if (commandUI == nullptr)
        return;
    commandUI->Enable(viewType != nullptr && activeView != nullptr);
    commandUI->SetRadio(viewType != nullptr && isViewTypeShown(activeView, viewType));
}

void PluginVPSnapObject::updateCommandUI(platform::CommandState* commandUI, MAI_View*)
{
    commandUI->Enable(isUsable());
    commandUI->SetCheck(isUsable() && isEnabled() ? 1 : 0);
}

void PluginViewPerspective::registerPluginTypes(PluginManager* registry)
{
    snapObjectPlugins = drawObjectPlugins = menuItemPlugins = pagePlugins = nullptr;
    registry->addPluginType(&drawObjectPlugins, "Perspective Draw Object", this);
    PluginType* menuItemType = registry->addPluginType(&menuItemPlugins, "Perspective MenuItem", this);
    registry->addPluginType(&pagePlugins, "Perspective Page", this);
    PluginType* snapObjectType = registry->addPluginType(&snapObjectPlugins, "Perspective Snap Object", this);
    if (mai != nullptr)
    {
        mai->addMenuItemType(menuItemType);
        mai->addMenuItemType(snapObjectType);
    }
}

VornPluginBase* PluginViewPerspective::GetPackagedPlugin(uint32_t index)
{
    VornPlugin* plugin = nullptr;
    switch (index)
    {
    case 0:
        plugin = new (std::nothrow) PluginMenuItemView(this, "&View\\Select &Type\\&Perspective");
        selectMenuItem = static_cast<VornPluginMenuItem*>(plugin);
        break;
    case 1:
        plugin = new (std::nothrow) PluginVPDOGrid;
        break;
    case 2:
        plugin = new (std::nothrow) PluginVPDODisplacedMembers;
        break;
    case 3:
        plugin = new (std::nothrow) PluginVPDOJoints;
        break;
    case 4:
        plugin = new (std::nothrow) PluginVPDOJointSupports;
        break;
    case 5:
        plugin = new (std::nothrow) PluginVPDOMembers;
        break;
    case 6:
        plugin = new (std::nothrow) PluginVPDOMembersByMat;
        break;
    case 7:
        plugin = new (std::nothrow) PluginVPDOMembersByCrs;
        break;
    case 8:
        plugin = new (std::nothrow) PluginVPDOOrigin;
        break;
    case 9:
        plugin = new (std::nothrow) PluginVPPageShowHide(this);
        break;
    case 10:
        plugin = new (std::nothrow) PluginVPPageAdvancedSettings;
        break;
    case 11:
        plugin = new (std::nothrow) PluginVPPageColors;
        break;
    case 12:
        plugin = new (std::nothrow) PluginVPMIZoom;
        break;
    case 13:
        plugin = new (std::nothrow) PluginVPMIRotate;
        break;
    case 14:
        plugin = new (std::nothrow) PluginVPMIPan;
        break;
    case 15:
        plugin = new (std::nothrow) PluginVPSOJoint;
        break;
    case 16:
        plugin = new (std::nothrow) PluginVPSOGrid;
        break;
    case 17:
        plugin = new (std::nothrow) PluginVPSOPlane;
        break;
    default:
        return nullptr;
    }
    if (plugin == nullptr)
        throw Exc_OutOfMemory("PluginViewPerspective::GetPackagedPlugin");
    package(plugin);
    if ((index == 15 || index == 16) && mai != nullptr)
        mai->addSnapObject(static_cast<VornPluginSnapObject*>(plugin));
    return plugin;
}

void PluginViewPerspective::about(PluginWindowHandle* parent)
{
    showPerspectiveAbout(parent, getName(), 1999, "PluginViewPerspective");
}

PluginViewPerspective::PluginViewPerspective() = default;

PluginViewPerspective::~PluginViewPerspective() = default;

PluginWindowRequest* PluginViewPerspective::getWindowRequest()
{
    if (viewPage == nullptr)
    {
        viewPage = std::make_unique<CViewPagePerspective>(this);
        dialogObject = viewPage.get();
    }
    return requestWindow(CViewPagePerspective::templateId);
}

bool PluginViewPerspective::activatePlugin(VornPluginBase* plugin)
{
    for (VornPluginBase* item = menuItemPlugins; item != nullptr; item = item->getNext())
        if (item == plugin)
        {
            // The page shows the tool pressed and makes it the active tool.
            if (viewPage != nullptr && viewPage->exists())
                viewPage->selectTool(static_cast<VornPluginMenuItem*>(item));
            return true;
        }
    return false;
}

ViewTypeInfo* PluginViewPerspective::getViewTypeInfo(MAI_View* view)
{
    if (view->findViewTypeInfo(this))
        return view->viewTypeInfos;
    auto* info = new (std::nothrow) PerspectiveView(this, view);
    if (info == nullptr)
        throw Exc_OutOfMemory("PluginViewPerspective::getViewTypeInfo");
    for (VornPluginBase* plugin = drawObjectPlugins; plugin != nullptr; plugin = plugin->getNext())
        if (auto* layers = dynamic_cast<PluginDrawObject*>(plugin))
            layers->getDrawObject(info);
    // Layers of one display name (the modes of one layer) form a ring.
    for (DrawObject* object = info->drawObjects; object != nullptr; object = object->next)
    {
        auto* first = dynamic_cast<PerspectiveDrawObject*>(object);
        if (first == nullptr || first->ringLink != nullptr)
            continue;
        first->ringLink = first;
        for (DrawObject* later = object->next; later != nullptr; later = later->next)
        {
            auto* sibling = dynamic_cast<PerspectiveDrawObject*>(later);
            if (sibling != nullptr && sibling->ringLink == nullptr && sibling->plugin != nullptr &&
                first->plugin != nullptr &&
                std::strcmp(sibling->plugin->getDisplayName(), first->plugin->getDisplayName()) == 0)
            {
                sibling->ringLink = first->ringLink;
                first->ringLink = sibling;
            }
        }
    }
    return view->viewTypeInfos;
}

void PluginViewPerspective::activateView(MAI_View*, VornPluginViewBase* previousViewType)
{
    if (previousViewType != this && mai != nullptr)
    {
        for (VornPluginBase* item = menuItemPlugins; item != nullptr; item = item->getNext())
            mai->addMenuItem(static_cast<VornPluginMenuItem*>(item));
        for (VornPluginBase* item = snapObjectPlugins; item != nullptr; item = item->getNext())
            mai->addMenuItem(static_cast<VornPluginMenuItem*>(item));
        mai->redrawToolbars();
    }
    updatePages();
}

void PluginViewPerspective::deactivateView(MAI_View*, VornPluginViewBase* nextViewType)
{
    if (nextViewType == this || mai == nullptr)
        return;
    for (VornPluginBase* item = snapObjectPlugins; item != nullptr; item = item->getNext())
        mai->removeMenuItem(static_cast<VornPluginMenuItem*>(item));
    for (VornPluginBase* item = menuItemPlugins; item != nullptr; item = item->getNext())
        mai->removeMenuItem(static_cast<VornPluginMenuItem*>(item));
}

void PluginViewPerspective::updatePages()
{
    for (VornPluginBase* page = pagePlugins; page != nullptr; page = page->getNext())
        if (auto* perspectivePage = dynamic_cast<PluginVPPage*>(page))
            perspectivePage->updatePage();
}

void PluginViewPerspective::draw(platform::DeviceContext* context, ViewTypeInfo* info)
{
    auto* view = dynamic_cast<PerspectiveView*>(info);
    if (context == nullptr || view == nullptr || view->ownerView == nullptr)
        return;
    platform::Rect client;
    view->ownerView->getClientRect(client);
    view->width = client.width();
    view->height = client.height();
    const int32_t width = client.width();
    const int32_t height = client.height();
    if (width <= 0 || height <= 0)
        return;
    platform::DeviceContext memory = platform::DeviceContext::createCompatibleDC();
    const platform::Bitmap picture(width, height);
    const platform::Bitmap previous = memory.selectObject(picture);
    memory.fillSolidRect({0, 0, width, height}, view->backgroundColor);
    if (view->hasBand())
    {
        platform::Rect band{view->bandAnchor.x, view->bandAnchor.y, view->bandCorner.x, view->bandCorner.y};
        if (band.left > band.right)
            std::swap(band.left, band.right);
        if (band.top > band.bottom)
            std::swap(band.top, band.bottom);
        memory.fillSolidRect(band, view->selectColor);
    }
    view->gridPlaneOffset = 0.0;
    const auto time = static_cast<int32_t>(paintTime());
    for (DrawObject* object = view->drawObjects; object != nullptr; object = object->next)
        if (object->enabled != 0)
            if (auto* layer = dynamic_cast<PerspectiveDrawObject*>(object))
                layer->draw(memory, time);
    context->bitBlt(0, 0, width, height, memory, 0, 0, platform::SRCCOPY);
    memory.selectObject(previous);
}

namespace
{

void selectEnabledLayers(PerspectiveView& view, int32_t mode)
{
    for (DrawObject* object = view.drawObjects; object != nullptr; object = object->next)
        if (object->enabled != 0)
            if (auto* layer = dynamic_cast<PerspectiveDrawObject*>(object))
                layer->selectInBand(mode);
}

// Whether every member of the group is pre-selected, and every member group of its kind passes the
// same test.
bool allMembersPreSelected(const VornGroup& group)
{
    for (knot* link = group.children.getFirst(); link != nullptr; link = link->getNext())
    {
        const VornSelectable* member = VornGroup::childOf(link);
        if (member == nullptr)
            continue;
        if (!member->isPreSelected())
            return false;
        if (const auto* inner = dynamic_cast<const VornGroup*>(member))
            if (!allMembersPreSelected(*inner))
                return false;
    }
    return true;
}

template <class Action>
void forEachGroupFromLast(VornDocument& document, Action action)
{
    BlockList<VornGroup>* groups = document.getGroupList();
    for (uint32_t index = groups != nullptr ? groups->getCount() : 0; index-- > 0;)
        action((*groups)[index]);
}

} // namespace

void PluginViewPerspective::onMouse(MAI_View* view, int32_t x, int32_t y, uint32_t flags)
{
    auto* info = view != nullptr ? dynamic_cast<PerspectiveView*>(view->viewTypeInfos) : nullptr;
    if (info == nullptr || view->document == nullptr)
        return;
    try
    {
        // The selection bits are model data that a running calculation reads under the lock.
        DocumentChangeLock lock(view->document, "Rubber Band Selection", documentLockTimeout,
                                ChangeScope::OpenDocumentState);
        if (lock)
            selectInBand(view, *info, x, y, flags);
    }
    catch (const generalException& exception)
    {
        if (mai != nullptr)
            mai->messageBox(exception.where, exception.message, platform::MB_OK);
    }
    catch (const std::exception&)
    {
        if (mai != nullptr)
            mai->messageBox("unprocessed exception", "Exception", platform::MB_OK);
    }
}

void PluginViewPerspective::selectInBand(MAI_View* view, PerspectiveView& info, int32_t x, int32_t y, uint32_t flags)
{
    VornDocument& document = view->document->document;
    const uint32_t kind = InputEvent::kindOf(flags);
    if (kind == InputEvent::LeftDown)
    {
        if (mai != nullptr)
            mai->notifierRegistry.notify(Channel::SelectionChanging, nullptr);
        info.bandAnchor = {x, y};
        view->setCapture(true);
        info.bandFlags = 0;
        forEachGroupFromLast(document, [](VornGroup& group) { group.setSelected(group.isPreSelected()); });
        selectEnabledLayers(info, BandMode::Start);
    }
    else if (kind == InputEvent::LeftUp)
    {
        info.bandAnchor = info.bandCorner = {noBandPosition, noBandPosition};
        view->setCapture(false);
        document.getModifiableSelection()->clear();
        VornSelection* selection = document.getSelection();
        forEachGroupFromLast(document, [selection](VornGroup& group) {
            if (group.isPreSelected() && !group.isInClosedGroup())
            {
                group.markSelected();
                group.clearFlagsRecursive(VornFlag::Selected | VornFlag::PreSelected);
                selection->add(&group);
            }
            else
            {
                group.clearSelected();
                if (group.hasFlagBits(VornFlag::GroupClosed))
                    group.clearFlagsRecursive(VornFlag::Selected | VornFlag::PreSelected);
            }
        });
        selectEnabledLayers(info, BandMode::Commit);
        view->invalidate(false);
        if (mai != nullptr)
            mai->notifierRegistry.notify(Channel::SelectionChanged, nullptr);
    }
    if ((flags & InputEvent::LeftHeld) == 0 ||
        (x == info.bandCorner.x && y == info.bandCorner.y && static_cast<int32_t>(flags & 0xFF) == info.bandFlags))
        return;
    info.bandCorner = {x, y};
    info.bandFlags = static_cast<int32_t>(flags & 0xFF);
    int32_t mode = BandMode::Replace;
    const bool shift = (flags & InputEvent::Shift) != 0;
    const bool ctrl = (flags & InputEvent::Ctrl) != 0;
    if (shift && ctrl)
        mode = BandMode::Toggle;
    else if (shift)
        mode = BandMode::Add;
    else if (ctrl)
        mode = BandMode::Subtract;
    forEachGroupFromLast(document, [mode](VornGroup& group) {
        if (mode == BandMode::Replace)
            group.clearPreSelected();
        else
            group.setPreSelected(group.hasFlagBits(VornFlag::Selected));
    });
    selectEnabledLayers(info, mode);
    if (info.bandAnchor.x < info.bandCorner.x)
        forEachGroupFromLast(document, [mode](VornGroup& group) {
            if (mode == BandMode::Replace)
            {
                if (group.hasFlagBits(VornFlag::GroupClosed))
                    group.setPreSelected(allMembersPreSelected(group));
            }
            else
                group.setPreSelected(group.hasFlagBits(VornFlag::Selected));
        });
    view->document->invalidateViews();
}

} // namespace lumbra
