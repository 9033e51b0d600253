#include "VornInterface/PluginsDialog.h"

#include "VornData/generalException.h"
#include "VornInterface/HostDialogResources.h"
#include "platform/Controls.h"
#include "platform/ControlNotifications.h"
#include "platform/Services.h"
#include "platform/Surface.h"
#include "platform/SystemValues.h"
#include "plugins/MAI.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPlugin.h"

#include <algorithm>

using platform::TreeItem;

namespace
{

constexpr const char* unrecognizedText = "Unrecognized Plugins";

VornPluginBase* findByName(VornPluginBase* first, const std::string& name)
{
    for (VornPluginBase* plugin = first; plugin != nullptr; plugin = plugin->getNext())
        if (name == plugin->getName())
            return plugin;
    return nullptr;
}

} // namespace

CPluginsDialog::CPluginsDialog(PluginManager& registry)
    : platform::Dialog(HostResource::PluginsDialog), registry(registry), images({16, 16})
{
    registerHostDialogResources();
    for (int32_t bitmap :
         {HostResource::RootImage, HostResource::TypeImage, HostResource::PluginImage, HostResource::SparePluginImage,
          HostResource::UnrecognizedImage, HostResource::DefaultPluginImage, HostResource::DisabledPluginImage})
        images.add(hostBitmap(bitmap), 0xFFFFFF);
}

CPluginsDialog::~CPluginsDialog() = default;

void CPluginsDialog::showModal(PluginManager& registry, platform::Window* owner)
{
    CPluginsDialog dialog(registry);
    dialog.doModal(hostResourceModule(), owner);
}

bool CPluginsDialog::onInitDialog()
{
    platform::Dialog::onInitDialog();
    tree.subclassDlgItem(TreeId, this);
    tree.setImageList(&images);
    fillTree();
    showButtons();
    return true;
}

void CPluginsDialog::fillTree()
{
    tree.deleteAllItems();
    rootItem = tree.insertItem("SYSTEM", RootImage, RootImage);
    if (rootItem == TreeItem::None)
        throw Exc_OutOfMemory("PluginViewer::OnInitDialog/ntreeItemOwnerSystem == 0");
    for (const PluginType* type = registry.getFirstType(); type != nullptr; type = type->getNewer())
        if (type->getOwner() == nullptr)
            insertPluginTypeItem(type->getName(), rootItem);
    if (VornPluginBase* unrecognized = registry.getUnrecognizedPlugins())
    {
        const TreeItem node =
            tree.insertItem(unrecognizedText, UnrecognizedImage, UnrecognizedImage, rootItem, TreeItem::Last);
        if (node == TreeItem::None)
            throw Exc_OutOfMemory("PluginViewer::OnInitDialog/nunrecognizedPluginTypeTreeItem == 0");
        for (VornPluginBase* plugin = unrecognized; plugin != nullptr; plugin = plugin->getNext())
            insertOwnedTypes(plugin,
                             insertPluginItem(plugin, PluginImage, node,
                                              "PluginViewer::OnInitDialog/nunrecognizedpluginTreeItem == 0"));
    }
    tree.expand(rootItem, platform::TreeExpand::Expand);
}

void CPluginsDialog::insertPluginTypeItem(const char* typeName, TreeItem parent)
{
    const TreeItem typeItem = tree.insertItem(typeName, TypeImage, TypeImage, parent, TreeItem::Sort);
    if (typeItem == TreeItem::None)
        throw Exc_OutOfMemory("CPluginsDialog::InsertPluginTypeItem/ntypeTreeItem == 0");
    constexpr const char* thrower = "PluginViewer::OnInitDialog/npluginTreeItem == 0";
    for (VornPluginBase* plugin = registry.getFirstPlugin(typeName); plugin != nullptr; plugin = plugin->getNext())
        insertOwnedTypes(plugin,
                         insertPluginItem(plugin, plugin->isDefault() ? DefaultImage : PluginImage, typeItem, thrower));
    for (VornPluginBase* plugin = registry.getFirstDisabledPlugin(typeName); plugin != nullptr;
         plugin = plugin->getNext())
        insertOwnedTypes(plugin, insertPluginItem(plugin, DisabledImage, typeItem, thrower));
}

