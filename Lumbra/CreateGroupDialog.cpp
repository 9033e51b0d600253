#include "Lumbra/CreateGroupDialog.h"

#include "Lumbra/GroupMenuItems.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/LumbraMenuItem.h"
#include "VornData/VornDocument.h"
#include "plugins/MAI.h"
#include "platform/DialogTemplate.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "uikit/TextEntry.h"

namespace lumbra
{

namespace
{

// Below this client height the bar is docked as a strip.
constexpr int32_t stripHeight = 36;

} // namespace

PluginCreateGroupDialog::PluginCreateGroupDialog(PluginMenuItemGroupCreate* owner) : owner(owner)
{
}

PluginCreateGroupDialog::~PluginCreateGroupDialog() = default;

const char* PluginCreateGroupDialog::getName()
{
    return "Create Group Dialog";
}

const char* PluginCreateGroupDialog::getDescription()
{
    return "Create Group Dialog:\nEnables the user to supply a name\nand color to a new group.";
}

void PluginCreateGroupDialog::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, getName(), "Create Group Dialog");
}

PluginWindowRequest* PluginCreateGroupDialog::getWindowRequest()
{
    if (dialog == nullptr)
    {
        dialog = std::make_unique<CDialogCreateGroup>(nullptr, this);
        dialogObject = dialog.get();
    }
    return requestWindow(dialogId);
}

const char* PluginCreateGroupDialog::getWindowTitle()
{
    return "Create Group";
}

int32_t PluginCreateGroupDialog::getDockInfo(uint32_t key)
{
    switch (key)
    {
    case DockInfo::AllowedSides:
        return 0xF000; // any side
    case DockInfo::StartHidden:
        return 1;
    case DockInfo::HorizontalSize:
        return 0x001D00C0; // 192 x 29
    case DockInfo::VerticalSize:
        return 0x004D00B8; // 184 x 77
    case DockInfo::BarParameter:
        return 15;
    default:
        return 0;
    }
}

CDialogCreateGroup::CDialogCreateGroup(platform::Window* parent, VornPluginWindowed* plugin)
    : Dialog(PluginCreateGroupDialog::dialogId), plugin(dynamic_cast<PluginCreateGroupDialog*>(plugin))
{
}

bool CDialogCreateGroup::onInitDialog()
{
    Dialog::onInitDialog();
    colourButton.subclassDlgItem(colourId, this);
    return true;
}

void CDialogCreateGroup::doDataExchange(platform::DataExchange& exchange)
{
    platform::exchangeText(exchange, nameEditId, name);
}

bool CDialogCreateGroup::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    switch (id)
    {
    case nameEditId:
        if (code == platform::EN_CHANGE)
            nameChanged();
        return true;
    case colourId:
        if (code == platform::BN_CLICKED)
            colourButton.chooseColour();
        return true;
    case stripOkId:
        if (code == platform::BN_CLICKED)
            createGroup();
        return true;
    case okId:
        if (code == platform::BN_CLICKED)
        {
            createGroup();
            close();
        }
        return true;
    case cancelId:
        if (code == platform::BN_CLICKED)
            close();
        return true;
    default:
        return Dialog::onCommand(id, code, control);
    }
}

platform::LResult CDialogCreateGroup::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    const platform::LResult result = Dialog::windowProc(message, wParam, lParam);
    if (message == platform::WM_SIZE)
        layoutFor(static_cast<int32_t>((static_cast<uint64_t>(lParam) >> 16) & 0xFFFF));
    return result;
}

void CDialogCreateGroup::layoutFor(int32_t height)
{
    platform::Window* edit = dlgItem(nameEditId);
    platform::Window* stripOk = dlgItem(stripOkId);
    if (edit == nullptr || stripOk == nullptr)
        return;
    const bool strip = height < stripHeight;
    const platform::Point editAt = strip ? platform::Point{0, 3} : platform::Point{3, 8};
    const platform::Point colourAt = strip ? platform::Point{134, 3} : platform::Point{137, 8};
    constexpr uint32_t moveOnly = platform::SWP_NOSIZE | platform::SWP_NOZORDER | platform::SWP_NOACTIVATE;
    edit->setWindowPos(nullptr, editAt.x, editAt.y, 0, 0, moveOnly);
    if (colourButton.exists())
        colourButton.setWindowPos(nullptr, colourAt.x, colourAt.y, 0, 0, moveOnly);
    stripOk->showWindow(strip ? platform::SW_SHOW : platform::SW_HIDE);
    if (!strip)
        sendMessage(platform::DM_SETDEFID, okId);
}

