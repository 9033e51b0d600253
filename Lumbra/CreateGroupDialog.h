#pragma once

#include "platform/Dialog.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/VornPluginDialog.h"
#include "uikit/ColorButton.h"

#include <chrono>
#include <memory>
#include <string>

class MAI;
class MAI_Doc;

namespace lumbra
{

class PluginMenuItemGroupCreate;
class CDialogCreateGroup;

// The docking bar in which the user names and colours a new group made of the current selection.
// The Create Group menu item packages it and shows and hides its bar.
class PluginCreateGroupDialog : public VornPluginDialog
{
public:
    static constexpr int32_t dialogId = 137;

    explicit PluginCreateGroupDialog(PluginMenuItemGroupCreate* owner);
    ~PluginCreateGroupDialog() override;

    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    // Makes the dialog object on the first request; the host makes its window around it.
    PluginWindowRequest* getWindowRequest() override;
    const char* getWindowTitle() override;
    int32_t getDockInfo(uint32_t key) override;

    PluginMenuItemGroupCreate* const owner;

private:
    std::unique_ptr<CDialogCreateGroup> dialog;
};

// The window of the Create Group bar: a name, a colour button and OK / Cancel. Docked as a thin
// strip it shows a small OK beside the colour, which creates without closing.
class CDialogCreateGroup : public platform::Dialog
{
public:
    static constexpr int32_t nameEditId = 1071;
    static constexpr int32_t cancelId = 1072;
    static constexpr int32_t okId = 1073;
    static constexpr int32_t unusedCheckId = 1074;
    static constexpr int32_t colourId = 1075;
    static constexpr int32_t stripOkId = 1076;

    CDialogCreateGroup(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void doDataExchange(platform::DataExchange& exchange) override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Makes the group of the active document's selection with the typed name and chosen colour,
    // then empties the name.
    void createGroup();
    // Hides the bar through the owner's command.
    void close();

    std::string name;
    CColorButton colourButton;

private:
    void nameChanged();
    void layoutFor(int32_t height);

    PluginCreateGroupDialog* plugin;
};

// Makes a group at the root of the document's model holding the current selection, named and
// coloured, selected as a whole and made the only selected object, under the document lock (the
// time-out box names "Create Group"). Nothing happens for an empty name or selection, or when the
// user gives up waiting for the lock. Answers whether a group was made.
bool createGroupOfSelection(MAI_Doc& documentInterface, MAI* mai, const std::string& name, uint32_t colour,
                            std::chrono::milliseconds lockTimeout = documentLockTimeout);

// The dialog resource of the bar, registered with the library's resources.
platform::DialogTemplate createGroupDialogTemplate();
void registerCreateGroupDialogTemplate();

} // namespace lumbra
