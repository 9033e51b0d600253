#include "VornInterface/MenuItemPlacement.h"

#include "VornInterface/HostFrame.h"
#include "VornInterface/MenuPaths.h"
#include "platform/ImageList.h"
#include "platform/Menu.h"
#include "platform/Resources.h"
#include "platform/Surface.h"
#include "platform/Toolbar.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginMenuItem.h"

#include <cstring>

namespace
{

// Path joining on a platform menu.
class PlatformEditableMenu : public EditableMenu
{
public:
    explicit PlatformEditableMenu(platform::Menu& menu) : menu_(menu) {}
    int entryCount() const override { return menu_.entryCount(); }
    std::string entryText(int position) const override { return menu_.entryText(position); }
    std::unique_ptr<EditableMenu> submenu(int position) override
    {
        platform::Menu* popup = menu_.submenu(position);
        return popup != nullptr ? std::make_unique<PlatformEditableMenu>(*popup) : nullptr;
    }
    void removeEntry(int position) override { menu_.removeEntry(position); }
    std::unique_ptr<EditableMenu> insertPopup(int position, const std::string& label) override
    {
        platform::Menu* popup = menu_.insertPopup(position, label);
        return popup != nullptr ? std::make_unique<PlatformEditableMenu>(*popup) : nullptr;
    }
    void appendItem(std::uint32_t commandId, const std::string& text) override { menu_.appendItem(commandId, text); }

private:
    platform::Menu& menu_;
};

// The toolbar the item's button goes on: the "Toolbar" plugin whose button text is the item's
// toolbar name ("Main Options" when it names none).
platform::Toolbar* toolbarOf(VornPluginMenuItem& item, MAI& mai, HostFrame& frame)
{
    const char* wanted = item.getToolbarName();
    if (wanted == nullptr)
        wanted = "Main Options";
    for (VornPluginBase* plugin = mai.pluginLists.toolbars; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* toolbar = static_cast<VornPluginToolbar*>(plugin);
        const char* text = toolbar->getButtonText();
        if (text != nullptr && std::strcmp(text, wanted) == 0)
            return frame.pluginToolbar(toolbar);
    }
    return nullptr;
}

// Adds the item's 16 x 16 bitmap to the shared images; -1 when the module has no such bitmap.
int addButtonImage(VornPluginMenuItem& item, platform::ImageList& images)
{
    const platform::BitmapResource* bitmap = nullptr;
    try
    {
        bitmap = platform::findBitmapResource(item.module, item.getBitmapID());
    }
    catch (const platform::ResourceError&)
    {
        return -1;
    }
    if (bitmap == nullptr || bitmap->width < 16 || bitmap->height < 16)
        return -1;
    platform::Surface image(16, 16);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x)
            image.setPixel(x, y, bitmap->pixels[static_cast<std::size_t>(y) * bitmap->width + x]);
    return images.add(image, 0xFF00FF);
}

std::string hotKeyTextOf(const VornPluginMenuItem& item)
{
    return std::string(item.hotKeyText, strnlen(item.hotKeyText, sizeof item.hotKeyText));
}

} // namespace

bool addToMenu(VornPluginMenuItem& item, platform::Menu& menu, MAI& mai, HostFrame& frame)
{
    const char* path = item.getMenuPath();
    if (path == nullptr)
        return false;
    PlatformEditableMenu editable(menu);
    addMenuPath(editable, path, hotKeyTextOf(item), item.commandId);
    if (item.getBitmapID() == 0)
        return true;
    platform::Toolbar* toolbar = toolbarOf(item, mai, frame);
    if (toolbar == nullptr)
        return false;
    if (toolbar->commandToIndex(item.commandId) >= 0)
        return true;
    // An item that was removed keeps its image: adding it again brings its button back.
    if (item.button.imageIndex < 0)
    {
        const int image = addButtonImage(item, frame.buttonImages());
        if (image < 0)
            return true;
        item.button.imageIndex = image;
    }
    item.button.commandId = static_cast<std::int32_t>(item.commandId);
    item.button.state = platform::TBSTATE_ENABLED;
    item.button.style = platform::TBSTYLE_BUTTON;
    item.button.data = reinterpret_cast<std::uintptr_t>(&item);
    item.button.stringIndex = 0;
    toolbar->addButtons(&item.button, 1);
    frame.toolbarChanged(*toolbar);
    return true;
}

bool removeFromMenu(VornPluginMenuItem& item, platform::Menu& menu, MAI& mai, HostFrame& frame)
{
    const char* path = item.getMenuPath();
    if (path == nullptr)
        return false;
    PlatformEditableMenu editable(menu);
    removeMenuPath(editable, path, hotKeyTextOf(item));
    if (item.getBitmapID() == 0)
        return true;
    platform::Toolbar* toolbar = toolbarOf(item, mai, frame);
    if (toolbar == nullptr)
        return false;
    const int index = toolbar->commandToIndex(item.commandId);
    if (index >= 0)
    {
        toolbar->deleteButton(index);
        frame.toolbarChanged(*toolbar);
    }
    return true;
}