void CDialogCreateGroup::nameChanged()
{
    const bool named = !trimmedText(dlgItemText(nameEditId)).empty();
    for (int32_t id : {okId, stripOkId})
        if (platform::Window* button = dlgItem(id))
            button->enableWindow(named);
}

void CDialogCreateGroup::createGroup()
{
    updateData(true);
    MAI* mai = plugin != nullptr ? plugin->mai : nullptr;
    if (mai != nullptr && mai->activeDocument != nullptr)
        createGroupOfSelection(*mai->activeDocument, mai, trimmedText(name), colourButton.colour(),
                               plugin->owner != nullptr ? plugin->owner->lockTimeout : documentLockTimeout);
    name.clear();
    for (int32_t id : {okId, stripOkId})
        if (platform::Window* button = dlgItem(id))
            button->enableWindow(false);
    updateData(false);
}

void CDialogCreateGroup::close()
{
    if (plugin != nullptr && plugin->owner != nullptr && plugin->mai != nullptr)
        plugin->mai->postCommand(plugin->owner->commandId);
}

bool createGroupOfSelection(MAI_Doc& documentInterface, MAI* mai, const std::string& name, uint32_t colour,
                            std::chrono::milliseconds lockTimeout)
{
    VornDocument& document = documentInterface.document;
    VornSelection* selection = document.getSelection();
    if (name.empty() || selection->isEmpty())
        return false;
    const DocumentChangeLock lock(&documentInterface, documentLockWaitingText("Create Group").c_str(), lockTimeout);
    if (!lock)
        return false;
    notify(mai, Channel::SelectionChanging);
    BlockList<VornGroup>* groups = document.getGroupList();
    VornGroup* group = groups->add();
    document.getWorldGroup()->addChild(group);
    group->select();

    // Groups that lose their last member end themselves; the lock keeps them (and the new group)
    // in place until the new group is complete.
    groups->lock();
    for (knot* link = selection->objects.getFirst(); link != nullptr; link = link->getNext())
        group->addChild(VornSelection::objectOf(link));
    group->name.set(&document.getStringStorage(), name.c_str());
    group->setColor(colour);
    group->setFlagBits(VornFlag::Selected | VornFlag::PreSelected | VornFlag::GroupClosed);
    VornSelection* current = document.getModifiableSelection();
    if (!current->isEmpty())
    {
        current->clearFlags(VornFlag::Selected | VornFlag::PreSelected);
        current->clear();
        current = document.getModifiableSelection();
    }
    current->add(group);
    groups->unlock();

    notify(mai, Channel::SelectionChanged);
    documentInterface.invalidateViews();
    return true;
}

platform::DialogTemplate createGroupDialogTemplate()
{
    using namespace platform;
    // The small OK is shown only while the bar is docked as a strip.
    DialogItemTemplate stripOk = pushButtonItem(CDialogCreateGroup::stripOkId, {104, 2, 13, 12}, "OK", WS_DISABLED);
    stripOk.style &= ~WS_VISIBLE;
    return dialogTemplateOf(
        {0, 0, 117, 45}, WS_CHILD | DS_CONTROL | DS_SETFONT, "",
        {
            controlItem("Edit", CDialogCreateGroup::nameEditId, {2, 5, 87, 12},
                        WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL),
            controlItem("Button", CDialogCreateGroup::colourId, {91, 5, 13, 12}, WS_TABSTOP | BS_OWNERDRAW, "C"),
            pushButtonItem(CDialogCreateGroup::okId, {42, 25, 30, 15}, "&OK", BS_DEFPUSHBUTTON | WS_DISABLED),
            pushButtonItem(CDialogCreateGroup::cancelId, {75, 25, 30, 15}, "&Cancel"),
            checkBoxItem(CDialogCreateGroup::unusedCheckId, {5, 31, 8, 8}, ""),
            stripOk,
        });
}

void registerCreateGroupDialogTemplate()
{
    platform::registerDialogTemplate(thisModule(), PluginCreateGroupDialog::dialogId, createGroupDialogTemplate());
}

} // namespace lumbra
