#pragma once

#include "platform/Dialog.h"
#include "platform/ImageList.h"
#include "platform/TreeControl.h"

#include <memory>
#include <string>
#include <vector>

class PluginManager;
class PluginWindowHandle;
class VornPlugin;
class VornPluginBase;

// The plugins dialog: every plugin type and plugin in a tree, a plugin's description, its about
// box and properties window, and the marks "disabled" and "default". The marks are flags of the
// plugin objects; the configuration file saved when the main frame closes keeps them, and they
// rearrange the plugin lists at the next start.
class CPluginsDialog : public platform::Dialog
{
public:
    enum ControlId : int32_t
    {
        TreeId = 1000,
        PropertiesId = 1001,
        AboutId = 1002,
        DescriptionId = 1003,
        DisableId = 1004,
        DefaultId = 1005,
    };
    // Images of the tree, in the order of the image list.
    enum TreeImage : int
    {
        RootImage = 0,
        TypeImage = 1,
        PluginImage = 2,
        SpareImage = 3,
        UnrecognizedImage = 4,
        DefaultImage = 5,
        DisabledImage = 6,
    };
    struct ButtonState
    {
        bool enabled = false;
        bool checked = false;
        bool operator==(const ButtonState&) const = default;
    };

    explicit CPluginsDialog(PluginManager& registry);
    ~CPluginsDialog() override;

    // Shows the dialog modally (the Plugins command).
    static void showModal(PluginManager& registry, platform::Window* owner);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Fills the tree from the registry; onInitDialog does it.
    void fillTree();
    void OnSelChanged();
    void OnAbout();
    void OnProperties();
    void OnDefault();
    void OnDisable();
    void OnSize(int32_t width, int32_t height);

    platform::TreeControl& getTree() { return tree; }
    platform::TreeItem getRootItem() const { return rootItem; }
    const std::string& getDescription() const { return description; }
    // What the button shows (also without a window).
    ButtonState buttonState(int32_t id) const;
    // The plugin of the selected plugin item, found by its text below its parent's text; null for
    // other items and when it is not found.
    VornPlugin* findSelectedPlugin() const;

private:
    void insertPluginTypeItem(const char* typeName, platform::TreeItem parent);
    platform::TreeItem insertPluginItem(VornPluginBase* plugin, int image, platform::TreeItem parent,
                                        const char* thrower);
    void insertOwnedTypes(VornPluginBase* plugin, platform::TreeItem item);
    bool isPluginItem(platform::TreeItem item) const;
    void setButtons(ButtonState aboutState, ButtonState propertiesState, ButtonState disableState,
                    ButtonState defaultState);
    void showButtons();
    PluginWindowHandle* handleFor(VornPlugin* plugin);

    PluginManager& registry;
    platform::TreeControl tree;
    platform::ImageList images;
    platform::TreeItem rootItem = platform::TreeItem::None;
    std::string description;
    ButtonState about, properties, disable, defaultButton;
    std::vector<std::unique_ptr<PluginWindowHandle>> windowHandles;
};
