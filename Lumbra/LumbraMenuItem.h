#pragma once

#include "plugins/DocumentChangeLock.h"
#include "plugins/VornPluginMenuItem.h"

#include <chrono>
#include <string>

class MAI_Doc;
class VornDocument;
class VornSelection;

namespace lumbra
{

// The fixed texts of one of the library's menu items. The description tells what the item does
// (a null one: its menu path); getDescription puts the name in front, as every plugin's does.
struct MenuItemTexts
{
    const char* name;
    const char* menuPath;
    const char* buttonText;
    int32_t bitmapId;
    const char* toolbarName;
    const char* aboutTitle;
    const char* description = nullptr;
};

// The common part of the library's menu items: their texts, their about box and their answer to
// mouse input (the commands of the menus take it; the joint toggles do not).
class LumbraMenuItem : public VornPluginMenuItem
{
public:
    LumbraMenuItem(const MenuItemTexts& texts, bool takesMouse) : texts(texts), takesMouse(takesMouse) {}

    const char* getName() override { return texts.name; }
    const char* getDescription() override;
    const char* getMenuPath() override { return texts.menuPath; }
    const char* getButtonText() override { return texts.buttonText; }
    int32_t getBitmapID() override { return texts.bitmapId; }
    const char* getToolbarName() override { return texts.toolbarName; }
    void about(PluginWindowHandle* parent) override;
    bool onMouse(MAI_View* view, int32_t x, int32_t y, int32_t z, uint32_t flags) override;

    // How long a command that changes the model waits for the document lock before it asks.
    std::chrono::milliseconds lockTimeout = documentLockTimeout;

protected:
    // The document lock for a change of the model by this command; while another thread holds it,
    // a box named after the command asks Abort, Retry or Ignore. Unlocked means: change nothing.
    DocumentChangeLock lockDocument(MAI_Doc* document, ChangeScope scope = ChangeScope::Model);

    MenuItemTexts texts;

private:
    bool takesMouse;
    std::string description; // made on the first getDescription
};

// The document interface and model of the view; null without a view or document.
MAI_Doc* documentInterfaceOf(MAI_View* view);
VornDocument* documentOf(MAI_View* view);
// The current selection of the view's document when it holds something; null otherwise.
VornSelection* nonEmptySelectionOf(MAI_View* view);
// Enabled exactly when the view's document has a non-empty current selection.
void enableBySelection(platform::CommandState* commandUI, MAI_View* view);
// Makes the item the active tool of the view's document (nothing without a view); every dialog
// plugin is told first, unless the item already is the active tool.
void makeActiveTool(MAI_View* view, VornPluginMenuItem* item);
// The state of a tool's command: enabled with a view, marked while it is its document's active tool.
void updateToolState(platform::CommandState* commandUI, MAI_View* view, VornPluginMenuItem* item);
// Sends a notice on a channel of the plugin's application interface (nothing without one).
void notify(MAI* mai, const char* channel, void* payload = nullptr);
// Beeps through the application interface (nothing without one).
void beep(MAI* mai);

} // namespace lumbra
