#pragma once

// The docked Select Material and Select CrossSection dialogs: one drop-down list that shows the
// material (cross-section) the selected objects share and assigns another to all of them; while a
// creator is active it shows and sets the one that new members will get.

#include "Lumbra/Console/DialogPlugin.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "__globalobjectdevice/Notifier.h"
#include "platform/ComboBox.h"
#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "plugins/DocumentChangeLock.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>

class MAI_Doc;
class VornBaseObject;
class VornCrossSection;
class VornMaterial;
class knotReference;

namespace lumbra
{

// What tells the two dialogs apart.
struct SelectDialogKind
{
    DialogPluginTexts texts;
    int32_t dialogId;
    const char* listChannel;
    const char* listName;
    knotReference MAI_Doc::*editReference; // the object new members get
    int32_t titleBitmapId;
};

const SelectDialogKind& selectMaterialKind();
const SelectDialogKind& selectCrossSectionKind();

constexpr int32_t selectComboId = 1109;

template <class Element>
class SelectPropertyDialog;

// The list channel: the combo must be filled again before it is next opened, or a renamed
// object's item takes the new name.
template <class Element>
class SelectListListener : public NotifierListener
{
public:
    explicit SelectListListener(SelectPropertyDialog<Element>& plugin) : plugin(plugin) {}
    void notify(void* payload) override;
    SelectPropertyDialog<Element>& plugin;
    bool refill = false;
};

// "SELCH", "DOCCH" and "CESCH": what the combo shows for the selection (or the creator).
template <class Element>
class SelectSelectionListener : public NotifierListener
{
public:
    explicit SelectSelectionListener(SelectPropertyDialog<Element>& plugin) : plugin(plugin) {}
    void notify(void* payload) override;
    SelectPropertyDialog<Element>& plugin;
    bool applies = false; // some selected object accepts an object of the kind
    MAI_Doc* lastDocument = nullptr;
    Element* common = nullptr; // what every accepting object has; null when they differ
};

// "APLSL": an object of the kind was applied to the selection.
template <class Element>
class SelectAppliedListener : public NotifierListener
{
public:
    explicit SelectAppliedListener(SelectPropertyDialog<Element>& plugin) : plugin(plugin) {}
    void notify(void* payload) override;
    SelectPropertyDialog<Element>& plugin;
};

template <class Element>
class SelectPropertyWindow;

template <class Element>
class SelectPropertyDialog : public LumbraDialogPlugin
{
public:
    explicit SelectPropertyDialog(const SelectDialogKind& kind);

    // The first call subscribes the five listeners.
    const char* getName() override;
    int32_t getDockInfo(uint32_t key) override;

    SelectPropertyWindow<Element>* window() const;
    // The active document interface, or null.
    MAI_Doc* document() const;

    const SelectDialogKind& kind;
    std::unique_ptr<SelectListListener<Element>> listListener;
    std::array<std::unique_ptr<SelectSelectionListener<Element>>, 3> selectionListeners;
    std::unique_ptr<SelectAppliedListener<Element>> appliedListener;
    std::chrono::milliseconds lockTimeout = documentLockTimeout;

    // The "SELCH" listener, which also keeps what the combo shows.
    SelectSelectionListener<Element>& shown() { return *selectionListeners[0]; }

protected:
    std::unique_ptr<platform::Dialog> makeDialog() override;
};

template <class Element>
class SelectPropertyWindow : public platform::Dialog
{
public:
    SelectPropertyWindow(platform::Window* parent, SelectPropertyDialog<Element>* owner);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;

    // The document's objects of the kind, when the list is marked for a refill.
    void onDropDown();
    // The user chose an item.
    void onSelectionChange();
    // Shows the object as the current item (null: no current item); while a refill is pending
    // the combo holds only that object.
    void showObject(Element* object, bool alone);
    // The item whose data is the object, searching from the last item; -1 when none.
    int itemOf(const VornBaseObject* object) const;

    platform::ComboBox combo;

private:
    SelectPropertyDialog<Element>* owner;
};

using PluginDialogSelectMaterial = SelectPropertyDialog<VornMaterial>;
using PluginDialogSelectCrossSection = SelectPropertyDialog<VornCrossSection>;
using CDialogSelectMaterial = SelectPropertyWindow<VornMaterial>;
using CDialogSelectCrossSection = SelectPropertyWindow<VornCrossSection>;

VornPlugin* makeSelectMaterialDialog();
VornPlugin* makeSelectCrossSectionDialog();

// The templates 147 and 150.
platform::DialogTemplate selectPropertyTemplate();
// Registers them with the library's resources (part of registerConsoleResources).
void registerSelectPropertyTemplates();

} // namespace lumbra
