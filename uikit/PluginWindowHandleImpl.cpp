#include "uikit/PluginWindowHandleImpl.h"

#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

namespace
{

// The library this code is linked into: each library has its own copy of the kit.
platform::ModuleHandle libraryModule()
{
    static const platform::ModuleHandle module =
        platform::moduleContaining(reinterpret_cast<const void*>(&libraryModule));
    return module;
}

} // namespace

PluginWindowHandleImpl::PluginWindowHandleImpl(platform::WindowHandle window) : window(window)
{
}

PluginWindowHandleImpl::PluginWindowHandleImpl(platform::Window* windowObject)
    : window(windowObject != nullptr ? windowObject->handle() : platform::WindowHandle::None)
{
}

void PluginWindowHandleImpl::attach(platform::Window* windowObject)
{
    if (windowObject != nullptr)
        window = windowObject->handle();
}

platform::Window* PluginWindowHandleImpl::getWnd()
{
    return platform::Window::fromHandle(window);
}

void PluginWindowHandleImpl::getWindowRect(platform::Rect& rect)
{
    platform::ResourceModuleScope scope(libraryModule());
    if (platform::Window* windowObject = getWnd())
        rect = windowObject->windowRect();
}

void PluginWindowHandleImpl::getClientRect(platform::Rect& rect)
{
    platform::ResourceModuleScope scope(libraryModule());
    if (platform::Window* windowObject = getWnd())
        rect = windowObject->clientRect();
}

bool PluginWindowHandleImpl::moveWindow(const platform::Rect& rect, bool repaint)
{
    platform::Window* windowObject = getWnd();
    return windowObject != nullptr && windowObject->moveWindow(rect, repaint);
}

uint32_t PluginWindowHandleImpl::getStyle()
{
    platform::ResourceModuleScope scope(libraryModule());
    platform::Window* windowObject = getWnd();
    return windowObject != nullptr ? windowObject->style() : 0;
}

bool PluginWindowHandleImpl::isVisible()
{
    platform::ResourceModuleScope scope(libraryModule());
    platform::Window* windowObject = getWnd();
    return windowObject != nullptr && windowObject->isVisible();
}

void PluginWindowHandleImpl::showWindow(int32_t command)
{
    platform::ResourceModuleScope scope(libraryModule());
    if (platform::Window* windowObject = getWnd())
        windowObject->showWindow(command);
}

bool PluginWindowHandleImpl::modifyStyle(uint32_t remove, uint32_t add, uint32_t flags)
{
    platform::ResourceModuleScope scope(libraryModule());
    platform::Window* windowObject = getWnd();
    return windowObject != nullptr && windowObject->modifyStyle(remove, add, flags);
}

bool PluginWindowHandleImpl::redraw(const platform::Rect* updateRect)
{
    platform::ResourceModuleScope scope(libraryModule());
    platform::Window* windowObject = getWnd();
    return windowObject != nullptr &&
        windowObject->redrawWindow(updateRect,
                                   platform::RDW_INVALIDATE | platform::RDW_ERASE | platform::RDW_UPDATENOW);
}

void showAboutBox(PluginWindowHandle* parent, const char* caption, const std::string& text)
{
    platform::Window* owner = parent != nullptr ? parent->getWnd() : nullptr;
    platform::messageBox(owner != nullptr ? owner->handle() : platform::WindowHandle::None, text, caption,
                         platform::MB_OK);
}