TreeItem CPluginsDialog::insertPluginItem(VornPluginBase* plugin, int image, TreeItem parent, const char* thrower)
{
    const TreeItem item = tree.insertItem(plugin->getName(), image, image, parent, TreeItem::Sort,
                                          reinterpret_cast<std::intptr_t>(plugin));
    if (item == TreeItem::None)
        throw Exc_OutOfMemory(thrower);
    return item;
}

void CPluginsDialog::insertOwnedTypes(VornPluginBase* plugin, TreeItem item)
{
    for (int32_t index = registry.countOwnedTypes(plugin) - 1; index >= 0; --index)
        insertPluginTypeItem(registry.getOwnedTypeName(plugin, index), item);
}

bool CPluginsDialog::isPluginItem(TreeItem item) const
{
    const int image = tree.itemImage(item);
    return item != TreeItem::None && (image == PluginImage || image == DefaultImage || image == DisabledImage);
}

VornPlugin* CPluginsDialog::findSelectedPlugin() const
{
    const TreeItem item = tree.selectedItem();
    if (!isPluginItem(item))
        return nullptr;
    const std::string name = tree.itemText(item);
    const std::string parentText = tree.itemText(tree.parentItem(item));
    VornPluginBase* plugin = nullptr;
    if (parentText == unrecognizedText)
        plugin = findByName(registry.getUnrecognizedPlugins(), name);
    else
    {
        plugin = findByName(registry.getFirstPlugin(parentText.c_str()), name);
        if (plugin == nullptr)
            plugin = findByName(registry.getFirstDisabledPlugin(parentText.c_str()), name);
    }
    return dynamic_cast<VornPlugin*>(plugin);
}

void CPluginsDialog::OnSelChanged()
{
    const TreeItem item = tree.selectedItem();
    const ButtonState off;
    const ButtonState on{true, false};
    description.clear();
    if (item != TreeItem::None && item == rootItem)
    {
        description = "SYSTEM:\nThis is the root of all plugin types";
        setButtons(on, off, off, off);
    }
    else if (item != TreeItem::None && tree.itemImage(item) == TypeImage)
    {
        description = "Plugin Type:\n" + tree.itemText(item);
        setButtons(off, off, off, off);
    }
    else if (item != TreeItem::None && tree.itemImage(item) == UnrecognizedImage)
    {
        description = "Unrecognized Plugins:\nAny plugin who's type is not registered, is added to this list.";
        setButtons(off, off, off, off);
    }
    else if (VornPlugin* plugin = findSelectedPlugin())
    {
        description = plugin->getDescription();
        setButtons(on, {plugin->getPropertiesRequest() != nullptr, false}, {true, !plugin->isEnabled()},
                   {plugin->isEnabled(), plugin->isEnabled() && plugin->isDefault()});
    }
    else
        setButtons(off, off, off, off);
    showButtons();
}

void CPluginsDialog::OnAbout()
{
    const TreeItem item = tree.selectedItem();
    if (item != TreeItem::None && item == rootItem)
        platform::messageBox(handle(),
                             "Central Plugin System\na system allowing plugin coders\nto register new plugin types",
                             "PLUGIN SYSTEM");
    else if (VornPlugin* plugin = findSelectedPlugin())
        plugin->about(handleFor(plugin));
}

void CPluginsDialog::OnProperties()
{
    VornPlugin* plugin = findSelectedPlugin();
    if (plugin == nullptr)
        return;
    PluginWindowRequest* request = plugin->getPropertiesRequest();
    if (request != nullptr && plugin->mai != nullptr)
        plugin->mai->createPluginWindow(request, handleFor(plugin));
}

void CPluginsDialog::OnDefault()
{
    const TreeItem item = tree.selectedItem();
    if (!isPluginItem(item))
        return;
    auto* plugin = reinterpret_cast<VornPluginBase*>(tree.itemData(item));
    if (plugin == nullptr)
        return;
    if (plugin->isEnabled())
    {
        if (plugin->isDefault())
        {
            plugin->setDefault(false);
            tree.setItemImage(item, PluginImage, PluginImage);
        }
        else
        {
            VornPluginBase* previous = plugin->setDefault(true);
            tree.setItemImage(item, DefaultImage, DefaultImage);
            if (previous != nullptr)
            {
                TreeItem sibling = tree.childItem(tree.parentItem(item));
                while (sibling != TreeItem::None && tree.itemData(sibling) != reinterpret_cast<std::intptr_t>(previous))
                    sibling = tree.nextSibling(sibling);
                if (sibling != TreeItem::None)
                    tree.setItemImage(sibling, PluginImage, PluginImage);
                else
                    platform::messageBeep();
            }
        }
    }
    defaultButton.checked = plugin->isEnabled() && plugin->isDefault();
    showButtons();
}

