#include "Lumbra/LumbraLibrary.h"

#include "Lumbra/PluginWindowHandleImpl.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

namespace lumbra
{

platform::ModuleHandle thisModule()
{
    static const platform::ModuleHandle module = platform::moduleContaining(reinterpret_cast<const void*>(&thisModule));
    return module;
}

PluginWindowHandle* makeWindowHandle()
{
    return new PluginWindowHandleImpl;
}

void showAboutBox(PluginWindowHandle* parent, const char* caption, const std::string& text)
{
    platform::Window* owner = parent != nullptr ? parent->getWnd() : nullptr;
    platform::messageBox(owner != nullptr ? owner->handle() : platform::WindowHandle::None, text, caption,
                         platform::MB_OK);
}

} // namespace lumbra
