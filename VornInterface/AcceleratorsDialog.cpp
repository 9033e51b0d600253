#include "VornInterface/AcceleratorsDialog.h"

#include "VornInterface/AcceleratorFile.h"
#include "VornInterface/HostDialogResources.h"
#include "VornInterface/KeyNames.h"
#include "platform/Controls.h"
#include "platform/ControlNotifications.h"
#include "platform/SystemValues.h"
#include "plugins/AcceleratorTable.h"
#include "plugins/MAI.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginMenuItem.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

using namespace platform;

namespace
{

struct Gesture
{
    const char* name;
    uint32_t code;
};

// In the order of the sorted list.
constexpr Gesture gestures[] = {
    {"MIDDLE BUTTON DOWN", AcceleratorCode::MiddleDown},
    {"MIDDLE BUTTON DRAG", AcceleratorCode::MiddleDrag},
    {"MIDDLE BUTTON STATIC CLICK", AcceleratorCode::MiddleClick},
    {"MIDDLE BUTTON UP", AcceleratorCode::MiddleUp},
    {"RIGHT BUTTON DOWN", AcceleratorCode::RightDown},
    {"RIGHT BUTTON DRAG", AcceleratorCode::RightDrag},
    {"RIGHT BUTTON STATIC CLICK", AcceleratorCode::RightClick},
    {"RIGHT BUTTON UP", AcceleratorCode::RightUp},
};

constexpr const char* keyboardDevice = "KEYBOARD";
constexpr const char* mouseDevice = "MOUSE";

} // namespace

CAcceleratorsDialog::CAcceleratorsDialog(MAI& mai, PluginManager& registry)
    : Dialog(HostResource::AcceleratorsDialog), mai(mai), table(mai.accelerators), registry(registry)
{
    registerHostDialogResources();
}

CAcceleratorsDialog::~CAcceleratorsDialog() = default;

void CAcceleratorsDialog::showModal(MAI& mai, PluginManager& registry, Window* owner)
{
    CAcceleratorsDialog dialog(mai, registry);
    dialog.doModal(hostResourceModule(), owner);
}

bool CAcceleratorsDialog::onInitDialog()
{
    Dialog::onInitDialog();
    deviceList.subclassDlgItem(DeviceId, this);
    inputList.subclassDlgItem(InputId, this);
    actionTree.subclassDlgItem(TreeId, this);
    if (Window* capture = dlgItem(CaptureId))
        capture->showWindow(SW_HIDE);
    for (const char* device : {keyboardDevice, mouseDevice})
        deviceList.addString(device);
    for (MenuItemTypeNode* node = mai.menuItemTypes; node != nullptr; node = node->next)
    {
        const TreeItem typeItem = actionTree.insertItem(node->type->getName(), 0, 0, TreeItem::None, TreeItem::Last);
        for (VornPluginBase* first : {*node->type->getListHead(), node->type->getFirstDisabled()})
            for (VornPluginBase* plugin = first; plugin != nullptr; plugin = plugin->getNext())
                if (auto* item = dynamic_cast<VornPluginMenuItem*>(plugin))
                    actionTree.insertItem(item->getName(), 0, 0, typeItem, TreeItem::Last,
                                          reinterpret_cast<std::intptr_t>(item));
    }
    for (const Gesture& gesture : gestures)
        inputList.setItemData(inputList.addString(gesture.name), gesture.code);
    deviceList.setCurSel(deviceList.findStringExact(-1, mouseDevice));
    inputList.setCurSel(inputList.findStringExact(-1, "RIGHT BUTTON DRAG"));
    refresh();
    setClearState();
    return true;
}

uint32_t CAcceleratorsDialog::currentEvent()
{
    if (deviceList.windowText() == keyboardDevice)
        return capturedCode;
    const int selected = inputList.curSel();
    if (selected < 0)
    {
        messageBox(handle(), "GetCurSel -> CB_ERR", "OnButtonadd");
        return 0;
    }
    const std::intptr_t code = inputList.itemData(selected);
    if (code <= 0)
    {
        messageBox(handle(), "GetItemData -> CB_ERR", "OnButtonadd");
        return 0;
    }
    return static_cast<uint32_t>(code) + AcceleratorCode::mouseBase(shiftChecked, ctrlChecked);
}