void CPluginsDialog::OnDisable()
{
    VornPlugin* plugin = findSelectedPlugin();
    if (plugin == nullptr)
        return;
    const TreeItem item = tree.selectedItem();
    if (plugin->isEnabled())
    {
        plugin->setEnabled(false);
        plugin->setDefault(false);
        tree.setItemImage(item, DisabledImage, DisabledImage);
    }
    else
    {
        plugin->setEnabled(true);
        tree.setItemImage(item, PluginImage, PluginImage);
    }
    defaultButton = {plugin->isEnabled(), plugin->isEnabled() && plugin->isDefault()};
    disable.checked = !plugin->isEnabled();
    showButtons();
}

void CPluginsDialog::OnSize(int32_t width, int32_t height)
{
    if (rootItem == TreeItem::None)
        return;
    // Moves a child to (x, y), keeping its size unless a new one is given.
    auto place = [this](platform::Window* child, int32_t x, int32_t y, platform::Size size) {
        if (child == nullptr)
            return;
        const platform::Rect now = screenToClient(child->windowRect());
        if (size.width < 0)
            size = now.size();
        child->moveWindow(platform::Rect::fromPointAndSize({x < 0 ? now.left : x, y < 0 ? now.top : y}, size));
    };
    place(&tree, -1, -1, {std::max(width - 2, 0), std::max(height - 98, 0)});
    const std::pair<int32_t, int32_t> buttonRows[] = {
        {DefaultId, height - 24}, {DisableId, height - 48}, {PropertiesId, height - 72}, {AboutId, height - 96}};
    for (const auto& [id, y] : buttonRows)
        place(dlgItem(id), 2, y, {-1, -1});
    place(dlgItem(DescriptionId), 80, height - 96, {-1, -1});
}

platform::LResult CPluginsDialog::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (message == platform::WM_SIZE)
        OnSize(static_cast<int32_t>(platform::lowWord(static_cast<uint64_t>(lParam))),
               static_cast<int32_t>(platform::highWord(static_cast<uint64_t>(lParam))));
    if (message == platform::WM_NOTIFY)
    {
        const auto* header = reinterpret_cast<const platform::NotifyHeader*>(lParam);
        if (header->idFrom == TreeId && header->code == platform::TVN_SELCHANGED)
            OnSelChanged();
    }
    return platform::Dialog::windowProc(message, wParam, lParam);
}

bool CPluginsDialog::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (code == platform::BN_CLICKED)
    {
        switch (id)
        {
        case AboutId:
            OnAbout();
            return true;
        case PropertiesId:
            OnProperties();
            return true;
        case DefaultId:
            OnDefault();
            return true;
        case DisableId:
            OnDisable();
            return true;
        default:
            break;
        }
    }
    return platform::Dialog::onCommand(id, code, control);
}

CPluginsDialog::ButtonState CPluginsDialog::buttonState(int32_t id) const
{
    switch (id)
    {
    case AboutId:
        return about;
    case PropertiesId:
        return properties;
    case DisableId:
        return disable;
    case DefaultId:
        return defaultButton;
    default:
        return {};
    }
}

void CPluginsDialog::setButtons(ButtonState aboutState, ButtonState propertiesState, ButtonState disableState,
                                ButtonState defaultState)
{
    about = aboutState;
    properties = propertiesState;
    disable = disableState;
    defaultButton = defaultState;
}

void CPluginsDialog::showButtons()
{
    setDlgItemText(DescriptionId, description);
    for (int32_t id : {AboutId, PropertiesId, DisableId, DefaultId})
        if (platform::Window* button = dlgItem(id))
        {
            button->enableWindow(buttonState(id).enabled);
            if (id == DisableId || id == DefaultId)
                checkDlgButton(id, buttonState(id).checked ? platform::BST_CHECKED : platform::BST_UNCHECKED);
        }
}

PluginWindowHandle* CPluginsDialog::handleFor(VornPlugin* plugin)
{
    if (plugin->mai == nullptr)
        return nullptr;
    PluginWindowHandle* handle = plugin->mai->createWindowHandle(this);
    if (handle != nullptr)
        windowHandles.emplace_back(handle);
    return handle;
}
