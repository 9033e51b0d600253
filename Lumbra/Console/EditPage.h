#pragma once

#include "Lumbra/Console/ConsolePage.h"
#include "platform/Dialog.h"

#include <array>
#include <memory>
#include <span>

class MAI_Doc;
class PluginManager;
class VornModifier;
class VornPluginObjectCreator;
class VornPluginObjectModifier;
class VornSelection;

namespace lumbra
{

// Makes one of the static pagettes the Edit page packages.
using EditStaticPagetteMaker = VornPlugin* (*)();

// The library's static pagettes in packaging order: History, Modifiers, Selected, Selection. An
// entry is null while its pagette is not part of the library yet; the page packages the others.
const std::array<EditStaticPagetteMaker, 4>& editStaticPagetteMakers();

// The console page for selecting and modifying: the static pagettes at the top, below them the
// edit pagettes of one creator or the pagettes of one modifier, as the History pagette asks.
class PluginMCPageEdit : public LumbraConsolePage
{
public:
    explicit PluginMCPageEdit(std::span<const EditStaticPagetteMaker> staticPagetteMakers = editStaticPagetteMakers());

    // Empties the static pagette list and registers "Edit Static Pagette" with it.
    void registerPluginTypes(PluginManager* registry) override;
    // The static pagettes whose makers exist, in the order of the makers.
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    // Every static pagette is offered the plugin; when one takes it, it becomes the page's tool.
    bool activatePlugin(VornPluginBase* plugin) override;

    // The head of the "Edit Static Pagette" list (newest first).
    VornPluginBase* staticPagettes = nullptr;

protected:
    std::unique_ptr<platform::Dialog> makeDialog() override;

private:
    std::span<const EditStaticPagetteMaker> staticPagetteMakers;
};

class CMCPageEdit : public platform::Dialog
{
public:
    CMCPageEdit(platform::Window* parent, VornPluginWindowed* owner);

    bool onInitDialog() override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Shows the edit pagettes of the creator (null: none) filled from the selection, in place of
    // what was shown; the creator already shown only refreshes its pagettes.
    void showCreatorPagettes(MAI_Doc* document, VornSelection* selection, VornPluginObjectCreator* creator);
    // Shows the modifier's pagettes for the record (a null modifier shows nothing); a modifier of
    // the ring already shown keeps the pagettes on screen and only takes the record.
    void showModifierPagettes(MAI_Doc* document, VornModifier* record, VornPluginObjectModifier* modifier);

    PagetteHost pagettes;
    VornPluginObjectCreator* shownCreator = nullptr;
    VornPluginObjectModifier* shownModifier = nullptr;

private:
    void layout(int32_t width, int32_t height);

    PluginMCPageEdit* owner;
};

} // namespace lumbra