void CAcceleratorsDialog::refresh(AcceleratorBinding* selected)
{
    auto* list = dlgItemAs<ListBox>(BindingsId);
    if (list != nullptr)
        list->resetContent();
    currentBinding = nullptr;
    const uint32_t code = currentEvent();
    if (list != nullptr)
        list->enableWindow(code != 0);
    AcceleratorBinding* first = code != 0 ? table.getBindings(code) : nullptr;
    if (first == nullptr)
    {
        if (code != 0 && list != nullptr)
        {
            list->addString("..no actions..");
            list->setItemData(0, 0);
        }
        for (int32_t id : {MoveUpId, MoveDownId, RemoveId})
            enableButton(id, false);
        return;
    }
    std::vector<AcceleratorBinding*> bindings;
    for (AcceleratorBinding* binding = first; binding != nullptr; binding = binding->next)
        bindings.push_back(binding);
    auto chosen = std::find(bindings.begin(), bindings.end(), selected);
    if (chosen == bindings.end())
        chosen = bindings.end() - 1;
    currentBinding = *chosen;
    if (list != nullptr)
    {
        for (AcceleratorBinding* binding : bindings)
            list->setItemData(
                list->addString(std::string(binding->plugin->getName()) + " [" + binding->plugin->getTypeName() + "]"),
                reinterpret_cast<intptr_t>(binding));
        list->setCurSel(static_cast<int32_t>(chosen - bindings.begin()));
    }
    enableButton(MoveUpId, currentBinding != first);
    enableButton(MoveDownId, currentBinding->next != nullptr);
    enableButton(RemoveId, true);
}

void CAcceleratorsDialog::enableButton(int32_t id, bool enable)
{
    Window* button = dlgItem(id);
    if (button == nullptr)
        return;
    const bool hadFocus = Window::focus() == button;
    button->enableWindow(enable);
    if (enable || !hadFocus)
        return;
    for (int32_t other : {MoveUpId, MoveDownId, RemoveId, BindId})
        if (Window* candidate = dlgItem(other); candidate != nullptr && candidate->isEnabled())
        {
            gotoDlgCtrl(candidate);
            return;
        }
}

void CAcceleratorsDialog::setClearState()
{
    enableButton(ClearId, table.getCount() > 0);
}

void CAcceleratorsDialog::OnDeviceChange()
{
    const bool keyboard = deviceList.windowText() == keyboardDevice;
    if (Window* capture = dlgItem(CaptureId))
        capture->showWindow(keyboard ? SW_SHOW : SW_HIDE);
    for (int32_t id : {ShiftId, CtrlId})
        if (Window* box = dlgItem(id))
            box->showWindow(keyboard ? SW_HIDE : SW_SHOW);
    refresh();
}

void CAcceleratorsDialog::OnInputChange()
{
    refresh();
}

void CAcceleratorsDialog::OnModifierClick()
{
    shiftChecked = isDlgButtonChecked(ShiftId) == BST_CHECKED;
    ctrlChecked = isDlgButtonChecked(CtrlId) == BST_CHECKED;
    refresh();
}

bool CAcceleratorsDialog::captureKey(uint32_t message, uint32_t virtualKey)
{
    const bool modifier = virtualKey == VK_SHIFT || virtualKey == VK_CONTROL;
    if (message == WM_KEYDOWN)
    {
        if (virtualKey == VK_SHIFT)
            shiftDown = true;
        if (virtualKey == VK_CONTROL)
            ctrlDown = true;
        return !(modifier || virtualKey == VK_TAB);
    }
    if (message == WM_CHAR)
        return virtualKey != '\t';
    if (message != WM_KEYUP)
        return false;
    if (virtualKey == VK_SHIFT)
        shiftDown = false;
    if (virtualKey == VK_CONTROL)
        ctrlDown = false;
    if (modifier || virtualKey == VK_TAB)
        return false;
    const std::string name = virtualKey < 256 ? keyName(virtualKey) : std::string();
    if (name.empty())
    {
        capturedCode = 0;
        capturedKey = 0;
        setDlgItemText(CaptureId, "unknown keystroke");
    }
    else
    {
        capturedKey = virtualKey;
        capturedCode = AcceleratorCode::key(virtualKey, shiftDown, ctrlDown);
        setDlgItemText(CaptureId,
                       std::string(shiftDown ? "Shift + " : "") + (ctrlDown ? "Ctrl + " : "") +
                           capitalizedKeyName(name));
    }
    refresh();
    return true;
}

