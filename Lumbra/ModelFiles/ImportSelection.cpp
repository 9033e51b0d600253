#include "Lumbra/ModelFiles/ImportSelection.h"

#include "Lumbra/LumbraMenuItem.h"
#include "VornData/VornDocument.h"
#include "plugins/MAI.h"
#include "__globalobjectdevice/NotificationChannels.h"

#include <filesystem>

namespace lumbra
{

namespace
{

constexpr uint8_t selectionMarks = VornFlag::Selected | VornFlag::PreSelected;

} // namespace

ImportSelection::ImportSelection(MAI_Doc* documentInterface) : documentInterface(documentInterface)
{
    VornDocument& document = documentInterface->document;
    documentInterface->setActiveModifier(nullptr);
    notify(documentInterface->mai, Channel::SelectionChanging);
    document.getSelection()->clearFlags(selectionMarks | VornFlag::UnderModifier);
    // A fresh selection rather than the emptied current one: a selection that loses its last
    // object ends itself, so an emptied one could not take the imported objects. A named current
    // set keeps its objects.
    selection.set(document.newSelection());
}

VornSelection* ImportSelection::get() const
{
    return static_cast<VornSelection*>(selection.get());
}

void ImportSelection::add(VornSelectable* object)
{
    if (VornGroup* root = documentInterface->document.getWorldGroup())
        root->addChild(object);
    get()->add(object);
}

void ImportSelection::finish(const std::string& title)
{
    VornDocument& document = documentInterface->document;
    VornSelection* imported = get();
    imported->setFlags(selectionMarks);
    imported->setNamed(true);
    imported->name.set(&document.getStringStorage(), title.c_str());
    // Named now, so the document makes a new empty selection current, which leaves again when the
    // import's selection takes its place.
    document.getModifiableSelection();
    notify(documentInterface->mai, Channel::SelectionChanged);
    document.setSelection(get());
    notify(documentInterface->mai, Channel::SelectionChanged);
}

std::string fileTitleOf(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

} // namespace lumbra
