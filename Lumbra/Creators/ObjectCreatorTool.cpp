#include "Lumbra/Creators/ObjectCreatorTool.h"

#include "plugins/InputEvent.h"
#include "plugins/MAI.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginViewBase.h"
#include "platform/Time.h"

#include <cstring>
#include <string_view>

namespace lumbra
{

const char* const creatorLockWaitingText =
    "Create Member\nis waiting to gain access to the database.\nBut thus far this is not granted.\n\n"
    "Abort Delete?\nRetry to gain access?\nOr ignore? (could cause program crash)";

namespace
{

constexpr std::string_view snapObjectTypeSuffix = " Snap Object";

} // namespace

platform::CursorHandle cursorHandleOf(platform::Cursor* cursor)
{
    return static_cast<platform::CursorHandle>(reinterpret_cast<uintptr_t>(cursor));
}

VornPluginObjectCreator* CreationPagette::creator() const
{
    return dynamic_cast<VornPluginObjectCreator*>(owner);
}

VornPluginBase* snapObjectsOfViewType(const PluginManager* registry, const VornPluginBase* viewType)
{
    if (registry == nullptr || viewType == nullptr)
        return nullptr;
    for (const PluginType* type = registry->getFirstType(); type != nullptr; type = type->getNewer())
    {
        const std::string_view name = type->getName() != nullptr ? type->getName() : "";
        if (type->getOwner() == viewType && name.ends_with(snapObjectTypeSuffix) && type->getListHead() != nullptr)
            return *type->getListHead();
    }
    return nullptr;
}

ObjectCreatorTool::ObjectCreatorTool(const PluginTexts& texts, const char* objectTypeName, int32_t bitmapId)
    : texts(texts), objectTypeName(objectTypeName), bitmapId(bitmapId)
{
}

void ObjectCreatorTool::about(PluginWindowHandle* parent)
{
    showPluginAbout(parent, texts);
}

void ObjectCreatorTool::registerPluginTypes(PluginManager* registry)
{
    this->registry = registry;
    if (registry == nullptr)
        return;
    createPagetteTypes = nullptr;
    registry->addPluginType(&createPagetteTypes, createPagetteTypeName(), this);
    editPagetteTypes = nullptr;
    registry->addPluginType(&editPagetteTypes, editPagetteTypeName(), this);
}

MAI_View* ObjectCreatorTool::hoveredViewWithViewType() const
{
    MAI_View* view = mai != nullptr ? mai->hoveredView : nullptr;
    if (view == nullptr || view->viewTypeInfos == nullptr || view->viewTypeInfos->viewTypePlugin == nullptr)
        return nullptr;
    return view;
}

VornPluginBase* ObjectCreatorTool::snapObjectsOf(MAI_View* view) const
{
    return view != nullptr && view->viewTypeInfos != nullptr
               ? snapObjectsOfViewType(registry, view->viewTypeInfos->viewTypePlugin)
               : nullptr;
}

void ObjectCreatorTool::feedPagettes(const SnapPoint& best, int32_t x, int32_t y, int32_t z, uint32_t flags)
{
    for (VornPluginPagette* pagette = createPagettes.first(); pagette != nullptr; pagette = pagette->nextPagette)
    {
        auto* creation = static_cast<VornPluginCreatorPagette*>(pagette);
        if (best.source != nullptr)
        {
            SnapPoint shown = best;
            creation->onSnapPoint(&shown, flags);
        }
        else
            creation->onMousePoint(x, y, z, flags);
    }
}

void ObjectCreatorTool::mouseLeftViews()
{
    feedPagettes(SnapPoint(platform::tickCount()), -1, -1, -1, InputEvent::Leave);
}

bool ObjectCreatorTool::readPagetteInput()
{
    for (VornPluginPagette* pagette = createPagettes.first(); pagette != nullptr; pagette = pagette->nextPagette)
        if (auto* creation = dynamic_cast<CreationPagette*>(pagette); creation != nullptr && !creation->readInput())
            return false;
    return true;
}

void ObjectCreatorTool::applyPagettes(MAI_Doc* document, VornBaseObject* object)
{
    for (VornPluginPagette* pagette = createPagettes.first(); pagette != nullptr; pagette = pagette->nextPagette)
        static_cast<VornPluginCreatorPagette*>(pagette)->applyToNewObject(&document->document, object);
}

void ObjectCreatorTool::onMouse(int32_t x, int32_t y, int32_t z, uint32_t flags)
{
    // The mouse has left the views: no view is hovered any more, and nothing is snapped.
    if ((flags & InputEvent::Leave) != 0)
    {
        mouseLeftViews();
        return;
    }
    MAI_View* view = hoveredViewWithViewType();
    if (view == nullptr)
        return;
    // Snaps of a shared master may still be marked usable by another tool: only those of the
    // kind the tool works with are asked.
    const SnapPoint best = findBestSnapPoint(snapObjectsOf(view), view, static_cast<float>(x),
                                             static_cast<float>(y), platform::tickCount(), searchedSnapKind());
    feedPagettes(best, x, y, z, flags);
    if ((flags & (InputEvent::KindMask | InputEvent::RightHeld)) == InputEvent::LeftUp)
        createObject();
}

bool ObjectCreatorTool::createObject()
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    if (document == nullptr)
        return false;
    // Every value is read and checked before the document is touched.
    if (!readPagetteInput())
        return false;
    {
        DocumentChangeLock lock(document, creatorLockWaitingText, lockTimeout);
        if (!lock)
            return false;
        VornBaseObject* object = makeObject(document);
        if (object == nullptr)
            return false;
        applyPagettes(document, object);
    }
    document->invalidateViews();
    return true;
}

} // namespace lumbra