bool CAcceleratorsDialog::preTranslateMessage(Message& message)
{
    Window* capture = dlgItem(CaptureId);
    if (capture != nullptr && message.window == capture->handle() && Window::focus() == capture &&
        (message.message == WM_KEYDOWN || message.message == WM_KEYUP || message.message == WM_CHAR) &&
        captureKey(message.message, static_cast<uint32_t>(message.wParam)))
        return true;
    return Dialog::preTranslateMessage(message);
}

void CAcceleratorsDialog::OnTreeSelChanged()
{
    const TreeItem item = actionTree.selectedItem();
    enableButton(BindId, item != TreeItem::None && actionTree.itemData(item) != 0);
}

void CAcceleratorsDialog::OnBindingSelChanged()
{
    auto* list = dlgItemAs<ListBox>(BindingsId);
    if (list == nullptr || list->getCurSel() < 0)
        return;
    auto* binding = reinterpret_cast<AcceleratorBinding*>(list->getItemData(list->getCurSel()));
    if (binding == nullptr)
        return;
    currentBinding = binding;
    enableButton(MoveUpId, table.getBindings(binding->code) != binding);
    enableButton(MoveDownId, binding->next != nullptr);
    enableButton(RemoveId, true);
}

void CAcceleratorsDialog::OnBind()
{
    const TreeItem item = actionTree.selectedItem();
    if (item == TreeItem::None)
    {
        messageBox(handle(), "m_tree.GetSelectedItem", "OnButtonadd");
        return;
    }
    auto* plugin = reinterpret_cast<VornPluginMenuItem*>(actionTree.itemData(item));
    if (plugin == nullptr)
    {
        messageBox(handle(), "plugin == 0", "OnButtonadd");
        return;
    }
    const uint32_t code = currentEvent();
    if (code == 0)
    {
        if (deviceList.windowText() == keyboardDevice)
            messageBox(handle(), "No input event selected", "Add Accelerator Error");
    }
    else if (AcceleratorBinding* binding = table.addBinding(code, plugin))
        refresh(binding);
    else
        messageBox(handle(), "addAccelerator", "OnButtonadd");
    setClearState();
}

void CAcceleratorsDialog::OnRemove()
{
    table.removeBinding(currentBinding);
    currentBinding = nullptr;
    refresh();
    setClearState();
}

void CAcceleratorsDialog::moveCurrent(bool up)
{
    if (currentBinding == nullptr)
        return;
    AcceleratorBinding* other = currentBinding->next;
    if (up)
    {
        other = table.getBindings(currentBinding->code);
        while (other != nullptr && other->next != currentBinding)
            other = other->next;
    }
    if (other == nullptr)
        return;
    // The two bindings trade their plugins: the list order changes, the bindings stay in place.
    std::swap(other->plugin, currentBinding->plugin);
    refresh(other);
}

void CAcceleratorsDialog::OnMoveUp()
{
    moveCurrent(true);
}

void CAcceleratorsDialog::OnMoveDown()
{
    moveCurrent(false);
}

