#include "plugins/VornPluginViewBase.h"

#include "VornData/IntrusiveList.h"
#include "plugins/MAI.h"

#include <algorithm>
#include <cstring>

const char* VornPluginViewBase::getTypeName()
{
    return "View Base";
}

void VornPluginViewBase::activateView(MAI_View* previousView, VornPluginViewBase* previousViewType)
{
}

void VornPluginViewBase::deactivateView(MAI_View* nextView, VornPluginViewBase* nextViewType)
{
}

ViewTypeInfo::ViewTypeInfo(VornPluginViewBase* viewType, MAI_View* owner) : ownerView(owner), viewTypePlugin(viewType)
{
    if (owner != nullptr)
    {
        next = owner->viewTypeInfos;
        owner->viewTypeInfos = this;
    }
}

ViewTypeInfo::~ViewTypeInfo()
{
    while (drawObjects != nullptr)
        delete drawObjects; // leaves the chain itself
    if (ownerView == nullptr)
        return;
    for (ViewTypeInfo** link = &ownerView->viewTypeInfos; *link != nullptr; link = &(*link)->next)
    {
        if (*link == this)
        {
            *link = next;
            break;
        }
    }
}

void ViewTypeInfo::resize(int32_t width, int32_t height)
{
}

void ViewTypeInfo::invalidate()
{
}

platform::CursorHandle ViewTypeInfo::getCursor(int32_t x, int32_t y, uint32_t flags)
{
    return platform::CursorHandle{};
}

bool ViewTypeInfo::isActive() const
{
    return ownerView != nullptr && ownerView->viewTypeInfos == this;
}

DrawObject::DrawObject(PluginDrawObject* plugin, ViewTypeInfo* owner) : plugin(plugin), owner(owner)
{
    if (owner != nullptr)
        linkAtFront<&DrawObject::prev, &DrawObject::next>(owner->drawObjects, this);
    if (plugin != nullptr)
        linkAtFront<&DrawObject::prevOfPlugin, &DrawObject::nextOfPlugin>(plugin->drawObjects, this);
}

DrawObject::~DrawObject()
{
    if (owner != nullptr)
    {
        unlinkFrom<&DrawObject::prev, &DrawObject::next>(owner->drawObjects, this);
        if (owner->mouseHolder == this)
            owner->mouseHolder = nullptr;
    }
    if (plugin != nullptr)
        unlinkFrom<&DrawObject::prevOfPlugin, &DrawObject::nextOfPlugin>(plugin->drawObjects, this);
}

bool DrawObject::onMouse(int32_t x, int32_t y, int32_t z, uint32_t flags)
{
    return false;
}

PluginDrawObject::~PluginDrawObject()
{
    while (drawObjects != nullptr)
    {
        DrawObject* object = drawObjects;
        unlinkFrom<&DrawObject::prevOfPlugin, &DrawObject::nextOfPlugin>(drawObjects, object);
        object->plugin = nullptr;
    }
}

const char* PluginDrawObject::getModeName()
{
    return "default";
}

int32_t PluginDrawObject::getBitmapID()
{
    return 0;
}

int32_t PluginDrawObject::getSecondBitmapID()
{
    return getBitmapID();
}

VornPluginSnapObject::VornPluginSnapObject(int32_t priority) : priority(priority), master(this)
{
}

void VornPluginSnapObject::execute(MAI_View* activeView)
{
    master->snapEnabled = master->snapEnabled != 0 ? 0 : 1;
}

bool hasSnapKind(VornPluginSnapObject* snapObject, const char* kind)
{
    const char* own = snapObject->getSnapKind();
    return own != nullptr && kind != nullptr && std::strcmp(own, kind) == 0;
}

SnapPoint findBestSnapPoint(VornPluginBase* snapObjects, MAI_View* view, float x, float y, uint32_t stamp,
                            const char* kind)
{
    if (kind == nullptr)
        return findBestSnapPoint(snapObjects, view, x, y, stamp, std::initializer_list<const char*>{});
    return findBestSnapPoint(snapObjects, view, x, y, stamp, {kind});
}

SnapPoint findBestSnapPoint(VornPluginBase* snapObjects, MAI_View* view, float x, float y, uint32_t stamp,
                            std::initializer_list<const char*> kinds)
{
    SnapPoint best(stamp);
    best.distance = noSnapDistance;
    for (VornPluginBase* plugin = snapObjects; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* snapObject = dynamic_cast<VornPluginSnapObject*>(plugin);
        if (snapObject == nullptr || !snapObject->isUsable() || !snapObject->isEnabled())
            continue;
        if (kinds.size() != 0 &&
            std::none_of(kinds.begin(), kinds.end(), [&](const char* kind) { return hasSnapKind(snapObject, kind); }))
            continue;
        SnapPoint trial(stamp);
        if (snapObject->snapPoint(&trial, view, x, y, static_cast<float>(best.distance)) &&
            trial.distance < best.distance)
            best = trial;
    }
    return best;
}

void showViewType(MAI* mai, MAI_View* view, VornPluginViewBase* viewType)
{
    if (viewType == nullptr || view == nullptr || isViewTypeShown(view, viewType))
        return;
    VornPluginViewBase* previous = view->viewTypeInfos != nullptr ? view->viewTypeInfos->viewTypePlugin : nullptr;
    if (previous != nullptr)
        previous->deactivateView(view, viewType);
    viewType->getViewTypeInfo(view);
    if (mai != nullptr)
        mai->pluginLists.activateInDialogs(viewType);
    viewType->activateView(view, previous);
    // Both view types paint the whole window, so the background is not erased first.
    view->invalidate(false);
}

bool isViewTypeShown(const MAI_View* view, const VornPluginViewBase* viewType)
{
    return view != nullptr && view->viewTypeInfos != nullptr && view->viewTypeInfos->viewTypePlugin == viewType;
}
