#include "Lumbra/PluginWindowHandleImpl.h"

#include "Lumbra/LumbraLibrary.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

namespace lumbra
{

PluginWindowHandleImpl::PluginWindowHandleImpl(platform::WindowHandle window) : window(window)
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
    platform::ResourceModuleScope scope(thisModule());
    if (platform::Window* windowObject = getWnd())
        rect = windowObject->windowRect();
}

void PluginWindowHandleImpl::getClientRect(platform::Rect& rect)
{
    platform::ResourceModuleScope scope(thisModule());
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
    platform::ResourceModuleScope scope(thisModule());
    platform::Window* windowObject = getWnd();
    return windowObject != nullptr ? windowObject->style() : 0;
}

bool PluginWindowHandleImpl::isVisible()
{
    platform::ResourceModuleScope scope(thisModule());
    platform::Window* windowObject = getWnd();
    return windowObject != nullptr && windowObject->isVisible();
}

void PluginWindowHandleImpl::showWindow(int32_t command)
{
    platform::ResourceModuleScope scope(thisModule());
    if (platform::Window* windowObject = getWnd())
        windowObject->showWindow(command);
}

bool PluginWindowHandleImpl::modifyStyle(uint32_t remove, uint32_t add, uint32_t flags)
{
    platform::ResourceModuleScope scope(thisModule());
    platform::Window* windowObject = getWnd();
    return windowObject != nullptr && windowObject->modifyStyle(remove, add, flags);
}

bool PluginWindowHandleImpl::redraw(const platform::Rect* updateRect)
{
    platform::ResourceModuleScope scope(thisModule());
    platform::Window* windowObject = getWnd();
    return windowObject != nullptr &&
           windowObject->redrawWindow(updateRect, platform::RDW_INVALIDATE | platform::RDW_ERASE | platform::RDW_UPDATENOW);
}

} // namespace lumbra
