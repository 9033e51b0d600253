#pragma once

// The Edit page's Selected pagette: the name of the selected object, which the user may change
// when exactly one object is selected, and the colour of the selected objects.

#include "Lumbra/SectionPages/PageSupport.h"
#include "__globalobjectdevice/Notifier.h"
#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "plugins/VornPluginObjectType.h"
#include "uikit/ColorButton.h"
#include "uikit/PagetteButton.h"

#include <chrono>
#include <string>

class VornDocument;
class VornGroup;
class VornSelectable;

namespace lumbra
{

// Appends the names of `group` and of the groups enclosing it, outermost first and each followed
// by ".", stopping at `root` (not named) or at the top of the tree.
void appendGroupPath(const VornGroup* group, const VornGroup* root, std::string& text);
// The object's name behind the names of its enclosing groups below the document's world group:
// "G0.G1.J1"; the plain name for an object directly under the world group.
std::string fullNameOf(const VornSelectable& object, const VornDocument& document);

class CPageEditStaticSelected : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 138;
    static constexpr int32_t nameId = 1017;
    static constexpr int32_t colourId = 1018;
    static constexpr int32_t frameId = 1022;

    static constexpr const char* noDocumentText = "no document";
    static constexpr const char* nothingSelectedText = "no objects selected";
    static constexpr const char* severalSelectedText = "multiple objects selected";

    CPageEditStaticSelected(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;

    // Shows the active document's selection: the full name of a single object (its own name while
    // the edit has the focus), or why there is no name to edit; the colour the objects share.
    void showSelection();

    CPagetteButton frame;
    uint32_t colour = 0xFF8080; // what the colour button shows
    CColorButton colourButton{&colour};

private:
    // What the name edit shows: `focused` picks the own name over the full name.
    void showName(bool focused);
    void rename(const std::string& text);
    void recolour();
    void setNameText(const std::string& text, bool enabled, bool caretAtEnd = false);

    VornPluginWindowed* plugin;
};

class PluginEditStaticPageSelected : public WindowedPagette<PluginEditStaticPage, CPageEditStaticSelected>
{
public:
    PluginEditStaticPageSelected();

    // Subscribes the "SELCH" listener.
    void registerListeners() override;
    bool activatePlugin(VornPluginBase*) override { return false; }

    // How long a rename or recolouring waits for the document before it asks the user.
    std::chrono::milliseconds lockTimeout = documentLockTimeout;

private:
    class Listener : public NotifierListener
    {
    public:
        explicit Listener(PluginEditStaticPageSelected& plugin) : plugin(plugin) {}
        void notify(void* payload) override;
        PluginEditStaticPageSelected& plugin;
    };
    Listener listener{*this};
};

platform::DialogTemplate selectedPagetteTemplate();

} // namespace lumbra
