#pragma once

#include "platform/ComboBox.h"
#include "platform/Dialog.h"
#include "platform/Services.h"
#include "platform/TreeControl.h"

#include <cstdint>
#include <string>

class AcceleratorTable;
class MAI;
class PluginManager;
class VornPluginMenuItem;
struct AcceleratorBinding;

// The accelerators dialog: binds input events (mouse gestures and keys with their Shift and Ctrl
// states) to menu items. It edits the application interface's table directly; loading a file or
// resetting to the defaults reads into a table of its own and puts it in place only when the
// whole file was read, so a failed or cancelled load loses nothing.
class CAcceleratorsDialog : public platform::Dialog
{
public:
    enum ControlId : int32_t
    {
        TreeId = 1017,
        DeviceId = 1019,
        InputId = 1020,
        ShiftId = 1021,
        CtrlId = 1022,
        BindingsId = 1024,
        PretendShiftId = 1025,
        PretendCtrlId = 1026,
        BindId = 1030,
        RemoveId = 1031,
        SetAsDefaultId = 1032,
        LoadId = 1033,
        SaveId = 1034,
        ResetId = 1036,
        MoveUpId = 1037,
        MoveDownId = 1038,
        ClearId = 1039,
        CaptureId = 1040,
    };

    CAcceleratorsDialog(MAI& mai, PluginManager& registry);
    ~CAcceleratorsDialog() override;

    // Shows the dialog modally (the Accelerators command); the caller rebuilds the hot-key texts.
    static void showModal(MAI& mai, PluginManager& registry, platform::Window* owner);

    bool onInitDialog() override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    bool preTranslateMessage(platform::Message& message) override;

    // The user's actions.
    void OnDeviceChange();
    void OnInputChange();
    void OnModifierClick();
    // A key message while the capture edit has the focus; true when it is swallowed.
    bool captureKey(uint32_t message, uint32_t virtualKey);
    void OnTreeSelChanged();
    void OnBindingSelChanged();
    void OnBind();
    void OnRemove();
    void OnMoveUp();
    void OnMoveDown();
    void OnClear();
    void OnResetToDefaults();
    void OnSetAsDefault();
    void OnLoad();
    void OnSave();

    // The event the list shows: 0 when none is chosen.
    uint32_t currentEvent();
    // Writes the whole table; failures are reported in boxes owned by this dialog.
    bool saveAcceleratorFile(const char* path);

    platform::ComboBox& getDeviceList() { return deviceList; }
    platform::ComboBox& getInputList() { return inputList; }
    platform::TreeControl& getTree() { return actionTree; }
    AcceleratorBinding* getCurrentBinding() const { return currentBinding; }

private:
    void refresh(AcceleratorBinding* selected = nullptr);
    void setClearState();
    void enableButton(int32_t id, bool enable);
    void moveCurrent(bool up);
    // Loads the file into a table of its own and puts it in place when it was read whole.
    bool replaceTableFrom(const std::string& path);
    std::string defaultFilePath();
    platform::FileDialogRequest fileRequest(bool save);

    MAI& mai;
    AcceleratorTable& table;
    PluginManager& registry;
    platform::ComboBox deviceList;
    platform::ComboBox inputList;
    platform::TreeControl actionTree;
    bool shiftChecked = false;
    bool ctrlChecked = false;
    uint32_t capturedCode = 0;
    uint32_t capturedKey = 0;
    bool shiftDown = false;
    bool ctrlDown = false;
    AcceleratorBinding* currentBinding = nullptr;
    std::string lastFileName;
};