void CAcceleratorsDialog::OnClear()
{
    if (messageBox(handle(), "You are about to remove all accelerators\nAre you sure?", "Accelerators",
                   MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    table.clear();
    setClearState();
    refresh();
}

bool CAcceleratorsDialog::replaceTableFrom(const std::string& path)
{
    AcceleratorTable loaded;
    if (!loadAcceleratorFile(path.c_str(), loaded, registry, handle()))
        return false;
    currentBinding = nullptr;
    table.swap(loaded);
    return true;
}

std::string CAcceleratorsDialog::defaultFilePath()
{
    const char* working = mai.getWorkingFolder();
    return (std::filesystem::path(working != nullptr ? working : ".") / defaultAcceleratorFilePath).string();
}

void CAcceleratorsDialog::OnResetToDefaults()
{
    if (table.getCount() > 0 &&
        messageBox(handle(), "Reset to Defaults:\nAll current accelerator settings will be lost.", "Accelerators",
                   MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    replaceTableFrom(defaultFilePath());
    refresh();
    setClearState();
}

void CAcceleratorsDialog::OnSetAsDefault()
{
    if (table.getCount() == 0 &&
        messageBox(handle(), "No accelerators are present\nAre you sure you want to make this the default setting?",
                   "Accelerators", MB_YESNO) != IDYES)
        return;
    saveAcceleratorFile(defaultFilePath().c_str());
}

FileDialogRequest CAcceleratorsDialog::fileRequest(bool save)
{
    FileDialogRequest request;
    request.save = save;
    request.owner = handle();
    request.title = save ? "" : "Open Accelerator File";
    request.filters = {{"Accelerators (*.acc)", "*.acc"}, {"All Files (*.*)", "*.*"}};
    request.filterIndex = 1;
    request.defaultExtension = "acc";
    request.fileName = lastFileName;
    request.flags = OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : 0);
    return request;
}

void CAcceleratorsDialog::OnLoad()
{
    if (table.getCount() > 0 &&
        messageBox(handle(), "Load Accelerators:\nAll current accelerator settings will be lost", "Accelerators.",
                   MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    FileDialogRequest request = fileRequest(false);
    if (chooseFile(request))
    {
        lastFileName = request.fileName.substr(0, 256);
        replaceTableFrom(request.fileName);
    }
    refresh();
    setClearState();
}

void CAcceleratorsDialog::OnSave()
{
    FileDialogRequest request = fileRequest(true);
    if (!chooseFile(request))
        return;
    lastFileName = request.fileName.substr(0, 256);
    saveAcceleratorFile(request.fileName.c_str());
}

bool CAcceleratorsDialog::saveAcceleratorFile(const char* path)
{
    return ::saveAcceleratorFile(path, table, handle());
}

LResult CAcceleratorsDialog::windowProc(uint32_t message, WParam wParam, LParam lParam)
{
    if (message == WM_NOTIFY)
    {
        const auto* header = reinterpret_cast<const NotifyHeader*>(lParam);
        if (header->idFrom == TreeId && header->code == TVN_SELCHANGED)
            OnTreeSelChanged();
    }
    return Dialog::windowProc(message, wParam, lParam);
}

bool CAcceleratorsDialog::onCommand(uint32_t id, uint32_t code, WindowHandle control)
{
    if (id == BindingsId && code == LBN_SELCHANGE)
    {
        OnBindingSelChanged();
        return true;
    }
    if (code == CBN_SELCHANGE && (id == DeviceId || id == InputId))
    {
        if (id == DeviceId)
            OnDeviceChange();
        else
            OnInputChange();
        return true;
    }
    if (code != BN_CLICKED)
        return Dialog::onCommand(id, code, control);
    switch (id)
    {
    case ShiftId:
    case CtrlId:
        OnModifierClick();
        return true;
    case BindId:
        OnBind();
        return true;
    case RemoveId:
        OnRemove();
        return true;
    case MoveUpId:
        OnMoveUp();
        return true;
    case MoveDownId:
        OnMoveDown();
        return true;
    case ClearId:
        OnClear();
        return true;
    case ResetId:
        OnResetToDefaults();
        return true;
    case SetAsDefaultId:
        OnSetAsDefault();
        return true;
    case LoadId:
        OnLoad();
        return true;
    case SaveId:
        OnSave();
        return true;
    default:
        return Dialog::onCommand(id, code, control);
    }
}
