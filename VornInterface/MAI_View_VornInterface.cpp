#include "VornInterface/MAI_View_VornInterface.h"

#include "platform/Cursor.h"
#include "platform/DeviceContext.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"
#include "plugins/VornPluginViewBase.h"
#include "__globalobjectdevice/NotificationChannels.h"

MAI_View_VornInterface::MAI_View_VornInterface(MAI_Doc* document, platform::Window* viewWindow)
    : MAI_View(document), window_(viewWindow != nullptr ? viewWindow->handle() : platform::WindowHandle::None)
{
}

platform::Window* MAI_View_VornInterface::window() const
{
    return platform::Window::fromHandle(window_);
}

void MAI_View_VornInterface::invalidate(bool erase)
{
    if (platform::Window* view = window())
        view->invalidate(erase);
}

void MAI_View_VornInterface::getClientRect(platform::Rect& rect)
{
    if (platform::Window* view = window())
        rect = view->clientRect();
}

VornPluginViewBase* MAI_View_VornInterface::shownViewType() const
{
    return viewTypeInfos != nullptr ? viewTypeInfos->viewTypePlugin : nullptr;
}

namespace
{

VornPluginViewBase* viewTypeOf(MAI_View* view)
{
    return view != nullptr && view->viewTypeInfos != nullptr ? view->viewTypeInfos->viewTypePlugin : nullptr;
}

// Another active document also means another selection: the pagettes that follow only the
// selection show the new document's (or none) instead of objects of a document that may be
// closing.
void notifyIfDocumentChanged(MAI& mai, MAI_Doc* before)
{
    if (mai.activeDocument == before)
        return;
    mai.notifierRegistry.notify(Channel::ActiveDocumentChanged, nullptr);
    mai.notifierRegistry.notify(Channel::SelectionChanging, nullptr);
    mai.notifierRegistry.notify(Channel::SelectionChanged, nullptr);
}

} // namespace

void MAI_View_VornInterface::deactivate(MAI_View* next)
{
    if (VornPluginViewBase* viewType = shownViewType())
        viewType->deactivateView(next, viewTypeOf(next));
}

void MAI_View_VornInterface::activate(MAI_View* previous)
{
    if (VornPluginViewBase* viewType = shownViewType())
        viewType->activateView(previous, viewTypeOf(previous));
}

void MAI_View_VornInterface::setCapture(bool capture)
{
    platform::Window* view = window();
    if (capture && view != nullptr)
        view->setCapture();
    else if (!capture && view != nullptr && platform::Window::capture() == view)
        platform::Window::releaseCapture();
}

void MAI_View_VornInterface::refreshCursor()
{
    platform::Window* view = window();
    if (view == nullptr || platform::Window::capture() != nullptr ||
        !view->clientRect().contains(view->screenToClient(platform::cursorPosition())))
        return;
    view->sendMessage(platform::WM_SETCURSOR, static_cast<platform::WParam>(window_),
                      platform::makeLParam(platform::HTCLIENT, platform::WM_MOUSEMOVE));
}

platform::DeviceContext* MAI_View_VornInterface::getDC()
{
    platform::Window* view = window();
    return view != nullptr ? view->getDC().release() : nullptr;
}

void MAI_View_VornInterface::releaseDC(platform::DeviceContext* context)
{
    delete context;
}

void viewActivated(MAI& mai, MAI_View* view)
{
    MAI_Doc* documentBefore = mai.activeDocument;
    MAI_View* previous = mai.activeView;
    if (view == nullptr || view == previous)
        return;
    if (previous != nullptr)
    {
        if (previous->document != view->document && previous->document != nullptr)
            previous->document->setActiveMenuItem(nullptr);
        previous->deactivate(view);
    }
    mai.activeView = view;
    mai.activeDocument = view->document;
    if (view->document != nullptr && view->document->getActiveMenuItem() != nullptr)
        mai.pluginLists.activateInDialogs(view->document->getActiveMenuItem());
    if (VornPluginViewBase* viewType = viewTypeOf(view))
        mai.pluginLists.activateInDialogs(viewType);
    view->activate(previous);
    notifyIfDocumentChanged(mai, documentBefore);
}

void lastViewDeactivated(MAI& mai)
{
    MAI_Doc* documentBefore = mai.activeDocument;
    if (mai.activeView != nullptr)
        mai.activeView->deactivate(nullptr);
    mai.activeView = nullptr;
    mai.activeDocument = nullptr;
    notifyIfDocumentChanged(mai, documentBefore);
}

void viewHovered(MAI& mai, MAI_View* view)
{
    MAI_View* previous = mai.hoveredView;
    if (previous == view)
        return;
    mai.hoveredView = view;
    if (previous != nullptr)
        previous->mouseLeave(view);
    if (view != nullptr)
        view->mouseEnter(previous);
}

void viewsLeft(MAI& mai)
{
    MAI_View* previous = mai.hoveredView;
    mai.hoveredView = nullptr;
    if (previous != nullptr)
        previous->mouseLeave(nullptr);
}

void viewDestroyed(MAI& mai, MAI_View* view)
{
    if (mai.hoveredView == view)
        mai.hoveredView = nullptr;
    if (mai.activeView == view)
        mai.activeView = nullptr;
}
