#pragma once

// The docked dialog that sets the document's size of scaleless symbols (joints, supports, arrow
// heads), and its "Dialog" plugin with the show-and-hide menu item.

#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "uikit/DockedDialog.h"
#include "uikit/DoubleSpinner.h"

#include <cstdint>
#include <memory>

class MAI;

namespace zintel
{

class DocItemOpenGL;
class PluginScalelessSizeDialog;

// The settings item of the active view when that view shows the OpenGL view type; null otherwise.
DocItemOpenGL* activeOpenGLSettings(MAI* mai);

// A size the dialog may apply: a symbol needs a positive, finite size.
bool isUsableScalelessSize(double size);

// What the dialog's spinner changes: the dialog's value. Before a press it takes the typed text;
// after every change it shows the value and applies it to the active OpenGL view's document.
class ScalelessSizeLink : public DoubleSpinnerLink
{
public:
    ScalelessSizeLink(double* value, PluginWindowHandle** dialogHandle);

    void beginChange() override;
    void valueChanged() override;

    // The owner plugin's window-handle field: the dialog window is found through it.
    PluginWindowHandle** const dialogHandle;
};

class CScalelessSize : public platform::Dialog
{
public:
    static constexpr int32_t templateId = 143;
    static constexpr int32_t editId = 1088;
    static constexpr int32_t spinnerId = 1000;

    CScalelessSize(platform::Window* parent, PluginScalelessSizeDialog* owner);

    bool onInitDialog() override;
    void doDataExchange(platform::DataExchange& exchange) override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;

    // The typed text: applied when it is a usable size, else nothing changes.
    void OnChangeValue();
    // Shows the size of the active OpenGL view's document; nothing without one.
    void refresh();
    // Sets the active OpenGL view's document to `value` and repaints its views; false (and
    // nothing changes) when the value is not a usable size or no OpenGL view is active.
    bool apply(double size);

    PluginScalelessSizeDialog* const owner;
    CDoubleSpinner spinner;
    ScalelessSizeLink link;
    double value = 0.1;
};

// Plugin 0 of the library ("Dialog" named "Scaleless Size Dialog").
class PluginScalelessSizeDialog : public WithOwnDialog<VornPluginDialog>
{
public:
    PluginScalelessSizeDialog();

    const char* getName() override;
    // 0: the item "&View\S&ettings\&Size Scaleless..." that shows and hides the dialog.
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    PluginWindowRequest* getWindowRequest() override;
    // The dialog shows the size of every OpenGL view that becomes active; answers false.
    bool activatePlugin(VornPluginBase* plugin) override;
    const char* getWindowTitle() override;
    int32_t getDockInfo(uint32_t key) override;

    CScalelessSize* window() const;

protected:
    std::unique_ptr<platform::Dialog> makeDialog() override;
};

// The template 143.
platform::DialogTemplate scalelessSizeTemplate();
// Registers the template in this library's resources, once.
void registerScalelessSizeTemplate();

} // namespace zintel
